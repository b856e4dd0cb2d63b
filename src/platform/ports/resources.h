#pragma once
// Resources port: the bytes of resource (type, id) of the running program.
#include <cstddef>
#include <cstdint>

namespace fenok {

// A resource type is either a name ("PATCH", "IMG") or a number (RCDATA 10).
struct ResourceType {
  const char* name = nullptr;  // null for a numbered type
  int number = 0;

  static ResourceType named(const char* typeName) { return {typeName, 0}; }
  static ResourceType numbered(int typeNumber) { return {nullptr, typeNumber}; }
};

constexpr int kRtRcdata = 10;

struct ByteView {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;

  bool empty() const { return size == 0; }
};

class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes stay valid for the life of the adapter; absent = empty.
  virtual ByteView find(ResourceType type, int id) const = 0;
  // Whether the program carries the resource at all (FindResourceA), even when its bytes cannot be had.
  virtual bool contains(ResourceType type, int id) const { return !find(type, id).empty(); }
};

}  // namespace fenok
