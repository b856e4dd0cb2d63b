#pragma once
// The Files port over the host's file system (std::filesystem and streams), for tools and native tests.
// Names are relative to the current directory, as on Windows.
#include <string>

#include "platform/ports/files.h"

namespace fenok {

class PosixFiles : public Files {
 public:
  // The program path that moduleFileName reports (Windows style or host style).
  explicit PosixFiles(std::string moduleFileName);

  std::string moduleFileName() const override;
  bool readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
  // Writes NAME.tmp beside the file, then renames it over the old one, which replaces it in one step.
  bool replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  bool writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) override;
  void remove(const std::string& name) override;
  bool exists(const std::string& name) const override;

 private:
  std::string moduleFileName_;
};

// The name a replacing save writes first.
std::string replacementName(const std::string& name);

}  // namespace fenok
