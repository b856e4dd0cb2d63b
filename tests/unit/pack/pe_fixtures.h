#pragma once
// The stand-in stubs of fixtures/ (rebuilt by fixtures/make.sh) and helpers to read them.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fenok::testing {

inline std::string fixturePath(const std::string& name) {
  return std::string(FENOK_SOURCE_DIR) + "/tests/unit/pack/fixtures/" + name;
}

inline std::vector<std::uint8_t> readFixture(const std::string& name) {
  std::ifstream file(fixturePath(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace fenok::testing
