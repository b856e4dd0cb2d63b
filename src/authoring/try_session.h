#pragma once
// The author's answer lab: the player's own construction pass, judging and score, run over in-memory
// controls with a given saved-answers text, and what the screen then shows, as text.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "messages.h"

namespace fenok {
class Graphics;
class Messages;
struct Quiz;
}  // namespace fenok

namespace fenok::pack {

// Answers as an author types them (try --typed): bare LF line ends become CR LF, and UTF-8 is turned
// into the player's Windows-1252; bytes that are not UTF-8 are taken as Windows-1252 already.
std::vector<std::uint8_t> answersInPlayerEncoding(const std::vector<std::uint8_t>& bytes);

// What the author should know about answers read byte for byte as the player reads its saved file:
// lines ended by LF alone (the player runs them into one box), text that looks like UTF-8 (the player
// shows its bytes as Windows-1252). Empty when nothing looks amiss.
std::vector<Message> savedAnswersNotes(const std::vector<std::uint8_t>& bytes);

// Builds both panels for the loaded quiz with these saved answers and prints, in UTF-8, one line per
// box "question.box  typed  -> verdict", then the counter line and the code box text.
// The screens draw through graphics and report through messages; files hold only the answers, pictures
// are fakes (verdicts do not depend on them) and no link is opened.
void runTrySession(Messages& messages, Graphics& graphics, Quiz& quiz, const std::vector<std::uint8_t>& answers,
                   std::ostream& out);

}  // namespace fenok::pack
