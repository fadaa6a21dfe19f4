#include "app/commands/handlers.h"
#include "app/commands/status_texts.h"
#include "app/commands/stored_text.h"
#include "carrier/carrier_file.h"
#include "carrier/hidden_block.h"
#include "carrier/password_rules.h"
#include "cipher/message_cipher.h"
#include "platform/file.h"

namespace veyla::app {

void ReadMessage(ProgramState& state, Window& window) {
  // 1. Nothing revealed yet.
  window.SetText(EditBox::RevealedMessage, Text());

  // 2. A picture must have been chosen and still be named.
  const Text name = window.GetText(EditBox::FileName);
  if (state.pictureChosen == 0 || name.empty()) {
    window.SetCaption(StoredText(status::kChoosePictureFirst));
    return;
  }

  // 3. Reading needs only read access. A file that cannot be opened reads as nothing.
  platform::File file =
      platform::File::OpenForReading(PathFromText(name)).value_or(platform::File());
  state.readFileNumber = file.Number();

  // 4. The last 12 bytes.
  state.readBuffer = carrier::ReadTail(file).value_or(ByteString());

  // 5. No marker, no message. (The file closes when it goes out of scope, on every path.)
  if (!carrier::HasMarker(state.readBuffer)) {
    window.SetCaption(StoredText(status::kNothingHidden));
    return;
  }

  // 6. The file carries a message.
  window.SetCaption(StoredText(status::kCarrierChosen));

  // 7. The trailer's password flag.
  const carrier::Trailer trailer = carrier::ParseTrailer(state.readBuffer);
  state.passwordFlag = trailer.passwordFlag;

  // 8. and 9. Which password: the default one for flag 0; flag 1 needs a typed one.
  auto password = carrier::ChooseReadPassword(state.passwordFlag,
                                              window.GetText(EditBox::ReadPassword));
  if (!password) {
    window.SetCaption(StoredText(status::kPasswordNeeded));
    return;
  }
  state.readPassword = std::move(*password);

  // 10. The trailer's ciphertext length.
  state.cipherLength = trailer.cipherLength;

  // 11. The ciphertext in front of the trailer; a length that does not fit gives nothing.
  state.readBuffer = carrier::ReadCiphertext(file, state.cipherLength).value_or(ByteString());

  // 12. Decrypt and show the text up to its first zero byte.
  const ByteString message = cipher::DecryptData(state.readBuffer, state.readPassword);
  window.SetText(EditBox::RevealedMessage, TextFromBytes(message));

  // 13. Close.
  file.Close();
}

}  // namespace veyla::app
