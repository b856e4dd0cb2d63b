#include "platform/win32/win32_graphics.h"

namespace fenok {

Handle Win32Graphics::createFont(const FontSpec& spec) {
  LOGFONTA font = {};
  font.lfHeight = spec.height;
  font.lfWeight = spec.weight;
  font.lfItalic = spec.italic ? 1 : 0;
  font.lfUnderline = spec.underline ? 1 : 0;
  lstrcpynA(font.lfFaceName, spec.face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

Handle Win32Graphics::createSolidBrush(std::uint32_t colour) { return CreateSolidBrush(colour); }

void Win32Graphics::deleteObject(Handle object) {
  if (object) DeleteObject(static_cast<HGDIOBJ>(object));
}

Handle Win32Graphics::stockGuiFont() { return GetStockObject(DEFAULT_GUI_FONT); }

Handle Win32Graphics::loadIcon(int resourceId) { return LoadIconA(instance_, MAKEINTRESOURCEA(resourceId)); }

}  // namespace fenok
