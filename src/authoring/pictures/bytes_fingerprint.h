#pragma once
// A file's bytes in 64 bits, to find again what was made of the same bytes (within one process: it is
// never stored). FNV-1a over 8-byte words, each step's high half folded into the low one so that every
// byte reaches every bit: a camera photo is a megabyte, and is fingerprinted at every look.
#include <cstdint>
#include <cstring>
#include <vector>

namespace fenok::pack {

inline std::uint64_t bytesFingerprint(const std::vector<std::uint8_t>& bytes) {
  constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
  constexpr std::uint64_t kFnvPrime = 1099511628211ull;
  std::uint64_t hash = kFnvOffset;
  const std::size_t words = bytes.size() / sizeof(std::uint64_t);
  for (std::size_t i = 0; i < words; ++i) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i * sizeof word, sizeof word);
    hash = (hash ^ word) * kFnvPrime;
    hash ^= hash >> 32;
  }
  for (std::size_t i = words * sizeof(std::uint64_t); i < bytes.size(); ++i) hash = (hash ^ bytes[i]) * kFnvPrime;
  return hash;
}

}  // namespace fenok::pack
