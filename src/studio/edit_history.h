#pragma once
// The undo history of the quiz being edited: a stack of edits, each knowing how to do and undo itself
// on the description, with the number of those done. Consecutive typing in one field folds into one
// step while the author stays in it. The history also remembers which of its states is the one on
// disk, so undoing back to it leaves the quiz unmodified.
#include <cstddef>
#include <memory>
#include <vector>

#include "authoring/quiz_source.h"

namespace fenok::studio {

class QuizEdit {
 public:
  virtual ~QuizEdit() = default;

  virtual void redo(pack::QuizSource& quiz) = 0;  // the first doing too
  virtual void undo(pack::QuizSource& quiz) = 0;
  // Folds next, done just after this one, into this one; false when they stay two steps.
  virtual bool mergeWith(const QuizEdit& next) {
    (void)next;
    return false;
  }
  // True when doing it leaves the quiz as it was (a field typed back to what it held): not a step.
  virtual bool changesNothing() const { return false; }
  // The question the author should be shown once it is done, or undone; -1: none in particular.
  virtual int shownQuestion(bool undone) const = 0;
};

class EditHistory {
 public:
  // Beyond this, the oldest steps are forgotten.
  static constexpr std::size_t kMaxSteps = 1000;

  // savedAtStart: the quiz as it is now is the one on disk (opened, rather than drafted).
  explicit EditHistory(bool savedAtStart = true) : saved_(savedAtStart ? 0 : kNotSaved) {}

  // Does the edit and keeps it as a step, or folds it into the last one; the steps undone before are
  // dropped.
  void push(std::unique_ptr<QuizEdit> edit, pack::QuizSource& quiz);
  // The edit undone or redone, null when there is none.
  const QuizEdit* undo(pack::QuizSource& quiz);
  const QuizEdit* redo(pack::QuizSource& quiz);
  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }

  void endTyping() { mayMerge_ = false; }  // the next edit starts a step of its own
  void markSaved();                         // the quiz as it is now is the one on disk
  void forget();                            // no step can be undone or redone any more
  bool atSavedState() const { return saved_ == done_; }

 private:
  static constexpr std::size_t kNotSaved = static_cast<std::size_t>(-1);

  std::vector<std::unique_ptr<QuizEdit>> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done
  std::size_t saved_;     // the value of done_ when the quiz was as on disk; kNotSaved: never in reach
  bool mayMerge_ = false;
};

}  // namespace fenok::studio
