#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "cli/cli_run.h"
#include "escpos/sim/escpos_printer.h"
#include "escpos/send/escpos_sender.h"
#include "escpos/local_listener.h"
#include "escpos/streams/picture_stream.h"
#include "escpos/sim/receipt_image.h"
#include "escpos/receipt_pictures.h"
#include "framework/scripted_prompt.h"
#include "model/native_file.h"
#include "platform/settings_store.h"
#include "receipt/text_lines.h"
#include "support/test_files.h"

namespace dotforge::cli {
namespace {

// A 3 x 2 font drawn by hand: A = "#.#" / ".#.", B = "###" / "...", in a
// single-byte set and, at the Shift_JIS code of U+3042, in a double-byte set.
std::unique_ptr<CDotforgeImportDoc> HandFont(std::int32_t fontType, std::int32_t codeA) {
  auto doc = test::MakeFontSet(3, 2, {}, fontType);
  doc->AppendCharacter(codeA, 3, 2).bitmap = {0xA0, 0x40};
  doc->AppendCharacter(0x42, 3, 2).bitmap = {0xE0, 0x00};
  doc->characterCount = 2;
  return doc;
}

class PicturePrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv(kSettingsFileVariable, (dir_ / "settings.conf").c_str(), 1);
    ScriptedPrompt prompt;
    ASSERT_TRUE(WriteNativeFile(*HandFont(kSingleByteFont, 0x41), dir_ / "HAND.DAT", prompt));
    ASSERT_TRUE(WriteNativeFile(*HandFont(kDoubleByteFont, 0x82A0), dir_ / "KANA.DAT", prompt));
    ASSERT_TRUE(WriteNativeFile(*ascii_, dir_ / "ASCII.DAT", prompt));
    ASSERT_TRUE(WriteNativeFile(*small_, dir_ / "SMALL.DAT", prompt));
  }
  void TearDown() override { unsetenv(kSettingsFileVariable); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // What 'escpos print' writes with -o.
  Bytes Printed(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "print");
    arguments.insert(arguments.end(), {"-o", Path("OUT.BIN")});
    const CliRun run = RunCommand(&RunEscPos, arguments);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    return test::ReadBytes(Path("OUT.BIN"));
  }

  // The preview's picture of `text` as dotforge-cli preview writes it.
  std::vector<std::uint8_t> Preview(const std::string& font, const std::string& text, std::int32_t& width,
                                    std::int32_t& height) {
    const CliRun run = RunCommand(&RunPreview, {Path(font), "--text", text, "--zoom", "2", "-o", Path("preview.png")});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    return test::DecodePng(test::ReadBytes(Path("preview.png")), width, height);
  }

  test::TempDir dir_;
  std::unique_ptr<CDotforgeImportDoc> ascii_ = test::MakeFontSet(12, 24, test::CodeRange(0x20, 0x7E));
  std::unique_ptr<CDotforgeImportDoc> small_ = test::MakeFontSet(9, 17, test::CodeRange(0x41, 0x5A));
};

const Bytes kInit{0x1B, 0x40};
const Bytes kEnd{0x1B, 0x64, 0x03};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(PicturePrintTest, ExactStreamsOfBothModes) {
  const std::string hand = Path("HAND.DAT");
  const struct {
    std::vector<std::string> arguments;
    Bytes stream;
  } cases[] = {
      // "AB": 6 dots wide, one byte per row: #.#### / .#....
      {{hand, "--text", "AB"}, Join({kInit, {0x1D, 0x76, 0x30, 0x00, 1, 0, 2, 0, 0xBC, 0x40}, kEnd})},
      // An empty line is LF; --cut ends with GS V 66 0.
      {{hand, "--text", "A\n\nB", "--cut"},
       Join({kInit, {0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xA0, 0x40, 0x0A, 0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xE0, 0x00}, kEnd,
             {0x1D, 0x56, 0x42, 0x00}})},
      // 8 dots of paper hold two cells: "ABA" wraps before the second A.
      {{hand, "--text", "ABA", "--paper-dots", "8"},
       Join({kInit, {0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xBC, 0x40, 0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xA0, 0x40}, kEnd})},
      // Zoom 2: ##..## twice, ..##.. twice.
      {{hand, "--text", "A", "--zoom", "2"}, Join({kInit, {0x1D, 0x76, 0x30, 0, 1, 0, 4, 0, 0xCC, 0xCC, 0x30, 0x30}, kEnd})},
      // Shift_JIS text on a double-byte set: U+3042 is code 0x82A0.
      {{Path("KANA.DAT"), "--text", "\xE3\x81\x82", "--encoding", "SHIFT_JIS"},
       Join({kInit, {0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xA0, 0x40}, kEnd})},
      // Columns: one band of 24 rows, the top dot in bit 7 of a column's first byte.
      {{hand, "--text", "A", "--image", "column"},
       Join({kInit, {0x1B, 0x33, 0x18, 0x1B, 0x2A, 0x21, 3, 0, 0x80, 0, 0, 0x40, 0, 0, 0x80, 0, 0, 0x0A, 0x1B, 0x32}, kEnd})},
      // The table: the row's first code as text, then its cells one blank column apart.
      {{hand, "--table"}, Join({kInit, {'0', 'x', '0', '0', '4', '1', 0x0A, 0x1D, 0x76, 0x30, 0, 1, 0, 2, 0, 0xAE, 0x40}, kEnd})},
  };
  for (const auto& c : cases) EXPECT_EQ(Printed(c.arguments), c.stream) << c.arguments[2];

  CliRun run = RunCommand(&RunEscPos, {"print", hand, "--text", "A", "--zoom", "3", "--paper-dots", "8", "-o", Path("X")});
  EXPECT_EQ(run.status, kExitReported);
  EXPECT_EQ(run.err, "dotforge-cli: A character is 9 dots wide at zoom 3, wider than the paper's 8 dots: lower the zoom "
                     "or choose wider paper.\n");
}

