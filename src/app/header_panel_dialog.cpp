#include "header_panel_dialog.h"

#include "app_context.h"
#include "content/quiz.h"
#include "label_painting.h"
#include "ui/header_panel.h"

namespace fenok {
namespace {

INT_PTR onColourStatic(AppContext& app, HDC dc, HWND control) {
  const HeaderColours colours = headerLabelColours(app.headerState, GetWindowLongA(control, GWL_ID));
  return paintLabel(dc, colours);
}

}  // namespace

HWND createHeaderPanel(HINSTANCE instance, HWND mainWindow) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(kHeaderPanelTemplate), mainWindow, headerPanelProcedure, 0);
}

INT_PTR CALLBACK headerPanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  AppContext* app = appContext();
  if (!app || !app->quiz) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      app->headerControls.setPanel(panel);
      buildHeaderPanel(app->platform, *app->quiz, app->headerState, app->headerControls);
      return TRUE;
    case WM_SIZE:
      layoutHeaderPanel(*app->quiz, app->headerControls);
      return 0;
    case WM_COMMAND:
      handleHeaderCommand(app->platform, *app->quiz, static_cast<std::uint32_t>(wParam));
      return 0;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(app->headerState.panelBrush);
    case WM_CTLCOLORSTATIC:
      return onColourStatic(*app, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      destroyHeaderPanel(app->platform, app->headerState);
      return 0;
    default:
      return 0;
  }
}

}  // namespace fenok
