#pragma once
// What the studio's logic asks of the system around its window: the standard dialogs, messages,
// starting a program, and where things go. The Win32 layer answers each with the call of the same
// meaning and nothing more; the tests answer from a script.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fenok::studio {

// A file dialog: its title, its filters (a label and patterns such as "*.jpg;*.png") and the
// extension added to a bare name when saving.
struct FileFilter {
  std::string label;
  std::string patterns;
};

struct FileDialog {
  std::string title;
  std::vector<FileFilter> filters;
  std::string defaultExtension;  // without the dot
  bool multiple = false;         // open: several files may be chosen
  std::string initialFolder;     // empty: the system's choice
  std::string suggestedName;     // save: the name proposed
};

enum class Reply { yes, no, cancel };
enum class Tone { information, warning, error };

class StudioHost {
 public:
  virtual ~StudioHost() = default;

  // Each returns false when the author cancels. Paths are UTF-8 and absolute.
  virtual bool chooseFolder(const std::string& title, std::string& folder) = 0;
  virtual bool chooseFilesToOpen(const FileDialog& dialog, std::vector<std::string>& paths) = 0;
  // filterIndex: which of the dialog's filters the author left selected (from 0).
  virtual bool chooseFileToSave(const FileDialog& dialog, std::string& path, int& filterIndex) = 0;
  virtual bool chooseColour(std::uint32_t& colour) = 0;  // 0x00BBGGRR, the current one proposed

  virtual Reply ask(const std::string& question) = 0;  // Oui, Non, Annuler
  virtual void tell(const std::string& message, Tone tone) = 0;

  // Starts a program in its own folder and does not wait for it; false with the system's reason.
  virtual bool startProgram(const std::string& path, std::string& error) = 0;
  // Opens a file with the program the system has for its kind (a page in the browser, a clip in the
  // media player); false with the system's reason.
  virtual bool openFile(const std::string& path, std::string& error) = 0;

  virtual std::string temporaryFolder() const = 0;  // where trial programs go
  virtual std::string programFolder() const = 0;    // the studio's own folder (the players lie beside it)
  virtual std::string settingsFolder() const = 0;   // per user: the recent files list
  virtual bool runs64Bit() const = 0;               // the studio's own kind, which this host surely runs
  // A host that cannot start a program (a browser) tries the quiz as its page, opened with openFile.
  virtual bool triesQuizAsPage() const { return false; }
  // Where the author's files live: on disk, or in the host's own memory (a browser's), whose folders
  // mean nothing to the author.
  virtual bool keepsFilesInMemory() const { return false; }
  // A file or folder as messages name it: by its path, or by its name alone where the files are in memory.
  std::string shownPath(const std::string& path) const {
    return keepsFilesInMemory() ? std::filesystem::u8path(path).filename().u8string() : path;
  }

  virtual void setWindowTitle(const std::string& title) = 0;
  virtual void setRecentFiles(const std::vector<std::string>& paths) = 0;  // the "Fichier" menu's list
  virtual void setUndoable(bool canUndo, bool canRedo) = 0;  // "Annuler" and "Rétablir" usable or not
  virtual void setBusy(bool busy) = 0;  // a wait cursor while a quiz is packed
};

}  // namespace fenok::studio
