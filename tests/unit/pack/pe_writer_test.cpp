// The PE writer on stubs with a last resource section, with one that is not last, without any, and on
// a PE32+ program: the stub's resources stay, added ones replace or join them, headers stay coherent.
#include <gtest/gtest.h>

#include "authoring/pe_writer.h"
#include "authoring/resource_section.h"
#include "pe_fixtures.h"
#include "platform/portable/pe_resources.h"

namespace fenok {
namespace {

using testing::readFixture;
using testing::text;

PeResourceEntry named(const char* type, int id, const std::string& bytes) {
  PeResourceEntry entry;
  entry.typeName = type;
  entry.id = id;
  entry.bytes.assign(bytes.begin(), bytes.end());
  return entry;
}

PeResourceEntry numbered(int type, int id, const std::string& bytes) {
  PeResourceEntry entry;
  entry.typeNumber = type;
  entry.id = id;
  entry.bytes.assign(bytes.begin(), bytes.end());
  return entry;
}

std::string found(const PeResources& resources, ResourceType type, int id) {
  const ByteView view = resources.find(type, id);
  return text(view.data, view.size);
}

std::uint32_t get32(const std::vector<std::uint8_t>& bytes, std::uint32_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

struct StubCase {
  const char* file;
  int addedSections;  // 0 when the resource section is replaced in place
  int keptResources;  // those that the quiz does not replace
};

class WriterOnStubs : public ::testing::TestWithParam<StubCase> {};

const std::vector<PeResourceEntry> kQuizResources = {
    named("PATCH", 104, "new answers"), named("PATCH", 105, "codes"), named("IMG", 401, "jpeg bytes"),
    numbered(kRtRcdata, 402, "png bytes"), named("IMG", 10401, std::string(5000, 'x'))};

TEST_P(WriterOnStubs, KeepsTheStubsResourcesAndAddsTheQuiz) {
  const std::vector<std::uint8_t> stub = readFixture(GetParam().file);
  std::vector<std::uint8_t> packed;
  std::string error;
  ASSERT_TRUE(pack::addResources(stub, kQuizResources, packed, error)) << error;

  PeResources before, after;
  ASSERT_TRUE(before.load(stub, error));
  ASSERT_TRUE(after.load(packed, error)) << error;
  EXPECT_EQ(after.layout().sections.size(), before.layout().sections.size() + GetParam().addedSections);
  EXPECT_EQ(found(after, ResourceType::named("PATCH"), 104), "new answers");
  EXPECT_EQ(found(after, ResourceType::named("PATCH"), 105), "codes");
  EXPECT_EQ(found(after, ResourceType::named("IMG"), 401), "jpeg bytes");
  EXPECT_EQ(found(after, ResourceType::numbered(kRtRcdata), 402), "png bytes");
  EXPECT_EQ(found(after, ResourceType::named("IMG"), 10401), std::string(5000, 'x'));
  // Everything of the stub that the quiz did not replace is still there, byte for byte.
  int kept = 0;
  for (const PeResourceEntry& old : before.entries()) {
    if (old.typeName == "PATCH" || old.typeName == "IMG") continue;
    for (const PeResourceEntry& now : after.entries())
      if (now.typeName == old.typeName && now.typeNumber == old.typeNumber && now.id == old.id &&
          now.idName == old.idName && now.language == old.language && now.bytes == old.bytes)
        ++kept;
  }
  EXPECT_EQ(kept, GetParam().keptResources);
  EXPECT_EQ(after.entries().size(), GetParam().keptResources + kQuizResources.size());
}

TEST_P(WriterOnStubs, HeadersStayCoherent) {
  const std::vector<std::uint8_t> stub = readFixture(GetParam().file);
  std::vector<std::uint8_t> packed;
  std::string error;
  ASSERT_TRUE(pack::addResources(stub, kQuizResources, packed, error)) << error;
  PeLayout layout;
  ASSERT_TRUE(readPeLayout(packed, layout, error)) << error;

  const PeSection* resources = nullptr;
  std::uint64_t end = 0;
  for (const PeSection& section : layout.sections) {
    if (section.virtualAddress == layout.resourceRva) resources = &section;
    end = std::max<std::uint64_t>(end, section.virtualAddress + std::max(section.virtualSize, section.rawSize));
    EXPECT_EQ(section.rawOffset % layout.fileAlignment, 0u);
    EXPECT_LE(std::uint64_t{section.rawOffset} + section.rawSize, packed.size());
  }
  ASSERT_NE(resources, nullptr);
  EXPECT_EQ(resources, &layout.sections.back());  // the resource section is the last one
  EXPECT_EQ(layout.resourceSize, resources->virtualSize);
  EXPECT_EQ(layout.sizeOfImage % layout.sectionAlignment, 0u);
  EXPECT_EQ(layout.sizeOfImage, (end + layout.sectionAlignment - 1) / layout.sectionAlignment * layout.sectionAlignment);
  const std::uint32_t checksumAt = layout.optionalOffset + kPeChecksumOffset;
  EXPECT_EQ(get32(packed, checksumAt), pack::peChecksum(packed, checksumAt));
  EXPECT_NE(get32(packed, checksumAt), 0u);
}

// Packing a packed program again replaces its quiz and does not grow it.
TEST_P(WriterOnStubs, RepackingIsStable) {
  std::vector<std::uint8_t> once, twice;
  std::string error;
  ASSERT_TRUE(pack::addResources(readFixture(GetParam().file), kQuizResources, once, error)) << error;
  ASSERT_TRUE(pack::addResources(once, kQuizResources, twice, error)) << error;
  EXPECT_EQ(once, twice);
}

INSTANTIATE_TEST_SUITE_P(Stubs, WriterOnStubs,
                         ::testing::Values(StubCase{"stub32.exe", 0, 3}, StubCase{"stub64.exe", 0, 3},
                                           StubCase{"middle32.exe", 1, 3}, StubCase{"bare32.exe", 1, 0}));

TEST(PeWriter, MovesTrailingBytesBehindTheNewSection) {
  std::vector<std::uint8_t> stub = readFixture("stub32.exe");
  const std::string trailer = "a symbol table after the sections";
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(stub, layout, error));
  // The file header's pointer to the symbol table (at 8 in it) names where the trailer starts.
  const std::uint32_t pointerAt = layout.peOffset + 4 + 8;
  const std::uint32_t oldStart = static_cast<std::uint32_t>(stub.size());
  for (int i = 0; i < 4; ++i) stub[pointerAt + i] = static_cast<std::uint8_t>(oldStart >> (8 * i));
  stub.insert(stub.end(), trailer.begin(), trailer.end());
  std::vector<std::uint8_t> packed;
  ASSERT_TRUE(pack::addResources(stub, kQuizResources, packed, error)) << error;
  ASSERT_GE(packed.size(), trailer.size());
  const std::uint32_t newStart = static_cast<std::uint32_t>(packed.size() - trailer.size());
  EXPECT_EQ(text(packed.data() + newStart, trailer.size()), trailer);
  EXPECT_GT(newStart, oldStart);
  EXPECT_EQ(get32(packed, pointerAt), newStart);
}

TEST(PeWriter, RefusesWhatIsNotAProgram) {
  std::vector<std::uint8_t> packed;
  std::string error;
  EXPECT_FALSE(pack::addResources({'M', 'Z'}, kQuizResources, packed, error));
  EXPECT_EQ(error, "the stub is not a usable program: not a PE file (no PE signature)");
  EXPECT_TRUE(packed.empty());
}

TEST(PeWriter, RefusesAStubWithoutRoomForASectionHeader) {
  std::vector<std::uint8_t> stub = readFixture("bare32.exe");
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(stub, layout, error));
  // Declare the headers to end right after the section table.
  const std::uint32_t tableEnd = layout.sectionTableOffset + 40 * static_cast<std::uint32_t>(layout.sections.size());
  for (int i = 0; i < 4; ++i) stub[layout.optionalOffset + 60 + i] = static_cast<std::uint8_t>(tableEnd >> (8 * i));
  std::vector<std::uint8_t> packed;
  EXPECT_FALSE(pack::addResources(stub, kQuizResources, packed, error));
  EXPECT_EQ(error, "the stub has no room for another section header");
}

void put32At(std::vector<std::uint8_t>& bytes, std::uint32_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct StubDamage {
  const char* what;
  std::uint32_t (*offset)(const PeLayout&);
  std::uint32_t value;
  const char* reason;
};

class DamagedStub : public ::testing::TestWithParam<StubDamage> {};

TEST_P(DamagedStub, IsRefusedWithItsReason) {
  std::vector<std::uint8_t> stub = readFixture("bare32.exe");
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(stub, layout, error));
  put32At(stub, GetParam().offset(layout), GetParam().value);
  std::vector<std::uint8_t> packed;
  EXPECT_FALSE(pack::addResources(stub, kQuizResources, packed, error)) << GetParam().what;
  EXPECT_EQ(error, GetParam().reason) << GetParam().what;
}

std::uint32_t fileAlignmentAt(const PeLayout& layout) { return layout.optionalOffset + 36; }
std::uint32_t sectionAlignmentAt(const PeLayout& layout) { return layout.optionalOffset + 32; }
std::uint32_t lastVirtualSizeAt(const PeLayout& layout) {
  return layout.sectionTableOffset + 40 * static_cast<std::uint32_t>(layout.sections.size() - 1) + 8;
}
std::uint32_t lastRawSizeAt(const PeLayout& layout) { return lastVirtualSizeAt(layout) + 8; }

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedStub,
    ::testing::Values(
        StubDamage{"file alignment 0", fileAlignmentAt, 0, "the stub's section alignment is not valid"},
        StubDamage{"file alignment not a power of two", fileAlignmentAt, 0x300, "the stub's section alignment is not valid"},
        StubDamage{"huge section alignment", sectionAlignmentAt, 0x40000000u, "the stub's section alignment is not valid"},
        StubDamage{"section reaching past 2 GB", lastVirtualSizeAt, 0xFFFFFF00u,
                   "the stub's sections reach beyond what can be mapped"},
        StubDamage{"section stored past the end of the file", lastRawSizeAt, 0x100000u, "the stub is truncated"}));

