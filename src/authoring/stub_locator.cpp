#include "stub_locator.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "file_bytes.h"
#include "platform/portable/pe_resources.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fenok::pack {
namespace {

bool isFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(filePath(path), ignored);
}

// A build tree keeps its own kind of player beside its tools (build/win64/bin/fenok.exe is 64-bit), so
// a place is taken only when what lies there is not a player of the other kind.
bool otherKind(const std::string& path, PlayerArch arch) {
  std::vector<std::uint8_t> bytes;
  PeLayout layout;
  std::string ignored;
  if (!readFileBytes(path, bytes) || !readPeLayout(bytes, layout, ignored)) return false;
  return layout.pe32Plus != (arch == PlayerArch::x64);
}

// What names the file: --stub or --web-player, or its environment variable.
struct Given {
  const char* how;
  Msg isAFolder, missing;
};

std::string given(const std::string& path, const Given& by, Message& error) {
  if (isFile(path)) return path;
  std::error_code ignored;
  const bool folder = std::filesystem::is_directory(path, ignored);
  error = message(folder ? by.isAFolder : by.missing, by.how, path);
  return {};
}

}  // namespace

std::string runningProgramFolder() {
#ifdef _WIN32
  const char* self = _pgmptr;
  if (!self) return {};
  return std::filesystem::path(self).parent_path().string();
#else
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  return std::filesystem::path(std::string(self, static_cast<std::size_t>(length))).parent_path().string();
#endif
}

bool parseArch(const std::string& name, PlayerArch& arch) {
  for (const PlayerArch candidate : {PlayerArch::x86, PlayerArch::x64}) {
    if (name != archName(candidate)) continue;
    arch = candidate;
    return true;
  }
  return false;
}

const char* archName(PlayerArch arch) { return arch == PlayerArch::x64 ? "x64" : "x86"; }

std::vector<std::string> defaultStubPlaces(const std::string& programFolder, PlayerArch arch) {
  if (programFolder.empty()) return {};
  struct Places {
    const char* beside;     // the shipped name beside the tool
    const char* buildTree;  // the Windows build of the same tree
  };
  const Places places = arch == PlayerArch::x64 ? Places{"fenok64.exe", "win64"} : Places{"fenok.exe", "win32"};
  const std::filesystem::path folder = filePath(programFolder);
  return {(folder / places.beside).u8string(),
          (folder / ".." / ".." / places.buildTree / "bin" / "fenok.exe").lexically_normal().u8string()};
}

std::string locateStub(const std::string& explicitStub, const char* environmentStub,
                       const std::string& programFolder, Message& error, PlayerArch arch) {
  constexpr Msg isAFolder = Msg::givenPlayerIsAFolder, missing = Msg::givenPlayerMissing;
  if (!explicitStub.empty()) return given(explicitStub, {"--stub", isAFolder, missing}, error);
  if (environmentStub && *environmentStub) return given(environmentStub, {"FENOK_STUB", isAFolder, missing}, error);
  const std::vector<std::string> places = defaultStubPlaces(programFolder, arch);
  std::vector<Message> looked;
  for (const std::string& place : places) {
    if (!isFile(place)) {
      looked.push_back(valueMessage(place));
    } else if (otherKind(place, arch)) {
      looked.push_back(message(Msg::placeOfOtherKind, place, archName(arch)));
    } else {
      return place;
    }
  }
  // Beside the tool, then in the build tree: two places, or none when the tool's folder is unknown.
  error = looked.size() == 2 ? message(Msg::noPlayerLookedFor, looked[0], looked[1]) : message(Msg::noPlayer);
  return {};
}

std::vector<std::string> defaultWebPlayerPlaces(const std::string& programFolder) {
  if (programFolder.empty()) return {};
  const std::filesystem::path folder = filePath(programFolder);
  return {(folder / kWebPlayerName).u8string(),
          (folder / ".." / ".." / "web" / "bin" / kWebPlayerName).lexically_normal().u8string()};
}

std::string locateWebPlayer(const std::string& explicitPlayer, const char* environmentPlayer,
                            const std::string& programFolder, Message& error) {
  constexpr Msg isAFolder = Msg::givenWebPlayerIsAFolder, missing = Msg::givenWebPlayerMissing;
  if (!explicitPlayer.empty()) return given(explicitPlayer, {"--web-player", isAFolder, missing}, error);
  if (environmentPlayer && *environmentPlayer)
    return given(environmentPlayer, {"FENOK_WEB_PLAYER", isAFolder, missing}, error);
  std::vector<std::string> looked;
  for (const std::string& place : defaultWebPlayerPlaces(programFolder)) {
    if (isFile(place)) return place;
    looked.push_back(place);
  }
  error = looked.size() == 2 ? message(Msg::noWebPlayerLookedFor, looked[0], looked[1]) : message(Msg::noWebPlayer);
  return {};
}

}  // namespace fenok::pack
