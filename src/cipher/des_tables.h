#pragma once
// The working tables of the block transform and the key schedule, derived at compile time from
// the tables FIPS 46-3 prints (des_standard_tables.h).

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "cipher/des_bits.h"
#include "cipher/des_standard_tables.h"

namespace veyla::cipher {

namespace detail {

constexpr bool EverySBoxRowIsAPermutation() {
  for (const auto& box : fips::kSBoxes) {
    for (const auto& row : box) {
      unsigned seen = 0;
      for (const std::uint8_t v : row) seen |= 1U << v;
      if (seen != 0xffffU) return false;
    }
  }
  return true;
}
static_assert(EverySBoxRowIsAPermutation(), "an S-box row is mistyped");

// Merges each S-box with P; see kSpTables.
constexpr std::array<std::array<std::uint32_t, 64>, 8> MakeSpTables() {
  std::array<std::array<std::uint32_t, 64>, 8> tables{};
  for (std::size_t box = 0; box < 8; ++box) {
    for (unsigned input = 0; input < 64; ++input) {
      const unsigned row = (input >> 4 & 2U) | (input & 1U);
      const unsigned column = input >> 1 & 0xfU;
      const std::uint32_t nibble = fips::kSBoxes[box][row][column];
      const std::uint32_t sboxOutputs = nibble << (28 - 4 * box);
      const auto permuted =
          static_cast<std::uint32_t>(bits::Permute(sboxOutputs, 32, fips::kPermutation));
      tables[box][input] = std::rotl(permuted, 1);
    }
  }
  return tables;
}

// Composes PC-1, the cumulative left shifts and PC-2; see kSubkeyKeyBits.
constexpr std::array<std::array<std::uint8_t, 48>, 16> MakeSubkeyKeyBits() {
  std::array<std::array<std::uint8_t, 48>, 16> sources{};
  unsigned shift = 0;
  for (std::size_t round = 0; round < 16; ++round) {
    shift += fips::kLeftShifts[round];
    for (std::size_t i = 0; i < 48; ++i) {
      // Position in Cn Dn, then where that bit stood in C0 D0 before the rotations of its
      // 28-bit register.
      const unsigned position = fips::kPermutedChoice2[i] - 1U;
      const unsigned registerStart = position < 28 ? 0 : 28;
      const unsigned before = registerStart + (position - registerStart + shift) % 28;
      sources[round][i] = fips::kPermutedChoice1[before];
    }
  }
  return sources;
}

}  // namespace detail

// kSpTables[k][v]: the cipher function's contribution of S-box k+1 for the 6-bit input v (first
// input bit most significant): the S-box's 4-bit output placed in the (k+1)-th group of four
// bits counted from the most significant end, permuted by P, and rotated left by one bit to
// match the rotated halves the rounds work on. The cipher function is the OR of eight entries.
inline constexpr std::array<std::array<std::uint32_t, 64>, 8> kSpTables = detail::MakeSpTables();

// kSubkeyKeyBits[n][i]: the key bit (1-64, the standard's numbering) that becomes bit i+1 of
// subkey K(n+1).
inline constexpr std::array<std::array<std::uint8_t, 48>, 16> kSubkeyKeyBits =
    detail::MakeSubkeyKeyBits();

// Where subkey bit i+1 goes in the two words of a schedule entry: S-boxes 1, 3, 5, 7 in word 0
// and 2, 4, 6, 8 in word 1, their groups in bits 29-24, 21-16, 13-8 and 5-0, first bit highest.
struct SubkeyBitPlace {
  std::uint8_t word;
  std::uint8_t shift;
};

namespace detail {
constexpr std::array<SubkeyBitPlace, 48> MakeSubkeyBitPlaces() {
  std::array<SubkeyBitPlace, 48> places{};
  for (unsigned i = 0; i < 48; ++i) {
    const unsigned box = i / 6;
    const unsigned bitInGroup = i % 6;
    places[i] = {static_cast<std::uint8_t>(box % 2),
                 static_cast<std::uint8_t>(29 - 8 * (box / 2) - bitInGroup)};
  }
  return places;
}
}  // namespace detail

inline constexpr std::array<SubkeyBitPlace, 48> kSubkeyBitPlaces = detail::MakeSubkeyBitPlaces();

}  // namespace veyla::cipher
