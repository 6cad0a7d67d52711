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
  EXPECT_STREQ(kScrollLockLabel, "Scroll Lock");
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
