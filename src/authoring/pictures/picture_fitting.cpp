#include "picture_fitting.h"

#include <algorithm>

#include "exif_orientation.h"
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

// The image library pads a cut-off JPEG or GIF without a word; the PNG has passed the player's own
// reader, which refuses one.
bool ends(const std::vector<std::uint8_t>& bytes, PictureFormat format) {
  if (format == PictureFormat::jpeg) return jpegIsComplete(bytes);
  if (format == PictureFormat::gif) return gifIsComplete(bytes);
  return true;
}

// Cut-off files are told by their structure, oversized ones by their header; a picture stored as
// given is not decoded further (the player decodes it), one to be fitted is decoded here.
bool checkWhole(const std::vector<std::uint8_t>& bytes, PictureFormat format, Message& problem) {
  int width = 0, height = 0;
  if (pictureDimensions(bytes, width, height) && static_cast<long long>(width) * height > kMaxPicturePixels) {
    problem = message(Msg::pictureTooLarge, width, height, kMaxPicturePixels / 1'000'000);
    return false;
  }
  if (!ends(bytes, format)) {
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
  if (!checkWhole(bytes, format, problem)) return false;
  if (storage == PictureStorage::asGiven) return true;
  Pixels pixels;
  std::string reason;
  if (!decodePixels(bytes, pixels, reason)) {
    problem = message(Msg::pictureNotDecodable, reason);
    return false;
  }

  const int orientation = format == PictureFormat::jpeg ? exifOrientation(bytes) : kUpright;
  if (orientation != kUpright) pixels = orientUpright(pixels, orientation);
  FittedSize fitted;
  fitToBox(pixels.width, pixels.height, kPlayerPictureBox, kPlayerPictureBox, fitted);
  const bool noLarger = pixels.width <= fitted.width && pixels.height <= fitted.height;
  const bool sameSize = pixels.width == fitted.width && pixels.height == fitted.height;
  Encoded encoded = smallestEncoding(sameSize ? pixels : resample(pixels, fitted.width, fitted.height));
  if (encoded.bytes.empty()) {
    problem = message(Msg::pictureNotEncodable);
    return false;
  }
  // A picture the player enlarges has no detail that the box would lose: its own file shows the same
  // when it is smaller. Not a GIF (only JPEG and PNG are stored, so the first frame of an animation is
  // the one decoded here) and not a photo to be turned upright.
  const bool keepable = format != PictureFormat::gif && orientation == kUpright && noLarger;
  if (keepable && bytes.size() <= encoded.bytes.size()) return true;
  bytes = std::move(encoded.bytes);
  format = encoded.format;
  return true;
}

}  // namespace fenok::pack
