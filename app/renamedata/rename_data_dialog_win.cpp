#include "app/renamedata/rename_data_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <memory>

#include "app/renamedata/list_data.h"
#include "app/renamedata/plugin_folder.h"
#include "app/renamedata/rename_run.h"
#include "app/renamedata/status_feed.h"
#include "app/settings/settings.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/message_box_win.h"
#include "app/ui/run_dialog_win.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/run/machine_list.h"
#include "common/text/encoding.h"
#include "common/text/reading_settings.h"

namespace qm::renamedata {
namespace {

using text::sjis;

enum Control : int {
  kMachine = 1001,
  kListFile = 1002,
  kBrowse = 1003,
  kPlugin = 1004,
  kPluginInfo = 1005,
  kKey = 1006,
  kItemsFrame = 1007,
  kStatus = 1008,
  kTestList = 1009,
  kRun = 1011,
  kTest = 1012,
  kClose = 1013,
  kItemBase = 1100,  // + the item's index
};

constexpr int kWidth = 540;

class RenameDataDialog : public ui::RunDialog {
public:
  explicit RenameDataDialog(const RenameDataPlace& place) : place_(place) {}
  bool open() {
    runModal(place_.owner, sjis("リネームデータを拝借してライブラリ更新"), kWidth, 640);
    return changed_;
  }

private:
  void createControls() override;
  int focusAtOpen() const override { return kRun; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  void choosePlugin();
  void browse();
  void startOrStop(bool test);
  std::optional<RenameRequest> request(bool test);
  void runEnded() override;
  void showFeed() override;
  void setRunning(bool running, bool test);

  const RenameDataPlace& place_;
  std::unique_ptr<RenamePlugin> plugin_;
  std::optional<platform::ReadOnlyText> list_;
  std::optional<RenameKeys> keys_;
  RenameRequest running_;
  RenameResult result_;
  bool changed_ = false;
  StatusFeed observer_{feed_};
};

void RenameDataDialog::createControls() {
  label(sjis("ライブラリを更新する機種"), 10, 10, 300, 18);
  HWND machines = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kMachine, 10, 28, 300, 300);
  const auto entries = maintenance::machineListEntries(place_.dbPath);
  for (std::size_t i = 1; i < entries.size(); ++i)
    SendMessageA(machines, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].c_str()));
  SendMessageA(machines, CB_SETCURSEL, 0, 0);

  label(sjis("使用するデータファイル（XMLはZIP対応）"), 10, 62, 500, 18);
  edit(kListFile, 10, 80, 430, ES_AUTOHSCROLL);
  button(sjis("参照"), kBrowse, 446, 79, 84, 24);

  label(sjis("使用するプラグイン （データファイルとプラグインが正しい組み合わせかは本体側ではチェックしていません）"), 10,
        114, 520, 34);
  HWND plugins = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kPlugin, 10, 150, 300, 300);
  for (const std::string& name : pluginFiles(place_.programFolder))
    SendMessageA(plugins, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  add("STATIC", "", SS_LEFT | SS_NOPREFIX, kPluginInfo, 10, 178, 520, 34);

  label(sjis("プラグインへ渡すキー（プラグインはキーを元に各情報を検索します）"), 10, 218, 520, 18);
  HWND keys = add(WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kKey, 10, 236, 300, 200);
  for (const std::string& entry : keyEntries())
    SendMessageA(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(keys, CB_SETCURSEL, kDefaultKeyEntry, 0);

  add("BUTTON", sjis("更新する情報 （グレーアウトはプラグインが対応していません）"), BS_GROUPBOX, kItemsFrame, 10, 270,
      520, 172);
  for (const ItemInfo& info : itemTable()) {
    const int index = static_cast<int>(indexOf(info.item));
    add("BUTTON", sjis(info.label), BS_AUTOCHECKBOX | WS_TABSTOP, kItemBase + index, 24 + (index / 7) * 168,
        292 + (index % 7) * 21, 160, 18);
    check(kItemBase + index, true);
  }
  add("STATIC", "", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, kStatus, 10, 450, 520, 20);
  add(WC_LISTBOXA, "", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, kTestList, 10, 478, 520, 118,
      WS_EX_CLIENTEDGE);
  SendMessageA(item(kTestList), LB_SETHORIZONTALEXTENT, 1600, 0);
  button(sjis("実行"), kRun, 262, 606, 84, 26);
  button(sjis("テスト"), kTest, 354, 606, 84, 26);
  button(sjis("閉じる"), kClose, 446, 606, 84, 26);

  if (SendMessageA(plugins, CB_GETCOUNT, 0, 0) == 0) {
    setText(kStatus, noPluginsText());
  } else {
    SendMessageA(plugins, CB_SETCURSEL, 0, 0);
  }
  choosePlugin();
}

LRESULT RenameDataDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kPlugin:
          if (HIWORD(wParam) == CBN_SELCHANGE) choosePlugin();
          return 0;
        case kBrowse: browse(); return 0;
        case kRun: startOrStop(false); return 0;
        case kTest: startOrStop(true); return 0;
        case kClose:
        case IDCANCEL: close(); return 0;
      }
      break;
    case WM_CLOSE: close(); return 0;
  }
  return RunDialog::handle(message, wParam, lParam);
}

