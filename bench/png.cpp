// PNG decoding speed: ours against libpng (+zlib), libspng and stb_image on the same files in the
// same run. Each decoder produces its natural layout in memory (ours: the bitmap rows; the others:
// their own rows); speed is counted on the image's raw size (width x height x channels x bytes per
// sample) for all, so the ratios are ratios of time.
//   bench_png [--runs N] FILE.png...   table of min/median speeds and ratios to libpng
//   bench_png --memory FILE.png        peak heap of our decoder against the image's scanline size
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <png.h>
#include <spng.h>
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "pictures/png_reader.h"

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

struct Image {
  std::string path;
  std::vector<std::uint8_t> bytes;
  std::uint32_t width = 0, height = 0;
  unsigned channels = 0, bitDepth = 0;
  bool interlaced = false;
  std::size_t rawSize() const { return std::size_t{width} * height * channels * (bitDepth == 16 ? 2 : 1); }
};

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

// ---- ours
struct Ours {
  std::vector<std::uint8_t> pixels;
  bool run(const Image& image) {
    fenok::PngReader reader;
    fenok::initPngReader(reader);
    fenok::DibDescription description;
    bool ok = fenok::loadPngFromMemory(reader, image.bytes.data(), image.bytes.size()) && fenok::decodePng(reader) &&
              fenok::describePngBitmap(reader, fenok::kNaturalFormat, description);
    if (ok) {
      pixels.resize(std::size_t{description.stride} * image.height);
      ok = fenok::writePngRows(reader, fenok::kNaturalFormat, pixels.data());
    }
    fenok::releasePngReader(reader);
    return ok;
  }
};

// ---- libpng, classic API from memory, no transformations
struct MemoryStream {
  const std::uint8_t* data;
  std::size_t size, offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
  if (stream->offset + length > stream->size) png_error(png, "read past end");
  std::memcpy(out, stream->data + stream->offset, length);
  stream->offset += length;
}

struct LibPng {
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  bool run(const Image& image) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryStream stream{image.bytes.data(), image.bytes.size(), 0};
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_read_struct(&png, &info, nullptr);
      return false;
    }
    png_set_read_fn(png, &stream, readFromMemory);
    png_read_info(png, info);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    pixels.resize(rowBytes * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + y * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
  }
};

// ---- libspng, the PNG's own format
struct Spng {
  std::vector<std::uint8_t> pixels;
  bool run(const Image& image) {
    spng_ctx* context = spng_ctx_new(0);
    bool ok = spng_set_png_buffer(context, image.bytes.data(), image.bytes.size()) == 0;
    std::size_t size = 0;
    ok = ok && spng_decoded_image_size(context, SPNG_FMT_PNG, &size) == 0;
    if (ok) {
      pixels.resize(size);
      ok = spng_decode_image(context, pixels.data(), size, SPNG_FMT_PNG, 0) == 0;
    }
    spng_ctx_free(context);
    return ok;
  }
};

// ---- stb_image (allocates its own output; 16-bit samples come back as 8 bits)
struct Stb {
  bool run(const Image& image) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(image.bytes.data(), static_cast<int>(image.bytes.size()), &width,
                                            &height, &channels, 0);
    if (pixels == nullptr) return false;
    stbi_image_free(pixels);
    return true;
  }
};

struct Timing {
  double bestSeconds = 0, medianSeconds = 0;
  bool ok = false;
};

template <typename Decoder>
Timing measure(Decoder& decoder, const Image& image, int runs) {
  std::vector<double> seconds;
  Timing timing;
  if (!decoder.run(image)) return timing;  // warm-up, and the output buffers reach their size
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    decoder.run(image);
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  timing.bestSeconds = seconds.front();
  timing.medianSeconds = seconds[seconds.size() / 2];
  timing.ok = true;
  return timing;
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
  image.channels = header.color_type < 7 ? kChannels[header.color_type] : 0;
  image.bitDepth = header.bit_depth;
  image.interlaced = header.interlace_method != 0;
  return image.channels != 0;
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

double megabytesPerSecond(const Image& image, double seconds) { return image.rawSize() / seconds / 1e6; }

int runTable(const std::vector<std::string>& paths, int runs) {
  std::printf("%-28s %9s | %-15s | %-15s %6s | %-15s %6s | %-15s %6s\n", "image", "raw MB", "ours med/best",
              "libpng med/best", "ours/", "spng med/best", "spng/", "stb med/best", "stb/");
  std::printf("%-28s %9s | %-15s | %-15s %6s | %-15s %6s | %-15s %6s\n", "", "", "MB/s", "MB/s", "libpng",
              "MB/s", "libpng", "MB/s", "libpng");
  std::vector<double> oursRatios, spngRatios, stbRatios;
  for (const std::string& path : paths) {
    Image image;
    image.path = path;
    if (!readFile(path, image.bytes) || !describe(image)) {
      std::fprintf(stderr, "bench_png: %s: cannot read\n", path.c_str());
      return 2;
    }
    // Small images run more often so that each measurement is long enough to be steady.
    const int imageRuns = image.rawSize() < 1000000 ? runs * 4 : runs;
    Ours ours;
    LibPng libpng;
    Spng spng;
    Stb stb;
    const Timing t[4] = {measure(ours, image, imageRuns), measure(libpng, image, imageRuns),
                         measure(spng, image, imageRuns), measure(stb, image, imageRuns)};
    char cells[4][32];
    double medians[4];
    for (int i = 0; i < 4; ++i) {
      medians[i] = t[i].ok ? megabytesPerSecond(image, t[i].medianSeconds) : 0;
      if (t[i].ok) {
        std::snprintf(cells[i], sizeof cells[i], "%7.1f/%7.1f", medians[i], megabytesPerSecond(image, t[i].bestSeconds));
      } else {
        std::snprintf(cells[i], sizeof cells[i], "%15s", "failed");
      }
    }
    const double base = medians[1] > 0 ? medians[1] : 1;
    std::printf("%-28s %9.2f | %s | %s %6.2f | %s %6.2f | %s %6.2f\n", baseName(path).c_str(), image.rawSize() / 1e6,
                cells[0], cells[1], medians[0] / base, cells[2], medians[2] / base, cells[3], medians[3] / base);
    std::fflush(stdout);
    oursRatios.push_back(medians[0] / base);
    spngRatios.push_back(medians[2] / base);
    stbRatios.push_back(medians[3] / base);
  }
  auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
  };
  std::printf("\nmedian over images of the speed ratio to libpng: ours %.2f, spng %.2f, stb %.2f\n",
              median(oursRatios), median(spngRatios), median(stbRatios));
  std::printf("png: ours/libpng median speed ratio %.2f\n", median(oursRatios));
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
