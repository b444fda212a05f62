#pragma once
// The reader and writer entry points of the font set's own files: the data file
// (DAT) and the download files (DSB, DDB).

#include <cstddef>
#include <optional>

#include "formats/format_entry_points.h"

namespace dotforge {

// The file is read when the font set opens: nothing to prepare.
bool ReadWhenOpened(const FormatRead& read);
// A download file of no bytes holds not even its header: it is refused before a
// font set is made of it.
bool ReadDownloadFile(const FormatRead& read);

bool WriteDat(const FormatWrite& write);
bool WriteDsb(const FormatWrite& write);
bool WriteDdb(const FormatWrite& write);

// How many characters a single-byte file takes: all of them, or the first 224
// once the user agreed; nothing when the user cancelled.
std::optional<std::size_t> AskSingleByteLimit(const CDotforgeImportDoc& doc, Prompt& prompt);

}  // namespace dotforge
