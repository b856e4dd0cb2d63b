// The studio's window as the author uses it, over in-memory controls and a scripted host: what each
// kind of quiz shows, live problems and trial verdicts, and the commands that make, try and keep it.
#include <gtest/gtest.h>

#include "../pack_pictures/picture_support.h"
#include "authoring/file_bytes.h"
#include "content/quiz_colours.h"
#include "platform/portable/memory_form_controls.h"
#include "quiz_making.h"
#include "studio_ids.h"
#include "studio_screen.h"
#include "studio_support.h"

namespace fenok {
namespace {

using studio::Reply;
using studio::Tone;
using testing::QuizFolder;

class StudioScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writePictures(folder);
    host.settings = folder.path("settings");
    host.program = folder.path("bin");
    folder.write("bin/fenok.exe", std::string(reinterpret_cast<const char*>(testing::readFixture("stub32.exe").data()),
                                              testing::readFixture("stub32.exe").size()));
    screen.start({folder.path("photos")});
    // The folder's note is no question: the studio says so once, naming it, and the quiz opens.
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_EQ(host.told[0].tone, Tone::warning);
    EXPECT_NE(host.told[0].message.find("« notes.txt » n'est ni une image"), std::string::npos) << host.told[0].message;
    host.told.clear();
  }

  // The author types into a control, or picks a row: the window then tells the screen.
  void type(int id, const std::string& text) {
    controls.setText(id, text);
    screen.edited(id);
  }
  void pick(int id, int row) {
    controls.select(id, row);
    screen.selectionChanged(id);
  }
  bool problemSays(const std::string& words) const {
    for (const std::string& row : controls.cells(STUDIO_PROBLEMS))
      if (row.find(words) != std::string::npos) return true;
    return false;
  }

  QuizFolder folder;
  MemoryFormControls controls;
  testing::ScriptedHost host;
  studio::StudioScreen screen{controls, host};
};

TEST_F(StudioScreenTest, OpensOnAFolderWithItsQuestionsAndNoProblems) {
  EXPECT_EQ(controls.text(STUDIO_TITLE), "photos");
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1), (std::vector<std::string>{"ARC", "ETE", "TOUR EIFFEL"}));
  for (const ListRow& row : controls.control(STUDIO_QUESTIONS).rows) {
    ASSERT_NE(row.thumbnail, nullptr);
    EXPECT_LE(row.thumbnail->width, STUDIO_THUMBNAIL_WIDTH);
    EXPECT_EQ(row.thumbnail->bgra.size(), static_cast<std::size_t>(row.thumbnail->width * row.thumbnail->height * 4));
  }
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 0);
  EXPECT_EQ(controls.text(STUDIO_ANSWER), "ARC");
  EXPECT_TRUE(controls.cells(STUDIO_PROBLEMS).empty());
  EXPECT_EQ(host.title, "quiz.toml * - fenok studio");  // drafted, not yet saved
}

TEST_F(StudioScreenTest, ShowsTheFieldsTheKindsUse) {
  struct Case {
    int media, answers, comments;
    bool file, text, second, comment, solution;
  };
  const Case cases[] = {
      {kMediaPictures, 1, kCommentNone, true, false, false, false, false},
      {kMediaPictures, 2, kCommentTextAndPicture, true, false, true, true, true},
      {kMediaAudio, 1, kCommentSolutionPicture, true, false, false, false, false},
      {kMediaText, 1, kCommentText, false, true, false, true, false},
  };
  for (const Case& c : cases) {
    pick(STUDIO_MEDIA, c.media);
    pick(STUDIO_ANSWERS_PER_QUESTION, c.answers - 1);
    pick(STUDIO_COMMENTS, c.comments);
    const std::string where = "media " + std::to_string(c.media) + ", comments " + std::to_string(c.comments);
    EXPECT_EQ(controls.isVisible(STUDIO_FILE), c.file) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_FILE_BROWSE), c.file) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_TEXT), c.text) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_SECOND_ANSWER), c.second) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_SECOND_TRIAL), c.second) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_FIRST_CAPTION), c.second) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_COMMENT), c.comment) << where;
    EXPECT_EQ(controls.isVisible(STUDIO_SOLUTION), c.solution) << where;
  }
}

