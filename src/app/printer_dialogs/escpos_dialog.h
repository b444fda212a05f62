#pragma once
// The "Send to ESC/POS Printer" dialog: the connection and its fields, the
// printer font, the code page and the sample text, and a note of the characters
// the printer cannot take; Send builds the stream and sends it on a worker
// thread while a timer shows its progress, and Cancel ends a running send once
// the printer is left between two commands. The choices are stored at each Send.
// Given a picture print, the same dialog prints the preview's text or the
// character table as pictures instead: the connection, the paper's width, the
// picture commands and the zoom.

#include <QDialog>
#include <QTimer>
#include <memory>
#include <vector>

#include "comm/port_choices.h"
#include "escpos/send/escpos_choices.h"
#include "escpos/send/escpos_send_job.h"
#include "receipt/text_lines.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

namespace dotforge {

// What the dialog prints as pictures: the preview's text (its encoding and
// zoom), or the character table.
struct PicturePrint {
  bool table = false;
  TextPrintRequest text;
};

class EscPosDialog : public QDialog {
  Q_OBJECT
 public:
  // `link`: the printer link's settings (the devices of the port names);
  // `present`: the serial devices to offer after "COM1".."COM4".
  EscPosDialog(const CDotforgeImportDoc& fontSet, SettingsStore& store, const CommSettings& link,
               const std::vector<SerialPortEntry>& present, Prompt& prompt, QWidget* parent = nullptr,
               std::optional<PicturePrint> picture = std::nullopt);
  ~EscPosDialog() override;

  // The choices as the controls show them.
  EscPosChoices Choices() const;
  EscPosFont Font() const;
  QString SampleText() const;
  bool Sending() const { return job_ != nullptr; }

  QComboBox* KindList() const { return kind_; }
  QComboBox* FontList() const { return font_; }
  QLineEdit* HostField() const { return host_; }
  QSpinBox* PortField() const { return port_; }
  QLineEdit* DeviceField() const { return device_; }
  QLineEdit* SampleField() const { return sample_; }
  QProgressBar* Progress() const { return progress_; }
  QPushButton* SendButton() const { return send_; }
  QPushButton* CancelButton() const { return cancel_; }
  QLabel* StatusLabel() const { return status_; }
  QLabel* NoteLabel() const { return note_; }
  QComboBox* PaperList() const { return paper_; }
  QSpinBox* PaperDotsField() const { return paperDots_; }
  QComboBox* PictureModeList() const { return pictureMode_; }
  QSpinBox* ZoomField() const { return zoom_; }

 public slots:
  void Send();
  void reject() override;

 private:
  QWidget* BuildSerialPage();
  QWidget* BuildNetworkPage();
  QWidget* BuildDevicePage();
  void BuildCharacterFields(QVBoxLayout* layout);
  void BuildPictureFields(QVBoxLayout* layout);
  void ShowPaperDots(int dots);
  // The stream Send sends; nothing after a message.
  std::optional<CommandStream> CharacterStream(const EscPosChoices& choices);
  std::optional<CommandStream> PictureStream(const EscPosChoices& choices);
  void ShowPage(int index);
  void ShowChoices(const EscPosChoices& choices);
  void PollJob();
  void ShowSending(bool sending);

  const CDotforgeImportDoc& fontSet_;
  SettingsStore& store_;
  CommSettings link_;
  Prompt& prompt_;
  std::optional<PicturePrint> picture_;
  // The choices the other kind of print keeps, stored back as they were loaded.
  EscPosChoices loaded_;
  std::vector<PortChoice> ports_;
  QComboBox* kind_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QComboBox* serialPort_ = nullptr;
  QComboBox* baud_ = nullptr;
  QComboBox* parity_ = nullptr;
  QComboBox* flow_ = nullptr;
  QLineEdit* host_ = nullptr;
  QSpinBox* port_ = nullptr;
  QLineEdit* device_ = nullptr;
  QComboBox* font_ = nullptr;
  QComboBox* codePage_ = nullptr;
  QLineEdit* sample_ = nullptr;
  QComboBox* paper_ = nullptr;
  QSpinBox* paperDots_ = nullptr;
  QComboBox* pictureMode_ = nullptr;
  QSpinBox* zoom_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* send_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::unique_ptr<EscPosSendJob> job_;
  QTimer pollTimer_;
};

}  // namespace dotforge
