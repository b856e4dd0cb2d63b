// Fuzz target: lzwDecode on arbitrary bytes; what decodes must re-encode and decode to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "content/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> output;
  using fenok::LzwStatus;
  const LzwStatus status = fenok::lzwDecode(data, size, output);
  if (status != LzwStatus::ok && status != LzwStatus::noFirstCode && status != LzwStatus::corrupt) std::abort();
  if (output.size() > fenok::kLzwMaxOutput) std::abort();
  if (status == LzwStatus::ok) {
    if (output.empty()) std::abort();  // the first code always gives one byte
    const std::vector<std::uint8_t> stream = fenok::lzwEncode(output);
    std::vector<std::uint8_t> again;
    if (stream.size() <= fenok::kLzwMaxInput) {
      if (fenok::lzwDecode(stream.data(), stream.size(), again) != LzwStatus::ok || again != output) std::abort();
    }
  }
  return 0;
}
