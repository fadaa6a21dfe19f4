#include <cstddef>

#include "cipher/des.h"
#include "cipher/des_rounds.h"

namespace veyla::cipher {

namespace {
// Blocks transformed side by side: enough independent lookups to hide the loads' latency,
// while their eight halves still fit in the registers of x86-64.
constexpr std::size_t kInterleave = 4;
}  // namespace

void CryptBlocks(std::span<std::uint8_t> buffer, std::string_view password,
                 CipherDirection direction) {
  const KeySchedule schedule = MakeKeySchedule(FoldKey(password), direction);
  std::span<std::uint8_t> rest = buffer.first(buffer.size() / 8 * 8);
  while (rest.size() >= 8 * kInterleave) {
    detail::TransformBlocks<kInterleave>(schedule, rest.first<8 * kInterleave>());
    rest = rest.subspan(8 * kInterleave);
  }
  while (!rest.empty()) {
    detail::TransformBlocks<1>(schedule, rest.first<8>());
    rest = rest.subspan(8);
  }
}

}  // namespace veyla::cipher
