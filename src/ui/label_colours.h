#pragma once
// How a label asking its panel for colours (WM_CTLCOLORSTATIC) is painted.
#include <cstdint>

#include "platform/ports/handle.h"

namespace fenok {

struct LabelColours {
  Handle brush = nullptr;         // null: platform defaults, nothing else set
  bool transparentText = false;   // SetBkMode(TRANSPARENT)
  bool setTextColour = false;
  std::uint32_t textColour = 0;   // 0x00BBGGRR
};

}  // namespace fenok
