#pragma once
// The controlling terminal, for asking a secret without showing it.

#include <string>
#include <string_view>

#include "common/error.h"

namespace veyla::platform {

// Writes `prompt` to the controlling terminal, reads one line from it with echo switched off
// and returns the line without its line break. The terminal's settings are restored on every
// way out, also when an interrupt, hang-up, quit or termination signal arrives while waiting;
// such a signal is then delivered again under the process's own handling of it, and if the
// process survives it the read fails with ErrorKind::Io ("read terminal", EINTR).
// Fails when the process has no controlling terminal (operation "open terminal") or the line
// does not end before the terminal closes.
Result<std::string> ReadSecretLine(std::string_view prompt);

}  // namespace veyla::platform
