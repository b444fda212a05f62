#include "app/dialogs/small_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/shell/program_image.h"
#include "framework/qt/qt_prompt.h"

namespace dotforge {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(kAboutCaption);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramImage(48));
  auto* text = new QLabel(kAboutText, this);
  text->setObjectName("AboutText");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addSpacing(12);
  row->addWidget(text, 1, Qt::AlignVCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

std::optional<int> ParseDialogInteger(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

ReferenceLineDialog::ReferenceLineDialog(const ReferenceLineSettings& settings, QWidget* parent)
    : QDialog(parent),
      horizontal_(new QLineEdit(QString::number(settings.row), this)),
      vertical_(new QLineEdit(QString::number(settings.column), this)),
      show_(new QCheckBox("Show reference line :    ", this)),
      settings_(settings) {
  setWindowTitle(kReferenceLineCaption);
  show_->setChecked(settings.show);
  // The box stands at the right of its text.
  show_->setLayoutDirection(Qt::RightToLeft);
  auto* form = new QFormLayout;
  form->addRow("Horizontal reference line :", horizontal_);
  form->addRow("Vertical reference line :", vertical_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &ReferenceLineDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(show_, 0, Qt::AlignLeft);
  layout->addWidget(buttons);
}

std::optional<int> ReferenceLineDialog::ReadField(QLineEdit* field) {
  const std::optional<int> value = ParseDialogInteger(field->text());
  if (!value) {
    ShowMessageBox(this, kEnterIntegerMessage);
    field->setFocus();
    field->selectAll();
  }
  return value;
}

void ReferenceLineDialog::accept() {
  const std::optional<int> row = ReadField(horizontal_);
  if (!row) return;
  const std::optional<int> column = ReadField(vertical_);
  if (!column) return;
  settings_ = {*row, *column, show_->isChecked()};
  QDialog::accept();
}

void ShowSplashWindow(int milliseconds) {
  QDialog splash(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
  auto* word = new QLabel("Dotforge", &splash);
  QFont font = word->font();
  font.setPointSize(28);
  font.setBold(true);
  word->setFont(font);
  auto* picture = new QLabel(&splash);
  picture->setPixmap(ProgramImage(128));
  auto* layout = new QVBoxLayout(&splash);
  layout->setContentsMargins(32, 24, 32, 24);
  layout->addWidget(word, 0, Qt::AlignHCenter);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  splash.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    splash.move(screen->geometry().center() - splash.rect().center());
  }
  splash.show();
  // Block user input while the window shows, but keep painting.
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace dotforge
