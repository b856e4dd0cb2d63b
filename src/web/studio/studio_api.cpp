// The page studio's entry points: plain C functions over bytes in and bytes out, as the web player's.
// Inputs are (pointer, size) pairs in memory the script takes with malloc, before any number
// argument; every call leaves its result in one output buffer (fenok_studio_output, _size, _type),
// valid until the next call. Events answer with the studio's snapshot (web_studio.h). The author's
// files are written into the module's memory file system through fenok_studio_write_file, and what
// the studio writes there (a quiz page, a program) is read back with fenok_studio_read_file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "web/studio/handed_pictures.h"
#include "web/studio/web_studio.h"

#if defined(__EMSCRIPTEN__)
#define FENOK_STUDIO_EXPORT extern "C" __attribute__((used))
#else
#define FENOK_STUDIO_EXPORT extern "C"
#endif

namespace {

constexpr const char* kJson = "application/json";
constexpr const char* kBytes = "application/octet-stream";
constexpr const char* kPixels = "image/x-rgba";  // 4-byte little-endian width and height, then RGBA rows

std::unique_ptr<fenok::web::WebStudio> studio;
std::vector<std::uint8_t> output;
std::string outputType;

std::string text(const char* bytes, std::size_t size) { return bytes ? std::string(bytes, size) : std::string(); }

void put(const std::string& bytes, const char* type) {
  output.assign(bytes.begin(), bytes.end());
  outputType = type;
}

fenok::web::WebStudio& current() {
  if (!studio) studio = std::make_unique<fenok::web::WebStudio>();
  return *studio;
}

void putSnapshot() { put(current().snapshot(), kJson); }

void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

FENOK_STUDIO_EXPORT const std::uint8_t* fenok_studio_output() { return output.data(); }
FENOK_STUDIO_EXPORT std::size_t fenok_studio_output_size() { return output.size(); }
FENOK_STUDIO_EXPORT const char* fenok_studio_output_type() { return outputType.c_str(); }

// A file of the author's, at a path of the page's choosing; its folders are made. Answers 1 or 0.
FENOK_STUDIO_EXPORT int fenok_studio_write_file(const char* path, std::size_t pathSize, const std::uint8_t* bytes,
                                                std::size_t size) {
  const std::filesystem::path file = text(path, pathSize);
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  return out.good() ? 1 : 0;
}

// A file the studio wrote; an empty output when there is none.
FENOK_STUDIO_EXPORT void fenok_studio_read_file(const char* path, std::size_t pathSize) {
  std::ifstream in(text(path, pathSize), std::ios::binary);
  output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  outputType = kBytes;
}

// The pixels the browser decoded for a picture file the C++ does not read (WebP, AVIF, HEIC): the
// file's bytes, then its RGBA pixels, as stored (not turned by its metadata).
FENOK_STUDIO_EXPORT void fenok_studio_hand_pixels(const std::uint8_t* file, std::size_t fileSize,
                                                  const std::uint8_t* rgba, std::size_t rgbaSize, int width,
                                                  int height) {
  fenok::web::addHandedPicturesDecoder();
  fenok::web::handPicturePixels(std::vector<std::uint8_t>(file, file + fileSize), width, height,
                                std::vector<std::uint8_t>(rgba, rgba + rgbaSize));
}

// Opens what the page gives (a folder of pictures or clips, or a description), or nothing.
FENOK_STUDIO_EXPORT void fenok_studio_start(const char* path, std::size_t size) {
  fenok::web::addHandedPicturesDecoder();
  studio = std::make_unique<fenok::web::WebStudio>();
  std::vector<std::string> arguments;
  if (size > 0) arguments.push_back(text(path, size));
  studio->start(arguments);
  putSnapshot();
}

// The answer of the next dialog the studio opens: paths, one a line, and the type chosen.
FENOK_STUDIO_EXPORT void fenok_studio_answer_paths(const char* lines, std::size_t size, int filterIndex) {
  std::vector<std::string> paths;
  std::istringstream in(text(lines, size));
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) paths.push_back(line);
  current().host().answerPaths(std::move(paths), filterIndex);
}

// The answer of the next question: 0 yes, 1 no, 2 cancel.
FENOK_STUDIO_EXPORT void fenok_studio_answer_reply(int reply) {
  const fenok::studio::Reply replies[] = {fenok::studio::Reply::yes, fenok::studio::Reply::no,
                                          fenok::studio::Reply::cancel};
  current().host().answerReply(reply >= 0 && reply <= 2 ? replies[reply] : fenok::studio::Reply::cancel);
}

FENOK_STUDIO_EXPORT void fenok_studio_command(int id) {
  current().command(id);
  putSnapshot();
}

FENOK_STUDIO_EXPORT void fenok_studio_typed(const char* typed, std::size_t size, int id) {
  current().typed(id, text(typed, size));
  putSnapshot();
}

FENOK_STUDIO_EXPORT void fenok_studio_left(int id) {
  current().left(id);
  putSnapshot();
}

FENOK_STUDIO_EXPORT void fenok_studio_picked(int id, int row) {
  current().picked(id, row);
  putSnapshot();
}

FENOK_STUDIO_EXPORT void fenok_studio_enter() {
  current().enter();
  putSnapshot();
}

// A control's picture (row -1) or a row's thumbnail, as RGBA pixels; an empty output when none.
FENOK_STUDIO_EXPORT void fenok_studio_picture(int id, int row) {
  output.clear();
  outputType = kPixels;
  const fenok::FormPicture* picture = current().picture(id, row);
  if (!picture) return;
  appendLe32(output, static_cast<std::uint32_t>(picture->width));
  appendLe32(output, static_cast<std::uint32_t>(picture->height));
  for (std::size_t i = 0; i + 3 < picture->bgra.size(); i += 4)
    output.insert(output.end(), {picture->bgra[i + 2], picture->bgra[i + 1], picture->bgra[i], 0xFF});
}
