#pragma once
// The quiz panel's dialog procedure and the answer-box procedure: Windows messages in, logic calls out.
#include <windows.h>

#include "platform/resource_ids.h"

namespace fenok {

constexpr int kQuizPanelTemplate = FENOK_QUIZ_PANEL_TEMPLATE;

INT_PTR CALLBACK quizPanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK answerBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the panel from its template; its whole construction pass runs before this returns.
HWND createQuizPanel(HINSTANCE instance, HWND mainWindow);

}  // namespace fenok
