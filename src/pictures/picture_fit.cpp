#include "pictures/picture_fit.h"

#include <algorithm>

#include "platform/ports/resources.h"

namespace fenok {

bool isScrambledPictureId(int id) { return id > kScrambledPictureIdFloor; }

void exchangeNibbles(std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>((bytes[i] << 4) | (bytes[i] >> 4));
  }
}

PictureSource choosePictureSource(const Resources& resources, const char* type, int id) {
  if (!resources.find(ResourceType::named(type), id).empty()) return PictureSource::encoded;
  if (!resources.find(ResourceType::numbered(kRtRcdata), id).empty()) return PictureSource::png;
  return PictureSource::none;
}

bool fitToBox(int width, int height, int targetWidth, int targetHeight, FittedSize& fitted) {
  if (width <= 0 || height <= 0 || targetWidth <= 0 || targetHeight <= 0) return false;
  const double scale = std::min(static_cast<double>(targetWidth) / width,
                                static_cast<double>(targetHeight) / height);
  fitted.width = std::max(1, static_cast<int>(width * scale));
  fitted.height = std::max(1, static_cast<int>(height * scale));
  return true;
}

}  // namespace fenok
