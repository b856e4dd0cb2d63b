// The page studio's entry points: plain C functions over bytes in and bytes out, as the web player's.
// Inputs are (pointer, size) pairs in memory the script takes with malloc, before any number
// argument; every call leaves its result in one output buffer (fenok_studio_output, _size, _type),
// valid until the next call. Events answer with the studio's snapshot (web_studio.h). The author's
// files are written into the module's memory file system through fenok_studio_write_file, and what
// the studio writes there (a quiz page, a program) is read back with fenok_studio_read_file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "authoring/file_bytes.h"
#include "authoring/pictures/picture_format.h"
#include "authoring/pictures/prepared_pictures.h"
#include "quiz_making.h"
#include "web/entry_points.h"
#include "web/json_writer.h"
#include "web/studio/handed_pictures.h"
#include "web/studio/web_studio.h"


namespace {

constexpr const char* kJson = "application/json";
constexpr const char* kBytes = "application/octet-stream";
constexpr const char* kPixels = "image/x-rgba";  // 4-byte little-endian width and height, then RGBA rows

std::unique_ptr<fenok::web::WebStudio> studio;
fenok::web::EntryOutput output;

using fenok::web::entryText;

fenok::web::WebStudio& current() {
  if (!studio) studio = std::make_unique<fenok::web::WebStudio>();
  return *studio;
}

void putSnapshot() { output.put(current().snapshot(), kJson); }

// The page hands paths one a line.
std::vector<std::string> pathLines(const char* lines, std::size_t size) {
  std::vector<std::string> paths;
  std::istringstream in(entryText(lines, size));
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) paths.push_back(line);
  return paths;
}

void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

FENOK_WEB_EXPORT const std::uint8_t* fenok_studio_output() { return output.data(); }
FENOK_WEB_EXPORT std::size_t fenok_studio_output_size() { return output.size(); }
FENOK_WEB_EXPORT const char* fenok_studio_output_type() { return output.type(); }

// A file of the author's, at a path of the page's choosing; its folders are made. Answers 1 or 0.
FENOK_WEB_EXPORT int fenok_studio_write_file(const char* path, std::size_t pathSize, const std::uint8_t* bytes,
                                                std::size_t size) {
  const std::filesystem::path file = entryText(path, pathSize);
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  // One write of the system for the whole file (a stream's small buffer would make it hundreds).
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return 0;
  const bool whole = std::fwrite(bytes, 1, size, out) == size;
  return std::fclose(out) == 0 && whole ? 1 : 0;
}

// A file the studio wrote; an empty output when there is none.
FENOK_WEB_EXPORT void fenok_studio_read_file(const char* path, std::size_t pathSize) {
  std::vector<std::uint8_t> bytes;
  fenok::pack::readFileBytes(entryText(path, pathSize), bytes);  // left empty when it cannot be read
  output.put(std::move(bytes), kBytes);
}

// The pixels the browser decoded for a picture file the C++ does not read (WebP, AVIF, HEIC): the
// file's bytes, then its RGBA pixels, as stored (not turned by its metadata).
FENOK_WEB_EXPORT void fenok_studio_hand_pixels(const std::uint8_t* file, std::size_t fileSize,
                                                  const std::uint8_t* rgba, std::size_t rgbaSize, int width,
                                                  int height) {
  fenok::web::addHandedPicturesDecoder();
  fenok::web::handPicturePixels(std::vector<std::uint8_t>(file, file + fileSize), width, height,
                                std::vector<std::uint8_t>(rgba, rgba + rgbaSize));
}

// The size the browser found a picture declares: 1 when its pixels are to be handed, 0 when it is too
// large to be decoded for a quiz (the studio then says so).
FENOK_WEB_EXPORT int fenok_studio_hand_size(const std::uint8_t* file, std::size_t fileSize, int width, int height) {
  fenok::web::addHandedPicturesDecoder();
  return fenok::web::handPictureSize(std::vector<std::uint8_t>(file, file + fileSize), width, height) ? 1 : 0;
}

// Who reads a file's picture: 0 none (no picture), 1 only the browser (WebP, AVIF, HEIC: its pixels are
// to be handed), 2 the C++ itself (JPEG, GIF, PNG: the page's workers may fit it).
FENOK_WEB_EXPORT int fenok_studio_picture_reader(const std::uint8_t* bytes, std::size_t size) {
  const std::size_t head = size < fenok::pack::kFormatSignatureBytes ? size : fenok::pack::kFormatSignatureBytes;
  const fenok::pack::PictureFormat format = fenok::pack::pictureFormat(std::vector<std::uint8_t>(bytes, bytes + head));
  if (format == fenok::pack::PictureFormat::none) return 0;
  return fenok::pack::playerShows(format) ? 2 : 1;
}

