// The window's side of launching: the requests from Enter, double-click and
// the launch commands, the "エミュレータで起動" submenu as it opens, and a
// worker per launch that posts every change of the window back to it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/launch/launch_run.h"

namespace qm::launch {

// Posted to the owner by the workers; handle() takes it.
inline constexpr UINT kLaunchNotice = WM_APP + 40;

class LaunchController {
public:
  // `itemChanged` refreshes the item list on the launched item once a boot
  // was counted and no emulator runs any more.
  LaunchController(HWND owner, std::string root, std::string dbPath,
                   std::function<void(const std::string&)> itemChanged);
  // The window goes: files renamed and settings rewritten for emulators still
  // running are put back.
  ~LaunchController();
  LaunchController(const LaunchController&) = delete;
  LaunchController& operator=(const LaunchController&) = delete;

  // Enter or double-click on the item: its own setting, else the default.
  void launchOwnSetting(const std::string& key);
  // True when `id` is a launch command (1156, 1700 + i, 1800 + j) and it ran.
  bool command(int id, const std::string& key);
  // Fills the submenu (or an image submenu) when `menu` is one; false otherwise.
  bool menuOpening(HMENU menu, const std::string& key);
  // The window changes the workers post; true when `message` was one.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam);
  // "エミュレータで起動" found in the window's menu bar, once the menus exist.
  void attachMenu(HMENU settingsMenu) { settingsMenu_ = settingsMenu; }
  int running() const { return counters_->running.load(); }
  // A launch prepares or an emulator runs.
  bool busy() const { return counters_->running.load() > 0 || counters_->preparing.load() > 0; }
  HMENU settingsMenu() const { return settingsMenu_; }
  // The submenu or one of its image submenus.
  bool ownsMenu(HMENU menu) const;
  // Makes what runs beside each launch (key script, snapshots); called on the launch's worker.
  using ObserverFactory = std::function<std::unique_ptr<RunObserver>()>;
  void setRunObservers(ObserverFactory factory) { observers_ = std::move(factory); }

private:
  void start(const LaunchItem& item, const std::string& settingName, int chosenImage);
  void start(const std::string& key, const std::string& settingName, int chosenImage);

  HWND owner_;
  LaunchPlace place_;
  std::shared_ptr<LaunchCounters> counters_;
  HMENU settingsMenu_ = nullptr;
  std::vector<std::string> menuNames_;    // the entries of the submenu as last filled
  std::vector<HMENU> imageMenus_;         // one per entry for a set's parent
  std::string imageMenuSetting_;          // the entry whose images were opened last
  std::function<void(const std::string&)> itemChanged_;
  int emulatorsShown_ = 0;         // emulators running, as the notices told
  int launchesUnderWay_ = 0;       // from preparing to ended
  WINDOWPLACEMENT placement_{};    // before the first of them; length 0 when unknown
  bool scrollLockWasOn_ = false;   // before the first of them started
  ObserverFactory observers_;
};

}  // namespace qm::launch
