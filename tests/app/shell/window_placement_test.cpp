// The main window's place as the settings keep it.
#include <gtest/gtest.h>

#include "app/settings/settings.h"
#include "app/shell/window_placement.h"

namespace qm::shell {
namespace {

TEST(WindowPlacement, TheNormalRectangleIsKeptWhateverStateTheWindowClosesIn) {
  struct Case {
    const char* what;
    ShowState state;
    bool restoresMaximized;
    int maximize;
  };
  const Case cases[] = {
      {"normal", ShowState::Normal, false, 0},
      {"maximised", ShowState::Maximized, false, 1},
      {"minimised from normal", ShowState::Minimized, false, 0},
      {"minimised from maximised", ShowState::Minimized, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Settings settings;
    recordMainWindow(settings, {{-30, 40, 900, 610}, c.state, c.restoresMaximized, -8, -8});
    EXPECT_EQ(settings.number(Setting::WindowPositionX), -30);
    EXPECT_EQ(settings.number(Setting::WindowPositionY), 40);
    EXPECT_EQ(settings.number(Setting::WindowWidth), 900);
    EXPECT_EQ(settings.number(Setting::WindowHeight), 610);
    EXPECT_EQ(settings.number(Setting::WindowMaximize), c.maximize);
    EXPECT_EQ(settings.number(Setting::WindowMaxPosX), -8);
    EXPECT_EQ(opensMaximized(settings), c.maximize == 1);
  }
}

TEST(WindowPlacement, WithoutAStoredPositionTheWindowIsCentred) {
  Settings settings;
  EXPECT_EQ(mainWindowRect(settings, 1024, 768), (WindowRect{87, 94, 850, 580}));
  settings.setNumber(Setting::WindowPositionX, -1200);  // a monitor to the left
  EXPECT_EQ(mainWindowRect(settings, 1024, 768), (WindowRect{-1200, 94, 850, 580}));
}

}  // namespace
}  // namespace qm::shell
