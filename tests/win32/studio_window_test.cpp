// The studio's window made from its real template and driven through Win32FormControls, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "content/quiz.h"
#include "studio/studio_ids.h"
#include "studio/studio_texts.h"
#include "studio_window.h"
#include "win32_form_controls.h"

namespace fenok::studio {
namespace {

const std::string kElephant = "\xC3\x89l\xC3\xA9phant";  // "Éléphant" in UTF-8

// Every control, in the Tab order the author meets them: left column, middle, right, bottom.
constexpr int kTabOrder[] = {
    STUDIO_TITLE, STUDIO_AUTHOR, STUDIO_EXPLANATION, STUDIO_MEDIA, STUDIO_ANSWERS_PER_QUESTION,
    STUDIO_FIRST_CAPTION, STUDIO_SECOND_CAPTION, STUDIO_COMMENTS, STUDIO_ACCENTS, STUDIO_BACKGROUND,
    STUDIO_REWARDS, STUDIO_REWARD_CODE, STUDIO_QUESTIONS, STUDIO_ADD_QUESTIONS, STUDIO_REMOVE_QUESTION,
    STUDIO_MOVE_UP, STUDIO_MOVE_DOWN, STUDIO_PLAY_CLIP, STUDIO_FILE, STUDIO_FILE_BROWSE, STUDIO_TEXT, STUDIO_ANSWER,
    STUDIO_SECOND_ANSWER, STUDIO_ALSO, STUDIO_SECOND_ALSO, STUDIO_TRIAL, STUDIO_SECOND_TRIAL, STUDIO_COMMENT,
    STUDIO_SOLUTION, STUDIO_SOLUTION_BROWSE, STUDIO_PROBLEMS, STUDIO_CMD_TRY_QUIZ, STUDIO_CMD_CREATE_QUIZ};
constexpr int kOtherControls[] = {
    STUDIO_QUIZ_GROUP, STUDIO_BACKGROUND_SAMPLE, STUDIO_REWARD_CODE_LABEL, STUDIO_QUESTION_GROUP, STUDIO_PREVIEW,
    STUDIO_SOLUTION_PREVIEW, STUDIO_PREVIEW_TEXT, STUDIO_FILE_LABEL, STUDIO_TEXT_LABEL, STUDIO_ANSWER_LABEL,
    STUDIO_ALSO_LABEL, STUDIO_TRIAL_LABEL, STUDIO_TRIAL_VERDICT, STUDIO_SECOND_TRIAL_VERDICT, STUDIO_COMMENT_LABEL,
    STUDIO_SOLUTION_LABEL, STUDIO_PROBLEMS_LABEL};
// Fields whose label comes just before them, so the label's mnemonic reaches them.
constexpr int kLabelledFields[] = {STUDIO_TITLE, STUDIO_AUTHOR, STUDIO_EXPLANATION, STUDIO_MEDIA,
                                   STUDIO_ANSWERS_PER_QUESTION, STUDIO_COMMENTS, STUDIO_REWARDS, STUDIO_REWARD_CODE,
                                   STUDIO_QUESTIONS, STUDIO_TEXT, STUDIO_ANSWER, STUDIO_ALSO, STUDIO_TRIAL,
                                   STUDIO_COMMENT, STUDIO_SOLUTION, STUDIO_PROBLEMS};
constexpr int kLists[] = {STUDIO_MEDIA, STUDIO_REWARDS, STUDIO_QUESTIONS};

INT_PTR CALLBACK quietProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The letter Alt reaches a text by, upper case; 0 for none.
wchar_t mnemonic(const std::wstring& text) {
  const std::size_t at = text.find(L'&');
  return at == std::wstring::npos || at + 1 >= text.size() ? 0 : static_cast<wchar_t>(towupper(text[at + 1]));
}

std::wstring wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
  text.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
  return text;
}

RECT placeOf(HWND window, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

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

std::shared_ptr<const FormPicture> grey(int width, int height, std::size_t bytes) {
  auto thumbnail = std::make_shared<FormPicture>();
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
                               {'S', FCONTROL, STUDIO_CMD_SAVE},           {'Z', FCONTROL, STUDIO_CMD_UNDO},
                               {'Y', FCONTROL, STUDIO_CMD_REDO},           {VK_F5, 0, STUDIO_CMD_TRY_QUIZ},
                               {VK_F1, 0, STUDIO_CMD_GUIDE}};
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(STUDIO_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  ACCEL entries[16] = {};
  const int count = CopyAcceleratorTableW(table, entries, 16);
  ASSERT_EQ(count, static_cast<int>(std::size(expected)));
  for (const Shortcut& shortcut : expected) {
    bool found = false;
    for (int i = 0; i < count; ++i) {
      found = found || (entries[i].key == shortcut.key && entries[i].cmd == shortcut.command &&
                        (entries[i].fVirt & (FCONTROL | FSHIFT | FALT)) == shortcut.modifiers);
    }
    EXPECT_TRUE(found) << shortcut.command;
  }
}

// Alt+letter must reach one field: no two labels, buttons or menus of the bar share a letter. The
// labels that change with the quiz's kind are checked for each kind, with the fields that kind shows.
TEST_F(StudioWindowTest, NoTwoMnemonicsShareALetter) {
  constexpr int kKindLabels[] = {STUDIO_FILE_LABEL, STUDIO_TEXT_LABEL, STUDIO_SOLUTION_LABEL};
  std::wstring letters;
  const auto add = [&](const std::wstring& text) {
    const wchar_t letter = mnemonic(text);
    if (letter == 0) return;
    EXPECT_EQ(letters.find(letter), std::wstring::npos) << "twice: " << static_cast<unsigned>(letter);
    letters += letter;
  };
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (std::find(std::begin(kKindLabels), std::end(kKindLabels), GetDlgCtrlID(child)) != std::end(kKindLabels)) continue;
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    add(text);
  }
  HMENU bar = GetMenu(window);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    add(text);
  }
  EXPECT_GE(letters.size(), 24u);
  wchar_t problems[64] = {};
  GetDlgItemTextW(window, STUDIO_PROBLEMS_LABEL, problems, 64);
  EXPECT_EQ(mnemonic(wide(texts::kProblemsPrefix)), mnemonic(problems));  // its text once the list is filled

