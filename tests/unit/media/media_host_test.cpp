#include "media/media_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/portable/memory_controls.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/posix_files.h"
#include "platform/ports/media_player.h"

namespace fenok {
namespace {

namespace fs = std::filesystem;

// Records every call as a line, and plays whatever state the test sets.
class FakePlayers : public MediaPlayers {
 public:
  void start() override { calls.push_back("start"); }
  void stop() override {
    calls.push_back("stop support");
    if (onStop) onStop();
  }
  bool create(int question, Controls&, int placeholderId) override {
    calls.push_back("create " + std::to_string(question) + " " + std::to_string(placeholderId));
    return failingQuestions.count(question) == 0;
  }
  void setUrl(int question, const std::string& path) override {
    calls.push_back("url " + std::to_string(question) + " " + path);
  }
  void play(int question) override { calls.push_back("play " + std::to_string(question)); }
  void pause(int question) override { calls.push_back("pause " + std::to_string(question)); }
  void stopPlaying(int question) override { calls.push_back("stop " + std::to_string(question)); }
  PlayerActivity activity(int) override { return reportedActivity; }
  long lastResult(int question) const override { return failingQuestions.count(question) ? 0x80040154L : 0; }

  std::vector<std::string> calls;
  std::set<int> failingQuestions;
  PlayerActivity reportedActivity = PlayerActivity::playing;
  std::function<void()> onStop;
};

// A file the player still has open cannot be deleted, as on Windows.
class LockingFiles : public PosixFiles {
 public:
  LockingFiles() : PosixFiles("fenok.exe") {}
  void remove(const std::string& name) override {
    if (locked.count(name) == 0) PosixFiles::remove(name);
  }
  std::set<std::string> locked;
};

// A resource the program carries but whose bytes cannot be loaded.
class PartlyLoadableResources : public MemoryResources {
 public:
  bool contains(ResourceType type, int id) const override {
    return unloadable.count(id) != 0 || MemoryResources::contains(type, id);
  }
  std::set<int> unloadable;
};

void setMediaFolder(Quiz& quiz, const std::string& folder) {
  std::snprintf(quiz.mediaFolder, sizeof quiz.mediaFolder, "%s", folder.c_str());
}

const std::vector<std::uint8_t> kWave = {'R', 'I', 'F', 'F', 0x24, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
const std::vector<std::uint8_t> kMp3 = {'I', 'D', '3', 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A};
const std::vector<std::uint8_t> kMpeg = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01};

class MediaHostTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("fenok-media-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    setUpQuiz(kMediaAudio, 6);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void setUpQuiz(int mediaKind, int questionCount) {
    quiz_ = Quiz{};
    quiz_.mediaKind = mediaKind;
    quiz_.questionCount = questionCount;
    setMediaFolder(quiz_, folder_.string() + "/");
    for (int question = 1; question <= questionCount && question <= kMaxQuestions; ++question) {
      resources_.add("IMG", 400 + question, question == 3 ? kMp3 : kWave);
    }
  }

