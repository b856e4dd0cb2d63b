#pragma once
// Pictures port: a picture resource as a bitmap scaled to fit a box (loadPicture), and the bitmap's size.
#include "platform/ports/handle.h"

namespace fenok {

struct Picture {
  Handle bitmap = nullptr;  // none when the picture cannot be had; the caller owns it
  int width = 0;
  int height = 0;
};

class Pictures {
 public:
  virtual ~Pictures() = default;
  virtual Picture loadPicture(int id, const char* type, int targetWidth, int targetHeight) = 0;
};

}  // namespace fenok
