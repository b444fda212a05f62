#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "formats/source/assembler_writers.h"
#include "formats/source/st10_writer.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::unique_ptr<CDotforgeImportDoc> FontWith(std::int32_t width, std::int32_t height,
                                             const std::vector<std::pair<std::int32_t, Bytes>>& characters) {
  std::vector<std::int32_t> codes;
  for (const auto& [code, cell] : characters) codes.push_back(code);
  auto doc = test::MakeFontSet(width, height, codes);
  for (std::size_t i = 0; i < characters.size(); ++i) doc->characters[i]->bitmap = characters[i].second;
  return doc;
}

TEST(St10Writer, ByteWordsSixteenToALine) {
  Bytes cell(17);
  for (std::size_t i = 0; i < cell.size(); ++i) cell[i] = static_cast<std::uint8_t>(i * 15);
  const auto doc = FontWith(8, 17, {{0x41, cell}, {0x8140, Bytes(17, 0xA5)}});
  const std::string text = Text(EncodeSt10File(*doc, 8));
  EXPECT_EQ(text,
            "const unsigned char xhuge ucDataFont08x17[] = \n{\n"
            "\n\t// 0x0041:\n\t"
            "0x00, 0x0F, 0x1E, 0x2D, 0x3C, 0x4B, 0x5A, 0x69, 0x78, 0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, "
            "\n\t0xF0, \n"
            "\n\t// 0x8140:\n\t"
            "0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, "
            "\n\t0xA5, \n"
            "\n}");
}

TEST(St10Writer, SixteenBitRowsArePaddedToWholeWords) {
  // Width 8: each row is one word with a zero low half.
  const auto narrow = FontWith(8, 2, {{0x20, {0x80, 0x01}}});
  EXPECT_EQ(Text(EncodeSt10File(*narrow, 16)),
            "const unsigned int xhuge uiDataFont08x02[] = \n{\n\n\t// 0x0020:\n\t0x8000, 0x0100, \n\n}");
  // Width 24: two words per row, the second holding byte 2 and a zero half.
  const auto wide = FontWith(24, 1, {{0x20, {0xAA, 0xBB, 0xCC}}});
  EXPECT_EQ(Text(EncodeSt10File(*wide, 16)),
            "const unsigned int xhuge uiDataFont24x01[] = \n{\n\n\t// 0x0020:\n\t0xAABB, 0xCC00, \n\n}");
  // Eight words to a line, rows running on without a break of their own.
  const auto tall = FontWith(16, 9, {{0x20, Bytes(18, 0x11)}});
  EXPECT_EQ(Text(EncodeSt10File(*tall, 16)),
            "const unsigned int xhuge uiDataFont16x09[] = \n{\n\n\t// 0x0020:\n\t"
            "0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, 0x1111, \n\t0x1111, \n\n}");
}

TEST(St10Writer, EmptyFontSetHasOnlyHeaderAndBrace) {
  const auto doc = test::MakeFontSet(12, 24, {});
  EXPECT_EQ(Text(EncodeSt10File(*doc, 8)), "const unsigned char xhuge ucDataFont12x24[] = \n{\n\n}");
}

TEST(St10Writer, RecordsOfAnotherSizeAreFittedToTheCell) {
  auto doc = FontWith(8, 2, {{0x20, {1, 2}}});
  doc->characters[0] = std::make_unique<CharacterRecord>(8, 1);
  doc->characters[0]->label = "0020";
  doc->characters[0]->bitmap = {7};
  EXPECT_EQ(Text(EncodeSt10File(*doc, 8)),
            "const unsigned char xhuge ucDataFont08x02[] = \n{\n\n\t// 0x0020:\n\t0x07, 0x00, \n\n}");
}

