#include "pictures/picture_fit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports/resources.h"

namespace fenok {
namespace {

struct FitCase {
  int width, height, targetWidth, targetHeight;
  int expectedWidth, expectedHeight;
};

class FitToBoxTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToBoxTest, ScalesBySmallerRatioAndTruncates) {
  const FitCase& c = GetParam();
  FittedSize fitted;
  ASSERT_TRUE(fitToBox(c.width, c.height, c.targetWidth, c.targetHeight, fitted));
  EXPECT_EQ(fitted.width, c.expectedWidth);
  EXPECT_EQ(fitted.height, c.expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitToBoxTest,
                         ::testing::Values(FitCase{276, 239, 260, 260, 260, 225},   // shrunk, width binds
                                           FitCase{100, 50, 260, 260, 260, 130},    // enlarged
                                           FitCase{260, 260, 260, 260, 260, 260},   // unchanged
                                           FitCase{239, 276, 260, 260, 225, 260},   // height binds
                                           FitCase{800, 600, 260, 260, 260, 195},
                                           FitCase{1, 1, 260, 260, 260, 260},
                                           FitCase{300, 100, 260, 130, 260, 86},    // 86.66 truncated
                                           FitCase{3, 7, 260, 260, 111, 260},       // 111.43 truncated
                                           FitCase{23, 115, 260, 260, 51, 260},     // single-precision 51.99
                                           FitCase{100000, 1, 260, 260, 260, 1}));  // thin side kept at 1

struct EmptyCase {
  int width, height, targetWidth, targetHeight;
};

class FitToBoxRefusesTest : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(FitToBoxRefusesTest, NothingToScale) {
  const EmptyCase& c = GetParam();
  FittedSize fitted{7, 9};
  EXPECT_FALSE(fitToBox(c.width, c.height, c.targetWidth, c.targetHeight, fitted));
  EXPECT_EQ(fitted.width, 7);
  EXPECT_EQ(fitted.height, 9);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitToBoxRefusesTest,
                         ::testing::Values(EmptyCase{0, 0, 260, 260}, EmptyCase{0, 50, 260, 260},
                                           EmptyCase{50, 0, 260, 260}, EmptyCase{-5, 50, 260, 260},
                                           EmptyCase{50, 50, 0, 260}, EmptyCase{50, 50, 260, 0}));

TEST(ScrambledPictureId, OnlyAboveTenThousand) {
  const std::vector<std::pair<int, bool>> cases = {
      {400, false}, {9999, false}, {10000, false}, {10001, true}, {10405, true}, {10496, true}};
  for (const auto& [id, scrambled] : cases) EXPECT_EQ(isScrambledPictureId(id), scrambled) << id;
}

TEST(ExchangeNibbles, SwapsHalvesOfEveryByte) {
  std::vector<std::uint8_t> bytes = {0xAB, 0x00, 0xFF, 0x12, 0xF0, 0x0F};
  exchangeNibbles(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xBA, 0x00, 0xFF, 0x21, 0x0F, 0xF0}));
}

TEST(ExchangeNibbles, IsItsOwnInverseOverEveryByte) {
  std::vector<std::uint8_t> bytes(256);
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  const std::vector<std::uint8_t> original = bytes;
  exchangeNibbles(bytes.data(), bytes.size());
  EXPECT_NE(bytes, original);
  exchangeNibbles(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);
}

TEST(ExchangeNibbles, EmptyInputIsFine) { exchangeNibbles(nullptr, 0); }

// Resources held in a map, keyed by (type name or "#number", id).
class MapResources : public Resources {
 public:
  void add(ResourceType type, int id, std::vector<std::uint8_t> bytes) { store_[{key(type), id}] = std::move(bytes); }
  ByteView find(ResourceType type, int id) const override {
    auto it = store_.find({key(type), id});
    if (it == store_.end()) return {};
    return {it->second.data(), it->second.size()};
  }

 private:
  static std::string key(ResourceType type) {
    return type.name ? std::string(type.name) : "#" + std::to_string(type.number);
  }
  std::map<std::pair<std::string, int>, std::vector<std::uint8_t>> store_;
};

TEST(ChoosePictureSource, EncodedFirstThenPngThenNothing) {
  MapResources resources;
  resources.add(ResourceType::named("IMG"), 401, {0xFF, 0xD8});
  resources.add(ResourceType::numbered(kRtRcdata), 401, {0x89, 'P'});
  resources.add(ResourceType::numbered(kRtRcdata), 402, {0x89, 'P'});
  resources.add(ResourceType::named("IMG"), 404, {});  // empty resource counts as missing
  resources.add(ResourceType::named("OTHER"), 405, {1});

  EXPECT_EQ(choosePictureSource(resources, "IMG", 401), PictureSource::encoded);
  EXPECT_EQ(choosePictureSource(resources, "IMG", 402), PictureSource::png);
  EXPECT_EQ(choosePictureSource(resources, "IMG", 403), PictureSource::none);
  EXPECT_EQ(choosePictureSource(resources, "IMG", 404), PictureSource::none);
  EXPECT_EQ(choosePictureSource(resources, "IMG", 405), PictureSource::none);
  EXPECT_EQ(choosePictureSource(resources, "OTHER", 405), PictureSource::encoded);
}

}  // namespace
}  // namespace fenok
