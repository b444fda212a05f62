#include <gtest/gtest.h>

#include "escpos/sim/escpos_printer.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/sim/receipt_image.h"
#include "escpos/receipt_pictures.h"
#include "framework/scripted_prompt.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

struct PrinterRun {
  std::vector<std::string> reports;
  std::vector<std::string> art;
  EscPosPrinter printer{[this](const PrintedLine& line) { art.push_back(LineArt(line)); },
                        [this](const std::string& report) { reports.push_back(report); }};
};

Bytes StreamOf(const CDotforgeImportDoc& doc, const std::string& text, EscPosFont font = EscPosFont::A) {
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.font = font;
  options.sampleText = text;
  return BuildEscPosStream(doc, options, prompt)->bytes;
}

TEST(EscPosPrinter, ReceiptPngMatchesAPictureBuiltFromTheGlyphsDotForDot) {
  // 10 x 20 cells (narrower and shorter than font A's), patterned glyphs.
  const auto doc = test::MakeFontSet(10, 20, {0x41, 0x42, 0x43, 0x5A});
  const Bytes stream = StreamOf(*doc, "ABZ?CA");
  PrinterRun run;
  // Fed a byte at a time: commands split anywhere still work.
  for (const std::uint8_t byte : stream) run.printer.Feed(ByteView(&byte, 1));
  run.printer.Finish();
  EXPECT_TRUE(run.reports.empty());
  ASSERT_EQ(run.printer.Lines().size(), 1u);

  Bytes png;
  ASSERT_TRUE(EncodePng(RenderReceipt(run.printer.Lines()), png));
  std::int32_t width = 0, height = 0, expectedHeight = 0;
  const auto dots = test::DecodePng(png, width, height);
  EXPECT_EQ(width, 576);
  ASSERT_EQ(height, 30);
  const auto expected = test::PictureOf(*doc, "ABZ?CA\n", expectedHeight);
  ASSERT_EQ(dots.size(), expected.size());
  for (std::size_t i = 0; i < dots.size(); ++i) {
    ASSERT_EQ(dots[i], expected[i]) << "dot " << i % 576 << "," << i / 576;
  }
  ASSERT_EQ(run.art.size(), 1u);
  EXPECT_EQ(run.art[0].size(), 24u * (6u * 12u + 1u));
}

TEST(EscPosPrinter, ResetClearsTheCharactersAndCancelDropsOne) {
  const auto doc = test::MakeFontSet(12, 24, {0x41, 0x42});
  Bytes stream = StreamOf(*doc, "AB");
  // ESC ? 'A' then the same line again: A is a box now, B still defined.
  stream.insert(stream.end(), {0x1B, '?', 'A', 0x1B, '%', 1, 'A', 'B', 0x0A});
  // ESC @ forgets every character and the selection.
  stream.insert(stream.end(), {0x1B, '@', 0x1B, '%', 1, 'A', 'B', 0x0D, 0x0A});
  PrinterRun run;
  run.printer.Feed(stream);
  EXPECT_TRUE(run.reports.empty());
  const auto& lines = run.printer.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0][0].glyph && lines[0][1].glyph);
  EXPECT_TRUE(!lines[1][0].glyph && lines[1][1].glyph);
  EXPECT_TRUE(!lines[2][0].glyph && !lines[2][1].glyph);
}

TEST(EscPosPrinter, FontsKeepTheirOwnCharactersAndLinesWrapAt576Dots) {
  const auto small = test::MakeFontSet(9, 17, {0x41});
  Bytes stream = StreamOf(*small, "", EscPosFont::B);
  // In font B 'A' is defined; ESC ! 0 goes back to font A, where it is not.
  stream.insert(stream.end(), {'A', 0x1B, '!', 0x00, 'A', 0x0A});
  // 50 font A cells: 48 fit in 576 dots, two go to the next line.
  stream.insert(stream.end(), 50, 'x');
  stream.push_back(0x0A);
  PrinterRun run;
  run.printer.Feed(stream);
  const auto& lines = run.printer.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0][0].font, EscPosFont::B);
  EXPECT_TRUE(lines[0][0].glyph);
  EXPECT_EQ(lines[0][1].font, EscPosFont::A);
  EXPECT_FALSE(lines[0][1].glyph);
  EXPECT_EQ(lines[1].size(), 48u);
  EXPECT_EQ(lines[2].size(), 2u);
  const ReceiptImage image = RenderReceipt(lines);
  // Font B's box is 9 x 17: its bottom edge on row 16, nothing below it.
  EXPECT_TRUE(image.Black(0, 0));
  EXPECT_TRUE(image.Black(9 + 0, 23));
  EXPECT_FALSE(image.Black(9 + 1, 22));
}

