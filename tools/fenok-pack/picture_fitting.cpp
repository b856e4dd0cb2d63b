#include "picture_fitting.h"

#include "exif_orientation.h"
#include "palette_png.h"
#include "picture_pixels.h"
#include "picture_structure.h"
#include "pictures/picture_fit.h"

namespace fenok::pack {
namespace {

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

bool decodesCompletely(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels,
                       std::string& problem) {
  int width = 0, height = 0;
  std::string reason;
  if (pictureDimensions(bytes, width, height) && static_cast<long long>(width) * height > kMaxPicturePixels) {
    problem = "is too large (" + std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " +
              std::to_string(kMaxPicturePixels / 1'000'000) + " million)";
    return false;
  }
  if (!ends(bytes, format)) {
    problem = "is cut short: its picture data is missing or ends early";
    return false;
  }
  if (!decodePixels(bytes, pixels, reason)) {
    problem = "cannot be decoded (" + reason + ")";
    return false;
  }
  return true;
}

void keepSmaller(Encoded& best, PictureFormat format, std::vector<std::uint8_t> bytes) {
  if (!bytes.empty() && (best.bytes.empty() || bytes.size() < best.bytes.size())) best = {format, std::move(bytes)};
}

// PNG keeps every pixel and transparency, in a palette when there are few colours (drawings); JPEG
// wins on photos, where it is many times smaller.
Encoded smallestEncoding(const Pixels& pixels) {
  Encoded best{PictureFormat::png, encodePalettePng(pixels)};
  if (best.bytes.empty()) best.bytes = encodePng(pixels);
  if (pixels.channels == kRgb) keepSmaller(best, PictureFormat::jpeg, encodeJpeg(pixels, kJpegQuality));
  return best;
}

}  // namespace

bool preparePicture(std::vector<std::uint8_t>& bytes, PictureFormat& format, PictureStorage storage,
                    std::string& problem) {
  Pixels pixels;
  if (!decodesCompletely(bytes, format, pixels, problem)) return false;
  if (storage == PictureStorage::asGiven) return true;

  const int orientation = format == PictureFormat::jpeg ? exifOrientation(bytes) : kUpright;
  if (orientation != kUpright) pixels = orientUpright(pixels, orientation);
  FittedSize fitted;
  fitToBox(pixels.width, pixels.height, kPlayerPictureBox, kPlayerPictureBox, fitted);
  const bool noLarger = pixels.width <= fitted.width && pixels.height <= fitted.height;
  const bool sameSize = pixels.width == fitted.width && pixels.height == fitted.height;
  Encoded encoded = smallestEncoding(sameSize ? pixels : resample(pixels, fitted.width, fitted.height));
  if (encoded.bytes.empty()) {
    problem = "cannot be stored: the picture could not be encoded";
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
