#pragma once
// The About box, the Reference Line dialog and the start-up window.

#include <QDialog>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace dotforge {

inline constexpr const char* kAboutCaption = "About Dotforge";
inline constexpr const char* kAboutText = "Dotforge V2.1.3  Build 103";
inline constexpr const char* kReferenceLineCaption = "Reference Line";
inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
inline constexpr int kSplashMilliseconds = 2000;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

struct ReferenceLineSettings {
  int row = 0;     // horizontal line
  int column = 0;  // vertical line
  bool show = false;
  bool operator==(const ReferenceLineSettings&) const = default;
};

// An integer as the dialog fields take it: optional blanks and sign around the
// digits; nothing for any other text or a value beyond 32 bits.
std::optional<int> ParseDialogInteger(const QString& text);

class ReferenceLineDialog : public QDialog {
  Q_OBJECT
 public:
  ReferenceLineDialog(const ReferenceLineSettings& settings, QWidget* parent = nullptr);
  ReferenceLineSettings Settings() const { return settings_; }

  QLineEdit* HorizontalField() const { return horizontal_; }
  QLineEdit* VerticalField() const { return vertical_; }
  QCheckBox* ShowBox() const { return show_; }

 public slots:
  void accept() override;

 private:
  std::optional<int> ReadField(QLineEdit* field);

  QLineEdit* horizontal_;
  QLineEdit* vertical_;
  QCheckBox* show_;
  ReferenceLineSettings settings_;
};

// Shows the start-up window centred on the screen for `milliseconds`, blocking
// the user interface, then destroys it.
void ShowSplashWindow(int milliseconds = kSplashMilliseconds);

}  // namespace dotforge
