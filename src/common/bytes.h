#pragma once
// The only place where bytes become integers and back. Every multi-byte field of the format
// and of DES goes through these helpers; nothing casts a byte pointer to a wider type.

#include <cstddef>
#include <cstdint>
#include <span>

namespace veyla {

constexpr std::uint32_t LoadBe32(std::span<const std::uint8_t, 4> b) {
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 |
         std::uint32_t{b[3]};
}

constexpr void StoreBe32(std::span<std::uint8_t, 4> b, std::uint32_t v) {
  b[0] = static_cast<std::uint8_t>(v >> 24);
  b[1] = static_cast<std::uint8_t>(v >> 16);
  b[2] = static_cast<std::uint8_t>(v >> 8);
  b[3] = static_cast<std::uint8_t>(v);
}

constexpr std::uint32_t LoadLe32(std::span<const std::uint8_t, 4> b) {
  return std::uint32_t{b[3]} << 24 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[1]} << 8 |
         std::uint32_t{b[0]};
}

constexpr void StoreLe32(std::span<std::uint8_t, 4> b, std::uint32_t v) {
  b[0] = static_cast<std::uint8_t>(v);
  b[1] = static_cast<std::uint8_t>(v >> 8);
  b[2] = static_cast<std::uint8_t>(v >> 16);
  b[3] = static_cast<std::uint8_t>(v >> 24);
}

// Signed 32-bit little-endian fields (two's complement, as the format stores them).
constexpr std::int32_t LoadLeInt32(std::span<const std::uint8_t, 4> b) {
  return static_cast<std::int32_t>(LoadLe32(b));
}

constexpr void StoreLeInt32(std::span<std::uint8_t, 4> b, std::int32_t v) {
  StoreLe32(b, static_cast<std::uint32_t>(v));
}

}  // namespace veyla
