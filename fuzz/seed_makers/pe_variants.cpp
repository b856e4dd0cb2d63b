// Makes the PE fuzzers' seeds from the test stubs: each stub as it is, cut short at each of its
// headers, and with one header field at a time set to a value the readers and the writer must refuse
// or survive. Usage: pe_variants OUT_FOLDER STUB...
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/portable/pe_resources.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kPeOffsetField = 0x3C;          // in the DOS header
constexpr std::uint32_t kSectionCountField = 2;         // in the file header
constexpr std::uint32_t kOptionalSizeField = 16;        // in the file header
constexpr std::uint32_t kFileHeaderStart = 4;           // after the "PE\0\0" signature
constexpr std::uint32_t kSectionAlignmentField = 32;    // in the optional header
constexpr std::uint32_t kFileAlignmentField = 36;       // in the optional header
constexpr std::uint32_t kVirtualSizeField = 8;          // in a section header
constexpr std::uint32_t kVirtualAddressField = 12;      // in a section header
constexpr std::uint32_t kRawSizeField = 16;             // in a section header
constexpr std::uint32_t kRawOffsetField = 20;           // in a section header
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint32_t kDataDirectoryEntrySize = 8;

// Values at and just past the limits a reader has to keep: zero, not a power of two, beyond the
// largest alignment, beyond a 32-bit image, and the format's own section limit.
constexpr std::uint32_t kOddValue = 3;
constexpr std::uint32_t kHugeAlignment = 0x20000;
constexpr std::uint32_t kNearTop = 0x7FFFF000;
constexpr std::uint32_t kAllOnes = 0xFFFFFFFF;
constexpr std::uint16_t kMostSections = 96;

struct Field {
  const char* name;
  std::uint32_t offset;
  int width;  // bytes: 2 or 4
  std::uint32_t value;
};

bool readFile(const std::string& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Little-endian, and only within the bytes: a field past the end is skipped by the caller.
bool setField(Bytes& bytes, const Field& field) {
  if (std::uint64_t{field.offset} + static_cast<std::uint64_t>(field.width) > bytes.size()) return false;
  for (int i = 0; i < field.width; ++i) bytes[field.offset + i] = static_cast<std::uint8_t>(field.value >> (8 * i));
  return true;
}

std::vector<Field> fieldsOf(const fenok::PeLayout& layout) {
  const std::uint32_t fileHeader = layout.peOffset + kFileHeaderStart;
  const std::uint32_t optional = layout.optionalOffset;
  const std::uint32_t lastSection =
      layout.sectionTableOffset + kSectionHeaderSize * static_cast<std::uint32_t>(layout.sections.size() - 1);
  const std::uint32_t resourceEntry = layout.dataDirectoryOffset + kDataDirectoryEntrySize * fenok::kPeResourceDirectoryIndex;
  return {
      {"pe-offset-huge", kPeOffsetField, 4, kAllOnes},
      {"sections-none", fileHeader + kSectionCountField, 2, 0},
      {"sections-most", fileHeader + kSectionCountField, 2, kMostSections},
      {"sections-too-many", fileHeader + kSectionCountField, 2, kMostSections + 1},
      {"optional-size-none", fileHeader + kOptionalSizeField, 2, 0},
      {"optional-size-huge", fileHeader + kOptionalSizeField, 2, 0xFFFF},
      {"section-alignment-none", optional + kSectionAlignmentField, 4, 0},
      {"section-alignment-odd", optional + kSectionAlignmentField, 4, kOddValue},
      {"section-alignment-huge", optional + kSectionAlignmentField, 4, kHugeAlignment},
      {"file-alignment-none", optional + kFileAlignmentField, 4, 0},
      {"file-alignment-odd", optional + kFileAlignmentField, 4, kOddValue},
      {"file-alignment-huge", optional + kFileAlignmentField, 4, kHugeAlignment},
      {"image-size-huge", optional + fenok::kPeSizeOfImageOffset, 4, kAllOnes},
      {"directories-huge", layout.dataDirectoryOffset - 4, 4, kAllOnes},
      {"resources-at-top", resourceEntry, 4, kAllOnes - kOddValue},
      {"resources-huge", resourceEntry + 4, 4, kAllOnes},
      {"last-section-near-top", lastSection + kVirtualAddressField, 4, kNearTop},
      {"last-section-at-top", lastSection + kVirtualAddressField, 4, kAllOnes - kOddValue},
      {"last-section-memory-huge", lastSection + kVirtualSizeField, 4, kAllOnes},
      {"last-section-raw-huge", lastSection + kRawSizeField, 4, kAllOnes},
      {"last-section-raw-outside", lastSection + kRawOffsetField, 4, kNearTop},
  };
}

// Cut short just inside each header, and at half the file.
std::vector<std::uint32_t> cutsOf(const fenok::PeLayout& layout, std::size_t size) {
  return {kPeOffsetField, layout.peOffset + kFileHeaderStart, layout.optionalOffset + kSectionAlignmentField,
          layout.sectionTableOffset, layout.sectionTableOffset + kSectionHeaderSize,
          static_cast<std::uint32_t>(size / 2), static_cast<std::uint32_t>(size - 1)};
}

bool makeVariants(const std::string& folder, const std::string& stubPath) {
  Bytes stub;
  if (!readFile(stubPath, stub)) {
    std::fprintf(stderr, "pe_variants: cannot read %s\n", stubPath.c_str());
    return false;
  }
  fenok::PeLayout layout;
  std::string error;
  if (!fenok::readPeLayout(stub, layout, error) || layout.sections.empty()) {
    std::fprintf(stderr, "pe_variants: %s is not a usable stub: %s\n", stubPath.c_str(), error.c_str());
    return false;
  }
  const std::size_t slash = stubPath.find_last_of('/');
  const std::string base = folder + "/" + stubPath.substr(slash == std::string::npos ? 0 : slash + 1);
  bool written = writeFile(base, stub);
  for (const Field& field : fieldsOf(layout)) {
    Bytes changed = stub;
    if (setField(changed, field)) written = writeFile(base + "." + field.name, changed) && written;
  }
  for (std::uint32_t cut : cutsOf(layout, stub.size())) {
    if (cut == 0 || cut >= stub.size()) continue;
    written = writeFile(base + ".cut-" + std::to_string(cut), Bytes(stub.begin(), stub.begin() + cut)) && written;
  }
  if (!written) std::fprintf(stderr, "pe_variants: cannot write into %s\n", folder.c_str());
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: pe_variants OUT_FOLDER STUB...\n");
    return 2;
  }
  bool made = true;
  for (int i = 2; i < argc; ++i) made = makeVariants(argv[1], argv[i]) && made;
  return made ? 0 : 1;
}
