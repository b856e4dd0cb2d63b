#include "picture_source.h"

#include "exif_orientation.h"
#include "heif_transforms.h"
#include "webp_chunks.h"

namespace fenok::pack {
namespace {

// Built once, on first use; front ends add theirs before reading pictures, so later reads from the
// fitting threads only look.
std::vector<PictureDecoder>& decoders() {
  static std::vector<PictureDecoder> all = builtInDecoders();
  return all;
}

const PictureDecoder* decoderFor(PictureFormat format) {
  for (const PictureDecoder& decoder : decoders())
    if (decoder.reads(format)) return &decoder;
  return nullptr;
}

// The turns that show the picture upright, each an Exif orientation, applied in turn.
std::vector<int> turnsOf(const std::vector<std::uint8_t>& bytes, PictureFormat format) {
  switch (format) {
    case PictureFormat::jpeg: return {exifOrientation(bytes)};
    case PictureFormat::webp: return {webpExifOrientation(bytes)};
    case PictureFormat::heic:
    case PictureFormat::avif: return heifTransforms(bytes);
    default: return {};
  }
}

}  // namespace

void addPictureDecoder(const PictureDecoder& decoder) { decoders().push_back(decoder); }

bool hasPictureDecoder(PictureFormat format) { return decoderFor(format) != nullptr; }

PictureCheck checkPicture(const std::vector<std::uint8_t>& bytes, PictureFormat format, Message& problem) {
  // A quiz shows one still picture, whichever decoder would give an animation's first frame.
  if (format == PictureFormat::webp && webpIsAnimated(bytes)) {
    problem = message(Msg::webpAnimated);
    return PictureCheck::unreadable;
  }
  const PictureDecoder* decoder = decoderFor(format);
  if (!decoder) {
    problem = noDecoderProblem(format);
    return PictureCheck::noDecoder;
  }
  int width = 0, height = 0;
  const PictureCheck check = decoder->size(bytes, format, width, height, problem);
  if (check == PictureCheck::noDecoder) problem = noDecoderProblem(format);
  if (check != PictureCheck::readable) return check;
  if (static_cast<long long>(width) * height > kMaxPicturePixels) {
    problem = message(Msg::pictureTooLarge, width, height, kMaxPicturePixels / 1'000'000);
    return PictureCheck::unreadable;
  }
  return PictureCheck::readable;
}

PictureCheck readPicture(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels, bool& turned,
                         Message& problem) {
  const PictureCheck check = checkPicture(bytes, format, problem);
  if (check != PictureCheck::readable) return check;
  const PictureCheck decoded = decoderFor(format)->decode(bytes, format, pixels, problem);
  if (decoded == PictureCheck::noDecoder) problem = noDecoderProblem(format);
  if (decoded != PictureCheck::readable) return decoded;
  turned = false;
  for (const int turn : turnsOf(bytes, format)) {
    if (turn == kUpright) continue;
    pixels = orientUpright(pixels, turn);
    turned = true;
  }
  return PictureCheck::readable;
}

}  // namespace fenok::pack
