// The entry of fenok.exe: start-up in its fixed order, the one message loop, shut-down.
#include <windows.h>

#include <memory>
#include <new>

#include "app_context.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "header_panel_dialog.h"
#include "main_window.h"
#include "media/media_host.h"
#include "platform/win32/scoped_win.h"
#include "win32_adapters.h"
#include "quiz_panel_dialog.h"

namespace fenok {
namespace {

const char kCaption[] = "Fenok";
const char kClassFailure[] = "Erreur dans la cr\xE9" "ation de la fen\xEA" "tre principale";

int runMessageLoop(AppContext& app) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The quiz panel takes its dialog keys (Tab between boxes); the header panel gets none.
    if (app.quizPanel && IsDialogMessageA(app.quizPanel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void openWindows(AppContext& app) {
  app.mainWindow = createMainWindow(app.instance, app.quiz->title);
  centreOnDesktop(app.mainWindow);

  app.headerPanel = createHeaderPanel(app.instance, app.mainWindow);
  ShowWindow(app.headerPanel, SW_SHOWNORMAL);
  app.quiz->headerPanel = &app.headerControls;  // the quiz panel's construction updates the score

  app.quizPanel = createQuizPanel(app.instance, app.mainWindow);
  if (app.quizPanel) app.quiz->quizPanel = &app.quizControls;

  // Always the normal state, whatever show command the process was started with.
  ShowWindow(app.mainWindow, SW_SHOWNORMAL);
  ShowWindow(app.quizPanel, SW_SHOWNORMAL);
  SendMessageA(app.quizPanel, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
}

int run(HINSTANCE instance) {
  if (!registerMainWindowClass(instance)) {
    MessageBoxA(nullptr, kClassFailure, kCaption, MB_ICONINFORMATION);
    return 0;
  }
  Win32Adapters adapters(instance);
  AppContext app(adapters.platform());
  app.instance = instance;
  const GdiObject<HBRUSH> statusBrush(createStatusBrush());
  app.statusBrush = statusBrush.get();

  std::unique_ptr<Quiz> quiz(new (std::nothrow) Quiz());
  if (!quiz) return 0;
  initQuiz(*quiz, app.platform.graphics);
  app.quiz = quiz.get();
  publishAppContext(&app);

  loadQuiz(adapters.contentPorts(), *quiz);
  MediaHost media(adapters.mediaPorts(), *quiz);
  app.quizState.media = &media;
  media.startMediaSupport();

  openWindows(app);
  const int exitCode = runMessageLoop(app);

  DestroyWindow(app.headerPanel);
  app.headerPanel = nullptr;
  quiz->headerPanel = nullptr;
  // The players live in the main window's children: they go before the media support is let go.
  DestroyWindow(app.mainWindow);
  media.stopMediaSupport();
  freeQuiz(*quiz, app.platform.graphics);
  publishAppContext(nullptr);
  return exitCode;
}

}  // namespace
}  // namespace fenok

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return fenok::run(instance); }
