// The decoders of this build: the image library's for the player's own formats, then the system's.
#include "picture_source.h"
#include "picture_structure.h"
#include "system_decoders.h"

namespace fenok::pack {
namespace {

bool libraryReads(PictureFormat format) { return playerShows(format); }

PictureCheck librarySize(const std::vector<std::uint8_t>& bytes, PictureFormat format, int& width, int& height,
                         Message& problem) {
  // The library pads a cut-off JPEG or GIF without a word; their structure tells. A picture too
  // large is told as such first, by the source.
  const bool known = pictureDimensions(bytes, width, height);
  const bool tooLarge = known && static_cast<long long>(width) * height > kMaxPicturePixels;
  if (!tooLarge && !pictureIsWhole(bytes, format)) problem = message(Msg::pictureCutShort);
  else if (!known) problem = message(Msg::pictureNotDecodable, libraryFailure());
  else return PictureCheck::readable;
  return PictureCheck::unreadable;
}

PictureCheck libraryDecode(const std::vector<std::uint8_t>& bytes, PictureFormat, Pixels& pixels, Message& problem) {
  std::string reason;
  if (decodePixels(bytes, pixels, reason)) return PictureCheck::readable;
  problem = message(Msg::pictureNotDecodable, reason);
  return PictureCheck::unreadable;
}

}  // namespace

std::vector<PictureDecoder> builtInDecoders() {
  std::vector<PictureDecoder> decoders{{"stb_image", libraryReads, librarySize, libraryDecode}};
#if defined(FENOK_HAVE_LIBHEIF)
  decoders.push_back(kHeifDecoder);
#endif
#if defined(FENOK_HAVE_LIBWEBP)
  decoders.push_back(kWebpDecoder);
#endif
#if defined(_WIN32)
  decoders.push_back(kWicDecoder);
#endif
  return decoders;
}

Message noDecoderProblem(PictureFormat format) {
#if defined(__EMSCRIPTEN__)
  return message(Msg::browserCannotRead, formatName(format));
#elif defined(_WIN32)
  const Msg extension = format == PictureFormat::heic   ? Msg::heifExtensions
                        : format == PictureFormat::avif ? Msg::av1Extension
                                                        : Msg::webpExtensions;
  return message(Msg::noWindowsCodec, formatName(format), message(extension));
#else
  return message(Msg::builtWithout, formatName(format), format == PictureFormat::webp ? "libwebp" : "libheif");
#endif
}

}  // namespace fenok::pack
