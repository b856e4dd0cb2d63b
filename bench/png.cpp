// PNG decoding speed: ours against libpng (+zlib), libspng and stb_image on the same files in the
// same run. Speed is counted on the image's raw size (width x height x channels x bytes per sample)
// for all, so the ratios are ratios of time.
//
// Two modes: warm (each decoder writes into the same output buffer every time) and one-shot (fresh
// pages for every decode, as the player's bitmap of each picture is). The references run twice:
// as they come (their natural output) and doing our work (see png_decoders.h), marked "=".
// Decoders take turns within each round, so a load spike on the machine falls on all of them.
//   bench_png [--runs N] FILE.png...   table of median speeds and ratios to libpng; files named
//                                      GROUP-... are summed up by group (photo, flat)
//   bench_png --memory FILE.png        peak heap of our decoder against the image's scanline size
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <new>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "png_decoders.h"

// Heap accounting for --memory: every operator new of the process goes through here.
namespace {
std::size_t gLiveBytes = 0;
std::size_t gPeakBytes = 0;
bool gCounting = false;
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size + 16);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  if (gCounting) gPeakBytes = std::max(gPeakBytes, gLiveBytes += size);
  return static_cast<char*>(block) + 16;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  void* block = std::malloc(size + 16);
  if (block == nullptr) return nullptr;
  *static_cast<std::size_t*>(block) = size;
  if (gCounting) gPeakBytes = std::max(gPeakBytes, gLiveBytes += size);
  return static_cast<char*>(block) + 16;
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  char* block = static_cast<char*>(pointer) - 16;
  if (gCounting) gLiveBytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
