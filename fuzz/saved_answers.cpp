// The saved-answers reader over arbitrary file contents: every line is at most 40 bytes, holds no CR,
// and the reader never reads outside the content however many boxes ask.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "persist/saved_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fenok::SavedAnswersReader reader(std::vector<std::uint8_t>(data, data + size));
  // More boxes than a quiz has (96 questions, two boxes each), and past the end of any file.
  std::size_t taken = 0;
  for (int box = 0; box < 2 * 96 + 8; ++box) {
    const std::string line = reader.nextLine();
    if (line.size() > static_cast<std::size_t>(fenok::kSavedLineLimit)) std::abort();
    if (line.find('\r') != std::string::npos) std::abort();
    taken += line.size();
  }
  if (taken > size) std::abort();
  return 0;
}
