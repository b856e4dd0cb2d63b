#pragma once
// An in-memory Resources port: a map of (type, id) to bytes, for tests, fuzzers and tools.
// Named types compare case-insensitively, as Windows does ("patch" finds "PATCH").
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/resources.h"

namespace fenok {

class MemoryResources : public Resources {
 public:
  // Adds or replaces a resource. Replacing invalidates the bytes handed out earlier for that one.
  void add(ResourceType type, int id, std::vector<std::uint8_t> bytes);
  void add(const std::string& typeName, int id, std::vector<std::uint8_t> bytes) {
    add(ResourceType::named(typeName.c_str()), id, std::move(bytes));
  }
  void remove(ResourceType type, int id);
  void clear() { resources_.clear(); }
  std::size_t count() const { return resources_.size(); }

  ByteView find(ResourceType type, int id) const override;

 private:
  // "#10" for a numbered type, the upper-case name otherwise.
  static std::string keyOf(ResourceType type);

  std::map<std::pair<std::string, int>, std::vector<std::uint8_t>> resources_;
};

}  // namespace fenok
