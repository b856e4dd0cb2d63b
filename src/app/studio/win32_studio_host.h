#pragma once
// StudioHost on Win32: the common dialogs, message boxes, CreateProcessW, ShellExecuteExW and the
// system's folders.
// Folders are returned without a trailing separator (except a drive's root).
#include <windows.h>

#include "studio/studio_host.h"

namespace fenok::studio {

class Win32StudioHost : public StudioHost {
 public:
  explicit Win32StudioHost(HWND window);

  bool chooseFolder(const std::string& title, std::string& folder) override;
  bool chooseFilesToOpen(const FileDialog& dialog, std::vector<std::string>& paths) override;
  bool chooseFileToSave(const FileDialog& dialog, std::string& path, int& filterIndex) override;
  bool chooseColour(std::uint32_t& colour) override;

  Reply ask(const std::string& question) override;
  void tell(const std::string& message, Tone tone) override;

  bool startProgram(const std::string& path, std::string& error) override;
  bool openFile(const std::string& path, std::string& error) override;

  std::string temporaryFolder() const override;
  std::string programFolder() const override;
  std::string settingsFolder() const override;
  bool runs64Bit() const override;

  void setWindowTitle(const std::string& title) override;
  void setRecentFiles(const std::vector<std::string>& paths) override;
  void setUndoable(bool canUndo, bool canRedo) override;
  void setBusy(bool busy) override;

  bool busy() const { return busy_; }  // the window keeps the wait cursor while true

 private:
  bool chooseFolderWithShell(const std::wstring& title, std::string& folder);

  HWND window_;
  bool busy_ = false;
  COLORREF customColours_[16] = {};  // the colour dialog's own sixteen, kept for the session
};

}  // namespace fenok::studio
