// The stored snapshot display text: the bytes a machine's dialog writes and
// what the same bytes read back as.
#include "app/masters/snap_display.h"

#include <gtest/gtest.h>

namespace qm::master {
namespace {

TEST(SnapDisplayTest, WritesLetterThreeDigitThresholdAndCode) {
  EXPECT_EQ(snapDisplayText({true, 150, true, 3, 1}), "F150153");
  EXPECT_EQ(snapDisplayText({false, 5, false, 0, 0}), "A0050");
  EXPECT_EQ(snapDisplayText({true, 0, true, 9, 0}), "F00059");
  EXPECT_EQ(snapDisplayText({false, 42, false, 7, 1}), "A042107");
}

TEST(SnapDisplayTest, ThresholdIsHeldToThreeDigits) {
  EXPECT_EQ(snapDisplayText({true, 1000, false, 0, 0}), "F9990");
  EXPECT_EQ(snapDisplayText({true, -4, false, 0, 0}), "F0000");
}

TEST(SnapDisplayTest, ModesOutOfRangeAreWrittenAsTheFirst) {
  EXPECT_EQ(snapDisplayText({true, 150, false, 10, 2}), "F1500");
  EXPECT_EQ(snapDisplayText({true, 150, true, -1, -1}), "F15050");
}

TEST(SnapDisplayTest, ReadsTheDocumentedExample) {
  const auto d = parseSnapDisplay("F150153");
  ASSERT_TRUE(d);
  EXPECT_TRUE(d->fitInside);
  EXPECT_EQ(d->threshold, 150);
  EXPECT_TRUE(d->portraitRule);
  EXPECT_EQ(d->tallMode, 3);
  EXPECT_EQ(d->shortMode, 1);
}

TEST(SnapDisplayTest, EveryCodeReadsBackAsWritten) {
  for (int shortMode = 0; shortMode < kShortModeCount; ++shortMode)
    for (int rule = 0; rule < 2; ++rule)
      for (int tall = 0; tall < kTallModeCount; ++tall) {
        const SnapDisplay d{rule == 0, 7 * tall + shortMode, rule == 1, tall, shortMode};
        const auto back = parseSnapDisplay(snapDisplayText(d));
        ASSERT_TRUE(back);
        EXPECT_EQ(snapDisplayText(*back), snapDisplayText(d));
      }
}

TEST(SnapDisplayTest, EmptyTextMeansNoSettingsOfItsOwn) { EXPECT_FALSE(parseSnapDisplay("")); }

TEST(SnapDisplayTest, ShortOrDamagedTextReadsAsZeros) {
  const auto letterOnly = parseSnapDisplay("A");
  ASSERT_TRUE(letterOnly);
  EXPECT_FALSE(letterOnly->fitInside);
  EXPECT_EQ(letterOnly->threshold, 0);
  EXPECT_EQ(snapDisplayText(*letterOnly), "A0000");

  EXPECT_EQ(snapDisplayText(*parseSnapDisplay("F12")), "F0120");
  EXPECT_EQ(snapDisplayText(*parseSnapDisplay("Fx5x53")), "F00053");
  // 100 comes off once: 249 leaves a tall mode of 99, which is not one.
  EXPECT_EQ(snapDisplayText(*parseSnapDisplay("F150249")), "F150150");
}

}  // namespace
}  // namespace qm::master
