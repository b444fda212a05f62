#pragma once
// Long work on the user-interface thread: the wait cursor from start to end and,
// once the work has taken about half a second, a progress dialog whose Cancel
// stops it.

#include <QProgressDialog>
#include <cstddef>

namespace dotforge {

class WorkProgress {
 public:
  WorkProgress(const QString& label, QWidget* parent);
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;
  ~WorkProgress();

  // Shows `done` of `total` and lets the dialog's events run; false once the
  // user pressed Cancel.
  bool Report(std::size_t done, std::size_t total);

  QProgressDialog& Dialog() { return dialog_; }

 private:
  QProgressDialog dialog_;
};

}  // namespace dotforge
