#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "framework/scripted_prompt.h"
#include "model/model_messages.h"
#include "model/native_file.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

using test::CodeRange;
using test::MakeFontSet;

struct RangeEntry {
  std::uint16_t start;
  std::uint8_t count;
  bool operator==(const RangeEntry&) const = default;
};

std::vector<RangeEntry> Ranges(const Bytes& file) {
  std::vector<RangeEntry> ranges;
  const int count = GetU16LE(file, 18);
  for (int i = 0; i < count; ++i) ranges.push_back({GetU16LE(file, 22 + 3 * i), file[24 + 3 * i]});
  return ranges;
}

Bytes Encode(const CDotforgeImportDoc& doc) {
  ScriptedPrompt prompt;
  std::optional<Bytes> file = EncodeNativeFile(doc, prompt);
  EXPECT_TRUE(file.has_value());
  EXPECT_TRUE(prompt.Entries().empty());
  return file.value_or(Bytes{});
}

// A valid header for a 16 x 2 single-byte font of one range (0x41, 1 character).
Bytes Header(std::uint8_t storageMode) {
  Bytes file(1024, 0);
  const char magic[] = "DOTFORGE";
  std::copy(magic, magic + 9, file.begin());
  file[14] = 1;
  file[15] = storageMode;
  file[16] = 16;
  file[17] = 2;
  file[18] = 1;
  file[20] = 1;
  file[22] = 0x41;
  file[24] = 1;
  return file;
}

std::unique_ptr<CDotforgeImportDoc> Read(const Bytes& file, ScriptedPrompt& prompt) {
  auto doc = std::make_unique<CDotforgeImportDoc>();
  ReadNativeFile(*doc, file, prompt);
  return doc;
}

