#pragma once
// The name a firmware export gives its arrays: the file's name made a C identifier.

#include <filesystem>
#include <string>

namespace dotforge {

// The file name without its extension, every character that may not stand in a
// C identifier replaced by '_', and '_' put before a leading digit; "font" for
// a name with nothing left.
std::string CIdentifierOf(const std::filesystem::path& path);

}  // namespace dotforge
