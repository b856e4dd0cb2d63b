#pragma once
// The whole of a file the author names (a player, an answers file), as bytes. Unlike the Files port it
// takes anything that reads, pipes included.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok::pack {

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace fenok::pack
