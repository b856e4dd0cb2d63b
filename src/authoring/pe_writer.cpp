// The resource section is written last in the image. When the stub's resource section already is the
// last one it is replaced in place (its table row reused); otherwise a new section is appended in the
// header's free room and the data directory points at it, leaving the old one as unused bytes. Bytes
// the stub carries after its last section (a symbol table) move behind the new section; a signature
// cannot survive the change and is dropped.
#include "pe_writer.h"

#include <algorithm>

#include "little_endian.h"
#include "platform/portable/stored_bytes.h"
#include "resource_section.h"

namespace fenok::pack {
namespace {

constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceCharacteristics = 0x40000040;  // initialised data, readable
constexpr std::uint32_t kSecurityDirectoryIndex = 4;
constexpr std::uint32_t kSymbolTablePointerOffset = 8;  // in the file header
constexpr std::uint32_t kMaxAlignment = 0x10000;
constexpr std::uint64_t kMaxImageEnd = 0x80000000u;  // leaves room for the new section below 4 GB

std::uint32_t alignUp(std::uint64_t value, std::uint32_t alignment) {
  if (alignment == 0) return static_cast<std::uint32_t>(value);
  return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

bool fail(std::string& error, const std::string& reason) {
  error = reason;
  return false;
}

// Which table row the new section takes, and where it goes in memory and in the file.
struct Placement {
  std::size_t row = 0;
  bool appended = false;
  std::uint32_t rva = 0;
  std::uint32_t rawOffset = 0;
  std::uint32_t keptEnd = 0;  // stub bytes [0, keptEnd) are kept as they are
};

std::uint64_t rawEnd(const PeSection& section) { return std::uint64_t{section.rawOffset} + section.rawSize; }
std::uint64_t virtualEnd(const PeSection& section) {
  return std::uint64_t{section.virtualAddress} + std::max(section.virtualSize, section.rawSize);
}

bool isLastSection(const PeLayout& layout, std::size_t row) {
  const PeSection& candidate = layout.sections[row];
  for (const PeSection& other : layout.sections) {
    if (&other == &candidate) continue;
    if (virtualEnd(other) > candidate.virtualAddress || rawEnd(other) > candidate.rawOffset) return false;
  }
  return true;
}

bool validAlignment(std::uint32_t alignment) {
  return alignment != 0 && (alignment & (alignment - 1)) == 0 && alignment <= kMaxAlignment;
}

bool place(const PeLayout& layout, std::size_t stubSize, Placement& placement, std::string& error) {
  if (!validAlignment(layout.fileAlignment) || !validAlignment(layout.sectionAlignment))
    return fail(error, "the stub's section alignment is not valid");
  const std::uint64_t headersEnd =
      layout.sectionTableOffset + layout.sections.size() * std::uint64_t{kSectionHeaderSize};
  for (std::size_t row = 0; row < layout.sections.size(); ++row) {
    const PeSection& section = layout.sections[row];
    // Only a section of its own is replaced: one that also holds other data must stay.
    const bool holdsResources = layout.resourceRva != 0 && layout.resourceRva == section.virtualAddress &&
                                section.name == ".rsrc" && section.rawOffset >= headersEnd;
    if (holdsResources && isLastSection(layout, row)) {
      placement = {row, false, section.virtualAddress, section.rawOffset, section.rawOffset};
      return true;
    }
  }
  std::uint64_t endInMemory = std::max<std::uint32_t>(layout.sizeOfHeaders, 1);  // the headers are mapped first
  std::uint64_t endInFile = layout.sizeOfHeaders;
  std::uint32_t firstRaw = 0xFFFFFFFFu;
  for (const PeSection& section : layout.sections) {
    endInMemory = std::max(endInMemory, virtualEnd(section));
    endInFile = std::max(endInFile, rawEnd(section));
    if (section.rawSize != 0) firstRaw = std::min(firstRaw, section.rawOffset);
  }
  const std::uint64_t tableEnd =
      layout.sectionTableOffset + (layout.sections.size() + 1) * std::uint64_t{kSectionHeaderSize};
  if (tableEnd > layout.sizeOfHeaders || tableEnd > firstRaw)
    return fail(error, "the stub has no room for another section header");
  if (endInFile > stubSize) return fail(error, "the stub is truncated");
  if (endInMemory > kMaxImageEnd) return fail(error, "the stub's sections reach beyond what can be mapped");
  placement.row = layout.sections.size();
  placement.appended = true;
  placement.rva = alignUp(endInMemory, layout.sectionAlignment);
  placement.rawOffset = alignUp(endInFile, layout.fileAlignment);
  placement.keptEnd = static_cast<std::uint32_t>(endInFile);
  return true;
}

void writeSectionRow(std::vector<std::uint8_t>& image, const PeLayout& layout, const Placement& placement,
                     std::uint32_t virtualSize, std::uint32_t rawSize) {
  const std::uint32_t at = layout.sectionTableOffset + static_cast<std::uint32_t>(placement.row) * kSectionHeaderSize;
  if (placement.appended) {
    std::fill(image.begin() + at, image.begin() + at + kSectionHeaderSize, 0);
    const char name[] = ".rsrc";
    std::copy(name, name + 5, image.begin() + at);
    put32(image, at + 36, kResourceCharacteristics);
    put16(image, layout.peOffset + 6, static_cast<std::uint32_t>(layout.sections.size() + 1));
  }
  put32(image, at + 8, virtualSize);
  put32(image, at + 12, placement.rva);
  put32(image, at + 16, rawSize);
  put32(image, at + 20, placement.rawOffset);
}

std::uint32_t imageSize(const PeLayout& layout, const Placement& placement, std::uint32_t virtualSize) {
  std::uint64_t end = std::uint64_t{placement.rva} + virtualSize;
  for (std::size_t row = 0; row < layout.sections.size(); ++row)
    if (placement.appended || row != placement.row) end = std::max(end, virtualEnd(layout.sections[row]));
  return alignUp(end, layout.sectionAlignment);
}

// What follows the last section in the stub: kept behind the new section, less any signature.
std::vector<std::uint8_t> trailingBytes(const std::vector<std::uint8_t>& stub, const PeLayout& layout,
                                        std::uint32_t trailStart) {
  std::uint32_t end = static_cast<std::uint32_t>(stub.size());
  if (layout.dataDirectoryCount > kSecurityDirectoryIndex) {
    const std::uint32_t entry = layout.dataDirectoryOffset + 8 * kSecurityDirectoryIndex;
    std::uint32_t signatureAt = 0;
    StoredBytes(stub).u32(entry, signatureAt);
    if (signatureAt != 0 && signatureAt >= trailStart && signatureAt < end) end = signatureAt;
  }
  if (trailStart >= end) return {};
  return {stub.begin() + trailStart, stub.begin() + end};
}

// Where the bytes after the stub's last section were, and where they are now.
struct TrailMove {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
};

// The stub's bytes up to the new section, the section padded to the file alignment, then the trail.
TrailMove assemble(const std::vector<std::uint8_t>& stub, const PeLayout& layout, const Placement& placement,
                   const std::vector<std::uint8_t>& section, std::uint32_t rawSize, std::vector<std::uint8_t>& out) {
  TrailMove move;
  const std::uint64_t from = placement.appended ? placement.keptEnd : rawEnd(layout.sections[placement.row]);
  move.from = static_cast<std::uint32_t>(std::min<std::uint64_t>(from, stub.size()));
  const std::vector<std::uint8_t> trail = trailingBytes(stub, layout, move.from);
  out.assign(stub.begin(), stub.begin() + placement.keptEnd);
  out.resize(placement.rawOffset, 0);
  out.insert(out.end(), section.begin(), section.end());
  out.resize(std::size_t{placement.rawOffset} + rawSize, 0);
  move.to = static_cast<std::uint32_t>(out.size());
  out.insert(out.end(), trail.begin(), trail.end());
  return move;
}

void fixHeaders(std::vector<std::uint8_t>& out, const PeLayout& layout, const Placement& placement,
                std::uint32_t virtualSize, std::uint32_t rawSize, const TrailMove& move) {
  writeSectionRow(out, layout, placement, virtualSize, rawSize);
  const std::uint32_t resourceEntry = layout.dataDirectoryOffset + 8 * kPeResourceDirectoryIndex;
  put32(out, resourceEntry, placement.rva);
  put32(out, resourceEntry + 4, virtualSize);
  if (layout.dataDirectoryCount > kSecurityDirectoryIndex) {
    put32(out, layout.dataDirectoryOffset + 8 * kSecurityDirectoryIndex, 0);
    put32(out, layout.dataDirectoryOffset + 8 * kSecurityDirectoryIndex + 4, 0);
  }
  const std::uint32_t symbolsAt = layout.peOffset + 4 + kSymbolTablePointerOffset;
  std::uint32_t symbols = 0;
  StoredBytes(out).u32(symbolsAt, symbols);
  if (symbols != 0 && symbols >= move.from) put32(out, symbolsAt, symbols - move.from + move.to);
  put32(out, layout.optionalOffset + kPeSizeOfImageOffset, imageSize(layout, placement, virtualSize));
  put32(out, layout.optionalOffset + kPeChecksumOffset, 0);
  put32(out, layout.optionalOffset + kPeChecksumOffset, peChecksum(out, layout.optionalOffset + kPeChecksumOffset));
}

}  // namespace

std::uint32_t peChecksum(const std::vector<std::uint8_t>& image, std::uint32_t checksumOffset) {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < image.size(); i += 2) {
    if (i == checksumOffset || i == checksumOffset + 2) continue;
    std::uint32_t word = image[i];
    if (i + 1 < image.size()) word |= static_cast<std::uint32_t>(image[i + 1]) << 8;
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + image.size());
}

bool addResources(const std::vector<std::uint8_t>& stub, const std::vector<PeResourceEntry>& added,
                  std::vector<std::uint8_t>& out, std::string& error, ResourceFilter dropFromStub) {
  PeResources stubResources;
  if (!stubResources.load(stub, error)) return fail(error, "the stub is not a usable program: " + error);
  const PeLayout& layout = stubResources.layout();
  if (layout.dataDirectoryCount <= kPeResourceDirectoryIndex)
    return fail(error, "the stub has no entry for a resource directory");
  Placement placement;
  if (!place(layout, stub.size(), placement, error)) return false;

  std::vector<PeResourceEntry> kept = stubResources.entries();
  if (dropFromStub) kept.erase(std::remove_if(kept.begin(), kept.end(), dropFromStub), kept.end());
  const std::vector<std::uint8_t> section = buildResourceSection(mergeResources(kept, added), placement.rva);
  const std::uint32_t virtualSize = static_cast<std::uint32_t>(section.size());
  const std::uint32_t rawSize = alignUp(section.size(), layout.fileAlignment);
  const TrailMove move = assemble(stub, layout, placement, section, rawSize, out);
  fixHeaders(out, layout, placement, virtualSize, rawSize, move);
  return true;
}

}  // namespace fenok::pack
