// Win32Controls over a real dialog made from the player's quiz panel template, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/resource_ids.h"
#include "platform/win32/win32_controls.h"

namespace fenok {
namespace {

constexpr int kPanelTemplate = FENOK_QUIZ_PANEL_TEMPLATE;
constexpr std::uint32_t kEditStyle = 0x50810081;
constexpr std::uint32_t kLabelStyle = 0x50000000;
constexpr std::uint32_t kBitmapStyle = 0x5080020E;
constexpr std::uint32_t kCheckBoxStyle = 0x50000003;

struct ScrollCall {
  UINT message;
  int code;
};
std::vector<ScrollCall> scrollCalls;

INT_PTR CALLBACK recordingPanelProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    scrollCalls.push_back({message, LOWORD(wParam)});
    return 0;
  }
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::vector<UINT> boxMessages;
LRESULT CALLBACK recordingBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
Win32Controls* boxOwner = nullptr;

LRESULT CALLBACK recordingBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  boxMessages.push_back(message);
  return CallWindowProcA(boxOwner->editProcedure(), box, message, wParam, lParam);
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scrollCalls.clear();
    boxMessages.clear();
    host = CreateWindowExA(0, "Static", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    panelWindow = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPanelTemplate), host,
                                     recordingPanelProcedure, 0);
    ASSERT_NE(panelWindow, nullptr);
    SetWindowPos(panelWindow, nullptr, 5, 50, 400, 300, SWP_NOZORDER);
    ShowWindow(panelWindow, SW_SHOWNORMAL);
    controls = std::make_unique<Win32Controls>(panelWindow, recordingBoxProcedure);
    boxOwner = controls.get();
    SetForegroundWindow(host);
  }
  void TearDown() override {
    controls.reset();
    DestroyWindow(host);
    pumpMessages();
  }

  HWND host = nullptr;
  HWND panelWindow = nullptr;
  std::unique_ptr<Win32Controls> controls;
};

TEST_F(ControlsTest, PanelComesFromTheEmptyTemplateWithItsStyle) {
  const LONG style = GetWindowLongA(panelWindow, GWL_STYLE);
  EXPECT_EQ(style & 0x40B00040, 0x40B00040);
  EXPECT_EQ(GetWindow(panelWindow, GW_CHILD), nullptr) << "the template holds no controls";
}

TEST_F(ControlsTest, CreatesControlsWithTheirPlaceTextAndStyle) {
  controls->create("Static", "?", 0x50800201, {46, 274, 260, 20}, 5001);
  ASSERT_TRUE(controls->exists(5001));
  EXPECT_FALSE(controls->exists(5002));
  EXPECT_EQ(controls->rect(5001), (Rect{46, 274, 260, 20}));
  EXPECT_EQ(controls->text(5001, 260), "?");
  EXPECT_EQ(static_cast<std::uint32_t>(GetWindowLongA(GetDlgItem(panelWindow, 5001), GWL_STYLE)) & 0xFFFF0FFF,
            0x50800201u & 0xFFFF0FFF);
  EXPECT_TRUE(controls->isVisible(5001));
  EXPECT_EQ(controls->window(5001), GetDlgItem(panelWindow, 5001));
}

TEST_F(ControlsTest, TextIsCutToTheBufferLessOne) {
  controls->create("Static", "", kLabelStyle, {0, 0, 100, 20}, 10);
  controls->setText(10, "BRAVO");
  EXPECT_EQ(controls->text(10, 260), "BRAVO");
  EXPECT_EQ(controls->text(10, 4), "BRA");
  EXPECT_EQ(controls->text(10, 1), "");
  EXPECT_EQ(controls->text(99, 260), "") << "a missing control reads empty";
}

TEST_F(ControlsTest, AccentedTextKeepsItsBytes) {
  controls->create("Edit", "", kEditStyle, {0, 0, 200, 20}, 4001);
  const std::string text = "y a de l'id\xE9" "e \xE0 \xC7";
  controls->setText(4001, text);
  EXPECT_EQ(controls->text(4001, 260), text);
}

TEST_F(ControlsTest, TextLimitStopsTypingButNotSetText) {
  controls->create("Edit", "", kEditStyle, {0, 0, 200, 20}, 4001);
  controls->limitText(4001, 40);
  HWND box = GetDlgItem(panelWindow, 4001);
  for (int i = 0; i < 45; ++i) SendMessageA(box, WM_CHAR, 'a', 0);
  EXPECT_EQ(controls->text(4001, 260), std::string(40, 'a'));
  controls->setText(4001, std::string(50, 'b'));
  EXPECT_EQ(controls->text(4001, 260), std::string(50, 'b'));
}

