#include "app/dotforge_app.h"

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/program_image.h"
#include "app/small_dialogs.h"

namespace dotforge {

CDotforgeApp::CDotforgeApp() = default;
CDotforgeApp::~CDotforgeApp() = default;

void CDotforgeApp::Start(const StartOptions& options) {
  mainFrame_ = std::make_unique<CMainFrame>(*this);
  mainFrame_->setWindowIcon(ProgramIcon());
  mainFrame_->resize(1000, 700);
  mainFrame_->show();
  mainFrame_->RefreshCommandStates();
  if (options.showSplash) ShowSplashWindow();
}

bool CDotforgeApp::QueryCommand(int id, CommandState&) {
  return id == cmd::kAbout || id == cmd::kExit;
}

void CDotforgeApp::OnCommand(int id) {
  switch (id) {
    case cmd::kAbout: {
      AboutDialog about(mainFrame_.get());
      about.exec();
      break;
    }
    case cmd::kExit:
      Exit();
      break;
    default:
      break;
  }
}

void CDotforgeApp::Exit() { mainFrame_->CloseForExit(); }

}  // namespace dotforge
