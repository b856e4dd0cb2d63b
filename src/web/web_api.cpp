// The web player's entry points: plain C functions over bytes in and bytes out, for the page's
// script. Inputs are (pointer, size) pairs in memory the script takes with malloc, before any number
// argument (a box identifier, a question number); every call leaves
// its result in one output buffer (fenok_web_output, _size, _type), valid until the next call.
// Texts are UTF-8. Every event answers with the screen snapshot (screen_snapshot.h).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "pictures/picture_fit.h"
#include "web/entry_points.h"
#include "web/media_types.h"
#include "web/screen_snapshot.h"
#include "web/verdict_lines.h"
#include "web/web_session.h"


namespace {

constexpr const char* kJson = "application/json";
constexpr const char* kText = "text/plain";
constexpr const char* kAnswersType = "text/plain;charset=windows-1252";

std::unique_ptr<fenok::web::WebSession> session;
fenok::web::EntryOutput output;

using fenok::web::entryText;

void put(const std::string& bytes, const char* type) { output.put(bytes, type); }
void put(std::vector<std::uint8_t> bytes, const std::string& type) { output.put(std::move(bytes), type); }

void putSnapshot() { put(session ? fenok::web::screenSnapshot(*session) : std::string("null"), kJson); }

}  // namespace

FENOK_WEB_EXPORT const std::uint8_t* fenok_web_output() { return output.data(); }
FENOK_WEB_EXPORT std::size_t fenok_web_output_size() { return output.size(); }
FENOK_WEB_EXPORT const char* fenok_web_output_type() { return output.type(); }

// The page's quiz element and the page's file name; answers the quiz's identity.
FENOK_WEB_EXPORT void fenok_web_open(const char* bundle, std::size_t size, const char* pageName, std::size_t nameSize) {
  session = std::make_unique<fenok::web::WebSession>(bundle, size, entryText(pageName, nameSize));
  put(session->identity(), kText);
}

// Both panels built with this saved-answers file (Windows-1252, CR LF), as the program starts.
FENOK_WEB_EXPORT void fenok_web_start(const std::uint8_t* answers, std::size_t size) {
  if (session) session->start(std::vector<std::uint8_t>(answers, answers + (answers ? size : 0)));
  putSnapshot();
}

// Answers the selection the box takes as it gets the focus: {"from":F,"to":T}.
FENOK_WEB_EXPORT void fenok_web_enter(int box) {
  if (session) session->enterBox(box);
  const fenok::MemoryControl* control = session ? session->panel().find(box) : nullptr;
  const int from = control ? control->selectionFrom : 0;
  const int to = control ? control->selectionTo : 0;
  put("{\"from\":" + std::to_string(from) + ",\"to\":" + std::to_string(to) + "}", kJson);
}

FENOK_WEB_EXPORT void fenok_web_leave(const char* typed, std::size_t size, int box) {
  if (session) session->leaveBox(box, entryText(typed, size));
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_key(const char* typed, std::size_t size, const char* key, std::size_t keySize, int box) {
  if (session) session->releaseKey(box, entryText(typed, size), entryText(key, keySize));
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_set_text(const char* typed, std::size_t size, int box) {
  if (session) session->setBoxText(box, entryText(typed, size));
  output.clear();
}

FENOK_WEB_EXPORT void fenok_web_hide(int checked) {
  if (session) session->clickHide(checked != 0);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_save() {
  if (session) session->clickSave();
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_play(int question) {
  if (session) session->clickPlay(question);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_stop(int question) {
  if (session) session->clickStop(question);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_web_clip_ended(int question) {
  if (session) session->clipEnded(question);
  putSnapshot();
}

// The answers file as a save writes it now (the snapshot of a save names it as the program does).
FENOK_WEB_EXPORT void fenok_web_answers() {
  put(session ? session->answersFile() : std::vector<std::uint8_t>(), kAnswersType);
}

FENOK_WEB_EXPORT void fenok_web_picture(int resourceId) {
  const std::vector<std::uint8_t> bytes = session ? session->pictureBytes(resourceId) : std::vector<std::uint8_t>();
  put(bytes, fenok::web::pictureType(bytes));
}

// The size the program shows a picture of this natural size at, fitted to its box: {"width":W,"height":H}.
FENOK_WEB_EXPORT void fenok_web_fit(int width, int height) {
  fenok::FittedSize fitted;
  if (!fenok::fitToBox(width, height, fenok::kPictureBoxSide, fenok::kPictureBoxSide, fitted)) fitted = {};
  put("{\"width\":" + std::to_string(fitted.width) + ",\"height\":" + std::to_string(fitted.height) + "}", kJson);
}

FENOK_WEB_EXPORT void fenok_web_clip(int question) {
  if (!session) return put(std::vector<std::uint8_t>(), std::string());
  put(session->clipBytes(question), fenok::web::clipType(session->players().clipFile(question)));
}

// Lines "typed<TAB>expected" judged as fenok-pack verdict --batch does; also: accepted answers, one a line.
FENOK_WEB_EXPORT void fenok_web_verdicts(const char* lines, std::size_t size, const char* also, std::size_t alsoSize,
                                         int tolerant) {
  std::vector<std::string> forms;
  const std::string alsoText = entryText(also, alsoSize);
  std::size_t start = 0;
  while (start < alsoText.size()) {
    const std::size_t end = std::min(alsoText.find('\n', start), alsoText.size());
    if (end > start) forms.push_back(alsoText.substr(start, end - start));
    start = end + 1;
  }
  put(fenok::web::judgeLines(entryText(lines, size), tolerant != 0, forms), kText);
}
