#include "model/font_set_changes.h"

#include <algorithm>
#include <utility>

namespace dotforge {
namespace {

std::size_t GlyphBytes(const GlyphImage& glyph) { return sizeof(GlyphImage) + glyph.bitmap.capacity(); }

void SwapGlyph(CharacterRecord& record, GlyphImage& glyph) {
  std::swap(record.width, glyph.width);
  std::swap(record.height, glyph.height);
  std::swap(record.bitmap, glyph.bitmap);
}

class GlyphSwap final : public Change {
 public:
  GlyphSwap(CDotforgeImportDoc& doc, std::size_t index, GlyphImage glyph)
      : doc_(doc), index_(index), glyph_(std::move(glyph)) {}

  void Toggle() override {
    if (index_ < doc_.characters.size()) SwapGlyph(*doc_.characters[index_], glyph_);
  }
  std::size_t ByteSize() const override { return sizeof(*this) + glyph_.bitmap.capacity(); }

 private:
  CDotforgeImportDoc& doc_;
  std::size_t index_;
  GlyphImage glyph_;
};

class CellSwap final : public Change {
 public:
  CellSwap(CDotforgeImportDoc& doc, std::vector<GlyphImage> glyphs, std::int32_t width, std::int32_t height)
      : doc_(doc), glyphs_(std::move(glyphs)), width_(width), height_(height) {
    bytes_ = sizeof(*this) + (glyphs_.capacity() - glyphs_.size()) * sizeof(GlyphImage);
    for (const GlyphImage& glyph : glyphs_) bytes_ += GlyphBytes(glyph);
  }

  void Toggle() override {
    const std::size_t count = std::min(glyphs_.size(), doc_.characters.size());
    for (std::size_t i = 0; i < count; ++i) SwapGlyph(*doc_.characters[i], glyphs_[i]);
    std::swap(doc_.width, width_);
    std::swap(doc_.height, height_);
  }
  // Swapping keeps every bitmap's capacity with its glyph, so the size stays.
  std::size_t ByteSize() const override { return bytes_; }

 private:
  CDotforgeImportDoc& doc_;
  std::vector<GlyphImage> glyphs_;
  std::int32_t width_;
  std::int32_t height_;
  std::size_t bytes_ = 0;
};

// A character that is in the set or out of it: while out, the change holds it.
class PresenceSwap final : public Change {
 public:
  PresenceSwap(CDotforgeImportDoc& doc, std::size_t index, std::int32_t code,
               std::unique_ptr<CharacterRecord> held)
      : doc_(doc), index_(index), code_(code), held_(std::move(held)) {}

  void Toggle() override {
    if (held_) {
      doc_.selected = &doc_.PutCharacterAt(index_, code_, std::move(held_));
    } else if (index_ < doc_.characters.size()) {
      code_ = doc_.codes[index_];
      held_ = doc_.TakeCharacterAt(index_);
      // Its place in the table is laid out again when it comes back.
      held_->cellRect = Rect{};
    }
  }
  std::size_t ByteSize() const override {
    std::size_t bytes = sizeof(*this);
    if (held_) bytes += sizeof(CharacterRecord) + held_->bitmap.capacity() + held_->label.capacity();
    return bytes;
  }

 private:
  CDotforgeImportDoc& doc_;
  std::size_t index_;
  std::int32_t code_;
  std::unique_ptr<CharacterRecord> held_;
};

class FontIdSwap final : public Change {
 public:
  FontIdSwap(CDotforgeImportDoc& doc, char fontId) : doc_(doc), fontId_(fontId) {}
  void Toggle() override { std::swap(doc_.fontId, fontId_); }
  std::size_t ByteSize() const override { return sizeof(*this); }

 private:
  CDotforgeImportDoc& doc_;
  char fontId_;
};

}  // namespace

GlyphImage GlyphOf(const CharacterRecord& record) { return GlyphImage{record.width, record.height, record.bitmap}; }

std::vector<GlyphImage> GlyphsOf(const CDotforgeImportDoc& doc) {
  std::vector<GlyphImage> glyphs;
  glyphs.reserve(doc.characters.size());
  for (const auto& record : doc.characters) glyphs.push_back(GlyphOf(*record));
  return glyphs;
}

bool HasGlyphs(const CDotforgeImportDoc& doc, const std::vector<GlyphImage>& glyphs) {
  if (glyphs.size() != doc.characters.size()) return false;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const CharacterRecord& record = *doc.characters[i];
    const GlyphImage& glyph = glyphs[i];
    if (record.width != glyph.width || record.height != glyph.height || record.bitmap != glyph.bitmap) return false;
  }
  return true;
}

bool SameDots(ByteView a, ByteView b, std::int32_t width, std::int32_t height) {
  const std::size_t cell = CellSize(width, height);
  if (a.size() < cell || b.size() < cell) return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
  const std::size_t rowBytes = BytesPerRow(width);
  const auto lastMask = static_cast<std::uint8_t>(0xFF << ((8 - width % 8) % 8));
  for (std::size_t i = 0; i < cell; ++i) {
    const std::uint8_t mask = (i % rowBytes == rowBytes - 1) ? lastMask : 0xFF;
    if ((a[i] & mask) != (b[i] & mask)) return false;
  }
  return true;
}

std::unique_ptr<Change> GlyphChange(CDotforgeImportDoc& doc, std::size_t index, GlyphImage before) {
  return std::make_unique<GlyphSwap>(doc, index, std::move(before));
}

std::unique_ptr<Change> CellChange(CDotforgeImportDoc& doc, std::vector<GlyphImage> glyphs, std::int32_t width,
                                   std::int32_t height) {
  return std::make_unique<CellSwap>(doc, std::move(glyphs), width, height);
}

std::unique_ptr<Change> AdditionChange(CDotforgeImportDoc& doc, std::size_t index) {
  return std::make_unique<PresenceSwap>(doc, index, doc.codes[index], nullptr);
}

std::unique_ptr<Change> RemovalChange(CDotforgeImportDoc& doc, std::size_t index, std::int32_t code,
                                      std::unique_ptr<CharacterRecord> removed) {
  removed->cellRect = Rect{};
  return std::make_unique<PresenceSwap>(doc, index, code, std::move(removed));
}

std::unique_ptr<Change> FontIdChange(CDotforgeImportDoc& doc, char before) {
  return std::make_unique<FontIdSwap>(doc, before);
}

void RecordStep(CDotforgeImportDoc& doc, std::string name, Changes changes) {
  doc.history.Record(std::move(name), std::move(changes));
}

void RecordStep(CDotforgeImportDoc& doc, std::string name, std::unique_ptr<Change> change) {
  Changes changes;
  changes.push_back(std::move(change));
  RecordStep(doc, std::move(name), std::move(changes));
}

}  // namespace dotforge
