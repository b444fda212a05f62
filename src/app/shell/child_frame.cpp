#include "app/shell/child_frame.h"

#include <QCloseEvent>

namespace dotforge {

CChildFrame::CChildFrame(QWidget* view, std::function<bool()> mayClose) : mayClose_(std::move(mayClose)) {
  setWidget(view);
  setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::CloseNow() {
  closingNow_ = true;
  close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (closingNow_ || mayClose_()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace dotforge
