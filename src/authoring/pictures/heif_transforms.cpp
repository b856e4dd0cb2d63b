// Format notes. A HEIF file is a sequence of boxes: a 4-byte big-endian size (1: a 64-bit size
// follows the type; 0: to the end of the file), a 4-byte type, the payload. "meta" is a full box
// (a version byte and 3 flag bytes before its children) holding:
//   "pitm": full box, the primary item's id (16 bits in version 0, else 32);
//   "iprp": children "ipco" (the properties, numbered from 1 in order) and "ipma" (full box: a 32-bit
//           entry count; per entry the item id, 16 bits in version 0 else 32, an 8-bit association
//           count, then associations of 8 bits, or 16 with flag 1, whose top bit marks an essential
//           property and whose other bits give the property's number).
// "irot": one byte, its low 2 bits the anticlockwise quarter turns. "imir": one byte, its low bit the
// direction: 0 flips the picture vertically (top and bottom exchanged), 1 horizontally (left and
// right), as libheif, the reference reader of these files, writes and reads it.
#include "heif_transforms.h"

#include <cstring>
#include <string>

#include "exif_orientation.h"
#include "platform/portable/stored_bytes.h"

namespace fenok::pack {
namespace {

constexpr std::size_t kBoxHeaderBytes = 8;
constexpr std::size_t kLargeSizeBytes = 8;
constexpr std::size_t kFullBoxBytes = 4;
constexpr std::uint8_t kLargeAssociations = 0x01;  // ipma flag: 16-bit associations
constexpr std::uint16_t kEssentialBit16 = 0x8000;
constexpr std::uint8_t kEssentialBit8 = 0x80;
constexpr std::uint8_t kAngleBits = 0x03;
constexpr std::uint8_t kAxisBit = 0x01;
// Exif orientations of a quarter turn anticlockwise, a half turn, three quarters; of each mirror.
constexpr int kTurns[] = {kUpright, 8, 3, 6};
constexpr int kMirrors[] = {4, 2};

struct Box {
  std::string type;
  std::size_t payload = 0;  // where the payload starts
  std::size_t end = 0;      // where the box ends
};

// Big-endian reads, bounded by the bytes.
class BoxReader {
 public:
  explicit BoxReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  bool u8(std::size_t at, std::uint8_t& out) const { return bytes_.u8(at, out); }
  bool u16(std::size_t at, std::uint16_t& out) const {
    std::uint8_t a = 0, b = 0;
    if (!u8(at, a) || !u8(at + 1, b)) return false;
    out = static_cast<std::uint16_t>(a << 8 | b);
    return true;
  }
  bool u32(std::size_t at, std::uint32_t& out) const {
    std::uint16_t a = 0, b = 0;
    if (!u16(at, a) || !u16(at + 2, b)) return false;
    out = std::uint32_t{a} << 16 | b;
    return true;
  }

  // The box at `at` within [at, limit); false when its header or size does not fit.
  bool box(std::size_t at, std::size_t limit, Box& out) const {
    std::uint32_t size = 0;
    if (!u32(at, size) || !bytes_.holds(at + 4, 4) || limit > bytes_.size()) return false;
    out.type.assign(reinterpret_cast<const char*>(bytes_.data()) + at + 4, 4);
    out.payload = at + kBoxHeaderBytes;
    std::uint64_t length = size;
    if (size == 1) {
      std::uint32_t high = 0, low = 0;
      if (!u32(out.payload, high) || !u32(out.payload + 4, low)) return false;
      length = std::uint64_t{high} << 32 | low;
      out.payload += kLargeSizeBytes;
    } else if (size == 0) {
      length = limit - at;
    }
    if (length < out.payload - at || length > limit - at) return false;
    out.end = at + static_cast<std::size_t>(length);
    return true;
  }

  // The first child of type `type` among the boxes in [from, to).
  bool child(std::size_t from, std::size_t to, const char* type, Box& out) const {
    for (std::size_t at = from; at < to && box(at, to, out); at = out.end)
      if (out.type == type) return true;
    return false;
  }

  // The payload of the n-th box (from 1) in [from, to).
  bool nth(std::size_t from, std::size_t to, std::uint32_t n, Box& out) const {
    std::size_t at = from;
    for (std::uint32_t i = 1; at < to && box(at, to, out); ++i, at = out.end)
      if (i == n) return true;
    return false;
  }

 private:
  StoredBytes bytes_;
};

bool primaryItem(const BoxReader& reader, const Box& meta, std::uint32_t& item) {
  Box pitm;
  std::uint8_t version = 0;
  if (!reader.child(meta.payload + kFullBoxBytes, meta.end, "pitm", pitm) || !reader.u8(pitm.payload, version))
    return false;
  if (version != 0) return reader.u32(pitm.payload + kFullBoxBytes, item);
  std::uint16_t small = 0;
  if (!reader.u16(pitm.payload + kFullBoxBytes, small)) return false;
  item = small;
  return true;
}

// The property numbers associated with the item, in the order listed.
std::vector<std::uint32_t> itemProperties(const BoxReader& reader, const Box& ipma, std::uint32_t item) {
  std::uint8_t version = 0, flags = 0;
  std::uint32_t entries = 0;
  if (!reader.u8(ipma.payload, version) || !reader.u8(ipma.payload + 3, flags) ||
      !reader.u32(ipma.payload + kFullBoxBytes, entries))
    return {};
  std::size_t at = ipma.payload + kFullBoxBytes + 4;
  const bool large = flags & kLargeAssociations;
  for (std::uint32_t e = 0; e < entries && at < ipma.end; ++e) {
    std::uint32_t id = 0;
    std::uint16_t small = 0;
    std::uint8_t count = 0;
    if (version == 0 ? !reader.u16(at, small) : !reader.u32(at, id)) return {};
    if (version == 0) id = small;
    at += version == 0 ? 2 : 4;
    if (!reader.u8(at++, count)) return {};
    std::vector<std::uint32_t> properties;
    for (std::uint8_t a = 0; a < count; ++a, at += large ? 2 : 1) {
      std::uint16_t wide = 0;
      std::uint8_t narrow = 0;
      if (large ? !reader.u16(at, wide) : !reader.u8(at, narrow)) return {};
      properties.push_back(large ? wide & ~kEssentialBit16 : narrow & ~kEssentialBit8);
    }
    if (id == item) return properties;
  }
  return {};
}

}  // namespace

std::vector<int> heifTransforms(const std::vector<std::uint8_t>& file) {
  const BoxReader reader(file);
  Box meta, iprp, ipco, ipma;
  std::uint32_t item = 0;
  if (!reader.child(0, file.size(), "meta", meta) || !primaryItem(reader, meta, item) ||
      !reader.child(meta.payload + kFullBoxBytes, meta.end, "iprp", iprp) ||
      !reader.child(iprp.payload, iprp.end, "ipco", ipco) || !reader.child(iprp.payload, iprp.end, "ipma", ipma))
    return {};
  std::vector<int> transforms;
  for (const std::uint32_t number : itemProperties(reader, ipma, item)) {
    Box property;
    std::uint8_t value = 0;
    if (number == 0 || !reader.nth(ipco.payload, ipco.end, number, property) || property.payload >= property.end ||
        !reader.u8(property.payload, value))
      continue;
    if (property.type == "irot" && (value & kAngleBits) != 0) transforms.push_back(kTurns[value & kAngleBits]);
    if (property.type == "imir") transforms.push_back(kMirrors[value & kAxisBit]);
  }
  return transforms;
}

}  // namespace fenok::pack
