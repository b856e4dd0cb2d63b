// loadQuiz over in-memory resources: the worked example, scrambled and plain content, every message,
// the fallback content, and content that breaks the format.
#include "content/loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "content_fixtures.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::ContentText;
using testing::LoaderHarness;

// Everything the loader writes, as text, to compare two loads.
std::string describe(const Quiz& quiz) {
  std::ostringstream out;
  out << quiz.mediaKind << '/' << quiz.questionCount << '/' << quiz.answersPerQuestion << '/' << quiz.commentKind
      << '/' << quiz.title << '/' << quiz.author << '/' << quiz.explanation << '/' << quiz.firstAnswerLabel << '/'
      << quiz.secondAnswerLabel << '/' << int(quiz.backRed) << ',' << int(quiz.backGreen) << ','
      << int(quiz.backBlue) << '/' << quiz.linkAddress << '/' << quiz.statusText << '\n';
  for (const AnswerEntry* entry = quiz.firstAnswer; entry != nullptr; entry = entry->next) {
    out << entry->answer << '/' << entry->secondAnswer << '/' << entry->question << '/' << entry->comment << '\n';
  }
  for (const auto& code : quiz.rewardCodes) out << code << ';';
  return out.str();
}

TEST(LoadQuiz, WorkedExample) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_TRUE(h.messages.empty());
  const Quiz& q = *h.quiz;
  EXPECT_EQ(q.mediaKind, 1);
  EXPECT_EQ(q.questionCount, 2);
  EXPECT_EQ(q.answersPerQuestion, 1);
  EXPECT_STREQ(q.title, "Animaux");
  EXPECT_STREQ(q.author, "Moi");
  EXPECT_STREQ(q.explanation, "Trouvez les animaux");
  EXPECT_STREQ(q.firstAnswerLabel, "");
  EXPECT_STREQ(q.secondAnswerLabel, "");
  ASSERT_EQ(h.entryCount(), 2);
  EXPECT_STREQ(answerAt(q, 0)->answer, "CHAT");
  EXPECT_STREQ(answerAt(q, 0)->secondAnswer, "");
  EXPECT_STREQ(answerAt(q, 0)->question, "Quel animal ?");
  EXPECT_STREQ(answerAt(q, 0)->comment, "Il miaule");
  EXPECT_STREQ(answerAt(q, 1)->answer, "CHIEN");
  EXPECT_STREQ(answerAt(q, 1)->question, "Et celui-ci ?");
  EXPECT_STREQ(answerAt(q, 1)->comment, "Il aboie");
  EXPECT_EQ(q.commentKind, 2);
  EXPECT_EQ(q.backRed, 0x33);
  EXPECT_EQ(q.backGreen, 0x66);
  EXPECT_EQ(q.backBlue, 0xFF);
  EXPECT_STREQ(q.rewardCodes[0], "BIEN");
  EXPECT_STREQ(q.rewardCodes[1], "TRES BIEN");
  EXPECT_STREQ(q.rewardCodes[2], "");
  EXPECT_STREQ(q.linkAddress, kBuiltInLinkAddress);
  EXPECT_STREQ(q.statusText, kBuiltInStatusText);
  EXPECT_TRUE(h.graphics.isLive(q.backBrush));
  EXPECT_EQ(h.graphics.colourOf(q.backBrush), 0xFF6633u);
}

TEST(LoadQuiz, TheNewBackgroundBrushReplacesTheDefaultOne) {
  LoaderHarness h;
  const Handle defaultBrush = h.quiz->backBrush;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  h.graphics.clear();
  h.load();
  ASSERT_EQ(h.graphics.calls().size(), 2u);
  EXPECT_EQ(h.graphics.calls()[0].kind, GraphicsCallKind::createSolidBrush);
  EXPECT_EQ(h.graphics.calls()[0].colour, 0xFF6633u);
  EXPECT_EQ(h.graphics.calls()[1].kind, GraphicsCallKind::deleteObject);
  EXPECT_EQ(h.graphics.calls()[1].handle, defaultBrush);
  EXPECT_EQ(h.graphics.liveObjects().size(), 7u);  // two fonts, five brushes
}

