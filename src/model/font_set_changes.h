#pragma once
// The changes a font set's history is made of, and what the operations call to
// record a step. Each change keeps only what it touched: one glyph, one character
// added or removed, the font id, or, for set-wide steps, every glyph and the cell.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "history/history.h"
#include "model/font_set.h"

namespace dotforge {

// A glyph as a record holds it: its size and packed bitmap.
struct GlyphImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  Bytes bitmap;
  bool operator==(const GlyphImage&) const = default;
};

GlyphImage GlyphOf(const CharacterRecord& record);
// Every glyph of the set, in list order.
std::vector<GlyphImage> GlyphsOf(const CDotforgeImportDoc& doc);
// True when the set's glyphs are `glyphs`.
bool HasGlyphs(const CDotforgeImportDoc& doc, const std::vector<GlyphImage>& glyphs);

// True when two packed `width` x `height` glyphs have the same dots; the padding
// bits after each row's last dot do not count.
bool SameDots(ByteView a, ByteView b, std::int32_t width, std::int32_t height);

// The glyph of the character at `index` was `before`.
std::unique_ptr<Change> GlyphChange(CDotforgeImportDoc& doc, std::size_t index, GlyphImage before);
// Every glyph and the cell were `glyphs` and `width` x `height`.
std::unique_ptr<Change> CellChange(CDotforgeImportDoc& doc, std::vector<GlyphImage> glyphs, std::int32_t width,
                                   std::int32_t height);
// The character at `index` was added.
std::unique_ptr<Change> AdditionChange(CDotforgeImportDoc& doc, std::size_t index);
// `removed`, the character that was at `index` with `code`, was taken out.
std::unique_ptr<Change> RemovalChange(CDotforgeImportDoc& doc, std::size_t index, std::int32_t code,
                                      std::unique_ptr<CharacterRecord> removed);
// The font id was `before`.
std::unique_ptr<Change> FontIdChange(CDotforgeImportDoc& doc, char before);

// Records one step of the set's history.
void RecordStep(CDotforgeImportDoc& doc, std::string name, Changes changes);
void RecordStep(CDotforgeImportDoc& doc, std::string name, std::unique_ptr<Change> change);

}  // namespace dotforge
