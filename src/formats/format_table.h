#pragma once
// Every file format the program reads or writes, described once: its names on
// the command line, its entries in the import and export dialogs' type lists, its
// extensions, what reading it needs, what reading it back gives, and the entry
// points of its reader and writer. The type lists, the command-line names and
// the guess from a file's extension are all made from this table, so adding a
// format is one entry here plus its reader and writer.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format_entry_points.h"

namespace dotforge {

// What a font set written in a format and read back keeps equal: its codes, its
// font type, its download id, its baseline and the Unicode values of its
// characters. The dots always come back.
struct CarriedProperties {
  bool codes, fontType, fontId, baseline, unicode;
};

// Whether a format holds cells of `width` x `height` dots.
using CellTest = bool (*)(std::int32_t width, std::int32_t height);

struct FileFormat {
  int format;                                // SideFormat
  std::vector<std::string_view> names;       // command-line names, the first is the one shown
  const char* importType;                    // import dialog entry; nullptr: not read
  const char* exportType;                    // export dialog entry; nullptr: not written
  std::vector<std::string_view> extensions;  // ".dat", compared in any case
  bool needsCellSize;                        // read only at a cell size the user gives
  bool needsWordWidth;                       // read and written with a data word width (8 or 16 bits)
  bool bitmapFont;                           // read at its own cell size unless one is given; may be gzip-packed
  CellTest holdsCell;                        // the cells its files hold
  std::uint32_t maxCode;                     // the highest code its files hold
  CarriedProperties carries;
  FormatReader read;    // nullptr when not read
  FormatWriter write;   // nullptr when not written
};

// In SideFormat order: the positions of the type lists follow it.
const std::vector<FileFormat>& FileFormats();
const FileFormat* FindFileFormat(int format);
// Any case.
const FileFormat* FileFormatByName(std::string_view name);
// By the file's extension, any case; a bitmap font's extension may be followed by ".gz".
const FileFormat* FileFormatByExtension(const std::filesystem::path& file);

// The positions of the type lists count from 1; "All Files (*)" ends each list
// and stands for no format. Position 0 is a format the list does not hold.
std::optional<int> ImportFormatAt(int position);
int ImportTypePosition(int format);
std::optional<int> ExportFormatAt(int position);
int ExportTypePosition(int format);
// "entry|entry|...|All Files (*)".
std::string ImportTypeList();
std::string ExportTypeList();

// The first names of the formats that `keep` keeps, for help texts and messages:
// "dat, dsb, ddb".
std::string FormatNames(bool (*keep)(const FileFormat&));
// The first name of a format, "?" for an unknown one.
std::string FormatName(int format);

}  // namespace dotforge
