#include "app/menus/menu_table.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/snapshots/snapshot_view_options.h"
#include "common/text/encoding.h"

namespace qm::shell::menu {
namespace {

using F = Feature;

// The features whose commands work today. A feature joins this list in the
// change that builds it, and its commands turn from grey to usable.
constexpr Feature kBuiltFeatures[] = {F::Fixed,       F::Exit,        F::MasterTables,      F::MissingRemoval,
                                      F::KanaReading, F::SmartTitles, F::DatabaseProperties,
                                      F::MultiImage,  F::ImageAdd,
                                      F::ShortcutKeys, F::WebSearch,
                                      F::DatabaseBackup, F::Favourites, F::EmulatorChoice, F::OpenImageFolder,
                                      F::BootReset, F::GeneralSettings, F::Toolbar, F::Help, F::VersionBox,
                                      F::ListSort, F::Launch, F::EmulatorSettings, F::SavedQueries,
                                      F::RecordEditor, F::BulkChange,
                                      F::RenameData, F::AlterEgo, F::DatVerify,
                                      F::CsvTransfer, F::CrcRecompute,
                                      F::ColumnReplace, F::ImageBackup,
                                      F::Joystick, F::AutoSnapshot,
                                      F::SnapshotView, F::FolderSync,
};

// The snapshot view reads its commands by these numbers.
static_assert(kSnapshot1 == snapshots::kShowSlotCommand && kFitImageKeepRatio == snapshots::kFitCommand &&
              kAnchorTopLeft == snapshots::kAnchorCommand && kAnchorBottomRight == snapshots::kLastViewCommand);

struct Source {
  int depth;
  RowKind kind;
  const char* label;  // UTF-8
  std::uint16_t id;
  Feature feature;
};

constexpr Source sub(int depth, const char* label, Feature filledBy = F::Fixed) {
  return {depth, RowKind::Submenu, label, 0, filledBy};
}
constexpr Source cmd(int depth, const char* label, std::uint16_t id, Feature feature) {
  return {depth, RowKind::Command, label, id, feature};
}
constexpr Source sep(int depth) { return {depth, RowKind::Separator, "", 0, F::NoAction}; }

constexpr Source kBar[] = {
    sub(0, "ファイル"),
      sub(1, "インポート"),
        cmd(2, "CSV(カンマ区切り)", kImportCsv, F::CsvTransfer),
        cmd(2, "XML", kImportXml, F::NoAction),
      sub(1, "エクスポート"),
        cmd(2, "CSV(カンマ区切り)", kExportCsv, F::CsvTransfer),
        cmd(2, "XML", kExportXml, F::NoAction),
      sub(1, "バックアップ"),
        cmd(2, "データベースファイルをバックアップ", kBackupDatabase, F::DatabaseBackup),
      cmd(1, "終了", kExit, F::Exit),
    sub(0, "編集"),
      cmd(1, "レコード編集\tE", kEditRecord, F::RecordEditor),
      sep(1),
      sub(1, "一括変更"),
        cmd(2, "タイトル\tR", kBulkTitle, F::BulkChange),
        cmd(2, "メーカー\tM", kBulkMaker, F::BulkChange),
        cmd(2, "開発元\tD", kBulkDeveloper, F::BulkChange),
        cmd(2, "ジャンル\tG", kBulkGenre, F::BulkChange),
        cmd(2, "国名\tL", kBulkCountry, F::BulkChange),
        cmd(2, "R指定 設定/解除 (Adult)\tA", kBulkAdult, F::BulkChange),
        cmd(2, "拡張R指定\tShift+A", kBulkAdultex, F::BulkChange),
        cmd(2, "バージョン/コメント\tV", kBulkVersion, F::BulkChange),
        cmd(2, "発売年月日\tS", kBulkSaleDate, F::BulkChange),
        cmd(2, "クリエイター\tC", kBulkCreator, F::BulkChange),
      sub(1, "お気に入りに登録・解除"),
        cmd(2, "0", kFavourite0 + 0, F::Favourites),
        cmd(2, "1", kFavourite0 + 1, F::Favourites),
        cmd(2, "2", kFavourite0 + 2, F::Favourites),
        cmd(2, "3", kFavourite0 + 3, F::Favourites),
        cmd(2, "4", kFavourite0 + 4, F::Favourites),
        cmd(2, "5", kFavourite0 + 5, F::Favourites),
        cmd(2, "6", kFavourite0 + 6, F::Favourites),
        cmd(2, "7", kFavourite0 + 7, F::Favourites),
        cmd(2, "8", kFavourite0 + 8, F::Favourites),
        cmd(2, "9", kFavourite0 + 9, F::Favourites),
      sep(1),
      cmd(1, "複数イメージを解除", kReleaseMultiImage, F::MultiImage),
      cmd(1, "個別エミュレータ設定を解除", kReleaseEmulatorChoice, F::EmulatorChoice),
      sep(1),
      cmd(1, "イメージファイルのバックアップ", kBackupImages, F::ImageBackup),
      cmd(1, "イメージファイルのフォルダを開く", kOpenImageFolder, F::OpenImageFolder),
      cmd(1, "分身の作成", kAlterEgo, F::AlterEgo),
      sep(1),
      sub(1, "ライブラリ"),
        cmd(2, "ライブラリから削除", kRemoveFromLibrary, F::MultiImage),
        cmd(2, "起動情報リセット", kResetBootInfo, F::BootReset),
    sub(0, "管理"),
      cmd(1, "機種", kManageMachines, F::MasterTables),
      cmd(1, "メディア", kManageMedia, F::MasterTables),
      cmd(1, "ジャンル", kManageGenres, F::MasterTables),
      cmd(1, "拡張R指定", kManageAdultex, F::MasterTables),
    sub(0, "エミュレータ"),
      cmd(1, "デフォルトエミュで起動\tEnter", kLaunchDefault, F::Launch),
      sub(1, "エミュレータで起動\tX", F::Launch),
      sep(1),
      cmd(1, "エミュレータ設定", kEmulatorSettings, F::EmulatorSettings),
      cmd(1, "自動スナップショットの切替", kAutoSnapshotStep, F::AutoSnapshot),
    sub(0, "データベース"),
      cmd(1, "イメージファイルの追加", kAddImages, F::ImageAdd),
      sep(1),
      cmd(1, "ライブラリのCRCを再計算", kRecomputeCrc, F::CrcRecompute),
      cmd(1, "リネームデータを拝借してライブラリ更新", kRenameDataUpdate, F::RenameData),
      sep(1),
      sub(1, "ライブラリの整理"),
        cmd(2, "不在イメージをライブラリから削除", kRemoveMissing, F::MissingRemoval),
        cmd(2, "「読み仮名」超適当生成", kMakeKana, F::KanaReading),
        cmd(2, "スマートタイトルの再構築", kRebuildSmartTitles, F::SmartTitles),
        cmd(2, "カラム値の置換", kReplaceColumnValue, F::ColumnReplace),
        cmd(2, "フォルダの同期", kSyncFolder, F::FolderSync),
      sep(1),
      cmd(1, "プロパティ", kDatabaseProperties, F::DatabaseProperties),
      cmd(1, "DATファイルで照合…", kDatVerify, F::DatVerify),
    sub(0, "オプション"),
      cmd(1, "全体設定", kGeneralSettings, F::GeneralSettings),
      sep(1),
      cmd(1, "ショートカットキーの設定", kShortcutKeys, F::ShortcutKeys),
      cmd(1, "ジョイスティックの設定", kJoystick, F::Joystick),
      sep(1),
      cmd(1, "Web検索の設定", kWebSearchSettings, F::WebSearch),
      sep(1),
      cmd(1, "ツールバー固定", kFixToolbar, F::Toolbar),
    sub(0, "ヘルプ"),
      cmd(1, "ヘルプ", kHelp, F::Help),
      cmd(1, "バージョン", kVersion, F::VersionBox),
};

constexpr Source kQueryView[] = {
    cmd(0, "フォルダ作成", kQueryNewFolder, F::SavedQueries),
    sep(0),
    cmd(0, "クエリ作成", kQueryNew, F::SavedQueries),
    cmd(0, "クエリ編集", kQueryEdit, F::SavedQueries),
    sep(0),
    cmd(0, "大きいアイコン", kQueryLargeIcons, F::SavedQueries),
    sep(0),
    cmd(0, "削除", kQueryDelete, F::SavedQueries),
};

constexpr Source kColumnHeader[] = {
    cmd(0, "全カラムソート方向リセット", kResetSortDirections, F::ListSort),
};

constexpr Source kSnapshotView[] = {
    cmd(0, "スナップショット1", kSnapshot1, F::SnapshotView),
    cmd(0, "スナップショット2", kSnapshot2, F::SnapshotView),
    cmd(0, "スナップショット3", kSnapshot3, F::SnapshotView),
    sep(0),
    cmd(0, "画像をウィンドウに合わせる(元比率)", kFitImageKeepRatio, F::SnapshotView),
    cmd(0, "画像をウィンドウに合わせる(4:3)", kFitImage4to3, F::SnapshotView),
    cmd(0, "画像をウィンドウに合わせる(16:10)", kFitImage16to10, F::SnapshotView),
    cmd(0, "画像をウィンドウに合わせる(フル)", kFitImageFull, F::SnapshotView),
    cmd(0, "ウィンドウを画像に合わせる(実寸表示)", kFitWindowToImage, F::SnapshotView),
    sep(0),
    sub(0, "ウィンドウ基点"),
      cmd(1, "左上", kAnchorTopLeft, F::SnapshotView),
      cmd(1, "右上", kAnchorTopRight, F::SnapshotView),
      cmd(1, "左下", kAnchorBottomLeft, F::SnapshotView),
      cmd(1, "右下", kAnchorBottomRight, F::SnapshotView),
};

std::span<const Source> sourceOf(MenuId menu) {
  switch (menu) {
    case MenuId::Bar: return kBar;
    case MenuId::QueryView: return kQueryView;
    case MenuId::ColumnHeader: return kColumnHeader;
    case MenuId::SnapshotView: return kSnapshotView;
    case MenuId::InformationView: return {};
  }
  return {};
}

std::vector<MenuRow> convert(std::span<const Source> sources) {
  std::vector<MenuRow> rows;
  rows.reserve(sources.size());
  for (const Source& s : sources) rows.push_back({s.depth, s.kind, text::sjis(s.label), s.id, s.feature});
  return rows;
}

std::array<std::vector<MenuRow>, std::size(kAllMenus)> convertAll() {
  std::array<std::vector<MenuRow>, std::size(kAllMenus)> all;
  for (MenuId menu : kAllMenus) all[static_cast<std::size_t>(menu)] = convert(sourceOf(menu));
  return all;
}

}  // namespace

bool featureBuilt(Feature feature) {
  return std::find(std::begin(kBuiltFeatures), std::end(kBuiltFeatures), feature) != std::end(kBuiltFeatures);
}

const std::vector<MenuRow>& menuRows(MenuId menu) {
  static const auto all = convertAll();
  return all[static_cast<std::size_t>(menu)];
}

std::vector<std::size_t> childrenOf(const std::vector<MenuRow>& rows, std::optional<std::size_t> parent) {
  const int depth = parent ? rows[*parent].depth + 1 : 0;
  std::vector<std::size_t> children;
  for (std::size_t i = parent ? *parent + 1 : 0; i < rows.size() && rows[i].depth >= depth; ++i) {
    if (rows[i].depth == depth) children.push_back(i);
  }
  return children;
}

bool rowAvailable(const MenuRow& row) { return row.kind != RowKind::Separator && featureBuilt(row.feature); }

bool commandAvailable(std::uint16_t id) {
  for (MenuId menu : kAllMenus) {
    for (const MenuRow& row : menuRows(menu)) {
      if (row.id == id && row.kind == RowKind::Command) return rowAvailable(row);
    }
  }
  return false;
}

std::string commandLabel(std::uint16_t id) {
  for (MenuId menu : kAllMenus) {
    for (const MenuRow& row : menuRows(menu)) {
      if (row.id == id && row.kind == RowKind::Command) return row.label.substr(0, row.label.find('\t'));
    }
  }
  return "";
}

}  // namespace qm::shell::menu