  // Builds the players of every question, as the quiz panel does.
  void createPlayers(MediaHost& host) {
    for (int question = 1; question <= quiz_.questionCount; ++question) {
      panel_.create("Static", "", 0x50800000, Rect{0, 0, 0, 0}, 9900 + question);
      ASSERT_TRUE(host.createPlayer(question, panel_, 9900 + question));
    }
    players_.calls.clear();
  }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  bool exists(const std::string& name) const { return fs::exists(folder_ / name); }
  std::vector<std::string> clipFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    return names;
  }
  std::vector<std::uint8_t> contents(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> stopsOfEveryQuestion() const {
    std::vector<std::string> calls;
    for (int question = 1; question <= quiz_.questionCount; ++question) calls.push_back("stop " + std::to_string(question));
    return calls;
  }

  fs::path folder_;
  Quiz quiz_{};
  PartlyLoadableResources resources_;
  MessageRecorder messages_;
  LockingFiles files_;
  FakePlayers players_;
  MemoryControls panel_;
  MediaPorts ports_{resources_, files_, messages_, players_};
};

// --- Support and players -------------------------------------------------------------------------

struct KindCase {
  int mediaKind;
  bool media;
};

class MediaSupportTest : public MediaHostTest, public testing::WithParamInterface<KindCase> {};

TEST_P(MediaSupportTest, StartsAndStopsOnlyForAudioAndVideo) {
  setUpQuiz(GetParam().mediaKind, 3);
  MediaHost host(ports_, quiz_);
  host.startMediaSupport();
  host.stopMediaSupport();
  const std::vector<std::string> expected =
      GetParam().media ? std::vector<std::string>{"start", "stop support"} : std::vector<std::string>{};
  EXPECT_EQ(players_.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MediaSupportTest,
                         testing::Values(KindCase{kMediaText, false}, KindCase{kMediaPictures, false},
                                         KindCase{kMediaAudio, true}, KindCase{kMediaVideo, true}));

class NonMediaQuizTest : public MediaHostTest, public testing::WithParamInterface<int> {};

TEST_P(NonMediaQuizTest, IgnoresPlayersPlayAndStop) {
  setUpQuiz(GetParam(), 3);
  MediaHost host(ports_, quiz_);
  panel_.create("Static", "", 0x50800000, Rect{}, 9901);
  EXPECT_FALSE(host.createPlayer(1, panel_, 9901));
  host.playClip(1);
  host.stopClip();
  host.closePanel();
  EXPECT_TRUE(players_.calls.empty());
  EXPECT_TRUE(clipFiles().empty());
  EXPECT_EQ(host.currentQuestion(), 0);
  EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(PictureAndText, NonMediaQuizTest, testing::Values(kMediaText, kMediaPictures));

TEST_F(MediaHostTest, CreatesOnePlayerPerQuestionInItsPlaceholder) {
  MediaHost host(ports_, quiz_);
  EXPECT_TRUE(host.createPlayer(1, panel_, 9901));
  EXPECT_TRUE(host.createPlayer(2, panel_, 9902));
  EXPECT_EQ(players_.calls, (std::vector<std::string>{"create 1 9901", "create 2 9902"}));
}

TEST_F(MediaHostTest, ReportsAPlayerThatCannotBeHad) {
  players_.failingQuestions = {2};
  MediaHost host(ports_, quiz_);
  EXPECT_TRUE(host.createPlayer(1, panel_, 9901));
  EXPECT_FALSE(host.createPlayer(2, panel_, 9902));
  host.playClip(2);  // no player: the click does nothing
  EXPECT_EQ(players_.calls, (std::vector<std::string>{"create 1 9901", "create 2 9902"}));
  EXPECT_TRUE(clipFiles().empty());
}

TEST_F(MediaHostTest, NoPlayerBeyondTheNinetySixSlots) {
  setUpQuiz(kMediaAudio, 97);
  MediaHost host(ports_, quiz_);
  EXPECT_TRUE(host.createPlayer(96, panel_, 9996));
  EXPECT_FALSE(host.createPlayer(97, panel_, 9997));
  EXPECT_FALSE(host.createPlayer(0, panel_, 9900));
  EXPECT_EQ(players_.calls, std::vector<std::string>{"create 96 9996"});
}

TEST_F(MediaHostTest, WithoutAPlayerNothingIsPlayed) {
  players_.failingQuestions = {1};
  MediaHost host(ports_, quiz_);
  host.startMediaSupport();
  EXPECT_FALSE(host.createPlayer(1, panel_, 9901));
  host.playClip(1);
  host.stopClip();
  host.stopMediaSupport();
  EXPECT_TRUE(clipFiles().empty());
}

// --- Which clip files exist when --------------------------------------------------------------------

TEST_F(MediaHostTest, PlayWritesTheClipFileAndStartsItsPlayer) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);

  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok401.WAV"});
  EXPECT_EQ(contents("fenok401.WAV"), kWave);
  EXPECT_EQ(host.currentQuestion(), 1);
  EXPECT_EQ(host.currentClipFile(), path("fenok401.WAV"));
  std::vector<std::string> expected = stopsOfEveryQuestion();
  expected.push_back("url 1 " + path("fenok401.WAV"));
  expected.push_back("play 1");
  EXPECT_EQ(players_.calls, expected);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MediaHostTest, PlayingAnotherQuestionReplacesTheClipFile) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);
  players_.calls.clear();
  host.playClip(3);

  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok403.MP3"});  // an ID3 tag makes an MP3
  EXPECT_EQ(host.currentQuestion(), 3);
  std::vector<std::string> expected = stopsOfEveryQuestion();
  expected.push_back("url 3 " + path("fenok403.MP3"));
  expected.push_back("play 3");
  EXPECT_EQ(players_.calls, expected);
}

class StopButtonTest : public MediaHostTest, public testing::WithParamInterface<int> {};

TEST_P(StopButtonTest, AnyStopButtonStopsTheCurrentClipAndDeletesItsFile) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);
  host.playClip(3);
  players_.calls.clear();
  host.stopClip();  // which stop button was clicked does not reach the host

  EXPECT_EQ(players_.calls, std::vector<std::string>{"stop 3"});
  EXPECT_TRUE(clipFiles().empty());
  EXPECT_EQ(host.currentClipFile(), "");
}

