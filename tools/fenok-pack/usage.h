#pragma once
// What each command of fenok-pack takes, printed by --help, by "help COMMAND" and after a usage error.
#include <string>

namespace fenok::pack {

struct CommandHelp {
  const char* name;
  const char* synopsis;  // "build QUIZ.toml -o OUT.exe ..."
  const char* details;   // what it does, then one line per option
};

extern const CommandHelp kCommandHelp[];
extern const std::size_t kCommandHelpCount;

// The whole help of one command ("usage: fenok-pack SYNOPSIS\n" and its details); empty when unknown.
std::string commandHelp(const std::string& name);

// The help of the tool: every command's synopsis, and how to get more.
std::string toolHelp();

}  // namespace fenok::pack
