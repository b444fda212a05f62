#include "formats/bitmap/freetype_bitmap_reader.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_FONT_FORMATS_H

#include <cstring>

#include "formats/formats_messages.h"
#include "formats/outline/freetype_handles.h"

namespace dotforge {
namespace {

constexpr FT_Long kMaxMemoryFaceBytes = 0x7FFFFFFF;

bool IsX11BitmapFace(FT_Face face) {
  const char* format = FT_Get_Font_Format(face);
  return format && (std::strcmp(format, "BDF") == 0 || std::strcmp(format, "PCF") == 0);
}

// An integer property of the font, such as FONT_ASCENT.
std::optional<std::int32_t> IntegerProperty(FT_Face face, const char* name) {
  BDF_PropertyRec property{};
  if (FT_Get_BDF_Property(face, name, &property) != 0) return std::nullopt;
  if (property.type == BDF_PROPERTY_TYPE_INTEGER) return property.u.integer;
  if (property.type == BDF_PROPERTY_TYPE_CARDINAL) return static_cast<std::int32_t>(property.u.cardinal);
  return std::nullopt;
}

// The loaded glyph's bitmap as a glyph box; nothing for a bitmap that is not one
// bit per dot in top-down rows.
std::optional<BitmapGlyph> SlotGlyph(FT_GlyphSlot slot, std::uint32_t code) {
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0 && bitmap.width > 0) return std::nullopt;
  const auto width = static_cast<std::int32_t>(bitmap.width);
  const auto height = static_cast<std::int32_t>(bitmap.rows);
  // bitmap_top is the box's top row above the baseline: its bottom lies h below.
  BitmapGlyph glyph{code, width, height, slot->bitmap_left, slot->bitmap_top - height, {}};
  const std::size_t rowBytes = static_cast<std::size_t>((width + 7) / 8);
  glyph.rows.resize(rowBytes * static_cast<std::size_t>(height));
  // An empty box has no buffer; rows must lie top-down and hold a whole row each.
  if (glyph.rows.empty()) return glyph;
  if (!bitmap.buffer || bitmap.pitch < static_cast<int>(rowBytes)) return std::nullopt;
  for (std::int32_t row = 0; row < height; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    std::memcpy(glyph.rows.data() + static_cast<std::size_t>(row) * rowBytes, source, rowBytes);
  }
  // Bits beyond the box's width in the last byte are not the glyph's.
  if (width % 8 != 0) {
    const auto mask = static_cast<std::uint8_t>(0xFF << (8 - width % 8));
    for (std::int32_t row = 0; row < height; ++row) glyph.rows[(row + 1) * rowBytes - 1] &= mask;
  }
  return glyph;
}

bool ReadGlyphs(FT_Face face, BitmapFont& font, std::string& problem) {
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(face, &index); index != 0; code = FT_Get_Next_Char(face, code, &index)) {
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) {
      problem = msg::kBitmapGlyphUnreadable;
      return false;
    }
    std::optional<BitmapGlyph> glyph = SlotGlyph(face->glyph, static_cast<std::uint32_t>(code));
    if (!glyph) {
      problem = msg::kBitmapGlyphNotMono;
      return false;
    }
    font.glyphs.push_back(std::move(*glyph));
  }
  return true;
}

}  // namespace

std::optional<BitmapFont> ReadFreeTypeBitmapFont(ByteView bytes, std::string& problem) {
  const FreeTypeLibrary library = InitFreeType();
  if (!library) {
    problem = msg::kFreeTypeInitFailed;
    return std::nullopt;
  }
  FT_Face raw = nullptr;
  if (bytes.size() > static_cast<std::size_t>(kMaxMemoryFaceBytes) ||
      FT_New_Memory_Face(library.get(), bytes.data(), static_cast<FT_Long>(bytes.size()), 0, &raw) != 0) {
    problem = msg::kNotX11BitmapFont;
    return std::nullopt;
  }
  const FreeTypeFace face(raw);
  if (!IsX11BitmapFace(face.get()) || face->num_fixed_sizes < 1 || FT_Select_Size(face.get(), 0) != 0) {
    problem = msg::kNotX11BitmapFont;
    return std::nullopt;
  }
  if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face.get(), face->charmaps[0]);
  if (!face->charmap) {
    problem = msg::kNoGlyphs;
    return std::nullopt;
  }

  // FreeType takes the size's ascender from FONT_ASCENT, or else from FONTBOUNDINGBOX.
  BitmapFont font;
  const FT_Size_Metrics& metrics = face->size->metrics;
  font.ascent = IntegerProperty(face.get(), "FONT_ASCENT").value_or(static_cast<std::int32_t>(metrics.ascender / 64));
  font.descent =
      IntegerProperty(face.get(), "FONT_DESCENT").value_or(static_cast<std::int32_t>(-metrics.descender / 64));
  font.unicodeCodes = face->charmap->encoding == FT_ENCODING_UNICODE;
  if (!ReadGlyphs(face.get(), font, problem)) return std::nullopt;
  return font;
}

}  // namespace dotforge
