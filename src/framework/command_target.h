#pragma once
// Command routing: a command goes to the active view, its document, the child
// frame, the main frame and the application; the first target with a handler
// runs it, and a command that no target on the path handles is disabled.

#include <string>
#include <vector>

namespace dotforge {

struct CommandState {
  bool enabled = true;
  enum class Check { None, Unchecked, Checked } check = Check::None;
  // When not empty, the menu text the command shows now (naming what it acts on).
  std::string text;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // True when this target handles `id`; it may then adjust `state`.
  virtual bool QueryCommand(int id, CommandState& state) = 0;
  // Runs the handler of `id`; only called after QueryCommand said it handles it.
  virtual void OnCommand(int id) = 0;
};

class CommandRoute {
 public:
  explicit CommandRoute(std::vector<CCmdTarget*> targets) : targets_(std::move(targets)) {}

  // The state of the first target that handles `id`; disabled when none does.
  CommandState Query(int id) const;
  // Runs `id` on the first target that handles it, if it is enabled there.
  bool Execute(int id) const;

 private:
  CCmdTarget* Handler(int id, CommandState& state) const;

  std::vector<CCmdTarget*> targets_;
};

}  // namespace dotforge
