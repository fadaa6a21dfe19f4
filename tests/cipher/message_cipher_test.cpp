#include "cipher/message_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "cipher/des.h"
#include "cipher/message_frame.h"
#include "common/bytes.h"

namespace veyla::cipher {
namespace {

using namespace std::string_literals;

constexpr std::string_view kPassword = "secret";

ByteString Bytes(std::string_view text) {
  return ByteString(text.begin(), text.end());
}

// A frame of `size` bytes that starts with `lengthWord` (least significant byte first) and
// goes on with the bytes `next`, `next` + 1, ...
ByteString Frame(std::int32_t lengthWord, std::size_t size, std::uint8_t next) {
  std::array<std::uint8_t, 4> word{};
  StoreLeInt32(word, lengthWord);
  ByteString frame(word.begin(), word.end());
  while (frame.size() < size) frame.push_back(next++);
  return frame;
}

TEST(MessageCipher, FrameIsLengthWordDataAndZeroFill) {
  struct SizeCase {
    std::size_t dataLength;
    std::size_t frameLength;
  };
  for (const SizeCase c :
       {SizeCase{0, 0}, {1, 8}, {4, 8}, {5, 16}, {12, 16}, {13, 24}, {20, 24}, {21, 32}}) {
    SCOPED_TRACE(testing::Message() << "data length " << c.dataLength);
    ByteString data(c.dataLength);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(0xA0 + i);

    ByteString frame = EncryptData(data, kPassword);
    ASSERT_EQ(frame.size(), c.frameLength);
    if (frame.empty()) continue;

    CryptBlocks(frame, kPassword, CipherDirection::Decrypt);
    ByteString expected = Frame(static_cast<std::int32_t>(c.dataLength), 4 + c.dataLength, 0xA0);
    expected.resize(c.frameLength, 0);
    EXPECT_EQ(frame, expected);
  }
}

TEST(MessageCipher, FrameSizeRefusesDataTooLongForTheLengthWord) {
  constexpr std::size_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(FrameSize(kMax), std::optional<std::size_t>(kMax + 9));
  EXPECT_EQ(FrameSize(kMax + 1), std::nullopt);
}

TEST(MessageCipher, DecryptReturnsWhatWasEncryptedAndLeavesInputsAlone) {
  struct RoundTrip {
    ByteString data;
    std::string password;
  };
  const RoundTrip cases[] = {
      {Bytes("x"), ""},
      {Bytes("hello"), "kvb"},
      {Bytes("zero\0inside and at the end\0"s), "kvb"},
      {ByteString(8, 0), "a password longer than eight bytes"},
      {Bytes("\xC4\xE3\xBA\xC3 message"), "\xC3\xDC\xC2\xEB"},
      {ByteString(1000, 0x5A), "p"},
  };
  for (const RoundTrip& c : cases) {
    const ByteString data = c.data;
    const ByteString ciphertext = EncryptData(data, c.password);
    EXPECT_EQ(data, c.data);
    EXPECT_EQ(EncryptData(data, c.password), ciphertext);

    const ByteString copy = ciphertext;
    EXPECT_EQ(DecryptData(ciphertext, c.password), c.data);
    EXPECT_EQ(ciphertext, copy);
  }
}

TEST(MessageCipher, DecryptRefusesLengthsThatAreNotWholeBlocks) {
  for (const std::size_t length : {0, 7, 9, 15}) {
    EXPECT_TRUE(DecryptData(ByteString(length, 0x11), kPassword).empty()) << length;
  }
}

// A ciphertext of `frameSize` bytes whose decryption starts with `lengthWord`; the bytes after
// the word are nonzero, so fill bytes are never zero.
ByteString CiphertextDeclaring(std::int32_t lengthWord, std::size_t frameSize) {
  ByteString frame = Frame(lengthWord, frameSize, 0xC4);
  CryptBlocks(frame, kPassword, CipherDirection::Encrypt);
  return frame;
}

TEST(MessageCipher, DecryptAcceptsOnlyTheLengthsAFrameOfThatSizeCanHold) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  struct LengthCase {
    std::size_t frameSize;
    std::int32_t lengthWord;
    bool accepted;
  };
  const LengthCase cases[] = {
      {8, 1, true},     {8, 4, true},   {8, 0, false},    {8, -1, false},
      {8, kMin, false}, {8, 5, false},  {8, kMax, false}, {16, 4, false},
      {16, 5, true},    {16, 12, true}, {16, 13, false},  {24, 12, false},
      {24, 13, true},   {24, 20, true}, {24, 21, false},  {24, kMax - 8, false},
  };
  for (const LengthCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "frame " << c.frameSize << ", length word " << c.lengthWord);
    const ByteString data = DecryptData(CiphertextDeclaring(c.lengthWord, c.frameSize), kPassword);
    if (!c.accepted) {
      EXPECT_TRUE(data.empty());
      continue;
    }
    ByteString expected(static_cast<std::size_t>(c.lengthWord));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      expected[i] = static_cast<std::uint8_t>(0xC4 + i);
    }
    EXPECT_EQ(data, expected);
  }
}

// The length word is the only check: damage to the first block (or a wrong password) garbles it
// and the result is empty, while damage to a later block goes unnoticed in that block's bytes.
TEST(MessageCipher, DamageShowsOnlyThroughTheLengthWord) {
  const ByteString data = Bytes("twenty bytes of text");
  const ByteString ciphertext = EncryptData(data, kPassword);
  ASSERT_EQ(ciphertext.size(), 24U);

  EXPECT_TRUE(DecryptData(ciphertext, "secreu").empty());
  for (std::size_t bit = 0; bit < 64; ++bit) {
    ByteString damaged = ciphertext;
    damaged[bit / 8] ^= static_cast<std::uint8_t>(1U << bit % 8);
    EXPECT_TRUE(DecryptData(damaged, kPassword).empty()) << "bit " << bit;
  }

  for (const std::size_t block : {1, 2}) {
    ByteString damaged = ciphertext;
    damaged[8 * block + 3] ^= 0x10;
    const ByteString garbled = DecryptData(damaged, kPassword);
    ASSERT_EQ(garbled.size(), data.size());
    // Frame bytes 8*block .. 8*block+7 hold data bytes from 8*block-4 on.
    for (std::size_t i = 0; i < data.size(); ++i) {
      const bool inDamagedBlock = i + 4 >= 8 * block && i + 4 < 8 * block + 8;
      if (!inDamagedBlock) {
        EXPECT_EQ(garbled[i], data[i]) << "block " << block << ", byte " << i;
      }
    }
    EXPECT_NE(garbled, data);
  }
}

}  // namespace
}  // namespace veyla::cipher
