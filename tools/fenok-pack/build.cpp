// fenok-pack build QUIZ.toml -o OUT.exe [--plain] [--keep-pictures] [--stub PLAYER.exe]
// Every problem of the description is printed as FILE:LINE: what is wrong, and then nothing is written;
// the output is written beside its final name and renamed, so it is never left half-written.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "commands.h"
#include "file_bytes.h"
#include "quiz_build.h"
#include "stub_locator.h"

namespace fenok::pack {
namespace {

constexpr int kFailed = 2;

struct BuildOptions {
  std::string quiz, output, stub;
  bool plain = false;
  PictureStorage pictures = PictureStorage::fitted;
};

int usage(const char* problem) {
  std::fprintf(stderr,
               "fenok-pack build: %s\n"
               "usage: fenok-pack build QUIZ.toml -o OUT.exe [--plain] [--keep-pictures] [--stub PLAYER.exe]\n",
               problem);
  return kFailed;
}

bool parseOptions(const Arguments& args, BuildOptions& options, std::string& problem) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--plain") {
      options.plain = true;
    } else if (arg == "--keep-pictures") {
      options.pictures = PictureStorage::asGiven;
    } else if ((arg == "-o" || arg == "--stub") && hasValue) {
      (arg == "-o" ? options.output : options.stub) = args[++i];
    } else if (arg == "-o" || arg == "--stub") {
      problem = arg + " needs a file name";
      return false;
    } else if (!arg.empty() && arg[0] == '-') {
      problem = "unknown option " + arg;
      return false;
    } else if (options.quiz.empty()) {
      options.quiz = arg;
    } else {
      problem = "more than one quiz description given";
      return false;
    }
  }
  if (options.quiz.empty()) problem = "no quiz description given";
  else if (options.output.empty()) problem = "no output given (-o OUT.exe)";
  return problem.empty();
}

bool writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  const std::string partial = path + ".part";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      error = "cannot write " + partial;
      return false;
    }
  }
  std::error_code failure;
  std::filesystem::permissions(partial,
                               std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                   std::filesystem::perms::others_exec,
                               std::filesystem::perm_options::add, failure);
  std::filesystem::rename(partial, path, failure);
  if (failure) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    error = "cannot write " + path + ": " + failure.message();
    return false;
  }
  return true;
}

void print(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int runBuild(const Arguments& args) {
  BuildOptions options;
  std::string problem;
  if (!parseOptions(args, options, problem)) return usage(problem.c_str());

  Diagnostics diagnostics(options.quiz);
  std::vector<PeResourceEntry> resources;
  const bool described = quizResources(options.quiz, options.plain, resources, diagnostics, options.pictures);
  print(diagnostics.warnings());
  print(diagnostics.errors());
  if (!described) return kFailed;

  std::string error;
  const std::string stub = locateStub(options.stub, std::getenv("FENOK_STUB"), runningProgramFolder(), error);
  std::vector<std::uint8_t> player, packed;
  if (!stub.empty() && !readFileBytes(stub, player)) error = "cannot read the player " + stub;
  if (error.empty() && !packIntoPlayer(player, resources, packed, error)) error = stub + ": " + error;
  if (error.empty()) writeWhole(options.output, packed, error);
  if (!error.empty()) {
    std::fprintf(stderr, "fenok-pack: %s\n", error.c_str());
    return kFailed;
  }
  return 0;
}

}  // namespace fenok::pack
