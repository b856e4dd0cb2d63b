#include "platform/win32/win32_graphics.h"

namespace fenok {

Handle Win32Graphics::createFont(const FontDescription& description) {
  LOGFONTA font = {};
  font.lfHeight = description.height;
  font.lfWeight = description.weight;
  font.lfItalic = description.italic ? 1 : 0;
  font.lfUnderline = description.underline ? 1 : 0;
  lstrcpynA(font.lfFaceName, description.face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

Handle Win32Graphics::createSolidBrush(std::uint32_t colour) { return CreateSolidBrush(colour); }

void Win32Graphics::deleteObject(Handle object) {
  if (object) DeleteObject(static_cast<HGDIOBJ>(object));
}

Handle Win32Graphics::stockGuiFont() { return GetStockObject(DEFAULT_GUI_FONT); }

Handle Win32Graphics::loadIcon(int resourceId) { return LoadIconA(instance_, MAKEINTRESOURCEA(resourceId)); }

}  // namespace fenok
