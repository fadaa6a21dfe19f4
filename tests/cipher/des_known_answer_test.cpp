// Published DES known answers, run with each key byte's bit order reversed (this system reads
// key bits least significant first).

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cipher/des.h"
#include "des_test_support.h"

namespace veyla::cipher {
namespace {

using test::BytesOf;
using test::ReverseBitsInEachByte;

struct KnownAnswer {
  const char* source;
  std::uint64_t key;  // in the standard's key bit order
  std::uint64_t plaintext;
  std::uint64_t ciphertext;
};

constexpr KnownAnswer kKnownAnswers[] = {
    // NIST SP 800-17, Table B.1: variable plaintext known answer test.
    {"SP 800-17 B.1 round 1", 0x0101010101010101, 0x8000000000000000, 0x95F8A5E5DD31D900},
    {"SP 800-17 B.1 round 2", 0x0101010101010101, 0x4000000000000000, 0xDD7F121CA5015619},
    {"SP 800-17 B.1 round 3", 0x0101010101010101, 0x2000000000000000, 0x2E8653104F3834EA},
    {"SP 800-17 B.1 round 4", 0x0101010101010101, 0x1000000000000000, 0x4BD388FF6CD81D4F},
    {"SP 800-17 B.1 round 64", 0x0101010101010101, 0x0000000000000001, 0x166B40B44ABA4BD6},
    // NIST SP 800-17, Table B.2: variable key known answer test.
    {"SP 800-17 B.2 round 1", 0x8001010101010101, 0, 0x95A8D72813DAA94D},
    {"SP 800-17 B.2 round 2", 0x4001010101010101, 0, 0x0EEC1487DD8C26D5},
    {"SP 800-17 B.2 round 3", 0x2001010101010101, 0, 0x7AD16FFB79C45926},
    {"SP 800-17 B.2 round 4", 0x1001010101010101, 0, 0xD3746294CA6A6CF3},
    {"SP 800-17 B.2 round 8", 0x0180010101010101, 0, 0x2055123350C00858},
    // NIST SP 800-17, Table B.3: permutation operation known answer test.
    {"SP 800-17 B.3 round 1", 0x1046913489980131, 0, 0x88D55E54F54C97B4},
    {"SP 800-17 B.3 round 2", 0x1007103489988020, 0, 0x0C0CC00C83EA48FD},
    {"SP 800-17 B.3 round 3", 0x10071034C8980120, 0, 0x83BC8EF3A6570183},
    {"SP 800-17 B.3 round 4", 0x1046103489988020, 0, 0xDF725DCAD94EA2E9},
    // NIST SP 800-17, Table B.4: substitution table known answer test.
    {"SP 800-17 B.4 round 1", 0x7CA110454A1A6E57, 0x01A1D6D039776742, 0x690F5B0D9A26939B},
    {"SP 800-17 B.4 round 2", 0x0131D9619DC1376E, 0x5CD54CA83DEF57DA, 0x7A389D10354BD271},
    {"SP 800-17 B.4 round 3", 0x07A1133E4A0B2686, 0x0248D43806F67172, 0x868EBB51CAB4599A},
    {"SP 800-17 B.4 round 4", 0x3849674C2602319E, 0x51454B582DDF440A, 0x7178876E01F19B2A},
    {"SP 800-17 B.4 round 5", 0x04B915BA43FEB5B6, 0x42FD443059577FA2, 0xAF37FB421F8C4095},
    // FIPS 81, Appendix B: "Now is the time for all " in ECB mode.
    {"FIPS 81 ECB block 1", 0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
    {"FIPS 81 ECB block 2", 0x0123456789ABCDEF, 0x68652074696D6520, 0x6A271787AB8883F9},
    {"FIPS 81 ECB block 3", 0x0123456789ABCDEF, 0x666F7220616C6C20, 0x893D51EC4B563B53},
};

TEST(DesKnownAnswer, EncryptsAndDecryptsThePublishedBlocks) {
  for (const KnownAnswer& v : kKnownAnswers) {
    SCOPED_TRACE(v.source);
    const DesKey key = ReverseBitsInEachByte(BytesOf(v.key));

    test::Block block = BytesOf(v.plaintext);
    TransformBlock(MakeKeySchedule(key, CipherDirection::Encrypt), block);
    EXPECT_EQ(block, BytesOf(v.ciphertext));

    block = BytesOf(v.ciphertext);
    TransformBlock(MakeKeySchedule(key, CipherDirection::Decrypt), block);
    EXPECT_EQ(block, BytesOf(v.plaintext));
  }
}

// The FIPS 81 message through the whole path: a password whose bytes are the reversed key,
// folded, and three blocks in one buffer.
TEST(DesKnownAnswer, CryptBlocksEncryptsTheFips81Message) {
  const DesKey key = ReverseBitsInEachByte(BytesOf(0x0123456789ABCDEF));
  const std::string password(key.begin(), key.end());
  const std::string message = "Now is the time for all ";
  std::vector<std::uint8_t> buffer(message.begin(), message.end());

  CryptBlocks(buffer, password, CipherDirection::Encrypt);

  std::vector<std::uint8_t> expected;
  for (const std::uint64_t block :
       std::array<std::uint64_t, 3>{0x3FA40E8A984D4815, 0x6A271787AB8883F9, 0x893D51EC4B563B53}) {
    const test::Block bytes = BytesOf(block);
    expected.insert(expected.end(), bytes.begin(), bytes.end());
  }
  EXPECT_EQ(buffer, expected);

  CryptBlocks(buffer, password, CipherDirection::Decrypt);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(message.begin(), message.end()));
}

}  // namespace
}  // namespace veyla::cipher
