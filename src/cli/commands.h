#pragma once
// The three commands of veyla-cli. Each writes its results to standard output, its failures
// as lines "veyla-cli: FILE: cause" to standard error, and returns the exit status.

#include "cli/arguments.h"
#include "cli/outcome.h"

namespace veyla::cli {

// One line per file: "FILE: message, password set", "FILE: message, no password" or
// "FILE: no message". kExitFile when any file could not be examined.
ExitStatus RunCheck(const Options& options);

// Appends one block for the message, as the window's hide does.
ExitStatus RunHide(const Options& options);

// Prints the message of the last block (as UTF-8 up to its first zero byte, then a line
// break; with --raw every decrypted byte and nothing else).
ExitStatus RunRead(const Options& options);

// Writes "veyla-cli: MESSAGE" and a line break to standard error.
void ReportFailure(const Failure& failure);

}  // namespace veyla::cli
