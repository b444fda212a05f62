#pragma once
// The printer's side of the protocol: takes the bytes a printer receives, keeps
// the downloaded fonts in its five slots and answers as a printer does. Fonts
// are kept as what the printer reports about them (name, size, count,
// checksum, memory used), so any stream, however long, is taken in bounded
// memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace dotforge::sim {

struct StoredFont {
  std::string name;  // the 8-byte name field
  std::uint8_t id = 0;
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint32_t characters = 0;
  std::uint16_t checksum = 0;  // 16-bit sum of every cell byte
  std::size_t bytes = 0;       // font memory used
};

inline constexpr int kSlots = 5;
inline constexpr std::size_t kDefaultMemory = 1024 * 1024;

class PrinterEngine {
 public:
  explicit PrinterEngine(std::size_t memory = kDefaultMemory) : memory_(memory) {}

  // Takes one received byte. Appends the printer's answer, if this byte
  // completes a command, to `reply`, and a line for each thing the printer did
  // (a printed glyph is drawn as text art) to `log`.
  void Feed(std::uint8_t byte, Bytes& reply, std::vector<std::string>& log);

  // Forgets a command cut off in the middle (the line went away); the stored
  // fonts stay.
  void AbandonCommand();

  const std::array<std::optional<StoredFont>, kSlots>& Slots() const { return slots_; }
  std::size_t FreeMemory() const;
  int PrintedCount() const { return printed_; }

 private:
  enum class State { Idle, FsLetter, GsAt, GsDigit, UsLetter, UsArgument, Collect };
  enum class Part { SingleHeader, SingleCell, BlockHeader, BlockCell, EndRecord, PrintHeader, PrintCell, InfoSlot };

  void Expect(Part part, std::size_t bytes);
  void Collected(Bytes& reply, std::vector<std::string>& log);
  void StartFont(StoredFont& font, ByteView header);
  void AddCell(StoredFont& font);
  void FinishSingleByte(Bytes& reply, std::vector<std::string>& log);
  void FinishBlock(Bytes& reply, std::vector<std::string>& log);
  void Print(Bytes& reply, std::vector<std::string>& log);
  void AnswerFontInfo(Bytes& reply);
  void Erase(Bytes& reply, std::vector<std::string>& log);
  void AnswerMemory(Bytes& reply);
  std::size_t CellBytes() const;
  std::size_t UsedMemory() const;

  std::size_t memory_;
  std::array<std::optional<StoredFont>, kSlots> slots_;
  State state_ = State::Idle;
  Part part_ = Part::SingleHeader;
  Bytes buffer_;
  std::size_t need_ = 0;
  // The font being received and how many cells are still to come.
  StoredFont incoming_;
  std::size_t cellsLeft_ = 0;
  // A double-byte font grows block by block until its end record.
  std::optional<StoredFont> doubleByte_;
  bool doubleByteFailed_ = false;
  std::uint8_t printWidth_ = 0;
  std::uint8_t printHeight_ = 0;
  int printed_ = 0;
};

// A glyph as rows of '#' (dot) and '.' (no dot).
std::vector<std::string> GlyphTextArt(ByteView cell, int width, int height);

}  // namespace dotforge::sim
