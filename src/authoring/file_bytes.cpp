#include "file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace fenok::pack {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;

}  // namespace

std::filesystem::path filePath(const std::string& utf8) { return std::filesystem::u8path(utf8); }

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason) {
  bytes.clear();
  std::error_code ignored;
  // A folder opens as a stream on some systems and then fails in the middle of the read.
  if (std::filesystem::is_directory(filePath(path), ignored)) {
    reason = kIsADirectory;
    return false;
  }
  errno = 0;
  std::ifstream file(filePath(path), std::ios::binary);
  if (!file) {
    reason = errno != 0 ? std::strerror(errno) : "cannot be opened";
    return false;
  }
  // read() reports a failing read through the stream's state, never by throwing.
  std::vector<char> chunk(kReadChunk);
  while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || file.gcount() > 0) {
    bytes.insert(bytes.end(), chunk.data(), chunk.data() + file.gcount());
    if (!file) break;
  }
  if (file.bad()) {
    reason = errno != 0 ? std::strerror(errno) : "read error";
    return false;
  }
  return true;
}

std::string readFailure(const std::string& name, const std::string& reason) {
  if (reason == kIsADirectory) return "\"" + name + "\" " + reason;
  return "cannot read \"" + name + "\": " + reason;
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::string reason;
  return readFileBytes(path, bytes, reason);
}

}  // namespace fenok::pack
