#pragma once
// Which password text a hide and a read use: shared by the window and the command-line tool.

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/byte_string.h"

namespace veyla::carrier {

// The built-in password used when none is typed; such blocks carry password flag 0.
inline constexpr std::string_view kDefaultPassword = "kvb";

struct HidePassword {
  Text password;
  std::int32_t flag = 0;
};

// The typed password with flag 1, or the default password with flag 0 when nothing is typed.
HidePassword ChooseHidePassword(const Text& typed);

// Flag 0: the default password, whatever was typed. Flag 1 with nothing typed: nullopt (a
// password is needed). Any other flag: the typed text, the empty text included.
std::optional<Text> ChooseReadPassword(std::int32_t passwordFlag, const Text& typed);

}  // namespace veyla::carrier
