#include "app/commands/handlers.h"
#include "carrier/password_rules.h"
#include "cipher/message_cipher.h"

namespace veyla::app {

namespace {

// The fixed test picture. It names a drive on the system the program was first written for;
// here it is a file name relative to the program's folder.
constexpr const char* kTestPicture = "d:\\8g.jpg";

}  // namespace

void LoadTestPicture(ProgramState& /*state*/, Window& window) {
  // 1. to 3. Show the test picture; a missing file leaves the box empty.
  window.SetPicture(kTestPicture);
}

void DecryptLastBlock(ProgramState& state, Window& window) {
  // 1. The last hide's ciphertext, always under the default password.
  const ByteString message = cipher::DecryptData(state.lastCipherBytes, carrier::kDefaultPassword);
  // 2. and 3. Its text up to the first zero byte.
  window.SetText(EditBox::RevealedMessage, TextFromBytes(message));
}

}  // namespace veyla::app
