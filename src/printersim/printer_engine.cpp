#include "printersim/printer_engine.h"

#include <cstdio>

namespace dotforge::sim {
namespace {

constexpr std::uint8_t kFs = 0x1C;
constexpr std::uint8_t kGs = 0x1D;
constexpr std::uint8_t kUs = 0x1F;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::size_t kSingleByteCells = 224;

std::size_t CellSizeOf(std::uint8_t width, std::uint8_t height) {
  return width == 0 ? 0 : static_cast<std::size_t>((width - 1) / 8 + 1) * height;
}

std::string Describe(const char* what, const StoredFont& font) {
  char text[160];
  std::snprintf(text, sizeof text, "%s '%s' id %c %ux%u: %u characters, checksum %04X", what, font.name.c_str(),
                static_cast<char>(font.id), font.width, font.height, static_cast<unsigned>(font.characters),
                static_cast<unsigned>(font.checksum));
  return text;
}

}  // namespace

std::vector<std::string> GlyphTextArt(ByteView cell, int width, int height) {
  std::vector<std::string> rows;
  const int bytesPerRow = width < 1 ? 0 : (width - 1) / 8 + 1;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const std::size_t index = static_cast<std::size_t>(y * bytesPerRow + x / 8);
      const bool dot = index < cell.size() && (cell[index] & (0x80 >> (x % 8)));
      row += dot ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

std::size_t PrinterEngine::UsedMemory() const {
  std::size_t used = doubleByte_ ? doubleByte_->bytes : 0;
  for (const auto& slot : slots_) used += slot ? slot->bytes : 0;
  return used;
}

std::size_t PrinterEngine::FreeMemory() const {
  const std::size_t used = UsedMemory();
  return used >= memory_ ? 0 : memory_ - used;
}

std::size_t PrinterEngine::CellBytes() const { return CellSizeOf(incoming_.width, incoming_.height); }

void PrinterEngine::Expect(Part part, std::size_t bytes) {
  part_ = part;
  need_ = bytes;
  buffer_.clear();
  state_ = State::Collect;
}

void PrinterEngine::AbandonCommand() {
  state_ = State::Idle;
  buffer_.clear();
  doubleByte_.reset();
  doubleByteFailed_ = false;
}

void PrinterEngine::Feed(std::uint8_t byte, Bytes& reply, std::vector<std::string>& log) {
  switch (state_) {
    case State::Idle:
      if (byte == kFs) state_ = State::FsLetter;
      if (byte == kGs) state_ = State::GsAt;
      if (byte == kUs) state_ = State::UsLetter;
      return;
    case State::FsLetter:
      state_ = State::Idle;
      if (byte == 'L') Expect(Part::SingleHeader, 11);
      if (byte == 'D') Expect(Part::BlockHeader, 15);
      if (byte == 'E') Expect(Part::EndRecord, 8);
      if (byte == 'G') Expect(Part::PrintHeader, 2);
      if (byte == 'F') Expect(Part::InfoSlot, 1);
      return;
    case State::GsAt:
      state_ = byte == '@' ? State::GsDigit : State::Idle;
      return;
    case State::GsDigit:
      state_ = State::Idle;
      if (byte == '3') Erase(reply, log);
      return;
    case State::UsLetter:
      state_ = byte == 'w' ? State::UsArgument : State::Idle;
      return;
    case State::UsArgument:
      state_ = State::Idle;
      if (byte == 0x02) AnswerMemory(reply);
      return;
    case State::Collect:
      buffer_.push_back(byte);
      if (buffer_.size() >= need_) {
        state_ = State::Idle;
        Collected(reply, log);
      }
      return;
  }
}

void PrinterEngine::StartFont(StoredFont& font, ByteView header) {
  font = StoredFont{};
  font.name.assign(header.begin(), header.begin() + 8);
  font.id = header[8];
  font.width = header[9];
  font.height = header[10];
}

void PrinterEngine::AddCell(StoredFont& font) {
  for (const std::uint8_t byte : buffer_) font.checksum = static_cast<std::uint16_t>(font.checksum + byte);
  font.bytes += buffer_.size();
  ++font.characters;
}

void PrinterEngine::Collected(Bytes& reply, std::vector<std::string>& log) {
  switch (part_) {
    case Part::SingleHeader:
      StartFont(incoming_, buffer_);
      cellsLeft_ = kSingleByteCells;
      if (CellBytes() == 0) {
        reply.push_back(kNak);
        return;
      }
      Expect(Part::SingleCell, CellBytes());
      return;
    case Part::SingleCell:
      AddCell(incoming_);
      if (--cellsLeft_ > 0) {
        Expect(Part::SingleCell, CellBytes());
      } else {
        FinishSingleByte(reply, log);
      }
      return;
    case Part::BlockHeader: {
      const std::uint8_t id = buffer_[8];
      const std::size_t count = buffer_[13] | (buffer_[14] << 8);
      if (!doubleByte_ && !doubleByteFailed_) {
        slots_[kSlots - 1].reset();
        doubleByte_.emplace();
        StartFont(*doubleByte_, buffer_);
      }
      StartFont(incoming_, buffer_);
      // Cells of another size, or for a single-byte slot, cannot join the font.
      if (id != '4' || !doubleByte_ || doubleByte_->width != incoming_.width ||
          doubleByte_->height != incoming_.height) {
        doubleByteFailed_ = true;
        doubleByte_.reset();
      }
      cellsLeft_ = count;
      if (count == 0 || CellBytes() == 0) {
        FinishBlock(reply, log);
      } else {
        Expect(Part::BlockCell, CellBytes());
      }
      return;
    }
    case Part::BlockCell:
      if (doubleByte_) AddCell(*doubleByte_);
      if (--cellsLeft_ > 0) {
        Expect(Part::BlockCell, CellBytes());
      } else {
        FinishBlock(reply, log);
      }
      return;
    case Part::EndRecord:
      if (doubleByte_) {
        log.push_back(Describe("stored double-byte font", *doubleByte_));
        slots_[kSlots - 1] = std::move(doubleByte_);
      }
      doubleByte_.reset();
      doubleByteFailed_ = false;
      reply.push_back(kAck);
      return;
    case Part::PrintHeader:
      printWidth_ = buffer_[0];
      printHeight_ = buffer_[1];
      if (CellSizeOf(printWidth_, printHeight_) == 0) {
        reply.push_back(kNak);
        return;
      }
      Expect(Part::PrintCell, CellSizeOf(printWidth_, printHeight_));
      return;
    case Part::PrintCell:
      Print(reply, log);
      return;
    case Part::InfoSlot:
      AnswerFontInfo(reply);
      return;
  }
}

void PrinterEngine::FinishSingleByte(Bytes& reply, std::vector<std::string>& log) {
  const int slot = incoming_.id - '0';
  if (slot < 0 || slot >= kSlots - 1) {
    log.push_back(Describe("refused single-byte font", incoming_));
    reply.push_back(kNak);
    return;
  }
  const std::size_t replaced = slots_[slot] ? slots_[slot]->bytes : 0;
  if (incoming_.bytes > FreeMemory() + replaced) {
    log.push_back(Describe("no memory for single-byte font", incoming_));
    reply.push_back(kNak);
    return;
  }
  slots_[slot] = incoming_;
  log.push_back(Describe("stored single-byte font", incoming_));
  reply.push_back(kAck);
}

void PrinterEngine::FinishBlock(Bytes& reply, std::vector<std::string>& log) {
  if (doubleByte_ && UsedMemory() > memory_) {
    log.push_back(Describe("no memory for double-byte font", *doubleByte_));
    doubleByte_.reset();
    doubleByteFailed_ = true;
  }
  reply.push_back(doubleByte_ ? kAck : kNak);
}

void PrinterEngine::Print(Bytes& reply, std::vector<std::string>& log) {
  ++printed_;
  log.push_back("print " + std::to_string(printWidth_) + "x" + std::to_string(printHeight_) + ":");
  for (std::string& row : GlyphTextArt(buffer_, printWidth_, printHeight_)) log.push_back(std::move(row));
  reply.push_back(kAck);
}

void PrinterEngine::AnswerFontInfo(Bytes& reply) {
  const int slot = buffer_[0] - '0';
  if (slot < 0 || slot >= kSlots || !slots_[slot]) {
    reply.push_back(kNak);
    return;
  }
  const StoredFont& font = *slots_[slot];
  reply.push_back(kAck);
  reply.insert(reply.end(), font.name.begin(), font.name.end());
  reply.push_back(font.width);
  reply.push_back(font.height);
  PutU16LE(reply, static_cast<std::uint16_t>(font.characters));
  PutU16LE(reply, font.checksum);
}

void PrinterEngine::Erase(Bytes& reply, std::vector<std::string>& log) {
  for (auto& slot : slots_) slot.reset();
  doubleByte_.reset();
  doubleByteFailed_ = false;
  log.push_back("erased every font");
  reply.push_back(kCr);
}

void PrinterEngine::AnswerMemory(Bytes& reply) {
  const std::string text = std::to_string(FreeMemory());
  reply.insert(reply.end(), text.begin(), text.end());
  reply.push_back(0);
}

}  // namespace dotforge::sim
