#include "app/masters/master_property_win.h"

#include <commdlg.h>

#include <memory>
#include <vector>

#include "app/masters/master_dialogs_win.h"
#include "app/masters/master_tables.h"
#include "app/masters/snap_display.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/folder_browser_win.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::master {
namespace {

using text::sjis;

constexpr int kMargin = 8;
constexpr int kLabelX = 20;
constexpr int kFieldX = 132;
constexpr int kRow = 30;

// The folders of the default icons that the new database names, by kind.
const char* defaultIconFolder(Kind kind) {
  switch (kind) {
    case Kind::Machine:
      return "machine";
    case Kind::Media:
      return "media";
    case Kind::Genre:
      return "genre";
    case Kind::Adultex:
      return "cero";
  }
  return "";
}

class PropertyDialog : public ui::DialogWindow {
public:
  PropertyDialog(db::DbConnection& db, IconLists& icons, const PropertyRequest& request, Entry entry,
                 std::optional<std::string> oldName, std::vector<std::string> media)
      : db_(db),
        icons_(icons),
        request_(request),
        entry_(std::move(entry)),
        oldName_(std::move(oldName)),
        media_(std::move(media)) {}

  std::optional<std::string> savedName;

  static int clientWidth(Kind kind) { return kind == Kind::Machine ? 560 : 460; }
  static int clientHeight(Kind kind) { return kind == Kind::Machine ? 506 : 196; }

private:
  void createControls() override;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onCommand(int id, int code);
  bool onDrawItem(const DRAWITEMSTRUCT& draw);

  int addCommonFields(int width);
  void addMachineFields(int y, int width);
  void addSnapDisplayFields(int y, int width);
  std::string numberText() const;
  Entry gather() const;
  SnapDisplay snapDisplay() const;
  void showSnapDisplay(const std::string& stored);
  void updateSnapControls();
  void updatePreview();
  void browseIcon();
  void browseFolder(int editId);
  void save();

  db::DbConnection& db_;
  IconLists& icons_;
  const PropertyRequest& request_;
  Entry entry_;
  std::optional<std::string> oldName_;
  std::vector<std::string> media_;
  ui::OwnedImageList preview_;
};

void PropertyDialog::createControls() {
  const int width = clientWidth(request_.kind);
  const int y = addCommonFields(width);
  if (request_.kind == Kind::Machine) addMachineFields(y, width);
  const int bottom = clientHeight(request_.kind) - 32;
  button("OK", IDOK, width - 2 * (84 + kMargin), bottom, 84, 24, BS_DEFPUSHBUTTON);
  button(sjis("キャンセル"), IDCANCEL, width - 84 - kMargin, bottom);
  updatePreview();
}

// The fields of every kind in their group; returns where the next group starts.
int PropertyDialog::addCommonFields(int width) {
  const KindTexts& texts = textsOf(request_.kind);
  const bool machine = request_.kind == Kind::Machine;
  const int groupHeight = machine ? 188 : 146;
  add("BUTTON", texts.groupLabel, BS_GROUPBOX, 0, kMargin, kMargin, width - 2 * kMargin, groupHeight);
  const int fieldWidth = width - kFieldX - 64;
  int y = kMargin + 22;
  label(texts.nameLabel, kLabelX, y, kFieldX - kLabelX);
  edit(kPropName, kFieldX, y, fieldWidth);
  SendMessageA(item(kPropName), EM_LIMITTEXT, kMaxNameBytes, 0);
  setText(kPropName, entry_.name);
  y += kRow;
  label(sjis("アイコン"), kLabelX, y, kFieldX - kLabelX);
  edit(kPropIcon, kFieldX, y, fieldWidth - 80);
  setText(kPropIcon, entry_.icon);
  button(sjis("参照..."), kPropIconBrowse, kFieldX + fieldWidth - 76, y - 1, 76, 24);
  add("STATIC", "", SS_OWNERDRAW, kPropIconPreview, width - kMargin - 52, kMargin + 20, 40, 40);
  y += kRow;
  label(sjis("管理番号"), kLabelX, y, kFieldX - kLabelX);
  add("EDIT", numberText(), ES_READONLY | ES_AUTOHSCROLL, kPropNumber, kFieldX, y + 3, fieldWidth, 18);
  y += kRow;
  if (!machine) {
    label(sjis("管理番号は名前の順に振り直されます。"), kFieldX, y, fieldWidth);
    return kMargin + groupHeight;
  }
  label(sjis("検索拡張子"), kLabelX, y, kFieldX - kLabelX);
  edit(kPropSearchExt, kFieldX, y, 200);
  setText(kPropSearchExt, entry_.searchExt);
  label(sjis("例: .SFC;.SMC;.FIG"), kFieldX + 208, y, fieldWidth - 208);
  y += kRow;
  label(sjis("デフォルトメディア"), kLabelX, y, kFieldX - kLabelX);
  HWND media =
      add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kPropDefaultMedia, kFieldX, y, 260, 300);
  // The first entry stands for "none" and saves as "".
  SendMessageA(media, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("指定なし").c_str()));
  int selected = 0;
  for (const std::string& name : media_) {
    const int at = static_cast<int>(SendMessageA(media, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
    if (name == entry_.defaultMedia) selected = at;
  }
  if (!entry_.defaultMedia.empty() && selected == 0) {
    // A stored media that is no longer a master entry stays as it is.
    selected =
        static_cast<int>(SendMessageA(media, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry_.defaultMedia.c_str())));
  }
  SendMessageA(media, CB_SETCURSEL, selected, 0);
  return kMargin + groupHeight;
}

