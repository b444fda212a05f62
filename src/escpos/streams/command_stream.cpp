#include "escpos/streams/command_stream.h"

#include <algorithm>

namespace dotforge {

void CommandStream::AppendCommand(std::initializer_list<std::uint8_t> command) {
  const std::size_t begin = bytes.size();
  bytes.insert(bytes.end(), command);
  commands.push_back({{begin, bytes.size()}, {}});
}

Bytes CommandStream::CompletionAt(std::size_t cut) const {
  const auto cutInside = [cut](const EscPosCommand& command) {
    return command.bytes.begin < cut && cut < command.bytes.end;
  };
  const auto command = std::find_if(commands.begin(), commands.end(), cutInside);
  if (command == commands.end()) return {};
  Bytes rest(bytes.begin() + static_cast<std::ptrdiff_t>(cut),
             bytes.begin() + static_cast<std::ptrdiff_t>(command->bytes.end));
  for (const ByteRange& dots : command->dots) {
    const std::size_t from = std::max(dots.begin, cut);
    if (from < dots.end) std::fill(rest.begin() + static_cast<std::ptrdiff_t>(from - cut),
                                   rest.begin() + static_cast<std::ptrdiff_t>(dots.end - cut), 0);
  }
  return rest;
}

}  // namespace dotforge
