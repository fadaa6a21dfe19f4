// DES against OpenSSL's DES-ECB on random keys, blocks and buffers (fixed seeds), with each key
// byte's bit order reversed for OpenSSL.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "cipher/des.h"
#include "des_test_support.h"

namespace veyla::cipher {
namespace {

using test::ReverseBitsInEachByte;

template <class Bytes>
void FillRandom(Bytes& bytes, std::mt19937_64& random) {
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
}

TEST(DesAgainstOpenSsl, RandomKeysAndBlocksEncryptAlikeAndDecryptBack) {
  std::mt19937_64 random(46);
  for (int i = 0; i < 4000; ++i) {
    DesKey key{};
    test::Block plaintext{};
    FillRandom(key, random);
    FillRandom(plaintext, random);

    test::Block block = plaintext;
    TransformBlock(MakeKeySchedule(key, CipherDirection::Encrypt), block);
    const std::vector<std::uint8_t> reference =
        test::OpenSslDesEcb(ReverseBitsInEachByte(key), plaintext, CipherDirection::Encrypt);
    ASSERT_EQ(std::vector<std::uint8_t>(block.begin(), block.end()), reference) << "case " << i;

    TransformBlock(MakeKeySchedule(key, CipherDirection::Decrypt), block);
    ASSERT_EQ(block, plaintext) << "case " << i;
  }
}

// Buffers of every length up to six blocks and a tail: CryptBlocks works on several blocks at
// once, and each whole block must still come out as OpenSSL's, the tail untouched.
TEST(DesAgainstOpenSsl, CryptBlocksTransformsEveryWholeBlockAndKeepsTheTail) {
  std::mt19937_64 random(81);
  for (const CipherDirection direction : {CipherDirection::Encrypt, CipherDirection::Decrypt}) {
    for (std::size_t length = 0; length <= 6 * 8 + 7; ++length) {
      SCOPED_TRACE(testing::Message() << "length " << length);
      std::string password(1 + random() % 20, '\0');
      for (char& c : password) c = static_cast<char>(1 + random() % 255);
      std::vector<std::uint8_t> buffer(length);
      FillRandom(buffer, random);
      const std::vector<std::uint8_t> original = buffer;

      CryptBlocks(buffer, password, direction);

      const std::size_t whole = length / 8 * 8;
      const std::vector<std::uint8_t> reference = test::OpenSslDesEcb(
          ReverseBitsInEachByte(FoldKey(password)), std::span(original).first(whole), direction);
      EXPECT_TRUE(std::equal(reference.begin(), reference.end(), buffer.begin()));
      EXPECT_TRUE(std::equal(original.begin() + static_cast<std::ptrdiff_t>(whole), original.end(),
                             buffer.begin() + static_cast<std::ptrdiff_t>(whole)));
    }
  }
}

}  // namespace
}  // namespace veyla::cipher