TEST(PeWriter, DoesNotReplaceAResourceSectionThatAnotherOverlaps) {
  std::vector<std::uint8_t> stub = readFixture("stub32.exe");
  PeLayout layout;
  std::string error;
  ASSERT_TRUE(readPeLayout(stub, layout, error));
  // Stretch the section before .rsrc over it in memory: the new resources must go elsewhere.
  const std::size_t before = layout.sections.size() - 2;
  put32At(stub, layout.sectionTableOffset + 40 * static_cast<std::uint32_t>(before) + 8, 0x1800);
  std::vector<std::uint8_t> packed;
  ASSERT_TRUE(pack::addResources(stub, kQuizResources, packed, error)) << error;
  PeResources result;
  ASSERT_TRUE(result.load(packed, error)) << error;
  EXPECT_EQ(result.layout().sections.size(), layout.sections.size() + 1);
  EXPECT_EQ(found(result, ResourceType::named("PATCH"), 104), "new answers");
}

TEST(PeChecksum, FoldsSixteenBitWordsSkipsItsOwnFieldAndAddsTheLength) {
  // 0x0001 + 0xFFFF = 0x10000, folded to 0x0001; the field at 4 is skipped; plus 8 bytes of length.
  EXPECT_EQ(pack::peChecksum({0x01, 0x00, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x78}, 4), 9u);
  // An odd length ends with a half word.
  EXPECT_EQ(pack::peChecksum({0x01, 0x00, 0x05}, 100), 0x0006u + 3u);
}

