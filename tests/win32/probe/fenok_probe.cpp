// fenok-probe: looks into a running player from outside, for the end-to-end sessions under Wine.
//   fenok-probe list            one line per window of the player: the main window, both panels
//                               and every control, with id, class, screen rectangle, visibility, text
//   fenok-probe close           asks the main window to close (WM_CLOSE), as the close button does
//   fenok-probe alive           exit 0 while a player window exists
//   fenok-probe wait-shown      polls until the player's main window is shown and prints the
//                               milliseconds since the probe started (a start-up measurement);
//                               a content message box ("Fenok") on the way is answered with OK
//   fenok-probe studio-list     the same for the studio's window, with an "enabled" column after
//                               "visible", texts in UTF-8, and after each list its rows:
//                               item<TAB>id<TAB>index<TAB>text (a list view: its cells as shown,
//                               tab-separated) then selected<TAB>id<TAB>index (-1: none)
//   fenok-probe studio-close    WM_CLOSE to the studio's window
//   fenok-probe studio-maximise the studio's window maximised, as its maximise button does; studio-list
//                               then says "zoomed<TAB>1"
//   fenok-probe studio-alive    exit 0 while the studio's window exists
// The player's texts are read with WM_GETTEXT, which crosses processes, and printed as Windows-1252
// bytes. A list view's rows are read through a buffer placed in the studio's own memory, so the
// probe must be built for the same processor as the studio.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "studio/studio_ids.h"

namespace {

HWND findPlayer() { return FindWindowA("Fenok", nullptr); }

void printWindow(HWND window, const char* role, int depth) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  char text[1024] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  for (char* c = text; *c; ++c) {
    if (*c == '\t' || *c == '\r' || *c == '\n') *c = ' ';
  }
  RECT r;
  GetWindowRect(window, &r);
  const bool visible = IsWindowVisible(window) != FALSE;
  std::printf("%s\t%d\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%s\n", role, depth, GetDlgCtrlID(window), className, r.left,
              r.top, r.right - r.left, r.bottom - r.top, visible ? 1 : 0, text);
}

void listChildren(HWND parent, int depth) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    const bool panel = std::strcmp(className, "#32770") == 0;
    printWindow(child, panel ? "panel" : "control", depth);
    if (panel) listChildren(child, depth + 1);
  }
}

int list() {
  HWND player = findPlayer();
  if (!player) {
    std::fprintf(stderr, "fenok-probe: no player window\n");
    return 1;
  }
  printWindow(player, "main", 0);
  RECT client;
  GetClientRect(player, &client);
  POINT origin = {0, 0};
  ClientToScreen(player, &origin);
  std::printf("client\t0\t0\t-\t%ld\t%ld\t%ld\t%ld\t1\t\n", origin.x, origin.y, client.right, client.bottom);
  listChildren(player, 1);
  return 0;
}

int waitShown() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 120000) {
    HWND box = FindWindowA("#32770", "Fenok");
    if (box && IsWindowVisible(box)) PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND player = findPlayer();
    if (player && IsWindowVisible(player)) {
      std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - start));
      return 0;
    }
    Sleep(5);
  }
  std::fprintf(stderr, "fenok-probe: the player was not shown within 120 s\n");
  return 1;
}

// ---- The studio: UTF-16 texts, printed as UTF-8 ----

const wchar_t kStudioTitle[] = L"fenok studio";
constexpr int kTextLength = 1024;
constexpr UINT kTimeoutMs = 2000;

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::wstring windowText(HWND window) {
  wchar_t text[kTextLength] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, kTextLength, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kTimeoutMs,
                      nullptr);
  return text;
}

LRESULT ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

// The studio's main window: titled "... - fenok studio" (or just "fenok studio") and holding the
// title field; its message boxes share the caption but not the field.
BOOL CALLBACK matchStudio(HWND window, LPARAM found) {
  const std::wstring title = windowText(window);
  const std::size_t at = title.find(kStudioTitle);
  if (at == std::wstring::npos || !GetDlgItem(window, STUDIO_TITLE)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND findStudio() {
  HWND found = nullptr;
  EnumWindows(matchStudio, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A message box of the studio: the caption "fenok studio", the dialog class, no title field.
BOOL CALLBACK matchStudioMessage(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || windowText(window) != kStudioTitle || GetDlgItem(window, STUDIO_TITLE))
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The text of the studio's message box on screen; 1 when there is none.
int studioMessage() {
  HWND box = nullptr;
  EnumWindows(matchStudioMessage, reinterpret_cast<LPARAM>(&box));
  if (!box || !IsWindowVisible(box)) return 1;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) std::printf("%s\n", utf8(windowText(child)).c_str());
  }
  return 0;
}

void printStudioWindow(HWND window, const char* role, int depth) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%s\t%d\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%s\n", role, depth, GetDlgCtrlID(window),
              utf8(className).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0, utf8(windowText(window)).c_str());
}

