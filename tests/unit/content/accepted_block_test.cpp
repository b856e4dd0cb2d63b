// The accepted-answers block after the colours: the worked example of README.md, blocks that are not
// sound (ignored whole), and quizzes without one.
#include "content/accepted_block.h"

#include <gtest/gtest.h>

#include "content_fixtures.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::ContentText;
using testing::LoaderHarness;

// The bytes of README.md's worked example, after the colours.
const std::string kExampleBlock = std::string("ACPT\x01\x0F\x00\x00\x00\x01\x02", 11) + "MATOU|MINOU|" +
                                  std::string("\x00", 1);

struct Loaded {
  LoaderHarness harness;
  AcceptedBlock block = AcceptedBlock::absent;
  ContentFindings findings;
  LoadOutcome outcome = LoadOutcome::complete;

  explicit Loaded(const Bytes& answers) {
    harness.setAnswers(testing::encoded(answers));
    harness.setCodes(testing::encoded(testing::workedExampleCodes()));
    outcome = loadQuiz(harness.ports, *harness.quiz, &findings);
    block = findings.acceptedBlock;
  }
  const Quiz& quiz() const { return *harness.quiz; }
};

Bytes withBlock(const std::string& block) {
  Bytes answers = testing::workedExampleAnswers();
  answers.insert(answers.end(), block.begin(), block.end());
  return answers;
}

// A version 1 block around these body bytes.
std::string body(const std::string& bytes) {
  std::string block("ACPT\x01", 5);
  for (int i = 0; i < 4; ++i) block += static_cast<char>((bytes.size() >> (8 * i)) & 0xFF);
  return block + bytes;
}

TEST(AcceptedBlock, WorkedExample) {
  const Loaded loaded(withBlock(kExampleBlock));
  EXPECT_EQ(loaded.block, AcceptedBlock::read);
  EXPECT_EQ(loaded.outcome, LoadOutcome::complete);
  EXPECT_TRUE(loaded.harness.messages.empty());
  EXPECT_EQ(loaded.quiz().accentMode, kAccentsTolerant);
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->answer, "CHAT");
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "MATOU|MINOU");
  EXPECT_STREQ(answerAt(loaded.quiz(), 1)->also, "");
  EXPECT_STREQ(answerAt(loaded.quiz(), 1)->comment, "Il aboie");
  EXPECT_EQ(loaded.quiz().backBlue, 0xFF);
}

TEST(AcceptedBlock, AQuizWithoutOneIsStrictWithNoAddedAnswers) {
  const Loaded loaded(testing::workedExampleAnswers());
  EXPECT_EQ(loaded.block, AcceptedBlock::absent);
  EXPECT_EQ(loaded.quiz().accentMode, kAccentsStrict);
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "");
}

TEST(AcceptedBlock, TwoBoxesPerQuestionEachHaveTheirOwn) {
  ContentText content;
  content.byte(0).byte(2).byte(1).byte(2).text("Formes").text("").text("").text("Forme").text("Couleur");
  content.text("CERCLE").text("ROUGE").text("").byte(0).byte(1).byte(2).byte(3);
  content.raw(body(std::string("\x00\x01", 2) + "ROND|" + std::string("\x01", 1) + "ROUX|"));
  const Loaded loaded(content.bytes());
  EXPECT_EQ(loaded.block, AcceptedBlock::read);
  EXPECT_EQ(loaded.quiz().accentMode, kAccentsStrict);
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "ROND");
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->secondAlso, "ROUX");
}

TEST(AcceptedBlock, BytesAfterTheBodyAreNotRead) {
  const Loaded loaded(withBlock(kExampleBlock + "later"));
  EXPECT_EQ(loaded.block, AcceptedBlock::read);
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "MATOU|MINOU");
}

TEST(AcceptedBlock, ALaterVersionIsIgnored) {
  std::string block = kExampleBlock;
  block[4] = 2;
  const Loaded loaded(withBlock(block));
  EXPECT_EQ(loaded.block, AcceptedBlock::newer);
  EXPECT_EQ(loaded.quiz().accentMode, kAccentsStrict);
  EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "");
}

