#include "app/shell/main_rebar_win.h"

#include <commctrl.h>

#include <array>

#include "app/menus/menu_table.h"
#include "app/settings/settings.h"
#include "app/snapshots/snapshot_view_win.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

constexpr int kRebarId = 1010;
constexpr int kToolBarId = 1011;

// toolbar.bmp holds the automatic snapshot modes 0 to 3 from here on.
constexpr int kAutoSnapImages = 12;

struct ToolButton {
  int command;
  int image;  // in toolbar.bmp
};
// toolbar.bmp: + - > ? * = < S Q E R /
constexpr ToolButton kButtons[] = {
    {menu::kAddImages, 0}, {menu::kLaunchDefault, 2}, {menu::kEditRecord, 9},
    {menu::kQueryNew, 8},  {menu::kGeneralSettings, 5}, {snapshots::kSnapshotViewCommand, 7},
    {menu::kHelp, 3},      {menu::kAutoSnapshotStep, kAutoSnapImages},
};

constexpr int kBandCount = 2;

int bandIndex(HWND rebar, int id) {
  return static_cast<int>(SendMessageA(rebar, RB_IDTOINDEX, static_cast<WPARAM>(id), 0));
}

}  // namespace

bool MainRebar::create(HWND owner, const UiBitmaps& bitmaps) {
  rebar_ = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                               RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                           0, 0, 0, 0, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)),
                           GetModuleHandleA(nullptr), nullptr);
  if (!rebar_) return false;
  tools_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                           WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                               CCS_NODIVIDER | CCS_NOPARENTALIGN,
                           0, 0, 0, 0, rebar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarId)),
                           GetModuleHandleA(nullptr), nullptr);
  if (!tools_) return false;
  SendMessageA(tools_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Buttons send their commands to the main window, as the menu does.
  SendMessageA(tools_, TB_SETPARENT, reinterpret_cast<WPARAM>(owner), 0);
  if ((images_ = bitmaps.strip("toolbar.bmp", 16)))
    SendMessageA(tools_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  std::array<TBBUTTON, std::size(kButtons)> buttons{};
  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    buttons[i].iBitmap = kButtons[i].image;
    buttons[i].idCommand = kButtons[i].command;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  SendMessageA(tools_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(tools_, TB_AUTOSIZE, 0, 0);
  refreshButtons();
  return true;
}

bool MainRebar::toolTip(NMHDR* header) {
  if (header->code != TTN_GETDISPINFOA) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  const auto id = static_cast<std::uint16_t>(header->idFrom);
  for (const ToolButton& button : kButtons) {
    if (button.command != id) continue;
    // The snapshot view's button has no menu row of its own.
    tipText_ = id == snapshots::kSnapshotViewCommand ? text::sjis("スナップショットビュー") : menu::commandLabel(id);
    info->lpszText = tipText_.data();
    return true;
  }
  return false;
}

void MainRebar::refreshButtons() const {
  for (const ToolButton& button : kButtons)
    SendMessageA(tools_, TB_ENABLEBUTTON, button.command,
                 MAKELONG(menu::commandAvailable(button.command) || button.command == snapshots::kSnapshotViewCommand
                              ? 1 : 0, 0));
}

void MainRebar::showAutoSnapMode(int mode) const {
  if (tools_) SendMessageA(tools_, TB_CHANGEBITMAP, menu::kAutoSnapshotStep, MAKELPARAM(kAutoSnapImages + mode, 0));
}

void MainRebar::addBands(HWND searchBar, int searchHeight, int searchMinWidth, const std::string& settingsPath,
                         bool locked) {
  const platform::IniFile ini(settingsPath);
  SIZE toolSize{};
  SendMessageA(tools_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&toolSize));
  const BandSetting own[kBandCount] = {{kToolBand, toolSize.cx + 16, 0}, {kSearchBand, 300, 0}};
  // Stored in the order the bands stood; an unknown or repeated ID keeps the own order.
  BandSetting stored[kBandCount];
  for (int n = 0; n < kBandCount; ++n) stored[n] = loadBand(ini, n, own[n]);
  if (stored[0].id == stored[1].id || (stored[0].id != kToolBand && stored[0].id != kSearchBand) ||
      (stored[1].id != kToolBand && stored[1].id != kSearchBand))
    for (int n = 0; n < kBandCount; ++n) stored[n].id = own[n].id;
  for (const BandSetting& band : stored) {
    const bool tool = band.id == kToolBand;
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_ID;
    info.fStyle = RBBS_CHILDEDGE | (band.lineBreak ? RBBS_BREAK : 0) | (locked ? RBBS_NOGRIPPER : RBBS_GRIPPERALWAYS);
    info.hwndChild = tool ? tools_ : searchBar;
    info.cxMinChild = tool ? toolSize.cx : searchMinWidth;
    info.cyMinChild = tool ? toolSize.cy : searchHeight;
    info.cx = band.width;
    info.wID = static_cast<UINT>(band.id);
    SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
  }
  // The search bar takes the room the tool bar leaves.
  SendMessageA(rebar_, RB_MAXIMIZEBAND, static_cast<WPARAM>(bandIndex(rebar_, kSearchBand)), 0);
}

int MainRebar::height() const {
  if (!rebar_) return 0;
  RECT rect{};
  GetWindowRect(rebar_, &rect);
  return rect.bottom - rect.top;
}

void MainRebar::setLocked(bool locked) {
  for (int i = 0; i < kBandCount; ++i) {
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE;
    SendMessageA(rebar_, RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&info));
    info.fStyle &= ~(RBBS_NOGRIPPER | RBBS_GRIPPERALWAYS);
    info.fStyle |= locked ? RBBS_NOGRIPPER : RBBS_GRIPPERALWAYS;
    SendMessageA(rebar_, RB_SETBANDINFOA, i, reinterpret_cast<LPARAM>(&info));
  }
}

void MainRebar::saveBands(const std::string& settingsPath) const {
  const platform::IniFile ini(settingsPath);
  for (int i = 0; i < kBandCount; ++i) {
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_ID | RBBIM_SIZE | RBBIM_STYLE;
    if (!SendMessageA(rebar_, RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&info))) continue;
    saveBand(ini, i, {static_cast<int>(info.wID), static_cast<int>(info.cx), (info.fStyle & RBBS_BREAK) ? 1 : 0});
  }
}

}  // namespace qm::shell
