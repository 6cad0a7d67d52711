// The main window's place in the settings. At start the window code asks
// mainWindowRect() where to open; at close it passes what GetWindowPlacement
// reports to recordMainWindow() before saveAtShutdown(): the normal
// rectangle is stored even when the window closes maximised or minimised, so
// the next start restores the size the user last chose.
#pragma once

namespace qm {
class Settings;
}

namespace qm::shell {


struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

enum class ShowState { Normal, Maximized, Minimized };

struct ClosingPlacement {
  WindowRect normal;               // rcNormalPosition as position and size
  ShowState state = ShowState::Normal;
  bool restoresMaximized = false;  // minimised from maximised (WPF_RESTORETOMAXIMIZED)
  int maxX = 0;                    // ptMaxPosition
  int maxY = 0;
};

void recordMainWindow(Settings& settings, const ClosingPlacement& placement);

// The stored rectangle; a position never stored centres the window on the
// screen of the given size.
WindowRect mainWindowRect(const Settings& settings, int screenWidth, int screenHeight);
bool opensMaximized(const Settings& settings);

}  // namespace qm::shell
