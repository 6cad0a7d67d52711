#include "app/alter_ego/alter_ego_dialog_win.h"

#include "app/alter_ego/alter_ego.h"
#include "app/settings/settings.h"
#include "app/ui/busy_cursor_win.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/folder_browser_win.h"
#include "common/text/encoding.h"

namespace qm::alter_ego {
namespace {

using text::sjis;

enum Control : int {
  kExplanation = 1001,
  kBaseLabel = 1002,
  kBase = 1003,
  kBrowse = 1004,
  kSubLabel = 1005,
  kSub = 1006,
  kAction = 1007,
  kClose = 1010,
};

std::string explanation() {
  return sjis("分身を作成すると、分身のイメージファイルを使用してエミュレータを起動するようになります。\r\n\r\n") +
         sjis("分身はオリジナルが圧縮ファイルなら展開された状態で作成されます。\r\nまたエミュレータ設定に関わらず、"
              "エミュレータ終了後でも削除されません。\r\n\r\n") +
         sjis("分身を解除すると「AlterEgoBoot」マークが消え、分身のイメージファイルは削除されます。");
}

class AlterEgoDialog : public ui::DialogWindow {
public:
  AlterEgoDialog(const AlterEgoPlace& place, const maintenance::SetItem& item) : place_(place), item_(item) {}
  void open() { runModal(place_.owner, sjis("分身の作成"), 480, 300); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kAction; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void act();
  void browse();
  void showState();

  const AlterEgoPlace& place_;
  maintenance::SetItem item_;
  bool exists_ = false;
};

void AlterEgoDialog::createControls() {
  add("STATIC", explanation(), SS_LEFT | SS_NOPREFIX, kExplanation, 12, 10, 456, 130);
  add("STATIC", sjis("ベースフォルダ"), SS_LEFT, kBaseLabel, 12, 152, 100, 18);
  edit(kBase, 12, 172, 360, ES_AUTOHSCROLL);
  button(sjis("参照"), kBrowse, 380, 171, 88, 24);
  add("STATIC", sjis("サブフォルダ"), SS_LEFT, kSubLabel, 12, 204, 100, 18);
  edit(kSub, 12, 224, 360, ES_AUTOHSCROLL);
  button("", kAction, 284, 262, 88, 26);
  button(sjis("閉じる"), kClose, 380, 262, 88, 26);

  const auto copy = recordedCopy(place_.dbPath, item_.fileName);
  exists_ = copy.has_value();
  const std::string defaultFolder = place_.settings ? place_.settings->text(Setting::FolderAlterEgo) : "";
  const FolderFields fields = openingFields(copy, defaultFolder, item_.machineName, item_.fileName);
  setText(kBase, fields.baseFolder);
  setText(kSub, fields.subfolder);
  showState();
}

LRESULT AlterEgoDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    endModal();
    return 0;
  }
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kAction: act(); return 0;
      case kBrowse: browse(); return 0;
      case kClose:
      case IDCANCEL: endModal(); return 0;
    }
  }
  return DialogWindow::handle(message, wParam, lParam);
}

void AlterEgoDialog::showState() {
  setText(kAction, sjis(exists_ ? "解除" : "作成"));
  for (int id : {kBase, kBrowse, kSub}) enable(id, !exists_);
}

void AlterEgoDialog::act() {
  const auto sink = platform::makeWindowSink(hwnd_);
  bool done = false;
  {
    ui::BusyCursor busy;
    if (exists_) {
      done = removeAlterEgo(place_.dbPath, item_.fileName, *sink);
    } else {
      const AlterEgoItem item{item_.fileName, item_.machineName, item_.ply};
      const FolderFields fields{textOf(kBase), textOf(kSub)};
      done = createAlterEgo(place_.dbPath, item, fields, *sink);
      if (done && place_.settings) place_.settings->setText(Setting::FolderAlterEgo, fields.baseFolder);
    }
  }
  if (!done) return;
  exists_ = !exists_;
  showState();
  if (place_.refreshList) place_.refreshList();
}

void AlterEgoDialog::browse() {
  const auto chosen = ui::browseForFolder(hwnd_, sjis("分身を作成するベースフォルダを選択してください"), textOf(kBase),
                                          ui::BrowseFor::Folders);
  if (chosen) setText(kBase, *chosen);
}

}  // namespace

void openAlterEgoDialog(const AlterEgoPlace& place, const maintenance::SetItem& item) {
  AlterEgoDialog dialog(place, item);
  dialog.open();
}

}  // namespace qm::alter_ego
