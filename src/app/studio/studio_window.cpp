#include "studio_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "studio/studio_ids.h"
#include "studio/studio_screen.h"
#include "win32_studio_host.h"
#include "win32_text.h"

namespace fenok::studio {

StudioWindow::StudioWindow(HINSTANCE instance) {
  window_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(STUDIO_WINDOW_TEMPLATE), nullptr, procedure,
                               reinterpret_cast<LPARAM>(this));
}

StudioWindow::~StudioWindow() {
  screen_ = nullptr;  // gone before the window: its last notifications go nowhere
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  for (const auto& entry : brushes_) DeleteObject(entry.second);
}

void StudioWindow::attach(StudioScreen& screen, const Win32StudioHost& host) {
  screen_ = &screen;
  host_ = &host;
}

INT_PTR CALLBACK StudioWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<StudioWindow*>(lParam);
    self->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<StudioWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  return self ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR StudioWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY:
      onNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return TRUE;
    case WM_DROPFILES:
      onDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return onColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      return onSetCursor() ? TRUE : FALSE;
    case WM_CLOSE:
      onClose();
      return TRUE;
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

// Menu items and accelerators come without a control; Enter and Esc come as IDOK and IDCANCEL
// whether or not such buttons exist (none do, so no button takes Enter from the logic).
void StudioWindow::onCommand(int id, int code, HWND control) {
  if (id == IDOK) {
    if (screen_) screen_->enterPressed();
    return;
  }
  if (id == IDCANCEL) return;  // Esc must not close the editor
  if (id == STUDIO_CMD_EXIT) {
    onClose();
    return;
  }
  if (!screen_) return;
  if (!control) {
    screen_->command(id);
    return;
  }
  switch (code) {
    case BN_CLICKED: screen_->command(id); break;
    case EN_CHANGE: screen_->edited(id); break;
    case LBN_SELCHANGE: screen_->selectionChanged(id); break;  // CBN_SELCHANGE has the same value
    case LBN_DBLCLK: screen_->activated(id); break;
    default: break;
  }
}

void StudioWindow::onNotify(const NMHDR& header) {
  if (!screen_) return;
  const int id = static_cast<int>(header.idFrom);
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
    if ((change.uChanged & LVIF_STATE) != 0 && nowSelected) screen_->selectionChanged(id);
  } else if (header.code == NM_DBLCLK) {
    screen_->activated(id);
  }
}

void StudioWindow::onDropFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
    path.resize(copied);
    if (!path.empty()) paths.push_back(narrow(path));
  }
  DragFinish(drop);
  if (screen_ && !paths.empty()) screen_->filesDropped(paths);
}

INT_PTR StudioWindow::onColourStatic(HDC dc, HWND control) {
  if (!screen_) return FALSE;
  const FormColours colours = screen_->colours(GetDlgCtrlID(control));
  if (!colours.custom) return FALSE;
  SetTextColor(dc, colours.text);
  SetBkColor(dc, colours.background);
  return reinterpret_cast<INT_PTR>(brush(colours.background));
}

// The wait cursor stays over the whole window while a quiz is being made.
bool StudioWindow::onSetCursor() {
  if (!host_ || !host_->busy()) return false;
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
  return true;
}

void StudioWindow::onClose() {
  if (!screen_ || screen_->mayClose()) DestroyWindow(window_);
}

HBRUSH StudioWindow::brush(std::uint32_t colour) {
  const auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH made = CreateSolidBrush(colour);
  if (made) brushes_[colour] = made;
  return made;
}

}  // namespace fenok::studio