void PropertyDialog::addMachineFields(int y, int width) {
  y += kMargin;
  add("BUTTON", sjis("スナップショットフォルダ"), BS_GROUPBOX, 0, kMargin, y, width - 2 * kMargin, 112);
  const std::string* paths[] = {&entry_.snapPath, &entry_.snapPath2, &entry_.snapPath3};
  for (int i = 0; i < 3; ++i) {
    const int rowY = y + 22 + i * kRow;
    label(sjis("フォルダ") + std::to_string(i + 1), kLabelX, rowY, kFieldX - kLabelX);
    edit(kPropSnapPath1 + i, kFieldX, rowY, width - kFieldX - 108);
    setText(kPropSnapPath1 + i, *paths[i]);
    button(sjis("参照..."), kPropSnapBrowse1 + i, width - kMargin - 88, rowY - 1, 76, 24);
  }
  addSnapDisplayFields(y + 112 + kMargin, width);
}

void PropertyDialog::addSnapDisplayFields(int y, int width) {
  add("BUTTON", sjis("スナップショット表示"), BS_GROUPBOX, 0, kMargin, y, width - 2 * kMargin, 136);
  y += 20;
  button(sjis("この機種のスナップショット表示設定を使う"), kPropSnapOwn, kLabelX, y, 300, 22, BS_AUTOCHECKBOX);
  y += 28;
  button(sjis("表示領域全体に表示"), kPropSnapFill, kLabelX + 16, y, 150, 22, BS_AUTORADIOBUTTON | WS_GROUP);
  button(sjis("内側からフィット"), kPropSnapFit, kLabelX + 176, y, 150, 22, BS_AUTORADIOBUTTON);
  y += 28;
  button(sjis("縦長画像で X に対し Y が"), kPropSnapPortrait, kLabelX + 16, y, 168, 22, BS_AUTOCHECKBOX | WS_GROUP);
  edit(kPropSnapThreshold, kLabelX + 188, y, 44, ES_NUMBER | ES_RIGHT);
  SendMessageA(item(kPropSnapThreshold), EM_LIMITTEXT, 4, 0);
  label(sjis("％ 以上は"), kLabelX + 236, y, 60);
  HWND tall =
      add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kPropSnapTallMode, kLabelX + 298, y, 210, 300);
  for (const char* mode : kTallModes) SendMessageA(tall, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(mode).c_str()));
  y += 28;
  label(sjis("未満は"), kLabelX + 236, y, 60);
  HWND shorter =
      add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kPropSnapShortMode, kLabelX + 298, y, 210, 200);
  for (const char* mode : kShortModes)
    SendMessageA(shorter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis(mode).c_str()));
  showSnapDisplay(entry_.snapDtm);
}

