#include "app/launch/emulator_settings_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/keys/key_script.h"
#include "app/launch/launch_item.h"
#include "app/launch/setting_store.h"
#include "app/masters/machine_precondition.h"
#include "app/rewrite/launch_rewrite.h"
#include "app/settings/settings.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/tab_pages_win.h"
#include "app/ui/folder_browser_win.h"
#include "common/platform/files.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

using text::sjis;

enum ControlId : int {
  kMachine = 1300, kSettings, kName, kNew, kCopy, kDelete, kDefault, kDefaultLabel, kTab,
  kExec = 1320, kOption, kQuote, kExtract0, kExtract1, kExtract2, kExtractPath, kExtractAllDelete, kRename0,
  kRename1, kRename2, kBrowseExec, kBrowsePath,
  kStartCmd = 1340,  // + 3 * program + field (0 command, 1 arguments, 2 wait); programs: start 1, 2, end 1, 2
  kKeyScript = 1360, kTwoImages, kRewrite, kBackup, kRewriteTest,
  kClip = 1370,      // + index of clipKeyNames()
  kCheck0 = 1390, kCheck1, kCheck2, kInterval, kCheckImage, kCheckText, kTitleText,
  kFirstLabel = 1400,
  kKeyStatus = 1450,
  kCapture = 1460,  // + index of captureKeys(): the program-wide snapshot settings
};

// Section "SnapShot" of Quillmoor2.ini, shown on the snapshot page: they
// hold for every emulator.
struct CaptureKey {
  Setting id;
  const char* utf8;                  // the field's label
  std::vector<const char*> choices;  // none: a number field
};
const std::vector<CaptureKey>& captureKeys() {
  static const std::vector<CaptureKey> keys = {
      {Setting::SnapShotExtPicToSnap, "終了後のスナップ",
       {"保存しない", "展開先フォルダの最新画像", "クリップボード画像", "両方"}},
      {Setting::SnapShotCrc32Name, "ファイル名", {"ファイル名", "CRC32", "ファイル名とCRC32", "タイトル"}},
      {Setting::SnapShotCaptureResultMonitor, "結果通知のモニタ (0 = 通知しない)", {}},
      {Setting::SnapShotCaptureResultPositon, "通知の位置", {"左上", "右上", "左下", "右下", "中央"}},
  };
  return keys;
}

enum class Kind { Label, Edit, Multi, Check, Radio, RadioFirst, Button, Combo };

struct Control {
  int page;
  Kind kind;
  int id;
  const char* utf8;
  int x, y, width, height;
};

constexpr int kTop = 232;  // where the pages' controls start

