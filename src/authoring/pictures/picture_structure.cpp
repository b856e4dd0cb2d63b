// Format notes.
// JPEG: SOI (FF D8), then markers FF xx. Standalone markers (TEM 01, RST0-7 D0-D7) have no length;
// the others carry a 2-byte big-endian length that counts itself. After SOS (DA) and its header comes
// entropy-coded data, in which FF 00 is a stuffed byte, FF D0-D7 a restart and FF FF fill; any other
// FF xx is the next marker. A progressive file has several scans; EOI (D9) ends the picture. Stray
// bytes between segments are skipped, as decoders do.
// GIF: a 6-byte signature, a 7-byte screen descriptor and its colour table, then blocks: 2C an image
// (9 bytes, its colour table, the LZW code size, data sub-blocks), 21 an extension (its label, then
// sub-blocks), 3B the trailer. A sub-block is a length byte and that many bytes; length 0 ends a run.
#include "picture_structure.h"

#include "platform/portable/stored_bytes.h"

namespace fenok::pack {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kTemporary = 0x01;
constexpr std::uint8_t kFirstRestart = 0xD0;
constexpr std::uint8_t kLastRestart = 0xD7;
constexpr std::uint8_t kStuffedZero = 0x00;
constexpr std::uint8_t kDefineHuffman = 0xC4;
constexpr std::uint8_t kFirstFrame = 0xC0;  // SOF0 to SOF15, but for C4 (DHT), C8 (JPG) and CC (DAC)
constexpr std::uint8_t kLastFrame = 0xCF;
constexpr std::uint8_t kReservedJpg = 0xC8;
constexpr std::uint8_t kArithmeticTables = 0xCC;
constexpr std::size_t kFrameHeightAt = 1;  // after the sample precision
constexpr std::size_t kFrameWidthAt = 3;
constexpr std::size_t kHuffmanLengths = 16;  // how many codes of each length, 1 to 16 bits
constexpr std::size_t kMostHuffmanCodes = 256;
constexpr std::size_t kSegmentLengthBytes = 2;

constexpr std::size_t kGifSignatureBytes = 6;
constexpr std::size_t kGifScreenBytes = 7;
constexpr std::size_t kGifImageBytes = 9;
constexpr std::size_t kGifFlagsInScreen = 4;   // offset of the flags in the screen descriptor
constexpr std::size_t kGifFlagsInImage = 8;    // offset of the flags in the image descriptor
constexpr std::uint8_t kGifHasColourTable = 0x80;
constexpr std::uint8_t kGifTableSizeBits = 0x07;
constexpr std::uint8_t kGifImage = 0x2C;
constexpr std::uint8_t kGifExtension = 0x21;
constexpr std::uint8_t kGifTrailer = 0x3B;

bool standalone(std::uint8_t marker) {
  return marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart);
}

// The position of the marker that ends the entropy-coded data starting at `at`, or the size.
std::size_t endOfScanData(const StoredBytes& bytes, std::size_t at) {
  std::uint8_t value = 0, next = 0;
  for (; bytes.u8(at, value); ++at) {
    if (value != kMarkerPrefix || !bytes.u8(at + 1, next)) continue;
    if (next != kStuffedZero && next != kMarkerPrefix && !(next >= kFirstRestart && next <= kLastRestart)) return at;
  }
  return bytes.size();
}

// Past a run of GIF data sub-blocks starting at `at`; false when the run is cut off.
bool skipSubBlocks(const StoredBytes& bytes, std::size_t& at) {
  std::uint8_t length = 0;
  while (bytes.u8(at, length)) {
    at += 1 + static_cast<std::size_t>(length);
    if (length == 0) return true;
  }
  return false;
}

// Past a colour table announced by `flags`, if there is one.
bool skipColourTable(const StoredBytes& bytes, std::uint8_t flags, std::size_t& at) {
  if (!(flags & kGifHasColourTable)) return true;
  const std::size_t size = 3u << ((flags & kGifTableSizeBits) + 1);
  if (!bytes.holds(at, size)) return false;
  at += size;
  return true;
}

}  // namespace

