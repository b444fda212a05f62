#include "formats/firmware/gfx_writer.h"

#include <cstdio>
#include <string>

#include "formats/bitmap/bdf_writer.h"
#include "formats/firmware/c_identifier.h"
#include "formats/firmware/firmware_messages.h"
#include "formats/firmware/gfx_font.h"
#include "formats/firmware/glyph_comments.h"
#include "formats/formats_messages.h"
#include "formats/writer_support.h"
#include "model/file_access.h"

namespace dotforge {
namespace {

// The library's glyph offsets are signed bytes, its sizes and advances bytes.
constexpr std::int32_t kMaxGfxCellSide = 127;
constexpr std::size_t kMaxGfxBitmapBytes = 0xFFFF;
// A wider range of codes must hold at least a quarter of its codes.
constexpr std::size_t kMaxSparseRange = 4096;
constexpr std::size_t kBitmapBytesPerLine = 12;

void PutFormatted(TextOut& out, const char* format, auto... values) {
  char text[96];
  const int length = std::snprintf(text, sizeof text, format, values...);
  out << std::string_view(text, static_cast<std::size_t>(length));
}

void WriteBitmaps(TextOut& out, const GfxFont& font, std::string_view name) {
  out << "const uint8_t " << name << "Bitmaps[] PROGMEM = {";
  for (std::size_t i = 0; i < font.bitmap.size(); ++i) {
    out << (i % kBitmapBytesPerLine == 0 ? "\n  0x" : " 0x");
    out.Hex2(font.bitmap[i]);
    if (i + 1 < font.bitmap.size()) out << ",";
  }
  out << " };\n\n";
}

void WriteGlyphs(TextOut& out, const GfxFont& font, std::string_view name) {
  out << "const GFXglyph " << name << "Glyphs[] PROGMEM = {\n";
  for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
    const GfxGlyph& glyph = font.glyphs[i];
    PutFormatted(out, "  { %5zu, %3d, %3d, %3d, %4d, %4d }", glyph.bitmapOffset, glyph.width, glyph.height,
                 glyph.xAdvance, glyph.xOffset, glyph.yOffset);
    out << (i + 1 < font.glyphs.size() ? ",   // " : " }; // ");
    PutCodeName(out, glyph.code, 2);
    out << "\n";
  }
  out << "\n";
}

void WriteFont(TextOut& out, const GfxFont& font, std::string_view name) {
  out << "const GFXfont " << name << " PROGMEM = {\n  (uint8_t  *)" << name << "Bitmaps,\n  (GFXglyph *)" << name
      << "Glyphs,\n";
  PutFormatted(out, "  0x%02X, 0x%02X, %d };\n\n", font.first, font.last, font.yAdvance);
  out << "// Approx. " << std::to_string(font.bitmap.size() + font.glyphs.size() * 7 + 7) << " bytes\n";
}

bool CheckCharacters(const std::vector<const CharacterRecord*>& characters, Prompt& prompt) {
  if (characters.empty()) {
    prompt.ShowMessage(msg::kGfxNoCharacters);
    return false;
  }
  const std::size_t records = CharacterCode(*characters.back()) - CharacterCode(*characters.front()) + 1;
  if (records <= kMaxSparseRange || characters.size() * 4 >= records) return true;
  prompt.ShowMessage(std::to_string(records) + msg::kGfxRecordsFor + std::to_string(characters.size()) +
                     msg::kGfxSparseRange);
  return false;
}

Bytes FormatGfxFile(const GfxFont& font, std::string_view name) {
  Bytes file;
  file.reserve(font.bitmap.size() * 6 + font.glyphs.size() * 64 + 512);
  TextOut out(file);
  WriteBitmaps(out, font, name);
  WriteGlyphs(out, font, name);
  WriteFont(out, font, name);
  return file;
}

}  // namespace

Bytes EncodeGfxFile(const CDotforgeImportDoc& doc, std::string_view name, const GfxOptions& options) {
  const std::int32_t baseline = options.baseline.value_or(FontSetBaseline(doc));
  return FormatGfxFile(BuildGfxFont(GfxCharacters(doc, options.codes), doc, baseline), name);
}

bool WriteGfxFile(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const GfxOptions& options,
                  Prompt& prompt) {
  if (doc.width < 1 || doc.width > kMaxGfxCellSide || doc.height < 1 || doc.height > kMaxGfxCellSide) {
    prompt.ShowMessage(msg::kGfxCellTooLarge);
    return false;
  }
  if (!CheckStorableCodes(doc, prompt)) return false;
  const std::int32_t baseline = options.baseline.value_or(FontSetBaseline(doc));
  if (baseline < 0 || baseline > doc.height) {
    prompt.ShowMessage(msg::kBaselineOutsideCell);
    return false;
  }
  const std::vector<const CharacterRecord*> characters = GfxCharacters(doc, options.codes);
  if (!CheckCharacters(characters, prompt)) return false;
  const GfxFont font = BuildGfxFont(characters, doc, baseline);
  if (font.bitmap.size() > kMaxGfxBitmapBytes) {
    prompt.ShowMessage(std::to_string(font.bitmap.size()) + msg::kGfxBitmapTooLarge);
    return false;
  }
  return SaveFontFile(path, FormatGfxFile(font, CIdentifierOf(path)), prompt);
}

}  // namespace dotforge
