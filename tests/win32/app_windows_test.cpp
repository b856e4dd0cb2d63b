// The player's own windows under Wine: main window, layout rule, wheel translation, and both panels
// made from their real templates with the real dialog procedures over the fallback quiz.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app_context.h"
#include "app_module_resources.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "header_panel_dialog.h"
#include "main_window.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_shell.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_pictures.h"
#include "quiz_panel_dialog.h"

namespace fenok {
namespace {

Rect windowRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect rectInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  POINT topLeft = {r.left, r.top};
  ScreenToClient(GetParent(window), &topLeft);
  return {topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top};
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The process-wide state the window procedures read, over the fallback quiz (no content resources here).
class PlayerWindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerMainWindowClass(GetModuleHandleA(nullptr)); }

  void SetUp() override {
    SetCurrentDirectoryA(tempDirectory().c_str());
    DeleteFileA(answersFile().c_str());
    quiz.reset(new Quiz());
    app.instance = GetModuleHandleA(nullptr);
    app.statusBrush = CreateSolidBrush(0x00C8D0D4);
    initQuiz(*quiz, graphics);
    app.quiz = quiz.get();
    publishAppContext(&app);
    loadQuiz(ContentPorts{resources, messages, graphics}, *quiz);
  }

  void TearDown() override {
    if (app.headerPanel) DestroyWindow(app.headerPanel);
    if (app.mainWindow) DestroyWindow(app.mainWindow);
    pumpMessages();
    freeQuiz(*quiz, graphics);
    DeleteObject(app.statusBrush);
    publishAppContext(nullptr);
    DeleteFileA(answersFile().c_str());
  }

  static std::string tempDirectory() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
  }
  std::string answersFile() const {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string name = module;
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return name.substr(0, name.size() - 3) + "txt";
  }

  // Start-up from the main window to the first scroll request, as the entry does it.
  void openPlayer() {
    app.mainWindow = createMainWindow(app.instance, quiz->title);
    centreOnDesktop(app.mainWindow);
    app.headerPanel = createHeaderPanel(app.instance, app.mainWindow);
    ShowWindow(app.headerPanel, SW_SHOWNORMAL);
    quiz->headerPanel = &app.headerControls;
    app.quizPanel = createQuizPanel(app.instance, app.mainWindow);
    quiz->quizPanel = &app.quizControls;
    ShowWindow(app.mainWindow, SW_SHOWNORMAL);
    ShowWindow(app.quizPanel, SW_SHOWNORMAL);
    SendMessageA(app.quizPanel, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  }

  HWND box(int id) const { return GetDlgItem(app.quizPanel, id); }
  std::string text(HWND parent, int id) const {
    char buffer[260] = {};
    GetDlgItemTextA(parent, id, buffer, sizeof buffer);
    return buffer;
  }

  std::unique_ptr<Quiz> quiz;
  testing::ModuleResources resources;
  MessageRecorder messages;
  Win32Graphics graphics{GetModuleHandleA(nullptr)};
  Win32Files files;
  Win32Pictures pictures{resources, messages};
  RecordingShell shell;
  AppContext app{Platform{messages, graphics, files, pictures, shell}};
};

