#include "escpos/sim/escpos_printer.h"

#include <algorithm>
#include <cstdio>

#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

constexpr std::uint8_t kNul = 0x00;
constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kGs = 0x1D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::size_t kColumnBytes = 3;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

// An ESC * bit image: `columns` of `rows` / 8 bytes, the top dot in bit 7 of
// a column's first byte, each column `repeat` dots wide.
DotImage BitImageOf(ByteView data, std::int32_t columns, std::int32_t rows, std::int32_t repeat) {
  DotImage image;
  image.width = columns * repeat;
  image.height = rows;
  image.dots.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(rows), 0);
  const std::size_t columnBytes = static_cast<std::size_t>(rows / 8);
  for (std::int32_t x = 0; x < image.width; ++x) {
    const std::size_t column = static_cast<std::size_t>(x / repeat) * columnBytes;
    for (std::int32_t y = 0; y < rows; ++y) {
      const bool black = (data[column + static_cast<std::size_t>(y / 8)] & (0x80 >> (y % 8))) != 0;
      image.dots[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)] = black;
    }
  }
  return image;
}

// A GS v 0 raster picture: `rowBytes` bytes per row, the leftmost dot in bit 7,
// each dot scaled `wide` x `high`.
DotImage RasterOf(ByteView data, std::int32_t rowBytes, std::int32_t rows, std::int32_t wide, std::int32_t high) {
  DotImage image;
  image.width = rowBytes * 8 * wide;
  image.height = rows * high;
  image.dots.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
  for (std::int32_t y = 0; y < image.height; ++y) {
    const std::size_t row = static_cast<std::size_t>(y / high) * static_cast<std::size_t>(rowBytes);
    for (std::int32_t x = 0; x < image.width; ++x) {
      const std::int32_t dot = x / wide;
      const bool black = (data[row + static_cast<std::size_t>(dot / 8)] & (0x80 >> (dot % 8))) != 0;
      image.dots[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)] = black;
    }
  }
  return image;
}

}  // namespace

std::int32_t PrintedCell::Width() const { return picture ? picture->width : LimitsOf(font).width; }

std::int32_t PrintedCell::Height() const { return picture ? picture->height : LimitsOf(font).height; }

bool UserGlyph::Dot(std::int32_t x, std::int32_t y) const {
  if (x < 0 || x >= width || y < 0 || y >= 24) return false;
  const std::size_t index = static_cast<std::size_t>(x) * kColumnBytes + static_cast<std::size_t>(y / 8);
  return index < columns.size() && (columns[index] & (0x80 >> (y % 8))) != 0;
}

EscPosPrinter::EscPosPrinter(LineListener onLine, ReportListener onReport)
    : onLine_(std::move(onLine)), onReport_(std::move(onReport)) {}

void EscPosPrinter::Feed(ByteView bytes) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  std::size_t used = 0;
  while (used < pending_.size()) {
    std::size_t taken = 0;
    if (passOver_ > 0) {
      taken = static_cast<std::size_t>(std::min<std::uint64_t>(passOver_, pending_.size() - used));
      passOver_ -= taken;
    } else {
      taken = Step(ByteView(pending_).subspan(used));
    }
    if (taken == 0) break;
    used += taken;
    offset_ += taken;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
}

void EscPosPrinter::Finish() {
  if (passOver_ > 0) Fault(msg::FormatMessage(msg::kEscPosSimUnfinished, {std::to_string(passOverFrom_)}));
  if (!pending_.empty()) Fault(msg::FormatMessage(msg::kEscPosSimUnfinished, {std::to_string(offset_)}));
  pending_.clear();
  passOver_ = 0;
}

std::size_t EscPosPrinter::Step(ByteView bytes) {
  const std::uint8_t first = bytes[0];
  const std::string at = std::to_string(offset_);
  if (first == kLf) {
    EndLine();
    return 1;
  }
  if (first == kCr || first == kNul) return 1;  // automatic line feed is off: LF prints
  if (first == kEsc) return StepEsc(bytes);
  if (first == kGs) return StepGs(bytes);
  if (first < 0x20 || first == 0x7F) {
    Fault(msg::FormatMessage(msg::kEscPosSimUnknownControl, {at, Hex(first)}));
  } else {
    Print(first);
  }
  return 1;
}

