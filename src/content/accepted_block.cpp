// Reading the accepted-answers block. The block is parsed whole into a scratch copy first: a block
// that is damaged anywhere changes nothing, so a quiz never gets half of its variants.
#include "content/accepted_block.h"

#include <algorithm>
#include <string>
#include <vector>

#include "content/field_reader.h"
#include "content/quiz.h"

namespace fenok {
namespace {

constexpr int kMaxBoxes = 2;

struct QuestionForms {
  std::string joined[kMaxBoxes];  // per box, the forms separated by kAlsoSeparator
};

struct Parsed {
  std::int32_t accentMode = kAccentsStrict;
  std::vector<QuestionForms> questions;
};

std::uint32_t littleEndian(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = kAcceptedLengthSize; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

// One form: 1 to 259 bytes ended by '|', inside the body.
bool readForm(FieldReader& reader, std::string& joined) {
  char form[kTextField];
  const std::size_t before = reader.position();
  reader.text(form, kTextField);
  const std::size_t length = reader.position() - before - 1;
  if (reader.ranOut() || length == 0 || length >= static_cast<std::size_t>(kTextField)) return false;
  if (!joined.empty()) joined += kAlsoSeparator;
  joined += form;
  return true;
}

bool readBox(FieldReader& reader, std::string& joined) {
  const int count = reader.byte();
  if (reader.ranOut() || count > kMaxAlsoForms) return false;
  for (int i = 0; i < count; ++i)
    if (!readForm(reader, joined)) return false;
  return true;
}

bool readBody(const std::uint8_t* body, std::size_t length, int declaredCount, int boxes, Parsed& parsed) {
  FieldReader reader(body, length);
  const std::uint8_t mode = reader.byte();
  if (mode != kAccentsStrict && mode != kAccentsTolerant) return false;
  parsed.accentMode = mode;
  parsed.questions.resize(static_cast<std::size_t>(std::max(declaredCount, 0)));
  for (QuestionForms& question : parsed.questions)
    for (int box = 0; box < boxes; ++box)
      if (!readBox(reader, question.joined[box])) return false;
  // Every byte of the body belongs to the questions: anything left over means a different layout.
  return !reader.ranOut() && reader.atEnd();
}

void apply(const Parsed& parsed, Quiz& quiz) {
  quiz.accentMode = parsed.accentMode;
  AnswerEntry* entry = quiz.firstAnswer;
  for (const QuestionForms& question : parsed.questions) {
    if (entry == nullptr) break;
    copyField(entry->also, kAlsoField, question.joined[0].c_str());
    copyField(entry->secondAlso, kAlsoField, question.joined[1].c_str());
    entry = entry->next;
  }
}

}  // namespace

AcceptedBlock readAcceptedBlock(const std::uint8_t* bytes, std::size_t size, std::size_t start, int declaredCount,
                                int boxes, Quiz& quiz) {
  if (start >= size) return AcceptedBlock::absent;
  const std::size_t remaining = size - start;
  const std::uint8_t* block = bytes + start;
  if (remaining < kAcceptedHeaderSize || !std::equal(kAcceptedMarker, kAcceptedMarker + kAcceptedMarkerSize, block))
    return AcceptedBlock::damaged;
  const std::uint8_t version = block[kAcceptedMarkerSize];
  if (version > kAcceptedVersion) return AcceptedBlock::newer;
  if (version != kAcceptedVersion) return AcceptedBlock::damaged;
  const std::uint32_t length = littleEndian(block + kAcceptedMarkerSize + 1);
  if (length > remaining - kAcceptedHeaderSize) return AcceptedBlock::damaged;

  Parsed parsed;
  if (boxes < 1 || boxes > kMaxBoxes ||
      !readBody(block + kAcceptedHeaderSize, length, declaredCount, boxes, parsed))
    return AcceptedBlock::damaged;
  apply(parsed, quiz);
  return AcceptedBlock::read;
}

bool opensAcceptedBlock(const std::uint8_t* bytes, std::size_t size, std::size_t start) {
  return start < size && size - start >= kAcceptedMarkerSize &&
         std::equal(kAcceptedMarker, kAcceptedMarker + kAcceptedMarkerSize, bytes + start);
}

std::size_t acceptedBlockEnd(const std::uint8_t* bytes, std::size_t size, std::size_t start) {
  if (start >= size || size - start < kAcceptedHeaderSize) return size;
  const std::uint32_t length = littleEndian(bytes + start + kAcceptedMarkerSize + 1);
  return length > size - start - kAcceptedHeaderSize ? size : start + kAcceptedHeaderSize + length;
}

}  // namespace fenok
