#include "escpos/escpos_printer.h"

#include <cstdio>

#include "escpos/escpos_messages.h"

namespace dotforge {
namespace {

constexpr std::uint8_t kNul = 0x00;
constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::size_t kColumnBytes = 3;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

}  // namespace

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
    const std::size_t taken = Step(ByteView(pending_).subspan(used));
    if (taken == 0) break;
    used += taken;
    offset_ += taken;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
}

void EscPosPrinter::Finish() {
  if (!pending_.empty()) Fault(msg::FormatMessage(msg::kEscPosSimUnfinished, {std::to_string(offset_)}));
  pending_.clear();
}

std::size_t EscPosPrinter::Step(ByteView bytes) {
  const std::uint8_t first = bytes[0];
  const std::string at = std::to_string(offset_);
  if (first == kLf) {
    EndLine();
    return 1;
  }
  if (first == kCr || first == kNul) return 1;  // automatic line feed is off: LF prints
  if (first != kEsc) {
    if (first < 0x20 || first == 0x7F) {
      Fault(msg::FormatMessage(msg::kEscPosSimUnknownControl, {at, Hex(first)}));
    } else {
      Print(first);
    }
    return 1;
  }
  if (bytes.size() < 2) return 0;
  const std::uint8_t command = bytes[1];
  if (command == '@') {
    Reset();
    return 2;
  }
  if (command == '&') return DefineCharacters(bytes);
  if (command != '!' && command != 'M' && command != '%' && command != '?') {
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
    default:  // '?'
      UserSet().erase(n);
      break;
  }
  return 3;
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
  PrintedCell cell{font_, std::nullopt};
  if (userSelected_) {
    const auto& set = UserSet();
    if (const auto found = set.find(code); found != set.end()) cell.glyph = found->second;
  }
  line_.push_back(std::move(cell));
  lineWidth_ += cellWidth;
}

void EscPosPrinter::EndLine() {
  lines_.push_back(std::move(line_));
  line_.clear();
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
  line_.clear();
  lineWidth_ = 0;
}

}  // namespace dotforge
