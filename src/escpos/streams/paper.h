#pragma once
// Receipt paper widths in printer dots (203 dpi).

#include <cstdint>

namespace dotforge {

inline constexpr std::int32_t kPaper80mmDots = 576;
inline constexpr std::int32_t kPaper58mmDots = 384;
inline constexpr std::int32_t kMinPaperDots = 8;
inline constexpr std::int32_t kMaxPaperDots = 2048;

}  // namespace dotforge
