#pragma once
// Pictures of the formats the player cannot show, made here with the system's own encoders: a WebP
// around libwebp's lossless bitstream (with an Exif orientation or as an animation), HEIC and AVIF by
// libheif's encoders, turned by the rotation and mirror boxes libheif writes for an orientation.
#include <cstring>
#include <string>

#include "picture_support.h"

#if defined(FENOK_HAVE_LIBWEBP)
#include <webp/encode.h>
#endif
#if defined(FENOK_HAVE_LIBHEIF)
#include <libheif/heif.h>
#endif

namespace fenok::testing {

inline void appendLe(Bytes& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline Bytes riffChunk(const char* fourcc, const Bytes& payload) {
  Bytes chunk(fourcc, fourcc + 4);
  appendLe(chunk, static_cast<std::uint32_t>(payload.size()), 4);
  chunk.insert(chunk.end(), payload.begin(), payload.end());
  if (payload.size() % 2) chunk.push_back(0);
  return chunk;
}

inline Bytes riffFile(const Bytes& chunks) {
  Bytes file{'R', 'I', 'F', 'F'};
  appendLe(file, static_cast<std::uint32_t>(chunks.size() + 4), 4);
  file.insert(file.end(), {'W', 'E', 'B', 'P'});
  file.insert(file.end(), chunks.begin(), chunks.end());
  return file;
}

#if defined(FENOK_HAVE_LIBWEBP)
enum class WebpKind { plain, withExif, animated };

// An RGB picture as a lossless WebP: plain, in the extended form with an Exif orientation, or as a
// one-frame animation.
inline Bytes webpOf(const pack::Pixels& rgb, WebpKind kind = WebpKind::plain, int orientation = 1) {
  std::uint8_t* encoded = nullptr;
  const std::size_t size = WebPEncodeLosslessRGB(rgb.data.data(), rgb.width, rgb.height, rgb.width * 3, &encoded);
  const Bytes simple(encoded, encoded + size);
  WebPFree(encoded);
  if (kind == WebpKind::plain) return simple;
  const Bytes bitstream(simple.begin() + 12, simple.end());  // the VP8L chunk, whole
  Bytes header;  // VP8X: flags, 3 reserved bytes, the canvas's width and height less one
  header.push_back(kind == WebpKind::animated ? 0x02 : 0x08);
  appendLe(header, 0, 3);
  appendLe(header, rgb.width - 1, 3);
  appendLe(header, rgb.height - 1, 3);
  Bytes chunks = riffChunk("VP8X", header);
  if (kind == WebpKind::withExif) {
    chunks.insert(chunks.end(), bitstream.begin(), bitstream.end());
    const Bytes exif = riffChunk("EXIF", exifTiff(orientation, false));
    chunks.insert(chunks.end(), exif.begin(), exif.end());
  } else {
    const Bytes anim = riffChunk("ANIM", Bytes(6, 0));
    Bytes frame;  // ANMF: x, y, width less one, height less one, duration, flags; then the bitstream
    appendLe(frame, 0, 6);
    appendLe(frame, rgb.width - 1, 3);
    appendLe(frame, rgb.height - 1, 3);
    appendLe(frame, 100, 3);
    frame.push_back(0);
    frame.insert(frame.end(), bitstream.begin(), bitstream.end());
    const Bytes anmf = riffChunk("ANMF", frame);
    chunks.insert(chunks.end(), anim.begin(), anim.end());
    chunks.insert(chunks.end(), anmf.begin(), anmf.end());
  }
  return riffFile(chunks);
}
#endif

#if defined(FENOK_HAVE_LIBHEIF)
// An RGB picture encoded by libheif (HEVC for HEIC, AV1 for AVIF) at the given bit depth, written to
// be seen as the Exif orientation says. Empty when libheif has no encoder for it here.
inline Bytes heifOf(const pack::Pixels& rgb, heif_compression_format compression, int orientation = 1,
                    int bitDepth = 8) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  Bytes file;
  if (heif_context_get_encoder_for_format(context, compression, &encoder).code != heif_error_Ok) {
    heif_context_free(context);
    return file;
  }
  heif_encoder_set_lossy_quality(encoder, 95);
  const bool deep = bitDepth > 8;
  heif_image* image = nullptr;
  heif_image_create(rgb.width, rgb.height, heif_colorspace_RGB,
                    deep ? heif_chroma_interleaved_RRGGBB_LE : heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, rgb.width, rgb.height, bitDepth);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < rgb.height; ++y)
    for (int x = 0; x < rgb.width * 3; ++x) {
      const std::uint8_t value = rgb.data[static_cast<std::size_t>(y) * rgb.width * 3 + x];
      if (!deep) {
        plane[y * stride + x] = value;
        continue;
      }
      const unsigned wide = static_cast<unsigned>(value) << (bitDepth - 8);
      plane[y * stride + 2 * x] = static_cast<std::uint8_t>(wide);
      plane[y * stride + 2 * x + 1] = static_cast<std::uint8_t>(wide >> 8);
    }
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = static_cast<heif_orientation>(orientation);
  const bool encoded = heif_context_encode_image(context, image, encoder, options, nullptr).code == heif_error_Ok;
  heif_encoding_options_free(options);
  heif_encoder_release(encoder);
  heif_image_release(image);
  heif_writer writer{};
  writer.writer_api_version = 1;
  writer.write = [](heif_context*, const void* data, std::size_t size, void* out) {
    auto* bytes = static_cast<Bytes*>(out);
    bytes->insert(bytes->end(), static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
  };
  if (encoded) heif_context_write(context, &writer, &file);
  heif_context_free(context);
  return file;
}
#endif

}  // namespace fenok::testing
