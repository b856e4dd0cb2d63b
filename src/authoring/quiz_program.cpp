#include "quiz_program.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "file_bytes.h"

namespace fenok::pack {
namespace {

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code failure;
  if (std::filesystem::equivalent(filePath(a), filePath(b), failure)) return true;
  // The output may not exist yet: compare where both names lead.
  const auto canonicalA = std::filesystem::weakly_canonical(filePath(a), failure);
  if (failure) return false;
  const auto canonicalB = std::filesystem::weakly_canonical(filePath(b), failure);
  return !failure && canonicalA == canonicalB;
}

}  // namespace

bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, Message& error,
                        bool executable) {
  const std::filesystem::path final = filePath(path);
  std::filesystem::path partial = final;
  partial += ".part";
  errno = 0;
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    const bool opened = static_cast<bool>(file);
    Message reason = opened ? Message() : systemReason(errno, Msg::writeError);
    if (file) file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (!file) {
      if (opened) reason = systemReason(errno, Msg::writeError);
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      error = message(Msg::cannotWrite, path, reason);
      return false;
    }
  }
  std::error_code failure;
  if (executable)
    std::filesystem::permissions(partial,
                                 std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, failure);
  failure.clear();
  std::filesystem::rename(partial, final, failure);
  if (failure) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    error = message(Msg::cannotWrite, path, systemReason(failure));
    return false;
  }
  return true;
}

bool outputOverwritesAnInput(const std::string& output, const std::vector<std::string>& inputs, Message& error) {
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (!sameFile(output, inputs[i])) continue;
    error = i == 0                   ? message(Msg::wouldOverwriteDescription, output)
            : i + 1 == inputs.size() ? message(Msg::wouldOverwritePlayer, output)
                                     : message(Msg::wouldOverwriteQuizFile, output, inputs[i]);
    return true;
  }
  return false;
}

bool refusesToOverwrite(const Message& error) {
  return error.id == Msg::wouldOverwriteDescription || error.id == Msg::wouldOverwritePlayer ||
         error.id == Msg::wouldOverwriteQuizFile;
}

bool readPlayerFor(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                   Msg cannotRead, std::vector<std::uint8_t>& player, Message& error) {
  std::vector<std::string> inputs = prepared.readFiles;
  inputs.push_back(playerPath);
  if (outputOverwritesAnInput(output, inputs, error)) return false;
  Message reason;
  if (readFileBytes(playerPath, player, reason)) return true;
  error = message(cannotRead, playerPath, reason);
  return false;
}

bool writeProgramFrom(const PreparedQuiz& prepared, const std::vector<std::uint8_t>& player,
                      const std::string& playerPath, const std::string& output, Message& error,
                      std::size_t* packedSize) {
  std::vector<std::uint8_t> packed;
  std::string packing;
  if (!packIntoPlayer(player, prepared.resources, packed, packing)) {
    error = message(Msg::cannotPackInto, playerPath, packing);
    return false;
  }
  if (!writeFileReplacing(output, packed, error)) return false;
  if (packedSize) *packedSize = packed.size();
  return true;
}

bool writeQuizProgram(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                      Message& error, std::size_t* packedSize) {
  std::vector<std::uint8_t> player;
  return readPlayerFor(prepared, playerPath, output, Msg::cannotReadPlayer, player, error) &&
         writeProgramFrom(prepared, player, playerPath, output, error, packedSize);
}

}  // namespace fenok::pack