// The four pages as data: every control with its page and place.
const std::vector<Control>& pageControls() {
  static const std::vector<Control> controls = [] {
    std::vector<Control> c = {
        {0, Kind::Label, 0, "エミュレータ実行ファイル", 20, kTop, 300, 18},
        {0, Kind::Edit, kExec, "", 20, kTop + 18, 544, 22},
        {0, Kind::Button, kBrowseExec, "参照", 570, kTop + 18, 50, 22},
        {0, Kind::Label, 0, "オプション ($image $path $body $body_noext $title $maker ...)", 20, kTop + 46, 600, 18},
        {0, Kind::Edit, kOption, "", 20, kTop + 64, 600, 22},
        {0, Kind::Check, kQuote, "イメージパスをダブルクオートで囲んで渡す", 20, kTop + 92, 400, 20},
        {0, Kind::RadioFirst, kExtract0, "イメージファイルをそのまま渡す", 20, kTop + 118, 300, 20},
        {0, Kind::Radio, kExtract1, "圧縮されたイメージファイルは展開して渡す", 20, kTop + 140, 300, 20},
        {0, Kind::Radio, kExtract2, "非圧縮でも展開先にコピーして渡す", 20, kTop + 162, 300, 20},
        {0, Kind::Label, 0, "展開先フォルダ", 330, kTop + 118, 290, 18},
        {0, Kind::Edit, kExtractPath, "", 330, kTop + 136, 234, 22},
        {0, Kind::Button, kBrowsePath, "参照", 570, kTop + 136, 50, 22},
        {0, Kind::Check, kExtractAllDelete, "エミュレータ終了時に展開先フォルダ内を全削除する", 330, kTop + 162, 290, 36},
        {0, Kind::Label, 0, "展開・コピー後のリネーム", 20, kTop + 192, 300, 18},
        {0, Kind::RadioFirst, kRename0, "しない", 20, kTop + 210, 90, 24},
        {0, Kind::Radio, kRename1, "空白を_に置換", 120, kTop + 210, 130, 24},
        {0, Kind::Radio, kRename2, "8桁の連番", 260, kTop + 210, 130, 24},
        {1, Kind::Label, 0, "起動時に実行する他のアプリケーション (実行ファイル / 引数 / エミュ起動遅延(秒))", 20, kTop, 600, 18},
        {1, Kind::Label, 0, "終了時に実行するアプリケーション (実行ファイル / 引数 / 復帰遅延(秒))", 20, kTop + 72, 600, 18},
        {1, Kind::Label, 0, "キーエミュレーション スクリプト", 20, kTop + 144, 170, 18},
        {1, Kind::Multi, kKeyScript, "", 20, kTop + 162, 290, 56},
        {1, Kind::Check, kTwoImages, "２つ以上のイメージがあった時に発動する", 20, kTop + 220, 290, 20},
        {1, Kind::Label, 0, "設定書き換えスクリプト", 330, kTop + 144, 220, 18},
        {1, Kind::Button, kRewriteTest, "テスト", 560, kTop + 140, 60, 20},
        {1, Kind::Multi, kRewrite, "", 330, kTop + 162, 290, 56},
        {1, Kind::Check, kBackup, "元の設定をバックアップ＆リストア", 330, kTop + 220, 290, 20},
        {3, Kind::RadioFirst, kCheck0, "プロセスハンドルで検知 (Type1)", 20, kTop, 300, 20},
        {3, Kind::Radio, kCheck1, "ウィンドウタイトルの検索で検知", 20, kTop + 22, 300, 20},
        {3, Kind::Radio, kCheck2, "シェル経由のプロセスハンドルで検知 (Type2)", 20, kTop + 44, 300, 20},
        {3, Kind::Label, 0, "検索間隔(秒)", 40, kTop + 76, 100, 22},
        {3, Kind::Edit, kInterval, "", 150, kTop + 76, 60, 22},
        {3, Kind::Check, kCheckImage, "起動イメージ名の含まれるウィンドウを検索", 40, kTop + 104, 400, 20},
        {3, Kind::Check, kCheckText, "次の文字列の含まれるウィンドウを検索", 40, kTop + 128, 400, 20},
        {3, Kind::Edit, kTitleText, "", 60, kTop + 152, 400, 22},
    };
    for (int program = 0; program < 4; ++program) {
      const int y = kTop + 20 + (program / 2) * 72 + (program % 2) * 26;
      c.push_back({1, Kind::Edit, kStartCmd + 3 * program, "", 20, y, 270, 22});
      c.push_back({1, Kind::Edit, kStartCmd + 3 * program + 1, "", 296, y, 250, 22});
      c.push_back({1, Kind::Edit, kStartCmd + 3 * program + 2, "", 552, y, 68, 22});
    }
    for (int i = 0; i < kClipKeyCount; ++i) {
      const int x = 20 + (i % 2) * 310, y = kTop + (i / 2) * 28;
      c.push_back({2, Kind::Label, 0, clipKeyNames()[i], x, y, 120, 22});
      c.push_back({2, Kind::Edit, kClip + i, "", x + 124, y, 80, 22});
    }
    c.push_back({1, Kind::Label, kKeyStatus, "", 190, kTop + 144, 120, 18});
    for (std::size_t i = 0; i < captureKeys().size(); ++i) {
      const int x = 20 + static_cast<int>(i % 2) * 310, y = kTop + 176 + static_cast<int>(i / 2) * 28;
      const bool combo = !captureKeys()[i].choices.empty();
      c.push_back({2, Kind::Label, 0, captureKeys()[i].utf8, x, y, combo ? 110 : 210, 22});
      c.push_back({2, combo ? Kind::Combo : Kind::Edit, kCapture + static_cast<int>(i), "", x + (combo ? 114 : 214),
                   y, combo ? 170 : 70, combo ? 200 : 22});
    }
    return c;
  }();
  return controls;
}

CompanionProgram& programAt(EmulatorSetting& setting, int program) {
  return program < 2 ? setting.startPrograms[program] : setting.endPrograms[program - 2];
}

