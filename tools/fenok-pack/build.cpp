// fenok-pack build QUIZ.toml -o OUT.exe [--arch x86|x64] [--stub PLAYER.exe] [--plain] [--keep-pictures]
// fenok-pack build QUIZ.toml -o OUT.html [--web] [--web-player fenok-web.html] [--plain] [--keep-pictures]
// The output's extension (or --web) chooses between the program and the web page.
// Every problem of the description is printed as FILE:LINE: what is wrong, and then nothing is written;
// the output is written beside its final name and renamed, so it is never left half-written, and it is
// never one of the files the build reads.
#include <cstdio>
#include <cstdlib>

#include "authoring/file_bytes.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_page.h"
#include "authoring/quiz_program.h"
#include "authoring/stub_locator.h"
#include "commands.h"
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

int usage(const std::string& problem) {
  std::fprintf(stderr, "fenok-pack build: %s\n%s", problem.c_str(), commandHelp("build").c_str());
  return kExitFailed;
}

bool takesValue(const std::string& arg) {
  return arg == "-o" || arg == "--stub" || arg == "--arch" || arg == "--web-player";
}

bool parseOptions(const Arguments& args, BuildOptions& options, std::string& problem) {
  for (std::size_t i = 0; i < args.size() && problem.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--plain") {
      options.plain = true;
    } else if (arg == "--keep-pictures") {
      options.pictures = PictureStorage::asGiven;
    } else if (arg == "--web") {
      options.web = true;
    } else if (takesValue(arg) && i + 1 >= args.size()) {
      problem = arg + (arg == "--arch" ? " needs x86 or x64" : " needs a file name");
    } else if (arg == "--arch") {
      options.archGiven = true;
      if (!parseArch(args[++i], options.arch)) problem = "--arch takes x86 or x64, not " + args[i];
    } else if (takesValue(arg)) {
      (arg == "-o" ? options.output : arg == "--stub" ? options.stub : options.webPlayer) = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      problem = "unknown option " + arg;
    } else if (options.quiz.empty()) {
      options.quiz = arg;
    } else {
      problem = "more than one quiz description given";
    }
  }
  if (!problem.empty()) return false;
  options.web = options.web || isPagePath(options.output);
  if (options.quiz.empty()) problem = "no quiz description given";
  else if (options.output.empty()) problem = "no output given (-o OUT.exe, or -o OUT.html for a web page)";
  else if (options.web && (options.archGiven || !options.stub.empty()))
    problem = "a web page has no Windows player: --arch and --stub are for a program";
  else if (!options.web && !options.webPlayer.empty())
    problem = "--web-player is for a web page (-o OUT.html, or --web)";
  return problem.empty();
}

void print(const std::vector<Problem>& problems) {
  for (const Problem& problem : problems) std::fprintf(stderr, "%s\n", formatProblem(problem).c_str());
}

// An explicit --arch and a player of the other kind (from --stub or FENOK_STUB) do not go together.
bool archMatches(const BuildOptions& options, const std::vector<std::uint8_t>& player, const std::string& stub,
                 std::string& error) {
  PeLayout layout;
  std::string ignored;
  if (!options.archGiven || !readPeLayout(player, layout, ignored)) return true;
  const PlayerArch actual = layout.pe32Plus ? PlayerArch::x64 : PlayerArch::x86;
  if (actual == options.arch) return true;
  error = stub + " is an " + archName(actual) + " player, not " + archName(options.arch) + " as --arch asks";
  return false;
}

std::string questionsText(int count) { return std::to_string(count) + (count == 1 ? " question" : " questions"); }

std::string sizeText(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%zu bytes", bytes);
  return text;
}

int reportWritten(const BuildOptions& options, const PreparedQuiz& prepared, std::size_t size) {
  std::printf("%s: %s, %s\n", options.output.c_str(), questionsText(prepared.questionCount).c_str(),
              sizeText(size).c_str());
  return kExitOk;
}

int buildPage(const BuildOptions& options, const std::string& programFolder) {
  std::string error;
  const std::string player = locateWebPlayer(options.webPlayer, std::getenv("FENOK_WEB_PLAYER"), programFolder, error);
  const PreparedQuiz prepared = prepareQuiz(options.quiz, options.plain, options.pictures);
  print(prepared.problems);
  if (!prepared.ok()) return kExitFailed;
  std::size_t size = 0;
  if (error.empty()) writeQuizPage(prepared, player, options.output, error, &size);
  if (!error.empty()) {
    std::fprintf(stderr, "fenok-pack: %s\n", error.c_str());
    return kExitFailed;
  }
  return reportWritten(options, prepared, size);
}

}  // namespace

int runBuildFrom(const Arguments& args, const std::string& programFolder) {
  BuildOptions options;
  std::string problem;
  if (!parseOptions(args, options, problem)) return usage(problem);
  if (options.web) return buildPage(options, programFolder);

  std::string error;
  const std::string stub = locateStub(options.stub, std::getenv("FENOK_STUB"), programFolder, error, options.arch);
  PreparedQuiz prepared = prepareQuiz(options.quiz, options.plain, options.pictures);
  print(prepared.problems);
  if (!prepared.ok()) return kExitFailed;

  std::vector<std::uint8_t> player;
  std::string reason;
  std::vector<std::string> inputs = prepared.readFiles;
  inputs.push_back(stub);  // empty when none was found: it then matches nothing
  if (error.empty() && outputOverwritesAnInput(options.output, inputs, error)) error += "; choose another name with -o";
  if (error.empty() && !readFileBytes(stub, player, reason)) error = "cannot read the player " + stub + ": " + reason;
  if (error.empty()) archMatches(options, player, stub, error);
  std::size_t packedSize = 0;
  if (error.empty()) writeQuizProgram(prepared, stub, options.output, error, &packedSize);
  if (!error.empty()) {
    std::fprintf(stderr, "fenok-pack: %s\n", error.c_str());
    return kExitFailed;
  }
  return reportWritten(options, prepared, packedSize);
}

int runBuild(const Arguments& args) { return runBuildFrom(args, runningProgramFolder()); }

// fenok-pack check QUIZ.toml
int runCheck(const Arguments& args) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "%s", commandHelp("check").c_str());
    return kExitFailed;
  }
  const PreparedQuiz prepared = prepareQuiz(args[0], false);
  print(prepared.problems);
  if (!prepared.ok()) return kExitFailed;
  std::printf("%s: %s, no errors\n", args[0].c_str(), questionsText(prepared.questionCount).c_str());
  return kExitOk;
}

}  // namespace fenok::pack
