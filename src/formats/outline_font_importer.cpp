#include "formats/outline_font_importer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <new>
#include <thread>

#include "formats/formats_messages.h"
#include "formats/glyph_renderer.h"
#include "model/glyph_block.h"

namespace dotforge {
namespace {

constexpr unsigned kMaxThreads = 16;
// Each extra thread opens the face again; below this many glyphs per thread that
// costs more than it saves.
constexpr std::size_t kMinGlyphsPerThread = 512;
// The reporting thread tells the progress after this many of its own glyphs, and
// at this interval while it waits for the others.
constexpr std::size_t kGlyphsPerReport = 128;
constexpr std::chrono::milliseconds kReportInterval{25};

std::string FaceText(FT_Face face) {
  const char* family = face->family_name ? face->family_name : "";
  const char* style = face->style_name ? face->style_name : "";
  return std::string(family) + " - " + style;
}

unsigned ThreadsFor(unsigned requested, std::size_t glyphs) {
  if (requested != 0) return std::min(requested, kMaxThreads);
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
  return static_cast<unsigned>(std::clamp<std::size_t>(glyphs / kMinGlyphsPerThread, 1, cores));
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
    prompt.ShowMessage(error == FT_Err_Unknown_File_Format ? msg::kFontFormatNotSupported : msg::kFontOpenFailed);
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
  codes_.clear();
  glyphs_.clear();
  if (!face_) {
    // The file changed since the dialog listed its faces.
    library_.reset();
    prompt.ShowMessage(msg::kFontOpenFailed);
    return FacesChoice::Failed;
  }
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
  characterCount_ = static_cast<std::int32_t>(glyphs_.size());
  LimitToCodeRange();
  return FacesChoice::Accepted;
}

std::optional<std::size_t> OutlineFontImporter::RenderInParallel(unsigned threads, std::vector<std::uint8_t>& cells,
                                                                 const ProgressCallback& progress) {
  const CellGeometry cell = MakeCellGeometry(width_, height_);
  const std::size_t count = glyphs_.size();
  const std::size_t chunk = (count + threads - 1) / threads;
  std::vector<std::optional<std::size_t>> failures(threads);
  RenderControl control;
  std::atomic<unsigned> finished{0};
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) {
    const std::size_t begin = std::min(count, t * chunk);
    const std::size_t end = std::min(count, begin + chunk);
    workers.emplace_back([this, t, begin, end, &cell, &cells, &failures, &control, &finished] {
      // FreeType objects are not shared between threads: each has its own.
      const FreeTypeLibrary library = InitFreeType();
      FT_Error error = 0;
      const FreeTypeFace face = library ? OpenFace(library.get(), path_.c_str(), faceIndex_, error) : nullptr;
      if (!face || !SetCellSize(face.get(), width_, height_)) {
        failures[t] = begin;
      } else {
        failures[t] = RenderGlyphs(library.get(), face.get(), glyphs_, begin, end, cell, cells.data(), &control);
      }
      finished.fetch_add(1);
    });
  }
  const auto report = [&] {
    if (progress && !progress(control.done.load(std::memory_order_relaxed), count)) control.stop = true;
  };
  report();
  const std::size_t ownEnd = std::min(count, chunk);
  for (std::size_t begin = 0; begin < ownEnd && !failures[0] && !control.stop; begin += kGlyphsPerReport) {
    const std::size_t end = std::min(ownEnd, begin + kGlyphsPerReport);
    failures[0] = RenderGlyphs(library_.get(), face_.get(), glyphs_, begin, end, cell, cells.data(), &control);
    report();
  }
  while (finished.load() < static_cast<unsigned>(workers.size())) {
    std::this_thread::sleep_for(kReportInterval);
    report();
  }
  for (std::thread& worker : workers) worker.join();
  if (!control.stop) report();
  cancelled_ = control.stop;
  // Chunks are in glyph order, so the first failure found is the lowest.
  for (const std::optional<std::size_t>& failure : failures) {
    if (failure) return failure;
  }
  return std::nullopt;
}

void OutlineFontImporter::LimitToCodeRange() {
  const auto limit = static_cast<std::size_t>(kMaxGlyphBlockCharacters);
  const auto count = static_cast<std::size_t>(std::max(characterCount_, 0));
  leftOut_ = count > limit ? count - limit : 0;
  if (codes_.size() > limit) codes_.resize(limit);
  if (glyphs_.size() > limit) glyphs_.resize(limit);
  characterCount_ = static_cast<std::int32_t>(std::min(count, limit));
}

bool OutlineFontImporter::RenderCharacters(Prompt& prompt, unsigned threads, const ProgressCallback& progress) {
  cancelled_ = false;
  if (!face_ || !library_) return false;
  if (!SetCellSize(face_.get(), width_, height_)) {
    face_.reset();
    library_.reset();
    prompt.ShowMessage(msg::kNothingToRender);
    return false;
  }
  const CellGeometry cell = MakeCellGeometry(width_, height_);
  std::vector<std::uint8_t> cells;
  try {
    cells.assign(static_cast<std::size_t>(std::max(characterCount_, 0)) * cell.cellSize, 0);
  } catch (const std::bad_alloc&) {
    face_.reset();
    library_.reset();
    prompt.ShowMessage(msg::kUnableToAllocate);
    return false;
  }

  const std::optional<std::size_t> failed = RenderInParallel(ThreadsFor(threads, glyphs_.size()), cells, progress);
  face_.reset();
  library_.reset();
  if (cancelled_) return false;
  if (failed) {
    prompt.ShowMessage(GlyphFailureMessage(codes_[*failed]));
    return false;
  }
  block_ = ParsedGlyphBlock{characterCount_, std::move(cells)};
  return true;
}

std::optional<ParsedGlyphBlock> ImportOutlineFont(const std::filesystem::path& path, std::int32_t width,
                                                  std::int32_t height, Prompt& prompt, bool* cancelled) {
  if (cancelled) *cancelled = false;
  OutlineFontImporter importer(width, height);
  if (!importer.OpenFontFile(path, prompt)) return std::nullopt;
  const FontFacesRequest contents = importer.FacesDialogContents();
  for (;;) {
    const std::optional<FontFacesAnswer> answer = prompt.RunFontFacesDialog(contents);
    if (!answer) {
      if (cancelled) *cancelled = true;
      return std::nullopt;
    }
    const OutlineFontImporter::FacesChoice choice = importer.ConfirmFaces(*answer, prompt);
    if (choice == OutlineFontImporter::FacesChoice::Failed) return std::nullopt;
    if (choice == OutlineFontImporter::FacesChoice::Accepted) break;
  }
  bool rendered = false;
  {
    const ProgressCallback progress = prompt.StartProgress(msg::kRenderingCharacters);
    rendered = importer.RenderCharacters(prompt, 0, progress);
  }
  if (cancelled) *cancelled = importer.Cancelled();
  if (!rendered) return std::nullopt;
  if (importer.LeftOut() > 0) prompt.ShowMessage(CharactersLeftOutMessage(importer.LeftOut()));
  return importer.TakeBlock();
}

}  // namespace dotforge
