#pragma once
// Size rules of the message frame (see message_cipher.h):
//   frame = L (int32 LE) | data (L bytes) | zero fill up to a multiple of 8

#include <cstddef>
#include <cstdint>
#include <optional>

namespace veyla::cipher {

inline constexpr std::size_t kLengthWordSize = 4;

// The frame size for L data bytes, 8 * ceil((L + 4) / 8); nothing for L = 0, and nothing when L
// does not fit the positive signed 32-bit length word (such a frame could never be decrypted).
std::optional<std::size_t> FrameSize(std::size_t dataLength);

// Whether a decrypted frame of `frameSize` bytes may declare `lengthWord` data bytes: exactly
// the lengths whose frame FrameSize makes `frameSize` bytes long, from max(1, frameSize - 11)
// to frameSize - 4. Computed without overflow for every word and size.
bool LengthWordFits(std::int32_t lengthWord, std::size_t frameSize);

}  // namespace veyla::cipher
