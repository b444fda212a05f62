#pragma once
// The ESC/POS stream that prints lines as pictures, for any printer whatever
// its fonts. Each picture is one command (GS v 0, or one ESC * per band of 24
// rows) listed with its dots, so a send cut inside a picture finishes that
// command with white dots and nothing more.
//
// The stream starts with ESC @ and has no NUL prefix: a cancel never leaves a
// picture unfinished, and no fixed count of NULs could end a picture cut by a
// failed send, whose data is as long as the picture.

#include <optional>
#include <string>
#include <vector>

#include "escpos/streams/command_stream.h"
#include "escpos/dot_image.h"

namespace dotforge {

// GS v 0 raster pictures, or ESC * bit images for printers without GS v 0.
enum class PictureMode { Raster, Column };

// One line of the receipt: a picture, or plain printer text (ASCII) followed
// by LF; an empty text is an empty line.
struct ReceiptLine {
  std::optional<DotImage> picture;
  std::string text;
};

struct PictureStreamOptions {
  PictureMode mode = PictureMode::Raster;
  bool cut = false;  // GS V 66 0 after the last feed
};

// The rows of an ESC * band.
inline constexpr std::int32_t kBandRows = 24;

// ESC @; in column mode ESC 3 24; each line (raster: GS v 0 0 xL xH yL yH and
// the rows, the leftmost dot in bit 7; column: per band of 24 rows, the last
// padded white, ESC * 33 nL nH with 3 bytes per column and LF; text: its
// bytes and LF); in column mode ESC 2; ESC d 3; with `cut` GS V 66 0.
CommandStream BuildPictureStream(const std::vector<ReceiptLine>& lines, const PictureStreamOptions& options);

}  // namespace dotforge
