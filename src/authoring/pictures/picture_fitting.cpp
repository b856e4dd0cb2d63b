#include "picture_fitting.h"

#include <algorithm>

#include "palette_png.h"
#include "picture_pixels.h"
#include "picture_structure.h"
#include "pictures/picture_fit.h"

namespace fenok::pack {
namespace {

constexpr std::size_t kRunShareDivisor = 4;  // a quarter

struct Encoded {
  PictureFormat format = PictureFormat::png;
  std::vector<std::uint8_t> bytes;
};

// A picture stored as given is not decoded (the player decodes it): cut-off files are told by their
// structure, oversized ones by their header.
bool checkWhole(const std::vector<std::uint8_t>& bytes, PictureFormat format, Message& problem) {
  int width = 0, height = 0;
  if (pictureDimensions(bytes, width, height) && static_cast<long long>(width) * height > kMaxPicturePixels) {
    problem = message(Msg::pictureTooLarge, width, height, kMaxPicturePixels / 1'000'000);
    return false;
  }
  if (!pictureIsWhole(bytes, format)) {
    problem = message(Msg::pictureCutShort);
    return false;
  }
  return true;
}

void keepSmaller(Encoded& best, PictureFormat format, std::vector<std::uint8_t> bytes) {
  if (!bytes.empty() && (best.bytes.empty() || bytes.size() < best.bytes.size())) best = {format, std::move(bytes)};
}

// True when at least a quarter of the pixels repeat the one on their left: only then can a lossless
// PNG of many colours come near a JPEG. Photos and their grain have almost no such runs.
bool hasRuns(const Pixels& pixels) {
  const std::size_t channels = static_cast<std::size_t>(pixels.channels);
  std::size_t repeats = 0;
  for (std::size_t i = channels; i < pixels.data.size(); i += channels)
    repeats += std::equal(&pixels.data[i], &pixels.data[i] + channels, &pixels.data[i - channels]);
  return repeats * kRunShareDivisor >= pixels.data.size() / channels;
}

// PNG keeps every pixel and transparency, in a palette when there are few colours (drawings); JPEG
// wins on photos, where it is many times smaller.
Encoded smallestEncoding(const Pixels& pixels) {
  Encoded best{PictureFormat::png, encodePalettePng(pixels)};
  const bool opaque = pixels.channels == kRgb;
  if (best.bytes.empty() && (!opaque || hasRuns(pixels))) best.bytes = encodePng(pixels);
  if (opaque) keepSmaller(best, PictureFormat::jpeg, encodeJpeg(pixels, kJpegQuality));
  return best;
}

}  // namespace

bool preparePicture(std::vector<std::uint8_t>& bytes, PictureFormat& format, PictureStorage storage,
                    Message& problem) {
  const bool shown = playerShows(format);
  if (shown && storage == PictureStorage::asGiven) return checkWhole(bytes, format, problem);
  Pixels pixels;
  bool turned = false;
  if (readPicture(bytes, format, pixels, turned, problem) != PictureCheck::readable) return false;

  FittedSize fitted;
  fitToBox(pixels.width, pixels.height, kPlayerPictureBox, kPlayerPictureBox, fitted);
  const bool noLarger = pixels.width <= fitted.width && pixels.height <= fitted.height;
  const bool sameSize = pixels.width == fitted.width && pixels.height == fitted.height;
  // A picture the player enlarges has no detail that the box would lose: its own file shows the same
  // when it is smaller. Not a GIF (only JPEG and PNG are stored, so the first frame of an animation is
  // the one decoded here), not a format the player cannot show, and not a photo to be turned upright.
  const bool keepable = shown && format != PictureFormat::gif && !turned && noLarger;
  // One at the very size the box shows it (fitted before: a quiz made earlier, taken apart to be
  // edited again) keeps its bytes, as encoding it again would only lose detail.
  if (keepable && sameSize) return true;
  Encoded encoded = smallestEncoding(sameSize ? pixels : resample(pixels, fitted.width, fitted.height));
  if (encoded.bytes.empty()) {
    problem = message(Msg::pictureNotEncodable);
    return false;
  }
  if (keepable && bytes.size() <= encoded.bytes.size()) return true;
  bytes = std::move(encoded.bytes);
  format = encoded.format;
  return true;
}

}  // namespace fenok::pack
