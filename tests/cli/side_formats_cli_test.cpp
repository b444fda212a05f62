#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_run.h"
#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

CliRun Faces(const std::vector<std::string>& arguments) { return RunCommand(&RunFaces, arguments); }

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class SideFormatsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedPrompt prompt;
    // Codes from 0x20, as the source formats number their characters.
    ASSERT_TRUE(WriteNativeFile(*test::MakeFontSet(12, 2, {0x20, 0x21, 0x22}), dir_ / "FONT.DAT", prompt));
    original_ = Dump({Path("FONT.DAT")}).out;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // The character lines of a dump, without its header.
  static std::string Characters(const std::string& dump) { return dump.substr(dump.find('\n') + 1); }

  test::TempDir dir_;
  std::string original_;
};

TEST_F(SideFormatsCliTest, EveryFormatWrittenReadsBack) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> outputs = {
      {"F.C", {"--width", "12", "--height", "2"}},
      {"F16.C", {"--width", "12", "--height", "2", "--word-bits", "16"}},
      {"F.ST9", {"--width", "12", "--height", "2"}},
      {"F.ASM", {"--width", "12", "--height", "2"}},
      {"F.DDB", {}},
  };
  for (const auto& [name, readOptions] : outputs) {
    std::vector<std::string> convert{Path("FONT.DAT"), Path(name)};
    if (name == "F16.C") convert.insert(convert.end(), {"--to-word-bits", "16"});
    const CliRun written = Convert(convert);
    ASSERT_EQ(written.status, kExitOk) << name << ": " << written.err;
    std::vector<std::string> dump{Path(name)};
    dump.insert(dump.end(), readOptions.begin(), readOptions.end());
    const CliRun read = Dump(dump);
    EXPECT_EQ(read.status, kExitOk) << name << ": " << read.err;
    EXPECT_EQ(Characters(read.out), Characters(original_)) << name;
  }
  const Bytes words = test::ReadBytes(Path("F16.C"));
  EXPECT_EQ(std::string(words.begin(), words.begin() + 26), "const unsigned int xhuge u");
  for (const std::string name : {"F.1B", "F.1F", "F.DSB"}) {
    EXPECT_EQ(Convert({Path("FONT.DAT"), Path(name)}).status, kExitOk) << name;
  }
}

TEST_F(SideFormatsCliTest, SourceFormatProblems) {
  ASSERT_EQ(Convert({Path("FONT.DAT"), Path("F.C")}).status, kExitOk);
  const CliRun noSize = Dump({Path("F.C")});
  EXPECT_EQ(noSize.status, kExitUsage);
  EXPECT_NE(noSize.err.find("--width and --height"), std::string::npos);
  // Three 4-byte cells do not make 5-row characters.
  const CliRun wrong = Dump({Path("F.C"), "--width", "12", "--height", "5"});
  EXPECT_EQ(wrong.status, kExitReported);
  EXPECT_EQ(wrong.err, std::string(msg::kSizeMismatch) + "\n");
  EXPECT_EQ(wrong.out, "");
}

TEST_F(SideFormatsCliTest, ExportRulesApply) {
  const CliRun longName = Convert({Path("FONT.DAT"), Path("LONGNAME9.DAT")});
  EXPECT_EQ(longName.status, kExitReported);
  EXPECT_EQ(longName.err, std::string(msg::kFileNameTooLong) + "\n");
  const CliRun ttf = Convert({Path("FONT.DAT"), Path("F.TTF")});
  EXPECT_EQ(ttf.status, kExitUsage);
  EXPECT_NE(ttf.err.find("can be read but not written"), std::string::npos);
  // A DSB with the double-byte id asks for a single-byte one; 52 is refused there
  // and the id stays.
  const CliRun kanji = Convert({Path("FONT.DAT"), Path("K.DSB"), "--font-id", "52"});
  EXPECT_EQ(kanji.status, kExitReported);
  EXPECT_NE(kanji.err.find(msg::kFontIdRange), std::string::npos);
  EXPECT_EQ(test::ReadBytes(Path("K.DSB")).at(10), '4');
}

