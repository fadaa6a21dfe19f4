#pragma once
// Conversions between the front ends' text (UTF-8) and the stored text (GB18030, see
// common/byte_string.h). Neither direction fails: bytes that do not decode become U+FFFD,
// never a crash and never a lost remainder.

#include <string>
#include <string_view>

#include "common/byte_string.h"

namespace veyla::text {

// UTF-8 to GB18030. Invalid UTF-8 sequences are stored as the encoding of U+FFFD.
Text Gb18030FromUtf8(std::string_view utf8);

// GB18030 to UTF-8. Byte sequences that are no GB18030 character become U+FFFD.
std::string Utf8FromGb18030(std::string_view gb18030);

}  // namespace veyla::text
