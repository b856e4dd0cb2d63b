// The program inside the page: restored answers judged at the start, a box left or Enter released
// judged as the program judges it, the solution picture and "Cacher", the answers file as the program
// writes it, and typed text in the program's encoding.
#include <gtest/gtest.h>

#include "authoring/quiz_build.h"
#include "platform/panel_ids.h"
#include "web/program_text.h"
#include "web/screen_snapshot.h"
#include "web/web_session.h"

namespace fenok::web {
namespace {

std::unique_ptr<WebSession> demoSession(const std::string& answers) {
  const pack::PreparedQuiz prepared =
      pack::prepareQuiz(std::string(FENOK_SOURCE_DIR) + "/samples/demo/quiz.toml", false);
  const std::string bundle = encodePageBundle(prepared.resources);
  auto session = std::make_unique<WebSession>(bundle.data(), bundle.size(), "demo.html");
  session->start(std::vector<std::uint8_t>(answers.begin(), answers.end()));
  return session;
}

std::string verdict(const WebSession& session, int box) { return session.panel().text(verdictLabelId(box), 255); }

TEST(WebSession, JudgesAsTheProgram) {
  auto session = demoSession("FRANCE\r\nitalie\r\nBELGIKUE\r\nZZZZ\r\n");
  const char* const restored[] = {"BRAVO", "BRAVO", "Quasiment", "FAUX", "?"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(verdict(*session, kFirstAnswerBoxId + i), restored[i]) << i;
  EXPECT_EQ(session->header().text(kScoreCounterId, 260), " 2 / 10");
  EXPECT_EQ(session->header().text(kCodeBoxId, 260), "Deux");

  session->enterBox(4005);
  session->leaveBox(4005, "autriche");
  session->releaseKey(4003, "belgique", "Enter");
  EXPECT_EQ(verdict(*session, 4005), "BRAVO");
  EXPECT_EQ(verdict(*session, 4003), "BRAVO");
  EXPECT_EQ(session->pictures().resourceOf(session->panel().image(pictureLabelId(5))), kFirstSolutionResource + 5);
  EXPECT_NE(screenSnapshot(*session).find("\"score\":\" 4 / 10\""), std::string::npos);

  session->clickHide(true);
  EXPECT_FALSE(session->panel().isVisible(pictureLabelId(1)));
  EXPECT_TRUE(session->panel().isVisible(pictureLabelId(4)));
  EXPECT_TRUE(session->takeSaved().empty());
  session->releaseKey(4001, "FRANCE", "F2");
  EXPECT_EQ(session->takeSaved(), "demo.txt");
  const std::vector<std::uint8_t> file = session->answersFile();
  EXPECT_EQ(std::string(file.begin(), file.end()),
            "FRANCE\r\nitalie\r\nbelgique\r\nZZZZ\r\nautriche\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(WebSession, TypedTextInTheProgramsEncoding) {
  const struct {
    const char* typed;
    const char* held;
  } cases[] = {{"Zürich", "Z\xFCrich"}, {"c\xE2\x80\x99" "est \xE2\x82\xAC", "c\x92" "est \x80"}, {"\xE2\x98\x83 neige", "? neige"},
               {"\xF0\x9F\x98\x80!", "?!"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(programText(c.typed), c.held) << c.typed;
}

}  // namespace
}  // namespace fenok::web
