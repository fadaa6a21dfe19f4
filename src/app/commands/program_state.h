#pragma once
// The nine values the click handlers share for the whole run. All start zero or empty.

#include <cstdint>

#include "common/byte_string.h"

namespace veyla::app {

struct ProgramState {
  int pictureChosen = 0;          // 1 once a picture file name has been taken up
  Text hidePassword;              // password of the last hide (typed, or the default)
  std::int32_t passwordFlag = 0;  // after a hide: 1 typed / 0 default; after a read: the trailer's
  ByteString lastCipherBytes;     // ciphertext of the last hide of this run
  std::int32_t cipherLength = 0;  // after a hide: its length; after a read: the trailer's
  int writeFileNumber = 0;        // file opened by the last hide (closed before the click ends)
  int readFileNumber = 0;         // file opened by the last selection or read (likewise)
  ByteString readBuffer;          // trailer bytes, then during a read the ciphertext
  Text readPassword;              // password of the last read
};

}  // namespace veyla::app
