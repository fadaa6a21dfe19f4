#pragma once
// The message and password a command works with, gathered from the sources the command line
// names. Texts arrive as UTF-8 and leave in the stored encoding (GB18030).

#include "cli/arguments.h"
#include "cli/outcome.h"
#include "common/byte_string.h"

namespace veyla::cli {

// The bytes to hide: a text source converted to GB18030, a data file exactly as it is.
Outcome<ByteString> MessageToHide(const Options& options);

// The password text as typed (possibly empty: none given), in GB18030. From the option, or
// else the environment variable VEYLA_PASSWORD. A password file loses one trailing line
// break ("\n" or "\r\n"). On the terminal, `confirm` asks a second time and refuses a
// mismatch.
Outcome<Text> TypedPassword(const Options& options, bool confirm);

}  // namespace veyla::cli
