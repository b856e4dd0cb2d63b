// Layout of the section written here: every directory table first (root, then the name tables, then
// the language tables), then the data entries, then the names (length-prefixed UTF-16), then the
// resource bytes, each aligned to 8. Within a table, named entries come first in ascending upper-case
// order and numbered entries follow in ascending order: Windows looks entries up by binary search.
#include "resource_section.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "little_endian.h"

namespace fenok::pack {
namespace {

constexpr std::uint32_t kTableHeaderSize = 16;
constexpr std::uint32_t kTableEntrySize = 8;
constexpr std::uint32_t kDataEntrySize = 16;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kNamedBit = 0x80000000u;

std::string upper(const std::string& text) {
  std::string result = text;
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

// A type or id: a name (stored upper-case, as resource compilers do) or a number.
struct Key {
  std::string name;
  int number = 0;

  bool operator<(const Key& other) const {
    if (name.empty() != other.name.empty()) return !name.empty();  // names first
    if (!name.empty()) return name < other.name;
    return number < other.number;
  }
};

Key typeKey(const PeResourceEntry& entry) { return {upper(entry.typeName), entry.typeNumber}; }
Key idKey(const PeResourceEntry& entry) { return {upper(entry.idName), entry.id}; }

using LanguageMap = std::map<int, const PeResourceEntry*>;
using IdMap = std::map<Key, LanguageMap>;
using TypeMap = std::map<Key, IdMap>;

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

class SectionWriter {
 public:
  SectionWriter(const TypeMap& tree, std::uint32_t sectionRva) : tree_(tree), sectionRva_(sectionRva) {}

  std::vector<std::uint8_t> write() {
    planOffsets();
    out_.assign(totalSize_, 0);
    std::uint32_t typeTable = 0, idTable = rootSize(), languageTable = idTable + idTablesSize_;
    std::uint32_t dataEntry = dataEntriesStart_;
    writeTableHeader(typeTable, tree_);
    std::uint32_t typeSlot = typeTable + kTableHeaderSize;
    for (const auto& [type, ids] : tree_) {
      writeEntry(typeSlot, type, idTable | kSubdirectoryBit);
      typeSlot += kTableEntrySize;
      writeTableHeader(idTable, ids);
      std::uint32_t idSlot = idTable + kTableHeaderSize;
      idTable += tableSize(ids.size());
      for (const auto& [id, languages] : ids) {
        writeEntry(idSlot, id, languageTable | kSubdirectoryBit);
        idSlot += kTableEntrySize;
        writeTableHeader(languageTable, languages);
        std::uint32_t languageSlot = languageTable + kTableHeaderSize;
        languageTable += tableSize(languages.size());
        for (const auto& [language, entry] : languages) {
          writeEntry(languageSlot, Key{"", language}, dataEntry);
          languageSlot += kTableEntrySize;
          writeDataEntry(dataEntry, *entry);
          dataEntry += kDataEntrySize;
        }
      }
    }
    return std::move(out_);
  }

 private:
  static std::uint32_t tableSize(std::size_t count) {
    return kTableHeaderSize + static_cast<std::uint32_t>(count) * kTableEntrySize;
  }
  std::uint32_t rootSize() const { return tableSize(tree_.size()); }

  void planOffsets() {
    std::uint32_t languageTablesSize = 0, dataEntries = 0;
    for (const auto& [type, ids] : tree_) {
      idTablesSize_ += tableSize(ids.size());
      addName(type);
      for (const auto& [id, languages] : ids) {
        languageTablesSize += tableSize(languages.size());
        dataEntries += static_cast<std::uint32_t>(languages.size());
        addName(id);
      }
    }
    dataEntriesStart_ = rootSize() + idTablesSize_ + languageTablesSize;
    std::uint32_t at = dataEntriesStart_ + dataEntries * kDataEntrySize;
    for (auto& [name, offset] : nameOffsets_) {
      offset = at;
      at += 2 + 2 * static_cast<std::uint32_t>(name.size());
    }
    for (const auto& [type, ids] : tree_)
      for (const auto& [id, languages] : ids)
        for (const auto& [language, entry] : languages) {
          at = alignUp(at, 8);
          dataOffsets_[entry] = at;
          at += static_cast<std::uint32_t>(entry->bytes.size());
        }
    totalSize_ = alignUp(at, 8);
  }

  void addName(const Key& key) {
    if (!key.name.empty()) nameOffsets_.emplace(key.name, 0);
  }

  void put16(std::uint32_t at, std::uint32_t value) { pack::put16(out_, at, value); }
  void put32(std::uint32_t at, std::uint32_t value) { pack::put32(out_, at, value); }

  template <typename Map>
  void writeTableHeader(std::uint32_t at, const Map& entries) {
    std::uint32_t named = 0;
    for (const auto& item : entries) named += keyName(item.first).empty() ? 0 : 1;
    put16(at + 12, named);
    put16(at + 14, static_cast<std::uint32_t>(entries.size()) - named);
  }
  static const std::string& keyName(const Key& key) { return key.name; }
  static const std::string& keyName(int) {
    static const std::string none;
    return none;
  }

  void writeEntry(std::uint32_t at, const Key& key, std::uint32_t target) {
    if (key.name.empty()) {
      put32(at, static_cast<std::uint32_t>(key.number) & 0xFFFF);
    } else {
      const std::uint32_t nameAt = nameOffsets_.at(key.name);
      put32(at, nameAt | kNamedBit);
      writeName(nameAt, key.name);
    }
    put32(at + 4, target);
  }

  void writeName(std::uint32_t at, const std::string& name) {
    put16(at, static_cast<std::uint32_t>(name.size()));
    for (std::size_t i = 0; i < name.size(); ++i)
      put16(at + 2 + 2 * static_cast<std::uint32_t>(i), static_cast<unsigned char>(name[i]));
  }

  void writeDataEntry(std::uint32_t at, const PeResourceEntry& entry) {
    const std::uint32_t dataAt = dataOffsets_.at(&entry);
    put32(at, sectionRva_ + dataAt);
    put32(at + 4, static_cast<std::uint32_t>(entry.bytes.size()));
    put32(at + 8, entry.codePage);
    std::copy(entry.bytes.begin(), entry.bytes.end(), out_.begin() + dataAt);
  }

  const TypeMap& tree_;
  std::uint32_t sectionRva_;
  std::uint32_t idTablesSize_ = 0;
  std::uint32_t dataEntriesStart_ = 0;
  std::uint32_t totalSize_ = 0;
  std::map<std::string, std::uint32_t> nameOffsets_;
  std::map<const PeResourceEntry*, std::uint32_t> dataOffsets_;
  std::vector<std::uint8_t> out_;
};

bool sameKey(const PeResourceEntry& a, const PeResourceEntry& b) {
  return !(typeKey(a) < typeKey(b)) && !(typeKey(b) < typeKey(a)) && !(idKey(a) < idKey(b)) &&
         !(idKey(b) < idKey(a));
}

}  // namespace

std::vector<PeResourceEntry> mergeResources(const std::vector<PeResourceEntry>& stub,
                                            const std::vector<PeResourceEntry>& added) {
  std::vector<PeResourceEntry> merged;
  for (const PeResourceEntry& kept : stub) {
    const bool replaced = std::any_of(added.begin(), added.end(),
                                      [&](const PeResourceEntry& entry) { return sameKey(kept, entry); });
    if (!replaced) merged.push_back(kept);
  }
  merged.insert(merged.end(), added.begin(), added.end());
  return merged;
}

std::vector<std::uint8_t> buildResourceSection(const std::vector<PeResourceEntry>& entries,
                                               std::uint32_t sectionRva) {
  TypeMap tree;
  for (const PeResourceEntry& entry : entries) tree[typeKey(entry)][idKey(entry)][entry.language] = &entry;
  return SectionWriter(tree, sectionRva).write();
}

}  // namespace fenok::pack
