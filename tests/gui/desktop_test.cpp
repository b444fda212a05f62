// The editor as a desktop application: files from the command line, dropped on
// the window or chosen from Recent Files, and the window layout between runs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/shell/app_messages.h"
#include "app/shell/command_ids.h"
#include "app/session/command_line.h"
#include "app/shell/dotforge_app.h"
#include "app/dialogs/file_dialogs.h"
#include "app/shell/main_frame.h"
#include "app/session/preset_import_prompt.h"
#include "app/session/recent_files.h"
#include "app/session/recent_files_menu.h"
#include "formats/formats_messages.h"
#include "framework/scripted_prompt.h"
#include "gui/gui_support.h"
#include "model/native_file.h"
#include "model/side_format.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

namespace fs = std::filesystem;

void WriteFont(const fs::path& path, std::vector<std::int32_t> codes = {0x41, 0x42}) {
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, codes), path, prompt));
}

// Answers the next message box with OK and records its text.
void AcceptNextMessageBox(QString* text) {
  QTimer::singleShot(0, [text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    *text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAtMostEightAndKeptInTheStore) {
  test::TempDir dir;
  SettingsStore store(dir / "settings.conf");
  RecentFiles recent(store);
  EXPECT_TRUE(recent.Paths().empty());
  for (int i = 1; i <= 10; ++i) recent.Add("/fonts/F" + std::to_string(i) + ".DAT");
  // Opening a listed file again moves it to the top instead of adding it twice.
  recent.Add("/fonts/F5.DAT");
  const std::vector<std::string> expected = {"/fonts/F5.DAT", "/fonts/F10.DAT", "/fonts/F9.DAT", "/fonts/F8.DAT",
                                             "/fonts/F7.DAT", "/fonts/F6.DAT",  "/fonts/F4.DAT", "/fonts/F3.DAT"};
  EXPECT_EQ(recent.Paths(), expected);

  // The next run reads the same list from the file, and a shorter list replaces it.
  SettingsStore reloaded(dir / "settings.conf");
  ASSERT_TRUE(reloaded.Load());
  RecentFiles next(reloaded);
  EXPECT_EQ(next.Paths(), expected);
  next.Remove("/fonts/F10.DAT");
  next.Remove("/fonts/F3.DAT");
  SettingsStore third(dir / "settings.conf");
  ASSERT_TRUE(third.Load());
  EXPECT_EQ(RecentFiles(third).Paths(), (std::vector<std::string>{"/fonts/F5.DAT", "/fonts/F9.DAT", "/fonts/F8.DAT",
                                                                  "/fonts/F7.DAT", "/fonts/F6.DAT", "/fonts/F4.DAT"}));
}

TEST(CommandLine, FilesOptionsAndTheEndOfOptions) {
  EXPECT_EQ(ParseCommandLine({"A.DAT", "fonts/b.dsb"}).files, (std::vector<std::string>{"A.DAT", "fonts/b.dsb"}));
  EXPECT_EQ(ParseCommandLine({"A.DAT", "--version"}).action, CommandLine::Action::Version);
  EXPECT_EQ(ParseCommandLine({"-h"}).action, CommandLine::Action::Help);
  const CommandLine unknown = ParseCommandLine({"--bogus", "A.DAT"});
  EXPECT_EQ(unknown.action, CommandLine::Action::Usage);
  EXPECT_NE(unknown.error.find("--bogus"), std::string::npos);
  const CommandLine dashed = ParseCommandLine({"--", "--version", "-x.DAT"});
  EXPECT_EQ(dashed.action, CommandLine::Action::Run);
  EXPECT_EQ(dashed.files, (std::vector<std::string>{"--version", "-x.DAT"}));
  EXPECT_EQ(VersionText(), "Dotforge 2.1.3");
}

TEST(PresetImportPrompt, FontFilesOpenByExtensionOthersShowTheDialogOnTheFile) {
  ScriptedPrompt inner;
  const ImportDialogRequest request{"Import", "", "", "/last", 12, 24, 16, {}};

  const std::optional<ImportDialogAnswer> dsb =
      PresetImportPrompt(inner, "/fonts/small.dsb").RunImportFileDialog(request);
  ASSERT_TRUE(dsb);
  EXPECT_EQ(dsb->path, "/fonts/small.dsb");
  EXPECT_EQ(dsb->type, kFormatDsb + 1);
  EXPECT_EQ(PresetImportPrompt(inner, "/fonts/X.1F").RunImportFileDialog(request)->type, kFormat1F26 + 1);
  // A bitmap font opens at once at its own cell size, not the last import's.
  const std::optional<ImportDialogAnswer> pcf =
      PresetImportPrompt(inner, "/fonts/12x24.pcf.gz").RunImportFileDialog(request);
  ASSERT_TRUE(pcf);
  EXPECT_EQ(pcf->type, kFormatPcf + 1);
  EXPECT_EQ(pcf->width, 0);
  EXPECT_EQ(pcf->height, 0);
  EXPECT_EQ(dsb->width, 12);
  EXPECT_TRUE(inner.ImportRequests().empty());

  // A source file needs a cell size, an unknown extension a type: the user's dialog
  // opens in the file's folder with its name filled in.
  inner.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(PresetImportPrompt(inner, "/src/font.c").RunImportFileDialog(request));
  inner.QueueImportDialog(std::nullopt);
  EXPECT_FALSE(PresetImportPrompt(inner, "/src/notes.txt").RunImportFileDialog(request));
  ASSERT_EQ(inner.ImportRequests().size(), 2u);
  EXPECT_EQ(inner.ImportRequests()[0].defaultFileName, "font.c");
  EXPECT_EQ(inner.ImportRequests()[0].initialFolder, "/src");
  EXPECT_EQ(inner.ImportRequests()[0].width, 12);
  EXPECT_EQ(inner.ImportRequests()[1].defaultFileName, "notes.txt");
}

// Without a display the program says so and exits 1, where Qt alone would abort.
TEST(DesktopProgram, WithoutADisplaySaysSoAndExits1) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(DOTFORGE_DESKTOP_PROGRAM, {});
  ASSERT_TRUE(program.waitForFinished(120000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 1);
  EXPECT_TRUE(program.readAllStandardError().contains(msg::kNoDisplay));
}

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test starts from its own settings, as a first run would.
    qputenv(kSettingsFileVariable, QByteArray::fromStdString((dir_ / "settings.conf").string()));
    StartApp();
  }
  void TearDown() override {
    app_.reset();
    qputenv(kSettingsFileVariable, previousSettings_);
  }

  void StartApp() {
    app_ = std::make_unique<CDotforgeApp>();
    app_->Start(StartOptions{false});
  }
  CMainFrame& Frame() { return app_->MainFrame(); }
  QStringList WindowTitles() {
    QStringList titles;
    for (QMdiSubWindow* window : Frame().MdiArea()->subWindowList()) titles << window->windowTitle();
    return titles;
  }
  QAction* RecentFilesItem(MenuBarKind kind) {
    const QList<QAction*> items = Frame().Menus(kind).front()->actions();
    return items.isEmpty() ? nullptr : items.back();
  }
  RecentFilesMenu* RecentMenu() {
    return qobject_cast<RecentFilesMenu*>(RecentFilesItem(MenuBarKind::NoDocument)->menu());
  }
  std::string Full(const std::string& name) { return (dir_ / name).string(); }

  test::TempDir dir_;
  QByteArray previousSettings_ = qgetenv(kSettingsFileVariable);
  std::unique_ptr<CDotforgeApp> app_;
};

