#pragma once
// Where the player that a quiz is packed into comes from: --stub, else the environment variable
// FENOK_STUB, else the player of the chosen architecture beside the running fenok-pack (fenok.exe for
// x86, fenok64.exe for x64), else the one of the matching Windows build next to a native build tree
// (<dir of fenok-pack>/../../win32/bin/fenok.exe or ../../win64/bin/fenok.exe).
#include <string>
#include <vector>

#include "messages.h"

namespace fenok::pack {

enum class PlayerArch { x86, x64 };

// "x86" or "x64"; false for anything else.
bool parseArch(const std::string& name, PlayerArch& arch);
const char* archName(PlayerArch arch);

// The folder of the running program, or empty when it cannot be told.
std::string runningProgramFolder();

// The places looked at, in order, when neither --stub nor FENOK_STUB is given.
std::vector<std::string> defaultStubPlaces(const std::string& programFolder, PlayerArch arch = PlayerArch::x86);

// The stub to use, or empty with a reason in error.
std::string locateStub(const std::string& explicitStub, const char* environmentStub,
                       const std::string& programFolder, Message& error, PlayerArch arch = PlayerArch::x86);

// The web player page a quiz page is written from, found the same way: --web-player, else the
// environment variable FENOK_WEB_PLAYER, else fenok-web.html beside the running program, else the one
// of the web build next to a native build tree (<dir of fenok-pack>/../../web/bin/fenok-web.html).
constexpr const char* kWebPlayerName = "fenok-web.html";
std::vector<std::string> defaultWebPlayerPlaces(const std::string& programFolder);
std::string locateWebPlayer(const std::string& explicitPlayer, const char* environmentPlayer,
                            const std::string& programFolder, Message& error);

}  // namespace fenok::pack
