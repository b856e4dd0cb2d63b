#pragma once
// The one way from a picture file's bytes to upright pixels, whatever its format. Decoders sit behind
// it, each reading some formats: the image library's (JPEG, GIF, PNG) in every build, then the
// system's where the build has them (libheif and libwebp on Linux, Windows' own codecs), and any a
// front end adds (a browser's). The source turns every picture upright from its format's own
// metadata (Exif in JPEG and WebP, HEIF's rotation and mirror), and only from that, so no picture is
// turned twice.
#include <cstdint>
#include <vector>

#include "authoring/messages.h"
#include "picture_format.h"
#include "picture_pixels.h"

namespace fenok::pack {

// Beyond any camera's picture; also bounds the memory a decode takes.
constexpr long long kMaxPicturePixels = 100'000'000;

// What a decoder, or the source, says of a file.
enum class PictureCheck {
  readable,
  noDecoder,    // nothing on this computer reads the format
  unreadable,   // damaged, too large, or a kind of the format a quiz cannot take (an animation)
};

// A decoder. Its problems name everything but the file: the caller puts the file's name first.
struct PictureDecoder {
  const char* name;
  bool (*reads)(PictureFormat format);
  // The size the file declares, read without decoding its pixels.
  PictureCheck (*size)(const std::vector<std::uint8_t>& bytes, PictureFormat format, int& width, int& height,
                       Message& problem);
  // The pixels as stored, RGB, or RGBA when some pixel is not fully opaque.
  PictureCheck (*decode)(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels,
                         Message& problem);
};

// Adds a decoder after those of the build; a front end does so before any picture is read.
void addPictureDecoder(const PictureDecoder& decoder);

// True when a decoder of this build takes the format (Windows' codecs may still lack one).
bool hasPictureDecoder(PictureFormat format);

// Whether this computer reads the picture, from its header alone: its size is within bounds and a
// decoder takes it. problem says why not (its first argument, the file, left to the caller).
PictureCheck checkPicture(const std::vector<std::uint8_t>& bytes, PictureFormat format, Message& problem);

// The picture's pixels, upright. turned: true when its metadata turned or mirrored it.
PictureCheck readPicture(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels, bool& turned,
                         Message& problem);

// ---- For the decoders ----

// The decoders the build has, in order (built_in_decoders.cpp).
std::vector<PictureDecoder> builtInDecoders();
// What to tell an author whose picture no decoder of this build reads: what to install or convert to.
Message noDecoderProblem(PictureFormat format);

}  // namespace fenok::pack
