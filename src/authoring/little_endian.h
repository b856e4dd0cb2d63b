#pragma once
// Little-endian writes into bytes the caller has sized (the PE headers and the resource section);
// reads go through the bounds-checked StoredBytes.
#include <cstdint>
#include <vector>

namespace fenok::pack {

inline void put16(std::vector<std::uint8_t>& bytes, std::uint32_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void put32(std::vector<std::uint8_t>& bytes, std::uint32_t at, std::uint32_t value) {
  put16(bytes, at, value & 0xFFFF);
  put16(bytes, at + 2, value >> 16);
}

}  // namespace fenok::pack
