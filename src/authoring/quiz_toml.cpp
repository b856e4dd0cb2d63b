// The keys of the quiz description and how each is read. Keys printed by `inspect` that the tool
// derives or the player owns (question_count, link, status) are accepted so that an inspected quiz
// can be built again: question_count must then agree, link and status are ignored with a warning.
#include "quiz_toml.h"

#include "toml_prescan.h"

// toml++ checks its own invariants with assert(), and some of them fire on malformed input (a table
// header cut by a line end) that its parser otherwise reports as a parse error: a description with a
// typo must get a message, not an abort, so those checks are left out here.
#include <toml++/impl/preprocessor.h>
#undef TOML_ASSERT
#define TOML_ASSERT(expr) static_assert(true)
#undef TOML_ASSERT_ASSUME
#define TOML_ASSERT_ASSUME(expr) static_assert(true)
#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>

#include "judge/verdict.h"

namespace fenok::pack {

const char* const kMediaNames[4] = {"text", "pictures", "audio", "video"};
const char* const kCommentNames[5] = {"none", "solution-picture", "comment", "comment-and-picture", "all-at-end"};
const char* const kAccentNames[2] = {"strict", "tolerant"};

namespace {

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

template <typename Table>
Message unknownKey(const std::string& key, const Table& known) {
  for (const auto& entry : known)
    if (editDistance(key, entry.name) <= 2) return message(Msg::unknownKeyDidYouMean, key, entry.name);
  return message(Msg::unknownKey, key);
}

void readText(const toml::node& node, const std::string& key, SourceText& text, Diagnostics& diagnostics) {
  if (!node.is_string()) {
    diagnostics.error(lineOf(node), Msg::notAText, key);
    return;
  }
  text = {node.as_string()->get(), lineOf(node), true};
}

// A kind given by name, or by its stored number as `inspect` prints unknown values.
bool readKind(const toml::node& node, const std::string& key, const char* const* names, int count, int& kind,
              Diagnostics& diagnostics) {
  if (const auto* number = node.as_integer(); number && number->get() >= 0 && number->get() < count) {
    kind = static_cast<int>(number->get());
    return true;
  }
  if (const auto* name = node.as_string()) {
    for (int i = 0; i < count; ++i)
      if (name->get() == names[i]) {
        kind = i;
        return true;
      }
  }
  std::string choices;
  for (int i = 0; i < count; ++i) choices += std::string(i ? ", \"" : "\"") + names[i] + "\"";
  diagnostics.error(lineOf(node), Msg::notAChoice, key, choices);
  return false;
}

void readStrings(const toml::node& node, const std::string& key, std::vector<SourceText>& texts,
                 Diagnostics& diagnostics) {
  const toml::array* array = node.as_array();
  if (!array) {
    diagnostics.error(lineOf(node), Msg::notAList, key);
    return;
  }
  for (const toml::node& item : *array) {
    SourceText text;
    readText(item, key, text, diagnostics);
    if (!text.present) text.line = lineOf(item);
    texts.push_back(text);
  }
}

bool hexDigit(char c, int& value) {
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  else return false;
  return true;
}

void readBackground(const toml::node& node, QuizSource& quiz, Diagnostics& diagnostics) {
  quiz.backgroundLine = lineOf(node);
  const auto* text = node.as_string();
  const std::string value = text ? text->get() : "";
  int digits[6] = {};
  bool ok = value.size() == 7 && value[0] == '#';
  for (int i = 0; ok && i < 6; ++i) ok = hexDigit(value[1 + i], digits[i]);
  if (!ok) {
    diagnostics.error(quiz.backgroundLine, Msg::notAColour);
    return;
  }
  quiz.backRed = static_cast<std::uint8_t>(digits[0] * 16 + digits[1]);
  quiz.backGreen = static_cast<std::uint8_t>(digits[2] * 16 + digits[3]);
  quiz.backBlue = static_cast<std::uint8_t>(digits[4] * 16 + digits[5]);
}

struct QuestionKey {
  const char* name;
  SourceText SourceQuestion::*text;
};

const QuestionKey kQuestionKeys[] = {
    {"answer", &SourceQuestion::answer},   {"second_answer", &SourceQuestion::secondAnswer},
    {"text", &SourceQuestion::text},       {"comment", &SourceQuestion::comment},
    {"picture", &SourceQuestion::picture}, {"solution", &SourceQuestion::solution},
    {"clip", &SourceQuestion::clip},
};

// Keys whose value is a list of texts, with the line of the key.
struct QuestionListKey {
  const char* name;
  std::vector<SourceText> SourceQuestion::*texts;
  int SourceQuestion::*line;
};

const QuestionListKey kQuestionListKeys[] = {
    {"also", &SourceQuestion::also, &SourceQuestion::alsoLine},
    {"second_also", &SourceQuestion::secondAlso, &SourceQuestion::secondAlsoLine},
};

// Every key a question may have, for the "did you mean" of an unknown one.
std::vector<QuestionKey> allQuestionKeys() {
  std::vector<QuestionKey> keys(std::begin(kQuestionKeys), std::end(kQuestionKeys));
  for (const QuestionListKey& list : kQuestionListKeys) keys.push_back({list.name, nullptr});
  return keys;
}

void readQuestion(const toml::table& table, SourceQuestion& question, Diagnostics& diagnostics) {
  for (const auto& [key, node] : table) {
    const std::string name(key.str());
    const auto* known = std::find_if(std::begin(kQuestionKeys), std::end(kQuestionKeys),
                                     [&](const QuestionKey& entry) { return name == entry.name; });
    if (known != std::end(kQuestionKeys)) {
      readText(node, name, question.*(known->text), diagnostics);
      continue;
    }
    const auto* list = std::find_if(std::begin(kQuestionListKeys), std::end(kQuestionListKeys),
                                    [&](const QuestionListKey& entry) { return name == entry.name; });
    if (list != std::end(kQuestionListKeys)) {
      question.*(list->line) = lineOf(node);
      readStrings(node, name, question.*(list->texts), diagnostics);
      continue;
    }
    diagnostics.error(static_cast<int>(key.source().begin.line), unknownKey(name, allQuestionKeys()));
  }
}

void readQuestions(const toml::node& node, QuizSource& quiz, Diagnostics& diagnostics) {
  const toml::array* array = node.as_array();
  if (!array || !array->is_array_of_tables()) {
    diagnostics.error(lineOf(node), Msg::questionsNotTables);
    return;
  }
  for (const toml::node& item : *array) {
    SourceQuestion question;
    // A [[question]] table's own position is its header line.
    question.line = lineOf(item);
    readQuestion(*item.as_table(), question, diagnostics);
    quiz.questions.push_back(question);
  }
  if (!quiz.questions.empty()) quiz.questionsLine = quiz.questions.front().line;
}

struct Reading {
  QuizSource& quiz;
  Diagnostics& diagnostics;
  long long declaredQuestionCount = -1;
  int declaredQuestionCountLine = 0;
};

using TopReader = void (*)(const toml::node&, Reading&);

struct TopKey {
  const char* name;
  TopReader read;
};

const TopKey kTopKeys[] = {
    {"title", [](const toml::node& n, Reading& r) { readText(n, "title", r.quiz.title, r.diagnostics); }},
    {"author", [](const toml::node& n, Reading& r) { readText(n, "author", r.quiz.author, r.diagnostics); }},
    {"explanation",
     [](const toml::node& n, Reading& r) { readText(n, "explanation", r.quiz.explanation, r.diagnostics); }},
    {"media",
     [](const toml::node& n, Reading& r) {
       r.quiz.mediaPresent = true;
       r.quiz.mediaLine = lineOf(n);
       // An unknown kind checks no files: which ones belong depends on it.
       if (!readKind(n, "media", kMediaNames, 4, r.quiz.mediaKind, r.diagnostics)) r.quiz.mediaKind = kUnknownMedia;
     }},
    {"answers_per_question",
     [](const toml::node& n, Reading& r) {
       r.quiz.answersPerQuestionLine = lineOf(n);
       const auto* number = n.as_integer();
       if (number && (number->get() == 1 || number->get() == 2)) {
         r.quiz.answersPerQuestion = static_cast<int>(number->get());
       } else {
         r.diagnostics.error(lineOf(n), Msg::answersPerQuestionOneOrTwo);
       }
     }},
    {"answer_labels",
     [](const toml::node& n, Reading& r) {
       std::vector<SourceText> labels;
       readStrings(n, "answer_labels", labels, r.diagnostics);
       if (labels.size() > 2) r.diagnostics.error(lineOf(n), Msg::tooManyLabels);
       if (labels.size() > 0) r.quiz.firstAnswerLabel = labels[0];
       if (labels.size() > 1) r.quiz.secondAnswerLabel = labels[1];
     }},
    {"comments",
     [](const toml::node& n, Reading& r) {
       r.quiz.commentsLine = lineOf(n);
       readKind(n, "comments", kCommentNames, 5, r.quiz.commentKind, r.diagnostics);
     }},
    {"accents",
     [](const toml::node& n, Reading& r) {
       r.quiz.accentsLine = lineOf(n);
       readKind(n, "accents", kAccentNames, 2, r.quiz.accentMode, r.diagnostics);
     }},
    {"background", [](const toml::node& n, Reading& r) { readBackground(n, r.quiz, r.diagnostics); }},
    {"rewards",
     [](const toml::node& n, Reading& r) {
       r.quiz.rewardsLine = lineOf(n);
       readStrings(n, "rewards", r.quiz.rewards, r.diagnostics);
     }},
    {"question", [](const toml::node& n, Reading& r) { readQuestions(n, r.quiz, r.diagnostics); }},
    {"question_count",
     [](const toml::node& n, Reading& r) {
       r.declaredQuestionCountLine = lineOf(n);
       if (const auto* number = n.as_integer()) r.declaredQuestionCount = number->get();
       else r.diagnostics.error(lineOf(n), Msg::questionCountNotANumber);
     }},
    {"link",
     [](const toml::node& n, Reading& r) {
       r.diagnostics.warning(lineOf(n), Msg::linkIgnored);
     }},
    {"status",
     [](const toml::node& n, Reading& r) {
       r.diagnostics.warning(lineOf(n), Msg::statusIgnored);
     }},
};

}  // namespace

bool readQuizToml(const std::string& text, QuizSource& quiz, Diagnostics& diagnostics) {
  if (const int line = firstSingleBracketTable(text, "question")) {
    diagnostics.error(line, Msg::singleBracketQuestion);
    return false;
  }
  StrayCharacter stray;
  if (!nonAsciiOnlyQuoted(text, stray)) {
    diagnostics.error(stray.line, Msg::strayCharacter, stray.character);
    return false;
  }
  toml::table table;
  try {
    table = toml::parse(text, diagnostics.file());
  } catch (const toml::parse_error& error) {
    const int line = static_cast<int>(error.source().begin.line);
    const int unclosed = firstUnclosedText(text);
    if (unclosed > 0 && unclosed <= line)
      diagnostics.error(unclosed, Msg::unclosedText);
    else
      diagnostics.error(line, Msg::tomlError, std::string(error.description()));
    return false;
  }
  Reading reading{quiz, diagnostics};
  for (const auto& [key, node] : table) {
    const std::string name(key.str());
    const auto* known = std::find_if(std::begin(kTopKeys), std::end(kTopKeys),
                                     [&](const TopKey& entry) { return name == entry.name; });
    if (known == std::end(kTopKeys)) {
      diagnostics.error(static_cast<int>(key.source().begin.line), unknownKey(name, kTopKeys));
      continue;
    }
    known->read(node, reading);
  }
  if (reading.declaredQuestionCount >= 0 &&
      reading.declaredQuestionCount != static_cast<long long>(quiz.questions.size()))
    diagnostics.error(reading.declaredQuestionCountLine, Msg::questionCountDisagrees, reading.declaredQuestionCount,
                      quiz.questions.size());
  return true;
}

}  // namespace fenok::pack
