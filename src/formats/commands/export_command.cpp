#include "formats/commands/export_command.h"

#include <algorithm>

#include "formats/source/assembler_writers.h"
#include "formats/bitmap/bdf_writer.h"
#include "formats/bitmap/bitmap_font_export.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "formats/source/st10_writer.h"
#include "model/download_file.h"
#include "model/file_access.h"
#include "model/font_properties.h"
#include "model/native_file.h"
#include "model/open_font_set.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

constexpr std::int32_t kMaxEscStreamHeight = 24;
constexpr std::int32_t kMaxStreamSide = 255;
constexpr std::int32_t kMaxSingleByteCharacters = 224;
constexpr std::size_t kAllCharacters = static_cast<std::size_t>(-1);

// The dialog until its answer passes the checks made when a file name is
// confirmed; nothing when it is cancelled.
std::optional<ExportDialogAnswer> AskExportDialog(const ExportDialogRequest& request, Prompt& prompt) {
  for (;;) {
    std::optional<ExportDialogAnswer> answer = prompt.RunExportFileDialog(request);
    if (!answer) return std::nullopt;
    const std::optional<const char*> problem = CheckExportConfirm(*answer, request.height);
    if (!problem) return answer;
    prompt.ShowMessage(*problem, MessageKind::Warning);
  }
}

// The single-byte id for a font set that still has the double-byte id '4': the id
// the Font Properties dialog holds when it closes ('4' after Cancel).
char AskSingleByteFontId(const CDotforgeImportDoc& doc, Prompt& prompt) {
  // The dialog's own check keeps it open until the id is a single-byte one.
  const std::optional<FontPropertiesResult> result =
      RunFontPropertiesDialog(kSingleByteFont, doc.width, doc.height, doc.characterCount, '4', prompt);
  return result ? result->fontId : '4';
}

// The id question comes once the file has been created: a file that cannot be
// written is reported before anything is asked.
bool WriteDsb(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (!CheckStorableCell(doc.width, doc.height, prompt)) return false;
  AtomicFileWriter file;
  if (!OpenFontFileForWriting(file, path, prompt)) return false;
  const char previousId = doc.fontId;
  if (doc.fontId == '4') doc.fontId = AskSingleByteFontId(doc, prompt);
  if (WriteDsbFile(doc, file, path.filename().string(), prompt)) {
    const std::size_t leftOut = PlaceSingleByteCells(doc).withoutCell;
    if (leftOut > 0) prompt.ShowMessage(std::to_string(leftOut) + msg::kDsbCharactersLeftOut);
    return true;
  }
  // Nothing was written: the font set keeps the id it had.
  doc.fontId = previousId;
  return false;
}

// The file is written whole; the user learns which characters will not come back
// at their codes.
bool WriteSt9(const CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (!SaveFontFile(path, EncodeSt9File(doc), prompt)) return false;
  const std::size_t moved = St9CharactersAtOtherCodes(doc);
  if (moved > 0) prompt.ShowMessage(std::to_string(moved) + msg::kSt9CharactersAtOtherCodes);
  return true;
}

bool WriteDdb(CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (!WriteDdbFile(doc, path, prompt)) return false;
  doc.fontId = '4';
  return true;
}

bool IsStream(int format) { return format == kFormat1B26 || format == kFormat1F26; }

// The file is written with the first characters it can hold; the user learns how
// many were left out after them (codes above 0xFF have their own warning).
bool WriteStream(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const Bytes& file,
                 std::size_t maxCharacters, Prompt& prompt) {
  if (!SaveFontFile(path, file, prompt)) return false;
  const std::size_t written = std::min(maxCharacters, doc.characters.size());
  const std::size_t leftOut = doc.characters.size() - written;
  if (leftOut > 0) prompt.ShowMessage(std::to_string(leftOut) + msg::kStreamCharactersLeftOut);
  return true;
}

// The stream headers hold the width (and the US & height) in one byte each.
bool CheckStreamCell(const CDotforgeImportDoc& doc, int format, Prompt& prompt) {
  const bool widthFits = doc.width >= 1 && doc.width <= kMaxStreamSide;
  const bool heightFits = doc.height >= 1 && (format == kFormat1B26 || doc.height <= kMaxStreamSide);
  if (widthFits && heightFits) return true;
  prompt.ShowMessage(msg::kStreamCellTooLarge);
  return false;
}

}  // namespace

std::string ExportTypeList() {
  std::string list;
  for (int format = kFormatDat; format <= kFormat1F26; ++format) {
    if (!list.empty()) list += '|';
    list += ImportTypeFilter(format);
  }
  for (const char* entry : {msg::kExportTypeBdf, msg::kExportTypePsf2, msg::kExportTypeHex, msg::kAllFilesType}) {
    list += '|';
    list += entry;
  }
  return list;
}