TEST(LoadQuiz, ScrambledAndPlainContentGiveTheSameQuiz) {
  const Bytes answers = testing::workedExampleAnswers();
  const Bytes codes = testing::workedExampleCodes();
  std::string expected;
  {
    LoaderHarness plain;
    plain.setAnswers(testing::encoded(answers));
    plain.setCodes(testing::encoded(codes));
    ASSERT_EQ(plain.load(), LoadOutcome::complete);
    expected = describe(*plain.quiz);
  }
  for (int variant = 1; variant < 4; ++variant) {
    LoaderHarness h;
    h.setAnswers((variant & 1) ? testing::scrambled(answers) : testing::encoded(answers));
    h.setCodes((variant & 2) ? testing::scrambled(codes) : testing::encoded(codes));
    EXPECT_EQ(h.load(), LoadOutcome::complete) << variant;
    EXPECT_TRUE(h.messages.empty()) << variant;
    EXPECT_EQ(describe(*h.quiz), expected) << variant;
  }
}

TEST(LoadQuiz, ScrambledStreamsDoNotDecodeAsTheyAre) {
  // Otherwise the scrambled tests above would prove nothing.
  const Bytes stored = testing::scrambled(testing::workedExampleAnswers());
  Bytes output;
  EXPECT_NE(lzwDecode(stored.data(), stored.size(), output), LzwStatus::ok);
}

TEST(LoadQuiz, MissingAnswersGiveTheFallbackContent) {
  LoaderHarness h;
  h.setCodes(testing::encoded(testing::workedExampleCodes()));  // not read in this case
  h.graphics.clear();
  EXPECT_EQ(h.load(), LoadOutcome::answersMissing);
  ASSERT_EQ(h.messages.messages().size(), 1u);
  EXPECT_EQ(h.messages.messages()[0], (RecordedMessage{testing::kAnswersMissingMessage, "Fenok", kMbOk}));
  const Quiz& q = *h.quiz;
  EXPECT_STREQ(q.title, "Nom du fenok");
  EXPECT_STREQ(q.author, "Createur fenok");
  EXPECT_STREQ(q.explanation, "Explications du fenok");
  EXPECT_STREQ(q.firstAnswerLabel, "TEST");
  EXPECT_STREQ(q.secondAnswerLabel, "TEST");
  EXPECT_EQ(q.commentKind, 3);
  EXPECT_EQ(q.answersPerQuestion, 1);
  EXPECT_EQ(q.questionCount, 7);
  EXPECT_EQ(q.mediaKind, 1);
  EXPECT_EQ(q.backRed, 0x33);
  EXPECT_EQ(q.backGreen, 0x66);
  EXPECT_EQ(q.backBlue, 0xFF);
  EXPECT_EQ(h.graphics.colourOf(q.backBrush), 0xFF6633u);
  ASSERT_EQ(h.entryCount(), 2);
  for (int index = 0; index < 7; ++index) {
    const AnswerEntry* entry = answerAt(q, index);
    EXPECT_STREQ(entry->answer, "TEST");
    EXPECT_STREQ(entry->secondAnswer, "TEST");
    EXPECT_STREQ(entry->question, "emplacement");
    EXPECT_STREQ(entry->comment, "");
  }
  EXPECT_EQ(answerAt(q, 6), q.lastAnswer);
  EXPECT_STREQ(q.rewardCodes[0], "");
  EXPECT_STREQ(q.linkAddress, kBuiltInLinkAddress);
  EXPECT_STREQ(q.statusText, kBuiltInStatusText);
}

TEST(LoadQuiz, EmptyAnswersResourceCountsAsMissing) {
  LoaderHarness h;
  h.setAnswers({});
  EXPECT_EQ(h.load(), LoadOutcome::answersMissing);
  EXPECT_EQ(h.messages.texts(), (std::vector<std::string>{testing::kAnswersMissingMessage}));
  EXPECT_EQ(h.quiz->questionCount, 7);
}

TEST(LoadQuiz, CodesWithoutAnswersGiveTheFallbackContent) {
  LoaderHarness h;
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::answersMissing);
  EXPECT_EQ(h.quiz->questionCount, 7);
}