void printListBoxRows(HWND list, int id) {
  const LRESULT count = ask(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= kTextLength) continue;
    wchar_t text[kTextLength] = {};
    ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));  // copied across by the system
    std::printf("item\t%d\t%ld\t%s\n", id, static_cast<long>(i), utf8(text).c_str());
  }
  std::printf("selected\t%d\t%ld\n", id, static_cast<long>(ask(list, LB_GETCURSEL, 0, 0)));
}

// A list view's messages carry pointers, which mean nothing in another process: the item and its
// text buffer are placed in the studio's memory, filled there and read back.
struct RemoteRow {
  LVITEMW item;
  wchar_t text[kTextLength];
  int order[16];
};

void printListViewRows(HWND list, int id) {
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return;
  auto* remote = static_cast<RemoteRow*>(VirtualAllocEx(process, nullptr, sizeof(RemoteRow), MEM_COMMIT, PAGE_READWRITE));
  if (remote) {
    const LRESULT header = ask(list, LVM_GETHEADER, 0, 0);
    LRESULT columns = header > 0 ? ask(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0) : 0;
    if (columns < 0 || columns > 16) columns = 0;
    int order[16] = {};
    for (int c = 0; c < columns; ++c) order[c] = c;
    if (columns > 0 && ask(list, LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(columns),
                           reinterpret_cast<LPARAM>(remote->order)) > 0) {
      ReadProcessMemory(process, remote->order, order, sizeof order, nullptr);
    }
    const LRESULT count = ask(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::string line = "item\t" + std::to_string(id) + "\t" + std::to_string(i);
      for (int c = 0; c < (columns > 0 ? columns : 1); ++c) {
        LVITEMW item = {};
        item.iSubItem = order[c];
        item.pszText = remote->text;
        item.cchTextMax = kTextLength;
        wchar_t text[kTextLength] = {};
        if (WriteProcessMemory(process, &remote->item, &item, sizeof item, nullptr) &&
            ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&remote->item)) >= 0) {
          ReadProcessMemory(process, remote->text, text, sizeof text - sizeof(wchar_t), nullptr);
        }
        line += "\t" + utf8(text);
      }
      std::printf("%s\n", line.c_str());
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  const LRESULT selected = ask(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  std::printf("selected\t%d\t%ld\n", id, static_cast<long>(selected));
}

int studioList() {
  HWND studio = findStudio();
  if (!studio) {
    std::fprintf(stderr, "fenok-probe: no studio window\n");
    return 1;
  }
  printStudioWindow(studio, "main", 0);
  RECT client;
  GetClientRect(studio, &client);
  POINT origin = {0, 0};
  ClientToScreen(studio, &origin);
  std::printf("client\t0\t0\t-\t%ld\t%ld\t%ld\t%ld\t1\t1\t\n", origin.x, origin.y, client.right, client.bottom);
  std::printf("zoomed\t%d\n", IsZoomed(studio) ? 1 : 0);
  for (HWND child = GetWindow(studio, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    printStudioWindow(child, "control", 1);
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (lstrcmpiW(className, WC_LISTBOXW) == 0) printListBoxRows(child, GetDlgCtrlID(child));
    if (lstrcmpiW(className, WC_LISTVIEWW) == 0) printListViewRows(child, GetDlgCtrlID(child));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* command = argc > 1 ? argv[1] : "list";
  if (std::strcmp(command, "list") == 0) return list();
  if (std::strcmp(command, "wait-shown") == 0) return waitShown();
  if (std::strcmp(command, "alive") == 0) return findPlayer() ? 0 : 1;
  if (std::strcmp(command, "close") == 0) {
    HWND player = findPlayer();
    if (!player) return 1;
    PostMessageA(player, WM_CLOSE, 0, 0);
    return 0;
  }
  if (std::strcmp(command, "studio-list") == 0) return studioList();
  if (std::strcmp(command, "studio-alive") == 0) return findStudio() ? 0 : 1;
  if (std::strcmp(command, "studio-message") == 0) return studioMessage();
  if (std::strcmp(command, "studio-maximise") == 0) {
    HWND studio = findStudio();
    if (!studio) return 1;
    PostMessageW(studio, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    return 0;
  }
  if (std::strcmp(command, "studio-close") == 0) {
    HWND studio = findStudio();
    if (!studio) return 1;
    PostMessageW(studio, WM_CLOSE, 0, 0);
    return 0;
  }
  std::fprintf(stderr,
               "usage: fenok-probe list|close|alive|wait-shown|studio-list|studio-close|studio-alive|studio-maximise|"
               "studio-message\n");
  return 2;
}
