#pragma once
// Receipt pictures for the tests, built independently of the virtual printer.

#include <cstdint>
#include <string>
#include <vector>

#include "model/font_set.h"
#include "platform/bytes.h"

namespace dotforge::test {

// A picture of 576 x (30 per line), built from the font set's own pixels: each
// character of `text` defined in `doc` drawn from its record, any other as the
// outline of a font A cell; '\n' ends a line. 1 for a black dot.
std::vector<std::uint8_t> PictureOf(const CDotforgeImportDoc& doc, const std::string& text, std::int32_t& height);

// A PNG read back with libpng: 1 for a black dot; empty when it is no PNG.
std::vector<std::uint8_t> DecodePng(const Bytes& png, std::int32_t& width, std::int32_t& height);

}  // namespace dotforge::test
