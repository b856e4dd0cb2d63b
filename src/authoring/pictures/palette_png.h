#pragma once
// Pictures of at most 256 colours (drawings, flags, most GIFs) as 8-bit palette PNGs: a byte a pixel
// instead of three or four, which the player's own PNG reader decodes like any other.
#include <cstdint>
#include <vector>

#include "picture_pixels.h"

namespace fenok::pack {

constexpr std::size_t kMaxPaletteColours = 256;

// Empty when the pixels hold more than kMaxPaletteColours colours.
std::vector<std::uint8_t> encodePalettePng(const Pixels& pixels);

}  // namespace fenok::pack
