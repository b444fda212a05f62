// Sets with gaps in their codes, double-byte codes and an odd baseline written
// by convert and read back by convert: what each format carries comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "cli/cli_run.h"
#include "formats/formats_messages.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

struct Trip {
  std::string file;
  std::vector<std::string> writeOptions;
  std::vector<std::string> readOptions;
  std::vector<std::int32_t> codes;
  std::vector<std::int32_t> codesBack;  // empty: the codes written
};

const std::vector<std::string> kCell = {"--width", "16", "--height", "13"};

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::int32_t FontTypeOf(const std::vector<std::int32_t>& codes) {
  return *std::max_element(codes.begin(), codes.end()) > 0xFF ? kDoubleByteFont : kSingleByteFont;
}

TEST(RoundTripCli, CodesFontTypeAndBaselineComeBack) {
  const std::vector<Trip> trips = {
      {"GAP.C", {}, kCell, {0x41, 0x5A}, {}},
      {"WORDS.C", {"--to-word-bits", "16"}, Joined(kCell, {"--word-bits", "16"}), {0x20, 0x7F, 0x8140}, {}},
      {"GAP.ASM", {}, kCell, {0x41, 0x5A, 0x3042}, {}},
      {"GAP.ST9", {}, kCell, {0x41, 0x5A}, {0x20, 0x21}},
      {"MANY.ST9", {}, kCell, test::CodeRange(0x20, 0x14B), {}},
      {"ODD.bdf", {"--baseline", "5"}, {}, {0x41, 0x5A, 0x8140}, {}},
      {"GAP.psf", {}, {}, {0x41, 0x5A, 0x3042}, {}},
  };
  for (const Trip& trip : trips) {
    SCOPED_TRACE(trip.file);
    test::TempDir dir;
    ScriptedPrompt prompt;
    const auto written = test::MakeFontSet(16, 13, trip.codes, FontTypeOf(trip.codes));
    ASSERT_TRUE(WriteNativeFile(*written, dir / "SRC.DAT", prompt));
    const CliRun write = Convert(Joined({(dir / "SRC.DAT").string(), (dir / trip.file).string()}, trip.writeOptions));
    // Only a format that cannot keep the codes says so, and then exits 1.
    const std::size_t moved = trip.codesBack.empty() ? 0 : trip.codes.size();
    EXPECT_EQ(write.status, moved ? kExitReported : kExitOk) << write.err;
    if (moved) {
      EXPECT_EQ(write.err, std::to_string(moved) + msg::kSt9CharactersAtOtherCodes + "\n");
    }
    const CliRun read = Convert(Joined({(dir / trip.file).string(), (dir / "BACK.DAT").string()}, trip.readOptions));
    ASSERT_EQ(read.status, kExitOk) << read.err;

    CDotforgeImportDoc back;
    ReadNativeFile(back, test::ReadBytes(dir / "BACK.DAT"), prompt);
    const std::vector<std::int32_t>& codes = trip.codesBack.empty() ? trip.codes : trip.codesBack;
    EXPECT_EQ(back.codes, codes);
    EXPECT_EQ(back.fontType, FontTypeOf(codes));
    ASSERT_EQ(back.characters.size(), written->characters.size());
    for (std::size_t i = 0; i < back.characters.size(); ++i) {
      EXPECT_EQ(back.characters[i]->bitmap, written->characters[i]->bitmap) << i;
    }
    EXPECT_TRUE(prompt.Entries().empty());
  }
}

// The C file is C: a compiler takes it once the ST10 storage keyword is defined
// away and the declaration ended (the file stops at its closing brace).
TEST(RoundTripCli, CFileCompiles) {
  if (std::system("command -v cc > /dev/null") != 0) GTEST_SKIP() << "no C compiler";
  test::TempDir dir;
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(12, 13, {0x41, 0x8140}, kDoubleByteFont), dir / "SRC.DAT", prompt));
  for (const std::string bits : {"8", "16"}) {
    const std::string file = (dir / ("W" + bits + ".C")).string();
    ASSERT_EQ(Convert({(dir / "SRC.DAT").string(), file, "--to-word-bits", bits}).status, kExitOk);
    EXPECT_EQ(std::system(("(cat " + file + "; echo ';') | cc -fsyntax-only -Dxhuge= -x c -").c_str()), 0) << file;
  }
}

}  // namespace
}  // namespace dotforge::cli
