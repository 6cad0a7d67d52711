#include "app/shell/window_placement.h"

#include "app/settings/settings.h"

namespace qm::shell {

void recordMainWindow(Settings& settings, const ClosingPlacement& placement) {
  settings.setNumber(Setting::WindowPositionX, placement.normal.x);
  settings.setNumber(Setting::WindowPositionY, placement.normal.y);
  settings.setNumber(Setting::WindowWidth, placement.normal.width);
  settings.setNumber(Setting::WindowHeight, placement.normal.height);
  const bool maximized = placement.state == ShowState::Maximized ||
                         (placement.state == ShowState::Minimized && placement.restoresMaximized);
  settings.setNumber(Setting::WindowMaximize, maximized ? 1 : 0);
  settings.setNumber(Setting::WindowMaxPosX, placement.maxX);
  settings.setNumber(Setting::WindowMaxPosY, placement.maxY);
}

WindowRect mainWindowRect(const Settings& settings, int screenWidth, int screenHeight) {
  WindowRect rect{settings.number(Setting::WindowPositionX), settings.number(Setting::WindowPositionY),
                  settings.number(Setting::WindowWidth), settings.number(Setting::WindowHeight)};
  if (rect.x == kCentred) rect.x = (screenWidth - rect.width) / 2;
  if (rect.y == kCentred) rect.y = (screenHeight - rect.height) / 2;
  return rect;
}

bool opensMaximized(const Settings& settings) { return settings.number(Setting::WindowMaximize) == 1; }

}  // namespace qm::shell
