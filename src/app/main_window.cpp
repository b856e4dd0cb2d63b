#include "main_window.h"

#include "app_context.h"
#include "content/quiz.h"
#include "persist/saved_answers.h"
#include "ui/main_layout.h"
#include "ui/quiz_panel.h"

namespace fenok {
namespace {

const char kClassName[] = "Fenok";
constexpr COLORREF kStatusBrushColour = 0x00C8D0D4;
constexpr int kStatusLabelStyle = WS_CHILD | WS_VISIBLE;

void place(HWND window, const Rect& r, UINT flags) {
  if (window) SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height, flags);
}

void createLabel(HWND parent, const char* text, const Rect& r, int id) {
  HWND label = CreateWindowExA(0, "Static", text, kStatusLabelStyle, r.x, r.y, r.width, r.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void onCreate(HWND window) {
  AppContext* app = appContext();
  RECT client;
  GetClientRect(window, &client);
  createLabel(window, app && app->quiz ? app->quiz->statusText : "", initialStatusLabel(client.bottom),
              kStatusLabelId);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
}

// Closing the panel first lets it remove its clip file; the loop then ends.
void destroyQuizPanelAndQuit() {
  AppContext* app = appContext();
  if (app && app->quizPanel) {
    HWND panel = app->quizPanel;
    app->quizPanel = nullptr;
    if (app->quiz) app->quiz->quizPanel = nullptr;
    DestroyWindow(panel);
  }
  PostQuitMessage(0);
}

void onClose() {
  AppContext* app = appContext();
  if (app && app->quiz && app->quizPanel) saveAnswers(app->platform.files, *app->quiz);
  destroyQuizPanelAndQuit();
}

// Only the status label is painted here; its text sits on the status brush, not on a white cell.
LRESULT onColourStatic(HDC dc, HWND label) {
  AppContext* app = appContext();
  if (GetWindowLongA(label, GWL_ID) != kStatusLabelId || !app) return 0;
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(app->statusBrush);
}

LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AppContext* app = appContext();
  switch (message) {
    case WM_CREATE:
      onCreate(window);
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && app) layoutMainWindow(window, app->quizPanel, app->headerPanel);
      return 0;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_DESTROY:
      destroyQuizPanelAndQuit();
      return 0;
    case WM_CTLCOLORSTATIC:
      return onColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL:
      if (app) postWheelRequest(app->quizPanel, wParam);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = mainWindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0;
}

HBRUSH createStatusBrush() { return CreateSolidBrush(kStatusBrushColour); }

HWND createMainWindow(HINSTANCE instance, const char* title) {
  return CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
}

void centreOnDesktop(HWND window) {
  RECT desktop;
  RECT own;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &own);
  const int x = centredOrigin(desktop.left, desktop.right - desktop.left, own.right - own.left);
  const int y = centredOrigin(desktop.top, desktop.bottom - desktop.top, own.bottom - own.top);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void layoutMainWindow(HWND mainWindow, HWND quizPanel, HWND headerPanel) {
  RECT client;
  GetClientRect(mainWindow, &client);
  const MainLayout layout = mainLayout(client.right - client.left, client.bottom - client.top);
  // In this order: the quiz panel, then the header strip over its top edge, then the label.
  place(quizPanel, layout.quizPanel, SWP_NOZORDER);
  place(headerPanel, layout.headerPanel, SWP_NOZORDER);
  place(GetDlgItem(mainWindow, kStatusLabelId), layout.statusLabel, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void postWheelRequest(HWND quizPanel, WPARAM wParam) {
  const int code = wheelScrollCode(HIWORD(wParam));
  if (code >= 0 && quizPanel) PostMessageA(quizPanel, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

}  // namespace fenok
