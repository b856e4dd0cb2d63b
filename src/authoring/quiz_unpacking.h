#pragma once
// A quiz made before (a program or a quiz page) taken apart to be edited again: its description and
// the files of its questions, as the quiz stores them (pictures already fitted, clips), written into
// a new folder beside it. Built again, the pictures keep their bytes (picture_fitting.h).
#include <string>

#include "messages.h"

namespace fenok::pack {

// Whether the path names a quiz made before (by its ending: .exe, .html, .htm).
bool isMadeQuizPath(const std::string& path);

// Writes the quiz's files and quiz.toml into a new folder beside the quiz, named after it ("quiz",
// else "quiz (2)", ...); true with the description's path, false with what is wrong.
bool unpackQuiz(const std::string& quizPath, std::string& descriptionPath, Message& error);

}  // namespace fenok::pack
