// Fuzzes the PE writer with any stub: it refuses with a reason or writes a program whose resources
// read back, with the added one among them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/pe_writer.h"
#include "platform/portable/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fenok::PeResourceEntry added;
  added.typeName = "PATCH";
  added.id = 104;
  added.bytes = {1, 2, 3, 4, 5};
  std::vector<std::uint8_t> packed;
  std::string error;
  if (!fenok::pack::addResources(std::vector<std::uint8_t>(data, data + size), {added}, packed, error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  fenok::PeResources result;
  if (!result.load(packed, error)) __builtin_trap();
  const fenok::ByteView found = result.find(fenok::ResourceType::named("PATCH"), 104);
  if (found.size != 5 || found.data[4] != 5) __builtin_trap();
  return 0;
}
