#pragma once
// Making the program of the quiz being edited, or its web page, as `fenok-pack build` makes them
// (pictures fitted, written beside and renamed), for "Créer le quiz…" and for a trial run.
#include <string>

#include "authoring/stub_locator.h"
#include "quiz_document.h"
#include "studio_host.h"

namespace fenok::studio {

struct MadeQuiz {
  std::string error;  // empty: written
  bool playerMissing = false;  // error says where the player was looked for
  int questionCount = 0;
};

// The player of the given kind is looked for beside the studio (programFolder) as `fenok-pack` looks
// for it beside itself.
MadeQuiz makeQuizProgram(const QuizDocument& document, const std::string& output, pack::PlayerArch arch,
                         const std::string& programFolder);

// The quiz as one web page, from the web player page (fenok-web.html) beside the studio.
MadeQuiz makeQuizPage(const QuizDocument& document, const std::string& output, const std::string& programFolder);

// The name a page is written to: a name chosen without .html gets it (one ending in .exe, the name
// first proposed, has it in place of .exe).
std::string pagePath(const std::string& chosen);

// A program path in a folder of its own under temporaryFolder, emptied first: the answers a trial
// saves beside its program are never those of an earlier trial, nor kept with the quiz.
std::string trialProgramPath(const std::string& temporaryFolder, std::string& error);

// A quiz made before (a program or a page) taken apart beside it to be edited again: its
// description's path, or empty, and what to tell the author either way (studio_texts.h's words).
struct UnpackedQuiz {
  std::string description;
  std::string message;
};
// The messages name the file as the host shows it; a host keeping the files in its memory keeps the
// parts too, where a folder would mean nothing to the author.
UnpackedQuiz unpackForEditing(const std::string& path, const StudioHost& host);

// The name proposed for the program: the quiz's folder name or title, made safe as a file name.
std::string programName(const QuizDocument& document);

}  // namespace fenok::studio
