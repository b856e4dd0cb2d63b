#pragma once
// Camera photos are stored as the sensor saw them, with an Exif tag telling how to turn them upright;
// the player's picture loader ignores the tag, so the packer turns them itself.
#include <cstdint>
#include <vector>

#include "picture_pixels.h"

namespace fenok::pack {

// The Exif orientations: 1 upright, 2 mirrored, 3 upside down, 4 mirrored upside down, 5 to 8 the
// same four turned a quarter (6: turn a quarter clockwise to see it upright, 8: anticlockwise).
constexpr int kUpright = 1;
constexpr int kLastOrientation = 8;

// The orientation tag of a JPEG's Exif block; kUpright when there is none or it cannot be read.
int exifOrientation(const std::vector<std::uint8_t>& jpeg);
// The same for a WebP's Exif chunk.
int webpExifOrientation(const std::vector<std::uint8_t>& webp);

// The pixels as they are meant to be seen.
Pixels orientUpright(const Pixels& pixels, int orientation);

}  // namespace fenok::pack
