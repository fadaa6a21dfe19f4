#include "carrier/password_rules.h"

#include <gtest/gtest.h>

#include <optional>

namespace veyla::carrier {
namespace {

TEST(PasswordRules, HideUsesTheTypedPasswordOrTheDefaultWithFlagZero) {
  const HidePassword none = ChooseHidePassword("");
  EXPECT_EQ(none.password, "kvb");
  EXPECT_EQ(none.flag, 0);
  // A blank is a password like any other.
  for (const Text& typed : {Text(" "), Text("kvb"), Text("\xC3\xDC\xC2\xEB")}) {
    const HidePassword chosen = ChooseHidePassword(typed);
    EXPECT_EQ(chosen.password, typed);
    EXPECT_EQ(chosen.flag, 1);
  }
}

struct ReadCase {
  std::int32_t flag;
  Text typed;
  std::optional<Text> expected;  // nullopt: a password is needed
};

TEST(PasswordRules, ReadChoosesByTheFlag) {
  const ReadCase cases[] = {
      {0, "", Text("kvb")},  {0, "wrong", Text("kvb")}, {1, "", std::nullopt},
      {1, "pw", Text("pw")}, {2, "", Text("")},         {-1, "pw", Text("pw")},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.flag) + " '" + c.typed + "'");
    EXPECT_EQ(ChooseReadPassword(c.flag, c.typed), c.expected);
  }
}

}  // namespace
}  // namespace veyla::carrier
