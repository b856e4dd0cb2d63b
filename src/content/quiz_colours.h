#pragma once
// The colours the player paints verdicts and question texts with (0x00BBGGRR), named once for the
// player's brushes and for the studio, which shows a trial answer's verdict as the player would.
#include <cstdint>

namespace fenok {

constexpr std::uint32_t kSuccessColour = 0x00FF00;     // behind "BRAVO"
constexpr std::uint32_t kRedColour = 0x0000FF;         // behind "FAUX"
constexpr std::uint32_t kOrangeColour = 0x0064FF;      // behind "Anagramme"
constexpr std::uint32_t kAmberColour = 0x26CBFF;       // behind the other hints
constexpr std::uint32_t kPaleYellowColour = 0xC0FFFF;  // behind question texts

}  // namespace fenok
