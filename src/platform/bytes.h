#pragma once
// Little-endian helpers and a bounded cursor: bytes on disk and on the wire are
// assembled and taken apart here, never by copying structs.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dotforge {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline void PutU8(Bytes& out, std::uint8_t value) { out.push_back(value); }

inline void PutU16LE(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32LE(Bytes& out, std::uint32_t value) {
  PutU16LE(out, static_cast<std::uint16_t>(value & 0xFFFF));
  PutU16LE(out, static_cast<std::uint16_t>(value >> 16));
}

inline void PutText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

inline void PutZeros(Bytes& out, std::size_t count) { out.insert(out.end(), count, 0); }

inline std::uint16_t GetU16LE(ByteView bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t GetU32LE(ByteView bytes, std::size_t offset) {
  return GetU16LE(bytes, offset) | static_cast<std::uint32_t>(GetU16LE(bytes, offset + 2)) << 16;
}

inline std::int8_t AsSigned8(std::uint8_t value) { return static_cast<std::int8_t>(value); }

// A read position inside a byte view. Every Take checks what is left first, so a
// reader built on it cannot run past the data it was given.
class ByteCursor {
 public:
  explicit ByteCursor(ByteView bytes) : bytes_(bytes) {}

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ >= bytes_.size(); }

  void Seek(std::size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }

  bool Take(std::size_t count, ByteView& taken) {
    if (count > Remaining()) return false;
    taken = bytes_.subspan(position_, count);
    position_ += count;
    return true;
  }

  bool TakeU8(std::uint8_t& value) {
    if (AtEnd()) return false;
    value = bytes_[position_++];
    return true;
  }

  bool TakeU16LE(std::uint16_t& value) {
    ByteView taken;
    if (!Take(2, taken)) return false;
    value = GetU16LE(taken, 0);
    return true;
  }

  bool TakeU32LE(std::uint32_t& value) {
    ByteView taken;
    if (!Take(4, taken)) return false;
    value = GetU32LE(taken, 0);
    return true;
  }

 private:
  ByteView bytes_;
  std::size_t position_ = 0;
};

}  // namespace dotforge
