#pragma once
// What the studio keeps of the author's last session in the author's settings folder: the
// descriptions opened or saved last, newest first (a UTF-8 text file, one path a line), and where
// the window was (one line of numbers). A missing or damaged file is an empty list, or no place.
#include <string>
#include <vector>

#include "window_layout.h"

namespace fenok::studio {

// The files, in the author's settings folder.
constexpr const char* kRecentFileName = "studio-recent.txt";
constexpr const char* kWindowPlaceFileName = "studio-window.txt";

class RecentFiles {
 public:
  explicit RecentFiles(std::string file) : file_(std::move(file)) {}

  void load();
  void add(const std::string& path);  // to the front, once, and saved; the list keeps its bound
  void remove(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  void save() const;

  std::string file_;
  std::vector<std::string> paths_;
};

// The window's place on the desktop when neither maximised nor minimised, in pixels, and whether it
// was maximised.
struct WindowPlace {
  LayoutRect normal;
  bool maximised = false;
};

bool loadWindowPlace(const std::string& file, WindowPlace& place);
void saveWindowPlace(const std::string& file, const WindowPlace& place);

// Where a window kept at this place opens on screens whose work areas are these (the primary one
// first): where it was while the middle of its title bar is on one of them, else centred on the
// primary one; never larger than that work area, nor smaller than the minimum, and moved inside it.
LayoutRect placeOnScreens(const LayoutRect& kept, const std::vector<LayoutRect>& workAreas, int minWidth,
                          int minHeight);

}  // namespace fenok::studio
