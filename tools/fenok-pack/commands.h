#pragma once
// The subcommands of fenok-pack. Each takes the arguments after its name and the language to speak
// (main's choice, from the system), and returns the exit status (usage.h has what each one takes).
// Messages come from the table (authoring/messages.def); the help texts are English only.
#include <string>
#include <vector>

#include "authoring/messages.h"

namespace fenok::pack {

using Arguments = std::vector<std::string>;

// Exit statuses shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFlagged = 1;  // done, but the content is damaged or missing (inspect, try)
constexpr int kExitFailed = 2;   // bad arguments or bad input: nothing done, nothing written

int runNew(const Arguments& args, Language language);      // fenok-pack new FOLDER [--media pictures|audio|video]
int runCheck(const Arguments& args, Language language);    // fenok-pack check QUIZ.toml
int runBuild(const Arguments& args, Language language);    // fenok-pack build QUIZ.toml -o OUT.exe [--arch x86|x64] ...
int runInspect(const Arguments& args, Language language);  // fenok-pack inspect FILE.exe
int runVerdict(const Arguments& args, Language language);  // fenok-pack verdict TYPED EXPECTED | --batch
int runTry(const Arguments& args, Language language);      // fenok-pack try QUIZ.toml|QUIZ.exe [ANSWERS.txt] [--typed]

// build with the players looked for beside a given folder instead of the running program's.
int runBuildFrom(const Arguments& args, const std::string& programFolder, Language language);

}  // namespace fenok::pack
