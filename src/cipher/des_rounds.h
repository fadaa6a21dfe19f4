#pragma once
// The block transform, inlined so that CryptBlocks can run several independent blocks through
// the sixteen iterations side by side: their table lookups then overlap instead of waiting on
// each other, while every block still gets exactly the standard's transform.
//
// Between the initial and final permutation both halves are held rotated left by one bit. Then
// the expansion E needs no table: rotating the held half right by 4 bits lines up the six
// expanded input bits of S-boxes 1, 3, 5 and 7 with bits 29-24, 21-16, 13-8 and 5-0, and the held
// half itself does the same for S-boxes 2, 4, 6 and 8. The subkey words use the same fields.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

#include "cipher/des.h"
#include "cipher/des_bits.h"
#include "cipher/des_permutations.h"
#include "cipher/des_standard_tables.h"
#include "cipher/des_tables.h"
#include "common/bytes.h"

namespace veyla::cipher::detail {

// The S-box inputs of `box` (0-7) taken from a held half, before the subkey is XORed in.
constexpr std::uint32_t ExpandedField(std::uint32_t held, unsigned box) {
  const std::uint32_t lined = box % 2 == 0 ? std::rotr(held, 4) : held;
  return lined >> (24 - 8 * (box / 2)) & 0x3fU;
}

constexpr bool ExpansionMatchesTable() {
  for (unsigned b = 0; b < 32; ++b) {
    const std::uint32_t half = std::uint32_t{1} << b;
    const std::uint64_t expanded = bits::Permute(half, 32, fips::kExpansion);
    for (unsigned box = 0; box < 8; ++box) {
      if (ExpandedField(std::rotl(half, 1), box) != (expanded >> (42 - 6 * box) & 0x3fU)) {
        return false;
      }
    }
  }
  return true;
}
static_assert(ExpansionMatchesTable());

// f(R, K) of the standard, on and giving values held rotated left by one bit.
inline std::uint32_t CipherFunction(std::uint32_t held, std::uint32_t subkeyOdd,
                                    std::uint32_t subkeyEven) {
  const std::uint32_t odd = std::rotr(held, 4) ^ subkeyOdd;
  const std::uint32_t even = held ^ subkeyEven;
  return kSpTables[0][odd >> 24 & 0x3fU] | kSpTables[2][odd >> 16 & 0x3fU] |
         kSpTables[4][odd >> 8 & 0x3fU] | kSpTables[6][odd & 0x3fU] |
         kSpTables[1][even >> 24 & 0x3fU] | kSpTables[3][even >> 16 & 0x3fU] |
         kSpTables[5][even >> 8 & 0x3fU] | kSpTables[7][even & 0x3fU];
}

// Transforms `Blocks` consecutive 8-byte blocks in place, each independently.
template <std::size_t Blocks>
inline void TransformBlocks(const KeySchedule& schedule,
                            std::span<std::uint8_t, 8 * Blocks> bytes) {
  std::array<std::uint32_t, Blocks> left{};
  std::array<std::uint32_t, Blocks> right{};
  for (std::size_t b = 0; b < Blocks; ++b) {
    left[b] = LoadBe32(bytes.subspan(8 * b).template first<4>());
    right[b] = LoadBe32(bytes.subspan(8 * b + 4).template first<4>());
    InitialPermutation(left[b], right[b]);
  }
  // Two iterations per pass, so the halves never need swapping: after an even number of
  // iterations `left` holds Ln and `right` holds Rn.
  const auto& k = schedule.words;
  for (std::size_t i = 0; i < k.size(); i += 4) {
    for (std::size_t b = 0; b < Blocks; ++b) left[b] ^= CipherFunction(right[b], k[i], k[i + 1]);
    for (std::size_t b = 0; b < Blocks; ++b)
      right[b] ^= CipherFunction(left[b], k[i + 2], k[i + 3]);
  }
  for (std::size_t b = 0; b < Blocks; ++b) {
    FinalPermutation(right[b], left[b]);  // the preoutput is R16 L16
    StoreBe32(bytes.subspan(8 * b).template first<4>(), right[b]);
    StoreBe32(bytes.subspan(8 * b + 4).template first<4>(), left[b]);
  }
}

}  // namespace veyla::cipher::detail
