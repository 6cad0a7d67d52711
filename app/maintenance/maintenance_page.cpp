#include "app/maintenance/maintenance_page.h"

#include "common/text/encoding.h"

namespace qm::maintenance {

using text::sjis;

MaintenancePage maintenancePage(MaintenanceMode mode) {
  switch (mode) {
    case MaintenanceMode::RemoveMissing:
      return {sjis("不在イメージをライブラリから削除"), sjis("ライブラリから削除"),
              sjis("ファイルの存在しないアイテムのみライブラリから削除"), true, "", true, ""};
    case MaintenanceMode::KanaReading:
      // Checked at open: a run over every row would overwrite readings typed by hand.
      return {sjis("なんちゃって清音ソート用「読み仮名」超適当生成"), sjis("読み仮名を生成"),
              sjis("読み仮名が未入力のアイテムのみ実行"), true, sjis("読み仮名生成の設定..."), true, ""};
    case MaintenanceMode::SmartTitleUpdate:
      return {sjis("スマートタイトル再構築"), sjis("スマートタイトルを再構築"), "", false, "", false,
              sjis("アップデートが必要なアイテムが見つかりました。\n実行をクリックして下さい。")};
    case MaintenanceMode::SmartTitleRebuild:
      return {sjis("スマートタイトル再構築"), sjis("スマートタイトルを再構築"), "", false,
              sjis("スマートタイトルの確認"), true, ""};
    case MaintenanceMode::CsvExport:
      return {sjis("CSVエクスポート"), sjis("CSV形式（カンマ区切り）※完全なバックアップではありません"),
              sjis("1行目に見出しを付加"), true, "", true, "", true};
    case MaintenanceMode::CsvImport:
      return {sjis("CSVインポート"), sjis("CSV形式（カンマ区切り）※並びはヘルプを参照"),
              sjis("1行目を見出しとしてスキップする"), true, "", false, "", true};
    case MaintenanceMode::FolderSync:
      return {sjis("フォルダの同期"), sjis("フォルダの同期（移動・名前を変えたイメージは記録を引き継ぐ）"),
              sjis("不在イメージをライブラリから削除"), false, "", true, "", false, true};
    case MaintenanceMode::ColumnReplace:
      return {sjis("カラム値の置換"), sjis("カラム値の置換（上級者向け。注意して使用するべし。）"), "", false, "",
              true, ""};
  }
  return {};
}

const std::string& updateFinishedNotice() {
  static const std::string text = sjis("処理が終了しました。\n閉じるボタンをクリックして下さい。");
  return text;
}

const std::string& startText() {
  static const std::string text = sjis("実行");
  return text;
}

const std::string& stopText() {
  static const std::string text = sjis("中止");
  return text;
}

}  // namespace qm::maintenance
