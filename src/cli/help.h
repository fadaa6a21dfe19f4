#pragma once
// The texts of --help and --version.

#include <string_view>

namespace veyla::cli {

std::string_view HelpText();
std::string_view VersionText();

}  // namespace veyla::cli
