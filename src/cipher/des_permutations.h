#pragma once
// The initial permutation and its inverse as five masked exchanges of bit groups between the two
// 32-bit halves, instead of 64 single-bit moves. Both work on halves held rotated left by one
// bit, the form the rounds use (see des_rounds.h). The static_asserts below prove them equal to
// the standard's tables.

#include <bit>
#include <cstdint>

#include "cipher/des_bits.h"
#include "cipher/des_standard_tables.h"

namespace veyla::cipher {

namespace detail {

// Exchanges the bits of `a` shifted right by `shift` under `mask` with those of `b`.
constexpr void ExchangeBits(std::uint32_t& a, std::uint32_t& b, int shift, std::uint32_t mask) {
  const std::uint32_t t = ((a >> shift) ^ b) & mask;
  b ^= t;
  a ^= t << shift;
}

}  // namespace detail

// The block's halves (bytes 0-3 and 4-7, most significant byte first) become L0 and R0 of the
// standard, each rotated left by one bit.
constexpr void InitialPermutation(std::uint32_t& left, std::uint32_t& right) {
  detail::ExchangeBits(left, right, 4, 0x0f0f0f0fU);
  detail::ExchangeBits(left, right, 16, 0x0000ffffU);
  detail::ExchangeBits(right, left, 2, 0x33333333U);
  detail::ExchangeBits(right, left, 8, 0x00ff00ffU);
  right = std::rotl(right, 1);
  const std::uint32_t t = (left ^ right) & 0xaaaaaaaaU;
  left ^= t;
  right ^= t;
  left = std::rotl(left, 1);
}

// The exact inverse: the preoutput halves (R16 and L16 of the standard, in that order, each
// rotated left by one bit) become the output block's halves.
constexpr void FinalPermutation(std::uint32_t& left, std::uint32_t& right) {
  left = std::rotr(left, 1);
  const std::uint32_t t = (left ^ right) & 0xaaaaaaaaU;
  left ^= t;
  right ^= t;
  right = std::rotr(right, 1);
  detail::ExchangeBits(right, left, 8, 0x00ff00ffU);
  detail::ExchangeBits(right, left, 2, 0x33333333U);
  detail::ExchangeBits(left, right, 16, 0x0000ffffU);
  detail::ExchangeBits(left, right, 4, 0x0f0f0f0fU);
}

namespace detail {

// Both permutations only move bits, so agreeing on every single-bit input means agreeing on all.
constexpr bool InitialPermutationMatchesTable() {
  for (unsigned b = 0; b < 64; ++b) {
    const std::uint64_t block = std::uint64_t{1} << b;
    auto left = static_cast<std::uint32_t>(block >> 32);
    auto right = static_cast<std::uint32_t>(block);
    InitialPermutation(left, right);
    const std::uint64_t expected = bits::Permute(block, 64, fips::kInitialPermutation);
    if (left != std::rotl(static_cast<std::uint32_t>(expected >> 32), 1) ||
        right != std::rotl(static_cast<std::uint32_t>(expected), 1)) {
      return false;
    }
  }
  return true;
}

constexpr bool FinalPermutationMatchesTable() {
  for (unsigned b = 0; b < 64; ++b) {
    const std::uint64_t preoutput = std::uint64_t{1} << b;
    auto left = std::rotl(static_cast<std::uint32_t>(preoutput >> 32), 1);
    auto right = std::rotl(static_cast<std::uint32_t>(preoutput), 1);
    FinalPermutation(left, right);
    const std::uint64_t expected = bits::Permute(preoutput, 64, fips::kFinalPermutation);
    if (left != static_cast<std::uint32_t>(expected >> 32) ||
        right != static_cast<std::uint32_t>(expected)) {
      return false;
    }
  }
  return true;
}

static_assert(InitialPermutationMatchesTable());
static_assert(FinalPermutationMatchesTable());

}  // namespace detail

}  // namespace veyla::cipher
