#include "app/launch/launch_controller_win.h"

#include <thread>

#include "app/launch/emulator_setting.h"
#include "app/launch/image_preparation.h"
#include "app/launch/launch_menu.h"
#include "app/launch/process_host.h"
#include "app/rewrite/rewrite_journal.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

enum Notice : WPARAM { kPreparing, kStarting, kEnded, kItemChanged, kRunning, kStopped, kFinishing };

constexpr int kLaunchDefaultCommand = 1156;

// The system's processes, with the window's changes posted to its thread.
class WindowHost : public ProcessHost {
public:
  explicit WindowHost(HWND owner) : owner_(owner) {}
  void preparing() override { PostMessageA(owner_, kLaunchNotice, kPreparing, 0); }
  void starting() override { PostMessageA(owner_, kLaunchNotice, kStarting, 0); }
  void finishing() override { PostMessageA(owner_, kLaunchNotice, kFinishing, 0); }
  void ended() override { PostMessageA(owner_, kLaunchNotice, kEnded, 0); }
  void emptyClipboard() override {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
  }
  void emulatorRunning() override { PostMessageA(owner_, kLaunchNotice, kRunning, 0); }
  void emulatorEnded() override { PostMessageA(owner_, kLaunchNotice, kStopped, 0); }
  void itemChanged(const std::string& key) override {
    auto* copy = new std::string(key);
    if (!PostMessageA(owner_, kLaunchNotice, kItemChanged, reinterpret_cast<LPARAM>(copy))) delete copy;
  }

private:
  HWND owner_;
};

bool scrollLockOn() { return (GetKeyState(VK_SCROLL) & 1) != 0; }

// Pressed and released as a person would, 100 ms apart.
void toggleScrollLock() {
  keybd_event(VK_SCROLL, 0x46, KEYEVENTF_EXTENDEDKEY, 0);
  Sleep(100);
  keybd_event(VK_SCROLL, 0x46, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

void clearMenu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

LaunchController::LaunchController(HWND owner, std::string root, std::string dbPath,
                                   std::function<void(const std::string&)> itemChanged)
    : owner_(owner),
      place_{std::move(root), std::move(dbPath)},
      counters_(std::make_shared<LaunchCounters>()),
      itemChanged_(std::move(itemChanged)) {}

LaunchController::~LaunchController() {
  restorePendingRenames();
  rewrite::restorePendingRewrites();
}

void LaunchController::launchOwnSetting(const std::string& key) {
  const auto item = loadLaunchItem(place_.dbPath, key);
  if (item) start(*item, item->emusetName, 0);
}

bool LaunchController::command(int id, const std::string& key) {
  if (id == kLaunchDefaultCommand) {
    if (!key.empty()) start(key, "", 0);
    return true;
  }
  const int entry = id - kFirstSettingCommand;
  if (entry >= 0 && entry < static_cast<int>(menuNames_.size())) {
    if (!key.empty()) start(key, menuNames_[entry], 0);
    return true;
  }
  const int image = id - kFirstImageCommand;
  if (image >= 0 && image < kMaxMenuEntries) {
    if (!key.empty()) start(key, imageMenuSetting_, image + 1);
    return true;
  }
  return false;
}

bool LaunchController::ownsMenu(HMENU menu) const {
  if (menu && menu == settingsMenu_) return true;
  for (HMENU image : imageMenus_)
    if (image == menu) return true;
  return false;
}

bool LaunchController::menuOpening(HMENU menu, const std::string& key) {
  for (std::size_t i = 0; i < imageMenus_.size(); ++i) {
    if (imageMenus_[i] == menu) {
      imageMenuSetting_ = menuNames_[i];
      return true;
    }
  }
  if (!settingsMenu_ || menu != settingsMenu_) return false;
  clearMenu(menu);
  imageMenus_.clear();
  menuNames_.clear();
  const auto item = key.empty() ? std::nullopt : loadLaunchItem(place_.dbPath, key);
  if (!item) return true;
  const auto entries = settingMenuEntries(listSettings(place_.root, item->machineName),
                                          defaultSettingName(place_.root, item->machineName), item->emusetName);
  if (entries.empty()) {
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, text::sjis("エミュレータの設定がありません").c_str());
    return true;
  }
  const std::vector<std::string> images =
      isSetParent(*item) ? imageMenuLabels(place_.dbPath, *item) : std::vector<std::string>{};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    menuNames_.push_back(entries[i].label);
    UINT flags = MF_STRING | (entries[i].checked ? MF_CHECKED : 0);
    if (images.empty()) {
      AppendMenuA(menu, flags, kFirstSettingCommand + i, entries[i].label.c_str());
    } else {
      HMENU sub = CreatePopupMenu();
      for (std::size_t j = 0; j < images.size(); ++j)
        AppendMenuA(sub, MF_STRING, kFirstImageCommand + j, images[j].c_str());
      imageMenus_.push_back(sub);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), entries[i].label.c_str());
    }
    if (entries[i].isDefault) SetMenuDefaultItem(menu, static_cast<UINT>(i), TRUE);
  }
  return true;
}

