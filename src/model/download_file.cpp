#include "model/download_file.h"

#include <algorithm>
#include <cstdio>

#include "model/file_access.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::int32_t kFirstSingleByteCode = 0x20;
constexpr std::int32_t kLastSingleByteCode = 0xFF;
constexpr std::size_t kMaxBlockCharacters = 224;

// Font type, id and cell size of a header; false (after a message) for a size no
// cell can have.
bool TakeCellSize(CDotforgeImportDoc& doc, ByteView header, Prompt& prompt) {
  doc.fontId = static_cast<char>(header[10]);
  doc.width = AsSigned8(header[11]);
  doc.height = AsSigned8(header[12]);
  if (doc.width > 0 && doc.height > 0) return true;
  prompt.ShowMessage(msg::kWidthHeightZero);
  return false;
}

std::string DuplicateCodesMessage(const std::vector<std::uint32_t>& codes) {
  std::string text = msg::kDuplicateCodes;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "%s0x%04X", i == 0 ? "" : ", ", codes[i]);
    text += code;
  }
  return text;
}

void PutHeader(Bytes& out, char letter, std::string_view fontName) {
  PutU8(out, kFS);
  PutU8(out, static_cast<std::uint8_t>(letter));
  std::string field(fontName.substr(0, 8));
  field.resize(8, ' ');
  PutText(out, field);
}

void PutCellSize(Bytes& out, const CDotforgeImportDoc& doc) {
  PutU8(out, static_cast<std::uint8_t>(doc.width));
  PutU8(out, static_cast<std::uint8_t>(doc.height));
}

}  // namespace

SingleByteCells PlaceSingleByteCells(const CDotforgeImportDoc& doc) {
  SingleByteCells cells;
  cells.records.fill(nullptr);
  for (const auto& record : doc.characters) {
    const std::optional<std::uint32_t> code = ParseLabelCode(record->label);
    if (!code || *code < kFirstSingleByteCode || *code > kLastSingleByteCode) {
      ++cells.withoutCell;
      continue;
    }
    const CharacterRecord*& cell = cells.records[*code - kFirstSingleByteCode];
    if (!cell) {
      cell = record.get();
    } else if (std::find(cells.duplicateCodes.begin(), cells.duplicateCodes.end(), *code) ==
               cells.duplicateCodes.end()) {
      cells.duplicateCodes.push_back(*code);
    }
  }
  std::sort(cells.duplicateCodes.begin(), cells.duplicateCodes.end());
  return cells;
}

std::string DownloadFontName(std::string_view fileName) {
  std::string name(fileName.substr(0, fileName.find('.')));
  name.resize(8, ' ');
  return name;
}

void ReadDsbFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt) {
  ByteCursor cursor(file);
  ByteView header;
  doc.fontType = kSingleByteFont;
  if (!cursor.Take(kDsbHeaderSize, header)) {
    prompt.ShowMessage(msg::kFileEndsEarly);
    return;
  }
  if (!TakeCellSize(doc, header, prompt)) return;
  doc.characterCount = kSingleByteCells;
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  for (std::int32_t code = kFirstSingleByteCode; code <= kLastSingleByteCode; ++code) {
    ByteView cell;
    if (!cursor.Take(cellSize, cell)) {
      doc.characterCount = static_cast<std::int32_t>(doc.characters.size());
      prompt.ShowMessage(msg::kFileEndsEarly);
      return;
    }
    CharacterRecord& record = doc.AppendCharacter(code, doc.width, doc.height);
    std::copy(cell.begin(), cell.end(), record.bitmap.begin());
  }
}

