#include "app/commands/handlers.h"
#include "app/commands/status_texts.h"
#include "app/commands/stored_text.h"
#include "carrier/carrier_file.h"
#include "carrier/hidden_block.h"
#include "platform/file.h"

namespace veyla::app {

void SelectPicture(ProgramState& state, Window& window) {
  // 1. A confirmed choice replaces the file name; a cancelled dialog keeps whatever the box
  //    holds, a typed name included.
  if (window.OpenFileDialog()) {
    window.SetText(EditBox::FileName, window.DialogFileName());
  }

  // 2. Nothing named, nothing to do.
  const Text name = window.GetText(EditBox::FileName);
  if (name.empty()) {
    return;
  }
  const auto path = PathFromText(name);

  // 3. Show the picture; a file that cannot be read leaves the box empty.
  window.SetPicture(path);

  // 4. A name has been taken up, whether or not the file could be read.
  state.pictureChosen = 1;

  // 5. Checking needs only to read, so a read-only carrier is still recognised. A file that
  //    cannot be opened (missing, not a regular file) reads as nothing: no marker.
  platform::File carrierFile = platform::File::OpenForReading(path).value_or(platform::File());
  state.readFileNumber = carrierFile.Number();

  // 6. The last 12 bytes.
  state.readBuffer = carrier::ReadTail(carrierFile).value_or(ByteString());

  // 7. The marker test decides the status line.
  window.SetCaption(StoredText(carrier::HasMarker(state.readBuffer) ? status::kCarrierChosen
                                                                    : status::kOrdinaryPicture));

  // 8. Close.
  carrierFile.Close();
}

}  // namespace veyla::app
