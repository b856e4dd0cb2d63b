#include "quiz_source_writer.h"

#include <cstdio>

#include "quiz_toml_writer.h"

namespace fenok::pack {
namespace {

class Writer {
 public:
  void key(const char* name, const std::string& value) { out_ += std::string(name) + " = " + value + "\n"; }
  void text(const char* name, const SourceText& value) { key(name, tomlQuoted(value.value)); }
  // File keys and optional texts: an empty value is no key at all, so a missing one is named as such.
  void textIfAny(const char* name, const SourceText& value) {
    if (!value.value.empty()) text(name, value);
  }
  void list(const char* name, const std::vector<SourceText>& values) {
    if (values.empty()) return;
    std::string list = "[";
    for (std::size_t i = 0; i < values.size(); ++i) list += (i ? ", " : "") + tomlQuoted(values[i].value);
    key(name, list + "]");
  }
  void raw(const std::string& text) { out_ += text; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string kindName(int value, const char* const* names, int count) {
  return value >= 0 && value < count ? tomlQuoted(names[value]) : std::to_string(value);
}

bool anyReward(const QuizSource& source) {
  for (std::size_t k = 0; k < source.rewards.size() && k < source.questions.size(); ++k)
    if (!source.rewards[k].value.empty()) return true;
  return false;
}

// One code per question, the author's codes first: levels no question reaches are not written.
std::string rewardList(const QuizSource& source) {
  std::string list = "[";
  for (std::size_t k = 0; k < source.questions.size(); ++k)
    list += (k ? ", " : "") + tomlQuoted(k < source.rewards.size() ? source.rewards[k].value : std::string());
  return list + "]";
}

void writeQuestion(Writer& out, const QuizSource& source, const SourceQuestion& question) {
  const bool twoBoxes = source.answersPerQuestion == 2;
  const int media = source.mediaKind;
  out.raw("\n[[question]]\n");
  out.text("answer", question.answer);
  out.list("also", question.also);
  if (twoBoxes) {
    out.text("second_answer", question.secondAnswer);
    out.list("second_also", question.secondAlso);
  }
  if (media == kMediaText) out.textIfAny("text", question.text);
  if (carriesComments(source.commentKind)) out.textIfAny("comment", question.comment);
  if (media == kMediaPictures) {
    out.textIfAny("picture", question.picture);
    if (showsSolutionPicture(source.commentKind)) out.textIfAny("solution", question.solution);
  }
  if (media == kMediaAudio || media == kMediaVideo) out.textIfAny("clip", question.clip);
}

}  // namespace

std::string writeQuizSource(const QuizSource& source) {
  Writer out;
  out.text("title", source.title);
  out.text("author", source.author);
  out.text("explanation", source.explanation);
  out.key("media", kindName(source.mediaKind, kMediaNames, 4));
  out.key("question_count", std::to_string(source.questions.size()));
  out.key("answers_per_question", std::to_string(source.answersPerQuestion));
  if (source.answersPerQuestion == 2)
    out.key("answer_labels",
            "[" + tomlQuoted(source.firstAnswerLabel.value) + ", " + tomlQuoted(source.secondAnswerLabel.value) + "]");
  out.key("comments", kindName(source.commentKind, kCommentNames, 5));
  // Strict is the player's own rule: said only when the quiz asks for another.
  if (source.accentMode != kAccentsStrict) out.key("accents", kindName(source.accentMode, kAccentNames, 2));
  char colour[16];
  std::snprintf(colour, sizeof colour, "\"#%02X%02X%02X\"", source.backRed, source.backGreen, source.backBlue);
  out.key("background", colour);
  if (anyReward(source)) out.key("rewards", rewardList(source));
  for (const SourceQuestion& question : source.questions) writeQuestion(out, source, question);
  return out.take();
}

}  // namespace fenok::pack