TEST_F(DesktopTest, FilesFromTheCommandLineOpenLikeOpenAndAreNotOpenedTwice) {
  WriteFont(dir_ / "A.DAT");
  WriteFont(dir_ / "lower.dat", {0x20, 0x30});
  app_->OpenFiles({Full("A.DAT"), Full("lower.dat")});
  EXPECT_EQ(WindowTitles(), (QStringList{"A.DAT", "lower.dat"}));
  EXPECT_EQ(Frame().MdiArea()->activeSubWindow()->windowTitle(), "lower.dat");
  EXPECT_EQ(app_->Session().Recent().Paths(), (std::vector<std::string>{Full("lower.dat"), Full("A.DAT")}));

  // A relative name is the same file as the full path that is already open.
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
  QString message;
  AcceptNextMessageBox(&message);
  app_->OpenFiles({"./A.DAT"});
  QDir::setCurrent(previous);
  EXPECT_EQ(message, "A.DAT is already opened");
  EXPECT_EQ(WindowTitles().size(), 2);

  // A mistyped name is reported and opens nothing.
  AcceptNextMessageBox(&message);
  app_->OpenFiles({Full("MISSING.DAT")});
  EXPECT_EQ(message.toStdString(), Full("MISSING.DAT") + " does not exist.");
  EXPECT_EQ(WindowTitles().size(), 2);
  EXPECT_EQ(app_->Session().Recent().Paths().size(), 2u);
}

