#include <gtest/gtest.h>

#include <tuple>

#include <sstream>

#include "cli/cli_run.h"
#include "formats/formats_messages.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "model/model_messages.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedPrompt prompt;
    auto doc = test::MakeFontSet(12, 2, {0x41, 0x42});
    doc->characters[0]->bitmap = {0x80, 0x10, 0xFF, 0xF0};
    doc->characters[1]->bitmap = {0, 0, 0, 1};
    ASSERT_TRUE(WriteNativeFile(*doc, dir_ / "FONT.DAT", prompt));
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  test::TempDir dir_;
};

TEST_F(CliTest, DumpPrintsHeaderAndCharacters) {
  const CliRun run = Dump({Path("FONT.DAT")});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out,
            "font-type=0 font-id=48 width=12 height=2 count=2\n"
            "0041 12x2 8010fff0\n"
            "0042 12x2 00000001\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, FormatFromAnyCaseExtensionOrFlag) {
  std::filesystem::copy_file(Path("FONT.DAT"), Path("font.dat"));
  std::filesystem::copy_file(Path("FONT.DAT"), Path("font.bin"));
  EXPECT_EQ(Dump({Path("font.dat")}).status, kExitOk);
  EXPECT_EQ(Dump({Path("font.bin"), "--from", "DAT"}).status, kExitOk);
  EXPECT_EQ(Dump({Path("font.bin"), "--from=dat"}).status, kExitOk);
  const CliRun guess = Dump({Path("font.bin")});
  EXPECT_EQ(guess.status, kExitUsage);
  EXPECT_NE(guess.err.find("--from"), std::string::npos);
}

TEST_F(CliTest, ReaderMessagesGiveStatusOneAndStillPrint) {
  Bytes file = test::ReadBytes(Path("FONT.DAT"));
  file.resize(file.size() - 1);
  test::WriteBytes(Path("CUT.DAT"), file);
  const CliRun run = Dump({Path("CUT.DAT")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_EQ(run.out, "font-type=0 font-id=48 width=12 height=2 count=2\n0041 12x2 8010fff0\n");
  EXPECT_EQ(run.err, std::string(msg::kFileEndsEarly) + "\n");

  const CliRun missing = Dump({Path("NONE.DAT")});
  EXPECT_EQ(missing.status, kExitReported);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, Path("NONE.DAT") + ": No such file or directory\n");
}

// Every file a command cannot read or write is named with the system's reason,
// nothing goes to stdout, and a file that was there stays as it was.
TEST_F(CliTest, FileErrorsNameTheFileAndTheReason) {
  std::filesystem::create_directory(Path("FOLDER.DAT"));
  test::WriteBytes(Path("LOCKED.DSB"), Bytes{'o', 'l', 'd'});
  std::filesystem::permissions(Path("LOCKED.DSB"), std::filesystem::perms::owner_read);
  const std::string noFolder = Path("none/X.DAT");
  const struct {
    CliCommand command;
    std::vector<std::string> arguments;
    std::string file;
    const char* reason;
  } cases[] = {
      {&RunDump, {Path("FOLDER.DAT")}, Path("FOLDER.DAT"), "Is a directory"},
      {&RunDump, {Path("NONE.C"), "--width", "8", "--height", "8"}, Path("NONE.C"), "No such file or directory"},
      {&RunConvert, {Path("FONT.DAT"), noFolder}, noFolder, "No such file or directory"},
      {&RunConvert, {Path("FONT.DAT"), Path("LOCKED.DSB")}, Path("LOCKED.DSB"), "Permission denied"},
      {&RunConvert, {Path("NONE.ttf"), Path("X.DAT"), "--width", "8", "--height", "8"}, Path("NONE.ttf"),
       "No such file or directory"},
      {&RunFaces, {"NoSuchFont.ttf"}, "NoSuchFont.ttf", "No such file or directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCommand(c.command, c.arguments);
    EXPECT_EQ(run.status, kExitReported) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_NE(run.err.find(c.file + ": " + c.reason + "\n"), std::string::npos) << run.err;
  }
  EXPECT_EQ(test::ReadBytes(Path("LOCKED.DSB")), (Bytes{'o', 'l', 'd'}));
  EXPECT_FALSE(std::filesystem::exists(Path("X.DAT")));
}

TEST_F(CliTest, StreamEndingInsideABlockHeaderGivesStatusOne) {
  for (const auto& [name, lead, height] : {std::tuple<std::string, std::uint8_t, std::uint8_t>{"CUT.1B", 0x1B, 3},
                                           {"CUT.1F", 0x1F, 8}}) {
    Bytes file{lead, 0x26, height, 0x41, 0x41, 0x01, 0x80, 0x00, 0x01};
    file.resize(6 + (height == 3 ? 3 : 1));
    file.push_back(lead);  // a block header cut after its first byte
    test::WriteBytes(Path(name), file);
    const CliRun run = Dump({Path(name)});
    EXPECT_EQ(run.status, kExitReported) << name;
    EXPECT_NE(run.out.find("\n0041 1x"), std::string::npos) << name << ": " << run.out;
    EXPECT_EQ(run.err, std::string(msg::kFileEndsEarly) + "\n") << name;
  }
}

TEST_F(CliTest, UsageErrors) {
  EXPECT_EQ(Dump({}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("FONT.DAT"), "--bogus", "1"}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("FONT.DAT"), "--width"}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("FONT.DAT"), "--width", "0"}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("FONT.DAT"), "--word-bits", "12"}).status, kExitUsage);
  EXPECT_EQ(Dump({Path("FONT.DAT"), "--from", "gif"}).status, kExitUsage);
  EXPECT_EQ(Convert({Path("FONT.DAT"), Path("x.dsb"), "--font-id", "53"}).status, kExitUsage);
  EXPECT_EQ(Convert({Path("FONT.DAT")}).status, kExitUsage);
  const CliRun help = Dump({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--word-bits"), std::string::npos);
}

TEST_F(CliTest, ConvertToDdbAndBack) {
  const CliRun convert = Convert({Path("FONT.DAT"), Path("KANJI.ddb")});
  ASSERT_EQ(convert.status, kExitOk) << convert.err;
  const CliRun dump = Dump({Path("KANJI.ddb")});
  EXPECT_EQ(dump.status, kExitOk);
  EXPECT_EQ(dump.out,
            "font-type=1 font-id=52 width=12 height=2 count=2\n"
            "0041 12x2 8010fff0\n"
            "0042 12x2 00000001\n");
  ASSERT_EQ(Convert({Path("KANJI.ddb"), Path("BACK.bin"), "--to", "dat"}).status, kExitOk);
  EXPECT_EQ(test::ReadBytes(Path("BACK.bin")).size(), 1024u + 8);
}

TEST_F(CliTest, ConvertToDsbTakesTheIdAndTheName) {
  const CliRun convert = Convert({Path("FONT.DAT"), Path("logo.dsb"), "--font-id", "50"});
  ASSERT_EQ(convert.status, kExitOk) << convert.err;
  const Bytes file = test::ReadBytes(Path("logo.dsb"));
  ASSERT_EQ(file.size(), 13u + 224 * 4);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 11), "\x1CLlogo    2");
  const CliRun dump = Dump({Path("logo.dsb")});
  EXPECT_NE(dump.out.find("font-type=0 font-id=50 width=12 height=2 count=224\n0020 12x2 00000000\n"), std::string::npos);
}

