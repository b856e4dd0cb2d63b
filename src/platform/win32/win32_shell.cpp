#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

namespace fenok {

void Win32Shell::openLink(const std::string& address) {
  // The result is not looked at and nothing waits for the browser.
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace fenok
