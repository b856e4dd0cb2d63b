// HEIC and AVIF through libheif. Its own transformations are turned off: the picture source turns
// every picture itself, from the same boxes, as on systems without libheif.
#include <libheif/heif.h>

#include <cstring>
#include <memory>

#include "system_decoders.h"

namespace fenok::pack {
namespace {

struct ContextFree {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleFree {
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageFree {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleFree>;

bool reads(PictureFormat format) { return format == PictureFormat::heic || format == PictureFormat::avif; }

PictureCheck refused(const heif_error& error, PictureFormat format, Message& problem) {
  // A codec libheif was built without (an AVIF without dav1d or aom) is this computer's lack.
  if (error.code == heif_error_Unsupported_feature && error.subcode == heif_suberror_Unsupported_codec)
    return PictureCheck::noDecoder;
  problem = message(Msg::pictureDamaged, formatName(format), error.message ? error.message : "libheif");
  return PictureCheck::unreadable;
}

// The primary picture's handle; the context must outlive it.
PictureCheck open(const std::vector<std::uint8_t>& bytes, PictureFormat format, Context& context, Handle& handle,
                  Message& problem) {
  context.reset(heif_context_alloc());
  if (!context) return refused({heif_error_Memory_allocation_error, heif_suberror_Unspecified, "out of memory"},
                               format, problem);
  heif_error error = heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr);
  if (error.code != heif_error_Ok) return refused(error, format, problem);
  heif_image_handle* primary = nullptr;
  error = heif_context_get_primary_image_handle(context.get(), &primary);
  if (error.code != heif_error_Ok) return refused(error, format, problem);
  handle.reset(primary);
  return PictureCheck::readable;
}

PictureCheck size(const std::vector<std::uint8_t>& bytes, PictureFormat format, int& width, int& height,
                  Message& problem) {
  Context context;
  Handle handle;
  const PictureCheck check = open(bytes, format, context, handle, problem);
  if (check != PictureCheck::readable) return check;
  width = heif_image_handle_get_width(handle.get());
  height = heif_image_handle_get_height(handle.get());
  return PictureCheck::readable;
}

PictureCheck decode(const std::vector<std::uint8_t>& bytes, PictureFormat format, Pixels& pixels, Message& problem) {
  Context context;
  Handle handle;
  const PictureCheck check = open(bytes, format, context, handle, problem);
  if (check != PictureCheck::readable) return check;
  const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
  std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (options) options->ignore_transformations = 1;
  heif_image* decoded = nullptr;
  // 8 bits a channel whatever the file's depth: libheif scales 10- and 12-bit pictures down.
  const heif_error error = heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                                             alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                             options.get());
  if (error.code != heif_error_Ok) return refused(error, format, problem);
  const std::unique_ptr<heif_image, ImageFree> image(decoded);
  int stride = 0;
  const std::uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  pixels.width = heif_image_get_width(image.get(), heif_channel_interleaved);
  pixels.height = heif_image_get_height(image.get(), heif_channel_interleaved);
  pixels.channels = alpha ? kRgba : kRgb;
  const std::size_t row = static_cast<std::size_t>(pixels.width) * pixels.channels;
  if (!plane || pixels.width <= 0 || pixels.height <= 0 || static_cast<std::size_t>(stride) < row)
    return refused({heif_error_Decoder_plugin_error, heif_suberror_Unspecified, "no pixels"}, format, problem);
  pixels.data.resize(row * pixels.height);
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(&pixels.data[y * row], plane + static_cast<std::size_t>(y) * stride, row);
  dropOpaqueAlpha(pixels);
  return PictureCheck::readable;
}

}  // namespace

const PictureDecoder kHeifDecoder{"libheif", reads, size, decode};

}  // namespace fenok::pack
