// Verdicts of arbitrary byte texts (any length): always one of the program's words, an answer typed
// exactly as stored is right, and the edit distance keeps its bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "judge/verdict.h"

namespace {

bool isVerdictWord(const char* verdict) {
  const char* const words[] = {fenok::kVerdictEmpty,    fenok::kVerdictRight,    fenok::kVerdictWrong,
                               fenok::kVerdictAnagram,  fenok::kVerdictOneEdit,  fenok::kVerdictTwoEdits,
                               fenok::kVerdictTooShort, fenok::kVerdictNotFar,   fenok::kVerdictTooLong,
                               fenok::kVerdictGoodIdea};
  return std::any_of(std::begin(words), std::end(words), [&](const char* word) { return word == verdict; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte splits the rest into the typed text and the expected answer.
  if (size == 0) return 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t split = std::min<std::size_t>(data[0] * 2, rest.size());
  const std::string typed = rest.substr(0, split);
  const std::string expected = rest.substr(split);

  if (!isVerdictWord(fenok::computeVerdict(typed, expected))) std::abort();

  const std::string stored = expected.substr(0, fenok::kMaxTextBytes);
  const bool outerSpace = !stored.empty() && (stored.front() == ' ' || stored.back() == ' ');
  if (!stored.empty() && !outerSpace && fenok::computeVerdict(stored, stored) != fenok::kVerdictRight) std::abort();

  const int distance = fenok::editDistance(typed, expected);
  const int a = static_cast<int>(std::min<std::size_t>(typed.size(), fenok::kMaxTextBytes));
  const int b = static_cast<int>(std::min<std::size_t>(expected.size(), fenok::kMaxTextBytes));
  if (distance != fenok::editDistance(expected, typed)) std::abort();
  if (distance < std::abs(a - b) || distance > std::max(a, b)) std::abort();
  const int c = fenok::containment(expected, typed);
  if (c != 0 && c != 2 && c != -2) std::abort();
  return 0;
}
