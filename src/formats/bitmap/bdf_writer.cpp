#include "formats/bitmap/bdf_writer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "formats/writer_support.h"

namespace dotforge {
namespace {

// The size is given at 72 dots per inch, so that the point size is the pixel size.
constexpr std::int32_t kResolution = 72;
constexpr std::int32_t kScalableUnits = 1000;
constexpr const char* kFoundry = "Dotforge";
constexpr const char* kDefaultFamily = "Font";
constexpr int kPropertyCount = 16;

struct Charset {
  std::string registry;
  std::string encoding;
};

// Writes decimal numbers and property lines into the file.
class BdfOut : public TextOut {
 public:
  explicit BdfOut(Bytes& out) : TextOut(out) {}
  BdfOut& Number(std::int64_t value) {
    char text[24];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    *this << std::string_view(text, static_cast<std::size_t>(result.ptr - text));
    return *this;
  }
  void Property(std::string_view name, std::int64_t value) {
    *this << name << " ";
    Number(value) << "\n";
  }
  void Property(std::string_view name, std::string_view value) { *this << name << " \"" << value << "\"\n"; }
};

// XLFD fields are separated by '-' and the properties are quoted: such
// characters, blanks and anything outside printable ASCII become '_'.
std::string XlfdField(std::string_view text) {
  std::string field;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool reserved = c == '-' || c == '"' || c == '*' || c == '?' || c == ',' || byte <= ' ' || byte > '~';
    field += reserved ? '_' : c;
  }
  return field;
}

// "ISO-8859-2" -> ISO8859 / 2, "CP437" -> CP437 / 0, Unicode -> ISO10646 / 1.
Charset CharsetOf(const std::string& codePage) {
  if (codePage.empty()) return {"ISO10646", "1"};
  std::string name;
  for (const char c : codePage) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string encoding = "0";
  const std::size_t dash = name.rfind('-');
  if (dash != std::string::npos && dash + 1 < name.size() &&
      std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dash) + 1, name.end(),
                  [](unsigned char c) { return std::isdigit(c); })) {
    encoding = name.substr(dash + 1);
    name.resize(dash);
  }
  name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
  return {XlfdField(name), encoding};
}

void WriteHeader(BdfOut& out, const CDotforgeImportDoc& doc, std::int32_t baseline, const BdfNames& names) {
  const std::int32_t w = doc.width;
  const std::int32_t h = doc.height;
  const std::string family = names.family.empty() ? kDefaultFamily : XlfdField(names.family);
  const Charset charset = CharsetOf(names.codePage);
  out << "STARTFONT 2.1\nFONT -" << kFoundry << "-" << family << "-Medium-R-Normal--";
  out.Number(h) << "-";
  out.Number(h * 10) << "-";
  out.Number(kResolution) << "-";
  out.Number(kResolution) << "-C-";
  out.Number(w * 10) << "-" << charset.registry << "-" << charset.encoding << "\nSIZE ";
  out.Number(h) << " ";
  out.Number(kResolution) << " ";
  out.Number(kResolution) << "\nFONTBOUNDINGBOX ";
  out.Number(w) << " ";
  out.Number(h) << " 0 ";
  out.Number(baseline - h) << "\nSTARTPROPERTIES ";
  out.Number(kPropertyCount) << "\n";
  out.Property("FOUNDRY", kFoundry);
  out.Property("FAMILY_NAME", family);
  out.Property("WEIGHT_NAME", "Medium");
  out.Property("SLANT", "R");
  out.Property("SETWIDTH_NAME", "Normal");
  out.Property("ADD_STYLE_NAME", "");
  out.Property("PIXEL_SIZE", h);
  out.Property("POINT_SIZE", h * 10);
  out.Property("RESOLUTION_X", kResolution);
  out.Property("RESOLUTION_Y", kResolution);
  out.Property("SPACING", "C");
  out.Property("AVERAGE_WIDTH", w * 10);
  out.Property("CHARSET_REGISTRY", charset.registry);
  out.Property("CHARSET_ENCODING", charset.encoding);
  out.Property("FONT_ASCENT", baseline);
  out.Property("FONT_DESCENT", h - baseline);
  out << "ENDPROPERTIES\nCHARS ";
  out.Number(static_cast<std::int64_t>(doc.characters.size())) << "\n";
}

// "uni00A5" (or "u1F600" beyond U+FFFF) for the Unicode character the glyph
// stands for, "C" and the label when it stands for none.
void PutGlyphName(BdfOut& out, const CharacterRecord& record, const CodePageDecoder* decoder) {
  const std::optional<char32_t> unicode = CharacterUnicode(record, decoder);
  if (!unicode) {
    out << "C" << record.label;
    return;
  }
  char name[16];
  const int length = std::snprintf(name, sizeof name, *unicode > 0xFFFF ? "u%05X" : "uni%04X",
                                   static_cast<unsigned>(*unicode));
  out << std::string_view(name, static_cast<std::size_t>(length));
}

void WriteCharacter(BdfOut& out, const CharacterRecord& record, const CDotforgeImportDoc& doc,
                    std::int32_t baseline, const CodePageDecoder* decoder, Bytes& cell) {
  const std::int32_t w = doc.width;
  const std::int32_t h = doc.height;
  const std::uint32_t code = CharacterCode(record);
  Bytes scratch;
  const ByteView view = CellOf(record, w, h, scratch);
  cell.assign(view.begin(), view.end());
  ClearRowPadding(cell, w);

  out << "STARTCHAR ";
  PutGlyphName(out, record, decoder);
  out << "\nENCODING ";
  out.Number(code) << "\nSWIDTH ";
  out.Number((static_cast<std::int64_t>(w) * kScalableUnits + h / 2) / h) << " 0\nDWIDTH ";
  out.Number(w) << " 0\nBBX ";
  out.Number(w) << " ";
  out.Number(h) << " 0 ";
  out.Number(baseline - h) << "\nBITMAP\n";
  const auto rowBytes = static_cast<std::size_t>(BytesPerRow(w));
  for (std::size_t row = 0; row + rowBytes <= cell.size(); row += rowBytes) {
    for (std::size_t i = 0; i < rowBytes; ++i) out.Hex2(cell[row + i]);
    out << "\n";
  }
  out << "ENDCHAR\n";
}

}  // namespace

std::int32_t DefaultBaseline(std::int32_t height) { return height - height / 8; }

std::int32_t FontSetBaseline(const CDotforgeImportDoc& doc) {
  if (doc.baseline && *doc.baseline >= 0 && *doc.baseline <= doc.height) return *doc.baseline;
  return DefaultBaseline(doc.height);
}

Bytes EncodeBdfFile(const CDotforgeImportDoc& doc, std::int32_t baseline, const BdfNames& names) {
  Bytes file;
  const std::size_t rowText = static_cast<std::size_t>(BytesPerRow(doc.width)) * 2 + 1;
  constexpr std::size_t kCharacterLines = 100;
  file.reserve(doc.characters.size() * (kCharacterLines + rowText * static_cast<std::size_t>(std::max(doc.height, 0))));
  BdfOut out(file);
  WriteHeader(out, doc, baseline, names);
  // The export has checked that iconv knows the code page.
  const std::optional<CodePageDecoder> decoder =
      names.codePage.empty() ? std::nullopt : CodePageDecoder::Open(names.codePage);
  Bytes cell;
  for (const CharacterRecord* record : CharactersByCode(doc)) {
    WriteCharacter(out, *record, doc, baseline, decoder ? &*decoder : nullptr, cell);
  }
  out << "ENDFONT\n";
  return file;
}

}  // namespace dotforge
