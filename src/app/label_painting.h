#pragma once
// Applies a label's colours to the device context of a WM_CTLCOLORSTATIC and gives the dialog's answer.
#include <windows.h>

#include <cstdint>

#include "platform/ports/handle.h"

namespace fenok {

// A null brush leaves the platform's default colours: nothing is set and the answer is 0.
inline INT_PTR paintLabel(HDC dc, Handle brush, bool transparentText, bool setTextColour, std::uint32_t textColour) {
  if (!brush) return 0;
  if (transparentText) SetBkMode(dc, TRANSPARENT);
  if (setTextColour) SetTextColor(dc, textColour);
  return reinterpret_cast<INT_PTR>(brush);
}

}  // namespace fenok
