#pragma once
// The edits the studio makes to a description, each undoable: a value set (a text typed, a kind
// chosen, the colour), questions inserted, a question removed or moved.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "authoring/quiz_source.h"
#include "edit_history.h"

namespace fenok::studio {

// What a typed edit is typed into: a control, and the question or score level it edits there (-1
// for the quiz's own settings). Typing with the same key folds into one step.
struct EditKey {
  int control = -1;  // -1: an edit that never folds
  int index = -1;
  bool operator==(const EditKey& other) const { return control == other.control && index == other.index; }
};

// Values compared as the author sees them: a text's line in the file it was read from does not count.
inline bool sameValue(const pack::SourceText& a, const pack::SourceText& b) {
  return a.value == b.value && a.present == b.present;
}
inline bool sameValue(const std::vector<pack::SourceText>& a, const std::vector<pack::SourceText>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!sameValue(a[i], b[i])) return false;
  return true;
}
inline bool sameValue(int a, int b) { return a == b; }

// Sets the value a slot of the description holds. Made by setValue below.
template <typename Value>
class SetValue final : public QuizEdit {
 public:
  using Slot = std::function<Value&(pack::QuizSource&)>;

  SetValue(Slot slot, Value value, int question, EditKey key)
      : slot_(std::move(slot)), after_(std::move(value)), question_(question), key_(key) {}

  void redo(pack::QuizSource& quiz) override {
    Value& held = slot_(quiz);
    before_ = held;
    held = after_;
  }
  void undo(pack::QuizSource& quiz) override { slot_(quiz) = before_; }
  bool mergeWith(const QuizEdit& next) override {
    const auto* same = dynamic_cast<const SetValue*>(&next);
    if (!same || key_.control < 0 || !(same->key_ == key_)) return false;
    after_ = same->after_;
    return true;
  }
  bool changesNothing() const override { return sameValue(before_, after_); }
  int shownQuestion(bool) const override { return question_; }

 private:
  Slot slot_;
  Value before_{}, after_;
  int question_;
  EditKey key_;
};

template <typename Value>
std::unique_ptr<QuizEdit> setValue(typename SetValue<Value>::Slot slot, Value value, int question = -1,
                                   EditKey key = {}) {
  return std::make_unique<SetValue<Value>>(std::move(slot), std::move(value), question, key);
}

// The background colour, 0x00BBGGRR.
std::uint32_t backgroundColour(const pack::QuizSource& quiz);
std::unique_ptr<QuizEdit> setBackground(std::uint32_t colour);

// Questions inserted at index; mediaKind, unless -1, is the quiz's kind once they are (the first
// files of an empty quiz choose it).
std::unique_ptr<QuizEdit> insertQuestions(int index, std::vector<pack::SourceQuestion> questions, int mediaKind = -1);
// Removed with everything it holds, given back whole when undone.
std::unique_ptr<QuizEdit> removeQuestion(int index);
// Questions index and target exchange their places.
std::unique_ptr<QuizEdit> moveQuestion(int index, int target);

}  // namespace fenok::studio
