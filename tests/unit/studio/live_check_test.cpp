// The studio's problem list is what `fenok-pack check` says of the file it would save, problem for
// problem, and each problem points at the question and control to fix.
#include <gtest/gtest.h>

#include <functional>

#include "authoring/quiz_build.h"
#include "live_check.h"
#include "quiz_document.h"
#include "studio_ids.h"
#include "studio_support.h"

namespace fenok {
namespace {

using studio::QuizDocument;
using testing::QuizFolder;

struct Edit {
  const char* name;
  std::function<void(pack::QuizSource&)> apply;
  studio::Place place;  // of the first problem; unchecked when the edit makes none
};

const Edit kEdits[] = {
    {"nothing", [](pack::QuizSource&) {}, {}},
    {"empty answer", [](pack::QuizSource& q) { q.questions[1].answer.value.clear(); }, {1, STUDIO_ANSWER}},
    {"strict accents with an accented capital",
     [](pack::QuizSource& q) {
       q.accentMode = kAccentsStrict;
       q.questions[1].answer.value = "\xC3\x89T\xC3\x89";  // ÉTÉ
     },
     {1, STUDIO_ANSWER}},
    {"missing picture", [](pack::QuizSource& q) { q.questions[2].picture.value = "gone.jpg"; }, {2, STUDIO_FILE}},
    {"no picture at all", [](pack::QuizSource& q) { q.questions[0].picture.value.clear(); }, {0, STUDIO_FILE}},
    {"two boxes, no second answer", [](pack::QuizSource& q) { q.answersPerQuestion = 2; }, {0, STUDIO_SECOND_ANSWER}},
    {"text quiz without texts", [](pack::QuizSource& q) { q.mediaKind = kMediaText; }, {0, STUDIO_TEXT}},
    {"solution pictures missing", [](pack::QuizSource& q) { q.commentKind = kCommentSolutionPicture; }, {0, STUDIO_SOLUTION}},
    {"empty title", [](pack::QuizSource& q) { q.title.value.clear(); }, {-1, STUDIO_TITLE}},
    {"unreadable background", [](pack::QuizSource& q) { q.backRed = 70, q.backGreen = 0, q.backBlue = 0; }, {-1, STUDIO_BACKGROUND}},
    {"too many accepted forms",
     [](pack::QuizSource& q) { q.questions[0].also.assign(9, pack::SourceText{"X", 0, true}); }, {0, STUDIO_ALSO}},
    {"no questions", [](pack::QuizSource& q) { q.questions.clear(); }, {-1, STUDIO_QUESTIONS}},
};

TEST(LiveCheck, SaysWhatCheckSaysOfTheSavedFileAndWhereToFixIt) {
  for (const Edit& edit : kEdits) {
    QuizFolder folder;
    testing::writePictures(folder);
    QuizDocument document;
    std::string reason, error;
    std::vector<std::string> leftOut;
    ASSERT_TRUE(QuizDocument::fromFolder(folder.path("photos"), document, reason, leftOut));
    studio::LiveCheck check;
    check.run(document);  // before the edit, so that what it keeps from one run to the next is used
    testing::change(document, edit.apply);
    const auto& live = check.run(document);
    ASSERT_TRUE(document.saveAs(document.path(), error)) << error;
    const std::vector<pack::Problem> saved = pack::checkQuizDescription(document.path());

    ASSERT_EQ(live.size(), saved.size()) << edit.name;
    for (std::size_t i = 0; i < saved.size(); ++i) {
      EXPECT_EQ(live[i].problem.message, saved[i].message) << edit.name;
      EXPECT_EQ(live[i].problem.line, saved[i].line) << edit.name;
      EXPECT_EQ(live[i].problem.severity, saved[i].severity) << edit.name;
    }
    if (std::string(edit.name) != "nothing") {
      ASSERT_FALSE(live.empty()) << edit.name;
      EXPECT_EQ(live[0].place, edit.place) << edit.name << ": " << live[0].text;
    } else {
      EXPECT_TRUE(live.empty()) << live[0].text;
    }
  }
}

TEST(LiveCheck, TheSamplesSayTheSameOpenedAsSaved) {
  for (const char* sample : {"demo", "deux", "texte"}) {
    QuizFolder folder;
    const std::string source = std::string(FENOK_SOURCE_DIR) + "/samples/" + sample;
    std::filesystem::copy(source, folder.path(sample), std::filesystem::copy_options::recursive);
    QuizDocument document;
    std::vector<pack::Problem> reading;
    std::string reason, error;
    ASSERT_TRUE(QuizDocument::open(folder.path(std::string(sample) + "/quiz.toml"), document, reading, reason)) << reason;
    studio::LiveCheck check;
    const std::size_t live = check.run(document).size();
    ASSERT_TRUE(document.saveAs(document.path(), error)) << error;
    EXPECT_EQ(live, pack::checkQuizDescription(document.path()).size()) << sample;
    EXPECT_EQ(check.errorCount(), 0) << sample;
  }
}

}  // namespace
}  // namespace fenok
