#pragma once
// The printer dialogs: download progress, the printer's font slots, its free
// memory and the erase. Each shows what its worker posts to the sink, drained on
// the GUI thread by a timer; closing the dialog detaches it from the worker.
// The download dialog's Cancel (and Escape) asks its worker to stop while it
// runs: the first time after the printer command in progress, the second time
// at once. The dialog stays until the worker has said how it ended.

#include <QDialog>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "printer/worker_sink.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace dotforge {

// Download > Erase Printer Fonts asks first; No is the default. True for Yes.
bool ConfirmErasePrinterFonts(QWidget* parent);

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
  // The download dialog's Cancel; none in the others.
  QPushButton* CancelButton() const { return cancel_; }
  // Takes in everything the worker posted since the last call.
  void DrainSink();

 public slots:
  void done(int result) override;
  void reject() override;

 private:
  QLabel* AddField(int controlId);
  void BuildDownload();
  void BuildFontInfo();
  void BuildMemory();
  void BuildErase();
  void Finished();

  std::shared_ptr<WorkerSink> sink_;
  std::map<int, QLabel*> fields_;
  QProgressBar* progress_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  // The erase dialog's lines that say the erase is under way.
  std::vector<QLabel*> underWay_;
  QTimer drainTimer_;
};

}  // namespace dotforge
