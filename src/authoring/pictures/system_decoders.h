#pragma once
// The decoders of the system's libraries, each built only where the build found its library.
#include "picture_source.h"

namespace fenok::pack {

extern const PictureDecoder kHeifDecoder;  // libheif: HEIC and AVIF (Linux)
extern const PictureDecoder kWebpDecoder;  // libwebp: WebP (Linux)
extern const PictureDecoder kWicDecoder;   // Windows' codecs: WebP, HEIC and AVIF where installed

}  // namespace fenok::pack
