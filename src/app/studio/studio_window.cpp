#include "studio_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "studio/recent_files.h"
#include "studio/studio_ids.h"
#include "studio/studio_screen.h"
#include "win32_form_controls.h"
#include "win32_studio_host.h"
#include "win32_text.h"

namespace fenok::studio {
namespace {

LayoutRect layoutRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int dpiOfWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) return static_cast<int>(getDpiForWindow(window));
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<LayoutRect>*>(areas);
  const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  list.insert(primary ? list.begin() : list.end(), layoutRect(info.rcWork));
  return TRUE;
}

// The primary screen first.
std::vector<LayoutRect> workAreas() {
  std::vector<LayoutRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// A window placement's normal place is in workspace coordinates: from the primary screen's work area.
POINT workspaceOrigin() {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

bool hasVisibleStyle(HWND control) { return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

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

void StudioWindow::show(const std::string& placeFile) {
  placeFile_ = placeFile;
  WindowPlace place;
  if (placeFile.empty() || !loadWindowPlace(placeFile, place)) {
    ShowWindow(window_, SW_SHOWNORMAL);
    return;
  }
  const LayoutRect at = placeOnScreens(place.normal, workAreas(), minimum_.cx, minimum_.cy);
  SetWindowPos(window_, nullptr, at.left, at.top, at.width(), at.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, place.maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void StudioWindow::keepPlace() const {
  if (placeFile_.empty()) return;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window_, &placement)) return;
  const POINT origin = workspaceOrigin();
  RECT normal = placement.rcNormalPosition;
  OffsetRect(&normal, origin.x, origin.y);
  const bool maximised = placement.showCmd == SW_SHOWMAXIMIZED ||
                         (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
  saveWindowPlace(placeFile_, {layoutRect(normal), maximised});
}

// The controls' places as the template made them: the layout starts from there.
void StudioWindow::learnLayout() {
  RECT client = {};
  GetClientRect(window_, &client);
  std::map<int, LayoutRect> designed;
  for (const Follow& follow : studioFollows()) {
    HWND control = GetDlgItem(window_, follow.id);
    if (!control) continue;
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    designed[follow.id] = layoutRect(r);
  }
  layout_ = std::make_unique<WindowLayout>(studioFollows(), studioFills(), client.right, client.bottom, designed);
  RECT outer = {};
  GetWindowRect(window_, &outer);
  minimum_ = {outer.right - outer.left, outer.bottom - outer.top};
  dpi_ = dpiOfWindow(window_);
}

void StudioWindow::arrange() {
  if (!layout_ || IsIconic(window_)) return;
  RECT client = {};
  GetClientRect(window_, &client);
  const auto places =
      layout_->arrange(client.right, client.bottom, [this](int id) { return hasVisibleStyle(GetDlgItem(window_, id)); });
  HDWP batch = BeginDeferWindowPos(static_cast<int>(places.size()));
  for (const auto& [id, r] : places) {
    HWND control = GetDlgItem(window_, id);
    if (control && batch)
      batch = DeferWindowPos(batch, control, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (batch) EndDeferWindowPos(batch);
  if (HWND list = GetDlgItem(window_, STUDIO_QUESTIONS)) fitListViewColumns(list);
  // Group boxes and labels do not erase what was under them.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

INT_PTR CALLBACK StudioWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<StudioWindow*>(lParam);
    self->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->learnLayout();
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
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) arrange();
      return TRUE;
    case WM_GETMINMAXINFO:
      if (minimum_.cx > 0) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum_.cx, minimum_.cy};
      return TRUE;
    case WM_DPICHANGED: {
      // The system scales the template's controls to the new density; the layout scales with them.
      const int dpi = LOWORD(wParam);
      if (layout_) layout_->rescale(dpi, dpi_);
      minimum_ = {MulDiv(minimum_.cx, dpi, dpi_), MulDiv(minimum_.cy, dpi, dpi_)};
      dpi_ = dpi;
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case kArrangeMessage: {
      MSG more;  // several shown or hidden at once: one arranging for all
      while (PeekMessageW(&more, window_, kArrangeMessage, kArrangeMessage, PM_REMOVE)) {
      }
      arrange();
      return TRUE;
    }
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
    case EN_KILLFOCUS: screen_->fieldLeft(id); break;
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
  if (screen_ && !screen_->mayClose()) return;
  keepPlace();
  DestroyWindow(window_);
}

HBRUSH StudioWindow::brush(std::uint32_t colour) {
  const auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH made = CreateSolidBrush(colour);
  if (made) brushes_[colour] = made;
  return made;
}

}  // namespace fenok::studio
