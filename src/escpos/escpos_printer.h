#pragma once
// A virtual ESC/POS printer for the user-defined character commands: ESC @,
// ESC !, ESC M, ESC &, ESC %, ESC ?, CR, LF and NUL (ignored, as printers do
// between commands). It keeps the user-defined characters of each printer font
// and collects the printed lines. Every byte it cannot place is reported as a
// fault with its offset in the whole input, never guessed at. Bytes may arrive
// in pieces of any size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "escpos/escpos_stream.h"
#include "platform/bytes.h"

namespace dotforge {

// A user-defined character as ESC & sent it: `width` columns of 3 bytes, the
// top row in bit 7 of each column's first byte.
struct UserGlyph {
  std::int32_t width = 0;
  Bytes columns;
  bool Dot(std::int32_t x, std::int32_t y) const;
};

struct PrintedCell {
  EscPosFont font = EscPosFont::A;
  std::optional<UserGlyph> glyph;  // nothing: the printer's own character, shown as a box
};

using PrintedLine = std::vector<PrintedCell>;

inline constexpr std::int32_t kReceiptWidth = 576;  // 80 mm at 203 dpi

class EscPosPrinter {
 public:
  using LineListener = std::function<void(const PrintedLine&)>;
  using ReportListener = std::function<void(const std::string&)>;

  EscPosPrinter(LineListener onLine, ReportListener onReport);

  void Feed(ByteView bytes);
  // The input has ended: a command left unfinished is reported.
  void Finish();

  const std::vector<PrintedLine>& Lines() const { return lines_; }
  // How many faults were reported.
  std::size_t Faults() const { return faults_; }

 private:
  // Handles the command at the front of `pending_`: how many bytes it took, or
  // 0 when more bytes are needed.
  std::size_t Step(ByteView bytes);
  std::size_t DefineCharacters(ByteView bytes);
  void Print(std::uint8_t code);
  void EndLine();
  void Reset();
  void Fault(const std::string& report);
  std::map<std::uint8_t, UserGlyph>& UserSet() { return userSets_[font_ == EscPosFont::A ? 0 : 1]; }

  LineListener onLine_;
  ReportListener onReport_;
  Bytes pending_;
  std::uint64_t offset_ = 0;  // of pending_'s first byte in the whole input
  std::array<std::map<std::uint8_t, UserGlyph>, 2> userSets_;
  EscPosFont font_ = EscPosFont::A;
  bool userSelected_ = false;
  PrintedLine line_;
  std::int32_t lineWidth_ = 0;
  std::vector<PrintedLine> lines_;
  std::size_t faults_ = 0;
};

}  // namespace dotforge
