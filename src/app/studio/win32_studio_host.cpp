#include "win32_studio_host.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "platform/win32/scoped_win.h"
#include "studio/studio_ids.h"
#include "win32_text.h"

namespace fenok::studio {
namespace {

const wchar_t kCaption[] = L"fenok studio";
const wchar_t kSettingsFolderName[] = L"fenok";
const char kTooManyFiles[] = "Trop de fichiers choisis à la fois : choisissez-en moins.";
constexpr std::size_t kOpenBufferLength = 256 * 1024;  // characters: a few thousand pictures at once
constexpr std::size_t kSaveBufferLength = 32768;       // the longest path the system accepts

struct ToneStyle {
  Tone tone;
  UINT icon;
};
constexpr ToneStyle kToneStyles[] = {
    {Tone::information, MB_ICONINFORMATION},
    {Tone::warning, MB_ICONWARNING},
    {Tone::error, MB_ICONERROR},
};

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\Temp\" -> "C:\Temp", but "C:\" stays a root.
std::wstring withoutTrailingSeparator(std::wstring folder) {
  while (folder.size() > 3 && isSeparator(folder.back())) folder.pop_back();
  return folder;
}

std::wstring folderOf(const std::wstring& path) {
  const std::size_t last = path.find_last_of(L"\\/");
  if (last == std::wstring::npos) return {};
  return last == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, last);
}

std::wstring joined(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && isSeparator(folder.back()) ? folder + name : folder + L'\\' + name;
}

// "Label\0*.jpg;*.png\0...\0\0", as the file dialogs want their filters.
std::wstring filterList(const std::vector<FileFilter>& filters) {
  std::wstring list;
  for (const FileFilter& filter : filters) {
    list += widen(filter.label) + L'\0' + widen(filter.patterns) + L'\0';
  }
  return list + L'\0';
}

std::string systemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return text.empty() ? "erreur " + std::to_string(code) : narrow(text);
}

// "&" shows as an underline in a menu unless doubled.
std::wstring menuText(std::size_t number, const std::string& path) {
  std::wstring text = L"&" + std::to_wstring(number) + L" ";
  for (wchar_t c : widen(path)) {
    text += c;
    if (c == L'&') text += L'&';
  }
  return text;
}

int menuPosition(HMENU menu, UINT command) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == command) return i;
  }
  return -1;
}

// What an open and a save dialog share: the wide texts kept alive while the dialog runs, and the
// structure's common fields.
struct FileDialogFields {
  FileDialogFields(const FileDialog& dialog, std::size_t bufferLength)
      : title(widen(dialog.title)), filters(filterList(dialog.filters)), initialFolder(widen(dialog.initialFolder)),
        extension(widen(dialog.defaultExtension)), hasFilters(!dialog.filters.empty()), buffer(bufferLength, L'\0') {}

  OPENFILENAMEW structure(HWND owner) {
    OPENFILENAMEW fields = {};
    fields.lStructSize = sizeof fields;
    fields.hwndOwner = owner;
    fields.lpstrFilter = hasFilters ? filters.c_str() : nullptr;
    fields.nFilterIndex = 1;
    fields.lpstrFile = buffer.data();
    fields.nMaxFile = static_cast<DWORD>(buffer.size());
    fields.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    fields.lpstrTitle = title.c_str();
    fields.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    return fields;
  }

  std::wstring title, filters, initialFolder, extension;
  bool hasFilters;
  std::vector<wchar_t> buffer;
};

}  // namespace

Win32StudioHost::Win32StudioHost(HWND window) : window_(window) {
  std::fill(std::begin(customColours_), std::end(customColours_), RGB(255, 255, 255));
}

bool Win32StudioHost::chooseFolder(const std::string& title, std::string& folder) {
  const std::wstring wideTitle = widen(title);
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              dialog.putVoid()))) {
    dialog.abandon();
    return chooseFolderWithShell(wideTitle, folder);
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(wideTitle.c_str());
  const HRESULT shown = dialog->Show(window_);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return false;
  if (FAILED(shown)) return chooseFolderWithShell(wideTitle, folder);

  ComPtr<IShellItem> item;
  if (FAILED(dialog->GetResult(item.put()))) {
    item.abandon();
    return false;
  }
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return false;
  folder = narrow(withoutTrailingSeparator(path));
  CoTaskMemFree(path);
  return true;
}

bool Win32StudioHost::chooseFolderWithShell(const std::wstring& title, std::string& folder) {
  wchar_t name[MAX_PATH] = {};
  BROWSEINFOW browse = {};
  browse.hwndOwner = window_;
  browse.pszDisplayName = name;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return false;
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (found) folder = narrow(withoutTrailingSeparator(path));
  return found;
}

bool Win32StudioHost::chooseFilesToOpen(const FileDialog& dialog, std::vector<std::string>& paths) {
  FileDialogFields fields(dialog, kOpenBufferLength);
  OPENFILENAMEW open = fields.structure(window_);
  open.nMaxFile = static_cast<DWORD>(fields.buffer.size() - 1);  // the list ends with two NULs: keep room
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
               (dialog.multiple ? OFN_ALLOWMULTISELECT : 0);
  std::vector<wchar_t>& buffer = fields.buffer;
  if (!GetOpenFileNameW(&open)) {
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) tell(kTooManyFiles, Tone::warning);
    return false;
  }

  // One file: its full path. Several: the folder, then each name, each ended by a NUL, then a NUL.
  const wchar_t* next = buffer.data();
  const wchar_t* end = buffer.data() + buffer.size();
  const std::wstring first(next);
  next += first.size() + 1;
  paths.clear();
  if (!dialog.multiple || next >= end || *next == L'\0') {
    paths.push_back(narrow(first));
    return true;
  }
  while (next < end && *next != L'\0') {
    const std::wstring name(next);
    paths.push_back(narrow(joined(first, name)));
    next += name.size() + 1;
  }
  return true;
}

