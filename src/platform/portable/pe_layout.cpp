// The headers of a PE image: DOS stub, signature, file header, optional header (PE32 or PE32+),
// data directories and section table, each checked against the file before it is read.
#include <string>

#include "platform/portable/pe_resources.h"
#include "platform/portable/stored_bytes.h"

namespace fenok {
namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;    // "MZ"
constexpr std::uint32_t kPeSignature = 0x4550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kFileHeaderSize = 20;
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint32_t kMaxSections = 96;  // the format's own limit

bool fail(std::string& error, const char* reason) {
  error = reason;
  return false;
}

bool readSections(const StoredBytes& bytes, std::uint32_t count, PeLayout& layout, std::string& error) {
  if (count == 0 || count > kMaxSections) return fail(error, "bad number of sections");
  if (!bytes.holds(layout.sectionTableOffset, std::uint64_t{count} * kSectionHeaderSize))
    return fail(error, "section table is truncated");
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t at = layout.sectionTableOffset + i * kSectionHeaderSize;
    PeSection section;
    for (std::uint32_t c = 0; c < 8 && bytes.data()[at + c] != 0; ++c)
      section.name.push_back(static_cast<char>(bytes.data()[at + c]));
    bytes.u32(at + 8, section.virtualSize);
    bytes.u32(at + 12, section.virtualAddress);
    bytes.u32(at + 16, section.rawSize);
    bytes.u32(at + 20, section.rawOffset);
    bytes.u32(at + 36, section.characteristics);
    layout.sections.push_back(section);
  }
  return true;
}

}  // namespace

bool readPeLayout(const std::vector<std::uint8_t>& image, PeLayout& layout, std::string& error) {
  const StoredBytes bytes(image);
  layout = PeLayout{};
  std::uint16_t dosMagic = 0;
  if (!bytes.u16(0, dosMagic) || dosMagic != kDosMagic) return fail(error, "not a PE file (no MZ header)");
  std::uint32_t signature = 0;
  if (!bytes.u32(0x3C, layout.peOffset) || !bytes.u32(layout.peOffset, signature) || signature != kPeSignature)
    return fail(error, "not a PE file (no PE signature)");

  const std::uint64_t fileHeader = std::uint64_t{layout.peOffset} + 4;
  std::uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (!bytes.u16(fileHeader + 2, sectionCount) || !bytes.u16(fileHeader + 16, optionalSize))
    return fail(error, "file header is truncated");
  layout.optionalOffset = static_cast<std::uint32_t>(fileHeader + kFileHeaderSize);
  layout.sizeOfOptionalHeader = optionalSize;
  if (!bytes.holds(layout.optionalOffset, optionalSize)) return fail(error, "optional header is truncated");
  if (!bytes.u16(layout.optionalOffset, magic)) return fail(error, "optional header is truncated");
  if (magic != kPe32Magic && magic != kPe32PlusMagic) return fail(error, "unknown optional header kind");
  layout.pe32Plus = magic == kPe32PlusMagic;

  const std::uint32_t countOffset = layout.pe32Plus ? 108 : 92;
  layout.dataDirectoryOffset = countOffset + 4;
  if (optionalSize < layout.dataDirectoryOffset) return fail(error, "optional header is too short");
  const std::uint32_t o = layout.optionalOffset;
  bytes.u32(o + 32, layout.sectionAlignment);
  bytes.u32(o + 36, layout.fileAlignment);
  bytes.u32(o + kPeSizeOfImageOffset, layout.sizeOfImage);
  bytes.u32(o + 60, layout.sizeOfHeaders);
  bytes.u32(o + countOffset, layout.dataDirectoryCount);
  // The directories must fit inside the optional header the file declares.
  if (layout.dataDirectoryCount > (optionalSize - layout.dataDirectoryOffset) / 8)
    return fail(error, "data directories overflow the optional header");
  layout.dataDirectoryOffset += o;
  if (layout.dataDirectoryCount > kPeResourceDirectoryIndex) {
    const std::uint32_t entry = layout.dataDirectoryOffset + 8 * kPeResourceDirectoryIndex;
    bytes.u32(entry, layout.resourceRva);
    bytes.u32(entry + 4, layout.resourceSize);
  }
  layout.sectionTableOffset = o + optionalSize;
  return readSections(bytes, sectionCount, layout, error);
}

}  // namespace fenok
