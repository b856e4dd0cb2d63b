#pragma once
// The process-wide state of the player: the one Quiz, the two panels, the status brush and the
// adapters through which the logic reaches Windows. Built by the entry, read by every window procedure.
#include <windows.h>

#include "platform/ports/platform.h"
#include "platform/win32/win32_controls.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"

namespace fenok {

struct Quiz;

struct AppContext {
  explicit AppContext(const Platform& ports) : platform(ports) {}

  HINSTANCE instance = nullptr;
  HBRUSH statusBrush = nullptr;
  HWND mainWindow = nullptr;
  HWND headerPanel = nullptr;
  HWND quizPanel = nullptr;
  Quiz* quiz = nullptr;
  Platform platform;
  Win32Controls headerControls{nullptr};
  Win32Controls quizControls{nullptr};
  HeaderPanelState headerState;
  QuizPanelState quizState;
};

// Published by the entry before any window exists; null before and after the run.
AppContext* appContext();
void publishAppContext(AppContext* context);

}  // namespace fenok
