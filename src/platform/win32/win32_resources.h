#pragma once
// Resources over FindResourceA / LoadResource / SizeofResource / LockResource on one module.
#include "platform/ports/resources.h"

namespace fenok {

class Win32Resources : public Resources {
 public:
  // module: an HMODULE; null means the running program's own module.
  explicit Win32Resources(void* module = nullptr) : module_(module) {}
  // Loaded resources stay mapped for the life of the module; FreeResource is a no-op on Win32.
  ByteView find(ResourceType type, int id) const override;
  bool contains(ResourceType type, int id) const override;

 private:
  void* module_;
};

}  // namespace fenok
