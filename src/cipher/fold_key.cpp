#include "cipher/des.h"

namespace veyla::cipher {

DesKey FoldKey(std::string_view password) {
  DesKey key{};
  std::size_t position = 0;
  for (const char c : password) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte == 0) break;
    key[position] ^= byte;
    position = (position + 1) % key.size();
  }
  return key;
}

}  // namespace veyla::cipher
