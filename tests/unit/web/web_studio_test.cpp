// The page studio's module, driven through its entry points as the page's script drives it: the
// author's files written into its file system, a folder opened, an answer typed and undone, the
// pictures read as RGBA. (tests/web/studio_module.js drives the WebAssembly build: dialogs answered
// ahead, the outputs written.)
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../studio/studio_support.h"
#include "studio_ids.h"

extern "C" {
const std::uint8_t* fenok_studio_output();
std::size_t fenok_studio_output_size();
const char* fenok_studio_output_type();
int fenok_studio_write_file(const char* path, std::size_t pathSize, const std::uint8_t* bytes, std::size_t size);
void fenok_studio_start(const char* path, std::size_t size);
void fenok_studio_command(int id);
void fenok_studio_typed(const char* typed, std::size_t size, int id);
void fenok_studio_picked(int id, int row);
void fenok_studio_picture(int id, int row);
}

namespace fenok {
namespace {

std::string output() {
  return std::string(reinterpret_cast<const char*>(fenok_studio_output()), fenok_studio_output_size());
}

void writeFile(const std::string& path, const std::string& bytes) {
  ASSERT_EQ(fenok_studio_write_file(path.data(), path.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size()),
            1)
      << path;
}

// The JSON object of one control in a snapshot, as text.
std::string controlOf(const std::string& snapshot, int id) {
  const std::size_t at = snapshot.find("{\"id\":" + std::to_string(id) + ",");
  if (at == std::string::npos) return {};
  return snapshot.substr(at, snapshot.find("\"picture\":", at) - at);
}

TEST(WebStudioModule, DraftsAFolderWrittenByThePageAndEditsIt) {
  testing::QuizFolder folder;
  const std::string jpeg = testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  writeFile(folder.path("photos/tour-eiffel.jpg"), jpeg);
  writeFile(folder.path("photos/arc.gif"), testing::sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  writeFile(folder.path("photos/notes.txt"), "a note");
  const std::string photos = folder.path("photos");
  fenok_studio_start(photos.data(), photos.size());
  std::string snapshot = output();
  EXPECT_STREQ(fenok_studio_output_type(), "application/json");
  EXPECT_NE(controlOf(snapshot, STUDIO_QUESTIONS).find("[[\"1\",\"ARC\"],[\"2\",\"TOUR EIFFEL\"]]"), std::string::npos)
      << controlOf(snapshot, STUDIO_QUESTIONS);
  EXPECT_NE(snapshot.find("\"tone\":\"warning\""), std::string::npos);
  EXPECT_NE(snapshot.find("« notes.txt » n'est ni une image"), std::string::npos);
  EXPECT_NE(snapshot.find("\"title\":\"quiz.toml * - fenok studio\""), std::string::npos) << snapshot.substr(0, 200);

  // Told once: the next snapshot has nothing more to say.
  fenok_studio_picked(STUDIO_QUESTIONS, 1);
  snapshot = output();
  EXPECT_NE(snapshot.find("\"told\":[]"), std::string::npos);
  fenok_studio_picture(STUDIO_PREVIEW, -1);
  const std::string pixels = output();
  ASSERT_GE(pixels.size(), 8u);
  const auto le32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(pixels[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(pixels[at + 1])) << 8;
  };
  EXPECT_EQ(le32(0), 260u);  // the player's box, the picture grown into it
  EXPECT_EQ(pixels.size(), 8 + le32(0) * le32(4) * 4);
  EXPECT_EQ(static_cast<unsigned char>(pixels[8]), 0xFE);  // the top left quarter is red
  EXPECT_LT(static_cast<unsigned char>(pixels[9]), 0x20);

  const std::string typed = "TOUR";
  fenok_studio_typed(typed.data(), typed.size(), STUDIO_ANSWER);
  snapshot = output();
  EXPECT_NE(controlOf(snapshot, STUDIO_QUESTIONS).find("[\"2\",\"TOUR\"]"), std::string::npos);
  EXPECT_NE(snapshot.find("\"canUndo\":true"), std::string::npos);
  fenok_studio_command(STUDIO_CMD_UNDO);
  EXPECT_NE(controlOf(output(), STUDIO_QUESTIONS).find("[\"2\",\"TOUR EIFFEL\"]"), std::string::npos);
}

}  // namespace
}  // namespace fenok
