// fenok-pack: the authoring tool. Dispatches to its subcommands, in the author's language.
#include <cstdio>
#include <string>

#include "authoring/author_language.h"
#include "authoring/utf8_arguments.h"
#include "commands.h"
#include "usage.h"

namespace {

using fenok::pack::Language;
using fenok::pack::Msg;

struct Command {
  const char* name;
  int (*run)(const fenok::pack::Arguments&, Language);
};

const Command kCommands[] = {
    {"new", fenok::pack::runNew},         {"check", fenok::pack::runCheck}, {"build", fenok::pack::runBuild},
    {"inspect", fenok::pack::runInspect}, {"try", fenok::pack::runTry},     {"verdict", fenok::pack::runVerdict},
};

constexpr int kUsageError = 2;

bool asksForHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// fenok-pack help [COMMAND]
int help(const fenok::pack::Arguments& args, Language language) {
  if (args.empty()) {
    std::fputs(fenok::pack::toolHelp().c_str(), stdout);
    return 0;
  }
  const std::string text = fenok::pack::commandHelp(args[0]);
  if (text.empty() || args.size() > 1) {
    std::fprintf(stderr, "fenok-pack help: %s\n%s", say(language, Msg::unknownCommand, args[0]).c_str(),
                 fenok::pack::toolHelp().c_str());
    return kUsageError;
  }
  std::fputs(text.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const fenok::pack::Utf8Console console;
  const Language language = fenok::pack::systemLanguage();
  const std::vector<std::string> args = fenok::pack::utf8Arguments(argc, argv);
  if (args.size() < 2) {
    std::fputs(fenok::pack::toolHelp().c_str(), stderr);
    return kUsageError;
  }
  const std::string& name = args[1];
  const fenok::pack::Arguments rest(args.begin() + 2, args.end());
  if (asksForHelp(name) || name == "help") return help(asksForHelp(name) ? fenok::pack::Arguments{} : rest, language);
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    if (rest.size() == 1 && asksForHelp(rest[0])) return help({name}, language);
    return command.run(rest, language);
  }
  std::fprintf(stderr, "fenok-pack: %s\n%s", say(language, Msg::unknownCommand, name).c_str(),
               fenok::pack::toolHelp().c_str());
  return kUsageError;
}
