// The entry of fenok-studio.exe: the system's set-up, the window, its logic and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <cstdlib>
#include <vector>

#include "authoring/utf8_arguments.h"

#include "platform/win32/scoped_win.h"
#include "studio/recent_files.h"
#include "studio/studio_ids.h"
#include "studio/studio_screen.h"
#include "studio_window.h"
#include "win32_form_controls.h"
#include "win32_studio_host.h"

namespace fenok::studio {
namespace {

// An icon loaded at one size, destroyed when dropped.
class Icon {
 public:
  Icon(HINSTANCE instance, int size)
      : icon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(STUDIO_ICON), IMAGE_ICON, size, size, 0))) {}
  ~Icon() {
    if (icon_) DestroyIcon(icon_);
  }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  HICON get() const { return icon_; }

 private:
  HICON icon_;
};

// The manifest asks for per-monitor awareness; this covers systems that read only the call.
void becomeDpiAware() {
  using SetContextFunction = BOOL(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContextFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (setContext) setContext(perMonitorV2);
}

int runMessageLoop(HWND window, HACCEL accelerators) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && TranslateAcceleratorW(window, accelerators, &message)) continue;
    if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int run(HINSTANCE instance) {
  becomeDpiAware();
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  const OleInitialisation ole;

  StudioWindow window(instance);
  if (!window.handle()) {
    MessageBoxW(nullptr, L"La fenêtre du studio n'a pas pu être créée.", L"fenok studio", MB_ICONERROR);
    return 1;
  }
  HWND handle = window.handle();
  DragAcceptFiles(handle, TRUE);
  const Icon large(instance, GetSystemMetrics(SM_CXICON));
  const Icon small(instance, GetSystemMetrics(SM_CXSMICON));
  SendMessageW(handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
  SendMessageW(handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));

  Win32FormControls controls(handle);
  Win32StudioHost host(handle);
  StudioScreen screen(controls, host);
  window.attach(screen, host);
  std::vector<std::string> arguments = pack::utf8Arguments(__argc, __argv);
  if (!arguments.empty()) arguments.erase(arguments.begin());  // the program's own path
  screen.start(arguments);
  const std::string settings = host.settingsFolder();
  window.show(settings.empty() ? std::string() : settings + "\\" + kWindowPlaceFileName);

  return runMessageLoop(handle, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(STUDIO_ACCELERATORS)));
}

}  // namespace
}  // namespace fenok::studio

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return fenok::studio::run(instance); }
