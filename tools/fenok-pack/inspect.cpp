// fenok-pack inspect FILE.exe: prints the quiz a packed program carries, as the player loads it.
// Exit status: 0 when the loader showed no message, 1 when it showed one (the quiz is still printed),
// 2 when the file cannot be read or is not a Windows program. What the player ignores without a message
// (an accepted-answers block it cannot read) is a warning on stderr and changes nothing here.
#include "inspect.h"

#include <cstdio>
#include <memory>

#include "commands.h"
#include "content/accepted_block.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"
#include "quiz_toml_writer.h"
#include "text_encoding.h"

namespace fenok::pack {

namespace {

// The warnings of each fate of the accepted-answers block; none when it was read or is absent.
const char* blockWarning(AcceptedBlock block) {
  switch (block) {
    case AcceptedBlock::damaged:
      return "the accepted answers and the accent mode are damaged: the player ignores them and accepts only "
             "the expected answers, accents strict";
    case AcceptedBlock::newer:
      return "the accepted answers and the accent mode were written by a later fenok-pack: this player ignores "
             "them and accepts only the expected answers, accents strict";
    default:
      return nullptr;
  }
}

}  // namespace

InspectResult inspectResources(Resources& resources) {
  RecordingGraphics graphics;
  MessageRecorder messages;
  Platform platform;
  platform.resources = &resources;
  platform.messages = &messages;
  platform.graphics = &graphics;
  auto quiz = std::make_unique<Quiz>();
  initQuiz(*quiz, graphics);
  AcceptedBlock block = AcceptedBlock::absent;
  const LoadOutcome outcome = loadQuiz(platform, *quiz, &block);

  InspectResult result;
  if (const char* warning = blockWarning(block)) result.warnings.push_back(warning);
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
  for (const std::string& warning : result.warnings)
    std::fprintf(stderr, "fenok-pack inspect: %s: warning: %s\n", path.c_str(), warning.c_str());
  std::fputs(result.toml.c_str(), stdout);
  return result.messages.empty() ? 0 : 1;
}

}  // namespace fenok::pack
