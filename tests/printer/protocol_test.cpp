#include <gtest/gtest.h>

#include "framework/scripted_prompt.h"
#include "model/download_file.h"
#include "model/model_messages.h"
#include "printer/download_stream.h"
#include "printer/printer_protocol.h"
#include "printer/reply_readers.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using test::CodeRange;
using test::MakeFontSet;
using test::PatternCell;

DownloadStream Build(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  std::optional<DownloadStream> stream = BuildDownloadStream(doc, prompt);
  EXPECT_TRUE(prompt.Texts().empty());
  return stream.value_or(DownloadStream{});
}

std::vector<int> Progress(const DownloadStream& stream) {
  std::vector<int> values;
  for (const DownloadStep& step : stream.steps) {
    if (step.progress >= 0) values.push_back(step.progress);
  }
  return values;
}

// The steps must cover the stream exactly once, in order.
void ExpectContiguous(const DownloadStream& stream) {
  std::size_t offset = 0;
  for (const DownloadStep& step : stream.steps) {
    EXPECT_EQ(step.offset, offset);
    offset += step.length;
  }
  EXPECT_EQ(offset, stream.bytes.size());
}

TEST(WireFontName, PartBeforeTheFirstDotPadded) {
  EXPECT_EQ(WireFontName("ABCDEFGHIJ.DDB"), "ABCDEFGH");
  EXPECT_EQ(WireFontName("ABC.DSB"), "ABC     ");
  EXPECT_EQ(WireFontName("NODOT"), "        ");
}

TEST(SingleByteStream, GapsAndTailAreBlankCells) {
  auto doc = MakeFontSet(12, 2, {0x20, 0x41, 0x42});
  doc->SetTitle("LOGO.DSB");
  doc->fontId = '2';
  const DownloadStream stream = Build(*doc);
  const std::size_t cell = 4;
  ASSERT_EQ(stream.bytes.size(), 13 + 224 * cell);
  EXPECT_EQ(Bytes(stream.bytes.begin(), stream.bytes.begin() + 13),
            Bytes({0x1C, 'L', 'L', 'O', 'G', 'O', ' ', ' ', ' ', ' ', '2', 12, 2}));
  auto cellAt = [&](int code) {
    const auto start = stream.bytes.begin() + 13 + (code - 0x20) * cell;
    return Bytes(start, start + cell);
  };
  EXPECT_EQ(cellAt(0x20), PatternCell(0x20, 12, 2));
  for (int code = 0x21; code <= 0x40; ++code) EXPECT_EQ(cellAt(code), Bytes(cell, 0)) << code;
  EXPECT_EQ(cellAt(0x41), PatternCell(0x41, 12, 2));
  EXPECT_EQ(cellAt(0x42), PatternCell(0x42, 12, 2));
  for (int code = 0x43; code <= 0xFF; ++code) EXPECT_EQ(cellAt(code), Bytes(cell, 0)) << code;
  ExpectContiguous(stream);
  ASSERT_EQ(stream.steps.size(), 225u);
  EXPECT_TRUE(stream.steps.back().awaitReply);
  for (std::size_t i = 0; i + 1 < stream.steps.size(); ++i) EXPECT_FALSE(stream.steps[i].awaitReply);
}

TEST(SingleByteStream, ProgressAfterEachCharacterAndTrailingCell) {
  const DownloadStream stream = Build(*MakeFontSet(8, 1, {0x41, 0x42}));
  const std::vector<int> progress = Progress(stream);
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress[0], 15);  // (0x42 - 31) * 100 / 224
  EXPECT_EQ(progress[1], 16);
  EXPECT_EQ(progress[2], 16);  // the blank cell of 0x43
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(progress.size(), 2u + (0xFF - 0x43 + 1));
  // Blank cells before the first character show nothing.
  for (int i = 1; i <= 0x21; ++i) EXPECT_EQ(stream.steps[i].progress, -1) << i;
}

TEST(SingleByteStream, CodesWithoutAPlaceAreLeftOut) {
  auto doc = MakeFontSet(8, 1, {0x41, 0x30, 0x10, 0x8140, 0x50});
  const DownloadStream stream = Build(*doc);
  ASSERT_EQ(stream.bytes.size(), 13u + 224u);
  EXPECT_EQ(stream.bytes[13 + 0x41 - 0x20], PatternCell(0x41, 8, 1)[0]);
  EXPECT_EQ(stream.bytes[13 + 0x50 - 0x20], PatternCell(0x50, 8, 1)[0]);
  EXPECT_EQ(stream.bytes[13 + 0x30 - 0x20], PatternCell(0x30, 8, 1)[0]);
}

