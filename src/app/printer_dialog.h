#pragma once
// The printer dialogs: download progress, the printer's font slots, its free
// memory and the erase. Each shows what its worker posts to the sink, drained on
// the GUI thread by a timer; closing the dialog detaches it from the worker.

#include <QDialog>
#include <QTimer>
#include <map>
#include <memory>

#include "printer/worker_sink.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace dotforge {

enum class PrinterDialogKind { Download, FontInfo, Memory, Erase };

class PrinterDialog : public QDialog {
  Q_OBJECT
 public:
  PrinterDialog(PrinterDialogKind kind, std::shared_ptr<WorkerSink> sink, QWidget* parent = nullptr);
  ~PrinterDialog() override;

  // The text a worker put into a field, by its control id.
  QString FieldText(int controlId) const;
  QProgressBar* ProgressBar() const { return progress_; }
  QPushButton* OkButton() const { return ok_; }
  // Takes in everything the worker posted since the last call.
  void DrainSink();

 public slots:
  void done(int result) override;

 private:
  QLabel* AddField(int controlId);
  void BuildDownload();
  void BuildFontInfo();
  void BuildMemory();
  void BuildErase();

  std::shared_ptr<WorkerSink> sink_;
  std::map<int, QLabel*> fields_;
  QProgressBar* progress_ = nullptr;
  QPushButton* ok_ = nullptr;
  QTimer drainTimer_;
};

}  // namespace dotforge
