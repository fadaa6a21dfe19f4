#include <cstddef>
#include <cstdint>

#include "cipher/des.h"
#include "cipher/des_tables.h"

namespace veyla::cipher {

namespace {

// Key bit n (1-64, the standard's numbering) in this system's key bit order: bit 8k+j
// (j = 1-8) is the bit of value 2^(j-1) of key byte k, least significant first. The standard
// takes the most significant first; this is the system's one departure from it, and it is why
// bit 0x80 of every key byte (the eighth, a parity position) is the one that PC-1 drops.
std::uint32_t KeyBit(const DesKey& key, unsigned n) {
  const unsigned index = n - 1;
  return key[index / 8] >> (index % 8) & 1U;
}

}  // namespace

KeySchedule MakeKeySchedule(const DesKey& key, CipherDirection direction) {
  KeySchedule schedule;
  for (std::size_t round = 0; round < kSubkeyKeyBits.size(); ++round) {
    std::uint32_t words[2] = {0, 0};
    for (std::size_t i = 0; i < 48; ++i) {
      const SubkeyBitPlace place = kSubkeyBitPlaces[i];
      words[place.word] |= KeyBit(key, kSubkeyKeyBits[round][i]) << place.shift;
    }
    const std::size_t slot = direction == CipherDirection::Encrypt ? round : 15 - round;
    schedule.words[2 * slot] = words[0];
    schedule.words[2 * slot + 1] = words[1];
  }
  return schedule;
}

}  // namespace veyla::cipher
