#pragma once
// Controls over a real panel window: each call is the Win32 call of the same meaning, nothing more.
#include <windows.h>

#include "platform/ports/controls.h"

namespace fenok {

class Win32Controls : public Controls {
 public:
  // answerBoxProcedure: what installAnswerBoxProcedure puts in place of an edit control's own.
  explicit Win32Controls(HWND panel, WNDPROC answerBoxProcedure = nullptr);

  HWND panel() const { return panel_; }
  void setPanel(HWND panel) { panel_ = panel; }
  // The procedure that answer boxes had before theirs was replaced (all are standard edit controls).
  WNDPROC editProcedure() const { return editProcedure_; }

  void create(const char* className, const std::string& text, std::uint32_t style, const Rect& rect,
              int id) override;
  bool exists(int id) const override;
  Handle window(int id) const override { return item(id); }
  std::string text(int id, int bufferSize) const override;
  void setText(int id, const std::string& text) override;
  void show(int id, int showCommand) override;
  bool isVisible(int id) const override;
  Rect rect(int id) const override;
  void setRect(int id, const Rect& rect) override;
  void move(int id, int x, int y) override;
  void invalidate(int id) override;
  int checkState(int id) const override;
  Handle image(int id) const override;
  void setImage(int id, ImageType type, Handle image) override;
  void setFont(int id, Handle font, bool redraw) override;
  void setLastCreatedFont(int id, Handle font, bool redraw);
  void limitText(int id, int limit) override;
  void selectText(int id, int from, int to) override;
  void setFocus(int id) override;
  int focusedId() const override;
  void installAnswerBoxProcedure(int id) override;
  void useLinkCursor(int id) override;
  Rect clientRect() const override;
  ScrollState scrollState(ScrollBar bar) const override;
  void setScrollRange(ScrollBar bar, int maximum, int page, bool redraw) override;
  void setScrollPosition(ScrollBar bar, int position, bool redraw) override;
  void scrollContent(int dx, int dy) override;
  void sendScrollRequest(ScrollBar bar, int code) override;
  void postScrollRequest(ScrollBar bar, int code) override;

 private:
  HWND item(int id) const { return GetDlgItem(panel_, id); }
  HINSTANCE instance() const;

  HWND panel_;
  WNDPROC answerBoxProcedure_;
  WNDPROC editProcedure_ = nullptr;
  HWND lastCreated_ = nullptr;
};

}  // namespace fenok
