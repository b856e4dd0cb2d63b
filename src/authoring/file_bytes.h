#pragma once
// The whole of a file the author names (a description, a picture, a player, an answers file), as
// bytes. Unlike the Files port it takes anything that reads, pipes included; a folder, a missing file
// or a failing read gives a reason in words instead.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fenok::pack {

constexpr const char* kIsADirectory = "is a directory";

// True with the bytes; false with a reason ("is a directory", or the system's own words).
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason);
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// What to tell the author: "\"NAME\" is a directory" or "cannot read \"NAME\": REASON".
std::string readFailure(const std::string& name, const std::string& reason);

// The path as the file system takes it: UTF-8 file names on Windows too.
std::filesystem::path filePath(const std::string& utf8);

}  // namespace fenok::pack
