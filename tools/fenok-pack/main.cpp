// fenok-pack: the authoring tool. Dispatches to its subcommands.
#include <cstdio>
#include <string>

#include "commands.h"
#include "utf8_arguments.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const fenok::pack::Arguments&);
  const char* usage;
};

const Command kCommands[] = {
    {"build", fenok::pack::runBuild, "build QUIZ.toml -o OUT.exe [--plain] [--keep-pictures] [--stub PLAYER.exe]"},
    {"inspect", fenok::pack::runInspect, "inspect FILE.exe"},
    {"verdict", fenok::pack::runVerdict, "verdict TYPED EXPECTED | verdict --batch"},
    {"try", fenok::pack::runTry, "try QUIZ.toml|QUIZ.exe [ANSWERS.txt]"},
};

int usage() {
  std::fputs("usage: fenok-pack COMMAND ...\n", stderr);
  for (const Command& command : kCommands) std::fprintf(stderr, "  fenok-pack %s\n", command.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = fenok::pack::utf8Arguments(argc, argv);
  if (args.size() < 2) return usage();
  for (const Command& command : kCommands) {
    if (args[1] == command.name) return command.run(fenok::pack::Arguments(args.begin() + 2, args.end()));
  }
  std::fprintf(stderr, "fenok-pack: unknown command '%s'\n", args[1].c_str());
  return usage();
}
