#include "quiz_making.h"

#include <filesystem>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_program.h"
#include "live_check.h"
#include "studio_texts.h"

namespace fenok::studio {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTrialFolder = "fenok-studio-essai";
constexpr const char* kTrialProgram = "essai.exe";
constexpr const char* kDefaultProgram = "quiz";
// Characters Windows does not take in a file name.
constexpr const char* kForbidden = "<>:\"/\\|?*";

}  // namespace

MadeQuiz makeQuizProgram(const QuizDocument& document, const std::string& output, pack::PlayerArch arch,
                         const std::string& programFolder) {
  MadeQuiz made;
  pack::Message error;
  const std::string stub = pack::locateStub("", nullptr, programFolder, error, arch);
  made.playerMissing = stub.empty();
  if (made.playerMissing) {
    made.error = pack::say(error, texts::kLanguage);
    return made;
  }
  const pack::PreparedQuiz prepared = pack::prepareQuizText(document.text(), checkedPath(document), false);
  made.questionCount = prepared.questionCount;
  if (!prepared.ok()) {
    for (const pack::Problem& problem : prepared.problems)
      if (problem.severity == pack::Severity::error)
        made.error += (made.error.empty() ? "" : "\n") + pack::say(problem.message, texts::kLanguage);
    return made;
  }
  if (!pack::writeQuizProgram(prepared, stub, output, error)) made.error = pack::say(error, texts::kLanguage);
  return made;
}

std::string trialProgramPath(const std::string& temporaryFolder, std::string& error) {
  const fs::path folder = pack::filePath(temporaryFolder) / kTrialFolder;
  std::error_code failure;
  fs::remove_all(folder, failure);
  if (!failure) fs::create_directories(folder, failure);
  if (failure) {
    error = pack::say(texts::kLanguage, pack::Msg::problemError, folder.u8string(), pack::systemReason(failure));
    return {};
  }
  return (folder / kTrialProgram).u8string();
}

std::string programName(const QuizDocument& document) {
  std::string name = document.quiz().title.value;
  if (name.empty() && !document.folder().empty()) name = pack::filePath(document.folder()).filename().u8string();
  std::string safe;
  for (const char c : name)
    if (static_cast<unsigned char>(c) >= 0x20 && std::string(kForbidden).find(c) == std::string::npos) safe += c;
  while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.')) safe.pop_back();
  return (safe.empty() ? kDefaultProgram : safe) + ".exe";
}

}  // namespace fenok::studio
