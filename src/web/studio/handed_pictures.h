#pragma once
// Pictures the browser decoded for the studio: JPEG, GIF and PNG are the C++'s own, but WebP, AVIF and
// HEIC (in Safari) only the browser reads. The page decodes such a file before handing it to the
// studio (createImageBitmap with imageOrientation "none": pixels as stored, since the picture source
// turns them by the file's own metadata) and leaves the pixels here, keyed by the file's bytes; the
// picture source reads them through a decoder of its own. A file the browser could not decode has
// none, and is told as a format this browser cannot read.
#include <cstdint>
#include <vector>

namespace fenok::web {

// The size the browser found the picture declares, before it decodes it: false when the picture is too
// large to be decoded for a quiz, in which case the size alone is kept (and the file told as too large).
bool handPictureSize(const std::vector<std::uint8_t>& file, int width, int height);

// RGBA pixels, top row first, of the picture stored in file.
void handPicturePixels(const std::vector<std::uint8_t>& file, int width, int height, std::vector<std::uint8_t> rgba);

// Adds the decoder of handed pictures to the picture source, once.
void addHandedPicturesDecoder();

}  // namespace fenok::web
