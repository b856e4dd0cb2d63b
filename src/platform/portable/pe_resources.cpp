// The resource directory of a PE image: three levels (type, name, language) of directory tables whose
// offsets are relative to the start of the resource section, ending in data entries that point at the
// bytes by RVA. A hostile file can point anywhere, repeat a table to make a loop or a fan-out, or claim
// huge counts; each of those is refused here with its reason.
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/portable/pe_resources.h"
#include "platform/portable/stored_bytes.h"

namespace fenok {
namespace {

constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kNamedBit = 0x80000000u;
constexpr std::uint32_t kDirectoryHeaderSize = 16;
constexpr std::uint32_t kDirectoryEntrySize = 8;
constexpr std::uint32_t kDataEntrySize = 16;
constexpr std::size_t kMaxEntries = 65536;
constexpr int kLevels = 3;  // type, name, language

struct Key {
  std::string name;
  int number = 0;
};

bool sameName(const std::string& stored, const char* wanted) {
  if (stored.size() != std::strlen(wanted)) return false;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto a = static_cast<unsigned char>(stored[i]);
    const auto b = static_cast<unsigned char>(wanted[i]);
    if (std::toupper(a) != std::toupper(b)) return false;
  }
  return true;
}

class DirectoryWalker {
 public:
  DirectoryWalker(const std::vector<std::uint8_t>& image, const PeLayout& layout, StoredBytes area,
                  std::vector<PeResourceEntry>& out)
      : image_(image), layout_(layout), area_(area), out_(out) {}

  bool walk(std::string& error) { return readTable(0, 0, Key{}, Key{}, error); }

 private:
  bool fail(std::string& error, const char* reason) const {
    error = reason;
    return false;
  }

  bool readName(std::uint32_t offset, std::string& name, std::string& error) const {
    std::uint16_t length = 0;
    if (!area_.u16(offset, length) || !area_.holds(std::uint64_t{offset} + 2, std::uint64_t{length} * 2))
      return fail(error, "resource name outside the resource section");
    if (length == 0) return fail(error, "empty resource name");
    for (std::uint32_t i = 0; i < length; ++i) {
      std::uint16_t unit = 0;
      area_.u16(std::uint64_t{offset} + 2 + 2 * i, unit);
      name.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    }
    return true;
  }

  bool readKey(std::uint32_t field, Key& key, std::string& error) const {
    if (field & kNamedBit) return readName(field & ~kNamedBit, key.name, error);
    if (field > 0xFFFF) return fail(error, "resource number out of range");
    key.number = static_cast<int>(field);
    return true;
  }

  bool readTable(std::uint32_t offset, int level, const Key& type, const Key& id, std::string& error) {
    if (!visited_.insert(offset).second) return fail(error, "resource directory refers to a table twice");
    std::uint16_t named = 0, numbered = 0;
    if (!area_.u16(std::uint64_t{offset} + 12, named) || !area_.u16(std::uint64_t{offset} + 14, numbered))
      return fail(error, "resource directory outside the resource section");
    const std::uint32_t count = std::uint32_t{named} + numbered;
    const std::uint64_t first = std::uint64_t{offset} + kDirectoryHeaderSize;
    if (!area_.holds(first, std::uint64_t{count} * kDirectoryEntrySize))
      return fail(error, "resource directory entries outside the resource section");
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t keyField = 0, target = 0;
      area_.u32(first + i * kDirectoryEntrySize, keyField);
      area_.u32(first + i * kDirectoryEntrySize + 4, target);
      Key key;
      if (!readKey(keyField, key, error)) return false;
      const bool isTable = (target & kSubdirectoryBit) != 0;
      if (isTable != (level < kLevels - 1)) return fail(error, "resource directory is not three levels deep");
      const bool ok = level == 0   ? readTable(target & ~kSubdirectoryBit, 1, key, id, error)
                      : level == 1 ? readTable(target & ~kSubdirectoryBit, 2, type, key, error)
                                   : readData(target, type, id, key.number, error);
      if (!ok) return false;
    }
    return true;
  }

