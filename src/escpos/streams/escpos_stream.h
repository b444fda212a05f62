#pragma once
// The ESC/POS stream that defines a font set's characters 0x20..0x7E as the
// printer's user-defined characters and, with a sample text, prints it with them.
// Every front end sends these bytes and nothing else. It starts by ending
// whatever an earlier send left unfinished and resetting the printer; after the
// definitions there is no ESC @, which would clear them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "escpos/streams/command_stream.h"
#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

enum class EscPosFont { A, B };

struct EscPosFontLimits {
  const char* name;
  std::int32_t width;
  std::int32_t height;
};

// A: 12 x 24 dots, B: 9 x 17 dots.
EscPosFontLimits LimitsOf(EscPosFont font);
// The smallest printer font whose cell holds `width` x `height`; A when none does.
EscPosFont FontForCell(std::int32_t width, std::int32_t height);

inline constexpr const char* kDefaultCodePage = "CP437";

struct EscPosStreamOptions {
  EscPosFont font = EscPosFont::A;
  // UTF-8; empty: no sample line is printed.
  std::string sampleText;
  // An iconv encoding name.
  std::string codePage = kDefaultCodePage;
};

// NUL bytes that end the longest definition the stream sends, wherever it was
// cut: the columns of one character of font A and a width byte for every
// code. A printer between commands ignores them.
inline constexpr std::size_t kEscPosPrefixNuls = 12 * 3 + (0x7E - 0x20 + 1);

struct EscPosStream : CommandStream {
  std::size_t defined = 0;  // characters defined
  std::size_t skipped = 0;  // characters with dots outside 0x20..0x7E
};

// The characters with at least one dot whose codes lie outside 0x20..0x7E,
// which the stream leaves out; blank cells (the filler of a fixed-size set) are
// not counted.
std::size_t UnsendableCharacters(const CDotforgeImportDoc& doc);

// The stream: kEscPosPrefixNuls NUL bytes and ESC @, ESC M n, one ESC & 3 c1 c2
// per run of consecutive codes present (each character x = W then W columns of
// 3 bytes, the top row in bit 7 of the first, rows below the cell zero),
// ESC % 1, and with a sample text the text in the code page (bytes below 0x20
// other than LF dropped), LF and ESC % 0. Of two characters with one code the
// first is sent. Nothing, after a message through `prompt`, when the cell is
// larger than the printer font or the text cannot be encoded. The characters
// left out are counted in `skipped`; telling the user is the caller's part.
std::optional<EscPosStream> BuildEscPosStream(const CDotforgeImportDoc& doc, const EscPosStreamOptions& options,
                                              Prompt& prompt);

}  // namespace dotforge
