#pragma once
// fenok-pack inspect: the player's own loader run over a program's resources.
#include <string>
#include <vector>

namespace fenok {
class Resources;
}

namespace fenok::pack {

struct InspectResult {
  std::string toml;                   // the loaded quiz (quiz_toml_writer.h)
  std::vector<std::string> messages;  // each message the loader showed, as UTF-8 text
  std::vector<std::string> warnings;  // what the player ignores silently (a damaged accepted-answers block)
};

// Runs initQuiz and loadQuiz over the resources, with recorded messages and graphics.
InspectResult inspectResources(Resources& resources);

}  // namespace fenok::pack
