#pragma once
// The studio's main window: a modeless dialog made from its template, whose procedure only turns
// Win32 notifications into the screen's entry points. Nothing is decided here. It is resizable: its
// layout (src/studio/window_layout.h) places the controls on every change of size, never below the
// template's size; its place on the desktop is kept in the author's settings between sessions.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "studio/window_layout.h"

namespace fenok::studio {

class StudioScreen;
class Win32StudioHost;

class StudioWindow {
 public:
  explicit StudioWindow(HINSTANCE instance);  // handle() is null when the template failed
  ~StudioWindow();
  StudioWindow(const StudioWindow&) = delete;
  StudioWindow& operator=(const StudioWindow&) = delete;

  HWND handle() const { return window_; }
  // Until then, notifications (the controls' first EN_CHANGE, say) go nowhere.
  void attach(StudioScreen& screen, const Win32StudioHost& host);

  // Shows the window where placeFile says it was (on a screen still there), else centred at its
  // smallest size; the window's place is written back there when it closes. Empty: nothing kept.
  void show(const std::string& placeFile);

 private:
  static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int code, HWND control);
  void onNotify(const NMHDR& header);
  void onDropFiles(HDROP drop);
  INT_PTR onColourStatic(HDC dc, HWND control);
  bool onSetCursor();
  void onClose();
  void learnLayout();
  void arrange();
  void keepPlace() const;
  HBRUSH brush(std::uint32_t colour);

  HWND window_ = nullptr;
  StudioScreen* screen_ = nullptr;
  const Win32StudioHost* host_ = nullptr;
  std::unique_ptr<WindowLayout> layout_;
  SIZE minimum_ = {0, 0};  // the whole window at the template's size
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::string placeFile_;
  std::map<std::uint32_t, HBRUSH> brushes_;  // one per colour painted, deleted with the window
};

}  // namespace fenok::studio