void operator delete[](void* pointer) noexcept { operator delete(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { operator delete(pointer); }

namespace {

using Clock = std::chrono::steady_clock;
using pngbench::Image;
using pngbench::OutputMemory;

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<std::size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  const bool ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  std::fclose(file);
  return ok;
}

bool describe(Image& image) {
  spng_ctx* context = spng_ctx_new(0);
  spng_ihdr header{};
  const bool ok = spng_set_png_buffer(context, image.bytes.data(), image.bytes.size()) == 0 &&
                  spng_get_ihdr(context, &header) == 0;
  spng_ctx_free(context);
  if (!ok) return false;
  static const unsigned kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  image.width = header.width;
  image.height = header.height;
  image.colourType = header.color_type;
  image.channels = header.color_type < 7 ? kChannels[header.color_type] : 0;
  image.bitDepth = header.bit_depth;
  image.interlaced = header.interlace_method != 0;
  return image.channels != 0;
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The group is the file name up to its first '-'; the size class says whether the player's
// 260 x 260 box holds the picture as it is.
constexpr std::uint32_t kPlayerBox = 260;
std::string groupOf(const std::string& path) { return baseName(path).substr(0, baseName(path).find('-')); }
const char* sizeClassOf(const Image& image) {
  return image.width <= kPlayerBox && image.height <= kPlayerBox ? "player" : "large";
}

enum Decoder { ours, libpng, libpngEqual, spng, spngEqual, stb, kDecoders };
const char* const kDecoderNames[kDecoders] = {"ours", "libpng", "libpng=", "spng", "spng=", "stb"};
const char* const kModeNames[2] = {"warm", "one-shot"};

bool runDecoder(Decoder decoder, const Image& image, OutputMemory& memory) {
  switch (decoder) {
    case ours: return pngbench::runOurs(image, memory);
    case libpng: return pngbench::runLibpng(image, memory, false);
    case libpngEqual: return pngbench::runLibpng(image, memory, true);
    case spng: return pngbench::runSpngNatural(image, memory);
    case spngEqual: return pngbench::runSpngEqual(image, memory);
    default: return pngbench::runStb(image);
  }
}

struct Speeds {
  double median[kDecoders] = {};  // MB/s; 0 where the decoder failed or does not apply
};

double medianOf(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Every decoder once per round, `runs` rounds after one round of warming up.
Speeds measure(const Image& image, bool fresh, int runs) {
  std::deque<OutputMemory> memories;  // never moved: each may hold pages
  for (int d = 0; d < kDecoders; ++d) memories.emplace_back(fresh);
  bool usable[kDecoders];
  for (int d = 0; d < kDecoders; ++d) usable[d] = runDecoder(static_cast<Decoder>(d), image, memories[d]);
  std::vector<double> seconds[kDecoders];
  for (int round = 0; round < runs; ++round) {
    for (int d = 0; d < kDecoders; ++d) {
      if (!usable[d]) continue;
      const auto start = Clock::now();
      runDecoder(static_cast<Decoder>(d), image, memories[d]);
      seconds[d].push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
  }
  Speeds speeds;
  for (int d = 0; d < kDecoders; ++d) {
    if (usable[d]) speeds.median[d] = image.rawSize() / medianOf(seconds[d]) / 1e6;
  }
  return speeds;
}

double ratio(double speed, double base) { return base > 0 ? speed / base : 0; }

struct Ratios {
  std::vector<double> toLibpng, toLibpngEqual, spngToLibpng;
};

void printSummary(const std::map<std::string, Ratios>& ratios) {
  std::printf("\nmedians over images of the speed ratios (ours/libpng, ours/libpng=, spng/libpng):\n");
  for (const auto& [key, values] : ratios) {
    std::printf("  %-26s %3zu images  ours/libpng %5.2f  ours/libpng= %5.2f  spng/libpng %5.2f\n", key.c_str(),
                values.toLibpng.size(), medianOf(values.toLibpng), medianOf(values.toLibpngEqual),
                medianOf(values.spngToLibpng));
  }
}

int runTable(const std::vector<std::string>& paths, int runs) {
  std::printf("%-34s %9s %-8s |", "image", "raw MB", "mode");
  for (const char* name : kDecoderNames) std::printf(" %8s", name);
  std::printf(" | %7s %8s\n", "ours/", "ours/");
  std::printf("%-34s %9s %-8s |", "", "", "");
  for (int d = 0; d < kDecoders; ++d) std::printf(" %8s", "MB/s");
  std::printf(" | %7s %8s\n", "libpng", "libpng=");
  std::map<std::string, Ratios> ratios;  // by "group mode" and "group size mode"
  for (const std::string& path : paths) {
    Image image;
    image.path = path;
    if (!readFile(path, image.bytes) || !describe(image)) {
      std::fprintf(stderr, "bench_png: %s: cannot read\n", path.c_str());
      return 2;
    }
    // Small images run more often so that the medians rest on enough samples.
    const int imageRuns = image.rawSize() < 1000000 ? runs * 4 : runs;
    for (int mode = 0; mode < 2; ++mode) {
      const Speeds speeds = measure(image, mode == 1, imageRuns);
      std::printf("%-34s %9.2f %-8s |", baseName(path).c_str(), image.rawSize() / 1e6, kModeNames[mode]);
      for (const double speed : speeds.median) std::printf(" %8.1f", speed);
      const double toLibpng = ratio(speeds.median[ours], speeds.median[libpng]);
      const double toEqual = ratio(speeds.median[ours], speeds.median[libpngEqual]);
      std::printf(" | %7.2f %8.2f\n", toLibpng, toEqual);
      std::fflush(stdout);
      const std::string group = groupOf(path);
      for (const std::string& key : {group + " " + kModeNames[mode],
                                     group + " " + sizeClassOf(image) + " " + kModeNames[mode]}) {
        ratios[key].toLibpng.push_back(toLibpng);
        ratios[key].toLibpngEqual.push_back(toEqual);
        ratios[key].spngToLibpng.push_back(ratio(speeds.median[spng], speeds.median[libpng]));
      }
    }
  }
  printSummary(ratios);
  for (const char* group : {"photo", "flat"}) {
    const auto warm = ratios.find(std::string(group) + " warm");
    const auto oneShot = ratios.find(std::string(group) + " one-shot");
    if (warm == ratios.end() || oneShot == ratios.end()) continue;
    std::printf("png: %s ours/libpng median speed ratio: warm %.2f, one-shot %.2f (equal work: %.2f, %.2f)\n", group,
                medianOf(warm->second.toLibpng), medianOf(oneShot->second.toLibpng),
                medianOf(warm->second.toLibpngEqual), medianOf(oneShot->second.toLibpngEqual));
  }
  return 0;
}

int runMemory(const std::string& path) {
  Image image;
  if (!readFile(path, image.bytes) || !describe(image)) {
    std::fprintf(stderr, "bench_png: %s: cannot read\n", path.c_str());
    return 2;
  }
  fenok::PngReader reader;
  fenok::initPngReader(reader);
  fenok::DibDescription description;
  std::vector<std::uint8_t> pixels;
  bool ok = fenok::loadPngFromMemory(reader, image.bytes.data(), image.bytes.size()) &&
            fenok::describePngBitmap(reader, fenok::kNaturalFormat, description);
  (void)ok;
  // The bitmap memory belongs to the caller (a DIB section in the player): allocated before counting.
  const std::size_t stride = (std::size_t{image.width} * 32 / 8 + 3) & ~std::size_t{3};
  pixels.resize(stride * image.height);
  gLiveBytes = gPeakBytes = 0;
  gCounting = true;
  ok = fenok::decodePng(reader) && fenok::writePngRows(reader, fenok::kNaturalFormat, pixels.data());
  const std::uint32_t scanlines = reader.scanlinesSize;
  fenok::releasePngReader(reader);
  gCounting = false;
  if (!ok) {
    std::fprintf(stderr, "bench_png: %s: decoding failed\n", path.c_str());
    return 1;
  }
  std::printf("%s: %ux%u, PNG %zu bytes (read where it lies, not copied)\n", baseName(path).c_str(), image.width,
              image.height, image.bytes.size());
  std::printf("peak heap of the decoder: %zu bytes = scanlines %u + %zu (inflater tables, two row buffers)\n",
              gPeakBytes, scanlines, gPeakBytes - scanlines);
  std::printf("peak / scanline size: %.4f (bitmap rows %zu bytes, the caller's)\n",
              static_cast<double>(gPeakBytes) / scanlines, pixels.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> paths;
  int runs = 7;
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) return runMemory(argv[2]);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      paths.emplace_back(argv[i]);
    }
  }
  if (paths.empty()) {
    std::fprintf(stderr, "usage: bench_png [--runs N] FILE.png... | bench_png --memory FILE.png\n");
    return 2;
  }
  return runTable(paths, runs);
}
