#pragma once
// Graphics over GDI: fonts, brushes and icons of the program's own resources.
#include <windows.h>

#include "platform/ports/graphics.h"

namespace fenok {

class Win32Graphics : public Graphics {
 public:
  explicit Win32Graphics(HINSTANCE instance) : instance_(instance) {}

  Handle createFont(const FontDescription& description) override;
  Handle createSolidBrush(std::uint32_t colour) override;
  void deleteObject(Handle object) override;
  Handle stockGuiFont() override;
  Handle loadIcon(int resourceId) override;

 private:
  HINSTANCE instance_;
};

}  // namespace fenok
