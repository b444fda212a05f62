#include "app/shell/dotforge_app.h"

#include <QMdiArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "app/shell/child_frame.h"
#include "app/shell/app_messages.h"
#include "app/shell/command_ids.h"
#include "app/editor/edit_view.h"
#include "app/printer_dialogs/escpos_dialog.h"
#include "app/table/font_set_commands.h"
#include "app/table/import_view.h"
#include "app/shell/main_frame.h"
#include "app/table/preview_panel.h"
#include "app/shell/program_image.h"
#include "app/dialogs/setup_dialog.h"
#include "platform/platform_kind.h"
#include "usb/usb_backend.h"
#include "app/dialogs/small_dialogs.h"
#include "formats/bitmap/bitmap_font_import.h"
#include "formats/format_table.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

constexpr QSize kMainWindowSize(1000, 700);

}  // namespace

CDotforgeApp::CDotforgeApp() : core_(prompt_), store_(SettingsStore::DefaultPath()) {
  core_.SetDocumentWindows(this);
}

CDotforgeApp::~CDotforgeApp() {
  core_.SetDocumentWindows(nullptr);
  if (session_) session_->StoreLayout();
  // The windows go first: their views still refer to the documents.
  mainFrame_.reset();
  StopPrinterLink();
}

void CDotforgeApp::StartPrinterLink() {
  settings_ = LoadStoredSettings(store_);
  importer_ = std::make_unique<ImportCommand>(settings_.importPath);
  core_.Exporter().SetCArrayRows(settings_.carrayRows);
  platformKind_ = CurrentPlatformKind();
  if (!usb::UsbOffered(platformKind_)) settings_.comm.interfaceType = kInterfaceSerial;
  comm_ = std::make_unique<CCommContext>(settings_.comm, prompt_, platformKind_);
  printer_ = std::make_unique<CPrinterCommands>(*comm_, prompt_);
}

void CDotforgeApp::StopPrinterLink() {
  if (!comm_) return;
  // The context goes first (its threads stop, the line closes), then the settings are stored.
  printer_.reset();
  comm_.reset();
  if (!importer_->Settings().importPath.empty()) settings_.importPath = importer_->Settings().importPath;
  settings_.carrayRows = core_.Exporter().CArrayRows();
  SaveStoredSettings(store_, settings_);
}

void CDotforgeApp::RunPrinterDialog(PrinterDialogKind kind, const std::shared_ptr<WorkerSink>& sink) {
  // No sink: the command did not start (another runs, or the line failed to open
  // and said why).
  if (!sink) return;
  PrinterDialog dialog(kind, sink, mainFrame_.get());
  dialog.exec();
}

void CDotforgeApp::DownloadFont(const CDotforgeImportDoc& fontSet, bool oneCharacter) {
  RunPrinterDialog(PrinterDialogKind::Download, oneCharacter ? printer_->DownloadAndPrintOneCharacter(fontSet)
                                                             : printer_->DownloadEntireFont(fontSet));
}

void CDotforgeApp::SendToEscPosPrinter(const CDotforgeImportDoc& fontSet) {
  const std::vector<SerialPortEntry> present = SerialPortScanner(SerialPortRoots::FromEnvironment()).List();
  EscPosDialog dialog(fontSet, store_, settings_.comm, present, prompt_, mainFrame_.get());
  dialog.exec();
}

void CDotforgeApp::PrintOnReceiptPrinter(const CDotforgeImportDoc& fontSet, const PicturePrint& picture) {
  const std::vector<SerialPortEntry> present = SerialPortScanner(SerialPortRoots::FromEnvironment()).List();
  EscPosDialog dialog(fontSet, store_, settings_.comm, present, prompt_, mainFrame_.get(), picture);
  dialog.exec();
}

void CDotforgeApp::SetupCommunication() {
  const std::vector<SerialPortEntry> present = SerialPortScanner(SerialPortRoots::FromEnvironment()).List();
  SetupDialog dialog(settings_.comm, usb::UsbOffered(platformKind_), present, prompt_, mainFrame_.get());
  if (dialog.exec() == QDialog::Accepted) dialog.Logic().Ok(settings_.comm, *comm_);
}

void CDotforgeApp::CreatePreviewPanel() {
  preview_ = new PreviewPanel(prompt_, mainFrame_.get());
  mainFrame_->addDockWidget(Qt::BottomDockWidgetArea, preview_);
  preview_->hide();
  QObject::connect(preview_, &PreviewPanel::PrintRequested, preview_, [this] {
    if (preview_->FontSet()) PrintOnReceiptPrinter(*preview_->FontSet(), PicturePrint{false, preview_->PrintRequest()});
  });
  // A null activation (the main window lost the focus) keeps the font set shown.
  QObject::connect(mainFrame_->MdiArea(), &QMdiArea::subWindowActivated, preview_, [this](QMdiSubWindow* window) {
    if (window) preview_->Follow(ActiveHistoryFontSet());
  });
}

