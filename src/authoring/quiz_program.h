#pragma once
// Writing a packed quiz program: the player read, the quiz's resources put in, the result written
// beside its final name and renamed, so that a failure never leaves a half-written program, and never
// over one of the files the quiz is made from. Shared by `fenok-pack build` and the studio.
#include <cstdint>
#include <string>
#include <vector>

#include "quiz_build.h"

namespace fenok::pack {

// Writes bytes to path through path.part and a rename (executable, for a program, where that means
// something).
bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, Message& error,
                        bool executable = true);

// True, with the reason, when output would replace one of inputs: the description first, then its
// pictures and clips, then the player (last).
bool outputOverwritesAnInput(const std::string& output, const std::vector<std::string>& inputs, Message& error);

// True when error is outputOverwritesAnInput's refusal (a front end may say how to choose another name).
bool refusesToOverwrite(const Message& error);

// The player a quiz is written from (a program's or a page's), read, once the output is known not to
// replace one of the quiz's files or the player; false with the reason otherwise (cannotRead says
// what player could not be read).
bool readPlayerFor(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                   Msg cannotRead, std::vector<std::uint8_t>& player, Message& error);

// The prepared quiz packed into player (read by readPlayerFor from playerPath) and written to output.
// packedSize, when given, gets the size written.
bool writeProgramFrom(const PreparedQuiz& prepared, const std::vector<std::uint8_t>& player,
                      const std::string& playerPath, const std::string& output, Message& error,
                      std::size_t* packedSize = nullptr);

// readPlayerFor, then writeProgramFrom.
bool writeQuizProgram(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                      Message& error, std::size_t* packedSize = nullptr);

}  // namespace fenok::pack
