#pragma once
// The subcommands of fenok-pack. Each takes the arguments after its name and returns the exit status.
#include <string>
#include <vector>

namespace fenok::pack {

using Arguments = std::vector<std::string>;

int runInspect(const Arguments& args);  // fenok-pack inspect FILE.exe
int runVerdict(const Arguments& args);  // fenok-pack verdict TYPED EXPECTED | --batch
int runBuild(const Arguments& args);    // fenok-pack build QUIZ.toml -o OUT.exe [--plain] [--stub PLAYER.exe]
int runTry(const Arguments& args);      // fenok-pack try QUIZ.toml|QUIZ.exe [ANSWERS.txt]

}  // namespace fenok::pack
