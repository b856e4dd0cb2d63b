#include "quiz_edits.h"

#include <algorithm>

namespace fenok::studio {
namespace {

using pack::QuizSource;
using pack::SourceQuestion;

void setColour(QuizSource& quiz, std::uint32_t colour) {
  quiz.backRed = static_cast<std::uint8_t>(colour & 0xFF);
  quiz.backGreen = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
  quiz.backBlue = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

class SetBackground final : public QuizEdit {
 public:
  explicit SetBackground(std::uint32_t colour) : after_(colour) {}
  void redo(QuizSource& quiz) override {
    before_ = backgroundColour(quiz);
    setColour(quiz, after_);
  }
  void undo(QuizSource& quiz) override { setColour(quiz, before_); }
  bool changesNothing() const override { return before_ == after_; }
  int shownQuestion(bool) const override { return -1; }

 private:
  std::uint32_t before_ = 0, after_;
};

class InsertQuestions final : public QuizEdit {
 public:
  InsertQuestions(int index, std::vector<SourceQuestion> questions, int mediaKind)
      : index_(index), questions_(std::move(questions)), kindAfter_(mediaKind) {}
  void redo(QuizSource& quiz) override {
    kindBefore_ = quiz.mediaKind;
    if (kindAfter_ >= 0) quiz.mediaKind = kindAfter_;
    index_ = std::clamp(index_, 0, static_cast<int>(quiz.questions.size()));
    quiz.questions.insert(quiz.questions.begin() + index_, questions_.begin(), questions_.end());
  }
  void undo(QuizSource& quiz) override {
    const auto first = quiz.questions.begin() + index_;
    quiz.questions.erase(first, first + static_cast<std::ptrdiff_t>(questions_.size()));
    quiz.mediaKind = kindBefore_;
  }
  bool changesNothing() const override { return questions_.empty(); }
  int shownQuestion(bool undone) const override { return undone ? index_ - 1 : index_; }

 private:
  int index_;
  std::vector<SourceQuestion> questions_;
  int kindAfter_, kindBefore_ = -1;
};

class RemoveQuestion final : public QuizEdit {
 public:
  explicit RemoveQuestion(int index) : index_(index) {}
  void redo(QuizSource& quiz) override {
    removed_ = index_ >= 0 && index_ < static_cast<int>(quiz.questions.size());
    if (!removed_) return;
    question_ = std::move(quiz.questions[static_cast<std::size_t>(index_)]);
    quiz.questions.erase(quiz.questions.begin() + index_);
  }
  void undo(QuizSource& quiz) override {
    if (removed_) quiz.questions.insert(quiz.questions.begin() + index_, question_);
  }
  bool changesNothing() const override { return !removed_; }
  int shownQuestion(bool) const override { return index_; }

 private:
  int index_;
  bool removed_ = false;
  SourceQuestion question_;
};

class MoveQuestion final : public QuizEdit {
 public:
  MoveQuestion(int index, int target) : index_(index), target_(target) {}
  void redo(QuizSource& quiz) override { exchange(quiz); }
  void undo(QuizSource& quiz) override { exchange(quiz); }
  bool changesNothing() const override { return !moved_; }
  int shownQuestion(bool undone) const override { return undone ? index_ : target_; }

 private:
  void exchange(QuizSource& quiz) {
    const int count = static_cast<int>(quiz.questions.size());
    moved_ = index_ != target_ && index_ >= 0 && index_ < count && target_ >= 0 && target_ < count;
    if (moved_) std::swap(quiz.questions[static_cast<std::size_t>(index_)], quiz.questions[static_cast<std::size_t>(target_)]);
  }

  int index_, target_;
  bool moved_ = false;
};

}  // namespace

std::uint32_t backgroundColour(const QuizSource& quiz) {
  return quiz.backRed | (std::uint32_t{quiz.backGreen} << 8) | (std::uint32_t{quiz.backBlue} << 16);
}

std::unique_ptr<QuizEdit> setBackground(std::uint32_t colour) { return std::make_unique<SetBackground>(colour); }

std::unique_ptr<QuizEdit> insertQuestions(int index, std::vector<SourceQuestion> questions, int mediaKind) {
  return std::make_unique<InsertQuestions>(index, std::move(questions), mediaKind);
}

std::unique_ptr<QuizEdit> removeQuestion(int index) { return std::make_unique<RemoveQuestion>(index); }

std::unique_ptr<QuizEdit> moveQuestion(int index, int target) { return std::make_unique<MoveQuestion>(index, target); }

}  // namespace fenok::studio
