#pragma once
// A file's bytes in 64 bits (FNV-1a), to find again what was made of the same bytes.
#include <cstdint>
#include <vector>

namespace fenok::pack {

inline std::uint64_t bytesFingerprint(const std::vector<std::uint8_t>& bytes) {
  constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
  constexpr std::uint64_t kFnvPrime = 1099511628211ull;
  std::uint64_t hash = kFnvOffset;
  for (const std::uint8_t byte : bytes) hash = (hash ^ byte) * kFnvPrime;
  return hash;
}

}  // namespace fenok::pack