bool walkJpeg(const std::vector<std::uint8_t>& data, const std::function<void(const JpegSegment&)>& visit) {
  const StoredBytes bytes(data);
  std::uint8_t value = 0, marker = 0;
  if (!bytes.u8(0, value) || value != kMarkerPrefix || !bytes.u8(1, marker) || marker != kStartOfImage) return false;
  std::size_t at = 2;
  while (bytes.u8(at, value)) {
    if (value != kMarkerPrefix || !bytes.u8(at + 1, marker) || marker == kMarkerPrefix) {
      ++at;  // a stray byte, or fill before a marker
      continue;
    }
    at += 2;
    if (marker == kEndOfImage) return true;
    if (standalone(marker)) continue;
    std::uint8_t high = 0, low = 0;
    if (!bytes.u8(at, high) || !bytes.u8(at + 1, low)) return false;
    const std::size_t length = static_cast<std::size_t>(high) << 8 | low;
    if (length < kSegmentLengthBytes || !bytes.holds(at, length)) return false;
    visit(JpegSegment{marker, at + kSegmentLengthBytes, length - kSegmentLengthBytes});
    at += length;
    if (marker == kStartOfScan) at = endOfScanData(bytes, at);
  }
  return false;
}

bool jpegIsComplete(const std::vector<std::uint8_t>& bytes) {
  bool scanned = false;  // a file of headers alone decodes to a blank picture
  const bool ended = walkJpeg(bytes, [&](const JpegSegment& segment) { scanned |= segment.marker == kStartOfScan; });
  return ended && scanned;
}

bool jpegDimensions(const std::vector<std::uint8_t>& data, int& width, int& height) {
  const StoredBytes bytes(data);
  bool found = false;
  walkJpeg(data, [&](const JpegSegment& segment) {
    const std::uint8_t marker = segment.marker;
    const bool frame = marker >= kFirstFrame && marker <= kLastFrame && marker != kDefineHuffman &&
                       marker != kReservedJpg && marker != kArithmeticTables;
    std::uint8_t h1 = 0, h0 = 0, w1 = 0, w0 = 0;
    if (found || !frame || segment.length < kFrameWidthAt + 2 || !bytes.u8(segment.payload + kFrameHeightAt, h1) ||
        !bytes.u8(segment.payload + kFrameHeightAt + 1, h0) || !bytes.u8(segment.payload + kFrameWidthAt, w1) ||
        !bytes.u8(segment.payload + kFrameWidthAt + 1, w0))
      return;
    height = h1 << 8 | h0;
    width = w1 << 8 | w0;
    found = true;
  });
  return found;
}

bool jpegTablesSound(const std::vector<std::uint8_t>& data) {
  const StoredBytes bytes(data);
  bool sound = true;
  walkJpeg(data, [&](const JpegSegment& segment) {
    if (segment.marker != kDefineHuffman) return;
    // One or more tables: a class and number byte, the 16 counts, then as many values.
    for (std::size_t at = segment.payload, end = segment.payload + segment.length; sound && at < end;) {
      std::size_t codes = 0;
      std::uint8_t count = 0;
      for (std::size_t i = 0; i < kHuffmanLengths; ++i) {
        sound = sound && bytes.u8(at + 1 + i, count);
        codes += count;
      }
      at += 1 + kHuffmanLengths + codes;
      sound = sound && codes <= kMostHuffmanCodes && at <= end;
    }
  });
  return sound;
}

bool gifIsComplete(const std::vector<std::uint8_t>& data) {
  const StoredBytes bytes(data);
  std::uint8_t flags = 0;
  if (!bytes.holds(0, kGifSignatureBytes + kGifScreenBytes) || !bytes.u8(kGifSignatureBytes + kGifFlagsInScreen, flags))
    return false;
  std::size_t at = kGifSignatureBytes + kGifScreenBytes;
  if (!skipColourTable(bytes, flags, at)) return false;
  std::uint8_t block = 0;
  while (bytes.u8(at, block)) {
    ++at;
    if (block == kGifTrailer) return true;
    if (block == kGifExtension) {
      ++at;  // the label
    } else if (block == kGifImage) {
      if (!bytes.u8(at + kGifFlagsInImage, flags)) return false;
      at += kGifImageBytes;
      if (!skipColourTable(bytes, flags, at)) return false;
      ++at;  // the LZW code size
    } else {
      return false;
    }
    if (!skipSubBlocks(bytes, at)) return false;
  }
  return false;
}

bool pictureIsWhole(const std::vector<std::uint8_t>& bytes, PictureFormat format) {
  if (format == PictureFormat::jpeg) return jpegIsComplete(bytes);
  if (format == PictureFormat::gif) return gifIsComplete(bytes);
  return true;
}

}  // namespace fenok::pack