TEST(LoadQuiz, UndecodableAnswersKeepTheDefaults) {
  LoaderHarness h;
  h.setAnswers({0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01});
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  h.graphics.clear();
  EXPECT_EQ(h.load(), LoadOutcome::answersFailed);
  ASSERT_EQ(h.messages.messages().size(), 1u);
  EXPECT_EQ(h.messages.messages()[0], (RecordedMessage{testing::kAnswersErrorMessage, "Fenok", kMbOk}));
  const Quiz& q = *h.quiz;
  EXPECT_EQ(q.questionCount, 0);
  EXPECT_STREQ(q.title, "nom du fenok");
  EXPECT_STREQ(q.author, " createur");
  EXPECT_EQ(q.backRed, 90);
  EXPECT_EQ(q.backGreen, 95);
  EXPECT_EQ(q.backBlue, 150);
  EXPECT_EQ(h.graphics.colourOf(q.backBrush), 0x965F5Au);
  EXPECT_TRUE(h.graphics.calls().empty());
  EXPECT_EQ(q.firstAnswer, nullptr);
  EXPECT_STREQ(q.linkAddress, kBuiltInLinkAddress);
  EXPECT_STREQ(q.rewardCodes[0], "");
}

TEST(LoadQuiz, MissingCodesKeepTheQuestions) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  EXPECT_EQ(h.load(), LoadOutcome::codesFailed);
  ASSERT_EQ(h.messages.messages().size(), 1u);
  EXPECT_EQ(h.messages.messages()[0], (RecordedMessage{testing::kCodesErrorMessage, "Fenok", kMbOk}));
  EXPECT_EQ(h.quiz->questionCount, 2);
  EXPECT_EQ(h.entryCount(), 2);
  EXPECT_STREQ(h.quiz->title, "Animaux");
  EXPECT_EQ(h.graphics.colourOf(h.quiz->backBrush), 0xFF6633u);
  for (const auto& code : h.quiz->rewardCodes) EXPECT_STREQ(code, "");
}

TEST(LoadQuiz, UndecodableCodesKeepTheQuestions) {
  LoaderHarness h;
  h.setAnswers(testing::scrambled(testing::workedExampleAnswers()));
  h.setCodes({0x20});
  EXPECT_EQ(h.load(), LoadOutcome::codesFailed);
  EXPECT_EQ(h.messages.texts(), (std::vector<std::string>{testing::kCodesErrorMessage}));
  EXPECT_STREQ(answerAt(*h.quiz, 1)->comment, "Il aboie");
  EXPECT_STREQ(h.quiz->rewardCodes[0], "");
}

TEST(LoadQuiz, UndecodableLinkTextStopsAtOnce) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  const Bytes broken = {0x20, 0x90};
  EXPECT_EQ(loadQuizWithLinkText(h.ports, *h.quiz, broken.data(), broken.size()), LoadOutcome::linkTextFailed);
  ASSERT_EQ(h.messages.messages().size(), 1u);
  EXPECT_EQ(h.messages.messages()[0], (RecordedMessage{testing::kLinkTextMessage, "Fenok", kMbOk}));
  EXPECT_EQ(h.quiz->questionCount, 0);
  EXPECT_STREQ(h.quiz->title, "nom du fenok");
  EXPECT_STREQ(h.quiz->linkAddress, "");
  EXPECT_EQ(h.quiz->firstAnswer, nullptr);
}

TEST(LoadQuiz, LinkStringsAreCutToTheirFields) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  const std::string longAddress(40, 'a');
  const std::string longStatus(60, 's');
  const Bytes link = lzwEncode(ContentText().raw("xx").text(longAddress).text(longStatus).bytes());
  EXPECT_EQ(loadQuizWithLinkText(h.ports, *h.quiz, link.data(), link.size()), LoadOutcome::complete);
  EXPECT_EQ(std::string(h.quiz->linkAddress), std::string(24, 'a'));
  EXPECT_EQ(std::string(h.quiz->statusText), std::string(42, 's'));
}

TEST(LoadQuiz, ShortLinkTextGivesEmptyLinkStrings) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  const Bytes link = lzwEncode(ContentText().raw("x").bytes());
  EXPECT_EQ(loadQuizWithLinkText(h.ports, *h.quiz, link.data(), link.size()), LoadOutcome::complete);
  EXPECT_STREQ(h.quiz->linkAddress, "");
  EXPECT_STREQ(h.quiz->statusText, "");
}