TEST(ResourceSection, NamesComeFirstSortedAndNumbersAscend) {
  const std::vector<PeResourceEntry> entries = {numbered(3, 7, "c"), named("img", 9, "b"), named("PATCH", 1, "a"),
                                                numbered(2, 1, "d")};
  const std::vector<std::uint8_t> section = pack::buildResourceSection(entries, 0x1000);
  // Root: two named types, two numbered ones.
  EXPECT_EQ(section[12], 2);
  EXPECT_EQ(section[14], 2);
  const std::uint32_t firstName = get32(section, 16) & 0x7FFFFFFFu;
  const std::uint32_t secondName = get32(section, 24) & 0x7FFFFFFFu;
  EXPECT_EQ(section[firstName + 2], 'I');  // stored upper-case, "IMG" before "PATCH"
  EXPECT_EQ(section[secondName + 2], 'P');
  EXPECT_EQ(get32(section, 32), 2u);
  EXPECT_EQ(get32(section, 40), 3u);
}

TEST(ResourceSection, MergeReplacesEveryLanguageOfTheSameResource) {
  PeResourceEntry english = named("PATCH", 104, "en");
  english.language = 1033;
  PeResourceEntry french = named("PATCH", 104, "fr");
  french.language = 1036;
  const std::vector<PeResourceEntry> merged =
      pack::mergeResources({english, french, named("PATCH", 105, "kept")}, {named("patch", 104, "new")});
  ASSERT_EQ(merged.size(), 2u);
  EXPECT_EQ(text(merged[0].bytes.data(), merged[0].bytes.size()), "kept");
  EXPECT_EQ(text(merged[1].bytes.data(), merged[1].bytes.size()), "new");
}

}  // namespace
}  // namespace fenok
