#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli_run.h"
#include "formats/formats_messages.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

// Fonts of the Debian packages scripts/deps installs.
const std::filesystem::path kUnifontHex = "/usr/share/unifont/unifont.hex";
const std::filesystem::path kTerminusPsf2 = "/usr/share/consolefonts/Lat15-Terminus24x12.psf.gz";
const std::filesystem::path kUnifontPsf1 = "/usr/share/consolefonts/Unifont-APL8x16.psf.gz";
const std::filesystem::path kFixedPcf = "/usr/share/fonts/X11/misc/12x24.pcf.gz";

struct DumpedSet {
  std::string header;
  std::map<std::uint32_t, std::string> cells;  // code -> "WxH HEX"
  std::vector<std::uint32_t> order;
};

DumpedSet ParseDump(const std::string& out) {
  DumpedSet set;
  std::istringstream lines(out);
  std::getline(lines, set.header);
  std::string label, size, hex;
  while (lines >> label >> size >> hex) {
    const auto code = static_cast<std::uint32_t>(std::stoul(label, nullptr, 16));
    set.cells[code] = size + ' ' + hex;
    set.order.push_back(code);
  }
  return set;
}

// The hex text's bitmap for a code point, as the test reads the file itself.
std::string HexLine(std::uint32_t code) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04X:", code);
  std::ifstream file(kUnifontHex);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind(prefix, 0) == 0) return line.substr(std::strlen(prefix));
  }
  return {};
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// An 8-wide hex glyph in a 16-wide cell: each row's byte followed by a blank one.
std::string Widened(const std::string& narrow) {
  std::string wide;
  for (std::size_t i = 0; i < narrow.size(); i += 2) wide += narrow.substr(i, 2) + "00";
  return wide;
}

// The glyph bytes of a PSF file's character `code` (< 0x80), found through its
// Unicode table read here independently of the program's reader.
Bytes PsfGlyphOf(const Bytes& psf, std::uint16_t code) {
  const bool psf2 = psf[0] == 0x72;
  auto u32 = [&](std::size_t at) {
    return static_cast<std::size_t>(psf[at] | psf[at + 1] << 8 | psf[at + 2] << 16 | psf[at + 3] << 24);
  };
  const std::size_t header = psf2 ? u32(8) : 4;
  const std::size_t count = psf2 ? u32(16) : ((psf[2] & 1) ? 512 : 256);
  const std::size_t glyphBytes = psf2 ? u32(20) : psf[3];
  std::size_t at = header + count * glyphBytes;
  for (std::size_t glyph = 0; glyph < count; ++glyph) {
    // Entries end in 0xFF (PSF2) or 0xFFFF (PSF1); sequences after 0xFE / 0xFFFE are no match.
    bool found = false;
    bool sequence = false;
    if (psf2) {
      for (; psf[at] != 0xFF; ++at) {
        sequence = sequence || psf[at] == 0xFE;
        found = found || (!sequence && psf[at] == code);
      }
      ++at;
    } else {
      for (; !(psf[at] == 0xFF && psf[at + 1] == 0xFF); at += 2) {
        const int value = psf[at] | psf[at + 1] << 8;
        sequence = sequence || value == 0xFFFE;
        found = found || (!sequence && value == code);
      }
      at += 2;
    }
    if (found) return Bytes(psf.begin() + header + glyph * glyphBytes, psf.begin() + header + (glyph + 1) * glyphBytes);
  }
  return {};
}

std::string HexOf(const Bytes& bytes) {
  std::string text;
  char digits[3];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    text += digits;
  }
  return text;
}

class BitmapImportCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : {kUnifontHex, kTerminusPsf2, kUnifontPsf1, kFixedPcf}) {
      ASSERT_TRUE(std::filesystem::exists(file)) << file << " is missing: run scripts/deps";
    }
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  Bytes Unpacked(const std::filesystem::path& gz) {
    const std::string out = Path(gz.stem().string());
    EXPECT_EQ(std::system(("gzip -dc '" + gz.string() + "' > '" + out + "'").c_str()), 0);
    return test::ReadBytes(out);
  }

  test::TempDir dir_;
};

