#include "platform/portable/memory_resources.h"

namespace fenok {

std::string MemoryResources::keyOf(ResourceType type) {
  if (type.name == nullptr) return "#" + std::to_string(type.number);
  std::string key(type.name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

void MemoryResources::add(ResourceType type, int id, std::vector<std::uint8_t> bytes) {
  resources_[{keyOf(type), id}] = std::move(bytes);
}

void MemoryResources::remove(ResourceType type, int id) { resources_.erase({keyOf(type), id}); }

ByteView MemoryResources::find(ResourceType type, int id) const {
  const auto found = resources_.find({keyOf(type), id});
  if (found == resources_.end() || found->second.empty()) return {};
  return {found->second.data(), found->second.size()};
}

}  // namespace fenok
