#pragma once
// The header panel's dialog procedure: Windows messages in, logic calls out.
#include <windows.h>

#include "platform/resource_ids.h"

namespace fenok {

constexpr int kHeaderPanelTemplate = FENOK_HEADER_PANEL_TEMPLATE;

INT_PTR CALLBACK headerPanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
HWND createHeaderPanel(HINSTANCE instance, HWND mainWindow);

}  // namespace fenok
