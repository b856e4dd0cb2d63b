// The saved-answers file.
//
// Format: one line per answer box, in identifier order (line k belongs to box 4000 + k): the box's
// Windows-1252 text as it is, then CR LF. No header, no byte-order mark; empty boxes give empty lines.
//
// Reading is forgiving, because the file is the player's own and may have been edited by hand:
//   - a line gives its first 40 bytes, the rest of it is skipped;
//   - every byte but CR belongs to the text, LF included, so an LF-only file fills the first box;
//   - after the text, the reader skips to the next CR and then to the next LF, so the bytes between a
//     lone CR and the next LF are lost: "a CR b CR LF c CR LF" gives "a" and "c";
//   - missing lines give empty texts; extra lines are never asked for.
#include "persist/saved_answers.h"

#include <algorithm>
#include <utility>

#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "platform/panel_ids.h"
#include "platform/ports/controls.h"
#include "platform/ports/files.h"

namespace fenok {

namespace {

constexpr char kEnding[] = "txt";
constexpr std::size_t kEndingLength = sizeof(kEnding) - 1;
// A program name too short to take the ending in place of its own last characters keeps its name
// and gets ".txt" after it; a path that names no file at all gets this one.
constexpr char kFallbackName[] = "fenok.txt";
constexpr std::size_t kMaxNameBytes = kTextField - 1;

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;

// Windows reports backslashes; a slash is accepted too so that a path of the host system works.
std::string lastPathPart(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

void appendLine(std::vector<std::uint8_t>& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(kCr);
  bytes.push_back(kLf);
}

}  // namespace

std::string savedAnswersFileName(const std::string& modulePath) {
  const std::string name = lastPathPart(modulePath);
  if (name.empty()) return kFallbackName;
  std::string result =
      name.size() < kEndingLength ? name + "." + kEnding : name.substr(0, name.size() - kEndingLength) + kEnding;
  if (result.size() > kMaxNameBytes) result.resize(kMaxNameBytes);
  return result;
}

void saveAnswers(Files& files, const Quiz& quiz) {
  if (quiz.quizPanel == nullptr) return;
  const Controls& panel = *quiz.quizPanel;
  const int boxes = answerBoxCount(quiz);

  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < boxes; ++i) appendLine(bytes, panel.text(kFirstAnswerBoxId + i, kBoxReadBuffer));

  // Nothing is reported: a failed save leaves the previous file as it was.
  const std::string name = savedAnswersFileName(files.moduleFileName());
  files.replaceWhole(name, bytes);
}

SavedAnswersReader::SavedAnswersReader(std::vector<std::uint8_t> content) : content_(std::move(content)) {}

SavedAnswersReader SavedAnswersReader::open(const Files& files) {
  std::vector<std::uint8_t> bytes;
  if (!files.readWhole(savedAnswersFileName(files.moduleFileName()), bytes)) bytes.clear();
  return SavedAnswersReader(std::move(bytes));
}

std::string SavedAnswersReader::nextLine() {
  const std::size_t size = content_.size();
  std::size_t p = std::min(position_, size);
  std::string text;
  while (p < size && content_[p] != kCr && text.size() < static_cast<std::size_t>(kSavedLineLimit)) {
    text.push_back(static_cast<char>(content_[p]));
    ++p;
  }
  while (p < size && content_[p] != kCr) ++p;
  while (p < size && content_[p] != kLf) ++p;
  // Past the LF; at the end this leaves one past the content, where every further line is empty.
  position_ = p + 1;
  return text;
}

}  // namespace fenok
