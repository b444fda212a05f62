#include <gtest/gtest.h>

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
const std::filesystem::path kFixedPcf = "/usr/share/fonts/X11/misc/12x24.pcf.gz";

// The lines of a hex file by their code text ("4E00" -> "4E00:...").
std::map<std::string, std::string> HexLines(const std::filesystem::path& file) {
  std::map<std::string, std::string> lines;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) lines[line.substr(0, line.find(':'))] = line;
  return lines;
}

// The dump's header and its character lines.
struct Dumped {
  std::string header;
  std::string characters;
};

Dumped DumpOf(const std::vector<std::string>& arguments) {
  const CliRun run = Dump(arguments);
  EXPECT_EQ(run.status, kExitOk) << run.err;
  const std::size_t end = run.out.find('\n');
  return {run.out.substr(0, end), end == std::string::npos ? "" : run.out.substr(end + 1)};
}

class BitmapExportCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : {kUnifontHex, kTerminusPsf2, kFixedPcf}) {
      ASSERT_TRUE(std::filesystem::exists(file)) << file << " is missing: run scripts/deps";
    }
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Text(const std::string& name) const {
    const Bytes bytes = test::ReadBytes(dir_ / name);
    return std::string(bytes.begin(), bytes.end());
  }

  test::TempDir dir_;
};

// Unifont in, hex out: every kept glyph's line is the original line, byte for byte.
TEST_F(BitmapExportCliTest, UnifontHexReExportKeepsTheLinesOfTheKeptGlyphs) {
  const std::map<std::string, std::string> original = HexLines(kUnifontHex);
  const CliRun wide = Convert({kUnifontHex.string(), "-o", Path("cjk.hex"), "--codes", "4E00-9FFF"});
  ASSERT_EQ(wide.status, kExitOk) << wide.err;
  EXPECT_NE(wide.err.find(", 0 cut at the cell's edges"), std::string::npos) << wide.err;
  const std::map<std::string, std::string> cjk = HexLines(dir_ / "cjk.hex");
  EXPECT_GT(cjk.size(), 20000u);
  for (const auto& [code, line] : cjk) ASSERT_EQ(line, original.at(code));

  const CliRun narrow = Convert({kUnifontHex.string(), Path("latin.hex"), "--codes", "20-7E,A0-FF", "--width", "8"});
  ASSERT_EQ(narrow.status, kExitOk) << narrow.err;
  // A few of these are wide in Unifont and are cut to the 8-dot cell; every
  // narrow one comes out as it went in.
  const std::map<std::string, std::string> latin = HexLines(dir_ / "latin.hex");
  EXPECT_EQ(latin.size(), 95u + 96u);
  std::size_t narrowLines = 0;
  for (const auto& [code, line] : latin) {
    const std::string& source = original.at(code);
    if (source.size() != line.size()) continue;
    ++narrowLines;
    ASSERT_EQ(line, source);
  }
  EXPECT_GT(narrowLines, 180u);
  // Ascending code order, one line each.
  const std::string text = Text("latin.hex");
  EXPECT_EQ(text.substr(0, 5), "0020:");
  EXPECT_LT(text.find("\n007E:"), text.find("\n00A0:"));
}

// The real fonts written as BDF and PSF2 and read back give the cells and codes
// the original files give.
TEST_F(BitmapExportCliTest, RealFontsThroughBdfAndPsf2ReadBackTheSame) {
  const Dumped pcf = DumpOf({kFixedPcf.string()});
  ASSERT_EQ(Convert({kFixedPcf.string(), "-o", Path("fixed.bdf")}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("fixed.bdf")}).characters, pcf.characters);
  // The baseline the import placed the glyphs by is the file's ascent (22 of 24).
  EXPECT_NE(Text("fixed.bdf").find("FONT_ASCENT 22\nFONT_DESCENT 2\n"), std::string::npos);

  const Dumped terminus = DumpOf({kTerminusPsf2.string()});
  ASSERT_EQ(Convert({kTerminusPsf2.string(), Path("terminus.psf")}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("terminus.psf")}).characters, terminus.characters);
  ASSERT_EQ(Convert({kTerminusPsf2.string(), Path("terminus.bdf"), "--baseline", "19"}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("terminus.bdf")}).characters, DumpOf({kTerminusPsf2.string(), "--baseline", "19"}).characters);
  EXPECT_NE(Text("terminus.bdf").find("FONT_ASCENT 19\n"), std::string::npos);

  const Dumped cjk = DumpOf({kUnifontHex.string(), "--codes", "3000-30FF,4E00-4FFF"});
  ASSERT_EQ(Convert({kUnifontHex.string(), Path("cjk.bdf"), "--codes", "3000-30FF,4E00-4FFF"}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("cjk.bdf")}).characters, cjk.characters);
  ASSERT_EQ(Convert({Path("cjk.bdf"), "-o", Path("cjk.psf")}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("cjk.psf")}).characters, cjk.characters);
}

