#pragma once
// Opening a font set document: the font set's own files and the printer streams
// are read here; every other format was read into the request's glyph block by
// its import (formats/format_table.h).

#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

// Fills a fresh font set from the request. The document always opens: after an
// error it keeps the characters completed before it.
void OpenFontSet(CDotforgeImportDoc& doc, const ImportRequest& request, Prompt& prompt);

}  // namespace dotforge
