#include "quiz_page.h"

#include <algorithm>
#include <memory>

#include "content/field_text.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/page_bundle.h"
#include "platform/portable/recording_graphics.h"
#include "quiz_program.h"
#include "text_encoding.h"

namespace fenok::pack {
namespace {

constexpr const char* kPageEndings[] = {".html", ".htm"};

// The quiz's title as the page's own title: loaded as the player loads it, then made safe as HTML text.
std::string titleOf(const std::vector<PeResourceEntry>& resources) {
  MemoryResources content;
  for (const PeResourceEntry& entry : resources) {
    if (!entry.typeName.empty()) content.add(entry.typeName, entry.id, entry.bytes);
  }
  RecordingGraphics graphics;
  MessageRecorder messages;
  auto quiz = std::make_unique<Quiz>();
  initQuiz(*quiz, graphics);
  loadQuiz(ContentPorts{content, messages, graphics}, *quiz);
  const std::string title = cp1252ToUtf8(fieldText(quiz->title));
  freeQuiz(*quiz, graphics);
  std::string escaped;
  for (const char c : title) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// Where the one occurrence of marker is; npos, with the marker in badMarker, when there is none or
// more than one.
std::size_t findMarker(const std::string& page, const std::string& marker, std::string& badMarker) {
  const std::size_t at = page.find(marker);
  if (at == std::string::npos || page.find(marker, at + marker.size()) != std::string::npos) {
    badMarker = marker;
    return std::string::npos;
  }
  return at;
}

}  // namespace

bool isPagePath(const std::string& path) {
  const std::string lower = lowerAscii(path);
  return std::any_of(std::begin(kPageEndings), std::end(kPageEndings), [&](const std::string& ending) {
    return lower.size() > ending.size() && lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0;
  });
}

bool makeQuizPage(const std::string& playerPage, const std::vector<PeResourceEntry>& resources, std::string& page,
                  std::string& badMarker) {
  const std::size_t title = findMarker(playerPage, kPageTitleMarker, badMarker);
  const std::size_t quiz = title == std::string::npos ? title : findMarker(playerPage, kPageQuizMarker, badMarker);
  if (quiz == std::string::npos) return false;
  // The content first: a page cut short still holds the quiz, and loses only its last pictures.
  std::vector<PeResourceEntry> ordered = resources;
  std::stable_partition(ordered.begin(), ordered.end(),
                        [](const PeResourceEntry& entry) { return entry.typeName == kContentResourceType; });
  // Filled from the last marker back, so that the first one's place stays where it was found.
  struct Fill {
    std::size_t at;
    std::size_t length;
    std::string text;
  };
  std::vector<Fill> fills = {{title, std::string(kPageTitleMarker).size(), titleOf(resources)},
                             {quiz, std::string(kPageQuizMarker).size(), encodePageBundle(ordered)}};
  std::sort(fills.begin(), fills.end(), [](const Fill& a, const Fill& b) { return a.at > b.at; });
  page = playerPage;
  for (const Fill& fill : fills) page.replace(fill.at, fill.length, fill.text);
  return true;
}

bool writeQuizPage(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                   Message& error, std::size_t* pageSize) {
  std::vector<std::uint8_t> player;
  if (!readPlayerFor(prepared, playerPath, output, Msg::cannotReadWebPlayer, player, error)) return false;
  std::string page, badMarker;
  if (!makeQuizPage(std::string(player.begin(), player.end()), prepared.resources, page, badMarker)) {
    error = message(Msg::notAWebPlayer, playerPath, badMarker);
    return false;
  }
  if (!writeFileReplacing(output, std::vector<std::uint8_t>(page.begin(), page.end()), error, false)) return false;
  if (pageSize) *pageSize = page.size();
  return true;
}

}  // namespace fenok::pack