std::size_t EscPosPrinter::StepEsc(ByteView bytes) {
  if (bytes.size() < 2) return 0;
  const std::string at = std::to_string(offset_);
  const std::uint8_t command = bytes[1];
  if (command == '@') {
    Reset();
    return 2;
  }
  if (command == '2') {
    lineSpacing_ = kDefaultLineSpacing;
    return 2;
  }
  if (command == '&') return DefineCharacters(bytes);
  if (command == '*') return BitImage(bytes);
  if (command != '!' && command != 'M' && command != '%' && command != '?' && command != '3' && command != 'd') {
    Fault(msg::FormatMessage(msg::kEscPosSimUnknownCommand, {at, "ESC " + Hex(command)}));
    return 2;
  }
  if (bytes.size() < 3) return 0;
  const std::uint8_t n = bytes[2];
  switch (command) {
    case '!':
      font_ = (n & 0x01) ? EscPosFont::B : EscPosFont::A;
      if (n & ~0x01) Fault(msg::FormatMessage(msg::kEscPosSimModeIgnored, {at}));
      break;
    case 'M':
      if (n == 0 || n == '0' || n == 1 || n == '1') {
        font_ = (n == 1 || n == '1') ? EscPosFont::B : EscPosFont::A;
      } else {
        Fault(msg::FormatMessage(msg::kEscPosSimUnknownFont, {at, std::to_string(n)}));
      }
      break;
    case '%':
      userSelected_ = (n & 0x01) != 0;
      break;
    case '3':
      lineSpacing_ = n;
      break;
    case 'd':
      // The line waiting is printed, then n lines are fed.
      if (!line_.empty()) EndLine();
      for (int feed = 0; feed < n; ++feed) EndLine();
      break;
    default:  // '?'
      UserSet().erase(n);
      break;
  }
  return 3;
}

std::size_t EscPosPrinter::StepGs(ByteView bytes) {
  if (bytes.size() < 2) return 0;
  const std::uint8_t command = bytes[1];
  if (command == 'v') return RasterPicture(bytes);
  if (command == 'V') return Cut(bytes);
  Fault(msg::FormatMessage(msg::kEscPosSimUnknownCommand, {std::to_string(offset_), "GS " + Hex(command)}));
  return 2;
}

std::size_t EscPosPrinter::BitImage(ByteView bytes) {
  constexpr std::size_t kHeader = 5;
  if (bytes.size() < kHeader) return 0;
  const std::uint8_t mode = bytes[2];
  const std::int32_t columns = bytes[3] | (bytes[4] << 8);
  const bool tall = mode == 32 || mode == 33;
  const std::int32_t rows = tall ? 24 : 8;
  const std::size_t data = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows / 8);
  const std::string at = std::to_string(offset_);
  if (mode != 0 && mode != 1 && !tall) {
    Fault(msg::FormatMessage(msg::kEscPosSimUnknownPictureMode, {"ESC *", at, std::to_string(mode)}));
    return 3;  // the size depends on the mode: the bytes after it are taken as they come
  }
  // Single density (0, 32) prints every column two dots wide.
  const std::int32_t repeat = (mode == 0 || mode == 32) ? 2 : 1;
  if (lineWidth_ + columns * repeat > kReceiptWidth) {
    return Refuse(msg::FormatMessage(msg::kEscPosSimPictureTooWide,
                                     {"ESC *", at, std::to_string(lineWidth_ + columns * repeat), std::to_string(kReceiptWidth)}),
                  kHeader, data);
  }
  if (bytes.size() < kHeader + data) return 0;
  PrintedCell cell;
  cell.picture = BitImageOf(bytes.subspan(kHeader, data), columns, rows, repeat);
  line_.push_back(std::move(cell));
  lineWidth_ += columns * repeat;
  return kHeader + data;
}

std::size_t EscPosPrinter::RasterPicture(ByteView bytes) {
  constexpr std::size_t kHeader = 8;
  if (bytes.size() < 3) return 0;
  const std::string at = std::to_string(offset_);
  if (bytes[2] != '0') {
    Fault(msg::FormatMessage(msg::kEscPosSimUnknownCommand, {at, "GS v " + Hex(bytes[2])}));
    return 3;
  }
  if (bytes.size() < kHeader) return 0;
  const std::uint8_t mode = bytes[3];
  const std::int32_t rowBytes = bytes[4] | (bytes[5] << 8);
  const std::int32_t rows = bytes[6] | (bytes[7] << 8);
  const std::size_t data = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rows);
  if (mode > 3 && (mode < '0' || mode > '3')) {
    return Refuse(msg::FormatMessage(msg::kEscPosSimUnknownPictureMode, {"GS v 0", at, std::to_string(mode)}), kHeader,
                  data);
  }
  const std::int32_t wide = (mode & 0x01) ? 2 : 1;
  const std::int32_t high = (mode & 0x02) ? 2 : 1;
  if (rowBytes * 8 * wide > kReceiptWidth) {
    return Refuse(msg::FormatMessage(msg::kEscPosSimPictureTooWide,
                                     {"GS v 0", at, std::to_string(rowBytes * 8 * wide), std::to_string(kReceiptWidth)}),
                  kHeader, data);
  }
  if (!line_.empty()) return Refuse(msg::FormatMessage(msg::kEscPosSimPictureInLine, {at}), kHeader, data);
  if (bytes.size() < kHeader + data) return 0;
  if (data > 0) {
    PrintedCell cell;
    cell.picture = RasterOf(bytes.subspan(kHeader, data), rowBytes, rows, wide, high);
    line_.push_back(std::move(cell));
    // The paper moves on by the picture's height, whatever the line spacing.
    lines_.push_back(std::move(line_));
    lines_.back().feed = rows * high;
    line_ = {};
    if (onLine_) onLine_(lines_.back());
  }
  return kHeader + data;
}