// The download sends the DSB bytes: a set read in file order (0x42 before 0x41)
// downloads both characters, and a code held twice sends the first and says so.
TEST(SingleByteStream, CharactersInFileOrderAllReachTheirCells) {
  auto doc = MakeFontSet(8, 2, {0x42, 0x41, 0x42});
  doc->characters[2]->bitmap = {0xFF, 0xFF};
  ScriptedPrompt prompt;
  const std::optional<DownloadStream> stream = BuildDownloadStream(*doc, prompt);
  ASSERT_TRUE(stream);
  ASSERT_EQ(stream->bytes.size(), 13u + 224 * 2);
  auto cellAt = [&](int code) {
    const auto start = stream->bytes.begin() + 13 + (code - 0x20) * 2;
    return Bytes(start, start + 2);
  };
  EXPECT_EQ(cellAt(0x41), PatternCell(0x41, 8, 2));
  EXPECT_EQ(cellAt(0x42), PatternCell(0x42, 8, 2));
  EXPECT_EQ(cellAt(0x43), Bytes(2, 0));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{std::string(msg::kDuplicateCodes) + "0x0042"});
  ExpectContiguous(*stream);
}

TEST(SingleByteStream, EmptyFontIsHeaderAnd224BlankCells) {
  const DownloadStream stream = Build(*MakeFontSet(8, 2, {}));
  EXPECT_EQ(stream.bytes.size(), 13u + 224 * 2);
  const std::vector<int> progress = Progress(stream);
  EXPECT_EQ(progress.size(), 224u);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
}

TEST(DoubleByteStream, OneBlockPerRunAndAnAnswerAfterEach) {
  auto doc = MakeFontSet(16, 2, {0x8140, 0x8141, 0x8142, 0x8150}, kDoubleByteFont);
  doc->SetTitle("KANJI.DDB");
  doc->fontId = '4';
  const DownloadStream stream = Build(*doc);
  ScriptedPrompt prompt;
  EXPECT_EQ(stream.bytes, EncodeDdbFile(*doc, "KANJI   ", prompt));
  ASSERT_EQ(stream.steps.size(), 3u);
  const Bytes firstHeader(stream.bytes.begin(), stream.bytes.begin() + 17);
  EXPECT_EQ(firstHeader, Bytes({0x1C, 'D', 'K', 'A', 'N', 'J', 'I', ' ', ' ', ' ', '4', 16, 2, 0x40, 0x81, 3, 0}));
  const std::size_t second = stream.steps[1].offset;
  EXPECT_EQ(Bytes(stream.bytes.begin() + second + 13, stream.bytes.begin() + second + 17), Bytes({0x50, 0x81, 1, 0}));
  EXPECT_EQ(stream.steps[0].progress, 75);
  EXPECT_EQ(stream.steps[1].progress, 100);
  EXPECT_EQ(stream.steps[2].length, 10u);
  for (const DownloadStep& step : stream.steps) EXPECT_TRUE(step.awaitReply);
  ExpectContiguous(stream);
}

TEST(DoubleByteStream, OnTheWireTheBlocksCarryTheFontSetsOwnId) {
  auto doc = MakeFontSet(8, 1, {0x8140}, kDoubleByteFont);
  doc->fontId = '1';
  EXPECT_EQ(Build(*doc).bytes[10], '1');
}

TEST(DoubleByteStream, LongRunsAreCutAt224) {
  const DownloadStream stream = Build(*MakeFontSet(8, 1, CodeRange(0x4000, 0x4000 + 447), kDoubleByteFont));
  ASSERT_EQ(stream.steps.size(), 3u);
  EXPECT_EQ(GetU16LE(stream.bytes, 15), 224);
  EXPECT_EQ(Progress(stream), (std::vector<int>{50, 100}));
  const DownloadStream odd = Build(*MakeFontSet(8, 1, CodeRange(0x4000, 0x4000 + 299), kDoubleByteFont));
  EXPECT_EQ(GetU16LE(odd.bytes, odd.steps[1].offset + 15), 76);
}

TEST(DoubleByteStream, EmptyFontSendsOnlyTheEndRecord) {
  const DownloadStream stream = Build(*MakeFontSet(8, 1, {}, kDoubleByteFont));
  ASSERT_EQ(stream.steps.size(), 1u);
  EXPECT_EQ(stream.bytes.size(), 10u);
}

TEST(DownloadStream, OtherFontTypesSendNothing) {
  auto doc = MakeFontSet(8, 1, {0x41}, 7);
  EXPECT_TRUE(Build(*doc).steps.empty());
}

TEST(ShortCommands, Bytes) {
  auto doc = MakeFontSet(12, 2, {0x41});
  EXPECT_EQ(PrintCharacterStream(*doc, *doc->characters[0]),
            Bytes({0x1C, 'G', 12, 2, PatternCell(0x41, 12, 2)[0], PatternCell(0x41, 12, 2)[1],
                   PatternCell(0x41, 12, 2)[2], PatternCell(0x41, 12, 2)[3]}));
  EXPECT_EQ(FontInfoRequest(3), Bytes({0x1C, 0x46, 0x33}));
  EXPECT_EQ(MemoryRequest(), Bytes({0x1F, 0x77, 0x02}));
  EXPECT_EQ(EraseCommand(), Bytes({0x1D, 0x40, 0x33}));
}

