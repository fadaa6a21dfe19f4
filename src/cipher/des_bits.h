#pragma once
// Bit helpers for building and checking the DES tables at compile time, in the standard's
// numbering: bit 1 of an n-bit value is its most significant bit.

#include <cstddef>
#include <cstdint>
#include <span>

namespace veyla::cipher::bits {

// Bit `position` (1-based, from the most significant end) of the low `width` bits of `value`.
constexpr std::uint64_t Bit(std::uint64_t value, unsigned width, unsigned position) {
  return (value >> (width - position)) & 1U;
}

// Output bit i+1 is input bit table[i]; the input is `inputWidth` bits wide, the output as wide
// as the table is long.
constexpr std::uint64_t Permute(std::uint64_t value, unsigned inputWidth,
                                std::span<const std::uint8_t> table) {
  std::uint64_t out = 0;
  for (const std::uint8_t from : table) {
    out = out << 1 | Bit(value, inputWidth, from);
  }
  return out;
}

}  // namespace veyla::cipher::bits
