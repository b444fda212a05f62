#pragma once
// The printer's download font files: single-byte (.DSB: one FS L header and 224
// cells for 0x20..0xFF) and double-byte (.DDB: FS D blocks of consecutive codes and
// an FS E end record). The printer link sends exactly these bytes.

#include <array>
#include <filesystem>
#include <optional>
#include <vector>
#include <string>
#include <string_view>

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"
#include "platform/file_io.h"

namespace dotforge {

inline constexpr std::size_t kDsbHeaderSize = 13;
inline constexpr std::size_t kDdbBlockHeaderSize = 17;
inline constexpr std::size_t kDdbEndRecordSize = 10;
inline constexpr int kSingleByteCells = 224;
inline constexpr std::uint8_t kFS = 0x1C;

// Which character fills each of the 224 cells 0x20..0xFF of a single-byte font:
// a cell's place is fixed by its code, whatever the order of the list. Of two
// characters with one code the first is kept; the codes held twice are listed
// in ascending order. Codes below 0x20 and from 0x100 up have no cell.
struct SingleByteCells {
  std::array<const CharacterRecord*, kSingleByteCells> records;
  std::vector<std::uint32_t> duplicateCodes;
  std::size_t withoutCell = 0;  // characters whose code has no cell
};
SingleByteCells PlaceSingleByteCells(const CDotforgeImportDoc& doc);

// The 8-byte name field: the file name up to its first '.', space-padded to 8.
std::string DownloadFontName(std::string_view fileName);

void ReadDsbFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt);
void ReadDdbFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt);

// `fontName` is the 8-byte name field (see DownloadFontName).
std::optional<Bytes> EncodeDsbFile(const CDotforgeImportDoc& doc, std::string_view fontName, Prompt& prompt);
std::optional<Bytes> EncodeDdbFile(const CDotforgeImportDoc& doc, std::string_view fontName, Prompt& prompt);

// Encode and save; the font name comes from the target's file name.
bool WriteDsbFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt);
// Encode and commit into a file already opened, named `fileName`.
bool WriteDsbFile(CDotforgeImportDoc& doc, AtomicFileWriter& file, std::string_view fileName, Prompt& prompt);
bool WriteDdbFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt);

}  // namespace dotforge
