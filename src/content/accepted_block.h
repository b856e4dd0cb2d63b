#pragma once
// The accepted-answers block: what a quiz asks of the judge beyond the first content format (accent
// tolerance, more answers accepted per box). It follows the colour bytes of the answers text, where a
// quiz without it simply ends; its layout is described in README.md.
#include <cstddef>
#include <cstdint>

namespace fenok {

struct Quiz;

constexpr std::uint8_t kAcceptedMarker[] = {'A', 'C', 'P', 'T'};
constexpr std::size_t kAcceptedMarkerSize = sizeof kAcceptedMarker;
constexpr std::uint8_t kAcceptedVersion = 1;
constexpr std::size_t kAcceptedLengthSize = 4;  // the body's length, little-endian
constexpr std::size_t kAcceptedHeaderSize = kAcceptedMarkerSize + 1 + kAcceptedLengthSize;

enum class AcceptedBlock {
  absent,   // the answers text ends with the colours
  read,     // applied to the quiz
  damaged,  // something follows the colours but is not a whole, sound block: ignored as a whole
  newer,    // a block of a later version: ignored
};

// Reads the block starting at start, for declaredCount questions of boxes answers each, and applies it
// (accentMode, each entry's also and secondAlso) only when the whole block is sound; entries past the
// quiz's list are read past. Never reads outside the size bytes.
AcceptedBlock readAcceptedBlock(const std::uint8_t* bytes, std::size_t size, std::size_t start, int declaredCount,
                                int boxes, Quiz& quiz);

// Whether the bytes at start begin with the block's marker.
bool opensAcceptedBlock(const std::uint8_t* bytes, std::size_t size, std::size_t start);

// Where a block starting at start says it ends (header and declared body), within size; size when it
// has no whole header, so that nothing after damaged bytes counts as left over.
std::size_t acceptedBlockEnd(const std::uint8_t* bytes, std::size_t size, std::size_t start);

}  // namespace fenok