// The input's word width and the output's are separate: an 8-bit ST10 file is
// rewritten as a 16-bit one in one step, and back.
TEST_F(SideFormatsCliTest, St10WordWidthsOfInputAndOutputAreSeparate) {
  ASSERT_EQ(Convert({Path("FONT.DAT"), Path("F8.C")}).status, kExitOk);
  const std::vector<std::string> size{"--width", "12", "--height", "2"};
  auto convert = [&](const std::string& in, const std::string& out, std::vector<std::string> options) {
    std::vector<std::string> arguments{Path(in), Path(out)};
    arguments.insert(arguments.end(), size.begin(), size.end());
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Convert(arguments);
  };
  auto header = [&](const std::string& name) {
    const Bytes text = test::ReadBytes(Path(name));
    return std::string(text.begin(), text.begin() + 19);
  };
  auto characters = [&](const std::string& name, const std::string& bits) {
    std::vector<std::string> arguments{Path(name), "--word-bits", bits};
    arguments.insert(arguments.end(), size.begin(), size.end());
    const CliRun read = Dump(arguments);
    EXPECT_EQ(read.status, kExitOk) << name << ": " << read.err;
    return Characters(read.out);
  };

  const CliRun widened = convert("F8.C", "F16.C", {"--word-bits", "8", "--to-word-bits", "16"});
  ASSERT_EQ(widened.status, kExitOk) << widened.err;
  EXPECT_EQ(header("F16.C"), "const unsigned int ");
  EXPECT_EQ(characters("F16.C", "16"), Characters(original_));

  ASSERT_EQ(convert("F16.C", "B8.C", {"--word-bits", "16", "--to-word-bits", "8"}).status, kExitOk);
  EXPECT_EQ(header("B8.C"), "const unsigned char");
  EXPECT_EQ(characters("B8.C", "8"), Characters(original_));

  // Without --to-word-bits the output keeps the width the input was read with.
  ASSERT_EQ(convert("F16.C", "S16.C", {"--word-bits", "16"}).status, kExitOk);
  EXPECT_EQ(header("S16.C"), "const unsigned int ");

  EXPECT_EQ(convert("F8.C", "X.C", {"--to-word-bits", "12"}).status, kExitUsage);
  const CliRun help = Convert({"--help"});
  EXPECT_NE(help.out.find("--to-word-bits"), std::string::npos);
  EXPECT_NE(help.out.find("--word-bits"), std::string::npos);
}

// The pattern a type change leaves in the name box is never a file to write.
TEST_F(SideFormatsCliTest, WildcardOutputNameIsRefused) {
  ASSERT_EQ(Convert({Path("FONT.DAT"), Path("A.C")}).status, kExitOk);
  for (const std::string name : {"*.DDB", "F?.DAT"}) {
    const CliRun run = Convert({Path("A.C"), Path(name), "--width", "12", "--height", "2"});
    EXPECT_EQ(run.status, kExitReported) << name;
    EXPECT_NE(run.err.find(msg::kWildcardInFileName), std::string::npos) << name << ": " << run.err;
    EXPECT_FALSE(std::filesystem::exists(Path(name))) << name;
  }
}

TEST_F(SideFormatsCliTest, OutlineFonts) {
  if (!std::filesystem::exists(kDejaVuSans)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  const CliRun faces = Faces({kDejaVuSans});
  EXPECT_EQ(faces.status, kExitOk);
  EXPECT_EQ(faces.out,
            "face 0: DejaVu Sans - Book\n"
            "  charmap 0: unicode encoding\n"
            "  charmap 1: unicode encoding\n"
            "  charmap 2: apple roman encoding\n"
            "  charmap 3: unicode encoding\n"
            "  charmap 4: unicode encoding\n");

  const CliRun unicode = Dump({kDejaVuSans, "--width", "8", "--height", "16"});
  EXPECT_EQ(unicode.status, kExitOk) << unicode.err;
  // Codes from 0x20 up pass 0xFF: a double-byte set.
  EXPECT_EQ(unicode.out.substr(0, unicode.out.find('\n')), "font-type=1 font-id=48 width=8 height=16 count=5918");
  const CliRun roman = Dump({kDejaVuSans, "--from", "ttf", "--width", "8", "--height", "16", "--charmap", "2"});
  EXPECT_EQ(roman.status, kExitOk);
  EXPECT_EQ(roman.out.substr(0, roman.out.find('\n')), "font-type=1 font-id=48 width=8 height=16 count=227");

  const CliRun noFace = Dump({kDejaVuSans, "--width", "8", "--height", "16", "--face", "1"});
  EXPECT_EQ(noFace.status, kExitReported);
  EXPECT_EQ(noFace.err, std::string(msg::kSelectFontFace) + "\n");
  EXPECT_EQ(Faces({Path("FONT.DAT")}).err, std::string(msg::kFontFormatNotSupported) + "\n");
  EXPECT_EQ(Faces({}).status, kExitUsage);
}

}  // namespace
}  // namespace dotforge::cli