TEST_F(ControlsTest, SharedIdentifierFindsTheFirstAndFontGoesToTheLast) {
  controls->create("Static", "first", kLabelStyle, {0, 0, 100, 20}, 156);
  controls->create("Static", "second", kLabelStyle, {0, 30, 100, 20}, 156);
  EXPECT_EQ(controls->text(156, 260), "first");
  HFONT font = CreateFontA(-20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "");
  controls->setLastCreatedFont(156, font, false);
  HWND first = GetDlgItem(panelWindow, 156);
  HWND second = GetWindow(first, GW_HWNDNEXT);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetDlgCtrlID(second), 156);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(second, WM_GETFONT, 0, 0)), font);
  EXPECT_NE(reinterpret_cast<HFONT>(SendMessageA(first, WM_GETFONT, 0, 0)), font);
  DestroyWindow(first);
  DestroyWindow(second);
  DeleteObject(font);
}

TEST_F(ControlsTest, MoveKeepsSizeAndSetRectResizes) {
  controls->create("Static", "", kLabelStyle, {10, 20, 30, 40}, 2001);
  controls->move(2001, 15, 120);
  EXPECT_EQ(controls->rect(2001), (Rect{15, 120, 30, 40}));
  controls->setRect(2001, {1, 2, 3, 4});
  EXPECT_EQ(controls->rect(2001), (Rect{1, 2, 3, 4}));
}

TEST_F(ControlsTest, ShowAndHide) {
  controls->create("Static", "", kLabelStyle, {0, 0, 30, 40}, 8001);
  controls->show(8001, kSwHide);
  EXPECT_FALSE(controls->isVisible(8001));
  controls->show(8001, kSwShowNormal);
  EXPECT_TRUE(controls->isVisible(8001));
}

TEST_F(ControlsTest, CheckBoxTogglesItselfWhenClicked) {
  controls->create("button", "Cacher", kCheckBoxStyle, {0, 0, 85, 18}, 33);
  EXPECT_EQ(controls->checkState(33), 0);
  SendMessageA(GetDlgItem(panelWindow, 33), BM_CLICK, 0, 0);
  EXPECT_EQ(controls->checkState(33), 1);
  EXPECT_EQ(controls->checkState(34), 0) << "a missing box reads unchecked";
}

TEST_F(ControlsTest, ImageOfAPictureLabel) {
  controls->create("Static", "", kBitmapStyle, {0, 0, 260, 225}, 9901);
  EXPECT_EQ(controls->image(9901), nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 260, 225);
  ReleaseDC(nullptr, screen);
  controls->setImage(9901, ImageType::bitmap, bitmap);
  EXPECT_EQ(controls->image(9901), bitmap);
  DestroyWindow(GetDlgItem(panelWindow, 9901));
  DeleteObject(bitmap);
}

TEST_F(ControlsTest, IconOnAButton) {
  controls->create("Button", "", 0x50010041, {0, 0, 20, 20}, 6001);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(FENOK_PLAY_ICON));
  ASSERT_NE(icon, nullptr) << "play icon missing from the resources";
  controls->setImage(6001, ImageType::icon, icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(GetDlgItem(panelWindow, 6001), BM_GETIMAGE, IMAGE_ICON, 0)), icon);
}

TEST_F(ControlsTest, FocusMovesBetweenBoxesAndSelects) {
  controls->create("Edit", "one", kEditStyle, {0, 0, 100, 20}, 4001);
  controls->create("Edit", "two words", kEditStyle, {0, 30, 100, 20}, 4002);
  controls->setFocus(4001);
  EXPECT_EQ(controls->focusedId(), 4001);
  controls->setFocus(4002);
  EXPECT_EQ(controls->focusedId(), 4002);
  controls->selectText(4002, 0, 260);
  DWORD from = 0, to = 0;
  SendMessageA(GetDlgItem(panelWindow, 4002), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 9u);
  SetFocus(host);
  EXPECT_EQ(controls->focusedId(), 0) << "focus outside the panel";
}

TEST_F(ControlsTest, AnswerBoxProcedureReplacesTheEditOneAndPassesOn) {
  controls->create("Edit", "", kEditStyle, {0, 0, 100, 20}, 4001);
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(GetDlgItem(panelWindow, 4001), GWLP_WNDPROC));
  controls->installAnswerBoxProcedure(4001);
  EXPECT_EQ(controls->editProcedure(), original);
  controls->create("Edit", "", kEditStyle, {0, 30, 100, 20}, 4002);
  controls->installAnswerBoxProcedure(4002);
  EXPECT_EQ(controls->editProcedure(), original) << "one saved procedure serves every box";
  SendMessageA(GetDlgItem(panelWindow, 4001), WM_CHAR, 'x', 0);
  EXPECT_EQ(controls->text(4001, 260), "x") << "the edit procedure still runs";
  EXPECT_NE(std::find(boxMessages.begin(), boxMessages.end(), static_cast<UINT>(WM_CHAR)), boxMessages.end());
}