TEST(NativeFileWrite, HeaderFields) {
  const auto doc = MakeFontSet(12, 24, {0x41, 0x42}, kSingleByteFont);
  const Bytes file = Encode(*doc);
  ASSERT_EQ(file.size(), 1024u + 2 * 48);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 9), std::string("DOTFORGE\0", 9));
  EXPECT_EQ(std::string(file.begin() + 9, file.begin() + 14), std::string("1.00\0", 5));
  EXPECT_EQ(file[14], 1);
  EXPECT_EQ(file[15], 1);
  EXPECT_EQ(file[16], 12);
  EXPECT_EQ(file[17], 24);
  EXPECT_EQ(GetU16LE(file, 20), 2);
  EXPECT_EQ(Ranges(file), (std::vector<RangeEntry>{{0x41, 2}}));
  EXPECT_TRUE(std::all_of(file.begin() + 25, file.begin() + 1024, [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(Bytes(file.begin() + 1024, file.begin() + 1072), test::PatternCell(0x41, 12, 24));
  EXPECT_EQ(Encode(*MakeFontSet(8, 8, {0x8140}, kDoubleByteFont))[14], 2);
}

TEST(NativeFileWrite, RangesFollowGapsAndThe224Limit) {
  std::vector<std::int32_t> codes = CodeRange(0x20, 0x7F);
  const std::vector<std::int32_t> high = CodeRange(0xA0, 0xFF);
  codes.insert(codes.end(), high.begin(), high.end());
  EXPECT_EQ(Ranges(Encode(*MakeFontSet(8, 8, codes))), (std::vector<RangeEntry>{{0x20, 96}, {0xA0, 96}}));
  EXPECT_EQ(Ranges(Encode(*MakeFontSet(8, 8, CodeRange(0x100, 0x100 + 299), 1))),
            (std::vector<RangeEntry>{{0x100, 224}, {0x1E0, 76}}));
}

TEST(NativeFileWrite, RoundTripKeepsCodesAndCells) {
  const auto doc = MakeFontSet(20, 17, {0x20, 0x21, 0x30, 0x8140, 0x8141, 0xFFFF}, kDoubleByteFont);
  ScriptedPrompt prompt;
  const auto back = Read(Encode(*doc), prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(back->codes, doc->codes);
  ASSERT_EQ(back->characters.size(), doc->characters.size());
  for (std::size_t i = 0; i < back->characters.size(); ++i) {
    EXPECT_EQ(back->characters[i]->label, doc->characters[i]->label);
    EXPECT_EQ(back->characters[i]->bitmap, doc->characters[i]->bitmap);
  }
  EXPECT_EQ(back->width, 20);
  EXPECT_EQ(back->height, 17);
  EXPECT_EQ(back->fontType, kDoubleByteFont);
  EXPECT_EQ(back->fontId, '4');
  EXPECT_EQ(back->characterCount, 6);
}

TEST(NativeFileWrite, RefusesWhatCannotBeReadBack) {
  ScriptedPrompt prompt;
  EXPECT_FALSE(EncodeNativeFile(*MakeFontSet(128, 8, {0x41}), prompt));
  EXPECT_FALSE(EncodeNativeFile(*MakeFontSet(8, 0, {0x41}), prompt));
  std::vector<std::int32_t> scattered;
  for (int i = 0; i < 335; ++i) scattered.push_back(0x100 + 2 * i);
  EXPECT_FALSE(EncodeNativeFile(*MakeFontSet(8, 8, scattered, 1), prompt));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{msg::kCellTooLarge, msg::kCellTooLarge, msg::kTooManyRanges}));
  scattered.pop_back();
  prompt.Clear();
  EXPECT_TRUE(EncodeNativeFile(*MakeFontSet(8, 8, scattered, 1), prompt));
  EXPECT_TRUE(EncodeNativeFile(*MakeFontSet(127, 127, {0x41}), prompt));
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(NativeFileWrite, RecordsOfAnotherSizeAreFittedToTheCell) {
  auto doc = MakeFontSet(8, 2, {0x41, 0x42});
  doc->characters[1] = std::make_unique<CharacterRecord>(16, 3);
  doc->characters[1]->label = "0042";
  doc->characters[1]->bitmap = {1, 2, 3, 4, 5, 6};
  const Bytes file = Encode(*doc);
  ASSERT_EQ(file.size(), 1024u + 4);
  EXPECT_EQ(file[1026], 1);
  EXPECT_EQ(file[1027], 3);
}

TEST(NativeFileRead, CharacterCountAbove32767IsUnsigned) {
  const auto doc = MakeFontSet(8, 1, CodeRange(0x100, 0x100 + 40000), kDoubleByteFont);
  ScriptedPrompt prompt;
  const auto back = Read(Encode(*doc), prompt);
  EXPECT_EQ(back->characterCount, 40001);
  EXPECT_EQ(back->characters.size(), 40001u);
}

TEST(NativeFileRead, LowerCaseMagicIsAccepted) {
  Bytes file = Header(1);
  std::copy_n("dotforge", 8, file.begin());
  file.insert(file.end(), {0xAB, 0xCD, 0x12, 0x34});
  ScriptedPrompt prompt;
  const auto doc = Read(file, prompt);
  EXPECT_TRUE(prompt.Entries().empty());
  ASSERT_EQ(doc->characters.size(), 1u);
  EXPECT_EQ(doc->characters[0]->label, "0041");
  EXPECT_EQ(doc->characters[0]->bitmap, (Bytes{0xAB, 0xCD, 0x12, 0x34}));
  EXPECT_EQ(doc->fontType, kSingleByteFont);
  EXPECT_EQ(doc->fontId, '0');
}

TEST(NativeFileRead, StorageModesGiveTheSameGlyph) {
  Bytes mode1 = Header(1);
  mode1.insert(mode1.end(), {0x80, 0x01, 0xC0, 0x03});
  Bytes mode2 = Header(2);
  mode2.insert(mode2.end(), {0x01, 0x80, 0x03, 0xC0});
  Bytes mode3 = Header(3);
  mode3.insert(mode3.end(), {0x01, 0x80, 0x03, 0xC0});
  ScriptedPrompt prompt;
  const Bytes expected{0x80, 0x01, 0xC0, 0x03};
  EXPECT_EQ(Read(mode1, prompt)->characters.at(0)->bitmap, expected);
  EXPECT_EQ(Read(mode2, prompt)->characters.at(0)->bitmap, expected);
  EXPECT_EQ(Read(mode3, prompt)->characters.at(0)->bitmap, expected);
  EXPECT_TRUE(prompt.Entries().empty());
}

TEST(NativeFileRead, FileTypeTwoIsDoubleByteWithId4) {
  Bytes file = Header(1);
  file[14] = 2;
  file.resize(1028, 0);
  ScriptedPrompt prompt;
  const auto doc = Read(file, prompt);
  EXPECT_EQ(doc->fontType, kDoubleByteFont);
  EXPECT_EQ(doc->fontId, '4');
}

TEST(NativeFileRead, HeaderChecksInTheirOrder) {
  struct Case {
    std::size_t offset;
    std::uint8_t value;
    const char* message;
  };
  const Case cases[] = {
      {0, 'X', msg::kNotValidDotforgeFile}, {8, 'S', msg::kNotValidDotforgeFile},
      {14, 3, msg::kInvalidFileType},       {16, 0, msg::kWidthHeightZero},
      {17, 0, msg::kWidthHeightZero},       {16, 0x80, msg::kWidthHeightZero},
      {15, 0, msg::kInvalidStorageMode},    {15, 4, msg::kInvalidStorageMode},
      {19, 0x80, msg::kInvalidRangeCount},  {19, 0x02, msg::kInvalidRangeCount},
  };
  for (const Case& c : cases) {
    Bytes file = Header(1);
    file.resize(1028, 0xFF);
    file[c.offset] = c.value;
    ScriptedPrompt prompt;
    const auto doc = Read(file, prompt);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{c.message}) << "offset " << c.offset;
    EXPECT_TRUE(doc->characters.empty());
  }
  // A bad file type is reported before a zero width.
  Bytes file = Header(1);
  file[14] = 0;
  file[16] = 0;
  file[15] = 9;
  ScriptedPrompt prompt;
  Read(file, prompt);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kInvalidFileType});
}

