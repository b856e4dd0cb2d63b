#pragma once
// The suite's own resources through FindResourceA, for the picture tests (the suite is the "program").
#include <windows.h>

#include "platform/ports/resources.h"

namespace fenok::testing {

class ModuleResources : public Resources {
 public:
  ByteView find(ResourceType type, int id) const override {
    HMODULE module = GetModuleHandleA(nullptr);
    const char* typeName = type.name ? type.name : MAKEINTRESOURCEA(type.number);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), typeName);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(SizeofResource(module, found))};
  }
};

}  // namespace fenok::testing
