// Fuzzes the PNG decoder over its whole road: load (through the resources port, as the player
// does), decode, and a bitmap in the natural layout and in every other layout code.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/png_reader.h"
#include "platform/ports/resources.h"

namespace {

constexpr std::int32_t kLayoutCodes[] = {
    0x00010100, 0x0002010B, 0x00040100, 0x00080100, 0x00100106, 0x0208010C, 0x02100107, 0x03010100, 0x0302010B,
    0x03040100, 0x03080100, 0x04080106, 0x0410010A, 0x0608010E, 0x0608010D, 0x06100109, 0x06100108,
};

class OneRcdata : public fenok::Resources {
 public:
  OneRcdata(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  fenok::ByteView find(fenok::ResourceType type, int id) const override {
    if (type.name != nullptr || type.number != fenok::kRtRcdata || id != 400) return {};
    return {data_, size_};
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A private copy, so that any read past the input is caught at its exact end.
  const std::vector<std::uint8_t> bytes(data, data + size);
  const OneRcdata resources(bytes.data(), bytes.size());
  fenok::PngReader reader;
  fenok::initPngReader(reader);
  if (fenok::loadPngFromResource(reader, resources, 400) && fenok::decodePng(reader)) {
    fenok::DibDescription description;
    std::vector<std::uint8_t> rows;
    fenok::buildPngBitmap(reader, fenok::kNaturalFormat, description, rows);
    for (const std::int32_t code : kLayoutCodes) fenok::buildPngBitmap(reader, code, description, rows);
  }
  fenok::releasePngReader(reader);
  return 0;
}
