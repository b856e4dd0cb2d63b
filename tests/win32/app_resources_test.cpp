// The player's own resources as Windows sees them: panel templates, icons, hand cursor, version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/resource_ids.h"

namespace fenok {
namespace {

INT_PTR CALLBACK emptyProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct TemplateCase {
  int id;
  DWORD style;
};

class PanelTemplateTest : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(PanelTemplateTest, EmptyChildDialogWithItsStyle) {
  HWND host = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  HWND panel = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id), host, emptyProcedure, 0);
  ASSERT_NE(panel, nullptr);
  // The system adds DS_3DLOOK to every dialog it makes; the template itself holds exactly the style.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(panel, GWL_STYLE)) & ~static_cast<DWORD>(WS_CLIPSIBLINGS | DS_3DLOOK),
            GetParam().style);
  HRSRC stored = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id), MAKEINTRESOURCEA(5));
  ASSERT_NE(stored, nullptr);
  DWORD storedStyle = 0;
  std::memcpy(&storedStyle, LockResource(LoadResource(GetModuleHandleA(nullptr), stored)), sizeof storedStyle);
  EXPECT_EQ(storedStyle, GetParam().style);
  EXPECT_EQ(GetWindow(panel, GW_CHILD), nullptr);
  EXPECT_FALSE(IsWindowVisible(panel)) << "not visible at creation";
  DestroyWindow(host);
}

INSTANTIATE_TEST_SUITE_P(Templates, PanelTemplateTest,
                         ::testing::Values(TemplateCase{FENOK_QUIZ_PANEL_TEMPLATE, 0x40B00040}, TemplateCase{FENOK_HEADER_PANEL_TEMPLATE, 0x40800040}));

TEST(PlayerResources, HandCursorHasItsHotSpotAtTheFingerTip) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(FENOK_LINK_CURSOR));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(PlayerResources, PlayAndStopIcons) {
  for (int id : {FENOK_PLAY_ICON, FENOK_STOP_ICON}) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    ASSERT_NE(icon, nullptr) << id;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info)) << id;
    EXPECT_TRUE(info.fIcon) << id;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(PlayerResources, VersionNamesTheProgram) {
  HRSRC version = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  ASSERT_NE(version, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(GetModuleHandleA(nullptr), version)));
  const DWORD size = SizeofResource(GetModuleHandleA(nullptr), version);
  // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key; find its signature.
  bool found = false;
  for (DWORD i = 0; i + 4 <= size; ++i) {
    DWORD value;
    std::memcpy(&value, bytes + i, 4);
    if (value == 0xFEEF04BD) found = true;
  }
  EXPECT_TRUE(found);
}

TEST(PlayerResources, ManifestIsEmbedded) {
  EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);
}

}  // namespace
}  // namespace fenok
