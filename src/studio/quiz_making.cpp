#include "quiz_making.h"

#include <filesystem>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_page.h"
#include "authoring/quiz_program.h"
#include "authoring/quiz_unpacking.h"
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
constexpr const char* kProgramEnding = ".exe";
constexpr const char* kPageEnding = ".html";

// The description as it stands, checked and prepared; false, with its errors in made, when it has any.
bool prepare(const QuizDocument& document, pack::PreparedQuiz& prepared, MadeQuiz& made) {
  prepared = pack::prepareQuizText(document.text(), checkedPath(document), false);
  made.questionCount = prepared.questionCount;
  if (prepared.ok()) return true;
  for (const pack::Problem& problem : prepared.problems)
    if (problem.severity == pack::Severity::error)
      made.error += (made.error.empty() ? "" : "\n") + pack::say(problem.message, texts::kLanguage);
  return false;
}

// Writes the prepared quiz with write (a program or a page) from the player found, or says why not.
template <typename Write>
MadeQuiz make(const QuizDocument& document, const std::string& player, const pack::Message& playerMissing,
              Write write) {
  MadeQuiz made;
  made.playerMissing = player.empty();
  if (made.playerMissing) {
    made.error = pack::say(playerMissing, texts::kLanguage);
    return made;
  }
  pack::PreparedQuiz prepared;
  pack::Message error;
  if (prepare(document, prepared, made) && !write(prepared, error)) made.error = pack::say(error, texts::kLanguage);
  return made;
}

// The text with each mention of the path made the name given.
std::string namingAs(std::string text, const std::string& path, const std::string& name) {
  if (path.empty() || path == name) return text;
  for (std::size_t at = text.find(path); at != std::string::npos; at = text.find(path, at + name.size()))
    text.replace(at, path.size(), name);
  return text;
}

}  // namespace

MadeQuiz makeQuizProgram(const QuizDocument& document, const std::string& output, pack::PlayerArch arch,
                         const std::string& programFolder) {
  pack::Message missing;
  const std::string stub = pack::locateStub("", nullptr, programFolder, missing, arch);
  return make(document, stub, missing, [&](const pack::PreparedQuiz& prepared, pack::Message& error) {
    return pack::writeQuizProgram(prepared, stub, output, error);
  });
}

MadeQuiz makeQuizPage(const QuizDocument& document, const std::string& output, const std::string& programFolder) {
  pack::Message missing;
  const std::string player = pack::locateWebPlayer("", nullptr, programFolder, missing);
  return make(document, player, missing, [&](const pack::PreparedQuiz& prepared, pack::Message& error) {
    return pack::writeQuizPage(prepared, player, output, error);
  });
}

std::string pagePath(const std::string& chosen) {
  if (pack::isPagePath(chosen)) return chosen;
  const std::string ending = kProgramEnding;
  const bool program =
      chosen.size() > ending.size() && chosen.compare(chosen.size() - ending.size(), ending.size(), ending) == 0;
  return (program ? chosen.substr(0, chosen.size() - ending.size()) : chosen) + kPageEnding;
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

UnpackedQuiz unpackForEditing(const std::string& path, const StudioHost& host) {
  UnpackedQuiz unpacked;
  pack::Message error;
  const std::string shown = host.shownPath(path);
  if (!pack::unpackQuiz(path, unpacked.description, error)) {
    unpacked.description.clear();
    const std::string reason = pack::say(error, texts::kLanguage);  // it names the file by its path
    unpacked.message = texts::say(texts::kCannotOpen, {shown, namingAs(reason, path, shown)});
    return unpacked;
  }
  const std::string name = pack::filePath(path).filename().u8string();
  const fs::path folder = pack::filePath(unpacked.description).parent_path();
  unpacked.message = host.keepsFilesInMemory() ? texts::say(texts::kUnpackedInBrowser, {name})
                                               : texts::say(texts::kUnpacked, {name, folder.u8string()});
  return unpacked;
}

}  // namespace fenok::studio
