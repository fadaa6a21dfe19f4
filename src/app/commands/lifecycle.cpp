#include "app/commands/handlers.h"

namespace veyla::app {

void OnMainWindowCreated(ProgramState& state) { state.pictureChosen = 0; }

void ReleaseGlobals(ProgramState& state) {
  // Swapping with empty values gives the storage back now, not when the process ends.
  Text().swap(state.hidePassword);
  ByteString().swap(state.lastCipherBytes);
  ByteString().swap(state.readBuffer);
  Text().swap(state.readPassword);
}

}  // namespace veyla::app
