// The studio's window made from its real template and driven through Win32FormControls, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "studio/studio_ids.h"
#include "win32_form_controls.h"

namespace fenok::studio {
namespace {

const std::string kElephant = "\xC3\x89l\xC3\xA9phant";  // "Éléphant" in UTF-8

// Every control, in the Tab order the author meets them: left column, middle, right, bottom.
constexpr int kTabOrder[] = {
    STUDIO_TITLE, STUDIO_AUTHOR, STUDIO_EXPLANATION, STUDIO_MEDIA, STUDIO_ANSWERS_PER_QUESTION,
    STUDIO_FIRST_CAPTION, STUDIO_SECOND_CAPTION, STUDIO_COMMENTS, STUDIO_ACCENTS, STUDIO_BACKGROUND,
    STUDIO_REWARDS, STUDIO_REWARD_CODE, STUDIO_QUESTIONS, STUDIO_ADD_QUESTIONS, STUDIO_REMOVE_QUESTION,
    STUDIO_MOVE_UP, STUDIO_MOVE_DOWN, STUDIO_FILE, STUDIO_FILE_BROWSE, STUDIO_TEXT, STUDIO_ANSWER, STUDIO_ALSO,
    STUDIO_TRIAL, STUDIO_SECOND_ANSWER, STUDIO_SECOND_ALSO, STUDIO_SECOND_TRIAL, STUDIO_COMMENT, STUDIO_SOLUTION,
    STUDIO_SOLUTION_BROWSE, STUDIO_PROBLEMS, STUDIO_CMD_TRY_QUIZ, STUDIO_CMD_CREATE_QUIZ};
constexpr int kOtherControls[] = {
    STUDIO_CAPTIONS_LABEL, STUDIO_BACKGROUND_SAMPLE, STUDIO_QUESTION_GROUP, STUDIO_FILE_LABEL, STUDIO_TEXT_LABEL,
    STUDIO_ANSWER_LABEL, STUDIO_ALSO_LABEL, STUDIO_TRIAL_LABEL, STUDIO_TRIAL_VERDICT, STUDIO_SECOND_ANSWER_LABEL,
    STUDIO_SECOND_ALSO_LABEL, STUDIO_SECOND_TRIAL_LABEL, STUDIO_SECOND_TRIAL_VERDICT, STUDIO_COMMENT_LABEL,
    STUDIO_SOLUTION_LABEL, STUDIO_PROBLEMS_LABEL};
// Fields whose label comes just before them, so the label's mnemonic reaches them.
constexpr int kLabelledFields[] = {STUDIO_TITLE, STUDIO_AUTHOR, STUDIO_EXPLANATION, STUDIO_MEDIA, STUDIO_COMMENTS,
                                   STUDIO_REWARDS, STUDIO_QUESTIONS, STUDIO_TEXT, STUDIO_ALSO, STUDIO_TRIAL,
                                   STUDIO_COMMENT, STUDIO_SOLUTION, STUDIO_PROBLEMS};
constexpr int kLists[] = {STUDIO_MEDIA, STUDIO_REWARDS, STUDIO_QUESTIONS};

INT_PTR CALLBACK quietProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// What a list shows in a row: the list view's cells in their displayed order, joined by "|".
std::wstring shownRow(HWND list, int index) {
  wchar_t text[256] = {};
  if (className(list) == WC_LISTBOXW) {
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  if (className(list) == WC_COMBOBOXW) {
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  int order[2] = {};
  SendMessageW(list, LVM_GETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  std::wstring shown;
  for (int column : order) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    shown += (shown.empty() ? L"" : L"|") + std::wstring(text);
  }
  return shown;
}

int imageOf(HWND listView, int index) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  SendMessageW(listView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

std::shared_ptr<const Thumbnail> grey(int width, int height, std::size_t bytes) {
  auto thumbnail = std::make_shared<Thumbnail>();
  thumbnail->width = width;
  thumbnail->height = height;
  thumbnail->bgra.assign(bytes, 0x80);
  return thumbnail;
}

class StudioWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(STUDIO_WINDOW_TEMPLATE), nullptr,
                                quietProcedure, 0);
    ASSERT_NE(window, nullptr);
    controls = std::make_unique<Win32FormControls>(window);
  }
  void TearDown() override {
    controls.reset();
    if (window) DestroyWindow(window);
  }

  HWND window = nullptr;
  std::unique_ptr<Win32FormControls> controls;
};

TEST_F(StudioWindowTest, EveryControlOfTheWindowIsInTheTemplate) {
  for (int id : kTabOrder) EXPECT_NE(GetDlgItem(window, id), nullptr) << id;
  for (int id : kOtherControls) EXPECT_NE(GetDlgItem(window, id), nullptr) << id;
  EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(StudioWindowTest, TabFollowsTheScreenAndLabelsPrecedeTheirFields) {
  HWND at = GetDlgItem(window, kTabOrder[0]);
  for (int id : kTabOrder) {
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(GetDlgCtrlID(at), id);
    at = GetNextDlgTabItem(window, at, FALSE);
  }
  EXPECT_EQ(GetDlgCtrlID(at), kTabOrder[0]);  // round again
  for (int id : kLabelledFields) {
    EXPECT_EQ(className(GetWindow(GetDlgItem(window, id), GW_HWNDPREV)), L"Static") << id;
  }
}

TEST_F(StudioWindowTest, ShortcutsReachTheirCommands) {
  struct Shortcut {
    WORD key;
    BYTE modifiers;
    WORD command;
  };
  const Shortcut expected[] = {{'N', FCONTROL, STUDIO_CMD_NEW_FROM_FOLDER}, {'O', FCONTROL, STUDIO_CMD_OPEN},
                               {'S', FCONTROL, STUDIO_CMD_SAVE}, {VK_F5, 0, STUDIO_CMD_TRY_QUIZ}};
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(STUDIO_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  ACCEL entries[8] = {};
  const int count = CopyAcceleratorTableW(table, entries, 8);
  ASSERT_EQ(count, 4);
  for (const Shortcut& shortcut : expected) {
    bool found = false;
    for (int i = 0; i < count; ++i) {
      found = found || (entries[i].key == shortcut.key && entries[i].cmd == shortcut.command &&
                        (entries[i].fVirt & (FCONTROL | FSHIFT | FALT)) == shortcut.modifiers);
    }
    EXPECT_TRUE(found) << shortcut.command;
  }
}

// Alt+letter must reach one field: no two labels, buttons or menus of the bar share a letter.
TEST_F(StudioWindowTest, NoTwoMnemonicsShareALetter) {
  std::vector<std::wstring> texts;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    texts.push_back(text);
  }
  HMENU bar = GetMenu(window);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    texts.push_back(text);
  }
  std::wstring letters;
  for (const std::wstring& text : texts) {
    const std::size_t at = text.find(L'&');
    if (at == std::wstring::npos || at + 1 >= text.size()) continue;
    const wchar_t letter = static_cast<wchar_t>(towupper(text[at + 1]));
    EXPECT_EQ(letters.find(letter), std::wstring::npos) << "twice: " << static_cast<char>(letter);
    letters += letter;
  }
  EXPECT_GE(letters.size(), 15u);
}

TEST_F(StudioWindowTest, TextsCrossAsUtf8BothWays) {
  controls->setText(STUDIO_TITLE, kElephant);
  EXPECT_EQ(controls->text(STUDIO_TITLE), kElephant);
  EXPECT_EQ(controls->text(STUDIO_ALSO_LABEL), "Autres formes accept\xC3\xA9" "es (s\xC3\xA9" "par\xC3\xA9" "es par ;) :");
  EXPECT_EQ(controls->text(STUDIO_CMD_CREATE_QUIZ), "Cr\xC3\xA9" "er le quiz\xE2\x80\xA6");
  EXPECT_EQ(controls->text(9999), "");
}

TEST_F(StudioWindowTest, ListsTakeRowsAndSelections) {
  for (int id : kLists) {
    SCOPED_TRACE(id);
    HWND list = GetDlgItem(window, id);
    controls->setRows(id, {{{"1", kElephant}, nullptr}, {{"2", "b"}, nullptr}, {{"3", "c"}, nullptr}});
    EXPECT_EQ(controls->selection(id), -1);
    controls->select(id, 1);
    EXPECT_EQ(controls->selection(id), 1);
    controls->setRow(id, 1, {{"20", "bb"}, nullptr});
    EXPECT_EQ(controls->selection(id), 1);  // replaced in place, still chosen
    const bool listView = id == STUDIO_QUESTIONS;
    EXPECT_EQ(shownRow(list, 0), listView ? L"1|\u00C9l\u00E9phant" : L"1");
    EXPECT_EQ(shownRow(list, 1), listView ? L"20|bb" : L"20");
    controls->select(id, 3);
    EXPECT_EQ(controls->selection(id), -1);
  }
}

TEST_F(StudioWindowTest, ALongProblemCanBeScrolledTo) {
  HWND problems = GetDlgItem(window, STUDIO_PROBLEMS);
  RECT client;
  GetClientRect(problems, &client);
  controls->setRows(STUDIO_PROBLEMS, {{{std::string(300, 'W')}, nullptr}});
  EXPECT_GT(SendMessageW(problems, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
}

TEST_F(StudioWindowTest, QuestionRowsHaveTheirThumbnailsOrNone) {
  HWND list = GetDlgItem(window, STUDIO_QUESTIONS);
  const auto fits = grey(STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT, STUDIO_THUMBNAIL_WIDTH * STUDIO_THUMBNAIL_HEIGHT * 4);
  const auto shortBytes = grey(10, 10, 399);
  controls->setRows(STUDIO_QUESTIONS, {{{"1", "a"}, fits}, {{"2", "b"}, nullptr}, {{"3", "c"}, shortBytes}});
  const int first = imageOf(list, 0);
  EXPECT_GE(first, 0);
  EXPECT_EQ(imageOf(list, 1), I_IMAGENONE);
  EXPECT_EQ(imageOf(list, 2), I_IMAGENONE);  // its bytes do not cover its size: not read
  controls->setRow(STUDIO_QUESTIONS, 0, {{"1", "a"}, grey(4, 4, 64)});
  EXPECT_EQ(imageOf(list, 0), first);
  controls->setRow(STUDIO_QUESTIONS, 1, {{"2", "b"}, fits});
  EXPECT_GE(imageOf(list, 1), 0);
  EXPECT_NE(imageOf(list, 1), first);
}

TEST_F(StudioWindowTest, ShowEnableAndFocus) {
  ShowWindow(window, SW_SHOW);
  controls->show(STUDIO_TRIAL_VERDICT, false);
  EXPECT_FALSE(controls->isVisible(STUDIO_TRIAL_VERDICT));
  controls->show(STUDIO_TRIAL_VERDICT, true);
  EXPECT_TRUE(controls->isVisible(STUDIO_TRIAL_VERDICT));
  controls->enable(STUDIO_MOVE_UP, false);
  EXPECT_FALSE(controls->isEnabled(STUDIO_MOVE_UP));
  controls->setFocus(STUDIO_AUTHOR);
  EXPECT_EQ(controls->focusedId(), STUDIO_AUTHOR);
  EXPECT_FALSE(controls->isVisible(9999));
}

}  // namespace
}  // namespace fenok::studio
