#pragma once
// A virtual ESC/POS printer for the user-defined character commands (ESC @,
// ESC !, ESC M, ESC &, ESC %, ESC ?), the pictures (GS v 0 raster, ESC * bit
// images in the line), line spacing and feeds (ESC 3, ESC 2, ESC d), the cut
// (GS V), CR, LF and NUL (ignored, as printers do between commands). It keeps
// the user-defined characters of each printer font and collects the printed
// lines. Every byte it cannot place is reported as a fault with its offset in
// the whole input, never guessed at; a picture it cannot place is reported and
// its declared data passed over as it comes. Bytes may arrive in pieces of any
// size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "escpos/dot_image.h"
#include "escpos/streams/escpos_stream.h"
#include "platform/bytes.h"

namespace dotforge {

// A user-defined character as ESC & sent it: `width` columns of 3 bytes, the
// top row in bit 7 of each column's first byte.
struct UserGlyph {
  std::int32_t width = 0;
  Bytes columns;
  bool Dot(std::int32_t x, std::int32_t y) const;
};

// A character, or a picture placed in the line (an ESC * bit image, or a
// GS v 0 raster picture alone in its line).
struct PrintedCell {
  EscPosFont font = EscPosFont::A;
  std::optional<UserGlyph> glyph;  // nothing: the printer's own character, shown as a box
  std::optional<DotImage> picture;
  std::int32_t Width() const;
  std::int32_t Height() const;
};

inline constexpr std::int32_t kReceiptWidth = 576;  // 80 mm at 203 dpi
inline constexpr std::int32_t kDefaultLineSpacing = 30;

// The cells of a printed line and how far the paper went on after it: the
// line spacing, or the line's tallest cell when that is taller. A cut is a
// line of its own without cells that feeds nothing.
struct PrintedLine : std::vector<PrintedCell> {
  std::int32_t feed = kDefaultLineSpacing;
  bool cut = false;
};

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
  std::size_t StepEsc(ByteView bytes);
  std::size_t StepGs(ByteView bytes);
  std::size_t DefineCharacters(ByteView bytes);
  std::size_t BitImage(ByteView bytes);
  std::size_t RasterPicture(ByteView bytes);
  std::size_t Cut(ByteView bytes);
  // Reports a picture that cannot be placed and passes over its `dataBytes`.
  std::size_t Refuse(const std::string& report, std::size_t headerBytes, std::size_t dataBytes);
  void Print(std::uint8_t code);
  void EndLine();
  void Reset();
  void Fault(const std::string& report);
  std::map<std::uint8_t, UserGlyph>& UserSet() { return userSets_[font_ == EscPosFont::A ? 0 : 1]; }

  LineListener onLine_;
  ReportListener onReport_;
  Bytes pending_;
  std::uint64_t offset_ = 0;  // of pending_'s first byte in the whole input
  std::uint64_t passOver_ = 0;      // data bytes of a refused picture still to come
  std::uint64_t passOverFrom_ = 0;  // the offset of that picture's command
  std::array<std::map<std::uint8_t, UserGlyph>, 2> userSets_;
  EscPosFont font_ = EscPosFont::A;
  bool userSelected_ = false;
  PrintedLine line_;
  std::int32_t lineWidth_ = 0;
  std::int32_t lineSpacing_ = kDefaultLineSpacing;
  std::vector<PrintedLine> lines_;
  std::size_t faults_ = 0;
};

}  // namespace dotforge
