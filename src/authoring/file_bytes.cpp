#include "file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace fenok::pack {
namespace {

// What a file has grown by since its size was taken is read in chunks this size (usually none).
constexpr std::size_t kTailChunk = 4096;

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileClose>;

// A C stream rather than an iostream: its read of a whole file is one read of the system (an iostream
// reads through a small buffer, a call each time, which in the browser's memory file system is most
// of the cost of opening a quiz of photos).
OpenFile openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return OpenFile(_wfopen(path.c_str(), L"rb"));  // UTF-16 names, as the system has them
#else
  return OpenFile(std::fopen(path.c_str(), "rb"));
#endif
}

// The size the file has now, or 0 when the stream cannot tell (then it is read in chunks).
std::size_t sizeNow(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long size = std::ftell(file);
  std::rewind(file);
  return size > 0 ? static_cast<std::size_t>(size) : 0;
}

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
  const OpenFile file = openForReading(filePath(path));
  if (!file) {
    reason = systemReason(errno, Msg::cannotOpen);
    return false;
  }
  // The size it has, at once (into memory not cleared first: a vector's resize clears it byte by byte
  // in WebAssembly), then whatever it has grown by meanwhile, a chunk at a time.
  const std::size_t size = sizeNow(file.get());
  const std::unique_ptr<std::uint8_t[]> whole(new std::uint8_t[size]);
  bytes.assign(whole.get(), whole.get() + std::fread(whole.get(), 1, size, file.get()));
  std::uint8_t tail[kTailChunk];
  while (!std::feof(file.get()) && !std::ferror(file.get())) {
    const std::size_t got = std::fread(tail, 1, sizeof tail, file.get());
    bytes.insert(bytes.end(), tail, tail + got);
  }
  if (std::ferror(file.get())) {
    bytes.clear();
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
