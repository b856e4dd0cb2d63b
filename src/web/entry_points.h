#pragma once
// What the page's WebAssembly modules (the web player, the studio) share at their edge: plain C
// entry points, texts given as (pointer, size), and one output buffer whose bytes and type stay valid
// until the next call.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#if defined(__EMSCRIPTEN__)
#define FENOK_WEB_EXPORT extern "C" __attribute__((used))
#else
#define FENOK_WEB_EXPORT extern "C"
#endif

namespace fenok::web {

inline std::string entryText(const char* bytes, std::size_t size) {
  return bytes ? std::string(bytes, size) : std::string();
}

class EntryOutput {
 public:
  void put(const std::string& bytes, const std::string& type) {
    bytes_.assign(bytes.begin(), bytes.end());
    type_ = type;
  }
  void put(std::vector<std::uint8_t> bytes, const std::string& type) {
    bytes_ = std::move(bytes);
    type_ = type;
  }
  void clear() { bytes_.clear(); }

  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  const char* type() const { return type_.c_str(); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::string type_;
};

}  // namespace fenok::web
