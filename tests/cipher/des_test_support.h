#pragma once
// Helpers shared by the cipher tests: 64-bit values as the standard writes blocks and keys,
// the key bit order conversion, and a reference DES from OpenSSL.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "cipher/des.h"

namespace veyla::cipher::test {

using Block = std::array<std::uint8_t, 8>;

// The eight bytes of a block or key written as one hexadecimal number, first byte first.
Block BytesOf(std::uint64_t value);

// Reverses the bit order within each byte: turns a standard DES key into this system's key
// with the same effect, and back.
DesKey ReverseBitsInEachByte(const DesKey& key);

// DES-ECB from OpenSSL (legacy provider), with the standard's key bit order. Transforms the
// whole blocks of `bytes`; the length must be a multiple of 8.
std::vector<std::uint8_t> OpenSslDesEcb(const DesKey& standardKey,
                                        std::span<const std::uint8_t> bytes,
                                        CipherDirection direction);

}  // namespace veyla::cipher::test
