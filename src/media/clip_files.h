#pragma once
// Clip files: the extension a clip is written with, chosen from its first bytes, and the file's name.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fenok {

// Longest clip path, as the platform's file calls take it (MAX_PATH with its terminator).
constexpr std::size_t kMaxClipPath = 259;

// The extension of a clip the player does not recognise.
constexpr const char* kUnknownClipExtension = "XXX";

// "MP3", "MPG", "WMV", "AVI", "WAV" or "XXX" (not recognised: the player still gets to try it).
const char* clipExtension(const std::uint8_t* bytes, std::size_t size);

// "<mediaFolder>fenok<resourceId>.<extension>"; empty when the name would exceed kMaxClipPath.
std::string clipFileName(const std::string& mediaFolder, int resourceId, const char* extension);

}  // namespace fenok
