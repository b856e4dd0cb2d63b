#pragma once
// What kind of picture a file holds, told by its first bytes, never by its name: phones and browsers
// save WebP under ".jpg" and HEIC under ".jpeg" often enough.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok::pack {

// The player shows jpeg, gif and png; the others are read by the packer and stored as one of those.
enum class PictureFormat { none, jpeg, gif, png, webp, heic, avif };

// Enough leading bytes for pictureFormat to tell every format (a HEIF file lists its brands there).
constexpr std::size_t kFormatSignatureBytes = 64;

PictureFormat pictureFormat(const std::vector<std::uint8_t>& bytes);

// True for the formats the player shows as they are.
bool playerShows(PictureFormat format);

// "JPEG", "WebP", "HEIC"...: the name authors know the format by.
const char* formatName(PictureFormat format);

}  // namespace fenok::pack
