// Every format the table writes, written by convert from generated font sets and
// read back by convert: what the table says the format carries comes back, and a
// set the format cannot hold is refused or reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_prompt.h"
#include "cli/cli_run.h"
#include "cli/input_file.h"
#include "formats/commands/export_command.h"
#include "formats/writer_support.h"
#include "formats/format_table.h"
#include "framework/scripted_prompt.h"
#include <sstream>
#include "model/native_file.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

struct FontSample {
  const char* name;
  std::vector<std::int32_t> codes;
  std::int32_t fontType;
  std::optional<int> baseline;  // written and read with --baseline where the format carries one
};

const std::vector<FontSample>& Samples() {
  static const std::vector<FontSample> samples{
      {"gaps", {0x20, 0x41, 0x5A, 0x7E, 0xFF}, kSingleByteFont, {}},
      {"double", {0x20, 0xFF, 0x100, 0x8140, 0xFFFF}, kDoubleByteFont, {}},
      {"odd_baseline", {0x21, 0x7A}, kSingleByteFont, 5},
  };
  return samples;
}

struct Cell {
  std::int32_t width, height;
};

// From the smallest cell to beyond the largest any format holds.
const std::vector<Cell> kCells{{1, 1}, {8, 16}, {16, 16}, {255, 24}, {127, 127}, {128, 128}, {255, 255}};

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::vector<std::string> Numbers(const std::string& option, std::int32_t value) {
  return {option, std::to_string(value)};
}

// The codes the file gives back: those the format holds, renumbered from 0x20
// when it keeps no codes.
std::vector<std::int32_t> CodesBack(const FileFormat& format, const std::vector<std::int32_t>& codes) {
  std::vector<std::int32_t> held;
  std::copy_if(codes.begin(), codes.end(), std::back_inserter(held),
               [&](std::int32_t code) { return static_cast<std::uint32_t>(code) <= format.maxCode; });
  if (format.carries.codes) return held;
  return test::CodeRange(0x20, 0x20 + static_cast<std::int32_t>(held.size()) - 1);
}

// `file` opened as convert opens its input, with `options`; no message is shown.
std::unique_ptr<CDotforgeImportDoc> ReadBack(const std::string& file, const std::vector<std::string>& options) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(Joined({file}, options), InputOptions(), error);
  EXPECT_TRUE(parsed) << error;
  std::ostringstream messages;
  CliPrompt prompt(messages);
  AppValues app;
  auto doc = OpenInputFile(file, *parsed, app, prompt, error);
  EXPECT_TRUE(doc) << error;
  EXPECT_EQ(prompt.MessageCount(), 0) << messages.str();
  return doc;
}

std::unique_ptr<CDotforgeImportDoc> SampleFontSet(const FontSample& sample, Cell cell) {
  auto doc = test::MakeFontSet(cell.width, cell.height, sample.codes, sample.fontType);
  doc->fontId = sample.fontType == kDoubleByteFont ? '4' : '2';
  // A font set has no dots beyond its width.
  for (auto& record : doc->characters) ClearRowPadding(record->bitmap, cell.width);
  return doc;
}

// The export as convert runs it, its dialog answered by `choice`: the exit status
// convert gives and the messages it prints.
int Export(CDotforgeImportDoc& doc, const FileChoice& choice, std::string& messages) {
  std::ostringstream err;
  CliPrompt prompt(err);
  prompt.SetExportChoice(choice);
  ExportCommand exporter;
  ImportRequest request;
  const ExportOutcome outcome = exporter.Run(doc, request, prompt);
  messages = err.str();
  return outcome == ExportOutcome::Written && prompt.MessageCount() == 0 ? kExitOk : kExitReported;
}

bool IsBlank(const Bytes& cell) {
  return std::all_of(cell.begin(), cell.end(), [](std::uint8_t byte) { return byte == 0; });
}