bool LaunchController::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // Windows ends the process after this message without closing the window.
  if (message == WM_ENDSESSION && wParam) rewrite::restorePendingRewrites();
  if (message != kLaunchNotice) return false;
  switch (wParam) {
    case kPreparing:
      // Where the window stood before the first of overlapping launches is
      // where the last one puts it back (an emulator may change the screen).
      if (launchesUnderWay_++ == 0) {
        placement_.length = sizeof placement_;
        if (!GetWindowPlacement(owner_, &placement_)) placement_.length = 0;
      }
      EnableWindow(owner_, FALSE);
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      break;
    case kFinishing:
      EnableWindow(owner_, FALSE);
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      break;
    case kStarting:
      EnableWindow(owner_, TRUE);
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      ShowWindow(owner_, SW_MINIMIZE);
      break;
    case kEnded:
      EnableWindow(owner_, TRUE);
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      if (launchesUnderWay_ > 0 && --launchesUnderWay_ == 0 && placement_.length != 0) {
        WINDOWPLACEMENT back = placement_;
        back.showCmd = placement_.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        SetWindowPlacement(owner_, &back);
      } else if (IsIconic(owner_)) {
        ShowWindow(owner_, SW_RESTORE);
      }
      break;
    // Scroll Lock is off while emulators run (the emulators take it as a
    // key of their own) and comes back once the last one has ended.
    case kRunning:
      if (emulatorsShown_++ == 0) {
        scrollLockWasOn_ = scrollLockOn();
        if (scrollLockWasOn_) toggleScrollLock();
      }
      break;
    case kStopped:
      if (emulatorsShown_ > 0 && --emulatorsShown_ == 0 && scrollLockWasOn_ && !scrollLockOn()) toggleScrollLock();
      break;
    case kItemChanged: {
      std::unique_ptr<std::string> key(reinterpret_cast<std::string*>(lParam));
      if (itemChanged_) itemChanged_(*key);
      break;
    }
  }
  return true;
}

void LaunchController::start(const std::string& key, const std::string& settingName, int chosenImage) {
  if (const auto item = loadLaunchItem(place_.dbPath, key)) start(*item, settingName, chosenImage);
}

void LaunchController::start(const LaunchItem& item, const std::string& settingName, int chosenImage) {
  LaunchRequest request{item, settingName, chosenImage};
  // Each launch owns what it uses: the window may close while an emulator
  // runs, and a worker that outlives it only posts to a window that is gone.
  std::thread([request, place = place_, counters = counters_, owner = owner_, observers = observers_] {
    WindowHost host(owner);
    const auto sink = platform::makeWindowSink(owner);
    const auto observer = observers ? observers() : nullptr;
    const LaunchEnvironment env{place, counters.get(), &host, sink.get(), nullptr, observer.get()};
    runLaunch(env, request);
  }).detach();
}

}  // namespace qm::launch
