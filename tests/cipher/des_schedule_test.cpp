// Key schedule and ECB properties that the known answers do not show on their own.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "cipher/des.h"
#include "des_test_support.h"

namespace veyla::cipher {
namespace {

bool AllZero(const KeySchedule& schedule) {
  for (const std::uint32_t w : schedule.words) {
    if (w != 0) return false;
  }
  return true;
}

// Keys whose only set bits are in the ignored position 0x80 act as the all-zero key: sixteen
// zero subkeys, the same schedule in both directions, and a transform that is its own inverse.
TEST(DesKeySchedule, KeysWithOnlyIgnoredBitsHaveZeroSubkeys) {
  const DesKey keys[] = {
      {0, 0, 0, 0, 0, 0, 0, 0},
      {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},
      {0x80, 0, 0, 0x80, 0, 0, 0, 0x80},
  };
  for (const DesKey& key : keys) {
    const KeySchedule encrypt = MakeKeySchedule(key, CipherDirection::Encrypt);
    const KeySchedule decrypt = MakeKeySchedule(key, CipherDirection::Decrypt);
    EXPECT_TRUE(AllZero(encrypt));
    EXPECT_EQ(encrypt.words, decrypt.words);

    const test::Block original = test::BytesOf(0x0123456789ABCDEF);
    test::Block block = original;
    TransformBlock(encrypt, block);
    EXPECT_NE(block, original);
    TransformBlock(encrypt, block);
    EXPECT_EQ(block, original);
  }
}

// Every one of the 64 key bits: flipping it leaves the schedule unchanged exactly when it is
// bit 0x80 of its byte.
TEST(DesKeySchedule, UsesEveryKeyBitExceptTheMostSignificantOfEachByte) {
  std::mt19937_64 random(7);
  DesKey key{};
  for (auto& b : key) b = static_cast<std::uint8_t>(random());
  const KeySchedule base = MakeKeySchedule(key, CipherDirection::Encrypt);
  for (std::size_t byte = 0; byte < 8; ++byte) {
    for (unsigned bit = 0; bit < 8; ++bit) {
      DesKey flipped = key;
      flipped[byte] ^= static_cast<std::uint8_t>(1U << bit);
      const bool same = MakeKeySchedule(flipped, CipherDirection::Encrypt).words == base.words;
      EXPECT_EQ(same, bit == 7) << "key byte " << byte << ", bit value " << (1U << bit);
    }
  }
}

TEST(DesEcb, EqualBlocksGiveEqualCiphertextBlocks) {
  const test::Block a = test::BytesOf(0x1122334455667788);
  const test::Block b = test::BytesOf(0x1122334455667789);
  std::vector<std::uint8_t> buffer;
  for (const test::Block& block : {a, b, a, a, b})
    buffer.insert(buffer.end(), block.begin(), block.end());

  CryptBlocks(buffer, "kvb", CipherDirection::Encrypt);

  const auto block = [&](std::size_t i) {
    return std::vector<std::uint8_t>(buffer.begin() + static_cast<std::ptrdiff_t>(8 * i),
                                     buffer.begin() + static_cast<std::ptrdiff_t>(8 * i + 8));
  };
  EXPECT_EQ(block(0), block(2));
  EXPECT_EQ(block(0), block(3));
  EXPECT_EQ(block(1), block(4));
  EXPECT_NE(block(0), block(1));
}

}  // namespace
}  // namespace veyla::cipher
