#include "app/editor/edit_tools.h"

#include "app/shell/command_ids.h"

namespace dotforge {

std::optional<EditTool> ToolOfCommand(int id) {
  switch (id) {
    case cmd::kPenEdit:
      return EditTool::Pen;
    case cmd::kToolLine:
      return EditTool::Line;
    case cmd::kToolRectangle:
      return EditTool::Rectangle;
    case cmd::kToolFilledRectangle:
      return EditTool::FilledRectangle;
    case cmd::kToolEllipse:
      return EditTool::Ellipse;
    case cmd::kToolFloodFill:
      return EditTool::FloodFill;
    case cmd::kToolSelect:
      return EditTool::Select;
    default:
      return std::nullopt;
  }
}

std::optional<ShapeKind> ShapeOfTool(EditTool tool) {
  switch (tool) {
    case EditTool::Line:
      return ShapeKind::Line;
    case EditTool::Rectangle:
      return ShapeKind::Rectangle;
    case EditTool::FilledRectangle:
      return ShapeKind::FilledRectangle;
    case EditTool::Ellipse:
      return ShapeKind::Ellipse;
    default:
      return std::nullopt;
  }
}

std::optional<GlyphTransform> TransformOfCommand(int id) {
  switch (id) {
    case cmd::kFlipHorizontal:
      return GlyphTransform::FlipHorizontal;
    case cmd::kFlipVertical:
      return GlyphTransform::FlipVertical;
    case cmd::kInvert:
      return GlyphTransform::Invert;
    case cmd::kRotateLeft:
      return GlyphTransform::RotateLeft;
    case cmd::kRotateRight:
      return GlyphTransform::RotateRight;
    default:
      return std::nullopt;
  }
}

std::uint8_t ToolValue(std::uint8_t pressed, Qt::MouseButton button) {
  const std::uint8_t other = pressed == kWhitePixel ? kBlackPixel : kWhitePixel;
  return button == Qt::RightButton ? pressed : other;
}

}  // namespace dotforge