TEST_F(StudioScreenTest, AccentsVariantsAndTrialsAsThePlayerJudges) {
  pick(STUDIO_QUESTIONS, 1);
  type(STUDIO_ANSWER, "\xC3\x89T\xC3\x89");  // ÉTÉ
  EXPECT_FALSE(problemSays("accents"));       // tolerant: nothing to say
  type(STUDIO_TRIAL, "ete");
  EXPECT_EQ(controls.text(STUDIO_TRIAL_VERDICT), "BRAVO");
  const FormColours right = screen.colours(STUDIO_TRIAL_VERDICT);
  EXPECT_TRUE(right.custom);
  EXPECT_EQ(right.background, kSuccessColour);

  pick(STUDIO_ACCENTS, kAccentsStrict);
  EXPECT_TRUE(problemSays("accents = \"tolerant\"")) << controls.cells(STUDIO_PROBLEMS).size();
  EXPECT_NE(controls.text(STUDIO_TRIAL_VERDICT), "BRAVO");  // judged again under the new rule
  pick(STUDIO_ACCENTS, kAccentsTolerant);
  EXPECT_TRUE(controls.cells(STUDIO_PROBLEMS).empty());

  type(STUDIO_ALSO, " SUMMER ;; saison ");
  EXPECT_EQ(screen.colours(STUDIO_TRIAL_VERDICT).background, kSuccessColour);
  type(STUDIO_TRIAL, "summer");
  EXPECT_EQ(controls.text(STUDIO_TRIAL_VERDICT), "BRAVO");
  type(STUDIO_TRIAL, "sumer");
  EXPECT_EQ(controls.text(STUDIO_TRIAL_VERDICT), "Quasiment");
  EXPECT_EQ(screen.colours(STUDIO_TRIAL_VERDICT).background, kAmberColour);
  type(STUDIO_TRIAL, "xyz");
  EXPECT_EQ(screen.colours(STUDIO_TRIAL_VERDICT).background, kRedColour);
  controls.setFocus(STUDIO_TRIAL);
  screen.enterPressed();
  EXPECT_TRUE(controls.control(STUDIO_TRIAL).allTextSelected);
}

TEST_F(StudioScreenTest, CreatingIsRefusedWhileAnErrorRemainsThenWritesThePlayer) {
  type(STUDIO_ANSWER, "");
  host.savedFiles = {folder.path("photos/quiz.exe")};
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_EQ(host.told[0].tone, Tone::warning);
  EXPECT_EQ(controls.focusedId(), STUDIO_PROBLEMS);
  EXPECT_EQ(controls.selection(STUDIO_PROBLEMS), 0);
  EXPECT_FALSE(folder.exists("photos/quiz.exe"));
  EXPECT_EQ(host.savedFiles.size(), 1u);  // no file was even asked for

  type(STUDIO_ANSWER, "ARC");
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_EQ(host.told.size(), 2u);
  EXPECT_EQ(host.told[1].tone, Tone::information) << host.told[1].message;
  testing::LoadedQuiz loaded;
  std::string error;
  std::vector<std::uint8_t> program;
  ASSERT_TRUE(pack::readFileBytes(folder.path("photos/quiz.exe"), program));
  ASSERT_TRUE(loaded.load(program, error)) << error;
  EXPECT_EQ(loaded.quiz->questionCount, 3);
  EXPECT_TRUE(loaded.messages.messages().empty());
}

TEST_F(StudioScreenTest, AProgramMadeBeforeOpensToBeEditedAgain) {
  host.savedFiles = {folder.path("photos/Mon quiz.exe")};
  type(STUDIO_ANSWER, "ARC DE TRIOMPHE");
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_TRUE(folder.exists("photos/Mon quiz.exe"));
  host.told.clear();

  host.replies = {Reply::no};  // the changes of the quiz on screen are not kept
  host.openedFiles = {folder.path("photos/Mon quiz.exe")};
  screen.command(STUDIO_CMD_OPEN);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_EQ(host.told[0].tone, Tone::information);
  EXPECT_NE(host.told[0].message.find("« Mon quiz.exe » est ouvert pour être modifié"), std::string::npos)
      << host.told[0].message;
  EXPECT_EQ(host.title, "quiz.toml - fenok studio");
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1), (std::vector<std::string>{"ARC DE TRIOMPHE", "ETE", "TOUR EIFFEL"}));
  EXPECT_EQ(controls.text(STUDIO_FILE).rfind("question-01.", 0), 0u) << controls.text(STUDIO_FILE);
  EXPECT_TRUE(controls.cells(STUDIO_PROBLEMS).empty());

  // What is no quiz is said so, and the quiz on screen stays.
  folder.write("photos/notes.exe", "not a program");
  host.openedFiles = {folder.path("photos/notes.exe")};
  screen.command(STUDIO_CMD_OPEN);
  ASSERT_EQ(host.told.size(), 2u);
  EXPECT_EQ(host.told[1].tone, Tone::error);
  EXPECT_NE(host.told[1].message.find("ni un programme Windows ni une page de quiz"), std::string::npos)
      << host.told[1].message;
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1).size(), 3u);
}