// Open on a real console font, driven through the dialog as a user does: a wrong
// code subset is refused inside the dialog; the font then opens re-encoded into
// CP437 in 8-dot cells. The counts stay in the status bar and, since characters
// were skipped and cut, a message box tells them too. The next Open offers the
// same choices.
TEST_F(DesktopTest, BitmapFontOpenedWithOptionsTellsWhatWasKeptSkippedAndCut) {
  const fs::path terminus = "/usr/share/consolefonts/Lat15-Terminus24x12.psf.gz";
  if (!fs::exists(terminus)) GTEST_SKIP() << "console-setup-linux is not installed";
  fs::copy_file(terminus, dir_ / "TERMINUS.PSF");
  constexpr int kPsfIndex = 11;
  enum class Stage { Fill, Refused, Fixed, Opened, Again, Done } stage = Stage::Fill;
  QStringList boxes;
  QStringList offered;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes << box->text();
      stage = stage == Stage::Refused ? Stage::Fixed : Stage::Again;
      box->button(QMessageBox::Ok)->click();
      return;
    }
    auto* dialog = qobject_cast<ImportFileDialog*>(modal);
    if (!dialog) return;
    if (stage == Stage::Fill) {
      dialog->setDirectory(QString::fromStdString(dir_.Path().string()));
      test::ChooseType(*dialog, kPsfIndex);
      test::FileNameBox(*dialog)->setText("TERMINUS.PSF");
      dialog->WidthField()->setText("8");
      dialog->EncodingList()->setCurrentIndex(dialog->EncodingList()->findText("CP437"));
      dialog->CodesField()->setText("41-5A,8G");
      stage = Stage::Refused;
      QTimer::singleShot(0, dialog, &ImportFileDialog::accept);
    } else if (stage == Stage::Fixed) {
      dialog->CodesField()->setText("41-5A, 82");
      stage = Stage::Opened;
      QTimer::singleShot(0, dialog, &ImportFileDialog::accept);
    } else if (stage == Stage::Again) {
      offered << dialog->WidthField()->text() << dialog->HeightField()->text() << dialog->EncodingList()->currentText()
              << dialog->CodesField()->text();
      stage = Stage::Done;
      dialog->reject();
    }
  });
  driver.start(20);
  // Whatever goes wrong, no dialog stays open for ever.
  QTimer::singleShot(60000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });

  app_->OpenFontSetFile();
  ASSERT_EQ(boxes.size(), 2) << boxes.join(" / ").toStdString();
  EXPECT_EQ(boxes[0].toStdString(), msg::kCodesSyntax);
  EXPECT_TRUE(boxes[1].startsWith("27 characters kept, ")) << boxes[1].toStdString();
  EXPECT_TRUE(boxes[1].contains(" not in the code page")) << boxes[1].toStdString();
  EXPECT_TRUE(boxes[1].contains(" cut at the cell's edges")) << boxes[1].toStdString();
  EXPECT_FALSE(boxes[1].startsWith("27 characters kept, 0 skipped"));
  EXPECT_EQ(Frame().statusBar()->currentMessage(), boxes[1]);
  EXPECT_EQ(WindowTitles(), QStringList{"TERMINUS.PSF"});
  const CDotforgeImportDoc* fontSet = app_->ActiveFontSet();
  ASSERT_NE(fontSet, nullptr);
  EXPECT_EQ(fontSet->width, 8);
  EXPECT_EQ(fontSet->height, 24);
  EXPECT_EQ(fontSet->codes.size(), 27u);
  EXPECT_EQ(fontSet->codes.back(), 0x82);
  test::SaveScreenshot(Frame(), "main_bitmap_import_summary");

  app_->OpenFontSetFile();
  EXPECT_EQ(stage, Stage::Done);
  EXPECT_EQ(offered, (QStringList{"8", "0", "CP437", "41-5A,82"}));
  EXPECT_EQ(WindowTitles().size(), 1);
}