  wchar_t textLabel[64] = {}, solutionLabel[64] = {};
  GetDlgItemTextW(window, STUDIO_TEXT_LABEL, textLabel, 64);
  GetDlgItemTextW(window, STUDIO_SOLUTION_LABEL, solutionLabel, 64);
  const std::vector<std::wstring> kinds[] = {
      {textLabel}, {wide(texts::kFileLabels[kMediaPictures]), solutionLabel},
      {wide(texts::kFileLabels[kMediaAudio])}, {wide(texts::kFileLabels[kMediaVideo])}};
  const std::wstring shared = letters;
  for (const auto& labels : kinds) {
    letters = shared;
    for (const std::wstring& label : labels) {
      ASSERT_NE(mnemonic(label), 0);
      add(label);
    }
  }
}

TEST_F(StudioWindowTest, TextsCrossAsUtf8BothWays) {
  controls->setText(STUDIO_TITLE, kElephant);
  EXPECT_EQ(controls->text(STUDIO_TITLE), kElephant);
  EXPECT_EQ(controls->text(STUDIO_ALSO_LABEL), "&Variantes accept\xC3\xA9" "es :");
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

// The real window with its layout: no logic attached, only the Win32 side.
class ResizableStudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    studio = std::make_unique<StudioWindow>(GetModuleHandleW(nullptr));
    window = studio->handle();
    ASSERT_NE(window, nullptr);
    GetWindowRect(window, &designed);
    GetClientRect(window, &designedClient);
  }
  void resize(int dx, int dy) {
    SetWindowPos(window, nullptr, 0, 0, designed.right - designed.left + dx, designed.bottom - designed.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
  }

  std::unique_ptr<StudioWindow> studio;
  HWND window = nullptr;
  RECT designed = {}, designedClient = {};
};

TEST_F(ResizableStudioTest, ResizingMovesAndGrowsTheControlsNeverBelowTheDesign) {
  const RECT list = placeOf(window, STUDIO_QUESTIONS), create = placeOf(window, STUDIO_CMD_CREATE_QUIZ),
             rewards = placeOf(window, STUDIO_REWARDS), preview = placeOf(window, STUDIO_PREVIEW);
  const int dx = 100, dy = 150;  // the window stays within the suite's screen
  resize(dx, dy);
  EXPECT_GT(placeOf(window, STUDIO_QUESTIONS).bottom, list.bottom);
  EXPECT_GT(placeOf(window, STUDIO_QUESTIONS).right, list.right);
  EXPECT_GT(placeOf(window, STUDIO_PREVIEW).bottom, preview.bottom);
  EXPECT_EQ(placeOf(window, STUDIO_REWARDS).right, rewards.right);  // the settings keep their width
  EXPECT_EQ(placeOf(window, STUDIO_CMD_CREATE_QUIZ).left, create.left + dx);
  EXPECT_EQ(placeOf(window, STUDIO_CMD_CREATE_QUIZ).top, create.top + dy);

  // One answer box: once the second is hidden, the first takes its room.
  Win32FormControls controls(window);
  controls.show(STUDIO_SECOND_ANSWER, false);
  pumpMessages();
  EXPECT_EQ(placeOf(window, STUDIO_ANSWER).right, placeOf(window, STUDIO_SECOND_ANSWER).right);

  MINMAXINFO limits = {};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, designed.right - designed.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, designed.bottom - designed.top);
  ShowWindow(window, SW_MAXIMIZE);
  pumpMessages();
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - placeOf(window, STUDIO_CMD_CREATE_QUIZ).right, designedClient.right - create.right);
  ShowWindow(window, SW_HIDE);
}

}  // namespace
}  // namespace fenok::studio