TEST(NativeFileRead, TruncatedFilesKeepCompletedCharacters) {
  auto doc = MakeFontSet(8, 4, CodeRange(0x41, 0x45));
  const Bytes full = Encode(*doc);
  for (const std::size_t size : {std::size_t{0}, std::size_t{10}, std::size_t{1023}, std::size_t{1024},
                                 std::size_t{1024 + 9}, full.size() - 1}) {
    ScriptedPrompt prompt;
    const auto back = Read(Bytes(full.begin(), full.begin() + size), prompt);
    const std::size_t complete = size < 1024 ? 0 : (size - 1024) / 4;
    EXPECT_EQ(back->characters.size(), complete) << size;
    EXPECT_EQ(prompt.Texts().size(), 1u) << size;
    for (std::size_t i = 0; i < back->characters.size(); ++i) {
      EXPECT_EQ(back->characters[i]->bitmap, doc->characters[i]->bitmap);
    }
  }
  ScriptedPrompt prompt;
  Read(Bytes(full.begin(), full.begin() + 100), prompt);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kFileEndsEarly});
}

TEST(NativeFileSave, ReplacesTheFileAndReadsBack) {
  test::TempDir dir;
  const auto path = dir / "FONT.DAT";
  test::WriteBytes(path, Bytes{1, 2, 3});
  ScriptedPrompt prompt;
  ASSERT_TRUE(WriteNativeFile(*MakeFontSet(8, 8, {0x41}), path, prompt));
  CDotforgeImportDoc back;
  ReadNativeFile(back, path, prompt);
  EXPECT_EQ(back.codes, std::vector<std::int32_t>{0x41});
  EXPECT_TRUE(prompt.Entries().empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(NativeFileSave, FailuresAreReportedAndKeepTheOldFile) {
  test::TempDir dir;
  ScriptedPrompt prompt;
  EXPECT_FALSE(WriteNativeFile(*MakeFontSet(8, 8, {0x41}), dir / "missing" / "FONT.DAT", prompt));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kUnableToOpenFile});

  const auto path = dir / "FONT.DAT";
  test::WriteBytes(path, Bytes{1, 2, 3});
  // A file size limit makes the write itself fail halfway.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 512;
  setrlimit(RLIMIT_FSIZE, &small);
  prompt.Clear();
  const bool written = WriteNativeFile(*MakeFontSet(8, 8, {0x41}), path, prompt);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kUnableToWriteFile});
  EXPECT_EQ(test::ReadBytes(path), (Bytes{1, 2, 3}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  prompt.Clear();
  CDotforgeImportDoc doc;
  ReadNativeFile(doc, dir / "absent.dat", prompt);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{msg::kUnableToReadFile});
}

}  // namespace
}  // namespace dotforge
