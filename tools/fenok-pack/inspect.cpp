// fenok-pack inspect FILE.exe: prints the quiz a packed program carries, as the player loads it.
// Exit status: 0 when the loader showed no message, 1 when it showed one (the quiz is still printed),
// 2 when the file cannot be read or is not a Windows program.
#include "inspect.h"

#include <cstdio>
#include <memory>

#include "commands.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"
#include "quiz_toml_writer.h"
#include "text_encoding.h"

namespace fenok::pack {

InspectResult inspectResources(Resources& resources) {
  RecordingGraphics graphics;
  MessageRecorder messages;
  Platform platform;
  platform.resources = &resources;
  platform.messages = &messages;
  platform.graphics = &graphics;
  auto quiz = std::make_unique<Quiz>();
  initQuiz(*quiz, graphics);
  const LoadOutcome outcome = loadQuiz(platform, *quiz);

  InspectResult result;
  result.toml = writeQuizToml(*quiz, outcome == LoadOutcome::complete);
  for (const RecordedMessage& message : messages.messages()) result.messages.push_back(cp1252ToUtf8(message.text));
  freeQuiz(*quiz, graphics);
  return result;
}

int runInspect(const Arguments& args) {
  if (args.size() != 1) {
    std::fputs("usage: fenok-pack inspect FILE.exe\n", stderr);
    return 2;
  }
  const std::string& path = args[0];
  PeResources resources;
  std::string error;
  if (!resources.loadFile(path, error)) {
    if (error.find(path) == std::string::npos) error = path + ": not a Windows program (" + error + ")";
    std::fprintf(stderr, "fenok-pack inspect: %s\n", error.c_str());
    return 2;
  }
  const InspectResult result = inspectResources(resources);
  for (const std::string& message : result.messages) std::fprintf(stderr, "%s\n", message.c_str());
  std::fputs(result.toml.c_str(), stdout);
  return result.messages.empty() ? 0 : 1;
}

}  // namespace fenok::pack
