#include "cipher/message_frame.h"

#include <limits>

namespace veyla::cipher {

std::optional<std::size_t> FrameSize(std::size_t dataLength) {
  if (dataLength == 0 ||
      dataLength > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;
  }
  return (dataLength + kLengthWordSize + 7) / 8 * 8;
}

bool LengthWordFits(std::int32_t lengthWord, std::size_t frameSize) {
  // The three tests in the order the frame format defines them; after the first, the word is
  // positive and is compared as a 64-bit count so that adding to it cannot overflow.
  if (lengthWord <= 0) return false;
  const auto length = static_cast<std::uint64_t>(lengthWord);
  if (length + 12 <= frameSize) return false;  // more than seven fill bytes
  return length + kLengthWordSize <= frameSize;
}

}  // namespace veyla::cipher
