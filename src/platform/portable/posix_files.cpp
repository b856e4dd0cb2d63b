// Files on the host's file system.
#include "platform/portable/posix_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace fenok {

namespace {

bool writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (size > 0) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  return !out.fail();
}

}  // namespace

std::string replacementName(const std::string& name) { return name + ".tmp"; }

PosixFiles::PosixFiles(std::string moduleFileName) : moduleFileName_(std::move(moduleFileName)) {}

std::string PosixFiles::moduleFileName() const { return moduleFileName_; }

bool PosixFiles::readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const {
  bytes.clear();
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) return false;
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    bytes.clear();
    return false;
  }
  return true;
}

bool PosixFiles::replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string temporary = replacementName(name);
  // Something other than a file in the temporary's place is not ours to remove.
  std::error_code error;
  const auto status = std::filesystem::symlink_status(temporary, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return false;

  if (!writeFile(temporary, bytes.data(), bytes.size())) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, name, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool PosixFiles::writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) {
  return writeFile(name, data, size);
}

void PosixFiles::remove(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(name, ignored);
}

bool PosixFiles::exists(const std::string& name) const {
  std::error_code ignored;
  return std::filesystem::exists(name, ignored);
}

}  // namespace fenok
