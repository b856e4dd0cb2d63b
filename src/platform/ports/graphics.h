#pragma once
// Graphics port: fonts, brushes, icons and their deletion (CreateFontIndirectA, CreateSolidBrush, DeleteObject).
#include <cstdint>
#include <string>

#include "platform/ports/handle.h"

namespace fenok {

// The fields of a LOGFONT that the program sets; every other field is zero.
struct FontDescription {
  int height = 0;  // negative: character height
  int weight = 0;
  bool italic = false;
  bool underline = false;
  std::string face;  // empty: the system's default face
};

class Graphics {
 public:
  virtual ~Graphics() = default;
  virtual Handle createFont(const FontDescription& description) = 0;
  virtual Handle createSolidBrush(std::uint32_t colour) = 0;  // 0x00BBGGRR
  virtual void deleteObject(Handle object) = 0;                // null is ignored
  virtual Handle stockGuiFont() = 0;                           // DEFAULT_GUI_FONT, never deleted
  virtual Handle loadIcon(int resourceId) = 0;                 // an icon of the program's own resources
};

}  // namespace fenok
