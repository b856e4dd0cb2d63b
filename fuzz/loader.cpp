// Fuzz target: loadQuiz over in-memory resources built from the input.
//
// Byte 0 chooses: bit 0 "PATCH" 104 present, bit 1 "PATCH" 105 present, bits 2 and 3 whether each is
// LZW-encoded here first (so that the field reading is reached, not only the decoder), bits 4 and 5
// whether each is then scrambled. Byte 1 splits the rest between 104 and 105 (in 256ths).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "content/accepted_block.h"
#include "content/content_key.h"
#include "content/loader.h"
#include "content/lzw.h"
#include "content/quiz.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"

namespace {

std::vector<std::uint8_t> prepare(const std::uint8_t* data, std::size_t size, bool encode, bool scramble) {
  std::vector<std::uint8_t> bytes(data, data + size);
  if (encode) bytes = fenok::lzwEncode(bytes);
  if (scramble) fenok::descramble(bytes.data(), bytes.size());
  return bytes;
}

void checkTerminated(const char* field, std::size_t width) {
  if (std::memchr(field, '\0', width) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t flags = data[0];
  const std::size_t rest = size - 2;
  const std::size_t split = rest * data[1] / 256;
  const std::uint8_t* body = data + 2;

  fenok::MemoryResources resources;
  if (flags & 1) resources.add("PATCH", fenok::kAnswersResourceId, prepare(body, split, flags & 4, flags & 16));
  if (flags & 2) resources.add("PATCH", fenok::kCodesResourceId, prepare(body + split, rest - split, flags & 8, flags & 32));
  fenok::MessageRecorder messages;
  fenok::RecordingGraphics graphics;

  auto quiz = std::make_unique<fenok::Quiz>();
  fenok::initQuiz(*quiz, graphics);
  fenok::ContentFindings findings;
  const fenok::ContentPorts ports{resources, messages, graphics};
  const fenok::LoadOutcome outcome = fenok::loadQuiz(ports, *quiz, &findings);
  const fenok::AcceptedBlock block = findings.acceptedBlock;

  if (quiz->questionCount < 0 || quiz->questionCount > fenok::kMaxQuestions) std::abort();
  if (quiz->answersPerQuestion != 1 && quiz->answersPerQuestion != 2) std::abort();
  int entries = 0;
  for (const fenok::AnswerEntry* entry = quiz->firstAnswer; entry != nullptr; entry = entry->next) {
    ++entries;
    checkTerminated(entry->answer, sizeof entry->answer);
    checkTerminated(entry->secondAnswer, sizeof entry->secondAnswer);
    checkTerminated(entry->question, sizeof entry->question);
    checkTerminated(entry->comment, sizeof entry->comment);
    checkTerminated(entry->also, sizeof entry->also);
    checkTerminated(entry->secondAlso, sizeof entry->secondAlso);
    // A block that was not read whole leaves no trace.
    if (block != fenok::AcceptedBlock::read && (entry->also[0] != '\0' || entry->secondAlso[0] != '\0')) std::abort();
  }
  if (quiz->accentMode != fenok::kAccentsStrict && quiz->accentMode != fenok::kAccentsTolerant) std::abort();
  if (block != fenok::AcceptedBlock::read && quiz->accentMode != fenok::kAccentsStrict) std::abort();
  const bool loaded = outcome == fenok::LoadOutcome::complete || outcome == fenok::LoadOutcome::codesFailed;
  if (loaded && entries != quiz->questionCount) std::abort();
  if (outcome == fenok::LoadOutcome::answersMissing && entries != 2) std::abort();
  if ((outcome == fenok::LoadOutcome::complete) != messages.empty()) std::abort();
  checkTerminated(quiz->title, sizeof quiz->title);
  checkTerminated(quiz->linkAddress, sizeof quiz->linkAddress);
  checkTerminated(quiz->statusText, sizeof quiz->statusText);
  for (const auto& code : quiz->rewardCodes) checkTerminated(code, sizeof code);

  fenok::freeQuiz(*quiz, graphics);
  if (!graphics.liveObjects().empty() || graphics.badDeletions() != 0) std::abort();
  return 0;
}