TEST_F(ControlsTest, LinkCursorIsTheClassCursor) {
  controls->create("Static", "www", 0x50000100, {0, 0, 115, 18}, 24);
  controls->useLinkCursor(24);
  HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(GetDlgItem(panelWindow, 24), GCLP_HCURSOR));
  EXPECT_NE(cursor, nullptr);
  EXPECT_NE(cursor, LoadCursorA(nullptr, IDC_ARROW));
  SetClassLongPtrA(GetDlgItem(panelWindow, 24), GCLP_HCURSOR,
                   reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));  // the class is process-wide
}

TEST_F(ControlsTest, ClientRectOfThePanel) {
  const Rect client = controls->clientRect();
  RECT real;
  GetClientRect(panelWindow, &real);
  EXPECT_EQ(client, (Rect{0, 0, real.right, real.bottom}));
  EXPECT_LT(client.width, 400) << "the bars take room";
}

struct ClampCase {
  int maximum, page, asked, expected;
};

class ScrollClampTest : public ControlsTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(ScrollClampTest, PositionStaysWithinRangeLessPage) {
  const ClampCase& c = GetParam();
  controls->setScrollRange(ScrollBar::vertical, c.maximum, c.page, true);
  controls->setScrollPosition(ScrollBar::vertical, c.asked, true);
  const ScrollState state = controls->scrollState(ScrollBar::vertical);
  EXPECT_EQ(state.minimum, 0);
  EXPECT_EQ(state.maximum, c.maximum);
  EXPECT_EQ(state.page, c.page);
  EXPECT_EQ(state.position, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, ScrollClampTest,
                         ::testing::Values(ClampCase{998, 399, 700, 600},  // 1000 high content in 400
                                           ClampCase{998, 399, 600, 600}, ClampCase{998, 399, 599, 599},
                                           ClampCase{998, 399, -5, 0}, ClampCase{998, 399, 0, 0},
                                           ClampCase{313, 314, 100, 0}));  // the page covers it all

TEST_F(ControlsTest, ShrinkingRangeLowersThePosition) {
  controls->setScrollRange(ScrollBar::vertical, 998, 399, true);
  controls->setScrollPosition(ScrollBar::vertical, 600, true);
  controls->setScrollRange(ScrollBar::vertical, 798, 399, true);
  EXPECT_EQ(controls->scrollState(ScrollBar::vertical).position, 400);
}

TEST_F(ControlsTest, BarCoveredByItsPageStaysShownDisabled) {
  controls->setScrollRange(ScrollBar::horizontal, 100, 300, true);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(panelWindow, OBJID_HSCROLL, &info));
  EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << "the bar is not removed";
}

TEST_F(ControlsTest, HorizontalAndVerticalBarsAreSeparate) {
  controls->setScrollRange(ScrollBar::horizontal, 908, 380, true);
  controls->setScrollRange(ScrollBar::vertical, 998, 270, true);
  controls->setScrollPosition(ScrollBar::horizontal, 3, true);
  EXPECT_EQ(controls->scrollState(ScrollBar::horizontal).position, 3);
  EXPECT_EQ(controls->scrollState(ScrollBar::vertical).position, 0);
}

TEST_F(ControlsTest, ScrollContentMovesChildren) {
  controls->create("Static", "", kLabelStyle, {10, 100, 30, 20}, 2001);
  controls->scrollContent(0, -50);
  EXPECT_EQ(controls->rect(2001), (Rect{10, 50, 30, 20}));
  controls->scrollContent(-3, 0);
  EXPECT_EQ(controls->rect(2001), (Rect{7, 50, 30, 20}));
}

TEST_F(ControlsTest, SentRequestsRunAtOncePostedOnesWait) {
  controls->sendScrollRequest(ScrollBar::vertical, 502);
  ASSERT_EQ(scrollCalls.size(), 1u);
  EXPECT_EQ(scrollCalls[0].message, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(scrollCalls[0].code, 502);
  controls->postScrollRequest(ScrollBar::horizontal, 1);
  EXPECT_EQ(scrollCalls.size(), 1u);
  pumpMessages();
  ASSERT_EQ(scrollCalls.size(), 2u);
  EXPECT_EQ(scrollCalls[1].message, static_cast<UINT>(WM_HSCROLL));
  EXPECT_EQ(scrollCalls[1].code, 1);
}

}  // namespace
}  // namespace fenok
