#pragma once
// Owning handles for FreeType's library and faces, so that every path, the
// failing ones included, releases them.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace dotforge {

struct FreeTypeLibraryRelease {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FreeTypeFaceRelease {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

using FreeTypeLibrary = std::unique_ptr<FT_LibraryRec_, FreeTypeLibraryRelease>;
using FreeTypeFace = std::unique_ptr<FT_FaceRec_, FreeTypeFaceRelease>;

// A new library, or an empty handle when FreeType cannot be initialised.
FreeTypeLibrary InitFreeType();

// Face `index` of the file, or an empty handle with FreeType's error in `error`.
FreeTypeFace OpenFace(FT_Library library, const char* path, FT_Long index, FT_Error& error);

// The name the faces dialog shows for a character map's encoding.
const char* CharmapName(FT_Encoding encoding);

}  // namespace dotforge
