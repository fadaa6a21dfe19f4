#include "carrier/password_rules.h"

namespace veyla::carrier {

HidePassword ChooseHidePassword(const Text& typed) {
  if (typed.empty()) return {Text(kDefaultPassword), 0};
  return {typed, 1};
}

std::optional<Text> ChooseReadPassword(std::int32_t passwordFlag, const Text& typed) {
  if (passwordFlag == 0) return Text(kDefaultPassword);
  if (passwordFlag == 1 && typed.empty()) return std::nullopt;
  return typed;
}

}  // namespace veyla::carrier