// DSB and stream files hold 224 codes up to 0xFF, DSB and DDB an 8-byte ASCII
// name: what does not fit is counted (the file is still written) or refused; an
// empty DSB is named.
TEST_F(CliTest, SingleByteLeftOutCharactersNamesAndEmptyFiles) {
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 2, test::CodeRange(0x20, 0x14B)), Path("MANY.DAT"), prompt));
  for (const auto& [file, message] : {std::pair<std::string, const char*>{"MANY.DSB", msg::kDsbCharactersLeftOut},
                                      {"MANY.1B", msg::kStreamCharactersLeftOut},
                                      {"MANY.1F", msg::kStreamCharactersLeftOut}}) {
    const CliRun many = Convert({Path("MANY.DAT"), Path(file)});
    EXPECT_EQ(many.status, kExitReported) << file;
    EXPECT_NE(many.err.find("76" + std::string(message)), std::string::npos) << many.err;
  }
  EXPECT_EQ(test::ReadBytes(Path("MANY.DSB")).size(), 13u + 224 * 2);

  const CliRun accented = Convert({Path("FONT.DAT"), Path("\xC3\x89T\xC3\x89.DSB")});
  EXPECT_EQ(accented.status, kExitReported);
  EXPECT_EQ(accented.err, std::string(msg::kFileNameNotAscii) + "\n");
  EXPECT_FALSE(std::filesystem::exists(Path("\xC3\x89T\xC3\x89.DSB")));

  test::WriteBytes(Path("EMPTY.DSB"), Bytes{});
  const CliRun empty = Dump({Path("EMPTY.DSB")});
  EXPECT_EQ(empty.status, kExitReported);
  EXPECT_EQ(empty.out, "");
  EXPECT_EQ(empty.err, "EMPTY.DSB" + std::string(msg::kFileIsEmpty) + "\n");
}

TEST_F(CliTest, ConvertFailureKeepsTheOldFile) {
  test::WriteBytes(Path("WIDE.DDB"), Bytes{});
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(8, 8, {0x41}), Path("OLD.DAT"), prompt));
  const Bytes old = test::ReadBytes(Path("OLD.DAT"));
  // A stream block 200 dots wide cannot be stored in a DAT file.
  Bytes stream{0x1B, 0x26, 0x03, 0x41, 0x41, 200};
  stream.resize(stream.size() + 600, 0);
  test::WriteBytes(Path("WIDE.1B"), stream);
  const CliRun run = Convert({Path("WIDE.1B"), Path("OLD.DAT")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_EQ(run.err, std::string(msg::kCellTooLarge) + "\n");
  EXPECT_EQ(test::ReadBytes(Path("OLD.DAT")), old);
}

}  // namespace
}  // namespace dotforge::cli