// The page studio's folders are in its memory: what it tells names the file alone, never them.
TEST_F(StudioScreenTest, FilesKeptInMemoryAreNamedAloneInMessages) {
  host.inMemory = true;
  host.savedFiles = {folder.path("photos/Mon quiz.exe")};
  screen.command(STUDIO_CMD_CREATE_QUIZ);
  ASSERT_FALSE(host.told.empty());
  EXPECT_EQ(host.told.back().message, "Le quiz est créé : Mon quiz.exe (3 questions).");
  folder.write("photos/notes.exe", "not a program");
  const struct {
    std::string file;
    bool opens;
    std::string told;
  } cases[] = {
      {"photos/Mon quiz.exe", true, "« Mon quiz.exe » est ouvert pour être modifié : sa description et ses images sont "
                                    "gardées dans ce navigateur."},
      {"photos/notes.exe", false, "Impossible d'ouvrir « notes.exe » : "},
  };
  for (const auto& c : cases) {
    const studio::UnpackedQuiz unpacked = studio::unpackForEditing(folder.path(c.file), host);
    EXPECT_EQ(!unpacked.description.empty(), c.opens) << c.file;
    EXPECT_EQ(unpacked.message.rfind(c.told, 0), 0u) << unpacked.message;
    EXPECT_EQ(unpacked.message.find(folder.path("")), std::string::npos) << unpacked.message;
  }
}

TEST_F(StudioScreenTest, TryingPacksAFreshProgramAndStartsIt) {
  host.sixtyFour = false;
  screen.command(STUDIO_CMD_TRY_QUIZ);
  ASSERT_EQ(host.started.size(), 1u) << (host.told.empty() ? "" : host.told[0].message);
  EXPECT_TRUE(std::filesystem::exists(host.started[0]));
  EXPECT_TRUE(host.title.find('*') != std::string::npos);  // trying saves nothing

  host.program = folder.path("nowhere");
  screen.command(STUDIO_CMD_TRY_QUIZ);
  EXPECT_EQ(host.started.size(), 1u);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_EQ(host.told[0].tone, Tone::error);
  EXPECT_NE(host.told[0].message.find("Le lecteur fenok est introuvable"), std::string::npos) << host.told[0].message;
}

TEST_F(StudioScreenTest, AsksBeforeLosingChangesAndSavesWhenTold) {
  type(STUDIO_TITLE, "Monuments");
  host.replies = {Reply::cancel, Reply::no};
  EXPECT_FALSE(screen.mayClose());
  EXPECT_TRUE(screen.mayClose());
  EXPECT_EQ(host.asked.size(), 2u);
  EXPECT_FALSE(folder.exists("photos/quiz.toml"));

  host.replies = {Reply::yes};
  EXPECT_TRUE(screen.mayClose());
  EXPECT_NE(testing::fileText(folder.path("photos/quiz.toml")).find("title = \"Monuments\""), std::string::npos);
  EXPECT_EQ(host.recent, (std::vector<std::string>{folder.path("photos/quiz.toml")}));
  EXPECT_TRUE(screen.mayClose());  // saved: nothing to ask
  EXPECT_EQ(host.asked.size(), 3u);
}

TEST_F(StudioScreenTest, QuestionCommandsKeepTheSelectionOnTheMovedQuestion) {
  screen.command(STUDIO_MOVE_DOWN);
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1), (std::vector<std::string>{"ETE", "ARC", "TOUR EIFFEL"}));
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 1);
  EXPECT_EQ(controls.text(STUDIO_QUESTION_GROUP), "Question 2");
  screen.command(STUDIO_REMOVE_QUESTION);
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1), (std::vector<std::string>{"ETE", "TOUR EIFFEL"}));
  EXPECT_EQ(controls.cells(STUDIO_REWARDS).size(), 2u);

  host.openedFiles = {folder.path("photos/notes.txt")};
  screen.command(STUDIO_ADD_QUESTIONS);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_EQ(host.told[0].tone, Tone::warning);
  screen.filesDropped({folder.path("photos/arc.gif")});
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1).back(), "ARC");
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 2);
}


