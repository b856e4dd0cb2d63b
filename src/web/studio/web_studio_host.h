#pragma once
// The studio's host in a browser page. C++ cannot wait for a dialog there: the page asks the author
// first (its own file pickers, its choice of what to create) and leaves the answers here, and a
// dialog the logic opens takes the next answer left, or is cancelled. What the logic tells, and the
// files it would have the system open, are kept for the page to show, in the order said. The page's
// files live in the module's memory file system, under the folders named here.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "studio_host.h"

namespace fenok::web {

// Where the page puts what the studio reads: the players it writes programs from, and a place of its own.
constexpr const char* kStudioProgramFolder = "/fenok";
constexpr const char* kStudioTemporaryFolder = "/tmp";
constexpr const char* kStudioSettingsFolder = "/settings";

class WebStudioHost : public studio::StudioHost {
 public:
  struct Told {
    std::string message;
    studio::Tone tone;
  };
  // A dialog the logic opened with no answer left: the page opens its own picker for it, then
  // answers and repeats the command.
  enum class DialogKind { open, save, colour };
  struct Asked {
    DialogKind kind;
    studio::FileDialog dialog;
    std::uint32_t colour = 0;  // the colour proposed, 0x00BBGGRR
  };

  // The answers of the author's next dialogs, in order.
  void answerPaths(std::vector<std::string> paths, int filterIndex = 0);
  void answerReply(studio::Reply reply) { replies_.push_back(reply); }
  void answerColour(std::uint32_t colour) { colours_.push_back(colour); }

  // What happened since the last look; taking them empties them.
  std::vector<Told> takeTold();
  std::vector<std::string> takeOpened();
  std::vector<Asked> takeAsked();

  const std::string& title() const { return title_; }
  const std::vector<std::string>& recentFiles() const { return recent_; }
  bool canUndo() const { return canUndo_; }
  bool canRedo() const { return canRedo_; }

  bool chooseFolder(const std::string& title, std::string& folder) override;
  bool chooseFilesToOpen(const studio::FileDialog& dialog, std::vector<std::string>& paths) override;
  bool chooseFileToSave(const studio::FileDialog& dialog, std::string& path, int& filterIndex) override;
  bool chooseColour(std::uint32_t& colour) override;
  studio::Reply ask(const std::string& question) override;
  void tell(const std::string& message, studio::Tone tone) override { told_.push_back({message, tone}); }
  bool startProgram(const std::string& path, std::string& error) override;
  bool openFile(const std::string& path, std::string& error) override;
  std::string temporaryFolder() const override { return kStudioTemporaryFolder; }
  std::string programFolder() const override { return kStudioProgramFolder; }
  std::string settingsFolder() const override { return kStudioSettingsFolder; }
  bool runs64Bit() const override { return false; }  // the 32-bit program runs on every Windows
  bool triesQuizAsPage() const override { return true; }
  bool keepsFilesInMemory() const override { return true; }  // the module's folders: /quiz/1/…
  void setWindowTitle(const std::string& title) override { title_ = title; }
  void setRecentFiles(const std::vector<std::string>& paths) override { recent_ = paths; }
  void setUndoable(bool canUndo, bool canRedo) override;
  void setBusy(bool) override {}

 private:
  bool takePaths(std::vector<std::string>& paths, int& filterIndex);

  struct PathAnswer {
    std::vector<std::string> paths;
    int filterIndex;
  };

  std::deque<PathAnswer> paths_;
  std::deque<studio::Reply> replies_;
  std::deque<std::uint32_t> colours_;
  std::vector<Told> told_;
  std::vector<std::string> opened_;
  std::vector<Asked> asked_;
  std::string title_;
  std::vector<std::string> recent_;
  bool canUndo_ = false;
  bool canRedo_ = false;
};

}  // namespace fenok::web