TEST_F(PicturePrintTest, TableOfANinetyFiveCharacterSetOnTheVirtualPrinter) {
  std::vector<std::string> printed;
  EscPosPrinter printer([&](const PrintedLine& line) { printed.push_back(LineArt(line)); },
                        [](const std::string& fault) { ADD_FAILURE() << fault; });
  printer.Feed(Printed({Path("ASCII.DAT"), "--table"}));
  printer.Finish();
  // 44 cells of 12 dots and 43 gaps fill 571 of 576 dots: rows of 44, 44 and 7.
  const auto& lines = printer.Lines();
  ASSERT_EQ(lines.size(), 6u + 3u);
  const std::size_t rowCells[] = {44, 44, 7};
  for (std::size_t row = 0; row < 3; ++row) {
    EXPECT_EQ(lines[2 * row].size(), 6u);  // "0x0020", "0x004C", "0x0078" in the printer's font
    ASSERT_EQ(lines[2 * row + 1].size(), 1u);
    const DotImage& picture = *lines[2 * row + 1][0].picture;
    EXPECT_EQ(picture.width, 8 * ((static_cast<std::int32_t>(rowCells[row]) * 13 - 1 + 7) / 8));
    EXPECT_EQ(picture.height, 24);
  }
  const Bytes stream = test::ReadBytes(Path("OUT.BIN"));
  for (const char* label : {"0x0020\n", "0x004C\n", "0x0078\n"}) {
    EXPECT_NE(std::search(stream.begin(), stream.end(), label, label + 7), stream.end()) << label;
  }
}

// The receipt rows [top, top + rows) against the preview's rows from `from`:
// the preview's dots at the left, white beyond.
void ExpectRows(const std::vector<std::uint8_t>& receipt, std::int32_t top, const std::vector<std::uint8_t>& preview,
                std::int32_t previewWidth, std::int32_t from, std::int32_t rows) {
  for (std::int32_t y = 0; y < rows; ++y) {
    for (std::int32_t x = 0; x < kReceiptWidth; ++x) {
      const std::uint8_t expected =
          x < previewWidth ? preview[static_cast<std::size_t>((from + y) * previewWidth + x)] : 0;
      ASSERT_EQ(receipt[static_cast<std::size_t>((top + y) * kReceiptWidth + x)], expected) << x << ", " << top + y;
    }
  }
}

TEST_F(PicturePrintTest, SimulatorReceiptIsThePreviewInBothModesAndACancelInsideAPictureLeavesNoFault) {
  const std::uint16_t port = test::ClosedPort();
  CliRun sim{};
  std::thread simulator([&] {
    sim = RunCommand(&RunEscPosSim, {"--listen", std::to_string(port), "--png", Path("receipt.png"), "--timeout", "10"});
  });
  EscPosTarget target;
  target.host = "127.0.0.1";
  target.port = port;
  const auto print = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"print", Path("SMALL.DAT")});
    arguments.insert(arguments.end(), {"--host", "127.0.0.1:" + std::to_string(port)});
    CliRun run{};
    for (int attempt = 0; attempt < 150; ++attempt) {
      run = RunCommand(&RunEscPos, arguments);
      if (run.status == kExitOk) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(run.status, kExitOk) << run.err;
  };
  // Cut inside a picture: 30 lines of 8 cells of 9 x 17 at zoom 8 are pictures of
  // 72 x 136 bytes, far more than is written ahead of the printer.
  std::string longText;
  for (int line = 0; line < 30; ++line) longText += std::string(8, 'M') + "\n";
  TextPrintRequest request;
  request.text = longText;
  request.zoom = 8;
  std::string error;
  const CommandStream big = BuildPictureStream(*TextReceiptLines(*small_, request, error), {});
  print({"--text", "AB", "--zoom", "2"});  // the connection is up
  Event cancel(ResetMode::Manual);
  const EscPosSendResult cut = SendEscPos(target, big, cancel, [&](std::size_t sent, std::size_t) {
    if (sent >= 20000) cancel.Set();
  });
  EXPECT_EQ(cut.status, EscPosSendResult::Status::Cancelled);
  print({"--text", "AB\nC", "--zoom", "2", "--cut"});
  print({"--text", "AB\nC", "--zoom", "2", "--image", "column"});
  simulator.join();
  EXPECT_EQ(sim.status, kExitOk) << sim.err;
  EXPECT_EQ(sim.err, "");
  EXPECT_NE(sim.out.find("--- cut ---"), std::string::npos);

  std::int32_t previewWidth = 0, previewHeight = 0, width = 0, height = 0;
  const auto preview = Preview("SMALL.DAT", "AB\nC", previewWidth, previewHeight);
  const auto receipt = test::DecodePng(test::ReadBytes(Path("receipt.png")), width, height);
  ASSERT_EQ(width, kReceiptWidth);
  ASSERT_EQ(previewHeight, 2 * 34);
  // From the bottom: 3 lines fed; two lines of bands of 24 rows (34 rows of picture, 14
  // white); 3 lines fed; the raster picture of both lines.
  const std::int32_t columns = height - 3 * 30 - 2 * 48;
  const std::int32_t raster = columns - 3 * 30 - previewHeight;
  ExpectRows(receipt, raster, preview, previewWidth, 0, previewHeight);
  for (std::int32_t line = 0; line < 2; ++line) {
    ExpectRows(receipt, columns + 48 * line, preview, previewWidth, 34 * line, 34);
    ExpectRows(receipt, columns + 48 * line + 34, preview, 0, 0, 14);
  }
}

}  // namespace
}  // namespace dotforge::cli