void CDotforgeApp::TogglePreview() {
  if (preview_->isVisible()) {
    preview_->hide();
    return;
  }
  preview_->Follow(ActiveHistoryFontSet());
  preview_->show();
}

void CDotforgeApp::Start(const StartOptions& options) {
  mainFrame_ = std::make_unique<CMainFrame>(*this);
  mainFrame_->setWindowIcon(ProgramIcon());
  mainFrame_->resize(kMainWindowSize);
  CreatePreviewPanel();
  store_.Load();
  session_ = std::make_unique<DesktopSession>(*mainFrame_, store_, prompt_,
                                              [this](Prompt& dialogs) { OpenFontSetFile(dialogs); });
  mainFrame_->show();
  mainFrame_->RefreshCommandStates();
  if (options.showSplash) ShowSplashWindow();
  StartPrinterLink();
}

std::vector<CChildFrame*> CDotforgeApp::WindowsOf(const CDocument& document) const {
  const auto found = windows_.find(&document);
  return found == windows_.end() ? std::vector<CChildFrame*>{} : found->second;
}

CDotforgeImportDoc* CDotforgeApp::ActiveFontSet() const {
  QMdiSubWindow* window = mainFrame_->MdiArea()->activeSubWindow();
  auto* view = window ? dynamic_cast<CDotforgeImportView*>(window->widget()) : nullptr;
  return view ? view->Document() : nullptr;
}

CDotforgeImportDoc* CDotforgeApp::ActiveHistoryFontSet() const {
  if (CDotforgeImportDoc* fontSet = ActiveFontSet()) return fontSet;
  QMdiSubWindow* window = mainFrame_->MdiArea()->activeSubWindow();
  auto* view = window ? dynamic_cast<CDotforgeEditView*>(window->widget()) : nullptr;
  return view && view->Document() ? &view->Document()->FontSet() : nullptr;
}

namespace {

// "Undo Delete Character\tCtrl+Z"; the verb alone when there is no step.
std::string HistoryMenuText(const char* verb, const std::string& stepName, const char* keys) {
  return std::string(verb) + (stepName.empty() ? "" : " " + stepName) + keys;
}

}  // namespace

CCmdTarget* CDotforgeApp::DocumentTarget(CDocument& document) {
  const auto found = documentTargets_.find(&document);
  return found == documentTargets_.end() ? nullptr : found->second.get();
}

QMenu* CDotforgeApp::BuildContextMenu(QWidget* parent) { return mainFrame_->BuildContextMenu(parent); }

void CDotforgeApp::ExportFontSet(CDotforgeImportDoc& fontSet) { core_.SaveFontSet(fontSet); }

bool CDotforgeApp::CloseFontSetAfterCheck(CDotforgeImportDoc& fontSet) { return core_.CloseFontSetAfterCheck(fontSet); }

void CDotforgeApp::OpenFontSetFile() { OpenFontSetFile(prompt_); }

void CDotforgeApp::OpenFontSetFile(Prompt& dialogs) {
  const auto isOpen = [this](const std::string& path) { return core_.IsFileOpen(path); };
  if (!importer_->Run(core_.Values(), dialogs, isOpen)) return;
  core_.AddFontSet(OpenImportedFontSet(core_.Values(), prompt_));
  session_->FileOpened(core_.Values().importRequest.fileName.string());
  ReportBitmapImport(dialogs);
}

// The counts of a bitmap font import (or an outline font keeping its codes) stay
// in the status bar; when characters were skipped or cut, a message box tells
// them as well, since the new font set then lacks glyphs or dots of the file.
void CDotforgeApp::ReportBitmapImport(Prompt& dialogs) {
  const ImportRequest& request = core_.Values().importRequest;
  const bool keptCodes = request.importType == kFormatOutline && !request.glyphBlock.codes.empty();
  const FileFormat* format = FindFileFormat(request.importType);
  if (!(format && format->bitmapFont) && !keptCodes) return;
  const std::string summary = BitmapImportSummary(request.bitmapCounts);
  mainFrame_->statusBar()->showMessage(QString::fromStdString(summary));
  if (request.bitmapCounts.Skipped() > 0 || request.bitmapCounts.cut > 0) dialogs.ShowMessage(summary);
}

