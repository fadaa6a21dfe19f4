#pragma once
// DES (FIPS 46-3) in electronic codebook mode, with one difference from the standard: key bit
// 8k+j (j = 1..8) is the bit of value 2^(j-1) of key byte k. So bit 0x80 of every key byte is
// the ignored parity position; a standard DES gives the same results on bit-reversed key bytes.
//
// Reentrant: no mutable static state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veyla::cipher {

enum class CipherDirection { Encrypt, Decrypt };

using DesKey = std::array<std::uint8_t, 8>;

// The sixteen subkeys in the order the rounds use them (reversed for Decrypt), each as two
// 32-bit words holding the 6-bit groups of S-boxes 1,3,5,7 and 2,4,6,8 in bits 29-24, 21-16,
// 13-8 and 5-0.
struct KeySchedule {
  std::array<std::uint32_t, 32> words{};
};

// XORs the password's bytes, up to its first zero byte, into an all-zero key, cycling through
// the eight positions.
DesKey FoldKey(std::string_view password);

KeySchedule MakeKeySchedule(const DesKey& key, CipherDirection direction);

// Replaces the 8-byte block by its DES transform under the schedule.
void TransformBlock(const KeySchedule& schedule, std::span<std::uint8_t, 8> block);

// Transforms each whole 8-byte block of the buffer in place under the key folded from the
// password; bytes after the last whole block are left as they are.
void CryptBlocks(std::span<std::uint8_t> buffer, std::string_view password,
                 CipherDirection direction);

}  // namespace veyla::cipher