TEST(LoadQuiz, ZeroQuestionsReadNoTextsAndNoCodes) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(1).byte(0).byte(1).text("T").text("A").text("E").text("").text("");
  content.byte(4).byte(1).byte(2).byte(3);  // the colour follows the comment kind directly
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_EQ(h.quiz->questionCount, 0);
  EXPECT_EQ(h.quiz->mediaKind, 0);
  EXPECT_EQ(h.quiz->commentKind, 4);
  EXPECT_EQ(h.quiz->firstAnswer, nullptr);
  EXPECT_EQ(h.quiz->backRed, 1);
  EXPECT_EQ(h.quiz->backGreen, 2);
  EXPECT_EQ(h.quiz->backBlue, 3);
  EXPECT_STREQ(h.quiz->rewardCodes[0], "");
}

TEST(LoadQuiz, ColourBytesAreRedGreenBlue) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(2).byte(1).byte(1).text("T").text("A").text("E").text("").text("");
  content.text("X").text("Q").byte(0).byte(1).byte(2).byte(3);
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  h.load();
  EXPECT_EQ(h.quiz->backRed, 1);
  EXPECT_EQ(h.quiz->backGreen, 2);
  EXPECT_EQ(h.quiz->backBlue, 3);
  EXPECT_EQ(h.graphics.colourOf(h.quiz->backBrush), 1u + 2u * 256u + 3u * 65536u);
}

TEST(LoadQuiz, TwoAnswersPerQuestionReadThreeTexts) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(1).byte(2).byte(2).text("T").text("A").text("E").text("Nom").text("Pays");
  content.text("PARIS").text("FRANCE").text("q1").text("ROME").text("ITALIE").text("q2");
  content.byte(0).byte(9).byte(8).byte(7);
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_EQ(h.quiz->mediaKind, 0);
  EXPECT_EQ(h.quiz->answersPerQuestion, 2);
  EXPECT_STREQ(h.quiz->firstAnswerLabel, "Nom");
  EXPECT_STREQ(h.quiz->secondAnswerLabel, "Pays");
  EXPECT_STREQ(answerAt(*h.quiz, 1)->answer, "ROME");
  EXPECT_STREQ(answerAt(*h.quiz, 1)->secondAnswer, "ITALIE");
  EXPECT_STREQ(answerAt(*h.quiz, 1)->question, "q2");
  EXPECT_EQ(h.quiz->backRed, 9);
  EXPECT_EQ(h.quiz->backBlue, 7);
}

struct CommentCase {
  int kind;
  int textsPerQuestion;  // comment texts in the content
  bool stored;           // whether the first becomes the comment
};

class CommentKinds : public ::testing::TestWithParam<CommentCase> {};

TEST_P(CommentKinds, ConsumeTheirTextsAndKeepTheColourInPlace) {
  const CommentCase& c = GetParam();
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(2).byte(2).byte(1).text("T").text("A").text("E").text("").text("");
  content.text("A1").text("Q1").text("A2").text("Q2").byte(c.kind);
  for (int j = 1; j <= 2; ++j) {
    if (c.textsPerQuestion >= 1) content.text("C" + std::to_string(j));
    if (c.textsPerQuestion >= 2) content.text("D" + std::to_string(j));
  }
  content.byte(10).byte(20).byte(30);
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_EQ(h.quiz->commentKind, c.kind);
  EXPECT_STREQ(answerAt(*h.quiz, 0)->comment, c.stored ? "C1" : "");
  EXPECT_STREQ(answerAt(*h.quiz, 1)->comment, c.stored ? "C2" : "");
  EXPECT_EQ(h.quiz->backRed, 10);
  EXPECT_EQ(h.quiz->backGreen, 20);
  EXPECT_EQ(h.quiz->backBlue, 30);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CommentKinds,
                         ::testing::Values(CommentCase{0, 0, false}, CommentCase{1, 0, false},
                                           CommentCase{2, 1, true}, CommentCase{3, 2, true},
                                           CommentCase{4, 1, true}, CommentCase{5, 0, false},
                                           CommentCase{255, 0, false}),
                         [](const ::testing::TestParamInfo<CommentCase>& param) {
                           return "Kind" + std::to_string(param.param.kind);
                         });

