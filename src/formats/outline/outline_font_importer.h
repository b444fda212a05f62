#pragma once
// Characters rendered from an outline font file through FreeType: the user picks
// one face of the file and one of its character maps in the "TrueType Font Faces"
// dialog, and every character of that map becomes one monochrome cell of the
// chosen size, in the order of the map. Or, when the dialog keeps the character
// codes, the face's Unicode characters keep their codes (re-encoded, subset) and
// are drawn at one pixel size on one common baseline.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/bitmap/bitmap_cell_placement.h"
#include "formats/format_entry_points.h"
#include "formats/outline/freetype_handles.h"
#include "framework/prompt.h"
#include "model/app_values.h"

namespace dotforge {

class OutlineFontImporter {
 public:
  // `codeRules` give the codes subset and the forced font type of a keep-codes
  // import; the faces dialog chooses its code page and baseline.
  OutlineFontImporter(std::int32_t width, std::int32_t height, BitmapImportOptions codeRules = {})
      : width_(width), height_(height), codeRules_(std::move(codeRules)) {}

  // Initialises FreeType and checks that the file opens; shows why when it does not.
  bool OpenFontFile(const std::filesystem::path& path, Prompt& prompt);

  // What the faces dialog lists: "family - style" of every face, and the names of
  // each face's character maps; the code pages offered for keeping the codes and
  // the preview of a choice, which draws through this importer while it lives.
  FontFacesRequest FacesDialogContents() const;

  enum class FacesChoice { Accepted, StayInDialog, Failed };
  // The dialog's OK: opens the selected face and selects the chosen map, or with
  // the codes kept its Unicode map, and chooses the codes. A missing selection or
  // a choice that keeps nothing shows why and keeps the dialog open; a face that
  // no longer opens ends the import.
  FacesChoice ConfirmFaces(const FontFacesAnswer& answer, Prompt& prompt);

  // Renders every chosen character. `threads` 0 uses the machine's cores; the
  // cells do not depend on it. `progress`, when given, hears how many characters
  // are done; its false cancels the rendering, which then returns false without
  // a message and with Cancelled() set. Releases FreeType in every case.
  // Characters that would get a code beyond 0xFFFF were left out by ConfirmFaces
  // (LeftOut counts them, or Counts() when the codes are kept).
  bool RenderCharacters(Prompt& prompt, unsigned threads = 0, const ProgressCallback& progress = {});
  bool Cancelled() const { return cancelled_; }

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int32_t CharacterCount() const { return characterCount_; }
  bool KeepsCodes() const { return keepCodes_; }
  // Characters of the chosen map that have no code left in a font set.
  std::size_t LeftOut() const { return leftOut_; }
  // What a keep-codes import kept, skipped and cut, and the baseline it drew on.
  const BitmapImportCounts& Counts() const { return counts_; }
  // The layout glyphs are drawn with when the codes are kept (set by the render).
  const CellLayout& Layout() const { return layout_; }
  std::int32_t PixelSize() const { return pixelSize_; }
  // The code of each cell, in order: the chosen map's codes, or the kept codes.
  const std::vector<FT_ULong>& Codes() const { return codes_; }
  ParsedGlyphBlock TakeBlock() { return std::move(block_); }

 private:
  FacesChoice ConfirmKeepCodes(const FontFacesAnswer& answer, Prompt& prompt);
  // Keeps the characters that get a code from 0x20 to 0xFFFF.
  void LimitToCodeRange();
  // The cells of every glyph; false (after a message unless cancelled) when they
  // could not all be rendered.
  bool RenderCells(Prompt& prompt, unsigned threads, const ProgressCallback& progress, Bytes& cells);
  // Releases the face and the library.
  void ReleaseFreeType();

  std::int32_t width_;
  std::int32_t height_;
  BitmapImportOptions codeRules_;
  std::string path_;
  FreeTypeLibrary library_;
  FT_Long faceCount_ = 0;
  FT_Long faceIndex_ = 0;
  FreeTypeFace face_;  // declared after the library: released before it
  std::int32_t characterCount_ = 0;
  std::size_t leftOut_ = 0;
  bool cancelled_ = false;
  bool keepCodes_ = false;
  std::int32_t requestedPixelSize_ = 0;
  std::optional<std::int32_t> requestedBaseline_;
  std::int32_t pixelSize_ = 0;
  CellLayout layout_;
  std::int32_t fontType_ = 0;
  BitmapImportCounts counts_;
  std::vector<FT_ULong> codes_;
  std::vector<FT_UInt> glyphs_;
  // The Unicode character of each cell: the kept codes' source, or the chosen
  // map's codes when it is a Unicode map; empty otherwise.
  std::vector<char32_t> unicodes_;
  ParsedGlyphBlock block_;
};

// The whole outline import of `request.fileName` into `request.width` x
// `request.height` cells: open, faces dialog (asked again while its answer is
// refused), render with the prompt's progress, then say how many characters were
// left out beyond code 0xFFFF. Fills the request's glyph block, and its counts
// when the codes were kept (the codes subset and font type come from
// `request.bitmapOptions`). False, with the request unchanged, after any message
// or a Cancel; `cancelled` tells whether the user cancelled.
bool ImportOutlineFont(ImportRequest& request, Prompt& prompt, bool* cancelled = nullptr);
// The reader entry point of the outline fonts: a cell of no width or height is
// refused, else ImportOutlineFont.
bool ReadOutlineFont(const FormatRead& read);

}  // namespace dotforge
