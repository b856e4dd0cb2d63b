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

class PeResources : public Resources {
 public:
  // False, with a reason in error, when the bytes are not a PE image or its resource directory is broken.
  bool load(std::vector<std::uint8_t> image, std::string& error);
  bool loadFile(const std::string& path, std::string& error);

  // First language of (type, numbered id). Named types compare case-insensitively, as Windows does.
  ByteView find(ResourceType type, int id) const override;
  const std::vector<PeResourceEntry>& entries() const { return entries_; }
  const std::vector<std::uint8_t>& image() const { return image_; }

 private:
  std::vector<std::uint8_t> image_;
  std::vector<PeResourceEntry> entries_;
};

}  // namespace fenok