TEST(LoadQuiz, CodeLinesMayBeEmptyAndOnlyQuestionCountAreRead) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  const std::string codes = "\r\nDEUX\r\nTROIS\r\n";
  h.setCodes(testing::encoded(Bytes(codes.begin(), codes.end())));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_STREQ(h.quiz->rewardCodes[0], "");
  EXPECT_STREQ(h.quiz->rewardCodes[1], "DEUX");
  EXPECT_STREQ(h.quiz->rewardCodes[2], "");  // beyond questionCount
}

TEST(LoadQuiz, CodeLinesSkipOneByteAfterTheirCR) {
  // A bare CR is followed by any one byte, which is skipped whatever it is.
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  const std::string codes = "UN\rXDEUX\r\n";
  h.setCodes(testing::encoded(Bytes(codes.begin(), codes.end())));
  h.load();
  EXPECT_STREQ(h.quiz->rewardCodes[0], "UN");
  EXPECT_STREQ(h.quiz->rewardCodes[1], "DEUX");
}

TEST(LoadQuiz, MediaKindByteZeroGivesMinusOne) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(0).byte(0).byte(1).text("T").text("A").text("E").text("").text("").byte(0).byte(1).byte(2).byte(3);
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  h.load();
  EXPECT_EQ(h.quiz->mediaKind, -1);
}

// Content that breaks the format: read as far as it goes, never past the decoded bytes.

