#include "web/studio/handed_pictures.h"

#include <map>
#include <utility>

#include "authoring/pictures/picture_source.h"

namespace fenok::web {
namespace {

using pack::Message;
using pack::PictureCheck;
using pack::PictureFormat;
using pack::Pixels;

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

std::uint64_t fingerprint(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = kFnvOffset;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * kFnvPrime;
  return hash ^ bytes.size();
}

std::map<std::uint64_t, Pixels>& handed() {
  static std::map<std::uint64_t, Pixels> pictures;
  return pictures;
}

const Pixels* find(const std::vector<std::uint8_t>& bytes) {
  const auto found = handed().find(fingerprint(bytes));
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
  if (!found) return PictureCheck::noDecoder;
  pixels = *found;
  pack::dropOpaqueAlpha(pixels);
  return PictureCheck::readable;
}

}  // namespace

void handPicturePixels(const std::vector<std::uint8_t>& file, int width, int height, std::vector<std::uint8_t> rgba) {
  const std::size_t expected = static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0) * pack::kRgba;
  if (expected == 0 || rgba.size() != expected) return;  // what the page gave is no picture
  handed()[fingerprint(file)] = Pixels{width, height, pack::kRgba, std::move(rgba)};
}

void addHandedPicturesDecoder() {
  static const bool added = (pack::addPictureDecoder({"browser", reads, size, decode}), true);
  (void)added;
}

}  // namespace fenok::web
