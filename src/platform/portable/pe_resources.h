#pragma once
// Resources straight from a PE file on disk (PE32 and PE32+): the resource directory is read with every
// offset checked against the file, so a truncated or hostile file is refused, never over-read.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports/resources.h"

namespace fenok {

struct PeResourceEntry {
  std::string typeName;    // empty for a numbered type
  int typeNumber = 0;      // when typeName is empty
  std::string idName;      // empty for a numbered id
  int id = 0;              // when idName is empty
  int language = 0;
  std::uint32_t codePage = 0;
  std::vector<std::uint8_t> bytes;
};

// One row of the section table, as stored.
struct PeSection {
  std::string name;
  std::uint32_t virtualSize = 0;
  std::uint32_t virtualAddress = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawOffset = 0;
  std::uint32_t characteristics = 0;
};

// Where the headers of a PE image sit in its file, and what they say; enough to rewrite the image.
struct PeLayout {
  bool pe32Plus = false;
  std::uint32_t peOffset = 0;             // of the "PE\0\0" signature
  std::uint32_t optionalOffset = 0;       // of the optional header
  std::uint32_t sizeOfOptionalHeader = 0;
  std::uint32_t sectionTableOffset = 0;
  std::uint32_t sectionAlignment = 0;
  std::uint32_t fileAlignment = 0;
  std::uint32_t sizeOfHeaders = 0;
  std::uint32_t sizeOfImage = 0;
  std::uint32_t dataDirectoryCount = 0;
  std::uint32_t dataDirectoryOffset = 0;  // of entry 0
  std::uint32_t resourceRva = 0;          // data directory entry 2; 0 when absent
  std::uint32_t resourceSize = 0;
  std::vector<PeSection> sections;
};

// Offsets within the optional header that do not depend on PE32 / PE32+.
constexpr std::uint32_t kPeChecksumOffset = 64;
constexpr std::uint32_t kPeSizeOfImageOffset = 56;
constexpr std::uint32_t kPeResourceDirectoryIndex = 2;

// False, with a reason in error, when the bytes are not a PE image with sane headers.
bool readPeLayout(const std::vector<std::uint8_t>& image, PeLayout& layout, std::string& error);

class PeResources : public Resources {
 public:
  // False, with a reason in error, when the bytes are not a PE image or its resource directory is broken.
  bool load(std::vector<std::uint8_t> image, std::string& error);
  bool loadFile(const std::string& path, std::string& error);

  // First language of (type, numbered id). Named types compare case-insensitively, as Windows does.
  ByteView find(ResourceType type, int id) const override;
  const std::vector<PeResourceEntry>& entries() const { return entries_; }
  const std::vector<std::uint8_t>& image() const { return image_; }
  const PeLayout& layout() const { return layout_; }

 private:
  std::vector<std::uint8_t> image_;
  std::vector<PeResourceEntry> entries_;
  PeLayout layout_;
};

}  // namespace fenok
