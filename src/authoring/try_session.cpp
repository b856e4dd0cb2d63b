// fenok-pack try: the quiz panel and header built exactly as the player builds them, then read back.
#include "try_session.h"

#include <string>

#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "judge/score.h"
#include "persist/saved_answers.h"
#include "platform/panel_ids.h"
#include "platform/portable/fake_pictures.h"
#include "platform/portable/memory_controls.h"
#include "platform/portable/recording_shell.h"
#include "platform/ports/files.h"
#include "platform/ports/platform.h"
#include "text_encoding.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"

namespace fenok::pack {

namespace {

constexpr int kHeaderReadBuffer = 260;  // the code box shows a whole reward text

// The saved-answers file is whatever the author gave; nothing is ever written back.
class AnswersOnlyFiles : public Files {
 public:
  explicit AnswersOnlyFiles(std::vector<std::uint8_t> answers) : answers_(std::move(answers)) {}
  std::string moduleFileName() const override { return "fenok.exe"; }
  bool readWhole(const std::string&, std::vector<std::uint8_t>& bytes) const override {
    bytes = answers_;
    return true;
  }
  bool replaceWhole(const std::string&, const std::vector<std::uint8_t>&) override { return false; }
  bool writeWhole(const std::string&, const std::uint8_t*, std::size_t) override { return false; }
  void remove(const std::string&) override {}
  bool exists(const std::string&) const override { return true; }

 private:
  std::vector<std::uint8_t> answers_;
};

bool hasHighBytes(const std::vector<std::uint8_t>& bytes) {
  for (std::uint8_t byte : bytes) {
    if (byte >= 0x80) return true;
  }
  return false;
}

// Lines ended by a bare LF (files written on Linux) get the CR LF the player writes and reads.
std::vector<std::uint8_t> withPlayerLineEnds(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> lines;
  lines.reserve(bytes.size() + bytes.size() / 8);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) lines.push_back('\r');
    lines.push_back(bytes[i]);
  }
  return lines;
}

}  // namespace

std::vector<std::uint8_t> answersInPlayerEncoding(const std::vector<std::uint8_t>& bytes) {
  const std::vector<std::uint8_t> lines = withPlayerLineEnds(bytes);
  if (!hasHighBytes(lines)) return lines;
  const std::optional<std::string> converted = utf8ToCp1252(std::string(lines.begin(), lines.end()));
  if (!converted) return lines;
  return std::vector<std::uint8_t>(converted->begin(), converted->end());
}

std::vector<Message> savedAnswersNotes(const std::vector<std::uint8_t>& bytes) {
  std::vector<Message> notes;
  bool bareLineFeed = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) bareLineFeed |= bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
  if (bareLineFeed)
    notes.push_back(message(Msg::answersBareLineFeeds));
  const std::string text(bytes.begin(), bytes.end());
  if (hasHighBytes(bytes) && firstInvalidUtf8(text) == std::string::npos)
    notes.push_back(message(Msg::answersLookUtf8));
  return notes;
}

void runTrySession(Messages& messages, Graphics& graphics, Quiz& quiz, const std::vector<std::uint8_t>& answers,
                   std::ostream& out) {
  AnswersOnlyFiles files(answers);
  FakePictures pictures;  // verdicts do not depend on pictures; no bitmaps are made
  RecordingShell shell;
  // No media host: media questions get their boxes all the same.
  Platform session{messages, graphics, files, pictures, shell};

  MemoryControls header(914, 49);
  MemoryControls panel(915, 482);
  HeaderPanelState headerState;
  QuizPanelState panelState;
  quiz.headerPanel = &header;
  buildHeaderPanel(session, quiz, headerState, header);
  buildQuizPanel(session, quiz, panelState, panel);
  quiz.quizPanel = &panel;

  const int boxes = answerBoxCount(quiz);
  for (int boxId = kFirstAnswerBoxId; boxId < kFirstAnswerBoxId + boxes; ++boxId) {
    BoxPlace place;
    if (!panel.exists(boxId) || !locateAnswerBox(quiz, boxId, place)) break;  // the pass stopped early
    out << (place.questionIndex + 1) << '.' << place.box << "  " << cp1252ToUtf8(panel.text(boxId, kBoxReadBuffer))
        << "  -> " << cp1252ToUtf8(panel.text(verdictLabelId(boxId), kVerdictReadBuffer)) << '\n';
  }
  out << cp1252ToUtf8(header.text(kScoreCounterId, kHeaderReadBuffer)) << '\n';
  out << cp1252ToUtf8(header.text(kCodeBoxId, kHeaderReadBuffer)) << '\n';

  quiz.quizPanel = nullptr;
  quiz.headerPanel = nullptr;
  closeQuizPanel(session, panelState);
  destroyHeaderPanel(session, headerState);
}

}  // namespace fenok::pack
