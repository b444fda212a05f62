#include "printer/printer_protocol.h"

#include "model/download_file.h"

namespace dotforge {

std::string WireFontName(std::string_view title) {
  const std::size_t dot = title.find('.');
  std::string name(dot == std::string_view::npos ? std::string_view() : title.substr(0, dot));
  name.resize(kFontNameLength, ' ');
  return name;
}

Bytes PrintCharacterStream(const CDotforgeImportDoc& doc, const CharacterRecord& character) {
  Bytes stream{kFS, 'G', static_cast<std::uint8_t>(doc.width), static_cast<std::uint8_t>(doc.height)};
  AppendFittedCell(stream, character, doc.width, doc.height);
  return stream;
}

Bytes FontInfoRequest(int slot) { return {kFS, 'F', static_cast<std::uint8_t>('0' + slot)}; }

Bytes MemoryRequest() { return {kUS, 'w', 0x02}; }

Bytes EraseCommand() { return {kGS, '@', '3'}; }

}  // namespace dotforge
