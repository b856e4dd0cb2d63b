#pragma once
// The chunks of a WebP file, walked with bounded reads: where its Exif block lies, and whether it is
// an animation (which a quiz, showing one still picture, does not take).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok::pack {

// The payload of the first chunk named fourcc ("EXIF", "VP8X"...); false when there is none.
bool webpChunk(const std::vector<std::uint8_t>& webp, const char* fourcc, std::size_t& payload, std::size_t& length);

// True when the extended header announces an animation.
bool webpIsAnimated(const std::vector<std::uint8_t>& webp);

}  // namespace fenok::pack
