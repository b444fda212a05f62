// The firmware headers through convert: a C array in a display's layout read
// back to the same set, a GFX font of a part of a sparse set, and the options'
// usage errors.
#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "formats/writer_support.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

std::string TextOf(const std::filesystem::path& file) {
  const Bytes bytes = test::ReadBytes(file);
  return std::string(bytes.begin(), bytes.end());
}

std::string WriteSet(const test::TempDir& dir, const std::string& name, const std::vector<std::int32_t>& codes) {
  const auto doc = test::MakeFontSet(10, 12, codes, kDoubleByteFont);
  // A font set has no dots beyond its width.
  for (auto& record : doc->characters) ClearRowPadding(record->bitmap, doc->width);
  ScriptedPrompt prompt;
  EXPECT_TRUE(WriteNativeFile(*doc, dir / name, prompt));
  return (dir / name).string();
}

TEST(FirmwareCliTest, CArrayInAColumnLayoutReadsBackAndGfxWritesTheChosenCodes) {
  test::TempDir dir;
  const std::string set = WriteSet(dir, "SET.DAT", {0x20, 0x41, 0x42, 0x100});
  const std::string header = (dir / "oled-12.h").string();
  const CliRun carray = Convert({set, "-o", header, "--to", "carray", "--layout", "columns", "--bit-order", "lsb",
                                 "--invert", "--art"});
  ASSERT_EQ(carray.status, kExitOk) << carray.err;
  const std::string text = TextOf(header);
  for (const char* line : {"layout: columns", "bit order: lsb", "invert: yes", "art: yes", "#define oled_12_COUNT 4"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  const CliRun back = Convert({header, (dir / "BACK.DAT").string(), "--from", "carray"});
  ASSERT_EQ(back.status, kExitOk) << back.err;
  // The same codes and dots (the dump's lines after its header).
  const std::string dumped = Dump({set}).out;
  EXPECT_EQ(Dump({(dir / "BACK.DAT").string()}).out.substr(dumped.find('\n')), dumped.substr(dumped.find('\n')));

  const std::string sparse = WriteSet(dir, "SPARSE.DAT", {0x20, 0x41, 0x3000});
  const std::string gfx = (dir / "receipt.h").string();
  const CliRun refused = Convert({sparse, gfx});
  EXPECT_EQ(refused.status, kExitReported);
  EXPECT_NE(refused.err.find("--codes"), std::string::npos) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(gfx));
  const CliRun written = Convert({sparse, gfx, "--codes", "20-7E", "--baseline", "10"});
  ASSERT_EQ(written.status, kExitOk) << written.err;
  EXPECT_NE(TextOf(gfx).find("0x20, 0x41, 12 };"), std::string::npos) << TextOf(gfx);
}

TEST(FirmwareCliTest, LayoutOptionsApplyToCArrayOutputOnly) {
  test::TempDir dir;
  const std::string set = WriteSet(dir, "SET.DAT", {0x41});
  const struct {
    std::vector<std::string> options;
    const char* error;
  } cases[] = {
      {{"-o", (dir / "a.h").string(), "--layout", "rows"}, "apply to carray output only"},
      {{"-o", (dir / "A.DAT").string(), "--art"}, "apply to carray output only"},
      {{"-o", (dir / "a.h").string(), "--to", "carray", "--layout", "diagonal"}, "--layout must be rows or columns"},
      {{"-o", (dir / "a.h").string(), "--to", "carray", "--bit-order", "high"}, "--bit-order must be msb or lsb"},
      {{"-o", (dir / "a.h").string(), "--codes", "20-"}, "--codes must be hexadecimal"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments{set};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const CliRun run = Convert(arguments);
    EXPECT_EQ(run.status, kExitUsage) << c.error;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace dotforge::cli
