// DecryptData on arbitrary ciphertext and password. The first byte splits the input: that many
// following bytes (mod 32) are the password, the rest the ciphertext.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cipher/message_cipher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t passwordLength = std::min<std::size_t>(data[0] % 32, size - 1);
  const std::string_view password(reinterpret_cast<const char*>(data + 1), passwordLength);
  const veyla::ByteString ciphertext(data + 1 + passwordLength, data + size);

  const veyla::ByteString plain = veyla::cipher::DecryptData(ciphertext, password);
  // Whatever decrypts must fit the frame it came from.
  if (!plain.empty() && (plain.size() + 4 > ciphertext.size() || plain.size() + 12 <= ciphertext.size())) {
    __builtin_trap();
  }
  // And encrypting it again gives a frame of the same size.
  if (!plain.empty() && veyla::cipher::EncryptData(plain, password).size() != ciphertext.size()) {
    __builtin_trap();
  }
  return 0;
}
