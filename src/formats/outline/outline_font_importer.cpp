#include "formats/outline/outline_font_importer.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "formats/outline/baseline_glyph_renderer.h"
#include "formats/bitmap/bitmap_font_import.h"
#include "formats/commands/file_dialog_logic.h"
#include "formats/formats_messages.h"
#include "formats/outline/glyph_renderer.h"
#include "formats/outline/outline_codes.h"
#include "formats/outline/outline_preview.h"
#include "formats/outline/parallel_glyph_render.h"
#include "formats/codepages/printer_code_pages.h"
#include "model/character_record.h"
#include "model/glyph_block.h"
#include "model/model_messages.h"
#include "platform/file_io.h"

namespace dotforge {
namespace {

std::string FaceText(FT_Face face) {
  const char* family = face->family_name ? face->family_name : "";
  const char* style = face->style_name ? face->style_name : "";
  return std::string(family) + " - " + style;
}

std::string GlyphFailureMessage(FT_ULong code) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%04lX", static_cast<unsigned long>(code));
  return std::string(msg::kGlyphRenderFailed) + digits;
}

}  // namespace

bool OutlineFontImporter::OpenFontFile(const std::filesystem::path& path, Prompt& prompt) {
  path_ = path.string();
  library_ = InitFreeType();
  if (!library_) {
    prompt.ShowMessage(msg::kFreeTypeInitFailed);
    return false;
  }
  FT_Error error = 0;
  const FreeTypeFace face = OpenFace(library_.get(), path_.c_str(), 0, error);
  if (!face) {
    library_.reset();
    if (error == FT_Err_Unknown_File_Format) {
      prompt.ShowMessage(msg::kFontFormatNotSupported);
    } else {
      prompt.ShowFileError(msg::kFontOpenFailed, path_, ReadOpenError(path));
    }
    return false;
  }
  characterCount_ = 0;
  faceCount_ = face->num_faces;
  return true;
}

FontFacesRequest OutlineFontImporter::FacesDialogContents() const {
  FontFacesRequest contents;
  if (!library_) return contents;
  for (FT_Long i = 0; i < faceCount_; ++i) {
    FT_Error error = 0;
    const FreeTypeFace face = OpenFace(library_.get(), path_.c_str(), i, error);
    std::vector<std::string> maps;
    if (face) {
      for (FT_Int m = 0; m < face->num_charmaps; ++m) maps.emplace_back(CharmapName(face->charmaps[m]->encoding));
    }
    contents.faces.push_back(face ? FaceText(face.get()) : msg::kUnreadableFace);
    contents.charmaps.push_back(std::move(maps));
  }
  contents.codePages = PrinterCodePages();
  contents.preview = [this](const FontFacesAnswer& answer) {
    return RenderFacePreview(library_.get(), path_, width_, height_, answer);
  };
  return contents;
}

