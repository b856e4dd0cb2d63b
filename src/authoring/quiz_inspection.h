#pragma once
// The player's own loader run over a program's or a page's resources, for inspect and try.
#include <optional>
#include <string>
#include <vector>

#include "content/loader.h"
#include "messages.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/pe_resources.h"

namespace fenok::pack {

struct InspectResult {
  std::string toml;                   // the loaded quiz (quiz_toml_writer.h)
  std::vector<std::string> messages;  // each message the loader showed, as UTF-8 text
  std::vector<Message> findings;      // damage the loader read past in silence (content_findings.h)
  LoadOutcome outcome = LoadOutcome::complete;
};

// Runs initQuiz and loadQuiz over the resources, with recorded messages and graphics.
InspectResult inspectResources(Resources& resources);

// A packed program or a quiz page, read for its quiz.
struct QuizFile {
  PeResources program;
  MemoryResources page;
  Resources* resources = nullptr;  // the one of the two that was read
  std::optional<Message> damage;   // what is wrong with a page's quiz element, when anything is
};

// Reads a program (it starts as every Windows program does) or else a quiz page; false with
// "PATH: what is wrong" when it cannot be read or is neither.
bool loadQuizFile(const std::string& path, QuizFile& file, Message& error);

}  // namespace fenok::pack
