#pragma once
// A resizable window's layout: a table of its controls and how much of the window's growth each edge
// follows, and the one function that places them all for a new size. The controls' places at the
// size the window was designed at are the starting point; that size is also the smallest.
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace fenok::studio {

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const LayoutRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The share of the window's growth (percent of the change in width for left and right, in height for
// top and bottom) an edge of the control follows: 0 stays with the top left corner, 100 follows the
// right or bottom edge. Equal shares keep edges that touch touching.
struct Follow {
  int id;
  int left, top, right, bottom;
};

// A control that takes the room of another while that one is hidden: up to its right edge, or its
// whole place.
struct Fill {
  int id;
  int whenHidden;
  bool wholePlace;
};

class WindowLayout {
 public:
  // designed: the client area's size and each control's place in it, as created.
  WindowLayout(const std::vector<Follow>& follows, const std::vector<Fill>& fills, int designedWidth,
               int designedHeight, std::map<int, LayoutRect> designed);

  // Every control of the table with its place in a client area of this size (never smaller than
  // designed), given which controls are shown.
  std::vector<std::pair<int, LayoutRect>> arrange(int width, int height, const std::function<bool(int)>& shown) const;

  // The screen's density changed and the system scaled the window: so does the design.
  void rescale(int newDpi, int oldDpi);

  int designedWidth() const { return width_; }
  int designedHeight() const { return height_; }

 private:
  std::vector<Follow> follows_;
  std::vector<Fill> fills_;
  int width_, height_;
  std::map<int, LayoutRect> designed_;
};

// The studio's window: the settings keep their width, the questions list and the selected question
// share the growth in width, the upper part and the problems share the growth in height.
const std::vector<Follow>& studioFollows();
const std::vector<Fill>& studioFills();

}  // namespace fenok::studio
