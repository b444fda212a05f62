#pragma once
// The pixel editor's tools and the commands that choose them, and the colour a
// drawing tool puts down.

#include <Qt>
#include <cstdint>
#include <optional>

#include "edit/edit_doc.h"

namespace dotforge {

enum class EditTool { Pen, Line, Rectangle, FilledRectangle, Ellipse, FloodFill, Select };

// The tool a command chooses (kPenEdit chooses the pen); none for other commands.
std::optional<EditTool> ToolOfCommand(int id);
// The shape a drawing tool puts down; none for the pen, flood fill and select.
std::optional<ShapeKind> ShapeOfTool(EditTool tool);
// The whole-glyph transform a Glyph menu command runs.
std::optional<GlyphTransform> TransformOfCommand(int id);

// The colour a drawing tool puts down when pressed on a dot of colour `pressed`
// (white outside the glyph): the left button, like the pen, the other colour
// than the dot's; the right button the dot's own.
std::uint8_t ToolValue(std::uint8_t pressed, Qt::MouseButton button);

}  // namespace dotforge
