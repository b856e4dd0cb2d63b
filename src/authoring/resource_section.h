#pragma once
// The resource section of a PE image, written from a flat list of resources: the three-level directory
// (type, name, language), its data entries, the names and the bytes.
#include <cstdint>
#include <vector>

#include "platform/portable/pe_resources.h"

namespace fenok::pack {

// The stub's resources with the added ones put in: an added (type, id) replaces every language of the
// same (type, id) in the stub, everything else of the stub stays.
std::vector<PeResourceEntry> mergeResources(const std::vector<PeResourceEntry>& stub,
                                            const std::vector<PeResourceEntry>& added);

// The section's bytes, for a section that starts at sectionRva (data entries hold RVAs).
std::vector<std::uint8_t> buildResourceSection(const std::vector<PeResourceEntry>& entries,
                                               std::uint32_t sectionRva);

}  // namespace fenok::pack
