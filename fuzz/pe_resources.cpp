// Fuzzes the PE resource reader: any bytes must be refused with a reason or read within their bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/portable/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fenok::PeResources resources;
  std::string error;
  if (!resources.load(std::vector<std::uint8_t>(data, data + size), error)) {
    if (error.empty()) __builtin_trap();  // every refusal names its reason
    return 0;
  }
  std::size_t total = 0;
  for (const fenok::PeResourceEntry& entry : resources.entries()) total += entry.bytes.size();
  if (total > size) __builtin_trap();
  resources.find(fenok::ResourceType::named("PATCH"), 104);
  resources.find(fenok::ResourceType::numbered(fenok::kRtRcdata), 401);
  return 0;
}