bool Win32StudioHost::chooseFileToSave(const FileDialog& dialog, std::string& path, int& filterIndex) {
  FileDialogFields fields(dialog, kSaveBufferLength);
  const std::wstring suggested = widen(dialog.suggestedName);
  std::copy_n(suggested.begin(), std::min(suggested.size(), fields.buffer.size() - 1), fields.buffer.begin());
  OPENFILENAMEW save = fields.structure(window_);
  save.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
  const std::vector<wchar_t>& buffer = fields.buffer;
  if (!GetSaveFileNameW(&save)) return false;
  path = narrow(buffer.data());
  filterIndex = save.nFilterIndex > 0 ? static_cast<int>(save.nFilterIndex) - 1 : 0;
  return true;
}

bool Win32StudioHost::chooseColour(std::uint32_t& colour) {
  CHOOSECOLORW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window_;
  choose.rgbResult = colour & 0x00FFFFFF;
  choose.lpCustColors = customColours_;
  choose.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (!ChooseColorW(&choose)) return false;
  colour = choose.rgbResult & 0x00FFFFFF;
  return true;
}

Reply Win32StudioHost::ask(const std::string& question) {
  switch (MessageBoxW(window_, widen(question).c_str(), kCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Reply::yes;
    case IDNO: return Reply::no;
    default: return Reply::cancel;
  }
}

void Win32StudioHost::tell(const std::string& message, Tone tone) {
  UINT icon = MB_ICONINFORMATION;
  for (const ToneStyle& style : kToneStyles) {
    if (style.tone == tone) icon = style.icon;
  }
  MessageBoxW(window_, widen(message).c_str(), kCaption, MB_OK | icon);
}

bool Win32StudioHost::startProgram(const std::string& path, std::string& error) {
  const std::wstring program = widen(path);
  const std::wstring folder = folderOf(program);
  std::wstring commandLine = L"\"" + program + L"\"";  // CreateProcessW may write into it
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    error = systemMessage(GetLastError());
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32StudioHost::openFile(const std::string& path, std::string& error) {
  const std::wstring file = widen(path);
  const std::wstring folder = folderOf(file);
  SHELLEXECUTEINFOW open = {};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is told by the studio, in its words
  open.hwnd = window_;
  open.lpVerb = L"open";
  open.lpFile = file.c_str();
  open.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  open.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&open)) return true;
  error = systemMessage(GetLastError());
  return false;
}

std::string Win32StudioHost::temporaryFolder() const {
  wchar_t path[MAX_PATH + 2] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH + 1) return {};
  return narrow(withoutTrailingSeparator(path));
}

std::string Win32StudioHost::programFolder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return narrow(folderOf(path));
    }
    path.resize(path.size() * 2);  // truncated: try again with more room
  }
}

std::string Win32StudioHost::settingsFolder() const {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData))) {
    return {};
  }
  const std::wstring folder = joined(withoutTrailingSeparator(appData), kSettingsFolderName);
  CreateDirectoryW(folder.c_str(), nullptr);  // already there is fine
  return narrow(folder);
}

bool Win32StudioHost::runs64Bit() const { return sizeof(void*) == 8; }

void Win32StudioHost::setWindowTitle(const std::string& title) { SetWindowTextW(window_, widen(title).c_str()); }

// Between "Enregistrer sous…" and "Quitter": a separator, the recent files and a separator, or a
// single separator when there are none.
void Win32StudioHost::setRecentFiles(const std::vector<std::string>& paths) {
  HMENU file = GetSubMenu(GetMenu(window_), 0);
  const int saveAs = menuPosition(file, STUDIO_CMD_SAVE_AS);
  const int exit = menuPosition(file, STUDIO_CMD_EXIT);
  if (!file || saveAs < 0 || exit <= saveAs) return;
  for (int i = saveAs + 1; i < exit; ++i) DeleteMenu(file, static_cast<UINT>(saveAs + 1), MF_BYPOSITION);

  UINT at = static_cast<UINT>(saveAs + 1);
  InsertMenuW(file, at++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  const std::size_t count = std::min(paths.size(), static_cast<std::size_t>(STUDIO_RECENT_COUNT));
  for (std::size_t i = 0; i < count; ++i) {
    InsertMenuW(file, at++, MF_BYPOSITION | MF_STRING, STUDIO_CMD_RECENT_FIRST + i, menuText(i + 1, paths[i]).c_str());
  }
  if (count > 0) InsertMenuW(file, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void Win32StudioHost::setUndoable(bool canUndo, bool canRedo) {
  HMENU menu = GetMenu(window_);
  EnableMenuItem(menu, STUDIO_CMD_UNDO, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(menu, STUDIO_CMD_REDO, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
}

void Win32StudioHost::setBusy(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace fenok::studio
