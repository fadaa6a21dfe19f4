#pragma once
// Bridges between the handlers' UTF-8 constants and file names and the window's stored text.

#include <filesystem>
#include <string_view>

#include "common/byte_string.h"

namespace veyla::app {

// A UTF-8 text as the window stores it.
Text StoredText(std::string_view utf8);

// The file named by a stored text (file names on this platform are UTF-8).
std::filesystem::path PathFromText(const Text& name);

}  // namespace veyla::app