// Unifont re-encoded into Shift_JIS codes, written as PSF2 through the same code
// page: the table holds Unicode again, and the code page gives the codes back.
TEST_F(BitmapExportCliTest, CodePageSetToPsf2AndBack) {
  const std::vector<std::string> sjis = {"--encoding", "SHIFT_JIS", "--codes", "8140-84FF"};
  std::vector<std::string> convert = {kUnifontHex.string(), Path("sjis.psf")};
  convert.insert(convert.end(), sjis.begin(), sjis.end());
  const CliRun run = Convert(convert);
  ASSERT_EQ(run.status, kExitOk) << run.err;

  std::vector<std::string> source = {kUnifontHex.string()};
  source.insert(source.end(), sjis.begin(), sjis.end());
  const Dumped expected = DumpOf(source);
  EXPECT_EQ(DumpOf({Path("sjis.psf"), "--encoding", "SHIFT_JIS"}).characters, expected.characters);
  // Read as Unicode the ideographic space 0x8140 is U+3000.
  const std::string unicode = DumpOf({Path("sjis.psf")}).characters;
  const std::string space = DumpOf({kUnifontHex.string(), "--codes", "3000"}).characters;
  EXPECT_NE(unicode.find(space), std::string::npos);
}

// Re-encoded into Shift_JIS, the backslash and tilde glyphs take 0x5C and 0x7E
// (lower source codes win over U+00A5 and U+203E) and PSF2 and BDF still name
// them U+005C and U+007E.
TEST_F(BitmapExportCliTest, ReEncodedCharactersKeepTheirUnicode) {
  for (const std::string file : {"sjis.psf", "sjis.bdf"}) {
    const CliRun run = Convert({kUnifontHex.string(), Path(file), "--encoding", "SHIFT_JIS", "--codes", "5C,7E"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
  }
  EXPECT_EQ(DumpOf({Path("sjis.psf")}).characters, DumpOf({kUnifontHex.string(), "--codes", "5C,7E"}).characters);
  EXPECT_NE(Text("sjis.bdf").find("STARTCHAR uni005C\nENCODING 92\n"), std::string::npos);
  EXPECT_NE(Text("sjis.bdf").find("STARTCHAR uni007E\nENCODING 126\n"), std::string::npos);
}

// A DSB download file converted to BDF with a chosen baseline, then edited as a
// BDF would be (its cells imported again) and written as hex.
TEST_F(BitmapExportCliTest, DownloadFileToBdfAndHex) {
  ASSERT_EQ(Convert({kUnifontHex.string(), Path("LATIN.DAT"), "--codes", "20-7F", "--width", "8"}).status, kExitOk);
  const Dumped latin = DumpOf({Path("LATIN.DAT")});
  const CliRun bdf = Convert({Path("LATIN.DAT"), "--to", "bdf", "-o", Path("latin-receipt.font"), "--baseline", "13"});
  ASSERT_EQ(bdf.status, kExitOk) << bdf.err;
  EXPECT_NE(Text("latin-receipt.font").find("FONT_ASCENT 13\nFONT_DESCENT 3\n"), std::string::npos);
  EXPECT_EQ(DumpOf({Path("latin-receipt.font"), "--from", "bdf", "--baseline", "13"}).characters, latin.characters);
  ASSERT_EQ(Convert({Path("LATIN.DAT"), Path("latin-receipt.hex")}).status, kExitOk);
  EXPECT_EQ(DumpOf({Path("latin-receipt.hex")}).characters, latin.characters);
}

TEST_F(BitmapExportCliTest, RefusalsAndUsageErrors) {
  ASSERT_EQ(Convert({kFixedPcf.string(), Path("FIXED.DAT")}).status, kExitOk);

  const CliRun hex = Convert({Path("FIXED.DAT"), Path("fixed.hex")});
  EXPECT_EQ(hex.status, kExitReported);
  EXPECT_NE(hex.err.find(msg::kUnifontCellOnly), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "fixed.hex"));

  const CliRun baseline = Convert({Path("FIXED.DAT"), Path("fixed.bdf"), "--baseline", "25"});
  EXPECT_EQ(baseline.status, kExitReported);
  EXPECT_NE(baseline.err.find(msg::kBaselineOutsideCell), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "fixed.bdf"));

  const CliRun codePage = Convert({Path("FIXED.DAT"), Path("fixed.psf"), "--encoding", "NO-SUCH-PAGE"});
  EXPECT_EQ(codePage.status, kExitReported);
  EXPECT_NE(codePage.err.find("Unknown code page: NO-SUCH-PAGE"), std::string::npos);

  const auto usage = [](const CliRun& run, const std::string& text) {
    EXPECT_EQ(run.status, kExitUsage) << text;
    EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
  };
  usage(Convert({Path("FIXED.DAT"), Path("fixed.psf"), "--baseline", "20"}),
        "--baseline applies to bdf, pcf, psf and hex input and to bdf and gfx output only");
  usage(Convert({Path("FIXED.DAT"), Path("fixed.hex"), "--encoding", "CP437"}),
        "--encoding applies to bdf, pcf, psf and hex input and to bdf and psf output only");
  usage(Convert({Path("FIXED.DAT"), Path("fixed.bdf"), "--baseline", "x"}), "--baseline must be a whole number");
  usage(Convert({Path("FIXED.DAT"), "--to", "pcf", "-o", Path("fixed.pcf")}), "pcf files can be read but not written");
  usage(Convert({Path("FIXED.DAT"), Path("a.bdf"), "-o", Path("b.bdf")}), "convert needs IN and OUT (or IN -o OUT)");
  usage(Convert({Path("FIXED.DAT"), "-o"}), "option --output needs a value");

  const CliRun help = Convert({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  for (const char* text : {"-o, --output OUT", "--baseline B", "--encoding NAME", "bdf, psf, hex, gfx and carray"}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace dotforge::cli
