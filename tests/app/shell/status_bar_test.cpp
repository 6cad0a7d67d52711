// The main window's status-bar texts and the Scroll Lock lamps' redrawing.
#include <gtest/gtest.h>

#include "app/shell/status_bar.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

TEST(StatusBar, DllLoadTextsByTheSafeLoadingSetting) {
  EXPECT_EQ(text::sjisToUtf8(dllLoadText(true)), "[安全] DLLロード(LoadLibrary)はWindowsシステムディレクトリに固定");
  EXPECT_EQ(text::sjisToUtf8(dllLoadText(false)),
            "[注意] DLLロード(LoadLibrary)はPATHの通った全ディレクトリが対象：全体設定で変更できます");
}

TEST(StatusBar, SkippedKeysOnlyWhenSomeWereLost) {
  EXPECT_EQ(skippedKeysText(0), "");
  EXPECT_EQ(text::sjisToUtf8(skippedKeysText(3)), "未送信キー 3");
  EXPECT_EQ(skippedKeysText(-1), "");
}

// The counts keep their widths at the left; the Scroll Lock parts stay at the
// right edge as the window widens, and never cross the fixed ones when it narrows.
TEST(StatusBar, PartEdgesFollowTheWidth) {
  struct Case {
    int width;
    std::array<int, kStatusPartCount> edges;
  };
  const Case cases[] = {
      {1000, {170, 330, 420, 520, 852, 956, -1}},
      {1600, {170, 330, 420, 520, 1452, 1556, -1}},
      {600, {170, 330, 420, 520, 521, 556, -1}},
      {0, {170, 330, 420, 520, 521, 522, -1}},
  };
  for (const Case& c : cases) EXPECT_EQ(statusPartEdges(c.width), c.edges) << c.width;
}

TEST(StatusBar, ScrollLockLampsAreDrawnAtFirstAndOnEveryChangeOnly) {
  ScrollLockIndicator lamp;
  EXPECT_FALSE(lamp.on());
  // Readings of timer 1 and whether the lamps are drawn again.
  const std::pair<bool, bool> ticks[] = {{false, true}, {false, false}, {true, true}, {true, false}, {false, true}};
  for (const auto& [on, redraw] : ticks) {
    EXPECT_EQ(lamp.update(on), redraw);
    EXPECT_EQ(lamp.on(), on);
  }
}

}  // namespace
}  // namespace qm::shell
