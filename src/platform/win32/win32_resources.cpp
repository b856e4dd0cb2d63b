#include "platform/win32/win32_resources.h"

#include <windows.h>

namespace fenok {

ByteView Win32Resources::find(ResourceType type, int id) const {
  HMODULE module = static_cast<HMODULE>(module_);
  LPCSTR typeName = type.name != nullptr ? type.name : MAKEINTRESOURCEA(type.number);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), typeName);
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, info);
  const DWORD size = SizeofResource(module, info);
  if (loaded == nullptr || size == 0) return {};
  const void* data = LockResource(loaded);
  if (data == nullptr) return {};
  return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

}  // namespace fenok
