#pragma once
// The quiz panel's dialog procedure and the answer-box procedure: Windows messages in, logic calls out.
#include <windows.h>

namespace fenok {

constexpr int kQuizPanelTemplate = 1001;

INT_PTR CALLBACK quizPanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK answerBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the panel from its template; its whole construction pass runs before this returns.
HWND createQuizPanel(HINSTANCE instance, HWND mainWindow);

}  // namespace fenok
