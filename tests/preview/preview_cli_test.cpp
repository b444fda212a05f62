#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "escpos/receipt_pictures.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "preview/text_preview.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

class PreviewCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteNativeFile(*single_, dir_ / "SHOP.DAT", prompt));
    ASSERT_TRUE(WriteNativeFile(*double_, dir_ / "KANJI.DAT", prompt));
  }

  static CliRun Preview(const std::vector<std::string>& arguments) { return RunCommand(&RunPreview, arguments); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // The PNG at `name` read back, checked against what the core draws for `request`.
  void ExpectPicture(const std::string& name, const CDotforgeImportDoc& doc, const PreviewRequest& request) const {
    std::int32_t width = 0, height = 0;
    const std::vector<std::uint8_t> dots = test::DecodePng(test::ReadBytes(dir_ / name), width, height);
    const PreviewPicture expected = MakePreview(doc, request);
    ASSERT_TRUE(expected.image) << expected.error;
    EXPECT_EQ(width, expected.image->width);
    EXPECT_EQ(height, expected.image->height);
    EXPECT_EQ(dots, expected.image->dots);
  }

  test::TempDir dir_;
  std::unique_ptr<CDotforgeImportDoc> single_ = test::MakeFontSet(12, 24, test::CodeRange(0x20, 0x7E));
  std::unique_ptr<CDotforgeImportDoc> double_ =
      test::MakeFontSet(16, 16, {0x41, 0x4E2D, 0x8140, 0xD83D, 0xDE00}, kDoubleByteFont);
};

TEST_F(PreviewCliTest, WritesThePictureTheCoreDraws) {
  CliRun run = Preview({Path("SHOP.DAT"), "--text", "Hello,\\nworld \xC3\xA9!", "--zoom", "2", "-o", Path("hello.png")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.err, "");
  ExpectPicture("hello.png", *single_, {"Hello,\nworld \xC3\xA9!", "CP437", 2});
  std::int32_t width = 0, height = 0;
  test::DecodePng(test::ReadBytes(dir_ / "hello.png"), width, height);
  EXPECT_EQ(width, 8 * 12 * 2);  // "world é!": 0x82 is not in the set, a box
  EXPECT_EQ(height, 2 * 24 * 2);

  // Double-byte: UTF-16 by default (a surrogate pair is two cells), or a code page.
  run = Preview({Path("KANJI.DAT"), "--text", "A\xE4\xB8\xAD\xF0\x9F\x98\x80", "--output", Path("kanji.png")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExpectPicture("kanji.png", *double_, {"\\x41\\x4E2D\\xD83D\\xDE00", "UTF-16", 1});
  run = Preview({Path("KANJI.DAT"), "--text", "\xE3\x80\x80" "A", "--encoding", "SHIFT_JIS", "-o", Path("sjis.png")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExpectPicture("sjis.png", *double_, {"\\x8140\\x41", "UTF-16", 1});
}

TEST_F(PreviewCliTest, UsageErrorsAreExplainedAndWriteNothing) {
  const std::string font = Path("SHOP.DAT");
  const std::string out = Path("out.png");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{font, "--text", "A", "--encoding", "KLINGON", "-o", out}, "The encoding KLINGON is not known."},
      {{font, "--text", "A", "--zoom", "0", "-o", out}, "--zoom must be a whole number from 1 to 8"},
      {{font, "--text", "A", "--zoom", "9", "-o", out}, "--zoom must be a whole number from 1 to 8"},
      {{font, "--text", "A", "--zoom", "2x", "-o", out}, "--zoom must be a whole number from 1 to 8"},
      {{font, "--text", "", "-o", out}, "preview needs --text with at least one character"},
      {{font, "-o", out}, "preview needs --text with at least one character"},
      {{font, "--text", "A"}, "preview needs -o OUT.png"},
      {{font, "--text", "A\\q", "-o", out}, "Bad escape at character 2: \\q."},
      {{"--text", "A", "-o", out}, "preview needs exactly one FONTFILE"},
      {{font, "--text", "A", "--encoding", "", "-o", out}, "--encoding needs an encoding name"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliRun run = Preview(arguments);
    EXPECT_EQ(run.status, kExitUsage) << message;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  const CliRun help = Preview({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  for (const char* option : {"--text", "--encoding", "--zoom", "--output", "--from"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

TEST_F(PreviewCliTest, AReadOnlyTargetIsRefusedAndALinkKeepsPointingAtTheNewPicture) {
  const std::string font = Path("SHOP.DAT");
  // A read-only picture stays as it was.
  test::WriteBytes(dir_ / "kept.png", Bytes{'o', 'l', 'd'});
  ASSERT_EQ(chmod(Path("kept.png").c_str(), 0444), 0);
  CliRun run = Preview({font, "--text", "AB", "-o", Path("kept.png")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_NE(run.err.find("kept.png: Permission denied"), std::string::npos) << run.err;
  EXPECT_EQ(test::ReadBytes(dir_ / "kept.png"), (Bytes{'o', 'l', 'd'}));

  // A link: the picture it names is replaced, the link stays.
  test::WriteBytes(dir_ / "real.png", Bytes{'o', 'l', 'd'});
  std::filesystem::create_symlink(dir_ / "real.png", dir_ / "link.png");
  run = Preview({font, "--text", "AB", "-o", Path("link.png")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.png"));
  ExpectPicture("real.png", *single_, {"AB", "", 1});

  // Again with another text into the same link: the new picture replaces the first.
  run = Preview({font, "--text", "BA", "--zoom", "3", "-o", Path("link.png")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ExpectPicture("real.png", *single_, {"BA", "", 3});

  // A font file that is not there: reported, nothing written.
  run = Preview({Path("GONE.DAT"), "--text", "AB", "-o", Path("gone.png")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "gone.png"));
}

TEST_F(PreviewCliTest, APictureTooLargeIsReportedNotWritten) {
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(64, 64, {0x41}), dir_ / "BIG.DAT", prompt));
  const CliRun run = Preview({Path("BIG.DAT"), "--text", std::string(300, 'A'), "--zoom", "8", "-o", Path("big.png")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_NE(run.err.find("too large to draw"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "big.png"));
}

}  // namespace
}  // namespace dotforge::cli
