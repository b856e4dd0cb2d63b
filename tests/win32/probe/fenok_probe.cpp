// fenok-probe: looks into a running player from outside, for the end-to-end sessions under Wine.
//   fenok-probe list            one line per window of the player: the main window, both panels
//                               and every control, with id, class, screen rectangle, visibility, text
//   fenok-probe close           asks the main window to close (WM_CLOSE), as the close button does
//   fenok-probe alive           exit 0 while a player window exists
//   fenok-probe wait-shown      polls until the player's main window is shown and prints the
//                               milliseconds since the probe started (a start-up measurement);
//                               a content message box ("Fenok") on the way is answered with OK
// Texts are read with WM_GETTEXT, which crosses processes; they are printed as Windows-1252 bytes.
#include <windows.h>

#include <cstdio>
#include <cstring>

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
  std::fprintf(stderr, "usage: fenok-probe list|close|alive|wait-shown\n");
  return 2;
}
