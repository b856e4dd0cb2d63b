#pragma once
// The player's own loader run over a program's resources, for inspect and try.
#include <string>
#include <vector>

#include "content/loader.h"
#include "messages.h"

namespace fenok {
class PeResources;
class Resources;
}

namespace fenok::pack {

struct InspectResult {
  std::string toml;                   // the loaded quiz (quiz_toml_writer.h)
  std::vector<std::string> messages;  // each message the loader showed, as UTF-8 text
  std::vector<Message> findings;      // damage the loader read past in silence (content_findings.h)
  LoadOutcome outcome = LoadOutcome::complete;
};

// Runs initQuiz and loadQuiz over the resources, with recorded messages and graphics.
InspectResult inspectResources(Resources& resources);

// Reads a program file's resources; false with "PATH: what is wrong" when it cannot be read or is not
// a Windows program.
bool loadProgram(const std::string& path, PeResources& resources, Message& error);

}  // namespace fenok::pack
