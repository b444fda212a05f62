#include "formats/bitmap/bitmap_font_export.h"

#include "formats/bitmap/bdf_writer.h"
#include "formats/codepages/code_page_decoder.h"
#include "formats/formats_messages.h"
#include "formats/bitmap/psf_writer.h"
#include "formats/bitmap/unifont_hex_writer.h"
#include "model/file_access.h"

namespace dotforge {
namespace {

constexpr std::int32_t kMaxCellSide = 255;

// Cells of the sizes a font set may have; the writers divide by the height.
bool CheckCell(const CDotforgeImportDoc& doc, Prompt& prompt) {
  if (doc.width >= 1 && doc.width <= kMaxCellSide && doc.height >= 1 && doc.height <= kMaxCellSide) return true;
  prompt.ShowMessage(msg::kStreamCellTooLarge);
  return false;
}

// A code page the writers name or read must be one iconv knows.
bool CheckCodePage(const std::string& codePage, std::optional<CodePageDecoder>& decoder, Prompt& prompt) {
  if (codePage.empty()) return true;
  decoder = CodePageDecoder::Open(codePage);
  if (decoder) return true;
  prompt.ShowMessage(msg::kUnknownCodePage + codePage);
  return false;
}

bool WriteBdf(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const ExportDialogAnswer& choice,
              Prompt& prompt) {
  std::optional<CodePageDecoder> decoder;
  if (!CheckCodePage(choice.codePage, decoder, prompt)) return false;
  const std::int32_t baseline = choice.baseline.value_or(FontSetBaseline(doc));
  if (baseline < 0 || baseline > doc.height) {
    prompt.ShowMessage(msg::kBaselineOutsideCell);
    return false;
  }
  const BdfNames names{path.stem().string(), choice.codePage};
  return SaveFontFile(path, EncodeBdfFile(doc, baseline, names), prompt);
}

bool WritePsf(const CDotforgeImportDoc& doc, const std::filesystem::path& path, const ExportDialogAnswer& choice,
              Prompt& prompt) {
  std::optional<CodePageDecoder> decoder;
  if (!CheckCodePage(choice.codePage, decoder, prompt)) return false;
  const PsfExport psf = EncodePsf2File(doc, decoder ? &*decoder : nullptr);
  if (!SaveFontFile(path, psf.file, prompt)) return false;
  // The file is whole; the user learns which characters a reader will not find by code.
  if (psf.withoutUnicode > 0) prompt.ShowMessage(std::to_string(psf.withoutUnicode) + msg::kPsfCodesWithoutUnicode);
  return true;
}

bool WriteHex(const CDotforgeImportDoc& doc, const std::filesystem::path& path, Prompt& prompt) {
  if (!IsUnifontCell(doc.width, doc.height)) {
    prompt.ShowMessage(msg::kUnifontCellOnly);
    return false;
  }
  return SaveFontFile(path, EncodeUnifontHexFile(doc), prompt);
}

// Every bitmap font holds cells of the font set's sizes and codes up to 0xFFFF.
bool CheckBitmapFontSet(const FormatWrite& write) {
  return CheckCell(write.doc, write.prompt) && CheckStorableCodes(write.doc, write.prompt);
}

}  // namespace

bool WriteBdfFont(const FormatWrite& write) {
  return CheckBitmapFontSet(write) && WriteBdf(write.doc, write.path, write.answer, write.prompt);
}

bool WritePsfFont(const FormatWrite& write) {
  return CheckBitmapFontSet(write) && WritePsf(write.doc, write.path, write.answer, write.prompt);
}

bool WriteHexFont(const FormatWrite& write) {
  return CheckBitmapFontSet(write) && WriteHex(write.doc, write.path, write.prompt);
}

}  // namespace dotforge
