#pragma once
// Where the player that a quiz is packed into comes from: --stub, else the environment variable
// FENOK_STUB, else fenok.exe beside the running fenok-pack, else the player of the win32 build next to
// a native build tree (<dir of fenok-pack>/../../win32/bin/fenok.exe).
#include <string>
#include <vector>

namespace fenok::pack {

// The folder of the running program, or empty when it cannot be told.
std::string runningProgramFolder();

// The places looked at, in order, when neither --stub nor FENOK_STUB is given.
std::vector<std::string> defaultStubPlaces(const std::string& programFolder);

// The stub to use, or empty with a reason in error.
std::string locateStub(const std::string& explicitStub, const char* environmentStub,
                       const std::string& programFolder, std::string& error);

}  // namespace fenok::pack
