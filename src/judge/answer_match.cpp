#include "judge/answer_match.h"

#include <cstring>

#include "content/field_text.h"
#include "content/quiz.h"
#include "judge/accent_fold.h"
#include "judge/verdict.h"

namespace fenok {
namespace {

// The place of a verdict word from the most to the least telling: each word at the first row of the
// verdict table that gives it, except "FAUX", which a form only gets when it earns nothing better.
// (Local: the words are defined in another file, so they are read once this runs.)
int rank(const char* verdict) {
  static const char* const order[] = {kVerdictEmpty,    kVerdictRight,    kVerdictAnagram, kVerdictOneEdit,
                                      kVerdictTwoEdits, kVerdictTooShort, kVerdictNotFar,  kVerdictTooLong,
                                      kVerdictGoodIdea, kVerdictWrong};
  int place = 0;
  for (const char* word : order) {
    if (std::strcmp(word, verdict) == 0) return place;
    ++place;
  }
  return place;
}

bool tolerant(std::int32_t accentMode) { return accentMode == kAccentsTolerant; }

void appendSplit(const std::string& joined, std::vector<std::string>& forms) {
  std::size_t begin = 0;
  while (begin < joined.size()) {
    std::size_t end = joined.find(kAlsoSeparator, begin);
    if (end == std::string::npos) end = joined.size();
    if (end > begin) forms.push_back(joined.substr(begin, end - begin));
    begin = end + 1;
  }
}

}  // namespace

std::vector<std::string> acceptedForms(const AnswerEntry& entry, int box) {
  std::vector<std::string> forms;
  forms.push_back(box == 1 ? fieldText(entry.answer) : fieldText(entry.secondAnswer));
  appendSplit(box == 1 ? fieldText(entry.also) : fieldText(entry.secondAlso), forms);
  return forms;
}

const char* betterVerdict(const char* first, const char* second) { return rank(second) < rank(first) ? second : first; }

const char* judgeTyped(const std::string& typed, const std::vector<std::string>& forms, std::int32_t accentMode) {
  if (forms.empty()) return computeVerdict(typed, std::string());
  const std::string typedForm = tolerant(accentMode) ? foldAccents(normaliseTyped(typed)) : typed;
  const char* best = nullptr;
  for (const std::string& form : forms) {
    const std::string expected = tolerant(accentMode) ? foldAccents(upperAscii(form)) : form;
    const char* verdict = computeVerdict(typedForm, expected);
    best = best == nullptr ? verdict : betterVerdict(best, verdict);
  }
  return best;
}

bool typedMatches(const std::string& typed, const std::vector<std::string>& forms, std::int32_t accentMode) {
  const std::string normal = normaliseTyped(typed);
  const std::string compared = tolerant(accentMode) ? foldAccents(normal) : normal;
  for (const std::string& form : forms) {
    const std::string upper = upperAscii(form);
    if (compared == (tolerant(accentMode) ? foldAccents(upper) : upper)) return true;
  }
  return false;
}

}  // namespace fenok
