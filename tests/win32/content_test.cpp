// The content loader reading this executable's own resources through FindResourceA.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "content/content_key.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"
#include "platform/win32/win32_resources.h"

namespace fenok {
namespace {

std::vector<std::uint8_t> bytesOf(const ByteView& view) { return {view.data, view.data + view.size}; }

TEST(Win32Resources, FindsNamedAndNumberedTypesOfTheProgram) {
  Win32Resources resources;
  const ByteView answers = resources.find(ResourceType::named("PATCH"), kAnswersResourceId);
  ASSERT_FALSE(answers.empty());
  EXPECT_EQ(answers.size, 95u);
  EXPECT_EQ(bytesOf(resources.find(ResourceType::named("patch"), kAnswersResourceId)), bytesOf(answers));
  const ByteView codes = resources.find(ResourceType::named("PATCH"), kCodesResourceId);
  EXPECT_EQ(codes.size, 17u);
  EXPECT_EQ(bytesOf(resources.find(ResourceType::numbered(kRtRcdata), 2105)), bytesOf(codes));
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 106).empty());
  EXPECT_TRUE(resources.find(ResourceType::named("NOSUCHTYPE"), 104).empty());
  EXPECT_TRUE(resources.find(ResourceType::numbered(kRtRcdata), kAnswersResourceId).empty());
}

TEST(Win32Resources, TellsAMissingResourceFromOneWithoutBytes) {
  Win32Resources resources;
  EXPECT_TRUE(resources.contains(ResourceType::named("PATCH"), kAnswersResourceId));
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 2106).empty());
  EXPECT_TRUE(resources.contains(ResourceType::named("PATCH"), 2106));
  EXPECT_FALSE(resources.contains(ResourceType::named("PATCH"), 106));
  EXPECT_FALSE(resources.contains(ResourceType::named("NOSUCHTYPE"), kAnswersResourceId));
}

TEST(Win32Resources, AnExplicitModuleHandleFindsTheSame) {
  Win32Resources own(GetModuleHandleA(nullptr));
  Win32Resources implicit;
  EXPECT_EQ(bytesOf(own.find(ResourceType::named("PATCH"), 104)),
            bytesOf(implicit.find(ResourceType::named("PATCH"), 104)));
}

TEST(Win32Resources, ScrambledResourceDescramblesToThePlainOne) {
  Win32Resources resources;
  std::vector<std::uint8_t> scrambled = bytesOf(resources.find(ResourceType::named("PATCH"), 104));
  const std::vector<std::uint8_t> plain = bytesOf(resources.find(ResourceType::named("PATCH"), 2104));
  ASSERT_EQ(scrambled.size(), plain.size());
  EXPECT_NE(scrambled, plain);
  descramble(scrambled.data(), scrambled.size());
  EXPECT_EQ(scrambled, plain);
}

struct Loaded {
  std::unique_ptr<Quiz> quiz = std::make_unique<Quiz>();
  RecordingGraphics graphics;
  MessageRecorder messages;
  LoadOutcome outcome = LoadOutcome::complete;

  explicit Loaded(Resources& resources) {
    initQuiz(*quiz, graphics);
    outcome = loadQuiz(ContentPorts{resources, messages, graphics}, *quiz);
  }
  ~Loaded() { freeQuiz(*quiz, graphics); }
};

TEST(LoadQuizUnderWindows, ReadsTheProgramsOwnContent) {
  Win32Resources resources;
  Loaded loaded(resources);
  EXPECT_EQ(loaded.outcome, LoadOutcome::complete);
  EXPECT_TRUE(loaded.messages.empty());
  const Quiz& q = *loaded.quiz;
  EXPECT_STREQ(q.title, "Animaux");
  EXPECT_STREQ(q.author, "Moi");
  EXPECT_STREQ(q.explanation, "Trouvez les animaux");
  EXPECT_EQ(q.mediaKind, 1);
  EXPECT_EQ(q.questionCount, 2);
  EXPECT_EQ(q.answersPerQuestion, 1);
  EXPECT_EQ(q.commentKind, 2);
  ASSERT_NE(q.firstAnswer, nullptr);
  EXPECT_STREQ(q.firstAnswer->answer, "CHAT");
  EXPECT_STREQ(q.firstAnswer->comment, "Il miaule");
  EXPECT_STREQ(answerAt(q, 1)->question, "Et celui-ci ?");
  EXPECT_STREQ(q.lastAnswer->comment, "Il aboie");
  EXPECT_EQ(q.backRed, 0x33);
  EXPECT_EQ(q.backGreen, 0x66);
  EXPECT_EQ(q.backBlue, 0xFF);
  EXPECT_STREQ(q.rewardCodes[0], "BIEN");
  EXPECT_STREQ(q.rewardCodes[1], "TRES BIEN");
  EXPECT_STREQ(q.linkAddress, kBuiltInLinkAddress);
  EXPECT_STREQ(q.statusText, kBuiltInStatusText);
}

TEST(LoadQuizUnderWindows, AModuleWithoutContentGivesTheFallback) {
  Win32Resources resources(GetModuleHandleA("kernel32.dll"));
  Loaded loaded(resources);
  EXPECT_EQ(loaded.outcome, LoadOutcome::answersMissing);
  ASSERT_EQ(loaded.messages.messages().size(), 1u);
  EXPECT_EQ(loaded.messages.messages()[0].text, "Reponses non trouv\xE9" "es");
  EXPECT_EQ(loaded.messages.messages()[0].caption, "Fenok");
  EXPECT_EQ(loaded.messages.messages()[0].style, 0u);
  EXPECT_EQ(loaded.quiz->questionCount, 7);
}

}  // namespace
}  // namespace fenok
