#pragma once
// The quiz being edited: its description (texts as typed, file names, kinds), where it is kept and
// whether it has changed since. Values the chosen kinds do not use (a picture after switching to a
// text quiz, a second answer after going back to one box) are kept while the studio is open, so a
// mistaken switch loses nothing, but they are not written. The description changes only through
// edits, which its history keeps for undoing; only saving elsewhere rewrites file names itself.
#include <memory>
#include <string>
#include <vector>

#include "authoring/diagnostics.h"
#include "authoring/quiz_source.h"
#include "edit_history.h"

namespace fenok::studio {

class QuizDocument {
 public:
  // An empty quiz of pictures, not yet kept anywhere: files it names are absolute until it is saved.
  QuizDocument();

  // A first quiz from the pictures or clips of a folder, by the rules of `fenok-pack new`; it is to be
  // saved as FOLDER/quiz.toml. False with a reason when the folder holds nothing to make questions of.
  // leftOut gets a line for every file of the folder the quiz does not take, saying which and why.
  static bool fromFolder(const std::string& folder, QuizDocument& document, std::string& reason,
                         std::vector<std::string>& leftOut);
  // A description file. False, with a reason, when it cannot be read or is not TOML; otherwise true,
  // with what reading it said (unknown keys, values of the wrong kind) in problems.
  static bool open(const std::string& path, QuizDocument& document, std::vector<pack::Problem>& problems,
                   std::string& reason);

  // Writes the canonical form to path (beside it first, then renamed); file names are rewritten
  // relative to the new folder where they lie inside it. The document is then kept there, unchanged.
  // When that rewrote a file name, the history is forgotten: its steps hold the names as they were.
  bool saveAs(const std::string& path, std::string& error);

  std::string text() const;                   // the canonical description
  const std::string& path() const { return path_; }  // empty: never saved and no folder
  bool saved() const { return saved_; }               // path_ exists as this document's file
  std::string folder() const;                 // where relative file names start; empty: none
  std::string absolutePath(const std::string& file) const;  // a file key resolved against folder()
  std::string displayName() const;            // "quiz.toml", or "Sans titre"

  // Changed since it was last saved or opened; a drafted quiz is, until it is saved.
  bool modified() const { return !history_.atSavedState(); }

  const pack::QuizSource& quiz() const { return quiz_; }
  int questionCount() const { return static_cast<int>(quiz_.questions.size()); }

  // Every change: done, and kept for undoing.
  void apply(std::unique_ptr<QuizEdit> edit) { history_.push(std::move(edit), quiz_); }
  // The edit undone or redone, null when there was none.
  const QuizEdit* undo() { return history_.undo(quiz_); }
  const QuizEdit* redo() { return history_.redo(quiz_); }
  bool canUndo() const { return history_.canUndo(); }
  bool canRedo() const { return history_.canRedo(); }
  void endTyping() { history_.endTyping(); }  // the author left the field typed in

  // Commands on the questions. Added files become questions at the end (answer from the file name,
  // as `fenok-pack new` makes it); the first file of an empty quiz sets its kind. Files the quiz cannot
  // show (not a picture in a picture quiz, not a clip in a clip quiz, any file in a text quiz) are
  // returned in refused.
  void addFiles(const std::vector<std::string>& paths, std::vector<std::string>& refused);
  void addQuestion();  // an empty one
  void removeQuestion(int index);
  int moveQuestion(int index, int delta);  // the question's new index
  // The name a file key takes: relative to folder() when the file lies inside it.
  std::string fileKey(const std::string& absolute) const;

 private:
  bool rebase(const std::string& newPath);  // file keys follow the description to newPath; true: one changed
  void mediaDefaults();

  pack::QuizSource quiz_;
  std::string path_;
  bool saved_ = false;
  EditHistory history_;
};

}  // namespace fenok::studio
