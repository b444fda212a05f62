#pragma once
// The application object: starts the program, owns the main window, the
// application core and the document windows, and handles the commands that
// belong to no single view.

#include <map>
#include <memory>
#include <vector>

#include "app/shell/app_prompt.h"
#include "app/session/desktop_session.h"
#include "app/printer_dialogs/escpos_dialog.h"
#include "app/printer_dialogs/printer_dialog.h"
#include "app/shell/view_host.h"
#include "comm/comm_context.h"
#include "comm/stored_settings.h"
#include "formats/commands/import_command.h"
#include "framework/command_target.h"
#include "platform/settings_store.h"
#include "printer/printer_commands.h"

namespace dotforge {

class CChildFrame;
class CDotforgeImportView;
class CMainFrame;
class PreviewPanel;

struct StartOptions {
  bool showSplash = true;
};

class CDotforgeApp : public CCmdTarget, public ViewHost, public DocumentWindows {
 public:
  CDotforgeApp();
  ~CDotforgeApp() override;

  // Creates and shows the main window, then the start-up window.
  void Start(const StartOptions& options = {});
  CMainFrame& MainFrame() const { return *mainFrame_; }
  // The Preview panel, docked in the main window (hidden until Preview shows it).
  PreviewPanel& Preview() const { return *preview_; }
  // The child windows showing `document`.
  std::vector<CChildFrame*> WindowsOf(const CDocument& document) const;
  // The font set of the active window, if a font set window is active.
  CDotforgeImportDoc* ActiveFontSet() const;
  // The font set of the active window, a character table or one of its editors.
  CDotforgeImportDoc* ActiveHistoryFontSet() const;

  // Save: the export dialog and writer; the window titles follow a new name.
  void ExportFontSet(CDotforgeImportDoc& fontSet);
  // The close check (Yes exports, No discards, Cancel keeps it), then the close.
  // False when the font set stays open.
  bool CloseFontSetAfterCheck(CDotforgeImportDoc& fontSet);
  // Open: the import dialog, the already-opened rule, a new font set window.
  void OpenFontSetFile();
  // Opens each file as Open would, its type told by its extension (after Start).
  void OpenFiles(const std::vector<std::string>& paths) { session_->OpenFiles(paths); }
  const DesktopSession& Session() const { return *session_; }
  // The printer commands of a font set: Download Entire Font, Download & Print One Character.
  void DownloadFont(const CDotforgeImportDoc& fontSet, bool oneCharacter);
  // "Send to ESC/POS Printer…": the dialog, with the last choices.
  void SendToEscPosPrinter(const CDotforgeImportDoc& fontSet);
  // "Print on Receipt Printer…" of the Preview panel and "Print Character Table on
  // Receipt Printer…": the same dialog, printing pictures.
  void PrintOnReceiptPrinter(const CDotforgeImportDoc& fontSet, const PicturePrint& picture);

  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

  ApplicationCore& Core() override { return core_; }
  Prompt& UserPrompt() override { return prompt_; }
  CCmdTarget* DocumentTarget(CDocument& document) override;
  QMenu* BuildContextMenu(QWidget* parent) override;
  void CloseFontSetWithoutAsking(CDotforgeImportDoc& fontSet) override;
  ReferenceLineSettings& ReferenceLines() override { return referenceLines_; }

  void DocumentOpened(CDocument& document) override;
  void DocumentActivated(CDocument& document) override;
  void DocumentClosing(CDocument& document) override;
  void DocumentRetitled(CDocument& document) override;

 private:
  // Open with `dialogs` answering the file dialog.
  void OpenFontSetFile(Prompt& dialogs);
  void ReportBitmapImport(Prompt& dialogs);
  void OpenWindow(CDocument& document);
  CChildFrame* OpenFontSetWindow(CDotforgeImportDoc& fontSet);
  CChildFrame* OpenEditorWindow(CDotforgeEditDoc& editor);
  // Gives a new font set window room for its table, within the main window.
  void FitFontSetWindow(CChildFrame& window, const CDotforgeImportView& view);
  // Moves a new child window where the main window shows all of it.
  void KeepInsideMainWindow(CChildFrame& window);
  bool MayCloseWindow(CDotforgeImportDoc& fontSet);
  void Exit();
  // Loads the communication settings and creates the printer link.
  void StartPrinterLink();
  // Stops the printer link and stores the settings.
  void StopPrinterLink();
  void RunPrinterDialog(PrinterDialogKind kind, const std::shared_ptr<WorkerSink>& sink);
  void SetupCommunication();
  // The Preview panel at the bottom of the main window, following the active font set.
  void CreatePreviewPanel();
  void TogglePreview();

  AppPrompt prompt_;
  ApplicationCore core_;
  ReferenceLineSettings referenceLines_;
  std::unique_ptr<ImportCommand> importer_;
  SettingsStore store_;
  StoredSettings settings_;
  int platformKind_ = 0;
  std::unique_ptr<CCommContext> comm_;
  std::unique_ptr<CPrinterCommands> printer_;
  std::unique_ptr<CMainFrame> mainFrame_;
  PreviewPanel* preview_ = nullptr;  // owned by the main window
  std::unique_ptr<DesktopSession> session_;
  std::map<const CDocument*, std::vector<CChildFrame*>> windows_;
  std::map<const CDocument*, std::unique_ptr<CCmdTarget>> documentTargets_;
};

}  // namespace dotforge