// The dots of `written` in `back`, whose cell may have more rows (blank ones).
void ExpectSameDots(const CharacterRecord& back, const CharacterRecord& written, Cell cell, std::int32_t backHeight) {
  for (std::int32_t y = 0; y < backHeight; ++y) {
    for (std::int32_t x = 0; x < cell.width; ++x) {
      const bool dot = y < cell.height && written.Pixel(x, y);
      ASSERT_EQ(back.Pixel(x, y), dot) << "code " << back.label << " at " << x << "," << y;
    }
  }
}

class FormatRoundTrip : public ::testing::TestWithParam<int> {};

void RoundTrip(const FileFormat& format, const FontSample& sample, Cell cell) {
  const std::string name(format.names.front());
  SCOPED_TRACE(name + " " + sample.name + " " + std::to_string(cell.width) + "x" + std::to_string(cell.height));
  test::TempDir dir;
  const auto written = SampleFontSet(sample, cell);
  const std::string file = (dir / ("OUT." + name)).string();
  FileChoice choice{file, format.format, {}, {}, {}, {}, {}, {}, {}};
  std::vector<std::string> readOptions{"--from", name};
  if (format.needsCellSize || format.bitmapFont) {
    readOptions = Joined(readOptions, Joined(Numbers("--width", cell.width), Numbers("--height", cell.height)));
  }
  if (format.carries.fontId) choice.fontId = written->fontId;
  if (format.carries.baseline && sample.baseline) {
    choice.baseline = sample.baseline;
    readOptions = Joined(readOptions, Numbers("--baseline", *sample.baseline));
  }
  std::string messages;
  const int status = Export(*SampleFontSet(sample, cell), choice, messages);
  // A cell the format does not hold, or a baseline beyond the cell, is refused.
  const bool baselineOutside = choice.baseline && *choice.baseline > cell.height;
  if (!format.holdsCell(cell.width, cell.height) || baselineOutside) {
    EXPECT_EQ(status, kExitReported);
    EXPECT_FALSE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(file));
    return;
  }
  const std::vector<std::int32_t> codes = CodesBack(format, sample.codes);
  // A format that cannot keep every code says so, and then exits 1.
  EXPECT_EQ(status, codes == sample.codes ? kExitOk : kExitReported) << messages;

  const auto back = ReadBack(file, readOptions);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, cell.width);
  // The ESC stream's cell is always 24 rows high.
  EXPECT_GE(back->height, cell.height);
  if (format.carries.fontType && codes == sample.codes) {
    EXPECT_EQ(back->fontType, written->fontType);
  }
  if (format.carries.fontId) {
    EXPECT_EQ(back->fontId, written->fontId);
  }
  // Every code kept comes back with its dots, in the order written; a format of
  // fixed code slots gives the others back blank.
  std::size_t next = 0;
  for (std::size_t i = 0; i < back->characters.size(); ++i) {
    const Bytes& dots = back->characters[i]->bitmap;
    if (next == codes.size() || back->codes[i] != codes[next]) {
      EXPECT_TRUE(IsBlank(dots)) << "code " << back->codes[i] << " is not one written";
      continue;
    }
    const auto at = std::find(written->codes.begin(), written->codes.end(), codes[next]);
    const auto source = format.carries.codes ? static_cast<std::size_t>(at - written->codes.begin()) : next;
    ExpectSameDots(*back->characters[i], *written->characters[source], cell, back->height);
    ++next;
  }
  EXPECT_EQ(next, codes.size()) << "codes kept that did not come back";
}

TEST_P(FormatRoundTrip, CarriesWhatTheTableSays) {
  const FileFormat& format = *FindFileFormat(GetParam());
  for (const FontSample& sample : Samples()) {
    for (const Cell cell : kCells) RoundTrip(format, sample, cell);
  }
}

// Every format that is written and read: its own files read back.
std::vector<int> RoundTripFormats() {
  std::vector<int> formats;
  for (const FileFormat& format : FileFormats()) {
    if (format.write && format.read) formats.push_back(format.format);
  }
  return formats;
}

INSTANTIATE_TEST_SUITE_P(EveryWrittenFormat, FormatRoundTrip, ::testing::ValuesIn(RoundTripFormats()),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(FindFileFormat(info.param)->names.front()) + "_" +
                                  std::to_string(info.param);
                         });

}  // namespace
}  // namespace dotforge::cli
