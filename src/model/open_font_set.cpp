#include "model/open_font_set.h"

#include "model/download_file.h"
#include "model/file_access.h"
#include "model/glyph_block.h"
#include "model/native_file.h"
#include "model/side_format.h"
#include "model/stream_file.h"

namespace dotforge {
namespace {

using FileReader = void (*)(CDotforgeImportDoc&, ByteView, Prompt&);

FileReader FileReaderFor(int importType) {
  switch (importType) {
    case kFormatDat:
      return static_cast<FileReader>(&ReadNativeFile);
    case kFormatDsb:
      return &ReadDsbFile;
    case kFormatDdb:
      return &ReadDdbFile;
    case kFormat1B26:
      return &ReadEscStreamFile;
    case kFormat1F26:
      return &ReadUsStreamFile;
    default:
      return nullptr;
  }
}

}  // namespace

void OpenFontSet(CDotforgeImportDoc& doc, const ImportRequest& request, Prompt& prompt) {
  doc.width = request.width;
  doc.height = request.height;
  doc.dataWordBits = request.wordBits;
  doc.selected = nullptr;

  if (const FileReader reader = FileReaderFor(request.importType)) {
    // The stream readers set the font type before they open the file.
    if (request.importType == kFormat1B26 || request.importType == kFormat1F26) doc.fontType = kSingleByteFont;
    if (const std::optional<Bytes> file = LoadFontFile(request.fileName, prompt)) reader(doc, *file, prompt);
  } else if (request.importType >= 0) {
    // Every other format was parsed or rendered into the glyph block by its import.
    // Only ST10 sources have 16-bit words; a width left over from an earlier ST10
    // import must not mangle assembler or rendered glyphs.
    const std::int32_t wordBits = request.importType == kFormatSt10 ? request.wordBits : 8;
    ReadGlyphBlock(doc, request.glyphBlock, wordBits, prompt);
  }
  doc.SelectFirst();
}

}  // namespace dotforge