TEST_F(BitmapImportCliTest, UnifontHexBecomesSixteenBySixteenDoubleByteSet) {
  const CliRun run = Dump({kUnifontHex.string()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const DumpedSet set = ParseDump(run.out);
  EXPECT_EQ(set.header.rfind("font-type=1 font-id=48 width=16 height=16", 0), 0u) << set.header;
  EXPECT_GT(set.cells.size(), 50000u);
  EXPECT_TRUE(std::is_sorted(set.order.begin(), set.order.end()));
  EXPECT_FALSE(set.cells.count(0x1F));
  EXPECT_NE(run.err.find(" characters kept, "), std::string::npos);
  EXPECT_NE(run.err.find("below 0x20"), std::string::npos);
  EXPECT_NE(run.err.find(", 0 cut at the cell's edges"), std::string::npos);
  // Unifont stands 2 rows below the baseline at ascent 14: its rows fill the cell.
  EXPECT_EQ(set.cells.at(0x41), "16x16 " + Widened(Lower(HexLine(0x41))));
  EXPECT_EQ(set.cells.at(0xE9), "16x16 " + Widened(Lower(HexLine(0xE9))));
  EXPECT_EQ(set.cells.at(0x3042), "16x16 " + Lower(HexLine(0x3042)));
  EXPECT_EQ(set.cells.at(0x4E00), "16x16 " + Lower(HexLine(0x4E00)));
}

TEST_F(BitmapImportCliTest, CodePagesReEncodeKnownCharacters) {
  const CliRun cp437 = Dump({kUnifontHex.string(), "--encoding", "CP437", "--width", "8"});
  ASSERT_EQ(cp437.status, kExitOk) << cp437.err;
  const DumpedSet single = ParseDump(cp437.out);
  EXPECT_EQ(single.header.rfind("font-type=0 font-id=48 width=8 height=16", 0), 0u) << single.header;
  EXPECT_EQ(single.cells.at(0x82), "8x16 " + Lower(HexLine(0xE9)));
  EXPECT_EQ(single.cells.at(0xB0), "8x16 " + Lower(HexLine(0x2591)));  // light shade
  EXPECT_EQ(single.cells.at(0x41), "8x16 " + Lower(HexLine(0x41)));
  EXPECT_LE(single.order.back(), 0xFFu);
  EXPECT_NE(cp437.err.find("not in the code page"), std::string::npos);

  const CliRun sjis = Dump({kUnifontHex.string(), "--encoding", "SHIFT_JIS"});
  ASSERT_EQ(sjis.status, kExitOk) << sjis.err;
  const DumpedSet jis = ParseDump(sjis.out);
  EXPECT_EQ(jis.header.rfind("font-type=1", 0), 0u) << jis.header;
  EXPECT_EQ(jis.cells.at(0x8140), "16x16 " + Lower(HexLine(0x3000)));
  EXPECT_EQ(jis.cells.at(0x82A0), "16x16 " + Lower(HexLine(0x3042)));
  EXPECT_EQ(jis.cells.at(0x889F), "16x16 " + Lower(HexLine(0x4E9C)));

  const CliRun gbk = Dump({kUnifontHex.string(), "--encoding=GBK", "--codes", "D2A0-D2FF"});
  ASSERT_EQ(gbk.status, kExitOk) << gbk.err;
  const DumpedSet gb = ParseDump(gbk.out);
  EXPECT_EQ(gb.cells.at(0xD2BB), "16x16 " + Lower(HexLine(0x4E00)));
  EXPECT_EQ(gb.order.front(), 0xD2A0u);
  EXPECT_EQ(gb.order.back(), 0xD2FEu);
}

TEST_F(BitmapImportCliTest, CellSmallerThanTheGlyphsCountsTheCutOnes) {
  // Every glyph with a dot in rows 12..15 of its hex bitmap loses it in 12 rows.
  std::ifstream file(kUnifontHex);
  std::string line;
  int expected = 0;
  while (std::getline(file, line)) {
    const std::size_t colon = line.find(':');
    if (std::stoul(line.substr(0, colon), nullptr, 16) < 0x20) continue;
    const std::string bits = line.substr(colon + 1);
    const std::size_t rowDigits = bits.size() / 16;
    expected += bits.substr(12 * rowDigits).find_first_not_of('0') != std::string::npos;
  }
  const CliRun run = Dump({kUnifontHex.string(), "--height", "12", "--codes", "20-FFFF"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.err.find(", " + std::to_string(expected) + " cut at the cell's edges"), std::string::npos) << run.err;
  // Moving the baseline down by 4 rows keeps the top 12 rows instead.
  const CliRun top = Dump({kUnifontHex.string(), "--height", "12", "--baseline", "10", "--codes", "41"});
  ASSERT_EQ(top.status, kExitOk) << top.err;
  EXPECT_EQ(ParseDump(top.out).cells.at(0x41), "16x12 " + Widened(Lower(HexLine(0x41))).substr(16, 48));
}

TEST_F(BitmapImportCliTest, ConsoleFontsWithTheirUnicodeTables) {
  const Bytes terminus = Unpacked(kTerminusPsf2);
  const CliRun psf2 = Dump({kTerminusPsf2.string()});
  ASSERT_EQ(psf2.status, kExitOk) << psf2.err;
  const DumpedSet set2 = ParseDump(psf2.out);
  EXPECT_NE(set2.header.find(" width=12 height=24 "), std::string::npos) << set2.header;
  for (const std::uint16_t code : {0x41, 0x67, 0x7E}) {
    EXPECT_EQ(set2.cells.at(code), "12x24 " + HexOf(PsfGlyphOf(terminus, code))) << code;
  }
  EXPECT_TRUE(set2.cells.count(0xE9));  // from the table, not a glyph index

  // The same font unpacked reads the same; a PSF1 font with a 16-bit table.
  const CliRun plain = Dump({Path("Lat15-Terminus24x12.psf")});
  EXPECT_EQ(plain.out, psf2.out);
  // Packed or not is told by the bytes, not the name; a symbolic link reads as its file.
  std::filesystem::create_symlink(Path("Lat15-Terminus24x12.psf"), Path("LINK.PSF.GZ"));
  EXPECT_EQ(Dump({Path("LINK.PSF.GZ")}).out, psf2.out);
  const Bytes unifont = Unpacked(kUnifontPsf1);
  const CliRun psf1 = Dump({kUnifontPsf1.string(), "--from", "psf"});
  ASSERT_EQ(psf1.status, kExitOk) << psf1.err;
  const DumpedSet set1 = ParseDump(psf1.out);
  EXPECT_EQ(set1.cells.at(0x41), "8x16 " + HexOf(PsfGlyphOf(unifont, 0x41)));
}

TEST_F(BitmapImportCliTest, PcfAndTheSameFontAsBdfGiveTheSameCells) {
  Unpacked(kFixedPcf);
  ASSERT_EQ(std::system(("pcf2bdf -o '" + Path("12x24.bdf") + "' '" + Path("12x24.pcf") + "'").c_str()), 0);
  std::filesystem::copy_file(Path("12x24.bdf"), Path("FIXED.BDF"));
  const CliRun pcf = Dump({kFixedPcf.string()});
  const CliRun bdf = Dump({Path("FIXED.BDF")});
  ASSERT_EQ(pcf.status, kExitOk) << pcf.err;
  ASSERT_EQ(bdf.status, kExitOk) << bdf.err;
  EXPECT_EQ(pcf.out, bdf.out);
  const DumpedSet set = ParseDump(pcf.out);
  EXPECT_NE(set.header.find(" width=12 height=24 "), std::string::npos) << set.header;
  EXPECT_GT(set.cells.size(), 180u);  // ISO 8859-1
  EXPECT_NE(set.cells.at(0x41), "12x24 " + std::string(96, '0'));
  EXPECT_EQ(set.cells.at(0x20), "12x24 " + std::string(96, '0'));
  // --from ttf still takes a BDF through the outline import's renumbering.
  const CliRun outline = Dump({Path("FIXED.BDF"), "--from", "ttf", "--width", "12", "--height", "24"});
  ASSERT_EQ(outline.status, kExitOk) << outline.err;
  EXPECT_EQ(ParseDump(outline.out).order.front(), 0x20u);
  EXPECT_EQ(outline.err.find("characters kept"), std::string::npos);
}

TEST_F(BitmapImportCliTest, ImportConvertAndReadBackKeepCellsAndCodes) {
  const CliRun direct = Dump({kUnifontHex.string(), "--codes", "20-7E,A0-FF", "--width", "8"});
  ASSERT_EQ(direct.status, kExitOk) << direct.err;
  EXPECT_EQ(direct.out.rfind("font-type=0", 0), 0u);
  const CliRun convert = Convert({kUnifontHex.string(), Path("LATIN.DAT"), "--codes", "20-7E,A0-FF", "--width", "8"});
  ASSERT_EQ(convert.status, kExitOk) << convert.err;
  const CliRun back = Dump({Path("LATIN.DAT")});
  ASSERT_EQ(back.status, kExitOk) << back.err;
  EXPECT_EQ(back.out, direct.out);
}

TEST_F(BitmapImportCliTest, DamagedFilesAndWrongOptionsAreReported) {
  const Bytes hex = test::ReadBytes(kUnifontHex);
  test::WriteBytes(Path("cut.hex"), ByteView(hex).first(1000));
  const CliRun cut = Dump({Path("cut.hex")});
  EXPECT_EQ(cut.status, kExitReported);
  EXPECT_NE(cut.err.find(msg::kHexLineDamaged), std::string::npos);
  EXPECT_EQ(cut.out, "");

  const Bytes gz = test::ReadBytes(kTerminusPsf2);
  test::WriteBytes(Path("cut.psf.gz"), ByteView(gz).first(gz.size() / 2));
  EXPECT_EQ(Dump({Path("cut.psf.gz")}).err, std::string(msg::kGzipDamaged) + "\n");
  test::WriteBytes(Path("junk.pcf"), Bytes(4000, 0x5A));
  EXPECT_EQ(Dump({Path("junk.pcf")}).err, std::string(msg::kNotX11BitmapFont) + "\n");
  const Bytes psf = Unpacked(kTerminusPsf2);
  test::WriteBytes(Path("short.psf"), ByteView(psf).first(psf.size() / 3));
  EXPECT_EQ(Dump({Path("short.psf")}).err, std::string(msg::kPsfGlyphsEndEarly) + "\n");

  // A console font without a table numbers by glyph index: no code page applies.
  Bytes noTable = psf;
  noTable[12] = 0;
  test::WriteBytes(Path("notable.psf"), noTable);
  const CliRun encoded = Dump({Path("notable.psf"), "--encoding", "CP437"});
  EXPECT_EQ(encoded.status, kExitReported);
  EXPECT_EQ(encoded.err, std::string(msg::kCodesNotUnicode) + "\n");
  EXPECT_EQ(Dump({Path("notable.psf")}).status, kExitOk);

  EXPECT_EQ(Dump({kUnifontHex.string(), "--encoding", "KLINGON"}).err,
            std::string(msg::kUnknownCodePage) + "KLINGON\n");
  const CliRun none = Dump({kUnifontHex.string(), "--codes", "110000"});
  EXPECT_EQ(none.status, kExitReported);
  EXPECT_NE(none.err.find(msg::kNoCharactersKept), std::string::npos);
  EXPECT_EQ(Dump({kUnifontHex.string(), "--codes", "7E-20"}).status, kExitUsage);
  EXPECT_EQ(Dump({kUnifontHex.string(), "--font-type", "triple"}).status, kExitUsage);
  EXPECT_EQ(Dump({kUnifontHex.string(), "--baseline", "-3"}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("LATIN.DAT"), "--baseline", "3"}).status, kExitUsage);
  EXPECT_EQ(Convert({kUnifontHex.string(), Path("OUT.pcf")}).status, kExitUsage);
}

}  // namespace
}  // namespace dotforge::cli
