// Fuzzes the picture source's own readers of a picture file: its format told by its bytes, HEIF's
// boxes walked for the way up, WebP's chunks for its Exif and animation, and the image library's path
// for the player's formats. The system's decoders (libheif's codecs, libwebp) are left to their own
// fuzzing: a fault found in them here would fail this run without being ours to mend.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "authoring/pictures/exif_orientation.h"
#include "authoring/pictures/heif_transforms.h"
#include "authoring/pictures/picture_source.h"
#include "authoring/pictures/webp_chunks.h"

namespace {
constexpr long long kLargestFuzzed = 1 << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const fenok::pack::PictureFormat format = fenok::pack::pictureFormat(bytes);
  fenok::pack::heifTransforms(bytes);
  fenok::pack::webpIsAnimated(bytes);
  fenok::pack::webpExifOrientation(bytes);
  if (!fenok::pack::playerShows(format)) return 0;
  // Pictures up to the packer's bound of 100 million pixels decode, slowly: the fuzzer keeps to small
  // ones, whose header and data it reaches as well.
  int width = 0, height = 0;
  if (fenok::pack::pictureDimensions(bytes, width, height) && static_cast<long long>(width) * height > kLargestFuzzed)
    return 0;
  fenok::pack::Pixels pixels;
  fenok::pack::Message problem;
  bool turned = false;
  fenok::pack::readPicture(bytes, format, pixels, turned, problem);
  return 0;
}
