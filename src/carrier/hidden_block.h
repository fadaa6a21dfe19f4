#pragma once
// The hidden block appended to a carrier file, and its 12-byte trailer:
//
//   ciphertext (L bytes) | password flag (int32 LE) | L (int32 LE) | "1973"
//
// Only the last block of a file can be read: a reader looks at the last 12 bytes and nowhere
// else. There is no checksum; any file whose last four bytes are "1973" counts as a carrier.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/byte_string.h"

namespace veyla::carrier {

inline constexpr std::size_t kTrailerSize = 12;
inline constexpr std::string_view kMarker = "1973";

struct Trailer {
  std::int32_t passwordFlag = 0;  // 1: a password was given; 0: the default password was used
  std::int32_t cipherLength = 0;  // L, as stored: may be zero, negative or larger than the file
};

// The marker test on the bytes read from the end of a file (at most 12): the bytes from
// offset 8 up to the first zero byte or the end compare equal to "1973". Fewer than 12 bytes
// (a file shorter than a trailer, or nothing read) never pass.
bool HasMarker(const ByteString& tail);

// Flag and length of a tail that passed HasMarker.
Trailer ParseTrailer(const ByteString& tail);

// The 12 trailer bytes for a flag and length.
using TrailerBytes = std::array<std::uint8_t, kTrailerSize>;
TrailerBytes EncodeTrailer(const Trailer& trailer);

// The whole block for a ciphertext and password flag, ready for one append. The ciphertext
// must be shorter than 2^31 bytes (its length is stored as a signed 32-bit integer).
ByteString EncodeBlock(const ByteString& ciphertext, std::int32_t passwordFlag);

}  // namespace veyla::carrier
