#pragma once
// The whole of a file the author names (a description, a picture, a player, an answers file), as
// bytes. Unlike the Files port it takes anything that reads, pipes included; a folder, a missing file
// or a failing read gives a reason in words instead.
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "messages.h"

namespace fenok::pack {

// True with the bytes; false with a reason (Msg::aDirectory, or the system's own).
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, Message& reason);
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// What to tell the author: "\"NAME\" is a directory" or "cannot read \"NAME\": REASON".
Message readFailure(const std::string& name, const Message& reason);

// Why the system refused, in the table's words for the failures authors meet (a missing file, no
// access, a full disk), in the system's own otherwise; fallback when it gave no reason.
Message systemReason(int error, Msg fallback);
Message systemReason(const std::error_code& error);

// The path as the file system takes it: UTF-8 file names on Windows too.
std::filesystem::path filePath(const std::string& utf8);

}  // namespace fenok::pack
