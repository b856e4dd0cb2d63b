// Pictures prepared ahead, in parallel, give what preparing each in turn gives, and a file that
// changed after it was prepared is prepared again rather than taken from before.
#include <gtest/gtest.h>

#include <set>

#include "../pack/pack_support.h"
#include "authoring/pictures/bytes_fingerprint.h"
#include "authoring/pictures/prepared_pictures.h"
#include "fenok-pack/commands.h"
#include "picture_support.h"

namespace fenok {
namespace {

using testing::Bytes;

Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(PreparedPictures, GiveWhatPreparingInTurnGives) {
  testing::QuizFolder folder;
  std::vector<std::string> paths;
  for (int i = 0; i < 6; ++i) {
    const Bytes photo = pack::encodeJpeg(testing::makePixels(300 + 40 * i, 200, true), 90);
    paths.push_back(folder.write("p" + std::to_string(i) + ".jpg", std::string(photo.begin(), photo.end())));
  }
  paths.push_back(folder.write("cut.gif", testing::sourceFile("tests/unit/pack/fixtures/quarters.gif").substr(0, 50)));
  paths.push_back(paths.front());  // the same file twice
  pack::PreparedPictures prepared(pack::PictureStorage::fitted);
  prepared.prepareAll(paths);
  for (const std::string& path : paths) {
    Bytes ahead = asBytes(testing::fileText(path)), inTurn = ahead;
    pack::PictureFormat aheadFormat = pack::pictureFormat(ahead), inTurnFormat = aheadFormat;
    pack::Message aheadProblem, inTurnProblem;
    EXPECT_EQ(prepared.prepare(path, ahead, aheadFormat, aheadProblem),
              pack::preparePicture(inTurn, inTurnFormat, pack::PictureStorage::fitted, inTurnProblem));
    EXPECT_EQ(ahead, inTurn) << path;
    EXPECT_EQ(aheadFormat, inTurnFormat);
    EXPECT_EQ(aheadProblem, inTurnProblem);
  }
}

TEST(PreparedPictures, AFileChangedSinceIsPreparedAgain) {
  testing::QuizFolder folder;
  const std::string path = folder.write("p.gif", testing::sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  pack::PreparedPictures prepared(pack::PictureStorage::fitted);
  prepared.prepareAll({path});
  Bytes now = asBytes(testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg"));
  pack::PictureFormat format = pack::PictureFormat::jpeg;
  pack::Message problem;
  ASSERT_TRUE(prepared.prepare(path, now, format, problem)) << testing::english(problem);
  // Upright and small, the JPEG keeps its own file; the GIF prepared earlier would have become a PNG.
  EXPECT_EQ(format, pack::PictureFormat::jpeg);
  EXPECT_EQ(now, asBytes(testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg")));
}

// What an earlier preparation fitted (the studio's check, then its "Créer") is found again by the
// file's bytes, never by its name: a file rewritten in between is fitted anew.
TEST(PreparedPictures, ALaterPreparationReusesOnlyTheSameBytes) {
  testing::QuizFolder folder;
  const Bytes first = pack::encodeJpeg(testing::makePixels(640, 480, true), 90);
  const Bytes second = pack::encodeJpeg(testing::makePixels(480, 640, true), 90);
  const std::string path = folder.write("p.jpg", std::string(first.begin(), first.end()));
  pack::PreparedPictures(pack::PictureStorage::fitted).prepareAll({path});
  for (const Bytes& now : {second, first}) {
    folder.write("p.jpg", std::string(now.begin(), now.end()));
    pack::PreparedPictures later(pack::PictureStorage::fitted);
    later.prepareAll({path});
    Bytes reused = now, fresh = now;
    pack::PictureFormat reusedFormat = pack::PictureFormat::jpeg, freshFormat = reusedFormat;
    pack::Message problem;
    ASSERT_TRUE(later.prepare(path, reused, reusedFormat, problem));
    ASSERT_TRUE(pack::preparePicture(fresh, freshFormat, pack::PictureStorage::fitted, problem));
    EXPECT_EQ(reused, fresh);
    EXPECT_EQ(reusedFormat, freshFormat);
  }
}

// Files that differ by one bit anywhere (in a whole word or in the tail past the last one), or only by
// their length, have fingerprints of their own.
TEST(BytesFingerprint, TellsApartFilesOneBitApart) {
  Bytes file(69);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 37);
  std::set<std::uint64_t> seen = {pack::bytesFingerprint(file)};
  for (std::size_t i = 0; i < file.size(); ++i)
    for (int bit = 0; bit < 8; ++bit) {
      Bytes other = file;
      other[i] ^= static_cast<std::uint8_t>(1u << bit);
      EXPECT_TRUE(seen.insert(pack::bytesFingerprint(other)).second) << "byte " << i << " bit " << bit;
    }
  for (std::size_t length : {0u, 1u, 8u, 68u}) {
    const Bytes shorter(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_TRUE(seen.insert(pack::bytesFingerprint(shorter)).second) << length << " bytes";
  }
}

TEST(BuildCommand, KeepPicturesStoresTheFilesAsGiven) {
  testing::QuizFolder folder;
  const std::string gif = testing::sourceFile("tests/unit/pack/fixtures/quarters.gif");
  folder.write("q.gif", gif);
  const std::string quiz =
      folder.write("quiz.toml", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"q.gif\"\n");
  for (const bool keep : {false, true}) {
    std::vector<std::string> args = {quiz, "-o", folder.path("out.exe"), "--stub", testing::fixturePath("stub32.exe")};
    if (keep) args.push_back("--keep-pictures");
    ASSERT_EQ(pack::runBuild(args, pack::Language::english), 0);
    PeResources program;
    std::string error;
    const std::string bytes = testing::fileText(folder.path("out.exe"));
    ASSERT_TRUE(program.load({bytes.begin(), bytes.end()}, error)) << error;
    const ByteView stored = program.find(ResourceType::named("IMG"), 401);
    EXPECT_EQ(keep, !stored.empty());
    if (keep) {
      EXPECT_EQ(testing::text(stored.data, stored.size), gif);
    }
    EXPECT_EQ(keep, program.find(ResourceType::numbered(kRtRcdata), 401).empty());  // fitted: a PNG
  }
}

}  // namespace
}  // namespace fenok
