#include "app/maintenance/database_properties_dialog_win.h"

#include "app/maintenance/database_properties.h"
#include "app/ui/dialog_window_win.h"
#include "app/ui/message_box_win.h"
#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

using text::sjis;

enum Control : int {
  kOptimise = 1006,
  kSizeLabel = 1008,
  kClose = 1010,
  kSize = 1014,
  kVersionLabel = 1016,
  kVersion = 1019,
  kTitlesLabel = 1020,
  kMakersLabel = 1021,
  kLibraryFrame = 1022,
  kFileFrame = 1023,
  kImagesLabel = 1024,
  kTitles = 1025,
  kMakers = 1032,
  kImages = 1033,
  kPathLabel = 1038,
  kPath = 1039,
};

class DatabasePropertiesDialog : public ui::DialogWindow {
public:
  explicit DatabasePropertiesDialog(std::string dbPath) : dbPath_(std::move(dbPath)) {}
  void open(HWND owner) { runModal(owner, sjis("データベースのプロパティ"), 420, 262); }

private:
  void createControls() override;
  int focusAtOpen() const override { return kClose; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void showFigures();
  void optimise();

  std::string dbPath_;
};

void DatabasePropertiesDialog::createControls() {
  add("BUTTON", sjis("あなたのライブラリ情報"), BS_GROUPBOX, kLibraryFrame, 10, 8, 400, 92);
  add("STATIC", sjis("登録タイトル数："), SS_LEFT, kTitlesLabel, 24, 30, 150, 16);
  add("STATIC", "0", SS_RIGHT, kTitles, 180, 30, 110, 16);
  add("STATIC", sjis("登録メーカー数："), SS_LEFT, kMakersLabel, 24, 52, 150, 16);
  add("STATIC", "0", SS_RIGHT, kMakers, 180, 52, 110, 16);
  add("STATIC", sjis("登録イメージ数："), SS_LEFT, kImagesLabel, 24, 74, 150, 16);
  add("STATIC", "0", SS_RIGHT, kImages, 180, 74, 110, 16);

  add("BUTTON", sjis("DBファイル情報"), BS_GROUPBOX, kFileFrame, 10, 108, 400, 104);
  add("STATIC", sjis("DBファイル："), SS_LEFT, kPathLabel, 24, 130, 150, 16);
  add("STATIC", "--", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kPath, 180, 130, 222, 16);
  add("STATIC", sjis("DBファイルサイズ："), SS_LEFT, kSizeLabel, 24, 156, 150, 16);
  add("STATIC", "--", SS_LEFT, kSize, 180, 156, 222, 16);
  add("STATIC", sjis("SQLite DLLバージョン："), SS_LEFT, kVersionLabel, 24, 182, 150, 16);
  add("STATIC", "--", SS_LEFT, kVersion, 180, 182, 222, 16);

  add("BUTTON", sjis("最適化"), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kOptimise, 222, 224, 90, 26);
  add("BUTTON", sjis("閉じる"), BS_PUSHBUTTON | WS_TABSTOP, kClose, 320, 224, 90, 26);
  showFigures();
}

LRESULT DatabasePropertiesDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    endModal();
    return 0;
  }
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kOptimise: optimise(); return 0;
      case kClose:
      case IDCANCEL: endModal(); return 0;
    }
  }
  return DialogWindow::handle(message, wParam, lParam);
}

// A count that failed leaves its field as it was.
void DatabasePropertiesDialog::showFigures() {
  const DatabaseFigures figures = readDatabaseFigures(dbPath_);
  if (figures.titles) setText(kTitles, *figures.titles);
  if (figures.images) setText(kImages, *figures.images);
  if (figures.makers) setText(kMakers, *figures.makers);
  setText(kSize, figures.fileSize);
  setText(kPath, figures.path);
  setText(kVersion, figures.sqliteVersion);
}

// On this thread: the dialog has nothing else to do meanwhile.
void DatabasePropertiesDialog::optimise() {
  setText(kOptimise, sjis("最適化中"));
  enable(kOptimise, false);
  enable(kClose, false);
  UpdateWindow(hwnd_);
  const HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const auto error = vacuumDatabase(dbPath_);
  SetCursor(old);
  if (error)
    ui::showError(hwnd_, vacuumFailureMessage(*error), vacuumFailureCaption());
  setText(kOptimise, sjis("最適化"));
  enable(kOptimise, true);
  enable(kClose, true);
  SetFocus(item(kOptimise));
  showFigures();
}

}  // namespace

void openDatabaseProperties(HWND owner, const std::string& dbPath) {
  DatabasePropertiesDialog dialog(dbPath);
  dialog.open(owner);
}

}  // namespace qm::maintenance