TEST_F(DesktopTest, RecentFilesSitAfterTheFileMenuAndForgetVanishedFiles) {
  // The File menu's own entries keep their places; the pop-up comes after them.
  const QList<QAction*> items = Frame().Menus(MenuBarKind::NoDocument).front()->actions();
  ASSERT_EQ(items.size(), 6);
  EXPECT_EQ(items[3]->text(), "E&xit");
  EXPECT_TRUE(items[4]->isSeparator());
  EXPECT_EQ(items[5]->text(), "&Recent Files");
  EXPECT_EQ(RecentFilesItem(MenuBarKind::FontSet)->text(), "&Recent Files");
  QMenu* fileMenu = Frame().Menus(MenuBarKind::NoDocument).front();
  emit fileMenu->aboutToShow();
  EXPECT_FALSE(RecentFilesItem(MenuBarKind::NoDocument)->isEnabled());

  WriteFont(dir_ / "KEEP.DAT");
  WriteFont(dir_ / "GONE.DAT");
  app_->OpenFiles({Full("KEEP.DAT"), Full("GONE.DAT")});
  while (!app_->Core().FontSets().empty()) app_->CloseFontSetAfterCheck(*app_->Core().FontSets().front());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(WindowTitles().isEmpty());
  emit fileMenu->aboutToShow();
  EXPECT_TRUE(RecentFilesItem(MenuBarKind::NoDocument)->isEnabled());

  RecentMenu()->Rebuild();
  ASSERT_EQ(RecentMenu()->actions().size(), 2);
  EXPECT_EQ(RecentMenu()->actions()[0]->text(), "&1 " + QString::fromStdString(Full("GONE.DAT")));

  fs::remove(dir_ / "GONE.DAT");
  QString message;
  AcceptNextMessageBox(&message);
  RecentMenu()->actions()[0]->trigger();
  EXPECT_EQ(message.toStdString(),
            Full("GONE.DAT") + " no longer exists. It has been removed from the Recent Files list.");
  EXPECT_EQ(app_->Session().Recent().Paths(), std::vector<std::string>{Full("KEEP.DAT")});
  EXPECT_TRUE(WindowTitles().isEmpty());

  RecentMenu()->Rebuild();
  ASSERT_EQ(RecentMenu()->actions().size(), 1);
  RecentMenu()->actions()[0]->trigger();
  EXPECT_EQ(WindowTitles(), QStringList{"KEEP.DAT"});
}

TEST_F(DesktopTest, DroppedFilesOpen) {
  WriteFont(dir_ / "DROP.DAT");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Full("DROP.DAT"))), QUrl("https://example.com/x.DAT")});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Frame(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Frame(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QApplication::processEvents();
  EXPECT_EQ(WindowTitles(), QStringList{"DROP.DAT"});

  // Text without files is refused.
  QMimeData text;
  text.setText("A.DAT");
  QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  QApplication::sendEvent(&Frame(), &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST_F(DesktopTest, WindowSizeAndToolbarPlacesComeBackAtTheNextStart) {
  Frame().resize(820, 610);
  Frame().addToolBar(Qt::RightToolBarArea, Frame().LeftToolbar());
  Frame().addToolBar(Qt::BottomToolBarArea, Frame().TopToolbar());
  app_.reset();

  StartApp();
  EXPECT_EQ(Frame().size(), QSize(820, 610));
  EXPECT_EQ(Frame().toolBarArea(Frame().LeftToolbar()), Qt::RightToolBarArea);
  EXPECT_EQ(Frame().toolBarArea(Frame().TopToolbar()), Qt::BottomToolBarArea);
}

TEST_F(DesktopTest, ScreenshotOfTheRecentFilesMenu) {
  for (const char* name : {"RECEIPT.DAT", "LABELS.DAT", "KANJI.DAT"}) WriteFont(dir_ / name);
  app_->OpenFiles({Full("RECEIPT.DAT"), Full("LABELS.DAT"), Full("KANJI.DAT")});
  QMenu* fileMenu = Frame().Menus(MenuBarKind::FontSet).front();
  const QPoint origin = Frame().mapToGlobal(QPoint(0, 0));
  fileMenu->popup(origin + QPoint(4, 24));
  QApplication::processEvents();
  RecentMenu()->popup(fileMenu->geometry().topRight() +
                      QPoint(0, fileMenu->actionGeometry(RecentFilesItem(MenuBarKind::FontSet)).top()));
  QApplication::processEvents();

  QPixmap shot = Frame().grab();
  QPainter painter(&shot);
  painter.drawPixmap(fileMenu->pos() - origin, fileMenu->grab());
  painter.drawPixmap(RecentMenu()->pos() - origin, RecentMenu()->grab());
  painter.end();
  const QString folder = QString::fromUtf8(DOTFORGE_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  ASSERT_TRUE(shot.save(folder + "/recent_files_menu.png"));
  EXPECT_EQ(RecentMenu()->actions().size(), 3);
  RecentMenu()->close();
  fileMenu->close();
}

}  // namespace
}  // namespace dotforge