  // Resource bytes are addressed by RVA and must lie in the stored part of one section.
  bool locate(std::uint32_t rva, std::uint32_t size, std::uint64_t& fileOffset) const {
    for (const PeSection& section : layout_.sections) {
      if (rva < section.virtualAddress) continue;
      const std::uint64_t within = rva - section.virtualAddress;
      if (within + size > section.rawSize) continue;
      fileOffset = std::uint64_t{section.rawOffset} + within;
      return StoredBytes(image_).holds(fileOffset, size);
    }
    return false;
  }

  bool readData(std::uint32_t offset, const Key& type, const Key& id, int language, std::string& error) {
    if (!visited_.insert(offset).second) return fail(error, "resource directory refers to data twice");
    if (out_.size() >= kMaxEntries) return fail(error, "too many resources");
    std::uint32_t rva = 0, size = 0, codePage = 0;
    if (!area_.holds(offset, kDataEntrySize)) return fail(error, "resource data entry outside the resource section");
    area_.u32(offset, rva);
    area_.u32(std::uint64_t{offset} + 4, size);
    area_.u32(std::uint64_t{offset} + 8, codePage);
    std::uint64_t at = 0;
    if (!locate(rva, size, at)) return fail(error, "resource data outside the file");
    totalBytes_ += size;
    if (totalBytes_ > image_.size()) return fail(error, "resource data overlaps itself");
    PeResourceEntry entry;
    entry.typeName = type.name;
    entry.typeNumber = type.number;
    entry.idName = id.name;
    entry.id = id.number;
    entry.language = language;
    entry.codePage = codePage;
    entry.bytes.assign(image_.begin() + static_cast<std::ptrdiff_t>(at),
                       image_.begin() + static_cast<std::ptrdiff_t>(at + size));
    out_.push_back(std::move(entry));
    return true;
  }

  const std::vector<std::uint8_t>& image_;
  const PeLayout& layout_;
  StoredBytes area_;
  std::vector<PeResourceEntry>& out_;
  std::set<std::uint32_t> visited_;
  std::uint64_t totalBytes_ = 0;
};

// The stored bytes of the section that holds the resource directory, from the directory on.
bool resourceArea(const std::vector<std::uint8_t>& image, const PeLayout& layout, StoredBytes& area,
                  std::string& error) {
  for (const PeSection& section : layout.sections) {
    if (layout.resourceRva < section.virtualAddress) continue;
    const std::uint64_t within = layout.resourceRva - section.virtualAddress;
    if (within >= section.rawSize) continue;
    const std::uint64_t start = std::uint64_t{section.rawOffset} + within;
    if (start >= image.size()) break;
    std::uint64_t length = section.rawSize - within;
    if (length > image.size() - start) length = image.size() - start;  // a truncated file keeps what it has
    area = StoredBytes(image.data() + start, static_cast<std::size_t>(length));
    return true;
  }
  error = "resource directory outside every section";
  return false;
}

}  // namespace

bool PeResources::load(std::vector<std::uint8_t> image, std::string& error) {
  image_ = std::move(image);
  entries_.clear();
  if (!readPeLayout(image_, layout_, error)) return false;
  if (layout_.resourceRva == 0) return true;  // a program without resources is still a program
  StoredBytes area(nullptr, 0);
  if (!resourceArea(image_, layout_, area, error)) return false;
  DirectoryWalker walker(image_, layout_, area, entries_);
  if (walker.walk(error)) return true;
  entries_.clear();
  return false;
}

bool PeResources::loadFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    error = "cannot read " + path;
    return false;
  }
  return load(std::move(bytes), error);
}

ByteView PeResources::find(ResourceType type, int id) const {
  for (const PeResourceEntry& entry : entries_) {
    const bool typeMatches = type.name ? (!entry.typeName.empty() && sameName(entry.typeName, type.name))
                                       : (entry.typeName.empty() && entry.typeNumber == type.number);
    if (typeMatches && entry.idName.empty() && entry.id == id) return {entry.bytes.data(), entry.bytes.size()};
  }
  return {};
}

}  // namespace fenok
