// fenok-pack: the authoring tool. Dispatches to its subcommands.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const fenok::pack::Arguments&);
  const char* usage;
};

const Command kCommands[] = {
    {"build", fenok::pack::runBuild, "build QUIZ.toml -o OUT.exe [--plain] [--stub PLAYER.exe]"},
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
  if (argc < 2) return usage();
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0) return command.run(fenok::pack::Arguments(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "fenok-pack: unknown command '%s'\n", argv[1]);
  return usage();
}