void ReadDdbFile(CDotforgeImportDoc& doc, ByteView file, Prompt& prompt) {
  ByteCursor cursor(file);
  // The end record is never read.
  auto bytesLeft = static_cast<std::int64_t>(file.size()) - static_cast<std::int64_t>(kDdbEndRecordSize);
  doc.fontType = kDoubleByteFont;
  doc.characterCount = 0;
  while (bytesLeft > 0) {
    ByteView header;
    if (!cursor.Take(kDdbBlockHeaderSize, header)) {
      prompt.ShowMessage(msg::kFileEndsEarly);
      return;
    }
    if (!TakeCellSize(doc, header, prompt)) return;
    const std::int32_t start = GetU16LE(header, 13);
    const std::int32_t count = GetU16LE(header, 15);
    const std::size_t cellSize = CellSize(doc.width, doc.height);
    for (std::int32_t k = 0; k < count; ++k) {
      ByteView cell;
      if (!cursor.Take(cellSize, cell)) {
        prompt.ShowMessage(msg::kFileEndsEarly);
        return;
      }
      CharacterRecord& record = doc.AppendCharacter(start + k, doc.width, doc.height);
      std::copy(cell.begin(), cell.end(), record.bitmap.begin());
      ++doc.characterCount;
    }
    bytesLeft -= static_cast<std::int64_t>(kDdbBlockHeaderSize + count * cellSize);
  }
}

std::optional<Bytes> EncodeDsbFile(const CDotforgeImportDoc& doc, std::string_view fontName, Prompt& prompt) {
  if (!CheckStorableCell(doc.width, doc.height, prompt)) return std::nullopt;
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  Bytes file;
  file.reserve(kDsbHeaderSize + kSingleByteCells * cellSize);
  PutHeader(file, 'L', fontName);
  PutU8(file, static_cast<std::uint8_t>(doc.fontId));
  PutCellSize(file, doc);

  const SingleByteCells cells = PlaceSingleByteCells(doc);
  if (!cells.duplicateCodes.empty()) prompt.ShowMessage(DuplicateCodesMessage(cells.duplicateCodes));
  for (const CharacterRecord* record : cells.records) {
    if (record) {
      AppendFittedCell(file, *record, doc.width, doc.height);
    } else {
      PutZeros(file, cellSize);
    }
  }
  return file;
}

std::optional<Bytes> EncodeDdbFile(const CDotforgeImportDoc& doc, std::string_view fontName, Prompt& prompt) {
  if (!CheckStorableCell(doc.width, doc.height, prompt)) return std::nullopt;
  const std::size_t cellSize = CellSize(doc.width, doc.height);
  Bytes file;
  file.reserve(doc.characters.size() * cellSize + kDdbEndRecordSize);

  const auto& characters = doc.characters;
  std::size_t first = 0;
  while (first < characters.size()) {
    const std::uint32_t start = ParseLabelCode(characters[first]->label).value_or(0);
    std::size_t count = 1;
    while (first + count < characters.size() && count < kMaxBlockCharacters &&
           ParseLabelCode(characters[first + count]->label).value_or(0) == start + count) {
      ++count;
    }
    if (start + count - 1 > kMaxStorableCode) {
      ReportUnstorableCode(std::max<std::uint32_t>(start, kMaxStorableCode + 1), prompt);
      return std::nullopt;
    }
    PutHeader(file, 'D', fontName);
    PutU8(file, '4');
    PutCellSize(file, doc);
    PutU16LE(file, static_cast<std::uint16_t>(start));
    PutU16LE(file, static_cast<std::uint16_t>(count));
    for (std::size_t i = first; i < first + count; ++i) AppendFittedCell(file, *characters[i], doc.width, doc.height);
    first += count;
  }
  PutHeader(file, 'E', fontName);
  return file;
}

bool WriteDsbFile(CDotforgeImportDoc& doc, AtomicFileWriter& file, std::string_view fileName, Prompt& prompt) {
  const std::optional<Bytes> bytes = EncodeDsbFile(doc, DownloadFontName(fileName), prompt);
  if (!bytes || !CommitFontFile(file, *bytes, prompt)) return false;
  doc.UpdateAllViews();
  return true;
}

bool WriteDsbFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  AtomicFileWriter file;
  return OpenFontFileForWriting(file, path, prompt) && WriteDsbFile(doc, file, path.filename().string(), prompt);
}

bool WriteDdbFile(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  const std::optional<Bytes> file = EncodeDdbFile(doc, DownloadFontName(path.filename().string()), prompt);
  return file && SaveFontFile(path, *file, prompt);
}

}  // namespace dotforge
