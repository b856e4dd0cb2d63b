#include "picture_thumbnail.h"

#include <algorithm>

#include "exif_orientation.h"
#include "file_bytes.h"
#include "parallel.h"
#include "quiz_media.h"

namespace fenok::pack {

bool pictureThumbnail(const std::string& path, int width, int height, Pixels& thumbnail) {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (width <= 0 || height <= 0 || !readFileBytes(path, bytes)) return false;
  const PictureFormat format = pictureFormat(bytes);
  Pixels pixels;
  if (format == PictureFormat::none || !decodePixels(bytes, pixels, reason)) return false;
  if (format == PictureFormat::jpeg) {
    const int orientation = exifOrientation(bytes);
    if (orientation != kUpright) pixels = orientUpright(pixels, orientation);
  }
  if (pixels.width <= 0 || pixels.height <= 0) return false;
  // The larger of the two shrinkings fits both sides; pictures already small enough keep their size.
  const double scale = std::min({1.0, static_cast<double>(width) / pixels.width, static_cast<double>(height) / pixels.height});
  const int fittedWidth = std::max(1, static_cast<int>(pixels.width * scale + 0.5));
  const int fittedHeight = std::max(1, static_cast<int>(pixels.height * scale + 0.5));
  thumbnail = scale < 1.0 ? resample(pixels, fittedWidth, fittedHeight) : std::move(pixels);
  return true;
}

std::vector<Pixels> pictureThumbnails(const std::vector<std::string>& paths, int width, int height) {
  std::vector<Pixels> thumbnails(paths.size());
  runInParallel(paths.size(), [&](std::size_t i) {
    if (!pictureThumbnail(paths[i], width, height, thumbnails[i])) thumbnails[i] = Pixels{};
  });
  return thumbnails;
}

}  // namespace fenok::pack
