// "Créer le quiz…" with "Page web, pour tout appareil": the page is written from the web player beside
// the studio, under the name chosen with .html in place of .exe, and holds the quiz.
#include <gtest/gtest.h>

#include "authoring/quiz_inspection.h"
#include "platform/portable/memory_form_controls.h"
#include "studio_ids.h"
#include "studio_screen.h"
#include "studio_support.h"

namespace fenok {
namespace {

constexpr int kPageFilter = 2;  // after the 32- and the 64-bit program

TEST(StudioPage, CreatingAPageWritesTheQuizFromTheWebPlayer) {
  testing::QuizFolder folder;
  testing::writePictures(folder);
  testing::ScriptedHost host;
  host.settings = folder.path("settings");
  host.program = folder.path("bin");
  MemoryFormControls controls;
  studio::StudioScreen screen{controls, host};
  screen.start({folder.path("photos")});
  host.told.clear();  // the folder's note, left out

  host.saveFilters = {kPageFilter};
  host.savedFiles = {folder.path("photos/photos.exe")};  // the name proposed, kept as it was
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_NE(host.told[0].message.find("introuvable"), std::string::npos) << host.told[0].message;

  folder.write("bin/fenok-web.html",
               "<title>@FENOK_TITLE@</title><script type=\"application/octet-stream\" id=\"fenok-quiz\">@FENOK_QUIZ@</script>");
  host.saveFilters = {kPageFilter};
  host.savedFiles = {folder.path("photos/photos.exe")};
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_EQ(host.told.size(), 2u);
  EXPECT_EQ(host.told[1].tone, studio::Tone::information) << host.told[1].message;
  EXPECT_FALSE(folder.exists("photos/photos.exe"));
  pack::QuizFile page;
  pack::Message error;
  ASSERT_TRUE(pack::loadQuizFile(folder.path("photos/photos.html"), page, error))
      << pack::say(error, pack::Language::english);
  EXPECT_FALSE(page.damage.has_value());
  const std::string toml = pack::inspectResources(*page.resources).toml;
  EXPECT_NE(toml.find("question_count = 3"), std::string::npos) << toml;
}

}  // namespace
}  // namespace fenok