TEST_F(PlayerWindowsTest, MainWindowIsCentredAndSized) {
  openPlayer();
  const Rect main = windowRect(app.mainWindow);
  EXPECT_EQ(main.width, 930);
  EXPECT_EQ(main.height, 600);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(main.x, centredOrigin(desktop.left, desktop.right - desktop.left, 930));
  EXPECT_EQ(main.y, centredOrigin(desktop.top, desktop.bottom - desktop.top, 600));
  char caption[260] = {};
  GetWindowTextA(app.mainWindow, caption, sizeof caption);
  EXPECT_STREQ(caption, quiz->title);
  EXPECT_EQ(GetClassLongA(app.mainWindow, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
  EXPECT_NE(SendMessageA(app.mainWindow, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(PlayerWindowsTest, LayoutRulePlacesPanelsAndStatusLabel) {
  openPlayer();
  for (const SIZE size : {SIZE{930, 600}, SIZE{1200, 800}, SIZE{500, 300}}) {
    SetWindowPos(app.mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(app.mainWindow, &client);
    const int w = client.right;
    const int h = client.bottom;
    EXPECT_EQ(rectInParent(app.quizPanel), (Rect{5, 50, w - 11, h - 68})) << size.cx;
    EXPECT_EQ(rectInParent(app.headerPanel), (Rect{5, 2, w - 11, 49})) << size.cx;
    EXPECT_EQ(rectInParent(GetDlgItem(app.mainWindow, kStatusLabelId)), (Rect{w - 145, h - 16, 150, 15})) << size.cx;
  }
}

TEST_F(PlayerWindowsTest, MinimisingLeavesThePanelsWhereTheyWere) {
  openPlayer();
  const Rect before = rectInParent(app.quizPanel);
  SendMessageA(app.mainWindow, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
  EXPECT_EQ(rectInParent(app.quizPanel), before);
}

TEST_F(PlayerWindowsTest, StatusLabelShowsTheStatusText) {
  openPlayer();
  EXPECT_EQ(text(app.mainWindow, kStatusLabelId), quiz->statusText);
  EXPECT_GT(std::strlen(quiz->statusText), 0u);
}

TEST_F(PlayerWindowsTest, FallbackQuizBuildsHeaderAndBoxes) {
  openPlayer();
  ASSERT_GT(quiz->questionCount, 0);
  EXPECT_EQ(text(app.headerPanel, 29), quiz->title);
  EXPECT_EQ(text(app.headerPanel, 27), "Sauver");
  for (int i = 1; i <= quiz->questionCount; ++i) {
    EXPECT_NE(box(4000 + i), nullptr) << i;
    EXPECT_EQ(text(app.quizPanel, 5000 + i), "?") << i;
  }
}

TEST_F(PlayerWindowsTest, EnterIsSwallowedAndJudgesOnRelease) {
  openPlayer();
  HWND first = box(4001);
  SetFocus(first);
  SendMessageA(first, WM_CHAR, 'Q', 0);
  SendMessageA(first, WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(text(app.quizPanel, 4001), "Q") << "the Enter character never reaches the box";
  EXPECT_EQ(text(app.quizPanel, 5001), "?") << "nothing is judged before the key is released";
  SendMessageA(first, WM_KEYUP, VK_RETURN, 0);
  EXPECT_NE(text(app.quizPanel, 5001), "?");
  EXPECT_EQ(GetFocus(), first) << "the focus stays in the box";
}

TEST_F(PlayerWindowsTest, LosingTheFocusJudges) {
  openPlayer();
  SetFocus(box(4001));
  SetWindowTextA(box(4001), "zzzz");
  SetFocus(box(4002));
  EXPECT_EQ(text(app.quizPanel, 5001), "FAUX");
}

TEST_F(PlayerWindowsTest, F2SavesEveryBox) {
  openPlayer();
  SetWindowTextA(box(4002), "abc\xE9");
  SendMessageA(box(4002), WM_KEYUP, VK_F2, 0);
  HANDLE file = CreateFileA(answersFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char content[512] = {};
  DWORD read = 0;
  ReadFile(file, content, sizeof content - 1, &read, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(content, read).substr(0, 8), "\r\nabc\xE9\r\n");
}

TEST_F(PlayerWindowsTest, CloseSavesThenDestroysTheQuizPanel) {
  openPlayer();
  SetWindowTextA(box(4001), "saved at close");
  HWND panel = app.quizPanel;
  SendMessageA(app.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_TRUE(IsWindow(app.mainWindow)) << "the main window itself is not destroyed by the close";
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  HANDLE file = CreateFileA(answersFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char content[64] = {};
  DWORD read = 0;
  ReadFile(file, content, sizeof content - 1, &read, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(content, read).substr(0, 16), "saved at close\r\n");
}

TEST_F(PlayerWindowsTest, OneWheelNotchOverTheQuizPanelScrollsOneStep) {
  openPlayer();
  SetWindowPos(app.mainWindow, nullptr, 0, 0, 930, 300, SWP_NOMOVE | SWP_NOZORDER);
  pumpMessages();
  const Rect before = rectInParent(box(4001));
  // The notch as the platform delivers it over the panel; nothing may pass it on to the main window too.
  SendMessageA(app.quizPanel, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  pumpMessages();
  EXPECT_EQ(GetScrollPos(app.quizPanel, SB_VERT), 50);
  EXPECT_EQ(rectInParent(box(4001)).y, before.y - 50);
}

// A window that records the scroll requests posted to it, standing for the quiz panel.
std::vector<int> postedCodes;
LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL) postedCodes.push_back(LOWORD(wParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

struct WheelCase {
  int delta;
  std::vector<int> codes;
};

class WheelTranslationTest : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelTranslationTest, OneNotchPostsOneStep) {
  WNDCLASSA recording = {};
  recording.lpfnWndProc = recordingProcedure;
  recording.hInstance = GetModuleHandleA(nullptr);
  recording.lpszClassName = "FenokWheelTarget";
  RegisterClassA(&recording);
  HWND target = CreateWindowExA(0, "FenokWheelTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  postedCodes.clear();
  postWheelRequest(target, MAKEWPARAM(0, static_cast<WORD>(GetParam().delta)));
  EXPECT_TRUE(postedCodes.empty()) << "posted, not sent";
  pumpMessages();
  EXPECT_EQ(postedCodes, GetParam().codes);
  DestroyWindow(target);
}

INSTANTIATE_TEST_SUITE_P(Deltas, WheelTranslationTest,
                         ::testing::Values(WheelCase{120, {501}}, WheelCase{-120, {500}}, WheelCase{240, {}},
                                           WheelCase{60, {}}, WheelCase{-60, {}}, WheelCase{0, {}}));

}  // namespace
}  // namespace fenok
