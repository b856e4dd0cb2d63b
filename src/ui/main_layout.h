#pragma once
// The main window's arithmetic: its first size, where the header strip, the quiz panel and the status
// label go for a client area of W x H, and the origin that centres it on the desktop.
#include "platform/ports/controls.h"

namespace fenok {

constexpr int kMainWindowWidth = 930;
constexpr int kMainWindowHeight = 600;

struct MainLayout {
  Rect headerPanel;
  Rect quizPanel;
  Rect statusLabel;
};

// The panels keep fixed margins and the status label hugs the bottom-right corner; a small client
// area gives negative sizes, which the window manager clamps, as the program always did.
MainLayout mainLayout(int clientWidth, int clientHeight);

// Where the status label is created, before the first layout moves it.
Rect initialStatusLabel(int clientHeight);

// The origin that centres a window of this extent in the desktop's, halves truncated toward zero.
int centredOrigin(int desktopStart, int desktopExtent, int windowExtent);

}  // namespace fenok
