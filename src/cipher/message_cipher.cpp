#include "cipher/message_cipher.h"

#include <array>
#include <cstdint>
#include <new>
#include <span>

#include "cipher/des.h"
#include "cipher/message_frame.h"
#include "common/bytes.h"

namespace veyla::cipher {

ByteString EncryptData(const ByteString& data, std::string_view password) {
  const std::optional<std::size_t> frameSize = FrameSize(data.size());
  if (!frameSize) return {};
  std::array<std::uint8_t, kLengthWordSize> lengthWord{};
  StoreLeInt32(lengthWord, static_cast<std::int32_t>(data.size()));
  ByteString frame;
  try {
    frame.reserve(*frameSize);
  } catch (const std::bad_alloc&) {
    return {};  // no working buffer: the cipher's one way of failing
  }
  frame.insert(frame.end(), lengthWord.begin(), lengthWord.end());
  frame.insert(frame.end(), data.begin(), data.end());
  frame.resize(*frameSize, 0);
  CryptBlocks(frame, password, CipherDirection::Encrypt);
  return frame;
}

ByteString DecryptData(const ByteString& ciphertext, std::string_view password) {
  if (ciphertext.empty() || ciphertext.size() % 8 != 0) return {};
  ByteString frame;
  try {
    frame = ciphertext;
  } catch (const std::bad_alloc&) {
    return {};
  }
  CryptBlocks(frame, password, CipherDirection::Decrypt);
  const std::int32_t length = LoadLeInt32(std::span(frame).first<kLengthWordSize>());
  if (!LengthWordFits(length, frame.size())) return {};
  // The fill after the data is not examined.
  frame.erase(frame.begin(), frame.begin() + kLengthWordSize);
  frame.resize(static_cast<std::size_t>(length));
  return frame;
}

}  // namespace veyla::cipher
