#pragma once
// The application object: starts the program, owns the main window and handles
// the commands that belong to no document.

#include <memory>

#include "framework/command_target.h"

namespace dotforge {

class CMainFrame;

struct StartOptions {
  bool showSplash = true;
};

class CDotforgeApp : public CCmdTarget {
 public:
  CDotforgeApp();
  ~CDotforgeApp() override;

  // Creates and shows the main window, then the start-up window.
  void Start(const StartOptions& options = {});
  CMainFrame& MainFrame() const { return *mainFrame_; }

  bool QueryCommand(int id, CommandState& state) override;
  void OnCommand(int id) override;

 private:
  void Exit();

  std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace dotforge