template <typename Reader>
std::vector<ReplyStatus> FeedAll(Reader& reader, const Bytes& bytes) {
  std::vector<ReplyStatus> statuses;
  for (const std::uint8_t byte : bytes) statuses.push_back(reader.Feed(byte));
  return statuses;
}

TEST(MemoryReply, TextEndsAtNulOrTenCharacters) {
  MemoryReply reply;
  EXPECT_EQ(FeedAll(reply, {'1', 0x11, '2', '3', 0x13, '4', 0}).back(), ReplyStatus::Accepted);
  EXPECT_EQ(reply.Text(), "1234");
  MemoryReply eleven;
  const std::vector<ReplyStatus> statuses = FeedAll(eleven, {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'});
  EXPECT_EQ(statuses.back(), ReplyStatus::Accepted);
  EXPECT_EQ(eleven.Text(), "1234567890");
}

TEST(FontInfoReply, RecordTexts) {
  // On an Xon/Xoff line the XON inside the record is flow control.
  FontInfoReply reply(true);
  const Bytes record{0x06, 'F', 'O', 'N', 'T', '0', 0x11, '0', '0', '1', 24, 24, 0xE0, 0x00, 0x34, 0x12};
  const std::vector<ReplyStatus> statuses = FeedAll(reply, record);
  EXPECT_EQ(statuses.back(), ReplyStatus::Accepted);
  EXPECT_EQ(std::count(statuses.begin(), statuses.end(), ReplyStatus::Accepted), 1);
  const FontSlotTexts texts = FontSlotTextsFrom(reply.Record());
  EXPECT_EQ(texts.name, "FONT0001");
  EXPECT_EQ(texts.width, "24");
  EXPECT_EQ(texts.height, "24");
  EXPECT_EQ(texts.count, "224");
  EXPECT_EQ(texts.checksum, "1234");
}

TEST(FontInfoReply, WithoutXonXoffFlowTheFlowControlValuesAreData) {
  // A 9 x 17 cell, 0x1311 characters, checksum 0x1311.
  const Bytes record{0x06, 'R', 'E', 'C', 'E', 'I', 'P', 'T', ' ', 9, 0x11, 0x11, 0x13, 0x11, 0x13};
  FontInfoReply plain(false);
  EXPECT_EQ(FeedAll(plain, record).back(), ReplyStatus::Accepted);
  const FontSlotTexts texts = FontSlotTextsFrom(plain.Record());
  EXPECT_EQ(texts.height, "17");
  EXPECT_EQ(texts.count, std::to_string(0x1311));
  EXPECT_EQ(texts.checksum, "1311");

  FontInfoReply xonXoff(true);
  EXPECT_EQ(FeedAll(xonXoff, record).back(), ReplyStatus::More);
}

TEST(FontInfoReply, FirstByteDecides) {
  FontInfoReply nak(false), xon(true), other(false);
  EXPECT_EQ(nak.Feed(0x15), ReplyStatus::Refused);
  EXPECT_EQ(xon.Feed(0x11), ReplyStatus::Invalid);
  EXPECT_EQ(other.Feed('A'), ReplyStatus::Invalid);
}

TEST(FontInfoReply, ZeroByteEndsTheName) {
  const Bytes record{0x06, 'A', 'B', 0, 'X', 'X', 'X', 'X', 'X', 8, 16, 0x00, 0x01, 0x0A, 0x00};
  EXPECT_EQ(FontSlotTextsFrom(record).name, "AB");
  EXPECT_EQ(FontSlotTextsFrom(record).count, "256");
  EXPECT_EQ(FontSlotTextsFrom(record).checksum, "000A");
}

TEST(SingleByteReplies, WhatEachCommandAccepts) {
  EXPECT_EQ(ReadDownloadReply(0x06), ReplyStatus::Accepted);
  EXPECT_EQ(ReadDownloadReply(0x15), ReplyStatus::Refused);
  EXPECT_EQ(ReadDownloadReply('?'), ReplyStatus::More);
  EXPECT_EQ(ReadPrintCharacterReply(0x11), ReplyStatus::More);
  EXPECT_EQ(ReadPrintCharacterReply(0x13), ReplyStatus::More);
  EXPECT_EQ(ReadPrintCharacterReply(0x06), ReplyStatus::Accepted);
  EXPECT_EQ(ReadPrintCharacterReply(0x15), ReplyStatus::Refused);
  EXPECT_EQ(ReadPrintCharacterReply('?'), ReplyStatus::Invalid);
  EXPECT_EQ(ReadEraseReply(0x11), ReplyStatus::More);
  EXPECT_EQ(ReadEraseReply(0x0D), ReplyStatus::Accepted);
  EXPECT_EQ(ReadEraseReply(0x06), ReplyStatus::Invalid);
}

}  // namespace
}  // namespace dotforge
