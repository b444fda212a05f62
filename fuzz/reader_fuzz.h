#pragma once
// Shared body of the reader fuzz targets: read the input and check what came
// back against the model's invariants.

#include <cstdint>
#include <cstdlib>

#include "framework/scripted_prompt.h"
#include "model/font_set.h"

namespace dotforge::fuzz {

inline void CheckInvariants(const CDotforgeImportDoc& doc) {
  if (doc.characters.size() != doc.codes.size()) std::abort();
  for (std::size_t i = 0; i < doc.characters.size(); ++i) {
    const CharacterRecord& record = *doc.characters[i];
    if (record.bitmap.size() != CellSize(record.width, record.height)) std::abort();
    if (ParseLabelCode(record.label) != static_cast<std::uint32_t>(doc.codes[i])) std::abort();
  }
}

template <typename Reader>
int FuzzReader(const std::uint8_t* data, std::size_t size, Reader reader) {
  CDotforgeImportDoc doc;
  ScriptedPrompt prompt;
  reader(doc, ByteView(data, size), prompt);
  CheckInvariants(doc);
  return 0;
}

}  // namespace dotforge::fuzz
