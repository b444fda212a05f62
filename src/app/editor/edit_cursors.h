#pragma once
// The pixel editor's mouse cursors, drawn as 32 x 32 images: a pencil for the
// pen, an arrow pointing down for the column modes, one pointing right for the
// row modes.

#include <QCursor>

namespace dotforge {

QCursor PenCursor();     // hot spot (12, 24)
QCursor ColumnCursor();  // hot spot (15, 21)
QCursor RowCursor();     // hot spot (23, 15)

}  // namespace dotforge
