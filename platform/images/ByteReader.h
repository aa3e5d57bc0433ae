#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvan {

// Little-endian reads from a byte span that never leave it: every read
// checks its offset and width and gives nothing when they do not fit.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Size() const { return data_.size(); }
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::optional<std::span<const std::uint8_t>> Slice(std::size_t offset, std::size_t count) const {
    if (!Has(offset, count)) return std::nullopt;
    return data_.subspan(offset, count);
  }
  std::optional<std::uint8_t> U8(std::size_t offset) const {
    if (!Has(offset, 1)) return std::nullopt;
    return data_[offset];
  }
  std::optional<std::uint16_t> U16(std::size_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  std::optional<std::uint32_t> U32(std::size_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(data_[offset]) |
           static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(data_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(data_[offset + 3]) << 24;
  }
  std::optional<std::int32_t> I32(std::size_t offset) const {
    const auto value = U32(offset);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
  }

 private:
  std::span<const std::uint8_t> data_;
};

}  // namespace korvan