INSTANTIATE_TEST_SUITE_P(Buttons, StopButtonTest, testing::Values(1, 3, 5));

TEST_F(MediaHostTest, StopBeforeAnyPlayDoesNothing) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.stopClip();
  EXPECT_TRUE(players_.calls.empty());
  EXPECT_EQ(host.currentQuestion(), 0);
}

TEST_F(MediaHostTest, ClosingThePanelDeletesTheClipFileOfAVideoQuiz) {
  setUpQuiz(kMediaVideo, 8);
  resources_.add("IMG", 407, kMpeg);
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(7);
  ASSERT_TRUE(exists("fenok407.MPG"));
  host.closePanel();
  EXPECT_TRUE(clipFiles().empty());
  EXPECT_EQ(players_.calls.back(), "stop 7");
}

TEST_F(MediaHostTest, ClosingThePanelWithNothingPlayedLeavesNothing) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.closePanel();
  EXPECT_TRUE(players_.calls.empty());
  EXPECT_TRUE(clipFiles().empty());
}

TEST_F(MediaHostTest, PlayAgainAfterStopWritesTheFileAgain) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  host.stopClip();
  host.playClip(2);
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});
  EXPECT_EQ(players_.calls.back(), "play 2");
}

TEST_F(MediaHostTest, AFileStillOpenIsDeletedAtShutDown) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);
  files_.locked = {path("fenok401.WAV")};
  players_.onStop = [this] { files_.locked.clear(); };  // players released: the file is free
  host.closePanel();
  ASSERT_TRUE(exists("fenok401.WAV"));
  host.stopMediaSupport();
  EXPECT_TRUE(clipFiles().empty());
}

TEST_F(MediaHostTest, AClipStillPlayingAtShutDownIsDeleted) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(4);
  files_.locked = {path("fenok404.WAV")};
  players_.onStop = [this] { files_.locked.clear(); };
  host.stopMediaSupport();
  EXPECT_TRUE(clipFiles().empty());
}

TEST_F(MediaHostTest, ShutDownOfAPictureQuizTouchesNoFile) {
  setUpQuiz(kMediaPictures, 3);
  std::ofstream(folder_ / "fenok401.WAV") << "not ours to delete in a picture quiz";
  MediaHost host(ports_, quiz_);
  host.stopMediaSupport();
  EXPECT_TRUE(exists("fenok401.WAV"));
}

// --- A second click on the clip that plays ------------------------------------------------------------

TEST_F(MediaHostTest, SecondClickPausesAndThirdResumes) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  players_.calls.clear();

  host.playClip(2);
  EXPECT_EQ(players_.calls, std::vector<std::string>{"pause 2"});
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});

  players_.calls.clear();
  players_.reportedActivity = PlayerActivity::paused;
  host.playClip(2);
  EXPECT_EQ(players_.calls, std::vector<std::string>{"play 2"});
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});
}

TEST_F(MediaHostTest, AClipWhosePlayerCannotTellItsStateStartsAgain) {
  players_.reportedActivity = PlayerActivity::unknown;
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  players_.calls.clear();
  host.playClip(2);
  std::vector<std::string> expected = stopsOfEveryQuestion();
  expected.push_back("url 2 " + path("fenok402.WAV"));
  expected.push_back("play 2");
  EXPECT_EQ(players_.calls, expected);
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});
}

TEST_F(MediaHostTest, AClipThatRanToItsEndStartsAgain) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  players_.calls.clear();
  players_.reportedActivity = PlayerActivity::stopped;
  host.playClip(2);
  ASSERT_FALSE(players_.calls.empty());
  EXPECT_EQ(players_.calls.back(), "play 2");
  EXPECT_EQ(players_.calls[players_.calls.size() - 2], "url 2 " + path("fenok402.WAV"));
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});
}

TEST_F(MediaHostTest, APausedClipIsStoppedByAnotherQuestionsPlay) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  host.playClip(2);  // paused
  host.playClip(4);
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok404.WAV"});
  players_.calls.clear();
  host.playClip(2);  // a fresh start, not a resumption
  EXPECT_EQ(players_.calls.back(), "play 2");
  EXPECT_EQ(clipFiles(), std::vector<std::string>{"fenok402.WAV"});
}

TEST_F(MediaHostTest, APausedClipIsDeletedByStop) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);
  host.playClip(2);
  host.stopClip();
  EXPECT_TRUE(clipFiles().empty());
}

