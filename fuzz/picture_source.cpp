// Fuzzes the picture source over a picture file an author might have: its format told by its bytes,
// HEIF's boxes and WebP's chunks walked for the way up, the system's decoders (libheif, libwebp) and
// the image library given the rest. Every input is refused with a reason or read, never a crash.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "authoring/pictures/heif_transforms.h"
#include "authoring/pictures/picture_source.h"
#include "authoring/pictures/webp_chunks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const fenok::pack::PictureFormat format = fenok::pack::pictureFormat(bytes);
  fenok::pack::heifTransforms(bytes);
  fenok::pack::webpIsAnimated(bytes);
  fenok::pack::Pixels pixels;
  fenok::pack::Message problem;
  bool turned = false;
  if (format != fenok::pack::PictureFormat::none) fenok::pack::readPicture(bytes, format, pixels, turned, problem);
  return 0;
}
