#include "edit_history.h"

namespace fenok::studio {

void EditHistory::push(std::unique_ptr<QuizEdit> edit, pack::QuizSource& quiz) {
  if (!edit) return;
  if (saved_ != kNotSaved && saved_ > done_) saved_ = kNotSaved;  // the saved state was among those dropped
  steps_.resize(done_);
  edit->redo(quiz);
  // Typing folds into the step before, unless that step ends where the disk's state is: the saved
  // state stays one undo away.
  QuizEdit* last = done_ > 0 ? steps_[done_ - 1].get() : nullptr;
  if (mayMerge_ && last && saved_ != done_ && last->mergeWith(*edit)) {
    if (last->changesNothing()) {
      steps_.pop_back();
      --done_;
      mayMerge_ = false;
    }
    return;
  }
  mayMerge_ = true;
  if (edit->changesNothing()) return;
  steps_.push_back(std::move(edit));
  ++done_;
  if (steps_.size() > kMaxSteps) {
    steps_.erase(steps_.begin());
    --done_;
    saved_ = saved_ == 0 || saved_ == kNotSaved ? kNotSaved : saved_ - 1;
  }
}

const QuizEdit* EditHistory::undo(pack::QuizSource& quiz) {
  mayMerge_ = false;
  if (!canUndo()) return nullptr;
  QuizEdit* edit = steps_[--done_].get();
  edit->undo(quiz);
  return edit;
}

const QuizEdit* EditHistory::redo(pack::QuizSource& quiz) {
  mayMerge_ = false;
  if (!canRedo()) return nullptr;
  QuizEdit* edit = steps_[done_++].get();
  edit->redo(quiz);
  return edit;
}

void EditHistory::markSaved() {
  saved_ = done_;
  mayMerge_ = false;
}

void EditHistory::forget() {
  steps_.clear();
  saved_ = saved_ == done_ ? 0 : kNotSaved;
  done_ = 0;
  mayMerge_ = false;
}

}  // namespace fenok::studio
