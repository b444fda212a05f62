#include "framework/document.h"

namespace dotforge {

int CDocument::AddUpdateListener(UpdateListener listener) {
  const int id = nextListenerId_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void CDocument::RemoveUpdateListener(int id) { listeners_.erase(id); }

void CDocument::UpdateAllViews() const {
  for (const auto& [id, listener] : listeners_) listener();
}

}  // namespace dotforge
