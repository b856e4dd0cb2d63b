// The PE resource reader on real mingw-built programs, on every prefix and every damaged byte of one,
// and on hand-made hostile directories.
#include <gtest/gtest.h>

#include "pe_fixtures.h"
#include "platform/portable/pe_resources.h"

namespace fenok {
namespace {

using testing::readFixture;
using testing::text;

struct StubCase {
  const char* file;
  bool pe32Plus;
};

class ReaderOnStubs : public ::testing::TestWithParam<StubCase> {};

TEST_P(ReaderOnStubs, FindsNamedAndNumberedResources) {
  PeResources resources;
  std::string error;
  ASSERT_TRUE(resources.load(readFixture(GetParam().file), error)) << error;
  EXPECT_EQ(resources.layout().pe32Plus, GetParam().pe32Plus);
  EXPECT_EQ(resources.entries().size(), 5u);

  const ByteView answers = resources.find(ResourceType::named("PATCH"), 104);
  EXPECT_EQ(text(answers.data, answers.size), "old answers");
  const ByteView picture = resources.find(ResourceType::named("img"), 401);  // names ignore case
  EXPECT_EQ(text(picture.data, picture.size), "old picture");
  const ByteView cursor = resources.find(ResourceType::numbered(kRtRcdata), 1003);
  EXPECT_EQ(text(cursor.data, cursor.size), "cursor stand-in");
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 105).empty());
  EXPECT_TRUE(resources.find(ResourceType::numbered(kRtRcdata), 104).empty());
  EXPECT_TRUE(resources.find(ResourceType::named("PATC"), 104).empty());
}

TEST_P(ReaderOnStubs, KeepsNamedIdsAndLanguages) {
  PeResources resources;
  std::string error;
  ASSERT_TRUE(resources.load(readFixture(GetParam().file), error)) << error;
  bool foundNamedId = false;
  for (const PeResourceEntry& entry : resources.entries()) {
    EXPECT_EQ(entry.language, 1033);
    if (entry.idName == "STRINGS") {
      foundNamedId = true;
      EXPECT_EQ(entry.typeNumber, kRtRcdata);
      EXPECT_EQ(text(entry.bytes.data(), entry.bytes.size()), "named id");
    }
  }
  EXPECT_TRUE(foundNamedId);
}

INSTANTIATE_TEST_SUITE_P(Stubs, ReaderOnStubs,
                         ::testing::Values(StubCase{"stub32.exe", false}, StubCase{"stub64.exe", true},
                                           StubCase{"middle32.exe", false}));

TEST(PeReader, ProgramWithoutResourcesHasNone) {
  PeResources resources;
  std::string error;
  ASSERT_TRUE(resources.load(readFixture("bare32.exe"), error)) << error;
  EXPECT_TRUE(resources.entries().empty());
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 104).empty());
}

TEST(PeReader, MissingFileIsNamed) {
  PeResources resources;
  std::string error;
  EXPECT_FALSE(resources.loadFile("/nonexistent/quiz.exe", error));
  EXPECT_EQ(error, "cannot open /nonexistent/quiz.exe");
}

// Every prefix either fails with a reason or, once long enough to hold the resources, reads them all.
TEST(PeReader, EveryTruncationFailsCleanlyOrReadsEverything) {
  const std::vector<std::uint8_t> whole = readFixture("stub32.exe");
  PeResources full;
  std::string error;
  ASSERT_TRUE(full.load(whole, error));
  bool succeededBefore = false;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    PeResources resources;
    const bool ok = resources.load({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)}, error);
    if (ok) {
      EXPECT_EQ(resources.entries().size(), full.entries().size()) << length;
    } else {
      EXPECT_FALSE(error.empty());
      EXPECT_FALSE(succeededBefore) << "a longer prefix failed after a shorter one read: " << length;
    }
    succeededBefore = succeededBefore || ok;
  }
  EXPECT_TRUE(succeededBefore);
}