bool ExportCommand::WriteFormat(int format, CDotforgeImportDoc& doc, const std::filesystem::path& path,
                                const ExportDialogAnswer& answer, Prompt& prompt) {
  if (IsBitmapExportFormat(format)) {
    return WriteBitmapFontFile(format, doc, path, BitmapExportChoice{answer.baseline, answer.codePage}, prompt);
  }
  if (format == kFormat1B26 && doc.height > kMaxEscStreamHeight) {
    prompt.ShowMessage(msg::kHeightAbove24);
    return false;
  }
  if (format == kFormatDsb) doc.fontType = kSingleByteFont;
  if (format == kFormatDdb) doc.fontType = kDoubleByteFont;

  std::size_t maxCharacters = kAllCharacters;
  if ((format == kFormatDsb || IsStream(format)) && doc.characterCount > kMaxSingleByteCharacters) {
    if (prompt.Ask(msg::kOnlyFirst224, Buttons::OkCancel) != Answer::Ok) return false;
    maxCharacters = kMaxSingleByteCharacters;
  }
  if (IsStream(format) && !CheckStreamCell(doc, format, prompt)) return false;

  switch (format) {
    case kFormatDat:
      return WriteNativeFile(doc, path, prompt);
    case kFormatDsb:
      return WriteDsb(doc, path, prompt);
    case kFormatDdb:
      return WriteDdb(doc, path, prompt);
    case kFormatSt10:
      return CheckStorableCodes(doc, prompt) && SaveFontFile(path, EncodeSt10File(doc, doc.dataWordBits), prompt);
    case kFormatSt9:
      return WriteSt9(doc, path, prompt);
    case kFormatAsm:
      return CheckStorableCodes(doc, prompt) && SaveFontFile(path, EncodeAsmFile(doc), prompt);
    case kFormat1B26:
      return WriteStream(doc, path, EncodeStream1B26File(doc, maxCharacters, warnings_.escStream, prompt),
                         maxCharacters, prompt);
    case kFormat1F26:
      return WriteStream(doc, path, EncodeStream1F26File(doc, maxCharacters, warnings_.usStream, prompt),
                         maxCharacters, prompt);
    default:
      return false;
  }
}

ExportOutcome ExportCommand::Run(CDotforgeImportDoc& doc, ImportRequest& importRequest, Prompt& prompt) {
  doc.exportMemory.defaultName = doc.GetTitle();
  const ExportDialogRequest request{msg::kExportTitle,
                                    ExportTypeList(),
                                    doc.exportMemory.defaultName,
                                    doc.dataWordBits,
                                    static_cast<unsigned char>(doc.fontId),
                                    doc.height,
                                    FontSetBaseline(doc),
                                    carrayRows_};
  const std::optional<ExportDialogAnswer> answer = AskExportDialog(request, prompt);
  if (!answer) return ExportOutcome::Cancelled;
  carrayRows_ = answer->carray;
  const std::optional<int> chosenFormat = ExportFormatAt(answer->type);
  if (!chosenFormat) return ExportOutcome::Cancelled;
  const int format = *chosenFormat;

  const std::filesystem::path path(answer->path);
  const std::string fileName = path.filename().string();
  doc.dataWordBits = DataWordBits(answer->dataWordIndex);
  importRequest.importType = format;
  doc.exportMemory.lastPath = answer->path;
  doc.exportMemory.lastFileName = fileName;
  if (format == kFormatDsb) doc.fontId = static_cast<char>(answer->fontId);

  if (!WriteFormat(format, doc, path, *answer, prompt)) return ExportOutcome::Stopped;
  doc.name = fileName;
  doc.SetTitle(fileName);
  doc.SetPathName(answer->path);
  doc.SetModifiedFlag(false);
  doc.history.MarkSaved();
  return ExportOutcome::Written;
}

bool CanCloseFontSet(CDotforgeImportDoc& doc, AppValues& app, ExportCommand& exporter, Prompt& prompt) {
  if (doc.IsModified()) {
    const std::string question = msg::kSaveChangesTo + doc.GetTitle() + "?";
    switch (prompt.Ask(question, Buttons::YesNoCancel)) {
      case Answer::Yes:
        // A cancelled or failed export keeps the font set open rather than losing
        // the changes the user asked to save.
        if (exporter.Run(doc, app.importRequest, prompt) != ExportOutcome::Written) return false;
        break;
      case Answer::No:
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace dotforge
