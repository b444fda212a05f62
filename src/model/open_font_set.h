#pragma once
// Opening a font set document: the reader is chosen by the import type.

#include "framework/prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge {

// Fills a fresh font set from the request. The document always opens: after an
// error it keeps the characters completed before it.
void OpenFontSet(CDotforgeImportDoc& doc, const ImportRequest& request, Prompt& prompt);

// The file dialog filter of an import type ("Files Data (*.DAT)", ...), empty for
// an unknown type.
const char* ImportTypeFilter(int importType);

}  // namespace dotforge
