#pragma once
// A child window of the main window: holds one view and asks its owner before
// it closes.

#include <QMdiSubWindow>
#include <functional>

namespace dotforge {

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  // `mayClose` runs when the user closes the window; false keeps it open.
  CChildFrame(QWidget* view, std::function<bool()> mayClose);
  // Closes the window without asking (its document is going away).
  void CloseNow();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<bool()> mayClose_;
  bool closingNow_ = false;
};

}  // namespace dotforge
