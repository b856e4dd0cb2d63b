#include "ui/main_layout.h"

namespace fenok {

MainLayout mainLayout(int w, int h) {
  MainLayout layout;
  layout.headerPanel = {5, 2, w - 11, 49};
  layout.quizPanel = {5, 50, w - 11, h - 68};
  layout.statusLabel = {w - 145, h - 16, 150, 15};
  return layout;
}

Rect initialStatusLabel(int clientHeight) { return {720, clientHeight - 16, 140, 15}; }

int centredOrigin(int desktopStart, int desktopExtent, int windowExtent) {
  return desktopStart + (desktopExtent - windowExtent) / 2;
}

}  // namespace fenok
