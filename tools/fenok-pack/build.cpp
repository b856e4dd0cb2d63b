// fenok-pack build QUIZ.toml -o OUT.exe [--arch x86|x64] [--stub PLAYER.exe] [--plain] [--keep-pictures]
// fenok-pack build QUIZ.toml -o OUT.html [--web] [--web-player fenok-web.html] [--plain] [--keep-pictures]
// The output's extension (or --web) chooses between the program and the web page.
// Every problem of the description is printed as FILE:LINE: what is wrong, and then nothing is written;
// the output is written beside its final name and renamed, so it is never left half-written, and it is
// never one of the files the build reads.
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "authoring/quiz_build.h"
#include "authoring/quiz_page.h"
#include "authoring/quiz_program.h"
#include "authoring/stub_locator.h"
#include "commands.h"
#include "telling.h"
#include "usage.h"

namespace fenok::pack {
namespace {

struct BuildOptions {
  std::string quiz, output, stub, webPlayer;
  PlayerArch arch = PlayerArch::x86;
  bool archGiven = false;
  bool web = false;
  bool plain = false;
  PictureStorage pictures = PictureStorage::fitted;
};

bool takesValue(const std::string& arg) {
  return arg == "-o" || arg == "--stub" || arg == "--arch" || arg == "--web-player";
}

// What is wrong with the options, or nothing.
std::optional<Message> parseOptions(const Arguments& args, BuildOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--plain") {
      options.plain = true;
    } else if (arg == "--keep-pictures") {
      options.pictures = PictureStorage::asGiven;
    } else if (arg == "--web") {
      options.web = true;
    } else if (takesValue(arg) && i + 1 >= args.size()) {
      return message(arg == "--arch" ? Msg::archNeedsValue : Msg::optionNeedsFile, arg);
    } else if (arg == "--arch") {
      options.archGiven = true;
      if (!parseArch(args[++i], options.arch)) return message(Msg::archNotKnown, args[i]);
    } else if (takesValue(arg)) {
      (arg == "-o" ? options.output : arg == "--stub" ? options.stub : options.webPlayer) = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return message(Msg::unknownOption, arg);
    } else if (options.quiz.empty()) {
      options.quiz = arg;
    } else {
      return message(Msg::moreThanOneDescription);
    }
  }
  options.web = options.web || isPagePath(options.output);
  if (options.quiz.empty()) return message(Msg::noDescription);
  if (options.output.empty()) return message(Msg::noOutput);
  if (options.web && (options.archGiven || !options.stub.empty())) return message(Msg::pageHasNoWindowsPlayer);
  if (!options.web && !options.webPlayer.empty()) return message(Msg::webPlayerIsForAPage);
  return std::nullopt;
}

void print(const std::vector<Problem>& problems, Language language) {
  for (const Problem& problem : problems) std::fprintf(stderr, "%s\n", formatProblem(problem, language).c_str());
}

// An explicit --arch and a player of the other kind (from --stub or FENOK_STUB) do not go together.
std::optional<Message> archMismatch(const BuildOptions& options, const std::vector<std::uint8_t>& player,
                                    const std::string& stub) {
  PeLayout layout;
  std::string ignored;
  if (!options.archGiven || !readPeLayout(player, layout, ignored)) return std::nullopt;
  const PlayerArch actual = layout.pe32Plus ? PlayerArch::x64 : PlayerArch::x86;
  if (actual == options.arch) return std::nullopt;
  return message(Msg::playerOfOtherKind, stub, archName(actual), archName(options.arch));
}

int reportWritten(const BuildOptions& options, const PreparedQuiz& prepared, std::size_t size, Language language) {
  const Message built = message(Msg::built, options.output, questionCount(prepared.questionCount), size);
  std::printf("%s\n", say(built, language).c_str());
  return kExitOk;
}

int failed(const Message& error, Language language) {
  const Message said = refusesToOverwrite(error) ? message(Msg::chooseAnotherOutput, error) : error;
  tell(nullptr, language, said);
  return kExitFailed;
}

int buildPage(const BuildOptions& options, const std::string& programFolder, Language language) {
  Message error;
  const std::string player = locateWebPlayer(options.webPlayer, std::getenv("FENOK_WEB_PLAYER"), programFolder, error);
  const PreparedQuiz prepared = prepareQuiz(options.quiz, options.plain, options.pictures);
  print(prepared.problems, language);
  if (!prepared.ok()) return kExitFailed;
  std::size_t size = 0;
  if (player.empty() || !writeQuizPage(prepared, player, options.output, error, &size)) return failed(error, language);
  return reportWritten(options, prepared, size, language);
}

}  // namespace

int runBuildFrom(const Arguments& args, const std::string& programFolder, Language language) {
  BuildOptions options;
  if (const std::optional<Message> problem = parseOptions(args, options)) return usageError("build", language, *problem);
  if (options.web) return buildPage(options, programFolder, language);

  Message error;
  const std::string stub = locateStub(options.stub, std::getenv("FENOK_STUB"), programFolder, error, options.arch);
  PreparedQuiz prepared = prepareQuiz(options.quiz, options.plain, options.pictures);
  print(prepared.problems, language);
  if (!prepared.ok()) return kExitFailed;
  if (stub.empty()) return failed(error, language);

  std::vector<std::uint8_t> player;
  if (!readPlayerFor(prepared, stub, options.output, Msg::cannotReadPlayer, player, error))
    return failed(error, language);
  if (const std::optional<Message> mismatch = archMismatch(options, player, stub)) return failed(*mismatch, language);
  std::size_t packedSize = 0;
  if (!writeProgramFrom(prepared, player, stub, options.output, error, &packedSize)) return failed(error, language);
  return reportWritten(options, prepared, packedSize, language);
}

int runBuild(const Arguments& args, Language language) { return runBuildFrom(args, runningProgramFolder(), language); }

// fenok-pack check QUIZ.toml
int runCheck(const Arguments& args, Language language) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "%s", commandHelp("check").c_str());
    return kExitFailed;
  }
  const PreparedQuiz prepared = prepareQuiz(args[0], false);
  print(prepared.problems, language);
  if (!prepared.ok()) return kExitFailed;
  std::printf("%s\n", say(language, Msg::checked, args[0], questionCount(prepared.questionCount)).c_str());
  return kExitOk;
}

}  // namespace fenok::pack
