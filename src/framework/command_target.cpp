#include "framework/command_target.h"

namespace dotforge {

CCmdTarget* CommandRoute::Handler(int id, CommandState& state) const {
  for (CCmdTarget* target : targets_) {
    state = CommandState{};
    if (target && target->QueryCommand(id, state)) return target;
  }
  state.enabled = false;
  return nullptr;
}

CommandState CommandRoute::Query(int id) const {
  CommandState state;
  Handler(id, state);
  return state;
}

bool CommandRoute::Execute(int id) const {
  CommandState state;
  CCmdTarget* target = Handler(id, state);
  if (!target || !state.enabled) return false;
  target->OnCommand(id);
  return true;
}

}  // namespace dotforge