std::string PropertyDialog::numberText() const {
  if (!oldName_) return sjis("（保存すると名前の順に付きます）");
  const std::vector<IconSlot>& slots = icons_.slots(request_.kind);
  for (std::size_t i = 1; i < slots.size(); ++i)
    if (slots[i].name == *oldName_) return std::to_string(i);
  return "-";
}

void PropertyDialog::showSnapDisplay(const std::string& stored) {
  const std::optional<SnapDisplay> own = parseSnapDisplay(stored);
  const SnapDisplay shown = own.value_or(SnapDisplay{});
  check(kPropSnapOwn, own.has_value());
  check(kPropSnapFill, !shown.fitInside);
  check(kPropSnapFit, shown.fitInside);
  check(kPropSnapPortrait, shown.portraitRule);
  setText(kPropSnapThreshold, std::to_string(shown.threshold));
  SendMessageA(item(kPropSnapTallMode), CB_SETCURSEL, shown.tallMode, 0);
  SendMessageA(item(kPropSnapShortMode), CB_SETCURSEL, shown.shortMode, 0);
  updateSnapControls();
}

SnapDisplay PropertyDialog::snapDisplay() const {
  SnapDisplay d;
  d.fitInside = checked(kPropSnapFit);
  d.threshold = std::atoi(textOf(kPropSnapThreshold).c_str());
  d.portraitRule = checked(kPropSnapPortrait);
  d.tallMode = static_cast<int>(SendMessageA(item(kPropSnapTallMode), CB_GETCURSEL, 0, 0));
  d.shortMode = static_cast<int>(SendMessageA(item(kPropSnapShortMode), CB_GETCURSEL, 0, 0));
  return d;
}

void PropertyDialog::updateSnapControls() {
  const bool own = checked(kPropSnapOwn);
  const bool rule = own && checked(kPropSnapPortrait);
  for (int id : {kPropSnapFill, kPropSnapFit, kPropSnapPortrait}) enable(id, own);
  for (int id : {kPropSnapThreshold, kPropSnapTallMode, kPropSnapShortMode}) enable(id, rule);
}

Entry PropertyDialog::gather() const {
  Entry e;
  e.name = textOf(kPropName);
  e.icon = textOf(kPropIcon);
  if (request_.kind != Kind::Machine) return e;
  e.searchExt = textOf(kPropSearchExt);
  e.snapPath = textOf(kPropSnapPath1);
  e.snapPath2 = textOf(kPropSnapPath1 + 1);
  e.snapPath3 = textOf(kPropSnapPath1 + 2);
  e.snapDtm = checked(kPropSnapOwn) ? snapDisplayText(snapDisplay()) : "";
  HWND media = item(kPropDefaultMedia);
  const int selected = static_cast<int>(SendMessageA(media, CB_GETCURSEL, 0, 0));
  if (selected > 0) e.defaultMedia = ui::comboItemText(media, selected);
  return e;
}

void PropertyDialog::updatePreview() {
  preview_ = makeIconList(IconSize::Large, 1);
  addIcon(preview_.get(), IconSize::Large, textOf(kPropIcon));
  InvalidateRect(item(kPropIconPreview), nullptr, TRUE);
}

