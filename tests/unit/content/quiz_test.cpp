// The quiz record: defaults, fonts and brushes in their order, the answer list, release.
#include "content/quiz.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/portable/recording_graphics.h"

namespace fenok {
namespace {

std::unique_ptr<Quiz> newQuiz() { return std::make_unique<Quiz>(); }  // zero-filled

TEST(InitQuiz, SetsTheDefaults) {
  auto quiz = newQuiz();
  quiz->questionStates[5] = 2;
  quiz->allSolved = 1;
  quiz->mediaFolder[0] = 'x';
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  EXPECT_EQ(quiz->firstAnswer, nullptr);
  EXPECT_EQ(quiz->lastAnswer, nullptr);
  EXPECT_EQ(quiz->headerPanel, nullptr);
  EXPECT_EQ(quiz->quizPanel, nullptr);
  EXPECT_EQ(quiz->commentKind, 0);
  EXPECT_EQ(quiz->mediaKind, 0);
  EXPECT_STREQ(quiz->title, "nom du fenok");
  EXPECT_STREQ(quiz->author, " createur");
  EXPECT_EQ(quiz->backRed, 90);
  EXPECT_EQ(quiz->backGreen, 95);
  EXPECT_EQ(quiz->backBlue, 150);
  EXPECT_EQ(quiz->questionCount, 2);
  EXPECT_EQ(quiz->answersPerQuestion, 1);
  EXPECT_EQ(quiz->allSolved, 0);
  for (const std::int32_t state : quiz->questionStates) EXPECT_EQ(state, 0);
  EXPECT_STREQ(quiz->mediaFolder, "");
}

TEST(InitQuiz, CreatesFontsAndBrushesInOrder) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  const auto& calls = graphics.calls();
  ASSERT_EQ(calls.size(), 7u);

  EXPECT_EQ(calls[0].kind, GraphicsCallKind::createFont);
  EXPECT_EQ(calls[0].handle, quiz->counterFont);
  EXPECT_EQ(calls[0].font.face, "Arial");
  EXPECT_EQ(calls[0].font.height, 25);
  EXPECT_EQ(calls[0].font.weight, 400);
  EXPECT_FALSE(calls[0].font.italic);
  EXPECT_FALSE(calls[0].font.underline);

  EXPECT_EQ(calls[1].kind, GraphicsCallKind::createFont);
  EXPECT_EQ(calls[1].handle, quiz->titleFont);
  EXPECT_EQ(calls[1].font.height, -15);
  EXPECT_EQ(calls[1].font.weight, 700);
  EXPECT_TRUE(calls[1].font.italic);
  EXPECT_FALSE(calls[1].font.underline);
  EXPECT_EQ(calls[1].font.face, "");

  const struct {
    Handle handle;
    std::uint32_t colour;
  } brushes[] = {{quiz->backBrush, 0x965F5A},
                 {quiz->redBrush, 0x0000FF},
                 {quiz->orangeBrush, 0x0064FF},
                 {quiz->amberBrush, 0x26CBFF},
                 {quiz->paleYellowBrush, 0xC0FFFF}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(calls[2 + i].kind, GraphicsCallKind::createSolidBrush) << i;
    EXPECT_EQ(calls[2 + i].handle, brushes[i].handle) << i;
    EXPECT_EQ(calls[2 + i].colour, brushes[i].colour) << i;
  }
  freeQuiz(*quiz, graphics);
}

TEST(AppendAnswer, OnAnEmptyListMakesTheOnlyEntry) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  ASSERT_TRUE(appendAnswer(*quiz, "CHAT", "", "Quel animal ?"));
  AnswerEntry* entry = quiz->firstAnswer;
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(quiz->lastAnswer, entry);
  EXPECT_EQ(entry->previous, nullptr);
  EXPECT_EQ(entry->next, nullptr);
  EXPECT_STREQ(entry->answer, "CHAT");
  EXPECT_STREQ(entry->secondAnswer, "");
  EXPECT_STREQ(entry->question, "Quel animal ?");
  EXPECT_STREQ(entry->comment, "");
  EXPECT_EQ(entry->solved, 0);
  freeQuiz(*quiz, graphics);
}

