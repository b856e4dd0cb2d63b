#include "quiz_panel_dialog.h"

#include <string>

#include "app_context.h"
#include "content/quiz.h"
#include "label_painting.h"
#include "main_window.h"
#include "ui/quiz_panel.h"

namespace fenok {
namespace {

constexpr int kLabelTextBuffer = 260;

INT_PTR onInitDialog(AppContext& app, HWND panel) {
  // Controls moved into the place of a hidden picture would otherwise be painted over when the panel
  // erases the uncovered area after them.
  SetWindowLongA(panel, GWL_STYLE, GetWindowLongA(panel, GWL_STYLE) | WS_CLIPCHILDREN);
  app.quizControls = Win32Controls(panel, answerBoxProcedure);
  buildQuizPanel(app.platform, *app.quiz, app.quizState, app.quizControls);
  return TRUE;
}

INT_PTR onColourStatic(AppContext& app, HDC dc, HWND label) {
  char text[kLabelTextBuffer] = {};
  GetWindowTextA(label, text, sizeof text);
  const int id = GetWindowLongA(label, GWL_ID);
  const LabelColours colours = quizLabelColours(*app.quiz, app.quizState, id, text);
  return paintLabel(dc, colours);
}

void onScroll(AppContext& app, ScrollBar bar, WPARAM wParam) {
  handleScrollRequest(app.quizState, app.quizControls, bar, LOWORD(wParam));
}

LRESULT passOn(AppContext* app, HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC editProcedure = app ? app->quizControls.editProcedure() : nullptr;
  if (!editProcedure) return DefWindowProcA(box, message, wParam, lParam);
  return CallWindowProcA(editProcedure, box, message, wParam, lParam);
}

}  // namespace

HWND createQuizPanel(HINSTANCE instance, HWND mainWindow) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(kQuizPanelTemplate), mainWindow, quizPanelProcedure, 0);
}

INT_PTR CALLBACK quizPanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  AppContext* app = appContext();
  if (!app || !app->quiz) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(*app, panel);
    case WM_DESTROY:
    case WM_CLOSE:
      closeQuizPanel(app->platform, app->quizState);
      return 0;
    case WM_SIZE:
      resizeQuizPanel(*app->quiz, app->quizControls);
      return 0;
    case WM_COMMAND:
      handleQuizPanelCommand(*app->quiz, app->quizState, static_cast<std::uint32_t>(wParam));
      return 0;
    case WM_VSCROLL:
      onScroll(*app, ScrollBar::vertical, wParam);
      return 0;
    case WM_HSCROLL:
      onScroll(*app, ScrollBar::horizontal, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      // Handled here, so the dialog defaults do not pass the notch on to the main window as well,
      // which would scroll a second step.
      postWheelRequest(panel, wParam);
      SetWindowLongPtrA(panel, DWLP_MSGRESULT, 0);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(app->quiz->backBrush);
    case WM_CTLCOLORSTATIC:
      return onColourStatic(*app, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      return 0;
  }
}

LRESULT CALLBACK answerBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  AppContext* app = appContext();
  if (!app || !app->quiz) return passOn(app, box, message, wParam, lParam);
  const int boxId = GetDlgCtrlID(box);
  switch (message) {
    case WM_SETFOCUS:
      answerBoxSetFocus(app->quizControls, boxId);
      break;
    case WM_KILLFOCUS:
      answerBoxKillFocus(app->platform, *app->quiz, app->quizControls, boxId);
      break;
    case WM_CHAR:
      if (answerBoxSwallowsChar(static_cast<unsigned>(wParam))) return 0;
      break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN: {
      const KeyOutcome outcome = answerBoxKeyReleased(app->platform, *app->quiz, app->quizState, app->quizControls,
                                                      boxId, static_cast<unsigned>(wParam));
      if (!outcome.passOn) return outcome.result;
      break;
    }
    default:
      break;
  }
  return passOn(app, box, message, wParam, lParam);
}

}  // namespace fenok
