#include "platform/win32/win32_resources.h"

#include <windows.h>

namespace fenok {

namespace {

HRSRC findInfo(HMODULE module, ResourceType type, int id) {
  LPCSTR typeName = type.name != nullptr ? type.name : MAKEINTRESOURCEA(type.number);
  return FindResourceA(module, MAKEINTRESOURCEA(id), typeName);
}

}  // namespace

ByteView Win32Resources::find(ResourceType type, int id) const {
  HMODULE module = static_cast<HMODULE>(module_);
  HRSRC info = findInfo(module, type, id);
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, info);
  const DWORD size = SizeofResource(module, info);
  if (loaded == nullptr || size == 0) return {};
  const void* data = LockResource(loaded);
  if (data == nullptr) return {};
  return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

// Found but not loadable is a different failure from missing: the clip messages tell them apart.
bool Win32Resources::contains(ResourceType type, int id) const {
  return findInfo(static_cast<HMODULE>(module_), type, id) != nullptr;
}

}  // namespace fenok