// The previous plug-in goes before the next one loads.
void RenameDataDialog::choosePlugin() {
  plugin_.reset();
  setText(kPluginInfo, "");
  const std::string name = ui::comboSelectedText(item(kPlugin));
  if (!name.empty()) {
    PluginLoad load = RenamePlugin::load(platform::joinPath(pluginFolder(place_.programFolder), name));
    if (load.plugin) {
      plugin_ = std::move(load.plugin);
      const auto version = plugin_->version();
      setText(kPluginInfo, sjis("バージョン：") + (version ? std::to_string(*version) : "-") + sjis("　作った人：") +
                               plugin_->author() + "\r\n" + sjis("説明：") + plugin_->info());
    } else {
      ui::showError(hwnd_, load.refusal, sjis("エラー"));
    }
  }
  for (const ItemInfo& info : itemTable())
    enable(kItemBase + static_cast<int>(indexOf(info.item)), plugin_ && plugin_->has(info.item));
  enable(kRun, plugin_ != nullptr);
  enable(kTest, plugin_ != nullptr);
}

void RenameDataDialog::browse() {
  const platform::IniFile ini(place_.settingsPath);
  Settings settings;
  loadDialogKeys(settings, ini, "FolderPath");
  const std::string start = settings.text(Setting::FolderReNameData);
  char file[MAX_PATH] = "";
  const std::string filter = sjis("リネームデータ (*.xml;*.zip;*.txt)") + std::string(1, '\0') + "*.xml;*.zip;*.txt" +
                             std::string(1, '\0') + sjis("すべてのファイル (*.*)") + std::string(1, '\0') + "*.*" +
                             std::string(2, '\0');
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = hwnd_;
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  // The program folder is the current directory and must stay so.
  open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&open)) return;
  setText(kListFile, file);
  settings.setText(Setting::FolderReNameData, platform::folderOf(file));
  saveDialogKeys(settings, ini, "FolderPath");
}

std::optional<RenameRequest> RenameDataDialog::request(bool test) {
  RenameRequest request;
  request.dbPath = place_.dbPath;
  request.machine = ui::comboSelectedText(item(kMachine));
  request.keyType = keyTypeAt(static_cast<int>(SendMessageA(item(kKey), CB_GETCURSEL, 0, 0)));
  request.test = test;
  request.tables = text::loadSymbolTables(platform::IniFile(place_.settingsPath));
  for (const ItemInfo& info : itemTable()) {
    const int id = kItemBase + static_cast<int>(indexOf(info.item));
    if (checked(id) && IsWindowEnabled(item(id))) request.items.push_back(info.item);
  }
  if (request.machine.empty() || request.items.empty() || !plugin_) return std::nullopt;
  return request;
}

// The pressed button reads "中止" while its run goes on and then only asks
// for the stop, which the run notices after the image at hand.
void RenameDataDialog::startOrStop(bool test) {
  if (running()) {
    requestStop();
    return;
  }
  auto what = request(test);
  if (!what) return;
  SendMessageA(item(kTestList), LB_RESETCONTENT, 0, 0);
  ListData list = loadListData(ui::windowText(item(kListFile)));
  if (!list.text) {
    setText(kStatus, list.failure);
    return;
  }
  const ListCheck check = plugin_->checkList(*list.text);
  if (!check.error.empty()) {
    setText(kStatus, check.error);
    return;
  }
  setText(kStatus, list.notice.empty() ? check.notice : list.notice + " " + check.notice);
  RenameStatus ended = RenameStatus::Completed;
  const auto sink = platform::makeWindowSink(hwnd_);
  keys_ = selectRenameKeys(*what, *sink, observer_, ended);
  showFeed();
  if (!keys_) return;
  list_ = std::move(list.text);
  running_ = std::move(*what);
  setRunning(true, test);
  runOnWorker([this] {
    result_ = runRename(running_, *keys_, *plugin_, *list_, observer_, maintenance::processStopFlag());
  });
}

void RenameDataDialog::runEnded() {
  showFeed();
  setRunning(false, running_.test);
  if (!running_.test && result_.status != RenameStatus::Failed && result_.found > 0) changed_ = true;
  if (result_.status == RenameStatus::Failed) ui::showError(hwnd_, result_.error, databaseFailureCaption());
  list_.reset();
  keys_.reset();
}

void RenameDataDialog::showFeed() {
  maintenance::RunFeed::Batch batch = feed_.take();
  if (batch.status) setText(kStatus, *batch.status);
  HWND lines = item(kTestList);
  for (const std::string& line : batch.lines)
    SendMessageA(lines, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (!batch.lines.empty()) SendMessageA(lines, LB_SETTOPINDEX, SendMessageA(lines, LB_GETCOUNT, 0, 0) - 1, 0);
}

void RenameDataDialog::setRunning(bool running, bool test) {
  const int pressed = test ? kTest : kRun;
  setText(pressed, running ? sjis("中止") : sjis(test ? "テスト" : "実行"));
  enable(test ? kRun : kTest, !running);
  for (int id : {kMachine, kListFile, kBrowse, kPlugin, kKey, kClose}) enable(id, !running);
  for (const ItemInfo& info : itemTable()) {
    const int id = kItemBase + static_cast<int>(indexOf(info.item));
    enable(id, !running && plugin_ && plugin_->has(info.item));
  }
}

}  // namespace

bool openRenameDataDialog(const RenameDataPlace& place) {
  RenameDataDialog dialog(place);
  return dialog.open();
}

}  // namespace qm::renamedata