TEST(EscPosPrinter, EveryCutCompletedOrEndedByTheNextPrefixLeavesTheNextSendPrintingAsIfAlone) {
  // Two runs of definitions, a sample line with a character the set lacks.
  ScriptedPrompt prompt;
  EscPosStreamOptions options;
  options.sampleText = "ABZ?C";
  const EscPosStream stream = *BuildEscPosStream(*test::MakeFontSet(12, 24, {0x41, 0x42, 0x43, 0x5A}), options, prompt);
  const ByteView bytes(stream.bytes);
  PrinterRun alone;
  alone.printer.Feed(bytes);
  ASSERT_EQ(alone.art.size(), 1u);
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    // A cancel: what was handed over, then the completion of the command cut.
    PrinterRun ended, again;
    for (PrinterRun* run : {&ended, &again}) {
      run->printer.Feed(bytes.first(cut));
      run->printer.Feed(stream.CompletionAt(cut));
    }
    ended.printer.Finish();  // reports a command left unfinished
    again.printer.Feed(bytes);
    EXPECT_EQ(ended.reports.size() + again.reports.size(), 0u) << "cut at " << cut;
    ASSERT_FALSE(again.art.empty());
    EXPECT_EQ(again.art.back(), alone.art[0]) << "cut at " << cut;
  }
  // A failed send, cut in the dots and not completed: the next stream's NULs
  // end the definition and ESC @ starts afresh.
  for (const EscPosCommand& command : stream.commands) {
    for (const ByteRange& dots : command.dots) {
      for (std::size_t cut = dots.begin; cut < dots.end; ++cut) {
        PrinterRun failed;
        failed.printer.Feed(bytes.first(cut));
        failed.printer.Feed(bytes);
        EXPECT_TRUE(failed.reports.empty() && failed.art == alone.art) << "cut at " << cut;
      }
    }
  }
}

TEST(EscPosPrinter, UnknownCommandsAndBadDefinitionsAreReportedNotGuessed) {
  Bytes stream{0x1D, 'x', 0x00};  // GS x: not known here
  stream.insert(stream.end(), {0x1B, 'e', 3});  // ESC e: reverse feed, not known here
  stream.insert(stream.end(), {0x1B, '&', 2, 'A', 'A', 1, 0xFF, 0xFF});
  stream.insert(stream.end(), {0x1B, '&', 3, 0x10, 0x10, 1, 0, 0, 0});
  stream.insert(stream.end(), {0x1B, '&', 3, 'A', 'A', 13});
  stream.insert(stream.end(), static_cast<std::size_t>(13 * 3), 0xFF);
  stream.insert(stream.end(), {0x1B, 'M', 2, 0x1B, '!', 0x08, 0x1B, '&', 3});
  PrinterRun run;
  run.printer.Feed(stream);
  run.printer.Finish();
  EXPECT_EQ(run.reports, (std::vector<std::string>{
                             "Unknown command at byte 0: GS 0x78.",
                             "Unknown command at byte 3: ESC 0x65.",
                             "Unknown control byte at byte 5: 0x03.",
                             "ESC & at byte 6 has y = 2; only 3 is known, nothing defined.",
                             "ESC & at byte 14 defines 0x10..0x10, outside 0x20..0x7E; nothing defined.",
                             "ESC & at byte 23: character 0x41 is 13 dots wide, more than font A holds; not defined.",
                             "ESC M at byte 68 selects font 2, which is not known; the font stays.",
                             "ESC ! at byte 71 sets print modes other than the font; the picture does not show them.",
                             "The input ended inside the command at byte 74.",
                         }));
  EXPECT_EQ(run.printer.Faults(), run.reports.size());
  // The bytes after an unknown command are taken as they come: 0x00 is
  // ignored as printers do, 3 is a control byte.
  EXPECT_TRUE(run.printer.Lines().empty());
}

}  // namespace
}  // namespace dotforge
