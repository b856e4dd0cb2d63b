#pragma once
// The ports the program's logic reaches the page through. The page has no files and no media player
// control: the files are kept in memory (the answers a save writes, the clips the media host
// extracts), and the players only note what they were told, for the page to do it with its own
// media elements.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "content/quiz.h"
#include "platform/ports/files.h"
#include "platform/ports/media_player.h"

namespace fenok::web {

// The program a page stands for: "album.html" is played as album.exe would be, so it saves and reads
// back album.txt, the file the program itself keeps.
std::string programNameForPage(const std::string& pageName);

class WebFiles : public Files {
 public:
  explicit WebFiles(std::string programName) : programName_(std::move(programName)) {}

  std::string moduleFileName() const override { return programName_; }
  bool readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
  bool replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  bool writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) override;
  void remove(const std::string& name) override { files_.erase(name); }
  bool exists(const std::string& name) const override { return files_.count(name) != 0; }

  // Puts a file there without it counting as a save (the answers a page starts with).
  void put(const std::string& name, std::vector<std::uint8_t> bytes) { files_[name] = std::move(bytes); }
  // The bytes of a file, empty when there is none.
  const std::vector<std::uint8_t>& bytesOf(const std::string& name) const;
  // The name of the file a save has written since the last call, or empty.
  std::string takeSaved();
  bool savePending() const { return !saved_.empty(); }

 private:
  std::string programName_;
  std::map<std::string, std::vector<std::uint8_t>> files_;
  std::string saved_;
};

// What the page's media element of a question is to do.
enum class ClipState { stopped, playing, paused };

class WebMediaPlayers : public MediaPlayers {
 public:
  void start() override {}
  void stop() override {}
  bool create(int question, Controls& panel, int placeholderId) override;
  void setUrl(int question, const std::string& path) override;
  void play(int question) override { slot(question).state = ClipState::playing; }
  void pause(int question) override { slot(question).state = ClipState::paused; }
  void stopPlaying(int question) override { slot(question).state = ClipState::stopped; }
  PlayerActivity activity(int question) override;

  // The page's element has played its clip to the end.
  void clipEnded(int question) { slot(question).ended = true; }

  ClipState state(int question) const { return at(question).state; }
  const std::string& clipFile(int question) const { return at(question).path; }
  // Goes up every time a clip is given to the player: the page starts it again from the beginning.
  int starts(int question) const { return at(question).starts; }

 private:
  struct Slot {
    ClipState state = ClipState::stopped;
    std::string path;
    int starts = 0;
    bool ended = false;
  };
  Slot& slot(int question);
  const Slot& at(int question) const;

  std::array<Slot, kMaxQuestions + 1> slots_{};  // [0] stands for any question out of range
};

// The header's link as the page opens it, in a new tab: web addresses only (http, https, or a bare
// "www." name, which the program's shell also opens as a web page); empty for anything else.
std::string webAddress(const std::string& link);

}  // namespace fenok::web
