#include "platform/win32/win32_messages.h"

#include <windows.h>

namespace fenok {

void Win32Messages::show(const std::string& text, const std::string& caption, unsigned style) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

}  // namespace fenok
