#include "app/records/bulk_dialog_win.h"

#include <memory>
#include <optional>
#include <type_traits>

#include "app/masters/master_sql.h"
#include "app/records/bulk_change.h"
#include "app/records/bulk_dialogs.h"
#include "app/records/field_suggest_win.h"
#include "app/records/title_pictures.h"
#include "app/settings/settings.h"
#include "app/ui/busy_cursor_win.h"
#include "app/ui/combo_text_win.h"
#include "app/ui/dialog_window_win.h"
#include "common/db/db_connection.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"
#include "common/text/text_normalizer.h"

namespace qm::records {
namespace {

using text::sjis;

enum Control : int { kPrompt = 1500, kValue, kIncremental, kTitleToKana, kKanaLabel, kKana };

// Values offered in a drop-down before anything is typed.
constexpr int kOfferedValues = 500;

class BulkChangeDialog : public ui::DialogWindow {
public:
  BulkChangeDialog(const BulkPlace& place, const BulkDialog& kind, const std::vector<std::string>& keys)
      : place_(place), kind_(kind), keys_(keys) {}
  bool open() {
    const int height = title() ? 190 : kind_.input == BulkInput::Suggesting ? 130 : 110;
    return runModal(place_.owner, sjis(kind_.caption), 460, height) == IDOK;
  }
  const BulkChange& change() const { return change_; }

private:
  bool title() const { return kind_.field == BulkField::Title; }
  void createControls() override;
  int focusAtOpen() const override { return kValue; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::string currentValue();
  void offerValues();
  void titleChanged();
  void confirm();

  const BulkPlace& place_;
  const BulkDialog& kind_;
  const std::vector<std::string>& keys_;
  db::DbConnection db_;
  Settings settings_;
  FieldSuggest suggest_;
  std::optional<text::TextNormalizer> reading_;
  BulkChange change_;
};

void BulkChangeDialog::createControls() {
  db_.open(place_.dbPath);
  const platform::IniFile ini(place_.settingsPath);
  loadDialogKeys(settings_, ini, "EditUICheckBoxs");
  label(sjis(kind_.prompt), 14, 12, 432);
  int y = 34;
  if (kind_.input == BulkInput::Suggesting) {
    add("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kValue, 14, y, 432, 300);
    SendMessageA(item(kValue), CB_LIMITTEXT, kind_.limit, 0);
    suggest_.attach(item(kValue), kind_.suggestField);
    y += 30;
    button(sjis("入力候補を表示する（インクリメンタルサーチ）"), kIncremental, 14, y, 300, 20, BS_AUTOCHECKBOX);
    check(kIncremental, settings_.number(*kind_.incremental) == 1);
    offerValues();
  } else {
    edit(kValue, 14, y, 432, ES_AUTOHSCROLL);
    SendMessageA(item(kValue), EM_LIMITTEXT, kind_.limit, 0);
  }
  setText(kValue, currentValue());
  if (title()) {
    reading_.emplace(text::readingNormalizeOptions(text::loadReadingOptions(ini)), text::loadSymbolTables(ini));
    y += 28;
    add("STATIC", sjis("読み仮名"), SS_LEFT | SS_NOPREFIX, kKanaLabel, 14, y + 3, 70, 16);
    edit(kKana, 90, y, 356, ES_AUTOHSCROLL);
    SendMessageA(item(kKana), EM_LIMITTEXT, kind_.limit, 0);
    y += 28;
    button(sjis("タイトルから読み仮名を生成"), kTitleToKana, 90, y, 300, 20, BS_AUTOCHECKBOX);
    check(kTitleToKana, bulkTitleToKana(ini));
    titleChanged();
  }
  const int bottom = title() ? 150 : kind_.input == BulkInput::Suggesting ? 94 : 72;
  button("OK", IDOK, 266, bottom, 84, 26);
  button(sjis("キャンセル"), IDCANCEL, 362, bottom, 84, 26);
}

// The first selected item's value, as a start.
std::string BulkChangeDialog::currentValue() {
  if (keys_.empty()) return {};
  const std::string key = db::sqlText(keys_.front());
  const std::string column = bulkColumnOf(kind_.field);
  const std::string sql = kind_.field == BulkField::Creator
                              ? "SELECT creator FROM creator_table WHERE pfile_cr=" + key + ";"
                              : "SELECT " + column + " FROM main_table WHERE file_name=" + key + ";";
  if (db_.execute(sql) || db_.rowCount() < 1) return {};
  const std::string value = db_.cell(1, 0);
  return kind_.field == BulkField::SaleYear && value == "0" ? std::string() : value;
}

// The values the column holds already, for the makers, developers and countries.
void BulkChangeDialog::offerValues() {
  if (title()) return;
  const std::string column = kind_.suggestField;
  if (db_.execute("SELECT DISTINCT " + column + " FROM main_table WHERE " + column + "<>'' AND ply<=1 ORDER BY " +
                  column + " LIMIT " + std::to_string(kOfferedValues) + ";"))
    return;
  for (int row = 1; row <= db_.rowCount(); ++row)
    SendMessageA(item(kValue), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(db_.cell(row, 0).c_str()));
}

void BulkChangeDialog::titleChanged() {
  if (!title() || !checked(kTitleToKana) || !reading_) return;
  std::string kana;
  reading_->convert(ui::windowText(item(kValue)), kana);
  setText(kKana, kana);
}

void BulkChangeDialog::confirm() {
  change_ = {kind_.field, ui::windowText(item(kValue)), {}, {}};
  if (change_.value.size() > static_cast<std::size_t>(kind_.limit)) change_.value.resize(kind_.limit);
  const platform::IniFile ini(place_.settingsPath);
  if (title()) {
    change_.kana = textOf(kKana);
    change_.smartTitle = text::smartTitle(change_.value, text::loadSymbolTables(ini));
  }
  // Refusals keep the dialog open for a better value.
  if (auto refusal = prepareBulkChange(change_)) {
    platform::makeWindowSink(hwnd())->show(*refusal, "", platform::MessageIcon::Information,
                                           platform::MessageButtons::Ok);
    return;
  }
  if (kind_.incremental) settings_.setNumber(*kind_.incremental, checked(kIncremental) ? 1 : 0);
  if (title()) settings_.setNumber(Setting::EditTitleToKana, checked(kTitleToKana) ? 1 : 0);
  saveDialogKeys(settings_, ini, "EditUICheckBoxs");
  endModal(IDOK);
}

LRESULT BulkChangeDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return DialogWindow::handle(message, wParam, lParam);
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == kValue) {
    if (code == CBN_EDITCHANGE && kind_.input == BulkInput::Suggesting && checked(kIncremental))
      suggest_.typed({&db_, place_.migemo, place_.migemoOn, place_.migemoClassLimit, 1});
    if (code == CBN_SELCHANGE) setText(kValue, ui::comboSelectedText(item(kValue)));
    if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == EN_CHANGE) titleChanged();
    return 0;
  }
  switch (id) {
    case kTitleToKana: titleChanged(); return 0;
    case IDOK: confirm(); return 0;
    case IDCANCEL: endModal(IDCANCEL); return 0;
  }
  return DialogWindow::handle(message, wParam, lParam);
}

// The change itself, then for titles the offer to rename pictures named
// after the old titles.
bool applyChange(const BulkPlace& place, const BulkChange& change, const std::vector<std::string>& keys) {
  const auto sink = platform::makeWindowSink(place.owner);
  db::DbConnection db;
  db.open(place.dbPath);
  const bool titled = change.field == BulkField::Title;
  const std::vector<std::string> oldTitles = titled ? storedTitles(db, keys) : std::vector<std::string>();
  {
    ui::BusyCursor busy;
    if (!applyBulkChange(place.dbPath, change, keys, *sink)) return false;
  }
  if (titled) offerBulkTitleRenames(db, keys, oldTitles, change.value, place.programFolder, *sink);
  return true;
}

}  // namespace

