#pragma once
// Helpers of the studio's tests: a host that answers the studio's dialogs from a script and keeps
// what it was told, and a folder of pictures to make quizzes of.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "../pack/pack_support.h"
#include "quiz_document.h"
#include "studio_host.h"

namespace fenok::testing {

struct Told {
  std::string message;
  studio::Tone tone;
};

class ScriptedHost : public studio::StudioHost {
 public:
  // Answers, taken in order; a dialog without one is cancelled.
  std::deque<std::string> folders, openedFiles, savedFiles;
  std::deque<int> saveFilters;
  std::deque<studio::Reply> replies;
  std::uint32_t colour = 0;

  std::vector<Told> told;
  std::vector<std::string> asked, started, opened;
  bool canUndo = false, canRedo = false;
  std::string title, program, settings;
  std::vector<std::string> recent;
  bool sixtyFour = false;
  bool inMemory = false;  // the files kept in the host's memory, as a browser's page keeps them

  bool chooseFolder(const std::string&, std::string& folder) override { return take(folders, folder); }
  bool chooseFilesToOpen(const studio::FileDialog&, std::vector<std::string>& paths) override {
    std::string path;
    if (!take(openedFiles, path)) return false;
    paths = {path};
    return true;
  }
  bool chooseFileToSave(const studio::FileDialog&, std::string& path, int& filter) override {
    filter = saveFilters.empty() ? 0 : saveFilters.front();
    if (!saveFilters.empty()) saveFilters.pop_front();
    return take(savedFiles, path);
  }
  bool chooseColour(std::uint32_t& chosen) override {
    chosen = colour;
    return true;
  }
  studio::Reply ask(const std::string& question) override {
    asked.push_back(question);
    if (replies.empty()) return studio::Reply::cancel;
    const studio::Reply reply = replies.front();
    replies.pop_front();
    return reply;
  }
  void tell(const std::string& message, studio::Tone tone) override { told.push_back({message, tone}); }
  bool startProgram(const std::string& path, std::string&) override {
    started.push_back(path);
    return true;
  }
  bool openFile(const std::string& path, std::string&) override {
    opened.push_back(path);
    return true;
  }
  std::string temporaryFolder() const override { return settings; }
  std::string programFolder() const override { return program; }
  std::string settingsFolder() const override { return settings; }
  bool runs64Bit() const override { return sixtyFour; }
  bool keepsFilesInMemory() const override { return inMemory; }
  void setWindowTitle(const std::string& text) override { title = text; }
  void setRecentFiles(const std::vector<std::string>& paths) override { recent = paths; }
  void setUndoable(bool undo, bool redo) override {
    canUndo = undo;
    canRedo = redo;
  }
  void setBusy(bool) override {}

 private:
  static bool take(std::deque<std::string>& answers, std::string& out) {
    if (answers.empty()) return false;
    out = answers.front();
    answers.pop_front();
    return true;
  }
};

// Any change of the description, made through the document's history as the studio's own edits are.
inline void change(studio::QuizDocument& document, std::function<void(pack::QuizSource&)> apply) {
  class Whole final : public studio::QuizEdit {
   public:
    explicit Whole(std::function<void(pack::QuizSource&)> apply) : apply_(std::move(apply)) {}
    void redo(pack::QuizSource& quiz) override {
      before_ = quiz;
      apply_(quiz);
    }
    void undo(pack::QuizSource& quiz) override { quiz = before_; }
    int shownQuestion(bool) const override { return -1; }

   private:
    std::function<void(pack::QuizSource&)> apply_;
    pack::QuizSource before_;
  };
  document.apply(std::make_unique<Whole>(std::move(apply)));
}

// Three pictures named after their answers, and a note that makes no question.
inline void writePictures(const QuizFolder& folder) {
  const std::string jpeg = sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  folder.write("photos/tour-eiffel.jpg", jpeg);
  folder.write("photos/arc.gif", sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  folder.write("photos/ete.jpg", jpeg);
  folder.write("photos/notes.txt", "not a question");
}

}  // namespace fenok::testing
