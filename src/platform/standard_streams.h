#pragma once
// The process's standard input, output and error streams as byte streams, for the
// command-line tool. Whatever they are connected to (a terminal, a pipe, a file) is used as
// it is.

#include <cstdint>
#include <span>
#include <string_view>

#include "common/byte_string.h"
#include "common/error.h"

namespace veyla::platform {

// Opens /dev/null on each of the three standard descriptors that is closed, so that no file
// the program opens later takes a standard stream's number and receives its output (an
// error message appended to a carrier). Called first by a front end.
void EnsureStandardStreamsOpen();

// Whether standard input is a terminal (someone is typing the input).
bool StandardInputIsTerminal();

// Everything standard input holds, up to its end. Reads in one pass that grows
// geometrically, so large inputs cost time in proportion to their size.
Result<ByteString> ReadStandardInput();

// Writes every byte to standard output.
Result<void> WriteStandardOutput(std::span<const std::uint8_t> bytes);
Result<void> WriteStandardOutput(std::string_view text);

// Writes every byte to standard error; a failure there has nowhere to be reported.
void WriteStandardError(std::string_view text);

}  // namespace veyla::platform
