#include "file_bytes.h"

#include <fstream>
#include <iterator>

namespace fenok::pack {

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace fenok::pack
