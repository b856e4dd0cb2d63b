#pragma once
// Applies a label's colours to the device context of a WM_CTLCOLORSTATIC and gives the dialog's answer.
#include <windows.h>

#include "ui/label_colours.h"

namespace fenok {

// A null brush leaves the platform's default colours: nothing is set and the answer is 0.
inline INT_PTR paintLabel(HDC dc, const LabelColours& colours) {
  if (!colours.brush) return 0;
  if (colours.transparentText) SetBkMode(dc, TRANSPARENT);
  if (colours.setTextColour) SetTextColor(dc, colours.textColour);
  return reinterpret_cast<INT_PTR>(colours.brush);
}

}  // namespace fenok
