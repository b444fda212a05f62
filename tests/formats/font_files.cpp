#include "formats/font_files.h"

#include <cstring>

namespace dotforge::test {
namespace {

constexpr std::size_t kTableDirectory = 12;
constexpr std::size_t kTableRecord = 16;

std::uint32_t GetU32BE(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset) << 24 | bytes.at(offset + 1) << 16 | bytes.at(offset + 2) << 8 |
                                    bytes.at(offset + 3));
}

void PutU32BE(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

std::size_t TableCount(const Bytes& font) { return static_cast<std::size_t>(font.at(4) << 8 | font.at(5)); }

// The offset of the record of table `tag`, or 0.
std::size_t FindTable(const Bytes& font, const char* tag) {
  for (std::size_t i = 0; i < TableCount(font); ++i) {
    const std::size_t record = kTableDirectory + i * kTableRecord;
    if (std::memcmp(font.data() + record, tag, 4) == 0) return record;
  }
  return 0;
}

}  // namespace

std::filesystem::path DejaVuFont(const std::string& name) {
  const std::filesystem::path path = std::filesystem::path("/usr/share/fonts/truetype/dejavu") / name;
  return std::filesystem::exists(path) ? path : std::filesystem::path();
}

Bytes MakeCollection(const std::vector<Bytes>& fonts) {
  Bytes file{'t', 't', 'c', 'f', 0, 1, 0, 0, 0, 0, 0, 0};
  PutU32BE(file, 8, static_cast<std::uint32_t>(fonts.size()));
  file.resize(file.size() + 4 * fonts.size());
  for (std::size_t f = 0; f < fonts.size(); ++f) {
    file.resize((file.size() + 3) / 4 * 4);
    const auto base = static_cast<std::uint32_t>(file.size());
    PutU32BE(file, 12 + 4 * f, base);
    Bytes font = fonts[f];
    // Table offsets count from the start of the file, which now lies before the font.
    for (std::size_t i = 0; i < TableCount(font); ++i) {
      const std::size_t offset = kTableDirectory + i * kTableRecord + 8;
      PutU32BE(font, offset, GetU32BE(font, offset) + base);
    }
    file.insert(file.end(), font.begin(), font.end());
  }
  return file;
}

Bytes KeepCharmaps(Bytes font, int count) {
  const std::size_t record = FindTable(font, "cmap");
  const std::size_t table = GetU32BE(font, record + 8);
  font.at(table + 2) = static_cast<std::uint8_t>(count >> 8);
  font.at(table + 3) = static_cast<std::uint8_t>(count & 0xFF);
  return font;
}

Bytes WithoutCharmaps(Bytes font) {
  for (const char* tag : {"cmap", "post"}) {
    const std::size_t record = FindTable(font, tag);
    font.at(record + 1) = 'X';
  }
  return font;
}

Bytes WithManyToOneCharmap(Bytes font, std::uint32_t firstCode, std::uint32_t count, std::uint32_t glyph) {
  constexpr std::uint32_t kSubtableLength = 16 + 12;
  Bytes cmap(4 + 8 + kSubtableLength, 0);
  cmap[3] = 1;                    // one encoding record
  cmap[5] = 3;                    // platform: Windows
  cmap[7] = 10;                   // encoding: Unicode, full repertoire
  PutU32BE(cmap, 8, 12);          // subtable offset
  cmap[13] = 13;                  // format 13: many codes to one glyph
  PutU32BE(cmap, 16, kSubtableLength);
  PutU32BE(cmap, 24, 1);          // one group
  PutU32BE(cmap, 28, firstCode);
  PutU32BE(cmap, 32, firstCode + count - 1);
  PutU32BE(cmap, 36, glyph);
  // The new table goes at the end; the directory points there.
  font.resize((font.size() + 3) / 4 * 4);
  const std::size_t record = FindTable(font, "cmap");
  PutU32BE(font, record + 8, static_cast<std::uint32_t>(font.size()));
  PutU32BE(font, record + 12, static_cast<std::uint32_t>(cmap.size()));
  font.insert(font.end(), cmap.begin(), cmap.end());
  return font;
}

std::string SmallBdfFont() {
  return "STARTFONT 2.1\n"
         "FONT -misc-test-medium-r-normal--8-80-75-75-c-60-iso10646-1\n"
         "SIZE 8 75 75\n"
         "FONTBOUNDINGBOX 6 10 0 -4\n"
         "STARTPROPERTIES 2\nFONT_ASCENT 6\nFONT_DESCENT 4\nENDPROPERTIES\n"
         "CHARS 2\n"
         "STARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 6 0\nBBX 5 6 0 0\nBITMAP\n"
         "20\n50\n88\nF8\n88\n88\nENDCHAR\n"
         "STARTCHAR j\nENCODING 106\nSWIDTH 500 0\nDWIDTH 4 0\nBBX 3 8 0 -4\nBITMAP\n"
         "20\n00\n20\n20\n20\n20\n20\nC0\nENDCHAR\n"
         "ENDFONT\n";
}

std::string ManyCharactersBdfFont(int count) {
  static constexpr const char* kDots[] = {"80", "40", "20", "10"};
  std::string font =
      "STARTFONT 2.1\n"
      "FONT -misc-many-medium-r-normal--1-10-75-75-c-40-iso10646-1\n"
      "SIZE 1 75 75\n"
      "FONTBOUNDINGBOX 4 1 0 0\n"
      "STARTPROPERTIES 2\nFONT_ASCENT 1\nFONT_DESCENT 0\nENDPROPERTIES\n"
      "CHARS " + std::to_string(count) + "\n";
  font.reserve(font.size() + static_cast<std::size_t>(count) * 80);
  for (int i = 0; i < count; ++i) {
    const int code = 0x20 + i;
    font += "STARTCHAR c" + std::to_string(code) + "\nENCODING " + std::to_string(code) +
            "\nSWIDTH 500 0\nDWIDTH 4 0\nBBX 4 1 0 0\nBITMAP\n" + kDots[code % 4] + "\nENDCHAR\n";
  }
  font += "ENDFONT\n";
  return font;
}

}  // namespace dotforge::test