TEST(LoadQuizBadContent, TextWithoutItsSeparatorEndsWithTheData) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(2).byte(2).byte(1).text("Titre").raw("Auteur sans fin");
  h.setAnswers(testing::encoded(content.bytes()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  const Quiz& q = *h.quiz;
  EXPECT_STREQ(q.title, "Titre");
  EXPECT_STREQ(q.author, "Auteur sans fin");
  EXPECT_STREQ(q.explanation, "");
  EXPECT_EQ(q.questionCount, 2);
  ASSERT_EQ(h.entryCount(), 2);  // the list still matches the count
  EXPECT_STREQ(answerAt(q, 1)->answer, "");
  EXPECT_EQ(q.commentKind, 0);
  EXPECT_EQ(q.backRed, 0);
  EXPECT_EQ(q.backGreen, 0);
  EXPECT_EQ(q.backBlue, 0);
}

TEST(LoadQuizBadContent, OutputEndingEarlyReadsZerosAndEmptyTexts) {
  for (std::size_t cut = 1; cut < testing::workedExampleAnswers().size(); ++cut) {
    LoaderHarness h;
    Bytes answers = testing::workedExampleAnswers();
    answers.resize(cut);
    h.setAnswers(testing::encoded(answers));
    h.setCodes(testing::encoded(testing::workedExampleCodes()));
    EXPECT_EQ(h.load(), LoadOutcome::complete) << cut;
    EXPECT_EQ(h.entryCount(), h.quiz->questionCount) << cut;
    EXPECT_LE(h.quiz->questionCount, 2) << cut;
  }
}

TEST(LoadQuizBadContent, LongTextsAreCutAndTheNextFieldsStayInPlace) {
  LoaderHarness h;
  const std::string longText(1000, 'L');
  ContentText content;
  content.byte(0).byte(2).byte(1).byte(1).text(longText).text("Moi").text("E").text("").text("");
  content.text(longText).text("Q").byte(2).text(longText).byte(4).byte(5).byte(6);
  h.setAnswers(testing::encoded(content.bytes()));
  const std::string codes = longText + "\r\n";
  h.setCodes(testing::encoded(Bytes(codes.begin(), codes.end())));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  const Quiz& q = *h.quiz;
  EXPECT_EQ(std::string(q.title), std::string(259, 'L'));
  EXPECT_STREQ(q.author, "Moi");
  EXPECT_EQ(std::string(q.firstAnswer->answer), std::string(259, 'L'));
  EXPECT_STREQ(q.firstAnswer->question, "Q");
  EXPECT_EQ(std::string(q.firstAnswer->comment), std::string(259, 'L'));
  EXPECT_EQ(std::string(q.rewardCodes[0]), std::string(259, 'L'));
  EXPECT_EQ(q.backRed, 4);
  EXPECT_EQ(q.backGreen, 5);
  EXPECT_EQ(q.backBlue, 6);
}

TEST(LoadQuizBadContent, CodeLineWithoutCREndsWithTheData) {
  LoaderHarness h;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  const std::string codes = "BIEN sans fin";
  h.setCodes(testing::encoded(Bytes(codes.begin(), codes.end())));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_STREQ(h.quiz->rewardCodes[0], "BIEN sans fin");
  EXPECT_STREQ(h.quiz->rewardCodes[1], "");
}

TEST(LoadQuizBadContent, MoreThan96QuestionsKeep96AndReadTheRestInPlace) {
  LoaderHarness h;
  ContentText content;
  content.byte(0).byte(2).byte(100).byte(1).text("T").text("A").text("E").text("").text("");
  for (int j = 1; j <= 100; ++j) content.text("A" + std::to_string(j)).text("Q" + std::to_string(j));
  content.byte(3);
  for (int j = 1; j <= 100; ++j) content.text("C" + std::to_string(j)).text("X");
  content.byte(7).byte(8).byte(9);
  h.setAnswers(testing::encoded(content.bytes()));
  std::string codes;
  for (int k = 1; k <= 100; ++k) codes += "R" + std::to_string(k) + "\r\n";
  h.setCodes(testing::encoded(Bytes(codes.begin(), codes.end())));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  const Quiz& q = *h.quiz;
  EXPECT_EQ(q.questionCount, 96);
  EXPECT_EQ(h.entryCount(), 96);
  EXPECT_STREQ(q.lastAnswer->answer, "A96");
  EXPECT_STREQ(q.lastAnswer->comment, "C96");
  EXPECT_STREQ(answerAt(q, 0)->comment, "C1");
  EXPECT_EQ(q.commentKind, 3);
  EXPECT_EQ(q.backRed, 7);
  EXPECT_EQ(q.backGreen, 8);
  EXPECT_EQ(q.backBlue, 9);
  EXPECT_STREQ(q.rewardCodes[95], "R96");
}

TEST(LoadQuizBadContent, AnswersPerQuestionOtherThanTwoReadsOneAnswer) {
  for (const int perQuestion : {0, 1, 3, 255}) {
    LoaderHarness h;
    ContentText content;
    content.byte(0).byte(2).byte(1).byte(perQuestion).text("T").text("A").text("E").text("").text("");
    content.text("ANSWER").text("QUESTION").byte(0).byte(1).byte(2).byte(3);
    h.setAnswers(testing::encoded(content.bytes()));
    h.setCodes(testing::encoded(testing::workedExampleCodes()));
    EXPECT_EQ(h.load(), LoadOutcome::complete);
    EXPECT_EQ(h.quiz->answersPerQuestion, 1) << perQuestion;
    EXPECT_STREQ(h.quiz->firstAnswer->answer, "ANSWER") << perQuestion;
    EXPECT_STREQ(h.quiz->firstAnswer->question, "QUESTION") << perQuestion;
    EXPECT_EQ(h.quiz->backBlue, 3) << perQuestion;
  }
}

TEST(LoadQuizBadContent, UndecodableAnswersShowOneMessageAndNoQuestions) {
  LoaderHarness h;
  h.setAnswers({1, 2, 3});
  EXPECT_EQ(h.load(), LoadOutcome::answersFailed);
  EXPECT_EQ(h.quiz->questionCount, 0);
  EXPECT_EQ(h.messages.texts(), (std::vector<std::string>{testing::kAnswersErrorMessage}));
}

TEST(LoadQuizBadContent, TheStoredColourReplacesTheDefaultBrush) {
  LoaderHarness h;
  const Handle brush = h.quiz->backBrush;
  h.setAnswers(testing::encoded(testing::workedExampleAnswers()));
  h.setCodes(testing::encoded(testing::workedExampleCodes()));
  EXPECT_EQ(h.load(), LoadOutcome::complete);
  EXPECT_NE(h.quiz->backBrush, brush);
  EXPECT_FALSE(h.graphics.isLive(brush));
  EXPECT_EQ(h.quiz->backRed, 0x33);
}

}  // namespace
}  // namespace fenok
