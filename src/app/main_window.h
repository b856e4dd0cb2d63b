#pragma once
// The top-level window "Fenok": header strip, quiz panel and status label, laid out by one rule.
#include <windows.h>

#include "ui/main_layout.h"

namespace fenok {

constexpr int kStatusLabelId = 8000;

bool registerMainWindowClass(HINSTANCE instance);
HBRUSH createStatusBrush();  // 0x00C8D0D4 behind the status label
HWND createMainWindow(HINSTANCE instance, const char* title);
void centreOnDesktop(HWND window);
// Places both panels and the status label for a client area of W x H.
void layoutMainWindow(HWND mainWindow, HWND quizPanel, HWND headerPanel);
// Posts the quiz panel one wheel step for exactly one notch; nothing for any other delta.
void postWheelRequest(HWND quizPanel, WPARAM wParam);

}  // namespace fenok