TEST(AppendAnswer, LinksAtTheTail) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  appendAnswer(*quiz, "1", "a", "x");
  appendAnswer(*quiz, "2", "b", "y");
  appendAnswer(*quiz, "3", "c", "z");
  AnswerEntry* first = quiz->firstAnswer;
  AnswerEntry* second = first->next;
  AnswerEntry* third = second->next;
  EXPECT_EQ(quiz->lastAnswer, third);
  EXPECT_EQ(third->next, nullptr);
  EXPECT_EQ(third->previous, second);
  EXPECT_EQ(second->previous, first);
  EXPECT_STREQ(second->answer, "2");
  EXPECT_STREQ(second->secondAnswer, "b");
  EXPECT_STREQ(third->question, "z");
  freeQuiz(*quiz, graphics);
}

TEST(AppendAnswer, CutsTextsToTheirFieldAndTakesNullAsEmpty) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  const std::string longText(400, 'L');
  appendAnswer(*quiz, longText.c_str(), nullptr, longText.c_str());
  EXPECT_EQ(std::strlen(quiz->firstAnswer->answer), 259u);
  EXPECT_EQ(std::strlen(quiz->firstAnswer->question), 259u);
  EXPECT_STREQ(quiz->firstAnswer->secondAnswer, "");
  freeQuiz(*quiz, graphics);
}

TEST(AnswerAt, PastTheEndYieldsTheLastEntry) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  EXPECT_EQ(answerAt(*quiz, 0), nullptr);  // empty list
  appendAnswer(*quiz, "1", "", "");
  appendAnswer(*quiz, "2", "", "");
  appendAnswer(*quiz, "3", "", "");
  EXPECT_STREQ(answerAt(*quiz, 0)->answer, "1");
  EXPECT_STREQ(answerAt(*quiz, 1)->answer, "2");
  EXPECT_STREQ(answerAt(*quiz, 2)->answer, "3");
  EXPECT_STREQ(answerAt(*quiz, 5)->answer, "3");
  EXPECT_STREQ(answerAt(*quiz, 95)->answer, "3");
  EXPECT_STREQ(answerAt(*quiz, -1)->answer, "1");
  freeQuiz(*quiz, graphics);
}

TEST(FreeQuiz, DeletesTheEightHandlesInOrderThenTheEntries) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  FontDescription panel;
  panel.height = -12;
  quiz->panelFont = graphics.createFont(panel);
  appendAnswer(*quiz, "1", "", "");
  appendAnswer(*quiz, "2", "", "");
  const Handle expected[] = {quiz->backBrush, quiz->redBrush,  quiz->orangeBrush, quiz->amberBrush,
                             quiz->paleYellowBrush, quiz->titleFont, quiz->panelFont, quiz->counterFont};
  graphics.clear();
  freeQuiz(*quiz, graphics);
  ASSERT_EQ(graphics.calls().size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(graphics.calls()[i].kind, GraphicsCallKind::deleteObject);
    EXPECT_EQ(graphics.calls()[i].handle, expected[i]) << i;
  }
  EXPECT_TRUE(graphics.liveObjects().empty());
  EXPECT_EQ(graphics.badDeletions(), 0);
  EXPECT_EQ(quiz->firstAnswer, nullptr);
  EXPECT_EQ(quiz->lastAnswer, nullptr);
}

TEST(FreeQuiz, WithoutEntriesDeletesTheHandlesAndNothingElse) {
  auto quiz = newQuiz();
  RecordingGraphics graphics;
  initQuiz(*quiz, graphics);
  graphics.clear();
  freeQuiz(*quiz, graphics);
  EXPECT_EQ(graphics.calls().size(), 8u);
  // panelFont was never made: its deletion is of a null handle, which deletes nothing.
  EXPECT_EQ(graphics.calls()[6].handle, nullptr);
  EXPECT_TRUE(graphics.liveObjects().empty());
  EXPECT_EQ(graphics.badDeletions(), 0);
}

TEST(CopyField, CutsAndTerminates) {
  char field[5];
  copyField(field, 5, "abcdefg");
  EXPECT_STREQ(field, "abcd");
  copyField(field, 5, "ab");
  EXPECT_STREQ(field, "ab");
  copyField(field, 5, nullptr);
  EXPECT_STREQ(field, "");
  copyField(field, 1, "abc");
  EXPECT_STREQ(field, "");
}

}  // namespace
}  // namespace fenok
