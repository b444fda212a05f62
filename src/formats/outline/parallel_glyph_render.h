#pragma once
// Rendering the glyphs of one face split over threads. FreeType objects are not
// shared between threads: each extra thread opens its own library and face. The
// glyphs go out in short runs to whichever thread is free; the calling thread
// renders runs too and reports the progress. The cells do not depend on the split.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "formats/outline/glyph_renderer.h"
#include "framework/prompt.h"

namespace dotforge {

struct GlyphRunJob {
  std::string path;  // the font file
  FT_Long faceIndex = 0;
  std::size_t count = 0;  // glyphs to render
  // Gives a face opened by a thread the size of the render; false when it cannot.
  std::function<bool(FT_Face)> prepare;
  // Renders glyphs [begin, end): the index of the first that failed, or nothing.
  // Returns early, with nothing, once the control asks to stop.
  std::function<std::optional<std::size_t>(FT_Library, FT_Face, std::size_t begin, std::size_t end,
                                           RenderControl& control)>
      render;
};

struct GlyphRunOutcome {
  std::optional<std::size_t> failed;  // the lowest glyph index that failed
  bool cancelled = false;
};

// Renders the job's glyphs on `threads` threads (0: as many as the machine's cores
// and the count make worth it); `library` and `face` are the calling thread's,
// already prepared. `progress` hears how many glyphs are done; its false stops
// every thread.
GlyphRunOutcome RenderGlyphRuns(const GlyphRunJob& job, FT_Library library, FT_Face face, unsigned threads,
                                const ProgressCallback& progress);

}  // namespace dotforge
