// dump and convert of outline fonts with --keep-codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_run.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kNotoCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

// The dump's labels, in order.
std::vector<std::string> Labels(const std::string& out) {
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);
  std::vector<std::string> labels;
  while (std::getline(lines, line)) labels.push_back(line.substr(0, line.find(' ')));
  return labels;
}

class KeepCodesCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kDejaVuSans)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  }
  test::TempDir dir_;
};

TEST_F(KeepCodesCliTest, DumpKeepsTheCodesAndCountsThem) {
  const CliRun run = Dump({kDejaVuSans, "--width", "16", "--height", "24", "--keep-codes", "--encoding", "CP437",
                           "--codes", "41-43,82"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "font-type=0 font-id=48 width=16 height=24 count=4");
  EXPECT_EQ(Labels(run.out), (std::vector<std::string>{"0041", "0042", "0043", "0082"}));
  EXPECT_NE(run.err.find("4 characters kept"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("0 cut at the cell's edges"), std::string::npos) << run.err;
}

TEST_F(KeepCodesCliTest, PixelSizeAndBaselineMoveTheGlyphs) {
  const std::vector<std::string> base{kDejaVuSans, "--width", "8", "--height", "8", "--keep-codes", "--codes", "48"};
  std::vector<std::string> large = base;
  large.insert(large.end(), {"--pixel-size", "20", "--baseline", "7"});
  const CliRun small = Dump(base);
  const CliRun cut = Dump(large);
  ASSERT_EQ(small.status, kExitOk) << small.err;
  ASSERT_EQ(cut.status, kExitOk) << cut.err;
  EXPECT_NE(small.out, cut.out);
  EXPECT_NE(small.err.find("0 cut"), std::string::npos) << small.err;
  EXPECT_NE(cut.err.find("1 cut"), std::string::npos) << cut.err;
}

TEST_F(KeepCodesCliTest, ConvertWritesTheCodesAndReadsThemBack) {
  const std::string out = (dir_ / "KEPT.DAT").string();
  const CliRun convert = Convert({kDejaVuSans, out, "--width", "16", "--height", "16", "--keep-codes", "--codes",
                                  "20-7E,20AC"});
  ASSERT_EQ(convert.status, kExitOk) << convert.err;
  const CliRun back = Dump({out});
  ASSERT_EQ(back.status, kExitOk) << back.err;
  const std::vector<std::string> labels = Labels(back.out);
  ASSERT_EQ(labels.size(), 96u);
  EXPECT_EQ(labels.front(), "0020");
  EXPECT_EQ(labels.back(), "20AC");
  EXPECT_EQ(back.out.substr(0, 11), "font-type=1");
}

TEST_F(KeepCodesCliTest, ShiftJisCodes) {
  if (!std::filesystem::exists(kNotoCjk)) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  const CliRun run = Dump({kNotoCjk, "--width", "24", "--height", "24", "--keep-codes", "--encoding", "SHIFT_JIS",
                           "--codes", "82A0,889F"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(Labels(run.out), (std::vector<std::string>{"82A0", "889F"}));
}

TEST_F(KeepCodesCliTest, OptionsThatDoNotApplyAreUsageErrors) {
  const std::vector<std::vector<std::string>> wrong{
      {kDejaVuSans, "--width", "8", "--height", "8", "--pixel-size", "9"},
      {kDejaVuSans, "--width", "8", "--height", "8", "--encoding", "CP437"},
      {kDejaVuSans, "--width", "8", "--height", "8", "--keep-codes", "--charmap", "1"},
      {kDejaVuSans, "--width", "8", "--height", "8", "--keep-codes", "--pixel-size", "0"},
      {kDejaVuSans, "--width", "8", "--height", "8", "--keep-codes=yes"},
  };
  for (const std::vector<std::string>& arguments : wrong) {
    EXPECT_EQ(Dump(arguments).status, kExitUsage) << arguments.back();
  }
  test::WriteBytes(dir_ / "A.DAT", Bytes{});
  EXPECT_EQ(Dump({(dir_ / "A.DAT").string(), "--keep-codes"}).status, kExitUsage);
  // An unknown code page is reported by the import and ends it.
  const CliRun unknown = Dump({kDejaVuSans, "--width", "8", "--height", "8", "--keep-codes", "--encoding", "NOPE"});
  EXPECT_EQ(unknown.status, kExitReported);
  EXPECT_NE(unknown.err.find("NOPE"), std::string::npos);
}

TEST_F(KeepCodesCliTest, HelpNamesTheOptions) {
  for (const CliRun& help : {Dump({"--help"}), Convert({"--help"})}) {
    EXPECT_NE(help.out.find("--keep-codes"), std::string::npos);
    EXPECT_NE(help.out.find("--pixel-size P"), std::string::npos);
  }
}

// The BDF's ascent is the row the glyphs stand on: under the H's last row of dots.
TEST_F(KeepCodesCliTest, BdfTakesTheBaselineTheGlyphsWerePlacedOn) {
  const std::vector<std::string> font{kDejaVuSans, "--width", "12", "--height", "24", "--keep-codes", "--codes", "48"};
  const CliRun dump = Dump(font);
  ASSERT_EQ(dump.status, kExitOk) << dump.err;
  const std::string dots = dump.out.substr(dump.out.rfind(' ') + 1);
  int baseline = 0;
  for (int row = 0; row < 24; ++row) {
    if (dots.substr(static_cast<std::size_t>(row) * 4, 4) != "0000") baseline = row + 1;
  }
  std::vector<std::string> convert = font;
  convert.insert(convert.begin() + 1, (dir_ / "H.bdf").string());
  ASSERT_EQ(Convert(convert).status, kExitOk);
  const Bytes bdf = test::ReadBytes(dir_ / "H.bdf");
  EXPECT_NE(std::string(bdf.begin(), bdf.end()).find("FONT_ASCENT " + std::to_string(baseline) + "\n"),
            std::string::npos);
}

}  // namespace
}  // namespace dotforge::cli
