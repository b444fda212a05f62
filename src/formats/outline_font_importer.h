#pragma once
// Characters rendered from an outline font file through FreeType: the user picks
// one face of the file and one of its character maps in the "TrueType Font Faces"
// dialog, and every character of that map becomes one monochrome cell of the
// chosen size, in the order of the map.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/freetype_handles.h"
#include "framework/prompt.h"
#include "model/app_values.h"

namespace dotforge {

class OutlineFontImporter {
 public:
  OutlineFontImporter(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}

  // Initialises FreeType and checks that the file opens; shows why when it does not.
  bool OpenFontFile(const std::filesystem::path& path, Prompt& prompt);

  // What the faces dialog lists: "family - style" of every face, and the names of
  // each face's character maps.
  FontFacesRequest FacesDialogContents() const;

  enum class FacesChoice { Accepted, StayInDialog, Failed };
  // The dialog's OK: opens the selected face and selects the chosen map. A missing
  // selection shows why and keeps the dialog open; a face that no longer opens
  // ends the import.
  FacesChoice ConfirmFaces(const FontFacesAnswer& answer, Prompt& prompt);

  // Renders every character of the chosen map. `threads` 0 uses the machine's
  // cores; the cells do not depend on it. `progress`, when given, hears how many
  // characters are done; its false cancels the rendering, which then returns
  // false without a message and with Cancelled() set. Releases FreeType in every
  // case. Characters that would get a code beyond 0xFFFF were left out by
  // ConfirmFaces (LeftOut counts them).
  bool RenderCharacters(Prompt& prompt, unsigned threads = 0, const ProgressCallback& progress = {});
  bool Cancelled() const { return cancelled_; }

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int32_t CharacterCount() const { return characterCount_; }
  // Characters of the chosen map that have no code left in a font set.
  std::size_t LeftOut() const { return leftOut_; }
  // The chosen map's character codes, in the order of the cells.
  const std::vector<FT_ULong>& Codes() const { return codes_; }
  ParsedGlyphBlock TakeBlock() { return std::move(block_); }

 private:
  // Splits the glyphs into one run per thread; this thread reports the progress.
  // The index of the first glyph that failed, or nothing.
  std::optional<std::size_t> RenderInParallel(unsigned threads, std::vector<std::uint8_t>& cells,
                                              const ProgressCallback& progress);
  // Keeps the characters that get a code from 0x20 to 0xFFFF.
  void LimitToCodeRange();

  std::int32_t width_;
  std::int32_t height_;
  std::string path_;
  FreeTypeLibrary library_;
  FT_Long faceCount_ = 0;
  FT_Long faceIndex_ = 0;
  FreeTypeFace face_;  // declared after the library: released before it
  std::int32_t characterCount_ = 0;
  std::size_t leftOut_ = 0;
  bool cancelled_ = false;
  std::vector<FT_ULong> codes_;
  std::vector<FT_UInt> glyphs_;
  ParsedGlyphBlock block_;
};

// The whole outline import: open, faces dialog (asked again while its answer is
// refused), render with the prompt's progress, then say how many characters
// were left out beyond code 0xFFFF. The block, or nothing after any message or a
// Cancel; `cancelled` tells whether the user cancelled.
std::optional<ParsedGlyphBlock> ImportOutlineFont(const std::filesystem::path& path, std::int32_t width,
                                                  std::int32_t height, Prompt& prompt, bool* cancelled = nullptr);

}  // namespace dotforge
