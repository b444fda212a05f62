#pragma once
// Lets files dropped on a window open: local files only, in the order given.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace dotforge {

class FileDrop : public QObject {
  Q_OBJECT

 public:
  using OpenFiles = std::function<void(const std::vector<std::string>& paths)>;

  // Makes `target` accept drops; the filter belongs to `target`.
  FileDrop(QWidget& target, OpenFiles open);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  OpenFiles open_;
};

}  // namespace dotforge
