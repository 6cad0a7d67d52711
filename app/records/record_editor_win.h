// The record editor: one dialog with the tabs "基本情報", "メモ＆関連ファイル",
// "スナップ指定" and "詳細・その他" over one image or one multi-image set.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm::search {
class MigemoSource;
}

namespace qm::records {

// What the editor works with besides the item.
struct EditorPlace {
  HWND owner = nullptr;
  std::string dbPath;
  std::string settingsPath;
  std::string programFolder;
  search::MigemoSource* migemo = nullptr;  // for the field suggestions; may be null
  bool migemoOn = true;                    // "InclOn" of section "Migemo"
  int migemoClassLimit = 12;               // "InclClassLimit"
};

// Opens the editor on the image `key`. After a save (and the offer to rename
// the pictures named after the old title), the key the item list's cursor
// goes to; nothing when nothing was saved.
std::optional<std::string> editRecord(const EditorPlace& place, const std::string& key);

}  // namespace qm::records
