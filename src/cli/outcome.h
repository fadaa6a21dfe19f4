#pragma once
// How a command of veyla-cli ends: its exit status and, for a failure, the one line that
// goes to standard error.

#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "common/error.h"

namespace veyla::cli {

enum ExitStatus : int {
  kExitSuccess = 0,
  kExitUsage = 1,           // bad command line, empty message, no terminal to ask on
  kExitFile = 2,            // a file could not be opened, read or written
  kExitNoMessage = 3,       // read: the file holds no hidden block
  kExitPasswordNeeded = 4,  // read: the block has a password and none was given
  kExitDamaged = 5,         // read: the block yields nothing (damaged, or wrong password)
};

struct Failure {
  ExitStatus status;
  std::string message;  // without the program name and line break
};

// A failure that names a file and what the system said about it.
inline Failure FileFailure(std::string_view file, const Error& error) {
  return Failure{kExitFile, std::string(file) + ": " + error.Describe()};
}

template <class T>
using Outcome = std::variant<T, Failure>;

}  // namespace veyla::cli
