#pragma once
// Bytes for an ESC/POS printer together with the commands among them, so that
// a send cut short can still leave the printer between two commands: the
// command the cut falls in is completed with the rest of its bytes, every dot
// blank. A command that carries dots (ESC &, and so a picture command) notes
// which of its bytes are dots; a command of one byte (a character, LF) cannot
// be cut and is not listed.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/bytes.h"

namespace dotforge {

// [begin, end) of the stream's bytes.
struct ByteRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

struct EscPosCommand {
  ByteRange bytes;
  // The ranges of dot bytes within the command, in order.
  std::vector<ByteRange> dots;
};

struct CommandStream {
  CommandStream() = default;
  // Bytes alone: a stream whose commands are not known, which a cut leaves as
  // they are.
  CommandStream(Bytes raw) : bytes(std::move(raw)) {}

  // Appends a command without dots.
  void AppendCommand(std::initializer_list<std::uint8_t> command);
  // The bytes that end the command the first `cut` bytes stop inside: its
  // remaining bytes with every dot byte zero; nothing when `cut` falls
  // between commands.
  Bytes CompletionAt(std::size_t cut) const;

  Bytes bytes;
  std::vector<EscPosCommand> commands;
};

}  // namespace dotforge
