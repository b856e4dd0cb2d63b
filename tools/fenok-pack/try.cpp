// fenok-pack try QUIZ.toml|QUIZ.exe|QUIZ.html [ANSWERS.txt] [--typed]: load the quiz as the player
// would (a .toml is packed in memory first), then run the answer lab over it. The answers are read byte for byte as
// the player reads its saved-answers file, unless --typed says they are typed UTF-8 text.
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "authoring/content_findings.h"
#include "authoring/content_texts.h"
#include "authoring/file_bytes.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_content.h"
#include "authoring/quiz_inspection.h"
#include "authoring/text_encoding.h"
#include "authoring/try_session.h"
#include "commands.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"
#include "telling.h"
#include "usage.h"

namespace fenok::pack {

namespace {

struct TryOptions {
  std::string quiz, answers;
  bool typed = false;
};

bool parseOptions(const Arguments& args, TryOptions& options) {
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "--typed") options.typed = true;
    else if (!arg.empty() && arg[0] == '-') return false;
    else files.push_back(arg);
  }
  if (files.empty() || files.size() > 2) return false;
  options.quiz = files[0];
  if (files.size() == 2) options.answers = files[1];
  return true;
}

bool endsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}


// The content resources of a quiz description, packed as the build packs them (unscrambled).
bool contentFromToml(const std::string& path, MemoryResources& resources, Language language) {
  Diagnostics diagnostics(path);
  QuizContent content;
  const bool readable = readQuizDescription(path, content, diagnostics);
  for (const Problem& problem : diagnostics.problems()) std::cerr << formatProblem(problem, language) << '\n';
  if (!readable) return false;
  std::vector<PeResourceEntry> entries;
  Message error;
  if (!contentResources(content, true, entries, error)) {
    tell(nullptr, language, message(Msg::problemError, path, error));
    return false;
  }
  for (PeResourceEntry& entry : entries) resources.add(entry.typeName, entry.id, std::move(entry.bytes));
  return true;
}

struct LoadedResources {
  QuizFile file;
  MemoryResources packed;
  Resources* active = nullptr;
};

bool loadResources(const std::string& path, LoadedResources& loaded, Language language) {
  if (endsWith(path, ".toml")) {
    if (!contentFromToml(path, loaded.packed, language)) return false;
    loaded.active = &loaded.packed;
    return true;
  }
  Message error;
  if (!loadQuizFile(path, loaded.file, error)) {
    tell(nullptr, language, error);
    return false;
  }
  if (loaded.file.damage) tell(nullptr, language, message(Msg::problemWarning, path, *loaded.file.damage));
  loaded.active = loaded.file.resources;
  return true;
}

bool readAnswers(const TryOptions& options, std::vector<std::uint8_t>& answers, Language language) {
  if (options.answers.empty()) {
    answers.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  Message reason;
  if (readFileBytes(options.answers, answers, reason)) return true;
  tell(nullptr, language, readFailure(options.answers, reason));
  return false;
}

}  // namespace

int runTry(const Arguments& args, Language language) {
  TryOptions options;
  if (!parseOptions(args, options)) {
    std::cerr << commandHelp("try");
    return kExitFailed;
  }
  LoadedResources loaded;
  if (!loadResources(options.quiz, loaded, language)) return kExitFailed;
  std::vector<std::uint8_t> answers;
  if (!readAnswers(options, answers, language)) return kExitFailed;
  const Message answersName = options.answers.empty() ? message(Msg::theAnswers) : valueMessage(options.answers);
  if (options.typed) answers = answersInPlayerEncoding(answers);
  else
    for (const Message& note : savedAnswersNotes(answers))
      tell(nullptr, language, message(Msg::problemWarning, answersName, note));

  RecordingGraphics graphics;
  MessageRecorder messages;

  std::unique_ptr<Quiz> quiz(new Quiz());
  initQuiz(*quiz, graphics);
  ContentFindings findings;
  const LoadOutcome outcome = loadQuiz(ContentPorts{*loaded.active, messages, graphics}, *quiz, &findings);
  for (const RecordedMessage& said : messages.messages())
    tell(nullptr, language, message(Msg::playerSays, options.quiz, cp1252ToUtf8(said.text)));
  const std::vector<Message> damage = describeFindings(findings);
  for (const Message& line : damage) tell(nullptr, language, message(Msg::problemWarning, options.quiz, line));
  messages.clear();

  runTrySession(messages, graphics, *quiz, answers, std::cout);
  for (const RecordedMessage& message : messages.messages()) {
    std::cerr << "fenok-pack: " << cp1252ToUtf8(message.text) << '\n';
  }
  freeQuiz(*quiz, graphics);
  // The screen above is what the player would show; a content problem still fails the command.
  return outcome == LoadOutcome::complete && damage.empty() && !loaded.file.damage ? kExitOk : kExitFlagged;
}

}  // namespace fenok::pack
