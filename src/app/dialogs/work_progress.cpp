#include "app/dialogs/work_progress.h"

#include <QApplication>
#include <algorithm>
#include <climits>

namespace dotforge {
namespace {

constexpr int kShowAfterMs = 500;

}  // namespace

WorkProgress::WorkProgress(const QString& label, QWidget* parent) : dialog_(label, "Cancel", 0, 1, parent) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  dialog_.setWindowTitle(QApplication::applicationName());
  dialog_.setWindowModality(Qt::WindowModal);
  dialog_.setMinimumDuration(kShowAfterMs);
  dialog_.setAutoReset(false);
  dialog_.setValue(0);
}

WorkProgress::~WorkProgress() { QApplication::restoreOverrideCursor(); }

bool WorkProgress::Report(std::size_t done, std::size_t total) {
  // The dialog counts in int; larger totals are scaled down.
  const std::size_t scale = total > INT_MAX ? total / INT_MAX + 1 : 1;
  dialog_.setMaximum(static_cast<int>(std::max<std::size_t>(total / scale, 1)));
  dialog_.setValue(static_cast<int>(std::min(done, total) / scale));
  return !dialog_.wasCanceled();
}

}  // namespace dotforge
