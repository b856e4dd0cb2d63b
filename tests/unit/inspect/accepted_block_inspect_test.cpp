// inspect and the accepted-answers block: printed back when sound, a warning when the player ignores it.
#include <gtest/gtest.h>

#include "../content/content_fixtures.h"
#include "authoring/quiz_inspection.h"

namespace fenok::pack {
namespace {

const std::string kExampleBlock = std::string("ACPT\x01\x0F\x00\x00\x00\x01\x02", 11) + "MATOU|MINOU|" +
                                  std::string("\x00", 1);

InspectResult inspectWithBlock(const std::string& block) {
  testing::Bytes answers = testing::workedExampleAnswers();
  answers.insert(answers.end(), block.begin(), block.end());
  MemoryResources resources;
  resources.add("PATCH", kAnswersResourceId, testing::encoded(answers));
  resources.add("PATCH", kCodesResourceId, testing::encoded(testing::workedExampleCodes()));
  return inspectResources(resources);
}

TEST(InspectAcceptedBlock, PrintsTheAccentModeAndTheAcceptedAnswers) {
  const InspectResult result = inspectWithBlock(kExampleBlock);
  EXPECT_TRUE(result.findings.empty());
  EXPECT_NE(result.toml.find("comments = \"comment\"\naccents = \"tolerant\"\n"), std::string::npos) << result.toml;
  EXPECT_NE(result.toml.find("answer = \"CHAT\"\nalso = [\"MATOU\", \"MINOU\"]\n"), std::string::npos) << result.toml;
}

TEST(InspectAcceptedBlock, WarnsWhenThePlayerIgnoresTheBlock) {
  struct Case {
    std::string block;
    const char* warningStart;
  };
  const Case cases[] = {
      {kExampleBlock.substr(0, 12), "the accepted answers and the accent mode are damaged"},
      {"ACPT" + std::string(1, '\x02') + kExampleBlock.substr(5),
       "the accepted answers and the accent mode were written by a later"},
  };
  for (const Case& c : cases) {
    const InspectResult result = inspectWithBlock(c.block);
    ASSERT_FALSE(result.findings.empty());
    const std::string finding = say(result.findings[0], Language::english);
    EXPECT_EQ(finding.rfind(c.warningStart, 0), 0u) << finding;
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.toml.find("accents"), std::string::npos);
    EXPECT_EQ(result.toml.find("also"), std::string::npos);
  }
}

}  // namespace
}  // namespace fenok::pack
