#include "app/commands/handlers.h"
#include "app/commands/status_texts.h"
#include "app/commands/stored_text.h"
#include "carrier/carrier_file.h"
#include "carrier/password_rules.h"
#include "cipher/message_cipher.h"
#include "platform/file.h"

namespace veyla::app {

namespace {

// Steps 6 to 9: open the named file (existing, never created), append the whole block in one
// request and sync it (carrier::AppendBlock). On failure the file holds exactly what it held
// before.
Result<void> AppendHiddenBlock(ProgramState& state, const Text& fileName) {
  auto opened = platform::File::OpenForAppending(PathFromText(fileName));
  if (!opened) {
    return opened.error();
  }
  platform::File file = std::move(opened).value();
  state.writeFileNumber = file.Number();

  if (auto appended = carrier::AppendBlock(file, state.lastCipherBytes, state.passwordFlag);
      !appended) {
    return appended;
  }
  file.Close();
  return {};
}

}  // namespace

void HideMessage(ProgramState& state, Window& window) {
  // 1. A picture must have been chosen.
  if (state.pictureChosen == 0) {
    window.SetCaption(StoredText(status::kChoosePictureFirst));
    return;
  }

  // 2. There must be something to hide.
  const Text message = window.GetText(EditBox::Message);
  if (message.empty()) {
    window.SetCaption(StoredText(status::kNoMessage));
    return;
  }

  // 3. The typed password (flag 1), or the default one (flag 0).
  auto chosen = carrier::ChooseHidePassword(window.GetText(EditBox::HidePassword));
  state.hidePassword = std::move(chosen.password);
  state.passwordFlag = chosen.flag;

  // 4. and 5. Encrypt the message's bytes.
  state.lastCipherBytes = cipher::EncryptData(BytesFromText(message), state.hidePassword);
  state.cipherLength = static_cast<std::int32_t>(state.lastCipherBytes.size());

  // 6. to 9. Append the block to whatever the file-name box names now.
  const auto appended = AppendHiddenBlock(state, window.GetText(EditBox::FileName));

  // 10. Say what happened; a failure is never reported as success.
  window.SetCaption(StoredText(appended ? std::string(status::kHidden)
                                        : status::HideFailed(appended.error())));
}

}  // namespace veyla::app