class EmulatorSettingsDialog : public ui::DialogWindow {
public:
  EmulatorSettingsDialog(SettingPlace place, std::string key, Settings* settings)
      : place_(std::move(place)), key_(std::move(key)), settings_(settings) {}
  bool run(HWND owner) {
    runModal(owner, sjis("エミュレータ設定"), 640, 524);
    return listChanged_;
  }

protected:
  void createControls() override {
    sink_ = platform::makeWindowSink(hwnd());
    label(sjis("機種"), 10, 10, 40, 22);
    add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kMachine, 54, 10, 250, 300);
    add("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kSettings, 10, 40, 294, 150,
        WS_EX_CLIENTEDGE);
    label(sjis("設定名"), 320, 40, 60, 22);
    edit(kName, 384, 40, 246);
    button(sjis("新規"), kNew, 320, 74, 74);
    button(sjis("コピー"), kCopy, 400, 74, 74);
    button(sjis("削除"), kDelete, 480, 74, 74);
    button(sjis("デフォルトに設定/解除"), kDefault, 320, 106, 234);
    add("STATIC", "", SS_LEFT | SS_NOPREFIX, kDefaultLabel, 320, 140, 310, 40);
    HWND tab = add(WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, kTab, 10, 200, 620, 284);
    pages_.create(tab, {sjis("基本"), sjis("起動アプリとスクリプト"), sjis("スナップショット"), sjis("終了検知")});
    int labelId = kFirstLabel;
    for (const Control& c : pageControls()) addControl(c, c.kind == Kind::Label && c.id == 0 ? labelId++ : c.id);
    button(sjis("保存"), IDOK, 456, 492, 84, 26);
    button(sjis("閉じる"), IDCANCEL, 546, 492, 84, 26);
    pages_.show(0);
    fillMachines();
    showCaptureSettings();
  }

  int focusAtOpen() const override { return kSettings; }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
      pages_.show(pages_.chosen());
      return 0;
    }
    if (message == WM_CTLCOLORSTATIC) {
      if (HBRUSH brush = pages_.colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(brush);
    }
    if (message != WM_COMMAND) return DialogWindow::handle(message, wParam, lParam);
    switch (LOWORD(wParam)) {
      case kMachine:
        if (HIWORD(wParam) == CBN_SELCHANGE) fillSettings("");
        break;
      case kSettings:
        if (HIWORD(wParam) == LBN_SELCHANGE) loadSelected();
        break;
      case kKeyScript:
        if (HIWORD(wParam) == EN_CHANGE) setText(kKeyStatus, keys::unpairedStatus(textOf(kKeyScript)));
        break;
      case kNew: clearForm(); break;
      case kBrowseExec: browse(kExec, ui::BrowseFor::FoldersAndFiles); break;
      case kBrowsePath: browse(kExtractPath, ui::BrowseFor::Folders); break;
      case kCopy: copySelected(); break;
      case kDelete: deleteSelected(); break;
      case kDefault: toggleDefault(); break;
      case kRewriteTest: testRewrite(); break;
      case IDOK: save(); break;
      case IDCANCEL: endModal(IDCANCEL); break;
    }
    return 0;
  }