struct DamagedCase {
  const char* what;
  std::string block;
};

TEST(AcceptedBlock, ADamagedBlockIsIgnoredWhole) {
  const std::string q1 = std::string("\x02", 1) + "MATOU|MINOU|";
  const std::string none(1, '\0');
  const DamagedCase cases[] = {
      {"version 0", std::string("ACPT\x00", 5) + kExampleBlock.substr(5)},
      {"length past the end", std::string("ACPT\x01\x10\x00\x00\x00", 9) + kExampleBlock.substr(9)},
      {"huge length", std::string("ACPT\x01\xFF\xFF\xFF\xFF", 9) + kExampleBlock.substr(9)},
      {"accent mode 2", body("\x02" + q1 + none)},
      {"count above 8", body("\x01" + std::string("\x09", 1) + "A|B|C|D|E|F|G|H|I|" + none)},
      {"an empty answer", body("\x01" + std::string("\x01", 1) + "|" + none)},
      {"an answer of 260 bytes", body("\x01" + std::string("\x01", 1) + std::string(260, 'A') + "|" + none)},
      {"an answer without its separator", body("\x01" + std::string("\x01", 1) + "MATOU" + none)},
      {"a question missing", body("\x01" + q1)},
      {"bytes left over", body("\x01" + q1 + none + none)},
  };
  for (const DamagedCase& c : cases) {
    const Loaded loaded(withBlock(c.block));
    EXPECT_EQ(loaded.block, AcceptedBlock::damaged) << c.what;
    EXPECT_EQ(loaded.outcome, LoadOutcome::complete) << c.what;
    EXPECT_TRUE(loaded.harness.messages.empty()) << c.what;
    EXPECT_EQ(loaded.quiz().accentMode, kAccentsStrict) << c.what;
    EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "") << c.what;
    EXPECT_STREQ(answerAt(loaded.quiz(), 1)->comment, "Il aboie") << c.what;
  }
}

// Bytes that do not start with the marker are stray bytes: nothing is applied, and the tool counts them
// as left over rather than as a damaged block.
TEST(AcceptedBlock, BytesWithoutTheMarkerAreStrayBytes) {
  for (const std::string& stray : {"ACPX" + kExampleBlock.substr(4), std::string("\x01", 1)}) {
    const Loaded loaded(withBlock(stray));
    EXPECT_EQ(loaded.block, AcceptedBlock::absent);
    EXPECT_EQ(loaded.findings.answersLeftOver, stray.size());
    EXPECT_EQ(loaded.quiz().accentMode, kAccentsStrict);
  }
}

TEST(AcceptedBlock, EveryCutOfTheExampleIsDamagedOrAbsent) {
  for (std::size_t cut = 0; cut < kExampleBlock.size(); ++cut) {
    const Loaded loaded(withBlock(kExampleBlock.substr(0, cut)));
    EXPECT_EQ(loaded.block, cut < kAcceptedMarkerSize ? AcceptedBlock::absent : AcceptedBlock::damaged) << cut;
    EXPECT_STREQ(answerAt(loaded.quiz(), 0)->also, "") << cut;
  }
}

TEST(AcceptedBlock, EightLongestAnswersFitTheField) {
  std::string forms = std::string("\x01\x08", 2);
  for (int i = 0; i < kMaxAlsoForms; ++i) forms += std::string(259, static_cast<char>('A' + i)) + "|";
  const Loaded loaded(withBlock(body(forms + std::string(1, '\0'))));
  ASSERT_EQ(loaded.block, AcceptedBlock::read);
  const std::string also = answerAt(loaded.quiz(), 0)->also;
  EXPECT_EQ(also.size(), static_cast<std::size_t>(kMaxAlsoForms * 260 - 1));
  EXPECT_EQ(also.substr(also.size() - 259), std::string(259, 'H'));
}

}  // namespace
}  // namespace fenok
