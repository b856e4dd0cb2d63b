// Format notes. "RIFF", the file's size less 8 (32-bit little-endian), "WEBP", then chunks: a fourcc,
// a 32-bit little-endian payload size, the payload, and a pad byte when the size is odd. A still
// picture is one "VP8 " or "VP8L" chunk; the extended form starts with "VP8X", whose first payload
// byte holds flags (0x02: an animation, in "ANMF" frames) and may carry an "EXIF" chunk: a TIFF
// structure, which some writers start with JPEG's "Exif\0\0".
#include "webp_chunks.h"

#include <cstring>

#include "platform/portable/stored_bytes.h"

namespace fenok::pack {
namespace {

constexpr std::size_t kFirstChunk = 12;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::uint8_t kAnimationFlag = 0x02;

}  // namespace

bool webpChunk(const std::vector<std::uint8_t>& webp, const char* fourcc, std::size_t& payload, std::size_t& length) {
  const StoredBytes bytes(webp);
  std::size_t at = kFirstChunk;
  std::uint32_t size = 0;
  while (bytes.holds(at, kChunkHeaderBytes) && bytes.u32(at + 4, size)) {
    const std::size_t start = at + kChunkHeaderBytes;
    if (!bytes.holds(start, size)) return false;
    if (std::memcmp(webp.data() + at, fourcc, 4) == 0) {
      payload = start;
      length = size;
      return true;
    }
    at = start + size + (size & 1);
  }
  return false;
}

bool webpIsAnimated(const std::vector<std::uint8_t>& webp) {
  std::size_t payload = 0, length = 0;
  return webpChunk(webp, "VP8X", payload, length) && length > 0 && (webp[payload] & kAnimationFlag) != 0;
}

}  // namespace fenok::pack