// --- Clips that cannot be had ----------------------------------------------------------------------

TEST_F(MediaHostTest, AMissingClipDoesNothingAndSaysNothing) {
  resources_.remove(ResourceType::named("IMG"), 404);
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);
  players_.calls.clear();
  host.playClip(4);

  EXPECT_EQ(players_.calls, stopsOfEveryQuestion());  // every clip stopped, nothing started
  EXPECT_TRUE(clipFiles().empty());
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(host.currentQuestion(), 4);
}

struct LoadFailureCase {
  int mediaKind;
  const char* message;
};

class LoadFailureTest : public MediaHostTest, public testing::WithParamInterface<LoadFailureCase> {};

TEST_P(LoadFailureTest, AClipThatCannotBeLoadedIsReported) {
  setUpQuiz(GetParam().mediaKind, 6);
  resources_.remove(ResourceType::named("IMG"), 402);
  resources_.unloadable = {402};
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);

  EXPECT_EQ(messages_.messages(), std::vector<RecordedMessage>({{GetParam().message, "Fenok", 0}}));
  EXPECT_EQ(players_.calls, stopsOfEveryQuestion());
  EXPECT_TRUE(clipFiles().empty());
}

TEST_P(LoadFailureTest, AClipFileThatCannotBeWrittenIsReportedAndNotPlayed) {
  setUpQuiz(GetParam().mediaKind, 6);
  setMediaFolder(quiz_, folder_.string() + "/missing/");
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);

  EXPECT_EQ(messages_.texts(), std::vector<std::string>{GetParam().message});
  EXPECT_EQ(players_.calls, stopsOfEveryQuestion());
  EXPECT_EQ(host.currentClipFile(), "");
}

TEST_P(LoadFailureTest, AClipPathTooLongIsReportedAndNotWritten) {
  setUpQuiz(GetParam().mediaKind, 6);
  setMediaFolder(quiz_, folder_.string() + "/" + std::string(300, 'x') + "/");
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(2);

  EXPECT_EQ(messages_.texts(), std::vector<std::string>{GetParam().message});
  EXPECT_EQ(players_.calls, stopsOfEveryQuestion());
  EXPECT_TRUE(clipFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, LoadFailureTest,
                         testing::Values(LoadFailureCase{kMediaAudio, "Impossible de charger le fichier audio."},
                                         LoadFailureCase{kMediaVideo, "Impossible de charger le fichier vid\xE9o."}));

TEST_F(MediaHostTest, ExtractWithAnotherKindFailsInSilence) {
  resources_.unloadable = {450};
  MediaHost host(ports_, quiz_);
  EXPECT_EQ(host.extractClip(450, 0), 0);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MediaHostTest, ExtractWritesEveryByteUnderTheResourceId) {
  std::vector<std::uint8_t> big(70000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  big[0] = 0x30;
  resources_.add("IMG", 412, big);
  MediaHost host(ports_, quiz_);
  EXPECT_EQ(host.extractClip(412, kClipKindVideo), 1);
  EXPECT_EQ(host.currentClipFile(), path("fenok412.WMV"));
  EXPECT_EQ(contents("fenok412.WMV"), big);
}

TEST_F(MediaHostTest, AnExistingClipFileIsReplaced) {
  std::ofstream(folder_ / "fenok401.WAV") << "an older and much longer file than the clip";
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  host.playClip(1);
  EXPECT_EQ(contents("fenok401.WAV"), kWave);
}

// --- Out of range -----------------------------------------------------------------------------------

TEST_F(MediaHostTest, PlayIdentifiersOutsideTheTableAreIgnored) {
  MediaHost host(ports_, quiz_);
  createPlayers(host);
  for (int question : {0, -1, 97, 1000}) host.playClip(question);
  EXPECT_TRUE(players_.calls.empty());
  EXPECT_EQ(host.currentQuestion(), 0);
}

TEST_F(MediaHostTest, OnlyTheQuizsQuestionsAreStopped) {
  setUpQuiz(kMediaAudio, 200);  // more questions than slots: the table still bounds every loop
  MediaHost host(ports_, quiz_);
  for (int question = 1; question <= kMaxQuestions; ++question) host.createPlayer(question, panel_, 9900 + question);
  players_.calls.clear();
  host.playClip(96);
  EXPECT_EQ(players_.calls.size(), static_cast<std::size_t>(kMaxQuestions + 2));
  EXPECT_EQ(players_.calls.back(), "play 96");
}

}  // namespace
}  // namespace fenok
