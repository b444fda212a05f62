#pragma once
// Toolbar images, drawn at run time: 16 x 20 pixels, each showing what its
// command does.

#include <QIcon>

#include "app/shell/command_table.h"

namespace dotforge {

inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 20;

QIcon CommandIconImage(CommandIcon icon);

}  // namespace dotforge
