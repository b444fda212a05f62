#pragma once
// What the core hands to a dialog it needs answered, and what comes back. The
// desktop program shows real dialogs, the command-line tool answers from its
// flags, the tests from a script. Answers are checked by the core, which asks
// again (after a warning) when a value is not acceptable.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dotforge {

// The export dialog's rows for C arrays: how the glyphs' dots are laid out.
struct CArrayDialogOptions {
  bool columns = false;   // columns of 8-row bytes rather than rows
  bool lsbFirst = false;  // the first dot in the least significant bit
  bool invert = false;    // a 1 bit is a white dot
  bool art = false;       // a comment draws each glyph
  bool operator==(const CArrayDialogOptions&) const = default;
};

// The export file dialog: a save dialog with a data format list, a font
// download id box, for bitmap fonts a baseline and a code page box, and for C
// arrays the layout rows.
struct ExportDialogRequest {
  std::string title;
  std::string typeList;  // entries "description (*.EXT)" separated by '|'
  std::string defaultFileName;
  int dataWordBits = 8;  // 8 or 16
  int fontId = '0';      // ASCII code of the id digit
  int height = 0;        // the font set's cell height, which bounds the baseline
  int baseline = 0;      // cell rows above the baseline the box shows first
  CArrayDialogOptions carray;  // the C array rows as the last export left them
};

struct ExportDialogAnswer {
  std::string path;       // the chosen file, with its folder
  int type = 1;           // position of the chosen entry in the type list, from 1
  int dataWordIndex = 0;  // 0 = "8 Bits", 1 = "16 Bits"
  int fontId = '0';       // the number in the id box
  std::optional<int> baseline;  // BDF: cell rows above the baseline; unset takes the default
  std::string codePage;         // BDF, PSF2: iconv name of the codes' code page; empty: Unicode
  CArrayDialogOptions carray;   // C arrays: the layout rows
  std::string codes;            // GFX: the codes written, as "20-7E,A0-FF"; empty writes every code
};

// The import dialog's options for a bitmap font (BDF, PCF, PSF, Unifont hex).
struct BitmapDialogOptions {
  std::optional<int> baseline;  // rows above the baseline in the cell; nothing: the font's ascent
  std::string encoding;         // iconv name of a printer code page; empty keeps the font's codes
  std::string codes;            // the codes kept, as "20-7E,A0-FF"; empty keeps all
  int fontTypeIndex = 0;        // 0 automatic, 1 single-byte, 2 double-byte
};

// The import file dialog: an open dialog with cell width, cell height, data
// format and the bitmap font options.
struct ImportDialogRequest {
  std::string title;
  std::string typeList;
  std::string defaultFileName;
  std::string initialFolder;
  int width = 0;
  int height = 0;
  int dataWordBits = 8;
  BitmapDialogOptions bitmap;
  // The type list position to start on when the caller knows the file's type; 0:
  // the one the default name's extension gives.
  int type = 0;
};

struct ImportDialogAnswer {
  std::string path;
  int type = 1;
  int width = 0;
  int height = 0;
  int dataWordIndex = 0;
  std::string fileNameText;  // the file-name box as last set by a type change, else the default name
  BitmapDialogOptions bitmap;
};

struct FontFacesAnswer {
  FontFacesAnswer(int selectedFace = -1, int selectedCharmap = -1) : face(selectedFace), charmap(selectedCharmap) {}

  int face;  // -1: nothing selected
  int charmap;
  // Keep the face's Unicode codes (re-encoded with `encoding` when it is not
  // empty) and draw every glyph at `pixelSize` on one baseline `baseline` rows
  // below the cell's top; the character map list does not apply then.
  bool keepCodes = false;
  std::string encoding;               // iconv name of a printer code page; empty keeps Unicode
  int pixelSize = 0;                  // 0: the face's full height fits the cell
  std::optional<int> baseline;        // nothing: from the face's ascender
};

// A code page the keep-codes import offers: the text shown and the iconv name
// (empty for none, the Unicode codes themselves).
struct CodePageChoice {
  std::string label;
  std::string name;
};

// Sample characters drawn as the keep-codes import would place them.
struct FacePreviewCell {
  std::string label;               // the character's code in the set ("0048", "82A0"), or a dash
  std::vector<std::uint8_t> dots;  // packed rows of the cell, leftmost dot in the top bit
  bool cut = false;                // black dots fell outside the cell
};

struct FacePreview {
  int width = 0;
  int height = 0;
  int pixelSize = 0;  // the size used, the default when the answer left it 0
  int baseline = 0;
  std::vector<FacePreviewCell> cells;
  std::string problem;  // why nothing can be drawn, or empty
};

// "TrueType Font Faces": the faces of an outline font file ("family - style")
// and, for each face, the names of its character maps; the code pages the
// keep-codes import offers and the preview of a choice (empty when the dialog
// has none to show).
struct FontFacesRequest {
  std::vector<std::string> faces;
  std::vector<std::vector<std::string>> charmaps;
  std::vector<CodePageChoice> codePages;
  std::function<FacePreview(const FontFacesAnswer&)> preview;
};

}  // namespace dotforge