private:
  void addControl(const Control& c, int id) {
    const std::string text = sjis(c.utf8);
    pages_.fill(c.page);
    switch (c.kind) {
      case Kind::Label: add("STATIC", text, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, id, c.x, c.y, c.width, c.height); break;
      case Kind::Edit: add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, id, c.x, c.y, c.width, c.height, WS_EX_CLIENTEDGE); break;
      case Kind::Multi:
        add("EDIT", "", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, id, c.x, c.y, c.width,
            c.height, WS_EX_CLIENTEDGE);
        break;
      case Kind::Check: add("BUTTON", text, BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, id, c.x, c.y, c.width, c.height); break;
      case Kind::RadioFirst:
        add("BUTTON", text, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, id, c.x, c.y, c.width, c.height);
        break;
      case Kind::Radio: add("BUTTON", text, BS_AUTORADIOBUTTON, id, c.x, c.y, c.width, c.height); break;
      case Kind::Button: button(text, id, c.x, c.y, c.width, c.height); break;
      case Kind::Combo:
        add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id, c.x, c.y, c.width, c.height);
        break;
    }
    pages_.take(item(id));
  }

  std::string machine() const { return ui::comboSelectedText(item(kMachine)); }

  void browse(int field, ui::BrowseFor what) {
    if (const auto chosen = ui::browseForFolder(hwnd(), "", textOf(field), what)) setText(field, *chosen);
  }
  std::string selectedName() const {
    const auto index = SendMessageA(item(kSettings), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return {};
    char name[300] = "";
    SendMessageA(item(kSettings), LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    return name;
  }

  void fillMachines() {
    const auto machines = libraryMachines(place_.dbPath).value_or(std::vector<std::string>{});
    std::string start;
    std::string startSetting;
    if (const auto current = key_.empty() ? std::nullopt : loadLaunchItem(place_.dbPath, key_)) {
      start = current->machineName;
      startSetting = current->emusetName;
    }
    int select = 0;
    for (std::size_t i = 0; i < machines.size(); ++i) {
      SendMessageA(item(kMachine), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(machines[i].c_str()));
      if (machines[i] == start) select = static_cast<int>(i);
    }
    SendMessageA(item(kMachine), CB_SETCURSEL, select, 0);
    fillSettings(startSetting);
  }

  // The machine's settings, with `select` (else its default, else the first) loaded.
  void fillSettings(std::string select) {
    HWND list = item(kSettings);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::vector<std::string> names = listSettings(place_.root, machine());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const std::string fallback = defaultSettingName(place_.root, machine());
    setText(kDefaultLabel, sjis("デフォルト: ") + (fallback.empty() ? sjis("なし") : fallback));
    if (select.empty()) select = fallback;
    auto found = std::find(names.begin(), names.end(), select);
    if (found == names.end() && !names.empty()) found = names.begin();
    if (found == names.end()) return clearForm();
    SendMessageA(list, LB_SETCURSEL, found - names.begin(), 0);
    loadSelected();
  }

  void loadSelected() {
    const std::string name = selectedName();
    if (name.empty()) return;
    const std::string path = settingFile(place_.root, machine(), name);
    showForm(readEmulatorSetting(path), readCompanion(path, Companion::KeyScript),
             readCompanion(path, Companion::RewriteScript));
    setText(kName, name);
    originalMachine_ = machine();
    originalName_ = name;
  }

  void clearForm() {
    SendMessageA(item(kSettings), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    showForm(EmulatorSetting{}, "", "");
    setText(kName, "");
    originalMachine_.clear();
    originalName_.clear();
  }

  void showForm(const EmulatorSetting& s, const std::string& keyScript, const std::string& rewrite) {
    setText(kExec, s.exec);
    setText(kOption, s.option);
    check(kQuote, s.doubleQuote == 1);
    for (int i = 0; i < 3; ++i) {
      check(kExtract0 + i, s.extract == i);
      check(kRename0 + i, s.fileNameReplace == i);
      check(kCheck0 + i, s.checkType == i);
    }
    setText(kExtractPath, s.extractPath);
    check(kExtractAllDelete, s.extractAllDelete == 1);
    EmulatorSetting copy = s;
    for (int program = 0; program < 4; ++program) {
      const CompanionProgram& p = programAt(copy, program);
      setText(kStartCmd + 3 * program, p.command);
      setText(kStartCmd + 3 * program + 1, p.arguments);
      setText(kStartCmd + 3 * program + 2, std::to_string(p.waitSeconds));
    }
    setText(kKeyScript, keyScript);
    check(kTwoImages, s.enableTwoImagesOver == 1);
    setText(kRewrite, rewrite);
    check(kBackup, s.backupAndRestore == 1);
    for (int i = 0; i < kClipKeyCount; ++i) setText(kClip + i, std::to_string(s.clip[i]));
    setText(kInterval, std::to_string(s.titleIntervalSeconds));
    check(kCheckImage, s.titleCheckImage == 1);
    check(kCheckText, s.titleCheckText == 1);
    setText(kTitleText, s.titleText);
  }

  int choice(int first) const {
    for (int i = 0; i < 3; ++i)
      if (checked(first + i)) return i;
    return 0;
  }

  SettingForm form() const {
    SettingForm f;
    f.machine = machine();
    f.name = textOf(kName);
    f.originalMachine = originalMachine_;
    f.originalName = originalName_;
    EmulatorSetting& s = f.setting;
    s.exec = textOf(kExec);
    s.option = textOf(kOption);
    s.doubleQuote = checked(kQuote);
    s.extract = choice(kExtract0);
    s.extractPath = textOf(kExtractPath);
    s.extractAllDelete = checked(kExtractAllDelete);
    s.fileNameReplace = choice(kRename0);
    s.checkType = choice(kCheck0);
    s.titleCheckImage = checked(kCheckImage);
    s.titleCheckText = checked(kCheckText);
    s.titleText = textOf(kTitleText);
    for (int program = 0; program < 4; ++program) {
      CompanionProgram& p = programAt(s, program);
      p.command = textOf(kStartCmd + 3 * program);
      p.arguments = textOf(kStartCmd + 3 * program + 1);
      (program < 2 ? f.startWaits[program] : f.endWaits[program - 2]) = textOf(kStartCmd + 3 * program + 2);
    }
    f.interval = textOf(kInterval);
    s.enableTwoImagesOver = checked(kTwoImages);
    s.backupAndRestore = checked(kBackup);
    for (int i = 0; i < kClipKeyCount; ++i) s.clip[i] = std::atoi(textOf(kClip + i).c_str());
    f.keyScript = textOf(kKeyScript);
    f.rewriteScript = textOf(kRewrite);
    return f;
  }

  // The values in use are the window's: they are written at shutdown too.
  int captureValue(Setting id) const {
    return settings_ ? settings_->number(id) : readNumber(platform::IniFile(settingsPath()), id);
  }
  std::string settingsPath() const { return platform::joinPath(place_.root, "Quillmoor2.ini"); }

  void showCaptureSettings() {
    for (std::size_t i = 0; i < captureKeys().size(); ++i) {
      const CaptureKey& key = captureKeys()[i];
      const int id = kCapture + static_cast<int>(i);
      const int value = captureValue(key.id);
      if (key.choices.empty()) {
        setText(id, std::to_string(value));
        continue;
      }
      for (const char* choice : key.choices)
        SendMessageA(item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(choice).c_str()));
      SendMessageA(item(id), CB_SETCURSEL, value, 0);
    }
  }

  void saveCaptureSettings() {
    Settings local;
    Settings& target = settings_ ? *settings_ : local;
    const platform::IniFile ini(settingsPath());
    for (std::size_t i = 0; i < captureKeys().size(); ++i) {
      const CaptureKey& key = captureKeys()[i];
      const int id = kCapture + static_cast<int>(i);
      const int value = key.choices.empty() ? std::atoi(textOf(id).c_str())
                                            : static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0));
      target.setNumber(key.id, value < 0 ? 0 : value);
      writeValue(ini, target, key.id);
    }
  }

  void save() {
    saveCaptureSettings();
    const SettingForm f = form();
    const SaveResult result = saveSetting(place_, f, *sink_);
    listChanged_ |= result.listChanged;
    if (result.saved) fillSettings(f.name);
  }

  void copySelected() {
    const std::string name = selectedName();
    if (name.empty()) return;
    const std::string copy = copySetting(place_, machine(), name, *sink_);
    if (!copy.empty()) fillSettings(copy);
  }

  void deleteSelected() {
    const std::string name = selectedName();
    if (name.empty()) return;
    const DeleteResult result = deleteSetting(place_, machine(), name, *sink_);
    listChanged_ |= result.listChanged;
    if (result.deleted) fillSettings("");
  }

  void toggleDefault() {
    const std::string name = selectedName();
    if (name.empty()) return;
    toggleDefaultSetting(place_, machine(), name);
    fillSettings(name);
  }

  // Every line of the rewriting script checked, each with a message; nothing changed.
  void testRewrite() {
    rewrite::testDialogScript({place_.root, place_.dbPath, machine(), textOf(kExec), textOf(kRewrite)},
                              rewrite::systemRegistry(), *sink_);
  }

  SettingPlace place_;
  std::string key_;
  Settings* settings_;
  std::unique_ptr<platform::MessageSink> sink_;
  ui::TabPages pages_;
  std::string originalMachine_;
  std::string originalName_;
  bool listChanged_ = false;
};

}  // namespace

bool runEmulatorSettingsDialog(HWND owner, const std::string& programFolder, const std::string& dbPath,
                               const std::string& key, Settings* settings) {
  // The settings are kept per machine: without one there is nothing to set.
  const auto sink = platform::makeWindowSink(owner);
  if (!master::haveMachine(dbPath, master::MachineNeed::EmulatorSettings, *sink)) return false;
  EmulatorSettingsDialog dialog({programFolder, dbPath}, key, settings);
  return dialog.run(owner);
}

}  // namespace qm::launch
