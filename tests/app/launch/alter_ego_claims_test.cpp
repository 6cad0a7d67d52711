#include <gtest/gtest.h>

#include "app/launch/alter_ego_claims.h"

namespace qm::launch {
namespace {

// A launch that renames needs the item to itself; launches that rename
// nothing share it with one another only; other items are never in the way.
TEST(AlterEgoClaims, WhoMayShareAnItem) {
  struct Case {
    bool firstRenames, secondRenames, shared;
  };
  const Case cases[] = {{true, true, false}, {true, false, false}, {false, true, false}, {false, false, true}};
  for (const Case& c : cases) {
    AlterEgoClaims claims;
    const auto first = claims.claim("p.d88", c.firstRenames);
    ASSERT_TRUE(first);
    EXPECT_EQ(claims.claim("p.d88", c.secondRenames).has_value(), c.shared) << c.firstRenames << c.secondRenames;
    EXPECT_TRUE(claims.claim("q.d88", true)) << "another item";
  }
}

TEST(AlterEgoClaims, AnItemIsFreeOnceEveryClaimHasGone) {
  AlterEgoClaims claims;
  {
    auto one = claims.claim("p.d88", false);
    auto two = claims.claim("p.d88", false);
    ASSERT_TRUE(one && two);
    { const auto moved = std::move(*one); }
    EXPECT_FALSE(claims.claim("p.d88", true)) << "one plain launch still holds it";
  }
  EXPECT_TRUE(claims.claim("p.d88", true));
}

}  // namespace
}  // namespace qm::launch
