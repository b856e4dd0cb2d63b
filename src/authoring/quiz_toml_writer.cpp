#include "quiz_toml_writer.h"

#include <cstdio>

#include "content/quiz.h"
#include "judge/answer_match.h"
#include "quiz_source.h"
#include "text_encoding.h"

namespace fenok::pack {
namespace {

// A Windows-1252 field as a quoted UTF-8 TOML string.
std::string field(const char* text) { return tomlQuoted(cp1252ToUtf8(text)); }

// A kind by its name, or its number when it has none.
std::string kind(int value, const char* const* names, int count) {
  if (value >= 0 && value < count) return tomlQuoted(names[value]);
  return std::to_string(value);
}

// The answers a box accepts beside its expected one, as a TOML list; empty when there are none.
std::string alsoList(const AnswerEntry& entry, int box) {
  const std::vector<std::string> forms = acceptedForms(entry, box);
  if (forms.size() < 2) return {};
  std::string list = "[";
  for (std::size_t i = 1; i < forms.size(); ++i) list += (i > 1 ? ", " : "") + tomlQuoted(cp1252ToUtf8(forms[i]));
  return list + "]";
}

}  // namespace

std::string tomlQuoted(const std::string& utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    switch (byte) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\b': out += "\\b"; continue;
      case '\t': out += "\\t"; continue;
      case '\n': out += "\\n"; continue;
      case '\f': out += "\\f"; continue;
      case '\r': out += "\\r"; continue;
      default: break;
    }
    char escape[8];
    if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      // U+0080 to U+009F: C1 controls, valid in TOML but invisible; written as escapes.
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(utf8[i + 1]));
      out += escape;
      ++i;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out + "\"";
}

std::string writeQuizToml(const Quiz& quiz, bool rewardsRead) {
  std::string out;
  const auto line = [&out](const std::string& key, const std::string& value) { out += key + " = " + value + "\n"; };
  line("title", field(quiz.title));
  line("author", field(quiz.author));
  line("explanation", field(quiz.explanation));
  line("media", kind(quiz.mediaKind, kMediaNames, 4));
  line("question_count", std::to_string(quiz.questionCount));
  line("answers_per_question", std::to_string(quiz.answersPerQuestion));
  line("answer_labels", "[" + field(quiz.firstAnswerLabel) + ", " + field(quiz.secondAnswerLabel) + "]");
  line("comments", kind(quiz.commentKind, kCommentNames, 5));
  // Strict is the player's own rule: said only when the quiz asks for another.
  if (quiz.accentMode != kAccentsStrict) line("accents", kind(quiz.accentMode, kAccentNames, 2));
  char colour[16];
  std::snprintf(colour, sizeof colour, "\"#%02X%02X%02X\"", quiz.backRed, quiz.backGreen, quiz.backBlue);
  line("background", colour);
  line("link", field(quiz.linkAddress));
  line("status", field(quiz.statusText));
  if (rewardsRead) {
    std::string rewards = "[";
    const int count = quiz.questionCount < 0 ? 0 : (quiz.questionCount > kMaxQuestions ? kMaxQuestions : quiz.questionCount);
    for (int k = 0; k < count; ++k) rewards += (k ? ", " : "") + field(quiz.rewardCodes[k]);
    line("rewards", rewards + "]");
  }
  for (const AnswerEntry* entry = quiz.firstAnswer; entry != nullptr; entry = entry->next) {
    out += "\n[[question]]\n";
    line("answer", field(entry->answer));
    if (const std::string also = alsoList(*entry, 1); !also.empty()) line("also", also);
    if (quiz.answersPerQuestion == 2) line("second_answer", field(entry->secondAnswer));
    if (const std::string also = alsoList(*entry, 2); quiz.answersPerQuestion == 2 && !also.empty())
      line("second_also", also);
    line("text", field(entry->question));
    if (carriesComments(quiz.commentKind)) line("comment", field(entry->comment));
  }
  return out;
}

}  // namespace fenok::pack
