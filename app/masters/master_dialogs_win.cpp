#include "app/masters/master_dialogs_win.h"

#include <memory>
#include <optional>
#include <vector>

#include "app/masters/master_property_win.h"
#include "app/masters/master_tables.h"
#include "app/ui/dialog_window_win.h"
#include "common/text/encoding.h"

namespace qm::master {
namespace {

using text::sjis;

constexpr int kWidth = 560;
constexpr int kHeight = 420;
constexpr int kButtonX = kWidth - 8 - 108;

// Tab labels, in the order of Kind.
constexpr const char* kTabLabels[] = {"機種", "メディア", "ジャンル", "拡張R指定"};

class ManagementDialog : public ui::DialogWindow {
public:
  ManagementDialog(const ManagementContext& context, Kind kind) : context_(context), kind_(kind) {}
  bool changed() const { return changed_; }

private:
  void createControls() override;
  int focusAtOpen() const override { return kManageList; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onCommand(int id, int code);
  LRESULT onNotify(NMHDR* header);

  std::unique_ptr<platform::MessageSink> sink() const { return platform::makeWindowSink(hwnd()); }
  void showKind(Kind kind);
  void fill(const std::string& select);
  std::optional<std::string> selectedName() const;
  void updateButtons();
  void addEntry();
  void editEntry();
  void deleteEntry();
  void renumberKind();

  const ManagementContext& context_;
  Kind kind_;
  db::DbConnection db_;
  HWND tab_ = nullptr;
  HWND list_ = nullptr;
  std::vector<std::string> names_;  // the list's rows
  bool changed_ = false;
};

void ManagementDialog::createControls() {
  db_.open(context_.dbPath);
  tab_ = add(WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, kManageTab, 8, 8, kButtonX - 16, kHeight - 16);
  for (int i = 0; i < static_cast<int>(std::size(kTabLabels)); ++i) {
    std::string label = sjis(kTabLabels[i]);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = label.data();
    SendMessageA(tab_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
  RECT page{8, 8, kButtonX - 8, kHeight - 8};
  SendMessageA(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  list_ = add(WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
              kManageList, page.left, page.top, page.right - page.left, page.bottom - page.top, WS_EX_CLIENTEDGE);
  SetWindowPos(list_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  const std::pair<const char*, int> columns[] = {{"名前", 190}, {"番号", 44}, {"アイコン", 320}};
  for (int i = 0; i < static_cast<int>(std::size(columns)); ++i) {
    std::string header = sjis(columns[i].first);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = columns[i].second;
    column.pszText = header.data();
    SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  int y = 8 + 26;
  button(sjis("追加..."), kManageAdd, kButtonX, y, 108);
  button(sjis("編集..."), kManageEdit, kButtonX, y += 32, 108);
  button(sjis("削除"), kManageDelete, kButtonX, y += 32, 108);
  button(sjis("番号の振り直し"), kManageRenumber, kButtonX, y += 48, 108);
  button(sjis("閉じる"), IDCANCEL, kButtonX, kHeight - 8 - 24, 108);
  showKind(kind_);
  SetFocus(list_);
}

void ManagementDialog::showKind(Kind kind) {
  kind_ = kind;
  SendMessageA(tab_, TCM_SETCURSEL, static_cast<int>(kind), 0);
  SetWindowTextA(hwnd(), textsOf(kind).windowTitle.c_str());
  if (!context_.icons->list(kind, IconSize::Small)) context_.icons->rebuild(db_, kind, *sink());
  fill("");
}

// Names in name order, each with the icon at its position in the lists.
void ManagementDialog::fill(const std::string& select) {
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(context_.icons->list(kind_, IconSize::Small)));
  names_ = listNames(db_, kind_, *sink()).value_or(std::vector<std::string>{});
  const std::vector<IconSlot>& slots = context_.icons->slots(kind_);
  int selectAt = names_.empty() ? -1 : 0;
  for (int row = 0; row < static_cast<int>(names_.size()); ++row) {
    const std::string& name = names_[row];
    int position = 0;
    for (std::size_t i = 1; i < slots.size() && !position; ++i)
      if (slots[i].name == name) position = static_cast<int>(i);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<char*>(name.c_str());
    item.iImage = position;
    SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    std::string number = position ? std::to_string(position) : std::string("-");
    std::string path = position ? slots[position].path : std::string();
    ListView_SetItemText(list_, row, 1, number.data());
    ListView_SetItemText(list_, row, 2, path.data());
    if (name == select) selectAt = row;
  }
  if (selectAt >= 0) {
    ListView_SetItemState(list_, selectAt, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, selectAt, FALSE);
  }
  updateButtons();
}

std::optional<std::string> ManagementDialog::selectedName() const {
  const int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  if (row < 0 || row >= static_cast<int>(names_.size())) return std::nullopt;
  return names_[row];
}

void ManagementDialog::updateButtons() {
  const bool any = selectedName().has_value();
  enable(kManageEdit, any);
  enable(kManageDelete, any);
}

void ManagementDialog::addEntry() {
  if (!mayAdd(db_, kind_, *sink())) return;
  const std::optional<std::string> saved =
      runPropertyDialog(hwnd(), db_, *context_.icons, {kind_, std::nullopt, context_.programFolder});
  if (!saved) return;
  changed_ = true;
  fill(*saved);
  SetFocus(list_);
}

void ManagementDialog::editEntry() {
  const std::optional<std::string> name = selectedName();
  if (!name) return;
  const std::optional<std::string> saved =
      runPropertyDialog(hwnd(), db_, *context_.icons, {kind_, name, context_.programFolder});
  if (!saved) return;
  changed_ = true;
  fill(*saved);
  SetFocus(list_);
}

void ManagementDialog::deleteEntry() {
  const std::optional<std::string> name = selectedName();
  if (!name) return;
  const int row = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  const auto messages = sink();
  if (!removeEntry(db_, kind_, *name, *messages)) return;
  changed_ = true;
  context_.icons->rebuild(db_, kind_, *messages);
  // The row that took its place keeps the selection.
  const std::size_t next = static_cast<std::size_t>(row) + 1;
  fill(next < names_.size() ? names_[next] : row > 0 ? names_[row - 1] : std::string());
  SetFocus(list_);
}

void ManagementDialog::renumberKind() {
  const std::optional<std::string> name = selectedName();
  const auto messages = sink();
  if (renumber(db_, kind_, *messages)) changed_ = true;
  context_.icons->rebuild(db_, kind_, *messages);
  fill(name.value_or(""));
  SetFocus(list_);
}

void ManagementDialog::onCommand(int id, int code) {
  switch (id) {
    case kManageAdd:
      addEntry();
      return;
    case kManageEdit:
      editEntry();
      return;
    case kManageDelete:
      deleteEntry();
      return;
    case kManageRenumber:
      renumberKind();
      return;
    case IDOK:
      editEntry();
      return;  // Enter in the list
  }
  if (id == IDCANCEL && code == BN_CLICKED) endModal(IDCANCEL);
}

LRESULT ManagementDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(reinterpret_cast<NMHDR*>(lParam));
  }
  return DialogWindow::handle(message, wParam, lParam);
}

LRESULT ManagementDialog::onNotify(NMHDR* header) {
  if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
    showKind(static_cast<Kind>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
  } else if (header->hwndFrom == list_) {
    if (header->code == LVN_ITEMCHANGED) updateButtons();
    if (header->code == NM_DBLCLK && reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) editEntry();
  }
  return 0;
}

}  // namespace

bool runManagement(const ManagementContext& context, Kind kind) {
  if (!context.icons) return false;
  ManagementDialog dialog(context, kind);
  dialog.runModal(context.owner, textsOf(kind).windowTitle, kWidth, kHeight);
  return dialog.changed();
}

}  // namespace qm::master
