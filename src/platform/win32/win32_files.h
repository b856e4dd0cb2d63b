#pragma once
// Files over the Win32 kernel calls; names relative to the process's current directory.
#include "platform/ports/files.h"

namespace fenok {

class Win32Files : public Files {
 public:
  std::string moduleFileName() const override;  // GetModuleFileNameA of the running program
  bool readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
  // NAME.tmp is written and flushed, then moved over NAME with MoveFileExA in one step.
  bool replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  bool writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) override;
  void remove(const std::string& name) override;
  bool exists(const std::string& name) const override;
};

}  // namespace fenok
