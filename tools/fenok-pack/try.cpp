// fenok-pack try QUIZ.toml|QUIZ.exe [ANSWERS.txt]: load the quiz as the player would (a .toml is
// packed in memory first), then run the answer lab over it.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "file_bytes.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "content_texts.h"
#include "diagnostics.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"
#include "quiz_build.h"
#include "quiz_content.h"
#include "text_encoding.h"
#include "try_session.h"

namespace fenok::pack {

namespace {

constexpr const char* kUsage = "usage: fenok-pack try QUIZ.toml|QUIZ.exe [ANSWERS.txt]\n";

bool endsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// The content resources of a quiz description, packed as the build packs them (unscrambled).
bool contentFromToml(const std::string& path, MemoryResources& resources) {
  Diagnostics diagnostics(path);
  QuizContent content;
  const bool readable = readQuizDescription(path, content, diagnostics);
  for (const std::string& warning : diagnostics.warnings()) std::cerr << warning << '\n';
  for (const std::string& error : diagnostics.errors()) std::cerr << error << '\n';
  if (!readable) return false;
  std::vector<PeResourceEntry> entries;
  std::string error;
  if (!contentResources(content, true, entries, error)) {
    std::cerr << "fenok-pack: " << path << ": " << error << '\n';
    return false;
  }
  for (PeResourceEntry& entry : entries) resources.add(entry.typeName, entry.id, std::move(entry.bytes));
  return true;
}

struct LoadedResources {
  PeResources program;
  MemoryResources packed;
  Resources* active = nullptr;
};

bool loadResources(const std::string& path, LoadedResources& loaded) {
  if (endsWith(path, ".toml")) {
    if (!contentFromToml(path, loaded.packed)) return false;
    loaded.active = &loaded.packed;
    return true;
  }
  std::string error;
  if (!loaded.program.loadFile(path, error)) {
    std::cerr << "fenok-pack: " << path << ": " << error << '\n';
    return false;
  }
  loaded.active = &loaded.program;
  return true;
}

bool readAnswers(const Arguments& args, std::vector<std::uint8_t>& answers) {
  if (args.size() < 2) {
    answers.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  if (readFileBytes(args[1], answers)) return true;
  std::cerr << "fenok-pack: " << args[1] << ": cannot be read\n";
  return false;
}

}  // namespace

int runTry(const Arguments& args) {
  if (args.empty() || args.size() > 2) {
    std::cerr << kUsage;
    return 2;
  }
  LoadedResources loaded;
  if (!loadResources(args[0], loaded)) return 1;
  std::vector<std::uint8_t> answers;
  if (!readAnswers(args, answers)) return 1;

  RecordingGraphics graphics;
  MessageRecorder messages;
  Platform platform;
  platform.resources = loaded.active;
  platform.graphics = &graphics;
  platform.messages = &messages;

  std::unique_ptr<Quiz> quiz(new Quiz());
  initQuiz(*quiz, graphics);
  const LoadOutcome outcome = loadQuiz(platform, *quiz);
  for (const RecordedMessage& message : messages.messages()) {
    std::cerr << "fenok-pack: " << args[0] << ": " << cp1252ToUtf8(message.text) << '\n';
  }
  messages.clear();

  runTrySession(platform, *quiz, answersInPlayerEncoding(answers), std::cout);
  for (const RecordedMessage& message : messages.messages()) {
    std::cerr << "fenok-pack: " << cp1252ToUtf8(message.text) << '\n';
  }
  freeQuiz(*quiz, graphics);
  // The screen above is what the player would show; a content problem still fails the command.
  return outcome == LoadOutcome::complete ? 0 : 1;
}

}  // namespace fenok::pack
