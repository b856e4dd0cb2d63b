// In-memory controls: state per control, two clamped scroll bars, focus and scroll-request routing.
#include "platform/portable/memory_controls.h"

#include <algorithm>
#include <utility>

namespace fenok {

namespace {

std::string rectText(const Rect& rect) {
  return std::to_string(rect.x) + " " + std::to_string(rect.y) + " " + std::to_string(rect.width) + " " +
         std::to_string(rect.height);
}

}  // namespace

const char* scrollBarName(ScrollBar bar) { return bar == ScrollBar::vertical ? "v" : "h"; }

MemoryControls::MemoryControls(int clientWidth, int clientHeight)
    : clientWidth_(clientWidth), clientHeight_(clientHeight) {}

void MemoryControls::log(const std::string& line) { calls_.push_back(line); }

int MemoryControls::indexOf(int id) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

const MemoryControl* MemoryControls::find(int id) const {
  const int index = indexOf(id);
  return index < 0 ? nullptr : &controls_[static_cast<std::size_t>(index)];
}

MemoryControl* MemoryControls::findMutable(int id) {
  const int index = indexOf(id);
  return index < 0 ? nullptr : &controls_[static_cast<std::size_t>(index)];
}

int MemoryControls::countWithId(int id) const {
  return static_cast<int>(
      std::count_if(controls_.begin(), controls_.end(), [id](const MemoryControl& c) { return c.id == id; }));
}

void MemoryControls::create(const char* className, const std::string& text, std::uint32_t style,
                            const Rect& rect, int id) {
  MemoryControl control;
  control.className = className ? className : "";
  control.text = text;
  control.style = style;
  control.rect = rect;
  control.id = id;
  control.visible = (style & 0x10000000u) != 0;  // WS_VISIBLE
  controls_.push_back(control);
  log("create " + std::to_string(id) + " " + control.className + " " + rectText(rect));
}

bool MemoryControls::exists(int id) const { return indexOf(id) >= 0; }

std::string MemoryControls::text(int id, int bufferSize) const {
  const MemoryControl* control = find(id);
  if (!control || bufferSize <= 0) return std::string();
  return control->text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

void MemoryControls::setText(int id, const std::string& text) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  // WM_SETTEXT ignores EM_LIMITTEXT: only typing is limited.
  control->text = text;
  control->selectionFrom = control->selectionTo = 0;
  log("setText " + std::to_string(id) + " " + text);
}

void MemoryControls::show(int id, int showCommand) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->visible = showCommand != kSwHide;
  log("show " + std::to_string(id) + " " + std::to_string(showCommand));
}

bool MemoryControls::isVisible(int id) const {
  const MemoryControl* control = find(id);
  return control && control->visible;
}

Rect MemoryControls::rect(int id) const {
  const MemoryControl* control = find(id);
  return control ? control->rect : Rect{};
}

void MemoryControls::setRect(int id, const Rect& rect) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->rect = rect;
  log("setRect " + std::to_string(id) + " " + rectText(rect));
}

void MemoryControls::move(int id, int x, int y) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->rect.x = x;
  control->rect.y = y;
  log("move " + std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y));
}

void MemoryControls::invalidate(int id) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  ++control->invalidations;
  log("invalidate " + std::to_string(id));
}

int MemoryControls::checkState(int id) const {
  const MemoryControl* control = find(id);
  return control ? control->check : 0;
}

void MemoryControls::setCheck(int id, int state) {
  MemoryControl* control = findMutable(id);
  if (control) control->check = state;
}

Handle MemoryControls::image(int id) const {
  const MemoryControl* control = find(id);
  return control ? control->image : nullptr;
}

void MemoryControls::setImage(int id, ImageType type, Handle image) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->image = image;
  control->imageType = type;
  log("setImage " + std::to_string(id));
}

void MemoryControls::setFont(int id, Handle font, bool redraw) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->font = font;
  control->fontRedraw = redraw;
  log("setFont " + std::to_string(id) + (redraw ? " redraw" : ""));
}

void MemoryControls::setLastCreatedFont(int id, Handle font, bool redraw) {
  if (controls_.empty() || controls_.back().id != id) return;
  controls_.back().font = font;
  controls_.back().fontRedraw = redraw;
  log("setLastCreatedFont " + std::to_string(id) + (redraw ? " redraw" : ""));
}

void MemoryControls::limitText(int id, int limit) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->textLimit = limit <= 0 ? kDefaultEditLimit : limit;
  log("limitText " + std::to_string(id) + " " + std::to_string(limit));
}

void MemoryControls::selectText(int id, int from, int to) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  const int length = static_cast<int>(control->text.size());
  control->selectionFrom = std::clamp(from, 0, length);
  control->selectionTo = (to < 0) ? length : std::clamp(to, 0, length);
  log("selectText " + std::to_string(id) + " " + std::to_string(from) + " " + std::to_string(to));
}