// Builds a C program around the exported file that prints the array, one number
// a line, and returns its output.
std::string CompileAndPrint(const test::TempDir& dir, const Bytes& source, const std::string& array,
                            const std::string& type) {
  test::WriteBytes(dir / "FONT.C", source);
  std::ofstream program(dir / "main.c");
  program << "#include <stdio.h>\n#include \"FONT.C\"\n;\n"
          << "int main(void) {\n"
          << "  for (unsigned i = 0; i < sizeof " << array << " / sizeof(" << type << "); ++i)\n"
          << "    printf(\"%u\\n\", (unsigned)" << array << "[i]);\n"
          << "  return 0;\n}\n";
  program.close();
  const std::string binary = (dir / "print").string();
  const std::string compile = "cc -std=c99 -Wall -Werror -Dxhuge= -o " + binary + " " + (dir / "main.c").string();
  EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
  const std::string output = (dir / "out.txt").string();
  EXPECT_EQ(std::system((binary + " > " + output).c_str()), 0);
  std::ifstream in(output);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(St10Writer, ExportIsRealCSource) {
  test::TempDir dir;
  const auto doc = test::MakeFontSet(20, 3, {0x41, 0x42, 0x43});
  std::string bytes;
  for (const auto& record : doc->characters) {
    for (const std::uint8_t byte : record->bitmap) bytes += std::to_string(byte) + "\n";
  }
  EXPECT_EQ(CompileAndPrint(dir, EncodeSt10File(*doc, 8), "ucDataFont20x03", "unsigned char"), bytes);

  // As words: each 3-byte row becomes 0xB0B1 and 0xB200.
  std::string words;
  for (const auto& record : doc->characters) {
    for (std::size_t row = 0; row < 3; ++row) {
      const std::uint8_t* b = &record->bitmap[row * 3];
      words += std::to_string(b[0] << 8 | b[1]) + "\n" + std::to_string(b[2] << 8) + "\n";
    }
  }
  EXPECT_EQ(CompileAndPrint(dir, EncodeSt10File(*doc, 16), "uiDataFont20x03", "unsigned int"), words);
}

TEST(St9Writer, RowStripsSideBySide) {
  const auto doc = FontWith(12, 2, {{0x41, {0x01, 0x02, 0x03, 0x04}}, {0x42, {0x11, 0x12, 0x13, 0x14}}});
  EXPECT_EQ(Text(EncodeSt9File(*doc)),
            "\n\n;ssligne 1\n\n\t.byte\t001H, 002H, 011H, 012H\n"
            "\n\n;ssligne 2\n\n\t.byte\t003H, 004H, 013H, 014H\n"
            "\n");
}

TEST(St9Writer, SixteenBytesALineAcrossCharacters) {
  std::vector<std::pair<std::int32_t, Bytes>> characters;
  for (std::int32_t k = 0; k < 9; ++k) characters.push_back({0x20 + k, {static_cast<std::uint8_t>(k), 0xF0}});
  const auto doc = FontWith(16, 1, characters);
  EXPECT_EQ(Text(EncodeSt9File(*doc)),
            "\n\n;ssligne 1\n"
            "\n\t.byte\t000H, 0F0H, 001H, 0F0H, 002H, 0F0H, 003H, 0F0H, 004H, 0F0H, 005H, 0F0H, 006H, 0F0H, 007H, 0F0H"
            "\n\t.byte\t008H, 0F0H\n\n");
}

TEST(St9Writer, CountAndListDisagree) {
  auto doc = FontWith(8, 1, {{0x20, {0xAB}}, {0x21, {0xCD}}});
  // A count above the list never reads past it; one below it writes that many.
  doc->characterCount = 5;
  EXPECT_EQ(Text(EncodeSt9File(*doc)), "\n\n;ssligne 1\n\n\t.byte\t0ABH, 0CDH\n\n");
  doc->characterCount = 1;
  EXPECT_EQ(Text(EncodeSt9File(*doc)), "\n\n;ssligne 1\n\n\t.byte\t0ABH\n\n");
  // No characters: one block per row and no ".byte" line.
  doc->characterCount = 0;
  doc->height = 2;
  EXPECT_EQ(Text(EncodeSt9File(*doc)), "\n\n;ssligne 1\n\n\n\n;ssligne 2\n\n\n");
}

TEST(AsmWriter, OneBlockPerCharacter) {
  Bytes cell(17);
  for (std::size_t i = 0; i < cell.size(); ++i) cell[i] = static_cast<std::uint8_t>(i);
  const auto doc = FontWith(8, 17, {{0x8140, cell}});
  EXPECT_EQ(Text(EncodeAsmFile(*doc)),
            "\n\t; 0x8140:"
            "\n\t.byte\t000H, 001H, 002H, 003H, 004H, 005H, 006H, 007H, 008H, 009H, 00AH, 00BH, 00CH, 00DH, 00EH, 00FH"
            "\n\t.byte\t010H\n\n");
  const auto exact = FontWith(8, 16, {{0x41, Bytes(16, 0xFF)}});
  EXPECT_EQ(Text(EncodeAsmFile(*exact)),
            "\n\t; 0x0041:\n\t.byte\t0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, 0FFH, "
            "0FFH, 0FFH, 0FFH\n\n");
  EXPECT_EQ(Text(EncodeAsmFile(*test::MakeFontSet(8, 8, {}))), "\n");
}

}  // namespace
}  // namespace dotforge
