// fenok-png IN.png OUT.bmp [--format 0xHHHHHHHH]: decodes a PNG with the player's own decoder and
// writes the bitmap it would make (file header, then exactly its description and rows).
// Exit 0 on success, 1 when the decoder refuses the picture, 2 for usage and file errors.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pictures/png_reader.h"

namespace {

constexpr int kExitDecoder = 1;
constexpr int kExitUsage = 2;

void printUsage() { std::fprintf(stderr, "usage: fenok-png IN.png OUT.bmp [--format 0xHHHHHHHH]\n"); }

bool parseFormat(const char* text, std::int32_t& format) {
  if (std::strncmp(text, "0x", 2) != 0 && std::strncmp(text, "0X", 2) != 0) return false;
  const char* digits = text + 2;
  const std::size_t count = std::strlen(digits);
  if (count == 0 || count > 8 || std::strspn(digits, "0123456789abcdefABCDEF") != count) return false;
  format = static_cast<std::int32_t>(std::strtoul(digits, nullptr, 16));
  return true;
}

bool readFile(const char* path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  std::uint8_t chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) != 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The 14-byte BITMAPFILEHEADER: "BM", file size, two reserved words, offset of the rows.
std::vector<std::uint8_t> fileHeader(std::size_t infoSize, std::size_t rowsSize) {
  std::vector<std::uint8_t> header{'B', 'M'};
  const std::size_t offset = 14 + infoSize;
  putLittleEndian(header, static_cast<std::uint32_t>(offset + rowsSize), 4);
  putLittleEndian(header, 0, 4);
  putLittleEndian(header, static_cast<std::uint32_t>(offset), 4);
  return header;
}

// Writes beside the target and renames, so a failed write never leaves a partial file.
bool writeFileWhole(const std::string& path, const std::vector<std::vector<std::uint8_t>*>& parts) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = true;
  for (const auto* part : parts) ok = ok && std::fwrite(part->data(), 1, part->size(), file) == part->size();
  ok = (std::fclose(file) == 0) && ok;
  if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::int32_t format = fenok::kNaturalFormat;
  if (argc == 5 && std::strcmp(argv[3], "--format") == 0) {
    if (!parseFormat(argv[4], format)) {
      std::fprintf(stderr, "fenok-png: bad format '%s' (expected 0xHHHHHHHH)\n", argv[4]);
      return kExitUsage;
    }
  } else if (argc != 3) {
    printUsage();
    return kExitUsage;
  }
  const char* input = argv[1];
  const char* output = argv[2];

  std::vector<std::uint8_t> png;
  if (!readFile(input, png)) {
    std::fprintf(stderr, "fenok-png: %s: cannot read: %s\n", input, std::strerror(errno));
    return kExitUsage;
  }

  fenok::PngReader reader;
  fenok::initPngReader(reader);
  fenok::DibDescription description;
  std::vector<std::uint8_t> rows;
  const bool decoded = fenok::loadPngFromMemory(reader, png.data(), png.size()) && fenok::decodePng(reader) &&
                       fenok::buildPngBitmap(reader, format, description, rows);
  const fenok::PngError error = reader.lastError;
  fenok::releasePngReader(reader);
  if (!decoded) {
    std::fprintf(stderr, "fenok-png: %s: %s (0x%04X)\n", input, fenok::pngErrorName(error),
                 fenok::pngErrorNumber(error));
    return kExitDecoder;
  }

  std::vector<std::uint8_t> header = fileHeader(description.info.size(), rows.size());
  if (!writeFileWhole(output, {&header, &description.info, &rows})) {
    std::fprintf(stderr, "fenok-png: %s: cannot write: %s\n", output, std::strerror(errno));
    return kExitUsage;
  }
  return 0;
}