void CDotforgeApp::CloseFontSetWithoutAsking(CDotforgeImportDoc& fontSet) { core_.CloseFontSet(fontSet); }

void CDotforgeApp::DocumentOpened(CDocument& document) {
  if (auto* fontSet = dynamic_cast<CDotforgeImportDoc*>(&document)) {
    documentTargets_[&document] = std::make_unique<FontSetCommands>(*fontSet, *this);
  }
  if (auto* editor = dynamic_cast<CDotforgeEditDoc*>(&document)) {
    documentTargets_[&document] = std::make_unique<EditorCommands>(*editor, *this);
  }
  OpenWindow(document);
}

void CDotforgeApp::OpenWindow(CDocument& document) {
  CChildFrame* window = nullptr;
  if (auto* fontSet = dynamic_cast<CDotforgeImportDoc*>(&document)) window = OpenFontSetWindow(*fontSet);
  if (auto* editor = dynamic_cast<CDotforgeEditDoc*>(&document)) window = OpenEditorWindow(*editor);
  if (!window) return;
  windows_[&document].push_back(window);
  window->setWindowTitle(QString::fromStdString(document.GetTitle()));
  window->setWindowIcon(ProgramIcon());
  QObject::connect(window, &QObject::destroyed, [this, &document, window] {
    auto& list = windows_[&document];
    std::erase(list, window);
    if (list.empty()) windows_.erase(&document);
    // Once the window is gone for good, the menu bar follows what is left.
    if (mainFrame_) QTimer::singleShot(0, mainFrame_.get(), &CMainFrame::FollowActiveWindow);
  });
  // Maximising or restoring the window changes how the main window's title shows it.
  QObject::connect(window, &QMdiSubWindow::windowStateChanged, mainFrame_.get(), &CMainFrame::FollowActiveTitle);
  window->show();
  if (auto* table = dynamic_cast<CDotforgeImportView*>(window->widget())) FitFontSetWindow(*window, *table);
  KeepInsideMainWindow(*window);
  mainFrame_->MdiArea()->setActiveSubWindow(window);
}

void CDotforgeApp::FitFontSetWindow(CChildFrame& window, const CDotforgeImportView& view) {
  // The frame around the viewport: the child window's border and title bar, the
  // view's own frame and room for the vertical scroll bar.
  const int viewFrame = 2 * view.frameWidth();
  const QSize border = window.size() - view.size() +
                       QSize(viewFrame + view.verticalScrollBar()->sizeHint().width(), viewFrame);
  window.resize((view.OpeningViewportSize() + border).boundedTo(mainFrame_->MdiArea()->viewport()->size()));
}

void CDotforgeApp::KeepInsideMainWindow(CChildFrame& window) {
  // Moved up and left as far as needed; a window larger than the area keeps its top left corner in it.
  const QSize area = mainFrame_->MdiArea()->viewport()->size();
  const QPoint at(std::max(0, std::min(window.x(), area.width() - window.width())),
                  std::max(0, std::min(window.y(), area.height() - window.height())));
  window.move(at);
}

CChildFrame* CDotforgeApp::OpenFontSetWindow(CDotforgeImportDoc& fontSet) {
  auto* view = new CDotforgeImportView(fontSet, *this);
  auto* window = new CChildFrame(view, [this, &fontSet] { return MayCloseWindow(fontSet); });
  mainFrame_->MdiArea()->addSubWindow(window);
  return window;
}

CChildFrame* CDotforgeApp::OpenEditorWindow(CDotforgeEditDoc& editor) {
  auto* view = new CDotforgeEditView(editor, *this);
  auto* window = new CChildFrame(view, [this, &editor] {
    core_.CloseEditor(editor);
    return true;
  });
  mainFrame_->MdiArea()->addSubWindow(window);
  // The editor's window takes the size its grid asks for.
  window->resize(view->FrameSize());
  return window;
}

bool CDotforgeApp::MayCloseWindow(CDotforgeImportDoc& fontSet) {
  // Another window on the same font set keeps it open.
  if (WindowsOf(fontSet).size() > 1) return true;
  return CloseFontSetAfterCheck(fontSet);
}

void CDotforgeApp::DocumentActivated(CDocument& document) {
  const std::vector<CChildFrame*> windows = WindowsOf(document);
  for (CChildFrame* window : windows) {
    if (window->isMinimized() || window->isMaximized()) window->showNormal();
    mainFrame_->MdiArea()->setActiveSubWindow(window);
  }
}

