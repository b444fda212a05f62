#pragma once
// The printer's command protocol: control bytes, waiting limits, the printer
// command state, the font name field and the short request streams.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/font_set.h"
#include "model/stream_file.h"  // kUS, shared with the stream files
#include "platform/bytes.h"

namespace dotforge {

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kXon = 0x11;
inline constexpr std::uint8_t kXoff = 0x13;
inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kNul = 0x00;
inline constexpr std::uint8_t kGS = 0x1D;

// Milliseconds allowed for each reply byte.
inline constexpr int kReplyLimitMs = 2000;
inline constexpr int kEraseReplyLimitMs = 10000;

// The printer command state kept in the communication context.
enum class PrinterCommand : int {
  Idle = 0,
  CheckMemory = 1,
  EraseFonts = 2,
  ReadFontInfo = 3,
  PrintOneCharacter = 4,
  DownloadFont = 5,
};

inline constexpr std::size_t kFontNameLength = 8;
inline constexpr std::size_t kFontInfoRecordLength = 15;
inline constexpr std::size_t kMemoryTextLimit = 10;

// The 8-byte name field of the download headers, from the font set's title: the
// part before its first '.', space-padded (a title without a '.' gives spaces).
std::string WireFontName(std::string_view title);

// 1C 47 (FS G), width, height, then the character's cell fitted to the font
// set's cell size.
Bytes PrintCharacterStream(const CDotforgeImportDoc& doc, const CharacterRecord& character);
// 1C 46 and the slot's digit.
Bytes FontInfoRequest(int slot);
// 1F 77 02
Bytes MemoryRequest();
// 1D 40 33
Bytes EraseCommand();

}  // namespace dotforge
