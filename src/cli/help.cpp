#include "cli/help.h"

namespace veyla::cli {

std::string_view HelpText() {
  return R"(Usage:
  veyla-cli check FILE...
  veyla-cli hide FILE [--message TEXT | --message-file PATH | --data-file PATH]
                      [--password TEXT | --password-file PATH | --ask-password]
  veyla-cli read FILE [--password TEXT | --password-file PATH | --ask-password] [--raw]
  veyla-cli --help | --version

Hides a short message inside a picture file (or any regular file) by appending an
encrypted block to its end, and reads it back. The picture itself is left untouched.

Commands:
  check   Prints one line per FILE: "FILE: message, password set",
          "FILE: message, no password" or "FILE: no message".
  hide    Appends one hidden block to FILE. Without a password the built-in default
          password is used and the block records that none was set.
  read    Prints the message of the last block in FILE, up to its first zero byte,
          followed by a line break.

Message (hide):
  --message TEXT        the message, as UTF-8 text
  --message-file PATH   the message is the UTF-8 text in PATH, taken exactly
  --data-file PATH      the bytes of PATH are hidden exactly, without conversion;
                        "-" reads them from standard input
  Without one of these the message is the UTF-8 text on standard input, taken exactly
  (a trailing line break is part of the message). An empty message is refused.

Password (hide, read):
  --password TEXT       the password, as UTF-8 text
  --password-file PATH  the password is the UTF-8 text in PATH, without one trailing
                        line break ("\n" or "\r\n"), so a file written by echo works
  --ask-password        asks on the terminal without showing what is typed
                        (twice when hiding)
  Without one of these the environment variable VEYLA_PASSWORD is used when set.
  An empty password counts as none. Text is stored and used as GB18030.
  A message hidden without a password is read whatever password is given.

Output (read):
  --raw                 writes every decrypted byte and nothing else

Exit status:
  0  success (read: also the empty message of an empty block)
  1  usage error, empty message, no terminal to ask for the password, or a
     message too large for memory
  2  a file could not be opened, read or written (it is then unchanged); only
     regular files are used: directories, FIFOs and devices are refused
  3  read: the file holds no hidden message
  4  read: the message is protected by a password and none was given
  5  read: the hidden message is damaged or the password is wrong
)";
}

std::string_view VersionText() {
  return "veyla-cli " VEYLA_VERSION "\n";
}

}  // namespace veyla::cli
