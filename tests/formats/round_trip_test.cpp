// Every writer's output read back by the matching reader or parser gives the
// same codes and cells.
#include <gtest/gtest.h>

#include "formats/source/assembler_writers.h"
#include "formats/source/st10_parser.h"
#include "formats/source/st10_writer.h"
#include "formats/source/st9_asm_parser.h"
#include "formats/streams/stream_writers.h"
#include "framework/scripted_prompt.h"
#include "model/glyph_block.h"
#include "model/stream_file.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

// The codes the source formats give back: 0x20, 0x21, ...
std::unique_ptr<CDotforgeImportDoc> SourceFont(std::int32_t width, std::int32_t height, std::int32_t count) {
  return test::MakeFontSet(width, height, test::CodeRange(0x20, 0x20 + count - 1));
}

void ExpectSameCharacters(const CDotforgeImportDoc& read, const CDotforgeImportDoc& written) {
  ASSERT_EQ(read.codes, written.codes);
  for (std::size_t i = 0; i < read.characters.size(); ++i) {
    EXPECT_EQ(read.characters[i]->label, written.characters[i]->label);
    EXPECT_EQ(read.characters[i]->bitmap, written.characters[i]->bitmap) << "character " << i;
  }
}

std::unique_ptr<CDotforgeImportDoc> OpenBlock(SourceParser& parser, const Bytes& file, std::int32_t width,
                                              std::int32_t height, std::int32_t wordBits) {
  parser.SetText(std::string(file.begin(), file.end()));
  EXPECT_EQ(parser.StripComments(), ParseResult::Ok);
  EXPECT_EQ(parser.Parse(), ParseResult::Ok);
  auto doc = std::make_unique<CDotforgeImportDoc>();
  doc->width = width;
  doc->height = height;
  ScriptedPrompt prompt;
  ReadGlyphBlock(*doc, parser.TakeBlock(), wordBits, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  return doc;
}

class St10RoundTrip : public ::testing::TestWithParam<std::tuple<std::int32_t, std::int32_t>> {};

TEST_P(St10RoundTrip, ParsesBackToTheSameCells) {
  const auto [width, wordBits] = GetParam();
  const auto doc = SourceFont(width, 24, 5);
  St10Parser parser(width, 24, wordBits);
  const auto read = OpenBlock(parser, EncodeSt10File(*doc, wordBits), width, 24, wordBits);
  ExpectSameCharacters(*read, *doc);
}

INSTANTIATE_TEST_SUITE_P(WidthsAndWords, St10RoundTrip,
                         ::testing::Combine(::testing::Values(8, 12, 20, 24), ::testing::Values(8, 16)));

TEST(AssemblerRoundTrip, St9AndAsm) {
  for (const std::int32_t width : {8, 12, 20}) {
    const auto doc = SourceFont(width, 24, 3);
    St9AsmParser st9(St9AsmParser::Kind::St9);
    st9.SetCellSize(width, 24);
    ExpectSameCharacters(*OpenBlock(st9, EncodeSt9File(*doc), width, 24, 8), *doc);
    St9AsmParser assembler(St9AsmParser::Kind::Asm);
    assembler.SetCellSize(width, 24);
    ExpectSameCharacters(*OpenBlock(assembler, EncodeAsmFile(*doc), width, 24, 8), *doc);
  }
}

TEST(AssemblerRoundTrip, St9OfThreeCharactersIs144Bytes) {
  const auto doc = SourceFont(12, 24, 3);
  St9AsmParser parser(St9AsmParser::Kind::St9);
  parser.SetCellSize(12, 24);
  const Bytes file = EncodeSt9File(*doc);
  parser.SetText(std::string(file.begin(), file.end()));
  parser.StripComments();
  ASSERT_EQ(parser.Parse(), ParseResult::Ok);
  EXPECT_EQ(parser.ByteCount(), 144u);
  EXPECT_EQ(parser.CharacterCount(), 3);
  EXPECT_EQ(Bytes(parser.Cells().begin() + 48, parser.Cells().begin() + 96), doc->characters[1]->bitmap);
}

// Streams carry only the dots inside the width: padding bits do not come back.
void ClearPadding(CDotforgeImportDoc& doc) {
  for (auto& record : doc.characters) {
    const Bytes copy = record->bitmap;
    std::fill(record->bitmap.begin(), record->bitmap.end(), 0);
    for (std::int32_t y = 0; y < doc.height; ++y) {
      for (std::int32_t x = 0; x < doc.width; ++x) {
        const std::size_t index = static_cast<std::size_t>(y * BytesPerRow(doc.width) + x / 8);
        if (copy[index] & (0x80 >> (x % 8))) record->SetPixel(x, y, true);
      }
    }
  }
}

TEST(StreamRoundTrip, EscStream) {
  for (const std::int32_t width : {1, 8, 12, 20}) {
    auto doc = test::MakeFontSet(width, 24, {0x20, 0x41, 0x42, 0xFF});
    ClearPadding(*doc);
    ScriptedPrompt prompt;
    bool warn = true;
    const Bytes file = EncodeStream1B26File(*doc, 224, warn, prompt);
    CDotforgeImportDoc read;
    ReadEscStreamFile(read, file, prompt);
    EXPECT_TRUE(prompt.Entries().empty());
    EXPECT_EQ(read.width, width);
    EXPECT_EQ(read.height, 24);
    ExpectSameCharacters(read, *doc);
  }
}

TEST(StreamRoundTrip, UsStream) {
  for (const std::int32_t height : {1, 9, 20, 24, 33}) {
    auto doc = test::MakeFontSet(13, height, {0x21, 0x7E, 0x80});
    ClearPadding(*doc);
    ScriptedPrompt prompt;
    bool warn = true;
    const Bytes file = EncodeStream1F26File(*doc, 224, warn, prompt);
    CDotforgeImportDoc read;
    ReadUsStreamFile(read, file, prompt);
    EXPECT_TRUE(prompt.Entries().empty());
    EXPECT_EQ(read.height, height);
    ExpectSameCharacters(read, *doc);
  }
}

}  // namespace
}  // namespace dotforge
