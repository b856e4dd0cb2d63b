// The portable test adapters themselves: recorded messages, recorded graphics calls, in-memory resources.
#include <gtest/gtest.h>

#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"

namespace fenok {
namespace {

TEST(MessageRecorder, RecordsTextCaptionAndStyleInOrder) {
  MessageRecorder recorder;
  Messages& messages = recorder;
  EXPECT_TRUE(recorder.empty());
  messages.show("one", "Fenok", kMbOk);
  messages.show("two", "information", kMbIconInformation);
  ASSERT_EQ(recorder.messages().size(), 2u);
  EXPECT_EQ(recorder.messages()[0], (RecordedMessage{"one", "Fenok", kMbOk}));
  EXPECT_EQ(recorder.messages()[1], (RecordedMessage{"two", "information", kMbIconInformation}));
  EXPECT_EQ(recorder.texts(), (std::vector<std::string>{"one", "two"}));
  recorder.clear();
  EXPECT_TRUE(recorder.empty());
}

TEST(RecordingGraphics, HandsOutDistinctHandlesAndRecordsCallsInOrder) {
  RecordingGraphics graphics;
  FontDescription arial;
  arial.height = 25;
  arial.weight = 400;
  arial.face = "Arial";
  const Handle font = graphics.createFont(arial);
  const Handle brush = graphics.createSolidBrush(0x965F5A);
  const Handle other = graphics.createSolidBrush(0x965F5A);
  ASSERT_NE(font, nullptr);
  EXPECT_NE(font, brush);
  EXPECT_NE(brush, other);
  EXPECT_TRUE(graphics.isFont(font));
  EXPECT_TRUE(graphics.isBrush(brush));
  EXPECT_EQ(graphics.fontOf(font).face, "Arial");
  EXPECT_EQ(graphics.colourOf(brush), 0x965F5Au);
  EXPECT_EQ(graphics.liveObjects(), (std::vector<Handle>{font, brush, other}));

  graphics.deleteObject(brush);
  graphics.deleteObject(nullptr);
  EXPECT_FALSE(graphics.isLive(brush));
  EXPECT_EQ(graphics.liveObjects(), (std::vector<Handle>{font, other}));
  EXPECT_EQ(graphics.badDeletions(), 0);

  const auto& calls = graphics.calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].kind, GraphicsCallKind::createFont);
  EXPECT_EQ(calls[0].font.height, 25);
  EXPECT_EQ(calls[1].kind, GraphicsCallKind::createSolidBrush);
  EXPECT_EQ(calls[1].colour, 0x965F5Au);
  EXPECT_EQ(calls[3].kind, GraphicsCallKind::deleteObject);
  EXPECT_EQ(calls[3].handle, brush);
  EXPECT_EQ(calls[4].handle, nullptr);
}

TEST(RecordingGraphics, CountsBadDeletions) {
  RecordingGraphics graphics;
  const Handle brush = graphics.createSolidBrush(1);
  graphics.deleteObject(brush);
  graphics.deleteObject(brush);  // twice
  const Handle stock = graphics.stockGuiFont();
  graphics.deleteObject(stock);  // shared
  int unknown = 0;
  graphics.deleteObject(&unknown);  // never created here
  EXPECT_EQ(graphics.badDeletions(), 3);
}

TEST(RecordingGraphics, SharedObjectsKeepTheirHandle) {
  RecordingGraphics graphics;
  const Handle stock = graphics.stockGuiFont();
  EXPECT_EQ(graphics.stockGuiFont(), stock);
  const Handle play = graphics.loadIcon(1004);
  const Handle stop = graphics.loadIcon(1005);
  EXPECT_NE(play, stop);
  EXPECT_NE(play, stock);
  EXPECT_EQ(graphics.loadIcon(1004), play);
  EXPECT_TRUE(graphics.liveObjects().empty());
  ASSERT_EQ(graphics.calls().size(), 5u);
  EXPECT_EQ(graphics.calls()[2].kind, GraphicsCallKind::loadIcon);
  EXPECT_EQ(graphics.calls()[2].resourceId, 1004);
}

TEST(MemoryResources, FindsByNamedOrNumberedTypeAndId) {
  MemoryResources resources;
  resources.add("PATCH", 104, {1, 2, 3});
  resources.add(ResourceType::numbered(kRtRcdata), 400, {9});
  const ByteView patch = resources.find(ResourceType::named("patch"), 104);
  ASSERT_EQ(patch.size, 3u);
  EXPECT_EQ(patch.data[2], 3);
  EXPECT_EQ(resources.find(ResourceType::numbered(10), 400).size, 1u);
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 105).empty());
  EXPECT_TRUE(resources.find(ResourceType::named("IMG"), 400).empty());
  EXPECT_TRUE(resources.find(ResourceType::numbered(10), 104).empty());
  resources.remove(ResourceType::named("Patch"), 104);
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 104).empty());
  EXPECT_EQ(resources.count(), 1u);
}

TEST(MemoryResources, AnEmptyResourceIsAbsent) {
  MemoryResources resources;
  resources.add("PATCH", 104, {});
  EXPECT_TRUE(resources.find(ResourceType::named("PATCH"), 104).empty());
  EXPECT_EQ(resources.find(ResourceType::named("PATCH"), 104).data, nullptr);
}

}  // namespace
}  // namespace fenok
