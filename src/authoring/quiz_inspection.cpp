// The player's own loader run over a program's resources: what `inspect` prints and `try` judges.
#include "quiz_inspection.h"

#include <memory>

#include "content/loader.h"
#include "content/quiz.h"
#include "content_findings.h"
#include "file_bytes.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "quiz_page_reader.h"
#include "quiz_toml_writer.h"
#include "text_encoding.h"

namespace fenok::pack {

InspectResult inspectResources(Resources& resources) {
  RecordingGraphics graphics;
  MessageRecorder messages;
  auto quiz = std::make_unique<Quiz>();
  initQuiz(*quiz, graphics);
  ContentFindings findings;
  const LoadOutcome outcome = loadQuiz(ContentPorts{resources, messages, graphics}, *quiz, &findings);

  InspectResult result;
  result.outcome = outcome;
  result.findings = describeFindings(findings);
  result.toml = writeQuizToml(*quiz, outcome == LoadOutcome::complete);
  for (const RecordedMessage& message : messages.messages()) result.messages.push_back(cp1252ToUtf8(message.text));
  freeQuiz(*quiz, graphics);
  return result;
}

namespace {

constexpr char kProgramStart[] = "MZ";

}  // namespace

bool loadQuizFile(const std::string& path, QuizFile& file, Message& error) {
  std::vector<std::uint8_t> bytes;
  Message reason;
  if (!readFileBytes(path, bytes, reason)) {
    error = readFailure(path, reason);
    return false;
  }
  const bool program = bytes.size() >= 2 && bytes[0] == kProgramStart[0] && bytes[1] == kProgramStart[1];
  std::string quiz;
  if (!program && pageQuizText(std::string(bytes.begin(), bytes.end()), quiz)) {
    file.damage = bundleDamage(decodePageBundle(quiz.data(), quiz.size(), file.page));
    file.resources = &file.page;
    return true;
  }
  std::string structure;  // the PE reader's own words on what is wrong
  if (!file.program.load(std::move(bytes), structure)) {
    error = message(Msg::notAProgramOrPage, path, structure);
    return false;
  }
  file.resources = &file.program;
  return true;
}

}  // namespace fenok::pack
