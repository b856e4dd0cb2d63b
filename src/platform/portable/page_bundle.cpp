// The resources of a quiz page: packed as the page carries them, and read back with every read
// bounded by the decoded bytes.
#include "platform/portable/page_bundle.h"

#include <algorithm>

#include "platform/portable/memory_resources.h"

namespace fenok {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPadding = '=';
constexpr std::uint8_t kNamedType = 'N';
constexpr std::uint8_t kNumberedType = '#';
constexpr std::size_t kMaxTypeName = 255;
constexpr int kMaxCount = 0xFFFF;

int sextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Reads the decoded bytes; a read past the end fails, and every read after it fails too.
class Cursor {
 public:
  explicit Cursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  [[nodiscard]] std::uint32_t number(int size) {
    if (!has(static_cast<std::size_t>(size))) return 0;
    std::uint32_t value = 0;
    for (int i = size; i-- > 0;) value = (value << 8) | bytes_[position_ + static_cast<std::size_t>(i)];
    position_ += static_cast<std::size_t>(size);
    return value;
  }
  [[nodiscard]] std::vector<std::uint8_t> bytes(std::size_t size) {
    if (!has(size)) return {};
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(position_);
    position_ += size;
    return std::vector<std::uint8_t>(first, first + static_cast<std::ptrdiff_t>(size));
  }
  bool failed() const { return failed_; }

 private:
  bool has(std::size_t size) {
    failed_ = failed_ || size > bytes_.size() - position_;
    return !failed_;
  }

  const std::vector<std::uint8_t>& bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

// One resource into resources; false when the bytes end before it does.
bool readResource(Cursor& cursor, MemoryResources& resources) {
  const std::uint32_t tag = cursor.number(1);
  std::string name;
  int typeNumber = 0;
  if (tag == kNamedType) {
    const std::vector<std::uint8_t> bytes = cursor.bytes(cursor.number(1));
    name.assign(bytes.begin(), bytes.end());
  } else {
    typeNumber = static_cast<int>(cursor.number(2));
  }
  const int id = static_cast<int>(cursor.number(2));
  std::vector<std::uint8_t> bytes = cursor.bytes(cursor.number(4));
  if (cursor.failed() || (tag != kNamedType && tag != kNumberedType) || (tag == kNamedType && name.empty())) {
    return false;
  }
  const ResourceType type = tag == kNamedType ? ResourceType::named(name.c_str()) : ResourceType::numbered(typeNumber);
  resources.add(type, id, std::move(bytes));
  return true;
}

}  // namespace

std::string base64Encode(const std::uint8_t* bytes, std::size_t size) {
  std::string text;
  text.reserve((size + 2) / 3 * 4);
  for (std::size_t i = 0; i < size; i += 3) {
    const std::size_t left = std::min<std::size_t>(3, size - i);
    std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (left > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k < 4; ++k) {
      text += k <= left ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : kPadding;
    }
  }
  return text;
}

std::vector<std::uint8_t> base64Decode(const char* text, std::size_t size, bool& complete) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size / 4 * 3);
  std::uint32_t group = 0;
  int bits = 0;
  complete = true;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = text[i];
    if (isBlank(c)) continue;
    if (c == kPadding) break;  // the end of the data
    const int sextet = sextetOf(c);
    if (sextet < 0) {
      complete = false;
      break;
    }
    group = (group << 6) | static_cast<std::uint32_t>(sextet);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<std::uint8_t>(group >> bits));
    }
  }
  return bytes;
}

std::string encodePageBundle(const std::vector<PeResourceEntry>& resources) {
  std::vector<std::uint8_t> bytes(kBundleMarker, kBundleMarker + sizeof kBundleMarker);
  bytes.push_back(kBundleVersion);
  std::vector<const PeResourceEntry*> carried;
  for (const PeResourceEntry& entry : resources) {
    if (entry.idName.empty() && entry.typeName.size() <= kMaxTypeName) carried.push_back(&entry);
  }
  carried.resize(std::min<std::size_t>(carried.size(), kMaxCount));
  putLittleEndian(bytes, static_cast<std::uint32_t>(carried.size()), 2);
  for (const PeResourceEntry* entry : carried) {
    if (entry->typeName.empty()) {
      bytes.push_back(kNumberedType);
      putLittleEndian(bytes, static_cast<std::uint32_t>(entry->typeNumber), 2);
    } else {
      bytes.push_back(kNamedType);
      bytes.push_back(static_cast<std::uint8_t>(entry->typeName.size()));
      bytes.insert(bytes.end(), entry->typeName.begin(), entry->typeName.end());
    }
    putLittleEndian(bytes, static_cast<std::uint32_t>(entry->id), 2);
    putLittleEndian(bytes, static_cast<std::uint32_t>(entry->bytes.size()), 4);
    bytes.insert(bytes.end(), entry->bytes.begin(), entry->bytes.end());
  }
  return base64Encode(bytes.data(), bytes.size());
}

BundleReading decodePageBundle(const char* text, std::size_t size, MemoryResources& resources) {
  BundleReading reading;
  bool wholeText = true;
  const std::vector<std::uint8_t> bytes = base64Decode(text, size, wholeText);
  Cursor cursor(bytes);
  const std::vector<std::uint8_t> marker = cursor.bytes(sizeof kBundleMarker);
  if (cursor.failed() || !std::equal(marker.begin(), marker.end(), kBundleMarker)) {
    reading.damage = BundleDamage::notABundle;
    return reading;
  }
  const std::uint32_t version = cursor.number(1);
  if (version != kBundleVersion) {
    reading.damage = version > kBundleVersion ? BundleDamage::newer : BundleDamage::notABundle;
    return reading;
  }
  reading.resourcesDeclared = static_cast<int>(cursor.number(2));
  while (reading.resourcesRead < reading.resourcesDeclared && readResource(cursor, resources)) ++reading.resourcesRead;
  if (cursor.failed() || reading.resourcesRead < reading.resourcesDeclared) {
    reading.damage = wholeText ? BundleDamage::cutShort : BundleDamage::notBase64;
  } else if (!wholeText) {
    reading.damage = BundleDamage::notBase64;
  }
  return reading;
}

}  // namespace fenok
