#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cipher/des.h"

namespace veyla::cipher {
namespace {

using namespace std::string_literals;

struct FoldCase {
  const char* what;
  std::string password;
  DesKey key;
};

TEST(FoldKey, XorsThePasswordBytesIntoEightPositions) {
  const FoldCase cases[] = {
      {"empty text", "", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"short text fills the first bytes", "kvb", {'k', 'v', 'b', 0, 0, 0, 0, 0}},
      {"eight bytes are copied", "ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
      {"ninth and tenth bytes fold into bytes 0 and 1",
       "ABCDEFGHIJ",
       {'A' ^ 'I', 'B' ^ 'J', 'C', 'D', 'E', 'F', 'G', 'H'}},
      {"a third round keeps folding", "ABCDEFGHABCDEFGHz", {'z', 0, 0, 0, 0, 0, 0, 0}},
      {"the same eight bytes twice cancel out", "ABCDEFGHABCDEFGH", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"a zero byte ends the text", "AB\0CD"s, {'A', 'B', 0, 0, 0, 0, 0, 0}},
      {"double-byte characters give both bytes",
       "\xC4\xE3\xBA\xC3"s,
       {0xC4, 0xE3, 0xBA, 0xC3, 0, 0, 0, 0}},
  };
  for (const FoldCase& c : cases) {
    EXPECT_EQ(FoldKey(c.password), c.key) << c.what;
  }
}

// Through the whole cipher: changing bit 0x80 of any password byte changes nothing, changing any
// other bit of any byte (the ninth and later included) changes the ciphertext.
TEST(FoldKey, OnlyTheMostSignificantBitOfEachByteIsIgnored) {
  // Bytes with at least two bits set, so that no single flip turns one into a zero byte.
  const std::string password = "\x5a\xa5\x33\xcc\x96\x69\x0f\xf0\x3c\xc3\x55\xaa";
  const auto encrypt = [](const std::string& text) {
    std::vector<std::uint8_t> block = {1, 2, 3, 4, 5, 6, 7, 8};
    CryptBlocks(block, text, CipherDirection::Encrypt);
    return block;
  };
  const std::vector<std::uint8_t> base = encrypt(password);
  for (std::size_t i = 0; i < password.size(); ++i) {
    for (unsigned bit = 0; bit < 8; ++bit) {
      std::string changed = password;
      changed[i] = static_cast<char>(static_cast<unsigned char>(changed[i]) ^ (1U << bit));
      EXPECT_EQ(encrypt(changed) == base, bit == 7)
          << "password byte " << i << ", bit value " << (1U << bit);
    }
  }
}

}  // namespace
}  // namespace veyla::cipher