TEST_F(StudioScreenTest, PicturesShowAsThePlayerShowsThem) {
  struct Case {
    int width, height, orientation;
    int shownWidth, shownHeight;  // the player's own examples of its rule
  };
  const Case cases[] = {{276, 239, 1, 260, 225}, {100, 50, 1, 260, 130}, {260, 260, 1, 260, 260}, {320, 240, 6, 195, 260}};
  std::vector<std::string> files;
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> jpeg = pack::encodeJpeg(testing::makePixels(c.width, c.height, true), 90);
    const std::string name = "sizes/" + std::to_string(files.size()) + ".jpg";
    const auto upright = testing::withOrientation(jpeg, c.orientation, false);
    folder.write(name, std::string(upright.begin(), upright.end()));
    files.push_back(folder.path(name));
  }
  screen.filesDropped(files);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    pick(STUDIO_QUESTIONS, static_cast<int>(3 + i));
    const auto& shown = controls.control(STUDIO_PREVIEW).picture;
    ASSERT_NE(shown, nullptr) << i;
    EXPECT_EQ(shown->width, cases[i].shownWidth) << i;
    EXPECT_EQ(shown->height, cases[i].shownHeight) << i;
    EXPECT_TRUE(controls.isVisible(STUDIO_PREVIEW));
    EXPECT_FALSE(controls.isVisible(STUDIO_PREVIEW_TEXT));
  }
  // The solution picture beside it, when the quiz shows solutions.
  pick(STUDIO_COMMENTS, kCommentSolutionPicture);
  EXPECT_FALSE(controls.isVisible(STUDIO_SOLUTION_PREVIEW));
  type(STUDIO_SOLUTION, files[0]);
  ASSERT_NE(controls.control(STUDIO_SOLUTION_PREVIEW).picture, nullptr);
  EXPECT_EQ(controls.control(STUDIO_SOLUTION_PREVIEW).picture->width, cases[0].shownWidth);
  EXPECT_TRUE(controls.isVisible(STUDIO_SOLUTION_PREVIEW));
  type(STUDIO_FILE, "nowhere.jpg");
  EXPECT_FALSE(controls.isVisible(STUDIO_PREVIEW));
  EXPECT_NE(controls.text(STUDIO_PREVIEW_TEXT).find("nowhere.jpg"), std::string::npos);
}

TEST_F(StudioScreenTest, EnterInAnAnswerGoesToTheNextQuestionsAnswer) {
  const auto shown = [&] { return controls.control(STUDIO_PREVIEW).picture; };
  const auto first = shown();
  controls.setFocus(STUDIO_ANSWER);
  type(STUDIO_ANSWER, "ARC DE TRIOMPHE");
  screen.enterPressed();
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 1);
  EXPECT_EQ(controls.focusedId(), STUDIO_ANSWER);
  EXPECT_TRUE(controls.control(STUDIO_ANSWER).allTextSelected);  // typing replaces the drafted answer
  EXPECT_EQ(controls.text(STUDIO_ANSWER), "ETE");
  EXPECT_NE(shown(), first);
  type(STUDIO_ANSWER, "SOLEIL");
  screen.enterPressed();
  screen.enterPressed();  // the last question: it stays
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 2);
  EXPECT_EQ(controls.cells(STUDIO_QUESTIONS, 1), (std::vector<std::string>{"ARC DE TRIOMPHE", "SOLEIL", "TOUR EIFFEL"}));

  // Each answer is its own step: undone, with its question shown again.
  screen.command(STUDIO_CMD_UNDO);
  EXPECT_EQ(controls.selection(STUDIO_QUESTIONS), 1);
  EXPECT_EQ(controls.text(STUDIO_ANSWER), "ETE");
  EXPECT_TRUE(host.canUndo && host.canRedo);
}

TEST_F(StudioScreenTest, ClipsAndTextsShowInThePicturesPlace) {
  pick(STUDIO_MEDIA, kMediaText);
  type(STUDIO_TEXT, "Capitale de la France ?");
  EXPECT_EQ(controls.text(STUDIO_PREVIEW_TEXT), "Capitale de la France ?");
  EXPECT_FALSE(controls.isVisible(STUDIO_PREVIEW));
  EXPECT_FALSE(controls.isVisible(STUDIO_PLAY_CLIP));

  folder.write("photos/cloche.mp3", "ID3");
  pick(STUDIO_MEDIA, kMediaAudio);
  type(STUDIO_FILE, "cloche.mp3");
  EXPECT_EQ(controls.text(STUDIO_PREVIEW_TEXT), "cloche.mp3");
  EXPECT_TRUE(controls.isVisible(STUDIO_PLAY_CLIP));
  EXPECT_TRUE(controls.isEnabled(STUDIO_PLAY_CLIP));
  screen.command(STUDIO_PLAY_CLIP);
  EXPECT_EQ(host.opened, (std::vector<std::string>{folder.path("photos/cloche.mp3")}));
  type(STUDIO_FILE, "gong.mp3");
  EXPECT_FALSE(controls.isEnabled(STUDIO_PLAY_CLIP));
}

TEST_F(StudioScreenTest, F1OpensTheGuideBesideTheStudio) {
  screen.command(STUDIO_CMD_GUIDE);
  ASSERT_EQ(host.told.size(), 1u);
  EXPECT_NE(host.told[0].message.find(folder.path("bin")), std::string::npos) << host.told[0].message;
  folder.write("bin/guide-auteur.html", "<html></html>");
  screen.command(STUDIO_CMD_GUIDE);
  EXPECT_EQ(host.opened, (std::vector<std::string>{folder.path("bin/guide-auteur.html")}));
}

}  // namespace
}  // namespace fenok
