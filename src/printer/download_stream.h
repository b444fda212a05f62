#pragma once
// The download stream of a whole font set and the order in which it is sent:
// the bytes are exactly those of the font set's DSB or DDB file (on the wire the
// double-byte blocks carry the font set's own id), cut into the pieces the
// download worker queues, with the progress shown after each piece and the
// points at which the printer's answer is read.

#include <cstddef>
#include <optional>
#include <vector>

#include "framework/prompt.h"
#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge {

struct DownloadStep {
  std::size_t offset = 0;
  std::size_t length = 0;
  int progress = -1;         // percent shown once the piece is queued; -1 for none
  bool awaitReply = false;   // read ACK or NAK after the piece: it ends a printer command
  std::size_t header = 0;    // bytes at the piece's start that are no cell data
};

struct DownloadStream {
  Bytes bytes;
  std::vector<DownloadStep> steps;
  std::uint8_t slot = 0;  // the font id the printer stores the font under
};

// What a cancelled download still sends, from stream position `position` on,
// so that the printer leaves the font: the rest of the printer command in
// progress with blank cell data, then the last command (the double-byte end
// record) when that one is another. Each piece ends with a reply to read.
std::vector<Bytes> CancelTail(const DownloadStream& stream, std::size_t position);

// Single-byte: the header, then one piece per cell 0x20..0xFF (characters with
// codes from 0x100 up, below 0x20 or out of ascending order are left out, as in
// the DSB file), one answer at the end. Double-byte: one piece and one answer
// per block of consecutive codes, then the end record and its answer. Other
// font types send nothing. Nothing (after a message) when the cell size cannot
// be sent.
std::optional<DownloadStream> BuildDownloadStream(const CDotforgeImportDoc& doc, Prompt& prompt);

}  // namespace dotforge