void CDotforgeApp::DocumentClosing(CDocument& document) {
  if (auto* fontSet = dynamic_cast<CDotforgeImportDoc*>(&document); fontSet && preview_) preview_->Forget(*fontSet);
  for (CChildFrame* window : WindowsOf(document)) {
    if (auto* table = dynamic_cast<CDotforgeImportView*>(window->widget())) table->Detach();
    if (auto* editor = dynamic_cast<CDotforgeEditView*>(window->widget())) editor->Detach();
    window->CloseNow();
  }
  windows_.erase(&document);
  documentTargets_.erase(&document);
}

void CDotforgeApp::DocumentRetitled(CDocument& document) {
  for (CChildFrame* window : WindowsOf(document)) window->setWindowTitle(QString::fromStdString(document.GetTitle()));
  mainFrame_->FollowActiveTitle();
}

bool CDotforgeApp::QueryCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kFontProperties:
      // Not in editor windows, and only while a font set is open.
      state.enabled = core_.Values().openFontSetCount != 0 && ActiveFontSet() != nullptr;
      return true;
    case cmd::kNewWindow:
      state.enabled = ActiveFontSet() != nullptr;
      return true;
    case cmd::kPreview:
      state.enabled = ActiveFontSet() != nullptr;
      state.check = preview_->isVisible() ? CommandState::Check::Checked : CommandState::Check::Unchecked;
      return true;
    case cmd::kRecentFiles:
      state.enabled = session_ && !session_->Recent().Paths().empty();
      return true;
    case cmd::kUndo: {
      const CDotforgeImportDoc* fontSet = ActiveHistoryFontSet();
      state.enabled = fontSet && fontSet->history.CanUndo();
      state.text = HistoryMenuText(msg::kUndoMenuVerb, fontSet ? fontSet->history.UndoName() : "", msg::kUndoMenuKeys);
      return true;
    }
    case cmd::kRedo: {
      const CDotforgeImportDoc* fontSet = ActiveHistoryFontSet();
      state.enabled = fontSet && fontSet->history.CanRedo();
      state.text = HistoryMenuText(msg::kRedoMenuVerb, fontSet ? fontSet->history.RedoName() : "", msg::kRedoMenuKeys);
      return true;
    }
    case cmd::kNewFont:
    case cmd::kFrameworkNew:
    case cmd::kOpen:
    case cmd::kFrameworkOpen:
    case cmd::kAbout:
    case cmd::kExit:
    case cmd::kErasePrinterFonts:
    case cmd::kReadPrinterFontInfo:
    case cmd::kCheckAvailableMemory:
    case cmd::kSetupCommunication:
      return true;
    default:
      return false;
  }
}

void CDotforgeApp::OnCommand(int id) {
  switch (id) {
    case cmd::kNewFont:
    case cmd::kFrameworkNew:
      core_.NewFont();
      break;
    case cmd::kOpen:
    case cmd::kFrameworkOpen:
      OpenFontSetFile();
      break;
    case cmd::kFontProperties:
      if (CDotforgeImportDoc* fontSet = ActiveFontSet()) core_.FontProperties(*fontSet);
      break;
    case cmd::kUndo:
      if (CDotforgeImportDoc* fontSet = ActiveHistoryFontSet()) core_.Undo(*fontSet);
      break;
    case cmd::kRedo:
      if (CDotforgeImportDoc* fontSet = ActiveHistoryFontSet()) core_.Redo(*fontSet);
      break;
    case cmd::kNewWindow:
      if (CDotforgeImportDoc* fontSet = ActiveFontSet()) OpenWindow(*fontSet);
      break;
    case cmd::kPreview:
      TogglePreview();
      break;
    case cmd::kAbout: {
      AboutDialog about(mainFrame_.get());
      about.exec();
      break;
    }
    case cmd::kExit:
      Exit();
      break;
    case cmd::kErasePrinterFonts:
      if (ConfirmErasePrinterFonts(mainFrame_.get())) {
        RunPrinterDialog(PrinterDialogKind::Erase, printer_->ErasePrinterFonts());
      }
      break;
    case cmd::kReadPrinterFontInfo:
      RunPrinterDialog(PrinterDialogKind::FontInfo, printer_->ReadPrinterFontInfos());
      break;
    case cmd::kCheckAvailableMemory:
      RunPrinterDialog(PrinterDialogKind::Memory, printer_->CheckAvailableMemory());
      break;
    case cmd::kSetupCommunication:
      SetupCommunication();
      break;
    default:
      break;
  }
}

void CDotforgeApp::Exit() {
  // Every font set gets its close check before any closes; Cancel keeps them all.
  if (core_.CloseAllFontSets()) mainFrame_->CloseForExit();
}

}  // namespace dotforge
