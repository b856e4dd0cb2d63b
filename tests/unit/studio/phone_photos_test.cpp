// A folder of phone photos in the studio: the questions open without answers, the problem list says so
// in French, and neither a trial nor a program is made until every answer is typed.
#include <gtest/gtest.h>

#include "platform/portable/memory_form_controls.h"
#include "studio_ids.h"
#include "studio_screen.h"
#include "studio_support.h"

namespace fenok {
namespace {

TEST(StudioPhonePhotos, OpenWithoutAnswersAndAreRefusedUntilAnswered) {
  testing::QuizFolder folder;
  const std::string jpeg = testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  folder.write("photos/IMG_20240612_101530.jpg", jpeg);
  folder.write("photos/PXL_20230101_120000123.jpg", jpeg);
  const std::vector<std::uint8_t> stub = testing::readFixture("stub32.exe");
  folder.write("bin/fenok.exe", std::string(stub.begin(), stub.end()));
  MemoryFormControls controls;
  testing::ScriptedHost host;
  host.settings = folder.path("settings");
  host.program = folder.path("bin");
  studio::StudioScreen screen{controls, host};
  screen.start({folder.path("photos")});

  EXPECT_EQ(controls.text(STUDIO_ANSWER), "");
  EXPECT_EQ(controls.cells(STUDIO_PROBLEMS),
            (std::vector<std::string>{"Erreur : la question 1 n'a pas encore de réponse",
                                      "Erreur : la question 2 n'a pas encore de réponse"}));
  host.savedFiles = {folder.path("photos/quiz.exe")};
  screen.command(STUDIO_CMD_TRY_QUIZ);
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  EXPECT_TRUE(host.started.empty());
  EXPECT_FALSE(folder.exists("photos/quiz.exe"));
  ASSERT_EQ(host.told.size(), 2u);
  for (const testing::Told& told : host.told) EXPECT_EQ(told.tone, studio::Tone::warning) << told.message;

  for (const auto& [row, answer] : {std::pair<int, const char*>{0, "TOUR EIFFEL"}, {1, "LOUVRE"}}) {
    controls.select(STUDIO_QUESTIONS, row);
    screen.selectionChanged(STUDIO_QUESTIONS);
    controls.setText(STUDIO_ANSWER, answer);
    screen.edited(STUDIO_ANSWER);
  }
  EXPECT_TRUE(controls.cells(STUDIO_PROBLEMS).empty());
  screen.command(STUDIO_CMD_TRY_QUIZ);
  EXPECT_EQ(host.started.size(), 1u);
}

}  // namespace
}  // namespace fenok