std::size_t EscPosPrinter::Cut(ByteView bytes) {
  if (bytes.size() < 3) return 0;
  const std::uint8_t mode = bytes[2];
  const bool feeds = mode == 65 || mode == 66;
  if (!feeds && mode != 0 && mode != 1 && mode != '0' && mode != '1') {
    Fault(msg::FormatMessage(msg::kEscPosSimUnknownCut, {std::to_string(offset_), std::to_string(mode)}));
    return 3;
  }
  if (feeds && bytes.size() < 4) return 0;
  if (!line_.empty()) EndLine();
  PrintedLine cut;
  cut.feed = 0;
  cut.cut = true;
  lines_.push_back(std::move(cut));
  if (onLine_) onLine_(lines_.back());
  return feeds ? 4 : 3;
}

std::size_t EscPosPrinter::Refuse(const std::string& report, std::size_t headerBytes, std::size_t dataBytes) {
  Fault(report);
  passOver_ = dataBytes;
  passOverFrom_ = offset_;
  return headerBytes;
}

std::size_t EscPosPrinter::DefineCharacters(ByteView bytes) {
  if (bytes.size() < 5) return 0;
  const std::uint8_t y = bytes[2];
  const std::uint8_t c1 = bytes[3];
  const std::uint8_t c2 = bytes[4];
  // Measure the whole command before acting on it.
  std::size_t end = 5;
  for (int code = c1; code <= c2; ++code) {
    if (end >= bytes.size()) return 0;
    end += 1 + static_cast<std::size_t>(y) * bytes[end];
    if (end > bytes.size()) return 0;
  }
  const std::string at = std::to_string(offset_);
  if (y != kColumnBytes) {
    Fault(msg::FormatMessage(msg::kEscPosSimBadColumnBytes, {at, std::to_string(y)}));
    return end;
  }
  if (c1 < 0x20 || c2 > 0x7E || c1 > c2) {
    Fault(msg::FormatMessage(msg::kEscPosSimBadRange, {at, Hex(c1), Hex(c2)}));
    return end;
  }
  const EscPosFontLimits limits = LimitsOf(font_);
  std::size_t position = 5;
  for (int code = c1; code <= c2; ++code) {
    const std::uint8_t x = bytes[position];
    const ByteView columns = bytes.subspan(position + 1, kColumnBytes * x);
    position += 1 + columns.size();
    if (x > limits.width) {
      Fault(msg::FormatMessage(msg::kEscPosSimTooWide, {at, Hex(static_cast<std::uint32_t>(code)),
                                                            std::to_string(x), limits.name}));
      continue;
    }
    UserSet()[static_cast<std::uint8_t>(code)] = UserGlyph{x, Bytes(columns.begin(), columns.end())};
  }
  return end;
}

void EscPosPrinter::Print(std::uint8_t code) {
  const std::int32_t cellWidth = LimitsOf(font_).width;
  if (lineWidth_ + cellWidth > kReceiptWidth) EndLine();
  PrintedCell cell;
  cell.font = font_;
  if (userSelected_) {
    const auto& set = UserSet();
    if (const auto found = set.find(code); found != set.end()) cell.glyph = found->second;
  }
  line_.push_back(std::move(cell));
  lineWidth_ += cellWidth;
}

void EscPosPrinter::EndLine() {
  std::int32_t feed = lineSpacing_;
  for (const PrintedCell& cell : line_) feed = std::max(feed, cell.Height());
  lines_.push_back(std::move(line_));
  lines_.back().feed = feed;
  line_ = {};
  lineWidth_ = 0;
  if (onLine_) onLine_(lines_.back());
}

void EscPosPrinter::Fault(const std::string& report) {
  ++faults_;
  onReport_(report);
}

void EscPosPrinter::Reset() {
  for (auto& set : userSets_) set.clear();
  font_ = EscPosFont::A;
  userSelected_ = false;
  line_ = {};
  lineWidth_ = 0;
  lineSpacing_ = kDefaultLineSpacing;
}

}  // namespace dotforge
