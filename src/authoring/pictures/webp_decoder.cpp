// WebP through libwebp (the picture source has refused animations before).
#include <webp/decode.h>

#include <cstring>
#include <memory>

#include "system_decoders.h"

namespace fenok::pack {
namespace {

// libwebp's status codes in words, for the author's message.
const char* statusName(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY: return "out of memory";
    case VP8_STATUS_INVALID_PARAM: return "invalid parameter";
    case VP8_STATUS_BITSTREAM_ERROR: return "bitstream error";
    case VP8_STATUS_UNSUPPORTED_FEATURE: return "unsupported feature";
    case VP8_STATUS_SUSPENDED: return "suspended";
    case VP8_STATUS_USER_ABORT: return "aborted";
    case VP8_STATUS_NOT_ENOUGH_DATA: return "cut short";
    default: return "libwebp";
  }
}

bool reads(PictureFormat format) { return format == PictureFormat::webp; }

PictureCheck features(const std::vector<std::uint8_t>& bytes, WebPBitstreamFeatures& found, Message& problem) {
  const VP8StatusCode status = WebPGetFeatures(bytes.data(), bytes.size(), &found);
  if (status != VP8_STATUS_OK) {
    problem = message(Msg::pictureDamaged, formatName(PictureFormat::webp), statusName(status));
    return PictureCheck::unreadable;
  }
  return PictureCheck::readable;
}

PictureCheck size(const std::vector<std::uint8_t>& bytes, PictureFormat, int& width, int& height, Message& problem) {
  WebPBitstreamFeatures found;
  const PictureCheck check = features(bytes, found, problem);
  width = found.width;
  height = found.height;
  return check;
}

PictureCheck decode(const std::vector<std::uint8_t>& bytes, PictureFormat, Pixels& pixels, Message& problem) {
  WebPBitstreamFeatures found;
  const PictureCheck check = features(bytes, found, problem);
  if (check != PictureCheck::readable) return check;
  pixels.width = found.width;
  pixels.height = found.height;
  pixels.channels = found.has_alpha ? kRgba : kRgb;
  const std::size_t row = static_cast<std::size_t>(pixels.width) * pixels.channels;
  pixels.data.resize(row * pixels.height);
  const auto into = found.has_alpha ? WebPDecodeRGBAInto : WebPDecodeRGBInto;
  if (!into(bytes.data(), bytes.size(), pixels.data.data(), pixels.data.size(), static_cast<int>(row))) {
    problem = message(Msg::pictureDamaged, formatName(PictureFormat::webp), statusName(VP8_STATUS_BITSTREAM_ERROR));
    return PictureCheck::unreadable;
  }
  dropOpaqueAlpha(pixels);
  return PictureCheck::readable;
}

}  // namespace

const PictureDecoder kWebpDecoder{"libwebp", reads, size, decode};

}  // namespace fenok::pack
