#pragma once
// Puts resources into a copy of a PE image without any toolchain: the stub's own resources are kept,
// the added ones put in (replacing the same type and id), and a new resource section is written.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/portable/pe_resources.h"

namespace fenok::pack {

// Resources of the stub for which this is true are left out of the output.
using ResourceFilter = bool (*)(const PeResourceEntry&);

// False, with a reason in error, when the stub cannot be read or has no room for a section header.
bool addResources(const std::vector<std::uint8_t>& stub, const std::vector<PeResourceEntry>& added,
                  std::vector<std::uint8_t>& out, std::string& error, ResourceFilter dropFromStub = nullptr);

// The checksum of the optional header, computed with its own field taken as zero.
std::uint32_t peChecksum(const std::vector<std::uint8_t>& image, std::uint32_t checksumOffset);

}  // namespace fenok::pack