bool runBulkDialog(const BulkPlace& place, int command, const std::vector<std::string>& keys) {
  const BulkDialog* kind = bulkDialogOf(command);
  if (!kind) return false;
  BulkChangeDialog dialog(place, *kind, keys);
  if (!dialog.open() || keys.empty()) return false;
  return applyChange(place, dialog.change(), keys);
}

bool runMarkPopup(const BulkPlace& place, bool adultMarks, const std::vector<std::string>& keys) {
  if (keys.empty()) return false;
  db::DbConnection db;
  db.open(place.dbPath);
  if (db.execute(master::sql::namesInOrder(adultMarks ? master::Kind::Adultex : master::Kind::Genre))) return false;
  const std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> popup(CreatePopupMenu(), &DestroyMenu);
  if (!popup) return false;
  for (int row = 1; row <= db.rowCount(); ++row)
    AppendMenuA(popup.get(), MF_STRING, static_cast<UINT_PTR>(row), db.cell(row, 0).c_str());
  POINT at{};
  GetCursorPos(&at);
  // The owner takes the foreground first, or the popup would not close on a click elsewhere.
  SetForegroundWindow(place.owner);
  const int chosen = TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, at.x, at.y, 0,
                                    place.owner, nullptr);
  if (chosen <= 0 || chosen > db.rowCount()) return false;
  const BulkChange change{adultMarks ? BulkField::AdultMark : BulkField::Genre, db.cell(chosen, 0), {}, {}};
  db.close();
  return applyChange(place, change, keys);
}

}  // namespace qm::records
