// Real Windows Media Player controls hosted in a real window, as the quiz panel hosts them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_media_players.h"

namespace fenok {
namespace {

constexpr int kPlaceholder = 9901;

// Half a second of 8 kHz 8-bit mono silence in a RIFF WAVE file.
std::vector<std::uint8_t> silentWave() {
  const std::uint32_t samples = 4000;
  std::vector<std::uint8_t> bytes;
  auto put32 = [&bytes](std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  };
  auto put16 = [&bytes](std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  };
  auto putTag = [&bytes](const char* tag) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(tag[i]));
  };
  putTag("RIFF");
  put32(36 + samples);
  putTag("WAVE");
  putTag("fmt ");
  put32(16);
  put16(1);     // PCM
  put16(1);     // mono
  put32(8000);  // samples per second
  put32(8000);  // bytes per second
  put16(1);     // block alignment
  put16(8);     // bits per sample
  putTag("data");
  put32(samples);
  bytes.resize(bytes.size() + samples, 0x80);
  return bytes;
}

void pumpMessages(DWORD milliseconds) {
  const DWORD until = GetTickCount() + milliseconds;
  MSG message;
  while (static_cast<int>(until - GetTickCount()) > 0) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

// A plain top-level window standing in for the quiz panel; hidden, as showing and destroying a
// window costs seconds under Wine and the players do not need to be seen.
const char* panelClass() {
  static const ATOM atom = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FenokMediaTestPanel";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return RegisterClassA(&windowClass);
  }();
  return atom != 0 ? "FenokMediaTestPanel" : nullptr;
}

class MediaPlayersTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(panelClass(), nullptr);
    panel_ = CreateWindowExA(0, panelClass(), "media test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(panel_, nullptr);
    controls_.setPanel(panel_);
    controls_.create("Static", "", WS_CHILD | WS_VISIBLE | WS_BORDER, Rect{10, 10, 260, 200}, kPlaceholder);
    ASSERT_NE(controls_.window(kPlaceholder), nullptr);
  }
  void TearDown() override {
    if (panel_ != nullptr) DestroyWindow(panel_);
    players_.stop();
  }

  HWND panel_ = nullptr;
  Win32Controls controls_{nullptr};
  Win32MediaPlayers players_;
};

TEST_F(MediaPlayersTest, HostingSupportIsFoundAtStart) {
  players_.start();
  EXPECT_TRUE(players_.hostingAvailable());
}

TEST_F(MediaPlayersTest, APlayerIsCreatedInItsPlaceholder) {
  players_.start();
  ASSERT_TRUE(players_.create(1, controls_, kPlaceholder)) << std::hex << players_.lastResult(1);
  pumpMessages(100);
  // The hosted control lives in a child window of the placeholder.
  EXPECT_NE(GetWindow(static_cast<HWND>(controls_.window(kPlaceholder)), GW_CHILD), nullptr);
}

TEST_F(MediaPlayersTest, NoPlayerWithoutStartedSupport) {
  EXPECT_FALSE(players_.create(1, controls_, kPlaceholder));
  EXPECT_NE(players_.lastResult(1), 0);
}

TEST_F(MediaPlayersTest, NoPlayerOutsideTheTable) {
  players_.start();
  EXPECT_FALSE(players_.create(0, controls_, kPlaceholder));
  EXPECT_FALSE(players_.create(97, controls_, kPlaceholder));
}

TEST_F(MediaPlayersTest, PlaysAFileAndLetsGoOfItWhenStopped) {
  players_.start();
  ASSERT_TRUE(players_.create(1, controls_, kPlaceholder));
  const std::string name = "fenok-media-test.WAV";
  {
    const std::vector<std::uint8_t> wave = silentWave();
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  }
  players_.setUrl(1, name);
  players_.play(1);
  pumpMessages(200);
  const PlayerActivity activity = players_.activity(1);
  EXPECT_TRUE(activity == PlayerActivity::playing || activity == PlayerActivity::stopped ||
              activity == PlayerActivity::unknown);

  players_.stopPlaying(1);
  pumpMessages(100);
  EXPECT_NE(players_.activity(1), PlayerActivity::playing);
  EXPECT_TRUE(DeleteFileA(name.c_str())) << "error " << GetLastError();
}

TEST_F(MediaPlayersTest, PausesWhereThePlayerCan) {
  players_.start();
  ASSERT_TRUE(players_.create(1, controls_, kPlaceholder));
  const std::string name = "fenok-media-pause.WAV";
  {
    const std::vector<std::uint8_t> wave = silentWave();
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  }
  players_.setUrl(1, name);
  players_.play(1);
  pumpMessages(50);
  players_.pause(1);
  pumpMessages(50);
  // A player that cannot pause (Wine's) does not report a pause either; only a paused one is resumed.
  const PlayerActivity paused = players_.activity(1);
  EXPECT_TRUE(paused == PlayerActivity::paused || paused == PlayerActivity::unknown);
  if (paused == PlayerActivity::paused) {
    players_.play(1);
    pumpMessages(50);
  }
  players_.stopPlaying(1);
  pumpMessages(50);
  EXPECT_TRUE(DeleteFileA(name.c_str())) << "error " << GetLastError();
}

TEST_F(MediaPlayersTest, CallsOnAQuestionWithoutAPlayerDoNothing) {
  players_.start();
  players_.setUrl(5, "nothing.WAV");
  players_.play(5);
  players_.pause(5);
  players_.stopPlaying(5);
  EXPECT_EQ(players_.activity(5), PlayerActivity::unknown);
}

TEST_F(MediaPlayersTest, StartAndStopTwiceIsHarmless) {
  players_.start();
  players_.stop();
  players_.start();
  EXPECT_TRUE(players_.create(2, controls_, kPlaceholder));
  players_.stop();
  players_.stop();
}

}  // namespace
}  // namespace fenok
