#pragma once
// In-memory controls: the test adapter of the Controls port. It keeps each control's state and the
// panel's two scroll bars and follows the platform rules the screen logic relies on (first control of
// a shared identifier wins, creation order is Tab order, scroll positions clamped to 0 .. max - page + 1,
// EM_LIMITTEXT limits typing but not setText, focus changes report kill-focus then set-focus).
// It draws nothing: it is a recorder, not a second GUI.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ports/controls.h"

namespace fenok {

// Edit controls accept this many characters until EM_LIMITTEXT says otherwise.
constexpr int kDefaultEditLimit = 32767;

struct MemoryControl {
  std::string className;
  std::string text;
  std::uint32_t style = 0;
  Rect rect;
  int id = 0;
  bool visible = false;
  int check = 0;
  Handle image = nullptr;
  ImageType imageType = ImageType::bitmap;
  Handle font = nullptr;
  bool fontRedraw = false;
  int textLimit = kDefaultEditLimit;
  int selectionFrom = 0;
  int selectionTo = 0;
  bool answerBoxProcedure = false;
  bool linkCursor = false;
  int invalidations = 0;
};

class MemoryControls : public Controls {
 public:
  using ScrollHandler = std::function<void(ScrollBar bar, int code)>;
  using FocusHandler = std::function<void(int id)>;

  explicit MemoryControls(int clientWidth = 0, int clientHeight = 0);

  // Controls
  void create(const char* className, const std::string& text, std::uint32_t style, const Rect& rect,
              int id) override;
  bool exists(int id) const override;
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
  void setLastCreatedFont(int id, Handle font, bool redraw) override;
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

  // Inspection: every control in creation order; the first with an identifier (null when none).
  const std::vector<MemoryControl>& controls() const { return controls_; }
  const MemoryControl* find(int id) const;
  int countWithId(int id) const;

  // What a user does.
  // Types into an edit control as the keyboard would: replaces the selection (adds at the end when
  // nothing is selected) and stops at the text limit.
  void type(int id, const std::string& typed);
  void setCheck(int id, int state);  // a click on a check box toggles it; tests set it directly
  void resizeClient(int width, int height);
  void setTrackPosition(ScrollBar bar, int position);

  // Scroll requests: sent ones go to the handler at once, posted ones wait for dispatchPosted().
  void onScrollRequest(ScrollHandler handler) { scrollHandler_ = std::move(handler); }
  int dispatchPosted();  // returns how many were delivered

  // Focus changes call these (kill-focus on the control losing it first), like WM_KILLFOCUS/WM_SETFOCUS
  // reaching the answer-box procedure: only controls that had it installed report.
  void onKillFocus(FocusHandler handler) { killFocusHandler_ = std::move(handler); }
  void onSetFocus(FocusHandler handler) { setFocusHandler_ = std::move(handler); }

  // One line per port call that changes something, e.g. "setText 5001 BRAVO", "scrollContent 0 -50".
  const std::vector<std::string>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }

 private:
  struct ScrollBarState {
    int maximum = 0;
    int page = 0;
    int position = 0;
    int trackPosition = 0;
  };

  MemoryControl* findMutable(int id);
  int indexOf(int id) const;
  ScrollBarState& bar(ScrollBar which) { return which == ScrollBar::vertical ? vertical_ : horizontal_; }
  const ScrollBarState& bar(ScrollBar which) const {
    return which == ScrollBar::vertical ? vertical_ : horizontal_;
  }
  static int highestPosition(const ScrollBarState& state);
  void log(const std::string& line);

  std::vector<MemoryControl> controls_;
  int clientWidth_;
  int clientHeight_;
  int focusedIndex_ = -1;
  ScrollBarState horizontal_;
  ScrollBarState vertical_;
  ScrollHandler scrollHandler_;
  FocusHandler killFocusHandler_;
  FocusHandler setFocusHandler_;
  std::deque<std::pair<ScrollBar, int>> posted_;
  std::vector<std::string> calls_;
};

const char* scrollBarName(ScrollBar bar);  // "h" or "v", as in the call log

}  // namespace fenok