// Damaging any one byte never makes the reader hand out bytes beyond the file.
TEST(PeReader, EveryDamagedByteStaysInsideTheFile) {
  const std::vector<std::uint8_t> whole = readFixture("stub32.exe");
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x80}}) {
      std::vector<std::uint8_t> damaged = whole;
      damaged[at] = value;
      PeResources resources;
      std::string error;
      if (!resources.load(damaged, error)) {
        EXPECT_FALSE(error.empty());
        continue;
      }
      std::size_t total = 0;
      for (const PeResourceEntry& entry : resources.entries()) total += entry.bytes.size();
      EXPECT_LE(total, damaged.size()) << at;
    }
  }
}

// Hand-made damage to the resource directory of stub32.exe, whose section starts at file offset 0xC00.
struct Damage {
  const char* what;
  std::uint32_t offset;  // within the resource section
  std::uint32_t value;
  const char* reason;
};

class HostileDirectory : public ::testing::TestWithParam<Damage> {};

TEST_P(HostileDirectory, IsRefusedWithItsReason) {
  std::vector<std::uint8_t> image = readFixture("stub32.exe");
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(image, layout, error));
  std::uint32_t at = 0;
  for (const PeSection& section : layout.sections)
    if (section.virtualAddress == layout.resourceRva) at = section.rawOffset + GetParam().offset;
  ASSERT_NE(at, 0u);
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(GetParam().value >> (8 * i));
  PeResources resources;
  EXPECT_FALSE(resources.load(image, error)) << GetParam().what;
  EXPECT_EQ(error, GetParam().reason) << GetParam().what;
  EXPECT_TRUE(resources.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damages, HostileDirectory,
    ::testing::Values(
        // The root's first entry (offset 16) is the named type "IMG": its target at 20.
        Damage{"type table points back at the root", 20, 0x80000000u, "resource directory refers to a table twice"},
        Damage{"type table far outside", 20, 0x80FFFF00u, "resource directory outside the resource section"},
        Damage{"huge entry counts", 12, 0xFFFFFFFFu, "resource directory entries outside the resource section"},
        Damage{"data where a table belongs", 20, 0x00000010u, "resource directory is not three levels deep"},
        Damage{"name outside the section", 16, 0x8000FFF0u, "resource name outside the resource section"},
        Damage{"numbered key above 16 bits", 16, 0x00012345u, "resource number out of range"}));

std::uint32_t get32(const std::vector<std::uint8_t>& bytes, std::uint32_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(PeReader, DataOutsideTheFileIsRefused) {
  std::vector<std::uint8_t> image = readFixture("stub32.exe");
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(image, layout, error));
  std::uint32_t section = 0;
  for (const PeSection& s : layout.sections)
    if (s.virtualAddress == layout.resourceRva) section = s.rawOffset;
  // Follow the first entry of each level down to its data entry, then claim a huge size.
  const std::uint32_t names = get32(image, section + 20) & 0x7FFFFFFFu;
  const std::uint32_t languages = get32(image, section + names + 20) & 0x7FFFFFFFu;
  const std::uint32_t data = get32(image, section + languages + 20);
  image[section + data + 6] = 0xFF;
  PeResources resources;
  EXPECT_FALSE(resources.load(image, error));
  EXPECT_EQ(error, "resource data outside the file");
}

struct BadHeader {
  std::vector<std::uint8_t> bytes;
  const char* reason;
};

TEST(PeReader, NotAProgramIsNamed) {
  const std::vector<BadHeader> cases = {
      {{}, "not a PE file (no MZ header)"},
      {{'Z', 'M', 0, 0}, "not a PE file (no MZ header)"},
      {{'M', 'Z', 0, 0}, "not a PE file (no PE signature)"},
  };
  for (const BadHeader& bad : cases) {
    PeResources resources;
    std::string error;
    EXPECT_FALSE(resources.load(bad.bytes, error));
    EXPECT_EQ(error, bad.reason);
  }
}

}  // namespace
}  // namespace fenok
