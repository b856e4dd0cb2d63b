#include "picture_thumbnail.h"

#include <algorithm>

#include "authoring/file_bytes.h"
#include "authoring/parallel.h"
#include "picture_source.h"
#include "prepared_pictures.h"
#include "pictures/picture_fit.h"
#include "authoring/quiz_media.h"

namespace fenok::pack {

bool playerPicture(const std::string& path, Pixels& shown) {
  std::vector<std::uint8_t> bytes;
  if (!readFileBytes(path, bytes)) return false;
  // The picture as the quiz will store it (fitted once, and found again when the quiz is checked and
  // made): what the player shows is decoded from that. A picture too large to pack is not shown.
  PictureFormat format = pictureFormat(bytes);
  Message problem;
  if (format == PictureFormat::none || !PreparedPictures::fitted(bytes, format, problem)) return false;
  Pixels pixels;
  bool turned = false;
  if (readPicture(bytes, format, pixels, turned, problem) != PictureCheck::readable) return false;
  FittedSize fitted;
  if (!fitToBox(pixels.width, pixels.height, kPictureBoxSide, kPictureBoxSide, fitted)) return false;
  const bool sameSize = fitted.width == pixels.width && fitted.height == pixels.height;
  shown = sameSize ? std::move(pixels) : resample(pixels, fitted.width, fitted.height);
  return true;
}

Pixels thumbnailOf(const Pixels& pixels, int width, int height) {
  if (pixels.width <= 0 || pixels.height <= 0 || width <= 0 || height <= 0) return {};
  // The larger of the two shrinkings fits both sides; pictures already small enough keep their size.
  const double scale = std::min({1.0, static_cast<double>(width) / pixels.width, static_cast<double>(height) / pixels.height});
  const int fittedWidth = std::max(1, static_cast<int>(pixels.width * scale + 0.5));
  const int fittedHeight = std::max(1, static_cast<int>(pixels.height * scale + 0.5));
  return scale < 1.0 ? resample(pixels, fittedWidth, fittedHeight) : pixels;
}

std::vector<PictureViews> pictureViews(const std::vector<std::string>& paths, int thumbnailWidth, int thumbnailHeight) {
  std::vector<PictureViews> views(paths.size());
  runInParallel(paths.size(), [&](std::size_t i) {
    if (!playerPicture(paths[i], views[i].shown)) return;
    views[i].thumbnail = thumbnailOf(views[i].shown, thumbnailWidth, thumbnailHeight);
  });
  return views;
}

}  // namespace fenok::pack
