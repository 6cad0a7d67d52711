#include "app/sync/sync_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qm::reg::SeenStamp;
using qm::reg::SeenStamps;
using qm::sync::FoundImage;
using qm::sync::GoneImage;
using qm::sync::planSync;
using qm::sync::SyncPlan;
using Strings = std::vector<std::string>;

FoundImage known(const std::string& key, std::int64_t size, std::int64_t modified) {
  return {key, {size, modified}, true, ""};
}
FoundImage fresh(const std::string& key, std::int64_t size, const std::string& crc = "") {
  return {key, {size, 1}, false, crc};
}

// The plan as lines: "moved a -> b", "changed k", ..., "ambiguous g1,g2 / f1,f2".
Strings lines(const SyncPlan& plan) {
  Strings out;
  for (const auto& m : plan.moved) out.push_back("moved " + m.from + " -> " + m.to);
  for (const auto& k : plan.changed) out.push_back("changed " + k);
  for (const auto& k : plan.added) out.push_back("added " + k);
  for (const auto& k : plan.missing) out.push_back("missing " + k);
  for (const auto& a : plan.ambiguous) {
    std::string line = "ambiguous";
    for (const auto& k : a.gone) line += " " + k;
    line += " /";
    for (const auto& k : a.found) line += " " + k;
    out.push_back(line);
  }
  for (const auto& k : plan.firstSeen) out.push_back("first " + k);
  return out;
}

struct PlanCase {
  const char* name;
  std::vector<GoneImage> gone;
  std::vector<FoundImage> found;
  SeenStamps seen;
  Strings expected;
};

class PlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, DecidesEachImage) {
  const PlanCase& c = GetParam();
  EXPECT_EQ(lines(planSync(c.gone, c.found, c.seen)), c.expected);
}

const SeenStamps kSeen = {{"a", {100, 5}}, {"b", {100, 5}}, {"k", {7, 7}}};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanTest,
    ::testing::Values(
        PlanCase{"NothingChanged", {}, {known("k", 7, 7)}, kSeen, {}},
        PlanCase{"SizeChanged", {}, {known("k", 8, 7)}, kSeen, {"changed k"}},
        PlanCase{"TimeChanged", {}, {known("k", 7, 8)}, kSeen, {"changed k"}},
        PlanCase{"NeverSeenCountsUnchanged", {}, {known("old", 1, 1)}, kSeen, {"first old"}},
        PlanCase{"OneToOneMove", {{"a", "AAAA0001"}}, {fresh("x", 100, "AAAA0001")}, kSeen, {"moved a -> x"}},
        PlanCase{"SameCrcOtherSizeIsNoMove",
                 {{"a", "AAAA0001"}},
                 {fresh("x", 101, "AAAA0001")},
                 kSeen,
                 {"added x", "missing a"}},
        PlanCase{"NoSizeOnRecordMatchesByCrc", {{"u", "CCCC0003"}}, {fresh("x", 9, "CCCC0003")}, kSeen,
                 {"moved u -> x"}},
        PlanCase{"GoneWithoutCrcIsMissing", {{"a", ""}}, {fresh("x", 100, "")}, kSeen, {"added x", "missing a"}},
        PlanCase{"NewFileUnreadForCrcIsAdded", {{"a", "AAAA0001"}}, {fresh("x", 100, "")}, kSeen,
                 {"added x", "missing a"}},
        PlanCase{"TwoNewForOneGone",
                 {{"a", "AAAA0001"}},
                 {fresh("x", 100, "AAAA0001"), fresh("y", 100, "AAAA0001")},
                 kSeen,
                 {"ambiguous a / x y"}},
        PlanCase{"TwoGoneForOneNew",
                 {{"a", "AAAA0001"}, {"b", "AAAA0001"}},
                 {fresh("x", 100, "AAAA0001")},
                 kSeen,
                 {"ambiguous a b / x"}},
        PlanCase{"AmbiguityLeavesOthersAlone",
                 {{"a", "AAAA0001"}, {"b", "AAAA0001"}, {"u", "BBBB0002"}},
                 {fresh("x", 100, "AAAA0001"), fresh("z", 3, "BBBB0002"), fresh("n", 4, "DDDD0004")},
                 kSeen,
                 {"moved u -> z", "added n", "ambiguous a b / x"}},
        PlanCase{"ChainedAmbiguityIsOneGroup",
                 {{"a", "AAAA0001"}, {"u", "AAAA0001"}},
                 {fresh("x", 100, "AAAA0001"), fresh("y", 9, "AAAA0001")},
                 kSeen,
                 {"ambiguous a u / x y"}},
        PlanCase{"KnownKeyIsNeverAMoveTarget",
                 {{"a", "AAAA0001"}},
                 {FoundImage{"k", {100, 1}, true, "AAAA0001"}},
                 SeenStamps{{"a", {100, 5}}},
                 {"missing a", "first k"}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

TEST(MatchSizes, ReadsOnlySizesThatCouldMatch) {
  const qm::sync::MatchSizes sized({{"a", "AAAA0001"}, {"k", ""}}, kSeen);
  EXPECT_TRUE(sized.worthReading(100));
  EXPECT_FALSE(sized.worthReading(7));  // "k" has no CRC to match against
  EXPECT_FALSE(sized.worthReading(99));
  const qm::sync::MatchSizes unsized({{"u", "CCCC0003"}}, kSeen);
  EXPECT_TRUE(unsized.worthReading(12345));
  EXPECT_FALSE(qm::sync::MatchSizes({}, kSeen).worthReading(100));
}

}  // namespace
