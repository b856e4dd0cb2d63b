// The stored content texts, byte for byte: the worked example of the answers and codes texts, the
// comments each kind stores, and the stored form (LZW, scrambled unless plain).
#include <gtest/gtest.h>

#include "authoring/content_texts.h"
#include "content/content_key.h"
#include "content/lzw.h"

namespace fenok {
namespace {

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

pack::QuizContent animals() {
  pack::QuizContent quiz;
  quiz.mediaKind = 1;
  quiz.answersPerQuestion = 1;
  quiz.commentKind = 2;
  quiz.title = "Animaux";
  quiz.author = "Moi";
  quiz.explanation = "Trouvez les animaux";
  quiz.questions = {{"CHAT", "", "Quel animal ?", "Il miaule"}, {"CHIEN", "", "Et celui-ci ?", "Il aboie"}};
  quiz.rewards = {"BIEN", "TRES BIEN"};
  quiz.backRed = 0x33;
  quiz.backGreen = 0x66;
  quiz.backBlue = 0xFF;
  return quiz;
}

TEST(ContentTexts, AnswersTextOfTheAnimalsExample) {
  const std::string expected = std::string("\x00\x02\x02\x01", 4) +
                               "Animaux|Moi|Trouvez les animaux|||CHAT|Quel animal ?|CHIEN|Et celui-ci ?|" + "\x02" +
                               "Il miaule|Il aboie|" + "\x33\x66\xFF";
  EXPECT_EQ(pack::answersText(animals()), bytes(expected));
}

TEST(ContentTexts, CodesTextOfTheAnimalsExample) {
  EXPECT_EQ(pack::codesText(animals()), bytes("BIEN\r\nTRES BIEN\r\n"));
}

TEST(ContentTexts, MissingRewardLevelsAreStoredEmpty) {
  pack::QuizContent quiz = animals();
  quiz.rewards = {"BIEN"};
  EXPECT_EQ(pack::codesText(quiz), bytes("BIEN\r\n\r\n"));
}

struct CommentCase {
  int kind;
  std::string tail;  // after the comment kind byte, before the colours
};

TEST(ContentTexts, EachCommentKindStoresWhatTheLoaderReads) {
  const CommentCase cases[] = {
      {0, ""}, {1, ""}, {2, "Il miaule|Il aboie|"}, {3, "Il miaule||Il aboie||"}, {4, "Il miaule|Il aboie|"}};
  for (const CommentCase& c : cases) {
    pack::QuizContent quiz = animals();
    quiz.commentKind = c.kind;
    const std::string expected = std::string("\x00\x02\x02\x01", 4) +
                                 "Animaux|Moi|Trouvez les animaux|||CHAT|Quel animal ?|CHIEN|Et celui-ci ?|" +
                                 static_cast<char>(c.kind) + c.tail + "\x33\x66\xFF";
    EXPECT_EQ(pack::answersText(quiz), bytes(expected)) << c.kind;
  }
}

TEST(ContentTexts, TwoAnswersStoreTheSecondBeforeTheQuestionText) {
  pack::QuizContent quiz = animals();
  quiz.answersPerQuestion = 2;
  quiz.commentKind = 0;
  quiz.firstAnswerLabel = "Nom";
  quiz.secondAnswerLabel = "Cri";
  quiz.questions = {{"CHAT", "MIAOU", "Q1", ""}};
  const std::string expected = std::string("\x00\x02\x01\x02", 4) + "Animaux|Moi|Trouvez les animaux|Nom|Cri|" +
                               "CHAT|MIAOU|Q1|" + std::string("\x00", 1) + "\x33\x66\xFF";
  EXPECT_EQ(pack::answersText(quiz), bytes(expected));
}

TEST(StoredForm, PlainIsTheLzwStreamAndScrambledItsDescrambledCopy) {
  const std::vector<std::uint8_t> text = pack::answersText(animals());
  const std::vector<std::uint8_t> plain = pack::storedForm(text, true);
  std::vector<std::uint8_t> decoded;
  ASSERT_EQ(lzwDecode(plain.data(), plain.size(), decoded), LzwStatus::ok);
  EXPECT_EQ(decoded, text);

  std::vector<std::uint8_t> scrambled = pack::storedForm(text, false);
  ASSERT_EQ(scrambled.size(), plain.size());
  EXPECT_NE(scrambled, plain);
  EXPECT_EQ(scrambled[0], plain[0]);
  EXPECT_NE(lzwDecode(scrambled.data(), scrambled.size(), decoded), LzwStatus::ok);  // the player's first try fails
  descramble(scrambled.data(), scrambled.size());
  EXPECT_EQ(scrambled, plain);
}

TEST(StoredForm, TooLargeForThePlayerIsRefused) {
  // Bytes that barely compress: the stream grows past what the player decodes.
  std::vector<std::uint8_t> noise(40000);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : noise) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  EXPECT_TRUE(pack::storedForm(noise, true).empty());
  pack::QuizContent quiz = animals();
  std::vector<PeResourceEntry> resources;
  pack::Message error;
  EXPECT_TRUE(pack::contentResources(quiz, false, resources, error)) << pack::say(error, pack::Language::english);
  ASSERT_EQ(resources.size(), 2u);
  EXPECT_EQ(resources[0].typeName, "PATCH");
  EXPECT_EQ(resources[0].id, 104);
  EXPECT_EQ(resources[1].id, 105);
}

}  // namespace
}  // namespace fenok