LRESULT PropertyDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      if (onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

bool PropertyDialog::onDrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlID != kPropIconPreview) return false;
  FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
  const int x = (draw.rcItem.left + draw.rcItem.right - 32) / 2;
  const int y = (draw.rcItem.top + draw.rcItem.bottom - 32) / 2;
  ImageList_Draw(preview_.get(), 0, draw.hDC, x, y, ILD_TRANSPARENT);
  return true;
}

void PropertyDialog::onCommand(int id, int code) {
  switch (id) {
    case IDOK:
      save();
      return;
    case IDCANCEL:
      endModal(IDCANCEL);
      return;
    case kPropIconBrowse:
      browseIcon();
      return;
    case kPropIcon:
      if (code == EN_CHANGE) updatePreview();
      return;
    case kPropSnapOwn:
    case kPropSnapPortrait:
      updateSnapControls();
      return;
  }
  if (id >= kPropSnapBrowse1 && id < kPropSnapBrowse1 + 3) browseFolder(kPropSnapPath1 + (id - kPropSnapBrowse1));
}

void PropertyDialog::browseIcon() {
  const std::string current = textOf(kPropIcon);
  std::string start = platform::folderOf(current);
  if (current.empty() || !platform::folderExists(start)) {
    start = platform::joinPath(platform::joinPath(request_.programFolder, "default_icon"),
                               defaultIconFolder(request_.kind));
    if (!platform::folderExists(start)) start = request_.programFolder;
  }
  char file[MAX_PATH] = "";
  if (platform::fileSize(current) && current.size() < sizeof file) lstrcpynA(file, current.c_str(), sizeof file);
  const std::string filter = sjis("ビットマップ (*.bmp)") + std::string(1, '\0') + "*.bmp" + std::string(1, '\0') +
                             sjis("すべてのファイル (*.*)") + std::string(1, '\0') + "*.*" + std::string(2, '\0');
  const std::string title = sjis("アイコンのビットマップを選択");
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = hwnd();
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.lpstrInitialDir = start.c_str();
  open.lpstrTitle = title.c_str();
  // The program folder is the current directory and must stay so.
  open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&open)) setText(kPropIcon, file);
}

void PropertyDialog::browseFolder(int editId) {
  const auto chosen = ui::browseForFolder(hwnd(), sjis("スナップショットフォルダを選択してください"), textOf(editId),
                                          ui::BrowseFor::Folders);
  if (chosen) setText(editId, *chosen);
}

void PropertyDialog::save() {
  const Entry entry = gather();
  const std::unique_ptr<platform::MessageSink> sink = platform::makeWindowSink(hwnd());
  if (saveEntry(db_, request_.kind, entry, oldName_, request_.programFolder, *sink) != SaveOutcome::Saved) {
    // Left open for correction.
    SetFocus(item(kPropName));
    SendMessageA(item(kPropName), EM_SETSEL, 0, -1);
    return;
  }
  icons_.rebuild(db_, request_.kind, *sink);
  savedName = entry.name;
  endModal(IDOK);
}

}  // namespace

std::optional<std::string> runPropertyDialog(HWND owner, db::DbConnection& db, IconLists& icons,
                                             const PropertyRequest& request) {
  const std::unique_ptr<platform::MessageSink> sink = platform::makeWindowSink(owner);
  Entry entry;
  std::optional<std::string> oldName;
  if (request.name) {
    // A failed load is reported and the dialog goes on as an add.
    if (std::optional<Entry> loaded = loadEntry(db, request.kind, *request.name, *sink)) {
      entry = std::move(*loaded);
      oldName = entry.name;
    }
  }
  std::vector<std::string> media;
  if (request.kind == Kind::Machine) media = listNames(db, Kind::Media, *sink).value_or(std::vector<std::string>{});
  PropertyDialog dialog(db, icons, request, std::move(entry), std::move(oldName), std::move(media));
  dialog.runModal(owner, textsOf(request.kind).windowTitle, PropertyDialog::clientWidth(request.kind),
                  PropertyDialog::clientHeight(request.kind));
  return dialog.savedName;
}

}  // namespace qm::master