// In one of the page's workers: a picture fitted as a quiz stores it; an empty output when it cannot be.
FENOK_WEB_EXPORT void fenok_studio_fit(const std::uint8_t* bytes, std::size_t size) {
  std::vector<std::uint8_t> picture(bytes, bytes + size);
  fenok::pack::PictureFormat format = fenok::pack::pictureFormat(picture);
  fenok::pack::Message problem;
  if (format == fenok::pack::PictureFormat::none || !fenok::pack::PreparedPictures::fitted(picture, format, problem))
    picture.clear();
  output.put(std::move(picture), kBytes);
}

// What a worker fitted from these input bytes, found again when the studio fits them.
FENOK_WEB_EXPORT void fenok_studio_remember_fitted(const std::uint8_t* input, std::size_t inputSize,
                                                      const std::uint8_t* fitted, std::size_t fittedSize) {
  std::vector<std::uint8_t> picture(fitted, fitted + fittedSize);
  const fenok::pack::PictureFormat format = fenok::pack::pictureFormat(picture);
  if (!fenok::pack::playerShows(format)) return;  // what the worker gave is no stored picture
  fenok::pack::PreparedPictures::rememberFitted(std::vector<std::uint8_t>(input, input + inputSize),
                                                std::move(picture), format);
}

// The quiz as the page keeps it in the browser (web_studio.h).
FENOK_WEB_EXPORT void fenok_studio_kept() { output.put(current().keptDescription(), kJson); }

// Opens what the page gives (a folder of pictures or clips, or a description), or nothing.
FENOK_WEB_EXPORT void fenok_studio_start(const char* path, std::size_t size) {
  fenok::web::addHandedPicturesDecoder();
  studio = std::make_unique<fenok::web::WebStudio>();
  std::vector<std::string> arguments;
  if (size > 0) arguments.push_back(entryText(path, size));
  studio->start(arguments);
  putSnapshot();
}

// The answer of the next dialog the studio opens: paths, one a line, and the type chosen.
FENOK_WEB_EXPORT void fenok_studio_answer_paths(const char* lines, std::size_t size, int filterIndex) {
  std::vector<std::string> paths = pathLines(lines, size);
  current().host().answerPaths(std::move(paths), filterIndex);
}

// The answer of the next colour dialog, 0x00BBGGRR.
FENOK_WEB_EXPORT void fenok_studio_answer_colour(std::uint32_t colour) { current().host().answerColour(colour); }

// The answer of the next question: 0 yes, 1 no, 2 cancel.
FENOK_WEB_EXPORT void fenok_studio_answer_reply(int reply) {
  const fenok::studio::Reply replies[] = {fenok::studio::Reply::yes, fenok::studio::Reply::no,
                                          fenok::studio::Reply::cancel};
  current().host().answerReply(reply >= 0 && reply <= 2 ? replies[reply] : fenok::studio::Reply::cancel);
}

FENOK_WEB_EXPORT void fenok_studio_command(int id) {
  current().command(id);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_studio_typed(const char* typed, std::size_t size, int id) {
  current().typed(id, entryText(typed, size));
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_studio_left(int id) {
  current().left(id);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_studio_picked(int id, int row) {
  current().picked(id, row);
  putSnapshot();
}

FENOK_WEB_EXPORT void fenok_studio_enter(int focused) {
  current().enter(focused);
  putSnapshot();
}

// A control's picture (row -1) or a row's thumbnail, as RGBA pixels; an empty output when none.
FENOK_WEB_EXPORT void fenok_studio_picture(int id, int row) {
  std::vector<std::uint8_t> pixels;
  if (const fenok::FormPicture* picture = current().picture(id, row)) {
    appendLe32(pixels, static_cast<std::uint32_t>(picture->width));
    appendLe32(pixels, static_cast<std::uint32_t>(picture->height));
    for (std::size_t i = 0; i + 3 < picture->bgra.size(); i += 4)
      pixels.insert(pixels.end(), {picture->bgra[i + 2], picture->bgra[i + 1], picture->bgra[i], 0xFF});
  }
  output.put(std::move(pixels), kPixels);
}

// A list's row activated (the problems list: go to the question it names).
FENOK_WEB_EXPORT void fenok_studio_activated(int id) {
  current().activated(id);
  putSnapshot();
}

// Files dropped on the page, once written into the memory file system: their paths, one a line.
FENOK_WEB_EXPORT void fenok_studio_dropped(const char* lines, std::size_t size) {
  std::vector<std::string> paths = pathLines(lines, size);
  current().dropped(paths);
  putSnapshot();
}

// A quiz made before (a program or a page the page wrote into the memory file system) taken apart
// beside it: {"description": its path or "", "message": what to tell the author}. The page then
// starts the studio on the description, so that a file that is no quiz leaves the quiz on screen.
FENOK_WEB_EXPORT void fenok_studio_unpack(const char* path, std::size_t size) {
  const fenok::studio::UnpackedQuiz unpacked = fenok::studio::unpackForEditing(entryText(path, size), current().host());
  fenok::web::JsonWriter json;
  json.beginObject();
  json.field("description", unpacked.description);
  json.field("message", unpacked.message);
  json.endObject();
  output.put(json.text(), kJson);
}
