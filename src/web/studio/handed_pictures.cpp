#include "web/studio/handed_pictures.h"

#include <map>
#include <utility>

#include "authoring/pictures/bytes_fingerprint.h"
#include "authoring/pictures/picture_source.h"

namespace fenok::web {
namespace {

using pack::Message;
using pack::PictureCheck;
using pack::PictureFormat;
using pack::Pixels;

// A file is known by its size and fingerprint.
using FileKey = std::pair<std::size_t, std::uint64_t>;

FileKey keyOf(const std::vector<std::uint8_t>& bytes) { return {bytes.size(), pack::bytesFingerprint(bytes)}; }

std::map<FileKey, Pixels>& handed() {
  static std::map<FileKey, Pixels> pictures;
  return pictures;
}

const Pixels* find(const std::vector<std::uint8_t>& bytes) {
  const auto found = handed().find(keyOf(bytes));
  return found == handed().end() ? nullptr : &found->second;
}

bool reads(PictureFormat format) { return !pack::playerShows(format) && format != PictureFormat::none; }

PictureCheck size(const std::vector<std::uint8_t>& bytes, PictureFormat, int& width, int& height, Message&) {
  const Pixels* pixels = find(bytes);
  if (!pixels) return PictureCheck::noDecoder;
  width = pixels->width;
  height = pixels->height;
  return PictureCheck::readable;
}

PictureCheck decode(const std::vector<std::uint8_t>& bytes, PictureFormat, Pixels& pixels, Message&) {
  const Pixels* found = find(bytes);
  if (!found || found->data.empty()) return PictureCheck::noDecoder;
  pixels = *found;
  pack::dropOpaqueAlpha(pixels);
  return PictureCheck::readable;
}

}  // namespace

bool handPictureSize(const std::vector<std::uint8_t>& file, int width, int height) {
  if (width > 0 && height > 0 && static_cast<long long>(width) * height <= pack::kMaxPicturePixels) return true;
  handed()[keyOf(file)] = Pixels{width, height, pack::kRgba, {}};
  return false;
}

void handPicturePixels(const std::vector<std::uint8_t>& file, int width, int height, std::vector<std::uint8_t> rgba) {
  const std::size_t expected = static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0) * pack::kRgba;
  if (expected == 0 || rgba.size() != expected) return;  // what the page gave is no picture
  handed()[keyOf(file)] = Pixels{width, height, pack::kRgba, std::move(rgba)};
}

void addHandedPicturesDecoder() {
  static const bool added = (pack::addPictureDecoder({"browser", reads, size, decode}), true);
  (void)added;
}

}  // namespace fenok::web
