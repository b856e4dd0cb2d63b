// The wiring of the two panels over in-memory controls, for the screen tests.
#include "ui_fixture.h"

#include <cstring>

#include "ui/scrolling.h"

namespace fenok::testing {

bool MemoryFiles::readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const {
  const auto found = files.find(name);
  if (found == files.end()) {
    bytes.clear();
    return false;
  }
  bytes = found->second;
  return true;
}

bool MemoryFiles::replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  files[name] = bytes;
  return true;
}

bool MemoryFiles::writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) {
  files[name] = std::vector<std::uint8_t>(data, data + size);
  return true;
}

void MemoryFiles::putText(const std::string& name, const std::string& text) {
  files[name] = std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string MemoryFiles::textOf(const std::string& name) const {
  const auto found = files.find(name);
  return found == files.end() ? std::string() : std::string(found->second.begin(), found->second.end());
}

void addPicture(FakePictures& pictures, int resource, int height, int width) {
  pictures.add(resource, width, height);
}

UiFixture::UiFixture() : quiz(new Quiz()) {
  initQuiz(*quiz, graphics);
  panel.onKillFocus([this](int id) { answerBoxKillFocus(platform, *quiz, panel, id); });
  panel.onSetFocus([this](int id) { answerBoxSetFocus(panel, id); });
  panel.onScrollRequest([this](ScrollBar bar, int code) { handleScrollRequest(panelState, panel, bar, code); });
}

UiFixture::~UiFixture() { freeQuiz(*quiz, graphics); }

void UiFixture::makeQuiz(int mediaKind, int answersPerQuestion, const std::vector<Question>& questions,
                         int commentKind) {
  quiz->mediaKind = mediaKind;
  quiz->answersPerQuestion = answersPerQuestion;
  quiz->commentKind = commentKind;
  quiz->questionCount = static_cast<std::int32_t>(questions.size());
  for (const Question& q : questions) {
    appendAnswer(*quiz, q.answer.c_str(), q.secondAnswer.c_str(), q.question.c_str());
    copyField(quiz->lastAnswer->comment, kTextField, q.comment.c_str());
  }
  for (int level = 0; level < kMaxQuestions; ++level) {
    const std::string code = "CODE" + std::to_string(level + 1);
    copyField(quiz->rewardCodes[level], kTextField, code.c_str());
  }
}

void UiFixture::build() {
  quiz->headerPanel = &header;
  buildHeaderPanel(platform, *quiz, headerState, header);
  buildQuizPanel(platform, *quiz, panelState, panel);
  quiz->quizPanel = &panel;
}

void UiFixture::typeAndEnter(int boxId, const std::string& text) {
  panel.setFocus(boxId);
  panel.type(boxId, text);
  release(boxId, 0x0D);
}

KeyOutcome UiFixture::release(int boxId, unsigned virtualKey) {
  return answerBoxKeyReleased(platform, *quiz, panelState, panel, boxId, virtualKey);
}

}  // namespace fenok::testing
