// fenok-pack new: a draft description from a folder of pictures or clips, which builds as it is and
// never replaces a description.
#include <gtest/gtest.h>

#include "authoring/quiz_build.h"
#include "authoring/quiz_draft.h"
#include "fenok-pack/commands.h"
#include "../pack_pictures/new_formats_support.h"
#include "authoring/quiz_media.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::QuizFolder;

const std::string kJpeg = testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg");

int runQuietly(const pack::Arguments& args, std::string* printed = nullptr, std::string* told = nullptr,
               pack::Language language = pack::Language::english) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = pack::runNew(args, language);
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::string err = ::testing::internal::GetCapturedStderr();
  if (printed) *printed = out;
  if (told) *told = err;
  return status;
}

TEST(AnswerFromFileName, WordsUpperCasedAccentsKept) {
  const std::pair<const char*, const char*> cases[] = {
      {"tour-eiffel.jpg", "TOUR EIFFEL"},
      {"cr\xC3\xA8me_br\xC3\xBBl\xC3\xA9" "e.png", "CR\xC3\x88ME BR\xC3\x9BL\xC3\x89" "E"},
      {"  --b\xC5\x93uf--.gif", "B\xC5\x92UF"},
      {"a|b.jpg", "A B"},
      {"-.jpg", ""},
      {"abcdefghijklmnopqrstuvwxyzabcdefghijklmn-opq.jpg", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN"},
  };
  for (const auto& [name, answer] : cases) EXPECT_EQ(pack::answerFromFileName(name), answer) << name;
}

// What cameras, phones, screenshot tools and apps call their files names nothing: no answer. Names
// with words keep them, digits and all.
TEST(AnswerFromFileName, NamesThatNameNothingGiveNoAnswer) {
  const std::pair<const char*, const char*> cases[] = {
      {"IMG_20240612_101530.jpg", ""},
      {"IMG-20240612-WA0003.jpg", ""},
      {"IMG_1234 (1).JPG", ""},
      {"IMG_E1234.HEIC.jpg", ""},
      {"IMG_20240612_101530_HDR.jpg", ""},
      {"DSC01234.JPG", ""},
      {"_DSC1234.jpg", ""},
      {"DSCN0012.jpg", ""},
      {"PXL_20230101_120000123.MP.jpg", ""},
      {"MVIMG_20240101_101010.jpg", ""},
      {"GOPR0001.JPG", ""},
      {"P1010001.JPG", ""},
      {"20240612_101530.jpg", ""},
      {"WhatsApp Image 2024-06-12 at 10.15.30.jpeg", ""},
      {"photo_2024-01-01_10-10-10.jpg", ""},
      {"Screenshot_20240101-101010_Chrome.png", ""},
      {"Screen Shot 2024-01-01 at 10.10.10 PM.png", ""},
      {"Capture d\xE2\x80\x99\xC3\xA9" "cran 2024-01-01 \xC3\xA0 10.10.10.png", ""},
      {"Photo 12-06-2024 10 15 30.jpg", ""},
      {"image (3).png", ""},
      {"Sans titre 2.png", ""},
      {"1984.jpg", ""},
      {"d41d8cd98f00b204e9800998ecf8427e.jpg", ""},
      {"3f2504e0-4f89-11d3-9a0c-0305e82c3301.png", ""},
      {"Paris 2024.jpg", "PARIS 2024"},
      {"mai-1968.jpg", "MAI 1968"},
      {"R2D2.png", "R2D2"},
      {"B52.jpg", "B52"},
      {"2CV.jpg", "2CV"},
      {"Apollo_11.jpg", "APOLLO 11"},
      {"Photo de Paris.jpg", "PHOTO DE PARIS"},
      {"New York.jpg", "NEW YORK"},
  };
  for (const auto& [name, answer] : cases) EXPECT_EQ(pack::answerFromFileName(name), answer) << name;
}

TEST(NewCommand, DraftsAQuizThatBuildsAsItIs) {
  QuizFolder folder;
  folder.write("tour-eiffel.jpg", kJpeg);
  folder.write("arc_de_triomphe.png", testing::sourceFile("samples/demo/pictures/pologne.png"));
  folder.write("notes.txt", "not a picture");
  folder.write("song.mp3", "ID3 sound");
  ASSERT_EQ(runQuietly({folder.path("")}), 0);

  const std::string description = folder.path("quiz.toml");
  const pack::PreparedQuiz prepared = pack::prepareQuiz(description, false);
  EXPECT_TRUE(prepared.ok());
  EXPECT_TRUE(prepared.problems.empty()) << pack::formatProblem(prepared.problems.front(), pack::Language::english);
  EXPECT_EQ(prepared.questionCount, 2);
  const std::string text = testing::fileText(description);
  EXPECT_NE(text.find("answer = \"ARC DE TRIOMPHE\"\npicture = \"arc_de_triomphe.png\"\n\n[[question]]\n"
                      "answer = \"TOUR EIFFEL\"\npicture = \"tour-eiffel.jpg\"\n"),
            std::string::npos)
      << text;
  for (const char* key : {"title", "author", "explanation", "media", "answers_per_question", "answer_labels",
                          "comments", "accents", "background", "rewards"})
    EXPECT_NE(text.find(std::string("\n") + key + " = "), std::string::npos) << key;
}

// Phone photos: the draft reads back with their answers empty, each one an error, and the summary says
// how many answers are left to type.
TEST(NewCommand, LeavesThePhonesNamesUnansweredAndCheckRefusesThem) {
  QuizFolder folder;
  folder.write("IMG_20240612_101530.jpg", kJpeg);
  folder.write("PXL_20230101_120000123.jpg", kJpeg);
  folder.write("tour-eiffel.jpg", kJpeg);
  std::string printed;
  ASSERT_EQ(runQuietly({folder.path("")}, &printed), 0);
  EXPECT_NE(printed.find("3 questions (pictures), 2 without an answer"), std::string::npos) << printed;

  const std::string description = folder.path("quiz.toml");
  EXPECT_NE(testing::fileText(description).find("answer = \"\"\npicture = \"IMG_20240612_101530.jpg\""),
            std::string::npos);
  const pack::PreparedQuiz prepared = pack::prepareQuiz(description, false);
  std::vector<std::string> problems;
  for (const pack::Problem& problem : prepared.problems) problems.push_back(testing::english(problem.message));
  EXPECT_EQ(problems, (std::vector<std::string>{"question 1 has no answer yet", "question 2 has no answer yet"}));
  EXPECT_FALSE(prepared.ok());
}

TEST(NewCommand, TakesNoMoreQuestionsThanAQuizHolds) {
  QuizFolder folder;
  for (int i = 0; i < 97; ++i) folder.write("p" + std::to_string(100 + i) + ".jpg", kJpeg);
  ASSERT_EQ(runQuietly({folder.path("")}), 0);
  const pack::PreparedQuiz prepared = pack::prepareQuiz(folder.path("quiz.toml"), false);
  EXPECT_TRUE(prepared.ok());
  EXPECT_EQ(prepared.questionCount, 96);
}

TEST(NewCommand, NeverOverwritesADescription) {
  QuizFolder folder;
  folder.write("a.jpg", kJpeg);
  const std::string description = folder.write("quiz.toml", "mine");
  EXPECT_EQ(runQuietly({folder.path("")}), 2);
  EXPECT_EQ(testing::fileText(description), "mine");
}

#if defined(FENOK_HAVE_LIBHEIF) && defined(FENOK_HAVE_LIBWEBP)
// Phone and web pictures of every format make questions, a turned iPhone photo upright; every other
// file of the folder is named with the reason it is left out.
TEST(NewCommand, TakesEveryPictureItReadsAndSaysWhichFilesItLeavesOut) {
  const std::string quarters = testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  pack::Pixels pixels;
  std::string reason;
  ASSERT_TRUE(pack::decodePixels(testing::Bytes(quarters.begin(), quarters.end()), pixels, reason));
  const auto asText = [](const testing::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); };
  const std::string heic = asText(testing::heifOf(pixels, heif_compression_HEVC, 6));  // a quarter turn clockwise
  QuizFolder folder;
  folder.write("Arc.avif", asText(testing::heifOf(pixels, heif_compression_AV1)));
  folder.write("IMG_0001.HEIC", heic);
  folder.write("Louvre.jpg", kJpeg);
  folder.write("Tour_Eiffel.webp", asText(testing::webpOf(pixels)));
  folder.write("ete.png", testing::sourceFile("samples/demo/pictures/pologne.png"));
  folder.write("sol.gif", testing::sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  folder.write("broken.heic", heic.substr(0, heic.size() / 2));
  folder.write("fake.webp", "not a picture at all");
  folder.write("notes.txt", "a note");
  folder.write("song.mp3", "ID3 sound");
  folder.write("old/kept.jpg", kJpeg);  // a folder inside is no file of the quiz
  std::string printed, told;
  ASSERT_EQ(runQuietly({folder.path("")}, &printed, &told), 0) << told;
  EXPECT_NE(printed.find("6 questions (pictures), 1 without an answer"), std::string::npos) << printed;
  EXPECT_EQ(told,
            "fenok-pack new: left out: \"broken.heic\" is a damaged HEIC picture (" +
                told.substr(told.find('(') + 1, told.find(")\n") - told.find('(') - 1) +
                ")\n"
                "fenok-pack new: left out: \"fake.webp\" is neither a picture nor a sound or video clip\n"
                "fenok-pack new: left out: \"notes.txt\" is neither a picture nor a sound or video clip\n"
                "fenok-pack new: left out: \"song.mp3\" is a clip, and a picture quiz takes pictures\n");

  // Once its answer is typed, the draft builds, the iPhone photo fitted upright.
  std::string text = testing::fileText(folder.path("quiz.toml"));
  text.replace(text.find("answer = \"\""), 11, "answer = \"CHAT\"");
  const std::string description = folder.write("quiz.toml", text);
  std::vector<PeResourceEntry> resources;
  pack::Diagnostics diagnostics(description);
  ASSERT_TRUE(pack::quizResources(description, false, resources, diagnostics)) << diagnostics.errors(pack::Language::english).front();
  const auto photo = std::find_if(resources.begin(), resources.end(), [](const PeResourceEntry& entry) { return entry.id == 402; });
  ASSERT_NE(photo, resources.end());
  pack::Pixels fitted;
  ASSERT_TRUE(pack::decodePixels(photo->bytes, fitted, reason)) << reason;
  EXPECT_EQ(fitted.width, 130);
  EXPECT_EQ(fitted.height, 260);
  EXPECT_TRUE(testing::seenAs(fitted, testing::kSeen[5]));
}
#endif

// In French under a French locale, and a folder of nothing it reads says so with each file's reason.
TEST(NewCommand, AFolderOfNothingReadableNamesEachFile) {
  QuizFolder folder;
  folder.write("fake.heic", "text");
  std::string told;
  EXPECT_EQ(runQuietly({folder.path("")}, nullptr, &told, pack::Language::french), 2);
  EXPECT_EQ(told.substr(0, told.find('\n')),
            "fenok-pack new: laissé de côté : le fichier « fake.heic » n'est ni une image ni un son ou une vidéo")
      << told;
  EXPECT_NE(told.find("ne contient ni images (JPEG, GIF, PNG, WebP, HEIC, AVIF) ni sons ou vidéos"), std::string::npos);
  EXPECT_FALSE(folder.exists("quiz.toml"));
}

TEST(NewCommand, ChoosesTheMediaByWhatIsThere) {
  struct Case {
    std::vector<std::string> files;
    pack::Arguments options;
    int status;
    const char* media;  // in the draft, when it is made
  };
  const Case cases[] = {
      {{"a.mp3", "b.wav", "c.avi"}, {}, 0, "media = \"audio\""},
      {{"a.avi", "b.mpg"}, {}, 0, "media = \"video\""},
      {{"a.jpg", "b.avi"}, {"--media", "video"}, 0, "media = \"video\""},
      {{"a.txt"}, {}, 2, nullptr},
      {{"a.jpg"}, {"--media", "audio"}, 2, nullptr},
      {{"a.jpg"}, {"--media", "radio"}, 2, nullptr},
  };
  for (const Case& c : cases) {
    QuizFolder folder;
    for (const std::string& name : c.files) folder.write(name, name.find(".jpg") != std::string::npos ? kJpeg : "RIFF");
    pack::Arguments args = {folder.path("")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(runQuietly(args), c.status) << c.files.front();
    if (c.media) EXPECT_NE(testing::fileText(folder.path("quiz.toml")).find(c.media), std::string::npos) << c.media;
    else EXPECT_FALSE(folder.exists("quiz.toml"));
  }
}

}  // namespace
}  // namespace fenok
