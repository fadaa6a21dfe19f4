#include "cipher/des.h"
#include "cipher/des_rounds.h"

namespace veyla::cipher {

void TransformBlock(const KeySchedule& schedule, std::span<std::uint8_t, 8> block) {
  detail::TransformBlocks<1>(schedule, block);
}

}  // namespace veyla::cipher
