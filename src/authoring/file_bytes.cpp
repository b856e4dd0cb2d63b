#include "file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace fenok::pack {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;

struct KnownFailure {
  std::errc error;
  Msg reason;
};

const KnownFailure kKnownFailures[] = {
    {std::errc::no_such_file_or_directory, Msg::noSuchFile},
    {std::errc::permission_denied, Msg::permissionDenied},
    {std::errc::no_space_on_device, Msg::diskFull},
};

}  // namespace

std::filesystem::path filePath(const std::string& utf8) { return std::filesystem::u8path(utf8); }

Message systemReason(const std::error_code& error) {
  for (const KnownFailure& known : kKnownFailures)
    if (error == known.error) return message(known.reason);
  return valueMessage(error.message());
}

Message systemReason(int error, Msg fallback) {
  if (error == 0) return message(fallback);
  return systemReason(std::make_error_code(static_cast<std::errc>(error)));
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, Message& reason) {
  bytes.clear();
  std::error_code ignored;
  // A folder opens as a stream on some systems and then fails in the middle of the read.
  if (std::filesystem::is_directory(filePath(path), ignored)) {
    reason = message(Msg::aDirectory);
    return false;
  }
  errno = 0;
  std::ifstream file(filePath(path), std::ios::binary);
  if (!file) {
    reason = systemReason(errno, Msg::cannotOpen);
    return false;
  }
  // read() reports a failing read through the stream's state, never by throwing.
  std::vector<char> chunk(kReadChunk);
  while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || file.gcount() > 0) {
    bytes.insert(bytes.end(), chunk.data(), chunk.data() + file.gcount());
    if (!file) break;
  }
  if (file.bad()) {
    reason = systemReason(errno, Msg::readError);
    return false;
  }
  return true;
}

Message readFailure(const std::string& name, const Message& reason) {
  if (reason.id == Msg::aDirectory) return message(Msg::isADirectory, name);
  return message(Msg::cannotRead, name, reason);
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  Message reason;
  return readFileBytes(path, bytes, reason);
}

}  // namespace fenok::pack