OutlineFontImporter::FacesChoice OutlineFontImporter::ConfirmFaces(const FontFacesAnswer& answer, Prompt& prompt) {
  if (!library_) return FacesChoice::Failed;
  if (answer.face < 0 || answer.face >= faceCount_) {
    prompt.ShowMessage(msg::kSelectFontFace, MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  FT_Error error = 0;
  face_ = OpenFace(library_.get(), path_.c_str(), answer.face, error);
  faceIndex_ = answer.face;
  characterCount_ = 0;
  leftOut_ = 0;
  keepCodes_ = false;
  codes_.clear();
  glyphs_.clear();
  unicodes_.clear();
  if (!face_) {
    // The file changed since the dialog listed its faces.
    library_.reset();
    prompt.ShowMessage(msg::kFontOpenFailed);
    return FacesChoice::Failed;
  }
  if (answer.keepCodes) return ConfirmKeepCodes(answer, prompt);
  if (face_->num_charmaps < 1) {
    characterCount_ = static_cast<std::int32_t>(face_->num_glyphs);
    LimitToCodeRange();
    return FacesChoice::Accepted;
  }
  if (answer.charmap < 0 || answer.charmap >= face_->num_charmaps) {
    prompt.ShowMessage(msg::kSelectCharmap, MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  FT_CharMap charmap = face_->charmaps[answer.charmap];
  // Selecting by encoding fails for maps without one; those are set directly.
  if (FT_Select_Charmap(face_.get(), charmap->encoding) != 0) FT_Set_Charmap(face_.get(), charmap);

  FT_UInt glyph = 0;
  for (FT_ULong code = FT_Get_First_Char(face_.get(), &glyph); glyph != 0;
       code = FT_Get_Next_Char(face_.get(), code, &glyph)) {
    codes_.push_back(code);
    glyphs_.push_back(glyph);
  }
  if (face_->charmap && face_->charmap->encoding == FT_ENCODING_UNICODE) {
    unicodes_.assign(codes_.begin(), codes_.end());
  }
  characterCount_ = static_cast<std::int32_t>(glyphs_.size());
  LimitToCodeRange();
  return FacesChoice::Accepted;
}

OutlineFontImporter::FacesChoice OutlineFontImporter::ConfirmKeepCodes(const FontFacesAnswer& answer,
                                                                       Prompt& prompt) {
  if (const std::optional<const char*> problem = CheckKeepCodesNumbers(answer)) {
    prompt.ShowMessage(*problem, MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  if (!SelectUnicodeMap(face_.get())) {
    prompt.ShowMessage(msg::kNoUnicodeMap, MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  BitmapImportOptions rules = codeRules_;
  rules.encoding = answer.encoding;
  std::optional<CodePageEncoder> encoder;
  if (!rules.encoding.empty() && !(encoder = CodePageEncoder::Open(rules.encoding))) {
    prompt.ShowMessage(msg::kUnknownCodePage + rules.encoding, MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  counts_ = BitmapImportCounts{};
  KeptOutlineCodes kept = ChooseOutlineCodes(face_.get(), rules, encoder ? &*encoder : nullptr, counts_);
  if (kept.codes.empty()) {
    prompt.ShowMessage(msg::kNoCharactersKept + BitmapImportSummary(counts_), MessageKind::Warning);
    return FacesChoice::StayInDialog;
  }
  keepCodes_ = true;
  requestedPixelSize_ = answer.pixelSize;
  requestedBaseline_ = answer.baseline;
  fontType_ = kept.fontType;
  codes_.assign(kept.codes.begin(), kept.codes.end());
  glyphs_ = std::move(kept.glyphs);
  unicodes_ = std::move(kept.unicodes);
  characterCount_ = static_cast<std::int32_t>(glyphs_.size());
  return FacesChoice::Accepted;
}

void OutlineFontImporter::LimitToCodeRange() {
  const auto limit = static_cast<std::size_t>(kMaxGlyphBlockCharacters);
  const auto count = static_cast<std::size_t>(std::max(characterCount_, 0));
  leftOut_ = count > limit ? count - limit : 0;
  if (codes_.size() > limit) codes_.resize(limit);
  if (glyphs_.size() > limit) glyphs_.resize(limit);
  if (unicodes_.size() > limit) unicodes_.resize(limit);
  characterCount_ = static_cast<std::int32_t>(std::min(count, limit));
}

bool OutlineFontImporter::RenderCharacters(Prompt& prompt, unsigned threads, const ProgressCallback& progress) {
  cancelled_ = false;
  if (!face_ || !library_) return false;
  Bytes cells;
  const bool rendered = RenderCells(prompt, threads, progress, cells);
  ReleaseFreeType();
  if (!rendered) return false;
  block_ = ParsedGlyphBlock{characterCount_, std::move(cells)};
  block_.unicodes = unicodes_;
  if (keepCodes_) {
    block_.codes.assign(codes_.begin(), codes_.end());
    block_.fontType = fontType_;
    block_.baseline = layout_.baseline;
  }
  return true;
}

bool OutlineFontImporter::RenderCells(Prompt& prompt, unsigned threads, const ProgressCallback& progress,
                                      Bytes& cells) {
  if (keepCodes_) {
    pixelSize_ = requestedPixelSize_ > 0 ? requestedPixelSize_ : DefaultPixelSize(face_.get(), height_);
  }
  const bool sized = keepCodes_ ? SetPixelSize(face_.get(), pixelSize_) : SetCellSize(face_.get(), width_, height_);
  if (!sized) {
    prompt.ShowMessage(msg::kNothingToRender);
    return false;
  }
  if (keepCodes_) {
    layout_ = CellLayout{width_, height_, requestedBaseline_.value_or(DefaultBaseline(face_.get(), height_))};
  }
  const CellGeometry geometry = MakeCellGeometry(width_, height_);
  std::vector<std::uint8_t> cuts;
  try {
    cells.assign(static_cast<std::size_t>(std::max(characterCount_, 0)) * geometry.cellSize, 0);
    cuts.assign(keepCodes_ ? glyphs_.size() : 0, 0);
  } catch (const std::bad_alloc&) {
    prompt.ShowMessage(msg::kUnableToAllocate);
    return false;
  }

  GlyphRunJob job{path_, faceIndex_, glyphs_.size(), {}, {}};
  if (keepCodes_) {
    job.prepare = [this](FT_Face face) { return SetPixelSize(face, pixelSize_); };
    job.render = [this, &cells, &cuts](FT_Library library, FT_Face face, std::size_t begin, std::size_t end,
                                       RenderControl& control) {
      return DrawGlyphsOnBaseline(library, face, glyphs_, begin, end, layout_, cells.data(), cuts.data(), control);
    };
  } else {
    job.prepare = [this](FT_Face face) { return SetCellSize(face, width_, height_); };
    job.render = [this, &cells, &geometry](FT_Library library, FT_Face face, std::size_t begin, std::size_t end,
                                           RenderControl& control) {
      return RenderGlyphs(library, face, glyphs_, begin, end, geometry, cells.data(), &control);
    };
  }
  const GlyphRunOutcome outcome = RenderGlyphRuns(job, library_.get(), face_.get(), threads, progress);
  cancelled_ = outcome.cancelled;
  if (cancelled_) return false;
  if (outcome.failed) {
    prompt.ShowMessage(GlyphFailureMessage(codes_[*outcome.failed]));
    return false;
  }
  counts_.cut = static_cast<std::int32_t>(std::count(cuts.begin(), cuts.end(), std::uint8_t{1}));
  if (keepCodes_) counts_.baseline = layout_.baseline;
  return true;
}

void OutlineFontImporter::ReleaseFreeType() {
  face_.reset();
  library_.reset();
}

bool ImportOutlineFont(ImportRequest& request, Prompt& prompt, bool* cancelled) {
  if (cancelled) *cancelled = false;
  OutlineFontImporter importer(request.width, request.height, request.bitmapOptions);
  if (!importer.OpenFontFile(request.fileName, prompt)) return false;
  const FontFacesRequest contents = importer.FacesDialogContents();
  for (;;) {
    const std::optional<FontFacesAnswer> answer = prompt.RunFontFacesDialog(contents);
    if (!answer) {
      if (cancelled) *cancelled = true;
      return false;
    }
    const OutlineFontImporter::FacesChoice choice = importer.ConfirmFaces(*answer, prompt);
    if (choice == OutlineFontImporter::FacesChoice::Failed) return false;
    if (choice == OutlineFontImporter::FacesChoice::Accepted) break;
  }
  bool rendered = false;
  {
    const ProgressCallback progress = prompt.StartProgress(msg::kRenderingCharacters);
    rendered = importer.RenderCharacters(prompt, 0, progress);
  }
  if (cancelled) *cancelled = importer.Cancelled();
  if (!rendered) return false;
  if (importer.LeftOut() > 0) prompt.ShowMessage(CharactersLeftOutMessage(importer.LeftOut()));
  request.glyphBlock = importer.TakeBlock();
  request.bitmapCounts = importer.KeepsCodes() ? importer.Counts() : BitmapImportCounts{};
  return true;
}

bool ReadOutlineFont(const FormatRead& read) {
  if (read.request.width <= 0 || read.request.height <= 0) {
    read.prompt.ShowMessage(msg::kWidthAndHeightZero, MessageKind::Warning);
    return false;
  }
  return ImportOutlineFont(read.request, read.prompt, &read.cancelled);
}

}  // namespace dotforge