void MemoryControls::type(int id, const std::string& typed) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  std::string& text = control->text;
  const std::size_t from = static_cast<std::size_t>(std::min(control->selectionFrom, control->selectionTo));
  const std::size_t to = static_cast<std::size_t>(std::max(control->selectionFrom, control->selectionTo));
  const bool nothingSelected = from == to;
  const std::size_t start = nothingSelected ? text.size() : std::min(from, text.size());
  const std::size_t end = nothingSelected ? text.size() : std::min(to, text.size());
  const std::size_t kept = text.size() - (end - start);
  const std::size_t limit = static_cast<std::size_t>(control->textLimit);
  const std::size_t room = kept >= limit ? 0 : limit - kept;
  const std::string inserted = typed.substr(0, room);
  text = text.substr(0, start) + inserted + text.substr(end);
  control->selectionFrom = control->selectionTo = static_cast<int>(start + inserted.size());
  log("type " + std::to_string(id) + " " + inserted);
}

void MemoryControls::setFocus(int id) {
  const int newIndex = indexOf(id);
  const int oldIndex = focusedIndex_;
  log("setFocus " + std::to_string(id));
  if (newIndex == oldIndex) return;
  // The platform has already moved the focus when the loser hears of it.
  focusedIndex_ = newIndex;
  if (oldIndex >= 0 && killFocusHandler_) {
    const MemoryControl& loser = controls_[static_cast<std::size_t>(oldIndex)];
    if (loser.answerBoxProcedure) killFocusHandler_(loser.id);
  }
  // A kill-focus handler may itself have moved the focus on.
  if (newIndex >= 0 && focusedIndex_ == newIndex && setFocusHandler_ &&
      controls_[static_cast<std::size_t>(newIndex)].answerBoxProcedure) {
    setFocusHandler_(id);
  }
}

int MemoryControls::focusedId() const {
  return focusedIndex_ < 0 ? 0 : controls_[static_cast<std::size_t>(focusedIndex_)].id;
}

void MemoryControls::installAnswerBoxProcedure(int id) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->answerBoxProcedure = true;
  log("installAnswerBoxProcedure " + std::to_string(id));
}

void MemoryControls::useLinkCursor(int id) {
  MemoryControl* control = findMutable(id);
  if (!control) return;
  control->linkCursor = true;
  log("useLinkCursor " + std::to_string(id));
}

Rect MemoryControls::clientRect() const { return Rect{0, 0, clientWidth_, clientHeight_}; }

void MemoryControls::resizeClient(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
}

ScrollState MemoryControls::scrollState(ScrollBar which) const {
  const ScrollBarState& state = bar(which);
  ScrollState result;
  result.minimum = 0;
  result.maximum = state.maximum;
  result.page = state.page;
  result.position = state.position;
  result.trackPosition = state.trackPosition;
  return result;
}

int MemoryControls::highestPosition(const ScrollBarState& state) {
  return state.maximum - std::max(state.page - 1, 0);
}

void MemoryControls::setScrollRange(ScrollBar which, int maximum, int page, bool redraw) {
  ScrollBarState& state = bar(which);
  // As the platform does: an inverted range becomes 0 .. 0, the page is kept within the range,
  // and the position is lowered into what the new range allows.
  state.maximum = maximum < 0 ? 0 : maximum;
  state.page = std::clamp(page, 0, state.maximum + 1);
  state.position = std::clamp(state.position, 0, highestPosition(state));
  log(std::string("setScrollRange ") + scrollBarName(which) + " " + std::to_string(maximum) + " " +
      std::to_string(page) + (redraw ? " redraw" : ""));
}

void MemoryControls::setScrollPosition(ScrollBar which, int position, bool redraw) {
  ScrollBarState& state = bar(which);
  state.position = std::clamp(position, 0, highestPosition(state));
  log(std::string("setScrollPosition ") + scrollBarName(which) + " " + std::to_string(position) +
      (redraw ? " redraw" : ""));
}

void MemoryControls::setTrackPosition(ScrollBar which, int position) { bar(which).trackPosition = position; }

void MemoryControls::scrollContent(int dx, int dy) {
  for (MemoryControl& control : controls_) {
    control.rect.x += dx;
    control.rect.y += dy;
  }
  log("scrollContent " + std::to_string(dx) + " " + std::to_string(dy));
}

void MemoryControls::sendScrollRequest(ScrollBar which, int code) {
  log(std::string("sendScrollRequest ") + scrollBarName(which) + " " + std::to_string(code));
  if (scrollHandler_) scrollHandler_(which, code);
}

void MemoryControls::postScrollRequest(ScrollBar which, int code) {
  log(std::string("postScrollRequest ") + scrollBarName(which) + " " + std::to_string(code));
  posted_.emplace_back(which, code);
}

int MemoryControls::dispatchPosted() {
  int delivered = 0;
  while (!posted_.empty()) {
    const auto request = posted_.front();
    posted_.pop_front();
    if (scrollHandler_) scrollHandler_(request.first, request.second);
    ++delivered;
  }
  return delivered;
}

}  // namespace fenok
