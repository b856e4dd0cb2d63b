#pragma once
// The quiz a web page carries: the program's own resources (the content texts exactly as stored, the
// pictures and clips as the build fitted them), packed into one block of base64 text that the page
// holds in a data element. The page's player and the tools read it back into a Resources port.
//
// Decoded layout, little-endian:
//   "FNKW"                      marker
//   version                     1 byte, 1
//   count                       2 bytes: the resources that follow
//   per resource:
//     type                      'N', a length byte and that many bytes of name ("PATCH", "IMG"), or
//                               '#' and 2 bytes of number (RCDATA 10)
//     id                        2 bytes
//     size                      4 bytes, then that many bytes
//
// A page cut short (a download that stopped, an editor that lost the end) keeps the resources before
// the damage: the content comes first, so the quiz still loads and only the last pictures are missing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/portable/pe_resources.h"

namespace fenok {

class MemoryResources;

constexpr std::uint8_t kBundleMarker[] = {'F', 'N', 'K', 'W'};
constexpr std::uint8_t kBundleVersion = 1;

enum class BundleDamage {
  none,
  notBase64,    // a character that is neither base64 nor blank: decoded up to it
  notABundle,   // no marker at the start: nothing read
  newer,        // a later version of the layout: nothing read
  cutShort,     // fewer resources than declared, or the last one incomplete
};

struct BundleReading {
  BundleDamage damage = BundleDamage::none;
  int resourcesRead = 0;
  int resourcesDeclared = 0;
};

// The base64 text of the resources, in the order given. Resources with a named id are not carried.
std::string encodePageBundle(const std::vector<PeResourceEntry>& resources);

// Adds every whole resource of the text to resources; what is wrong with the rest, if anything.
BundleReading decodePageBundle(const char* text, std::size_t size, MemoryResources& resources);

// Plain base64 (RFC 4648, with padding) of bytes, and back; decoding skips blanks and stops at the
// first other character that is not base64, which it reports through complete.
std::string base64Encode(const std::uint8_t* bytes, std::size_t size);
std::vector<std::uint8_t> base64Decode(const char* text, std::size_t size, bool& complete);

}  // namespace fenok
