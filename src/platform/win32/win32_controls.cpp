#include "platform/win32/win32_controls.h"

#include <vector>

#include "platform/resource_ids.h"

namespace fenok {
namespace {

int barOf(ScrollBar bar) { return bar == ScrollBar::vertical ? SB_VERT : SB_HORZ; }
UINT scrollMessageOf(ScrollBar bar) { return bar == ScrollBar::vertical ? WM_VSCROLL : WM_HSCROLL; }

bool isButton(HWND control) {
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  return lstrcmpiA(className, "Button") == 0;
}

}  // namespace

Win32Controls::Win32Controls(HWND panel, WNDPROC answerBoxProcedure)
    : panel_(panel), answerBoxProcedure_(answerBoxProcedure) {}

HINSTANCE Win32Controls::instance() const {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(panel_, GWLP_HINSTANCE));
}

void Win32Controls::create(const char* className, const std::string& text, std::uint32_t style,
                           const Rect& rect, int id) {
  lastCreated_ = CreateWindowExA(0, className, text.c_str(), style, rect.x, rect.y, rect.width, rect.height, panel_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
}

bool Win32Controls::exists(int id) const { return item(id) != nullptr; }

std::string Win32Controls::text(int id, int bufferSize) const {
  HWND control = item(id);
  if (!control || bufferSize <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const int length = GetWindowTextA(control, buffer.data(), bufferSize);
  return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

void Win32Controls::setText(int id, const std::string& text) { SetDlgItemTextA(panel_, id, text.c_str()); }

void Win32Controls::show(int id, int showCommand) {
  if (HWND control = item(id)) ShowWindow(control, showCommand);
}

bool Win32Controls::isVisible(int id) const {
  HWND control = item(id);
  return control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

Rect Win32Controls::rect(int id) const {
  HWND control = item(id);
  if (!control) return {};
  RECT r;
  GetWindowRect(control, &r);
  POINT topLeft = {r.left, r.top};
  ScreenToClient(panel_, &topLeft);
  return {topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top};
}

void Win32Controls::setRect(int id, const Rect& rect) {
  if (HWND control = item(id)) {
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  }
}

void Win32Controls::move(int id, int x, int y) {
  if (HWND control = item(id)) SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void Win32Controls::invalidate(int id) {
  if (HWND control = item(id)) InvalidateRect(control, nullptr, FALSE);
}

int Win32Controls::checkState(int id) const {
  HWND control = item(id);
  return control ? static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

Handle Win32Controls::image(int id) const {
  HWND control = item(id);
  return control ? reinterpret_cast<Handle>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) : nullptr;
}

void Win32Controls::setImage(int id, ImageType type, Handle image) {
  HWND control = item(id);
  if (!control) return;
  const WPARAM imageType = type == ImageType::icon ? IMAGE_ICON : IMAGE_BITMAP;
  const UINT message = isButton(control) ? BM_SETIMAGE : STM_SETIMAGE;
  SendMessageA(control, message, imageType, reinterpret_cast<LPARAM>(image));
}

void Win32Controls::setFont(int id, Handle font, bool redraw) {
  if (HWND control = item(id)) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

void Win32Controls::setLastCreatedFont(int id, Handle font, bool redraw) {
  // Controls sharing an identifier are reachable only through the one just created.
  HWND control = lastCreated_ && GetDlgCtrlID(lastCreated_) == id ? lastCreated_ : item(id);
  if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

void Win32Controls::limitText(int id, int limit) {
  if (HWND control = item(id)) SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void Win32Controls::selectText(int id, int from, int to) {
  if (HWND control = item(id)) SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
}

void Win32Controls::setFocus(int id) {
  if (HWND control = item(id)) SetFocus(control);
}

int Win32Controls::focusedId() const {
  HWND focus = GetFocus();
  if (!focus || !IsChild(panel_, focus) || GetParent(focus) != panel_) return 0;
  return GetDlgCtrlID(focus);
}

void Win32Controls::installAnswerBoxProcedure(int id) {
  HWND control = item(id);
  if (!control || !answerBoxProcedure_) return;
  // Every answer box is a standard edit control, so the one saved procedure serves all of them.
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerBoxProcedure_)));
  if (previous != answerBoxProcedure_) editProcedure_ = previous;
}

void Win32Controls::useLinkCursor(int id) {
  HWND control = item(id);
  if (!control) return;
  HCURSOR hand = LoadCursorA(instance(), MAKEINTRESOURCEA(FENOK_LINK_CURSOR));
  if (hand) SetClassLongPtrA(control, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}

Rect Win32Controls::clientRect() const {
  RECT r = {};
  GetClientRect(panel_, &r);
  return {0, 0, r.right - r.left, r.bottom - r.top};
}

ScrollState Win32Controls::scrollState(ScrollBar bar) const {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(panel_, barOf(bar), &info)) return {};
  return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
}

void Win32Controls::setScrollRange(ScrollBar bar, int maximum, int page, bool redraw) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = maximum;
  info.nPage = page > 0 ? static_cast<UINT>(page) : 0;
  SetScrollInfo(panel_, barOf(bar), &info, redraw ? TRUE : FALSE);
}

void Win32Controls::setScrollPosition(ScrollBar bar, int position, bool redraw) {
  SetScrollPos(panel_, barOf(bar), position, redraw ? TRUE : FALSE);
}

void Win32Controls::scrollContent(int dx, int dy) {
  if (dx != 0 || dy != 0) ScrollWindow(panel_, dx, dy, nullptr, nullptr);
}

void Win32Controls::sendScrollRequest(ScrollBar bar, int code) {
  SendMessageA(panel_, scrollMessageOf(bar), MAKEWPARAM(code, 0), 0);
}

void Win32Controls::postScrollRequest(ScrollBar bar, int code) {
  PostMessageA(panel_, scrollMessageOf(bar), MAKEWPARAM(code, 0), 0);
}

}  // namespace fenok
