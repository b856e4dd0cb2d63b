#pragma once
// Files port: the few file operations the program makes, names relative to the current directory.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok {

class Files {
 public:
  virtual ~Files() = default;
  // Full path of the running program as the platform reports it (GetModuleFileNameA).
  virtual std::string moduleFileName() const = 0;
  // The whole file; false (and empty) when it is missing or unreadable.
  virtual bool readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const = 0;
  // Writes beside the file, then replaces it in one step: a failed save leaves the old file whole.
  virtual bool replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) = 0;
  // Creates or truncates the file and writes the bytes (clip files).
  virtual bool writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) = 0;
  virtual void remove(const std::string& name) = 0;  // a missing file is not an error
  virtual bool exists(const std::string& name) const = 0;
};

}  // namespace fenok
