#pragma once
// Controls port: one panel (a dialog) and its child controls, found by integer identifier.
// Several controls may share an identifier; operations on an identifier act on the first one created.
// Screen parts share state only through control texts and the Quiz, so this one interface carries
// the whole screen logic. Coordinates are the panel's client coordinates, as currently displayed.
#include <cstdint>
#include <string>

#include "platform/ports/handle.h"

namespace fenok {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool operator==(const Rect& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

enum class ScrollBar { horizontal, vertical };

struct ScrollState {
  int minimum = 0;
  int maximum = 0;
  int page = 0;
  int position = 0;
  int trackPosition = 0;
};

// ShowWindow commands used by the logic.
constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;

enum class ImageType { bitmap = 0, icon = 1 };

class Controls {
 public:
  virtual ~Controls() = default;

  // A child control after all existing ones (creation order is the Tab order). Extended style 0.
  virtual void create(const char* className, const std::string& text, std::uint32_t style, const Rect& rect,
                      int id) = 0;
  virtual bool exists(int id) const = 0;
  // The platform window of the control (HWND), for hosting a foreign control in it; null where none.
  virtual Handle window(int /*id*/) const { return nullptr; }

  // At most bufferSize - 1 bytes (GetWindowTextA semantics); empty for a missing control.
  virtual std::string text(int id, int bufferSize) const = 0;
  virtual void setText(int id, const std::string& text) = 0;

  virtual void show(int id, int showCommand) = 0;
  virtual bool isVisible(int id) const = 0;

  virtual Rect rect(int id) const = 0;
  virtual void setRect(int id, const Rect& rect) = 0;  // move and size (SetWindowPos)
  virtual void move(int id, int x, int y) = 0;         // keeps size and z-order
  virtual void invalidate(int id) = 0;                 // repaint without erasing

  virtual int checkState(int id) const = 0;  // BM_GETCHECK: 1 when checked
  virtual Handle image(int id) const = 0;    // STM_GETIMAGE
  virtual void setImage(int id, ImageType type, Handle image) = 0;
  virtual void setFont(int id, Handle font, bool redraw) = 0;
  // The font of the control created last, which carries this identifier: controls sharing an identifier
  // (a text quiz's question labels, the caption labels) are otherwise reachable only through the first.
  // Adapters that can reach the last window override it; the fallback suits unique identifiers.
  virtual void setLastCreatedFont(int id, Handle font, bool redraw) { setFont(id, font, redraw); }
  virtual void limitText(int id, int limit) = 0;  // EM_LIMITTEXT
  virtual void selectText(int id, int from, int to) = 0;
  virtual void setFocus(int id) = 0;
  virtual int focusedId() const = 0;  // 0 when no child of the panel has the focus

  // The answer-box procedure replaces the control's own (Part of the quiz panel's events).
  virtual void installAnswerBoxProcedure(int id) = 0;
  // The pointing-hand cursor (the link cursor resource) over this control.
  virtual void useLinkCursor(int id) = 0;

  // The panel itself.
  virtual Rect clientRect() const = 0;  // x = y = 0
  virtual ScrollState scrollState(ScrollBar bar) const = 0;
  // SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL with minimum 0; the position is clamped to maximum - page + 1.
  virtual void setScrollRange(ScrollBar bar, int maximum, int page, bool redraw) = 0;
  virtual void setScrollPosition(ScrollBar bar, int position, bool redraw) = 0;
  // ScrollWindow over the whole client area: drawn content and every child move by (dx, dy).
  virtual void scrollContent(int dx, int dy) = 0;
  // WM_VSCROLL / WM_HSCROLL to the panel: sent (handled at once) or posted (queued).
  virtual void sendScrollRequest(ScrollBar bar, int code) = 0;
  virtual void postScrollRequest(ScrollBar bar, int code) = 0;
};

}  // namespace fenok
