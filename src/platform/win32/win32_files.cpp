#include "platform/win32/win32_files.h"

#include <windows.h>

namespace fenok {

namespace {

// Paths longer than MAX_PATH exist; the buffer grows rather than cutting the name (and its ending).
constexpr DWORD kLongestPath = 32768;
// A 32-bit process cannot hold more than this in one piece anyway.
constexpr LONGLONG kLargestRead = 0x40000000;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

bool writeAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool createAndWrite(const std::string& name, const std::uint8_t* data, std::size_t size, bool flush) {
  FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  bool ok = writeAll(file.get(), data, size);
  if (ok && flush) ok = FlushFileBuffers(file.get()) != 0;
  return file.close() && ok;
}

}  // namespace

std::string Win32Files::moduleFileName() const {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size() || path.size() >= kLongestPath) {
      path.resize(length < path.size() ? length : path.size() - 1);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool Win32Files::readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const {
  bytes.clear();
  FileHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > kLargestRead) return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) ||
        got == 0) {
      bytes.clear();
      return false;
    }
    done += got;
  }
  return true;
}

bool Win32Files::replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string temporary = name + ".tmp";
  if (!createAndWrite(temporary, bytes.data(), bytes.size(), true)) {
    // Only a file we may have half written goes; a directory of that name stays.
    const DWORD attributes = GetFileAttributesA(temporary.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      DeleteFileA(temporary.c_str());
    }
    return false;
  }
  if (!MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

bool Win32Files::writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) {
  return createAndWrite(name, data, size, false);
}

void Win32Files::remove(const std::string& name) { DeleteFileA(name.c_str()); }

bool Win32Files::exists(const std::string& name) const {
  return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace fenok
