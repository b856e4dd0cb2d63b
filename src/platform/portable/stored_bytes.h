#pragma once
// Little-endian reads from stored bytes. Every read is checked against the end; a read that would pass it
// fails and leaves the output alone, so callers can refuse the file instead of over-reading.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

class StoredBytes {
 public:
  StoredBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit StoredBytes(const std::vector<std::uint8_t>& bytes) : data_(bytes.data()), size_(bytes.size()) {}

  std::size_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }

  // True when [offset, offset + length) lies within the bytes (no wrap-around).
  bool holds(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  bool u8(std::uint64_t offset, std::uint8_t& out) const {
    if (!holds(offset, 1)) return false;
    out = data_[offset];
    return true;
  }
  bool u16(std::uint64_t offset, std::uint16_t& out) const {
    if (!holds(offset, 2)) return false;
    out = static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    return true;
  }
  bool u32(std::uint64_t offset, std::uint32_t& out) const {
    if (!holds(offset, 4)) return false;
    out = static_cast<std::uint32_t>(data_[offset]) | (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
          (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
          (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace fenok
