// fenok-pack inspect FILE.exe|FILE.html: prints the quiz a packed program or a quiz page carries, as
// the player loads it. Exit status: 0 when the content loaded whole; 1 when the program holds no quiz
// (nothing printed), when the loader showed a message or read past damaged content, an
// accepted-answers block it cannot read among it, or a page whose quiz is damaged (the quiz is still
// printed, the problems go to stderr); 2 when the file cannot be read or is neither a Windows program
// nor a quiz page.
#include <cstdio>

#include "authoring/quiz_inspection.h"
#include "commands.h"
#include "telling.h"
#include "usage.h"

namespace fenok::pack {

int runInspect(const Arguments& args, Language language) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fputs(commandHelp("inspect").c_str(), stderr);
    return kExitFailed;
  }
  const std::string& path = args[0];
  QuizFile file;
  Message error;
  if (!loadQuizFile(path, file, error)) {
    tell("inspect", language, error);
    return kExitFailed;
  }
  if (file.damage) tell("inspect", language, message(Msg::problemWarning, path, *file.damage));
  const InspectResult result = inspectResources(*file.resources);
  if (result.outcome == LoadOutcome::answersMissing) {
    tell("inspect", language, message(Msg::bareProgram, path));
    return kExitFlagged;
  }
  for (const std::string& said : result.messages) tell("inspect", language, message(Msg::playerSays, path, said));
  for (const Message& finding : result.findings)
    tell("inspect", language, message(Msg::problemWarning, path, finding));
  std::fputs(result.toml.c_str(), stdout);
  return result.messages.empty() && result.findings.empty() && !file.damage ? kExitOk : kExitFlagged;
}

}  // namespace fenok::pack
