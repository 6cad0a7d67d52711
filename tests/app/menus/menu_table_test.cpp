// The menu table against the published menu tree: order, nesting, labels,
// identifiers and separators, and which commands are usable today.
#include <gtest/gtest.h>

#include <set>

#include "app/menus/menu_table.h"
#include "common/text/encoding.h"

namespace qm::shell::menu {
namespace {

// One line per row, depth first: the labels from the top joined by " > ",
// then the identifier of a command; "-" for a separator.
void listRows(const std::vector<MenuRow>& rows, std::optional<std::size_t> parent, const std::string& prefix,
              std::vector<std::string>& lines) {
  for (std::size_t i : childrenOf(rows, parent)) {
    const MenuRow& row = rows[i];
    std::string line = prefix + (row.kind == RowKind::Separator ? "-" : text::sjisToUtf8(row.label));
    lines.push_back(row.kind == RowKind::Command ? line + " " + std::to_string(row.id) : line);
    if (row.kind == RowKind::Submenu) listRows(rows, i, line + " > ", lines);
  }
}

std::vector<std::string> lines(MenuId menu) {
  std::vector<std::string> result;
  listRows(menuRows(menu), std::nullopt, "", result);
  return result;
}

TEST(MenuTableTest, MenuBarFollowsThePublishedTree) {
  const std::vector<std::string> expected = {
      "ファイル", "ファイル > インポート", "ファイル > インポート > CSV(カンマ区切り) 1118",
      "ファイル > インポート > XML 1119", "ファイル > エクスポート", "ファイル > エクスポート > CSV(カンマ区切り) 1120",
      "ファイル > エクスポート > XML 1121", "ファイル > バックアップ",
      "ファイル > バックアップ > データベースファイルをバックアップ 1122", "ファイル > 終了 1123",
      "編集", "編集 > レコード編集\tE 1124", "編集 > -", "編集 > 一括変更", "編集 > 一括変更 > タイトル\tR 1125",
      "編集 > 一括変更 > メーカー\tM 1126", "編集 > 一括変更 > 開発元\tD 1127", "編集 > 一括変更 > ジャンル\tG 1128",
      "編集 > 一括変更 > 国名\tL 1129", "編集 > 一括変更 > R指定 設定/解除 (Adult)\tA 1130",
      "編集 > 一括変更 > 拡張R指定\tShift+A 1131", "編集 > 一括変更 > バージョン/コメント\tV 1132",
      "編集 > 一括変更 > 発売年月日\tS 1133", "編集 > 一括変更 > クリエイター\tC 1134",
      "編集 > お気に入りに登録・解除", "編集 > お気に入りに登録・解除 > 0 1135", "編集 > お気に入りに登録・解除 > 1 1136",
      "編集 > お気に入りに登録・解除 > 2 1137", "編集 > お気に入りに登録・解除 > 3 1138",
      "編集 > お気に入りに登録・解除 > 4 1139", "編集 > お気に入りに登録・解除 > 5 1140",
      "編集 > お気に入りに登録・解除 > 6 1141", "編集 > お気に入りに登録・解除 > 7 1142",
      "編集 > お気に入りに登録・解除 > 8 1143", "編集 > お気に入りに登録・解除 > 9 1144", "編集 > -",
      "編集 > 複数イメージを解除 1145", "編集 > 個別エミュレータ設定を解除 1146", "編集 > -",
      "編集 > イメージファイルのバックアップ 1147", "編集 > イメージファイルのフォルダを開く 1148",
      "編集 > 分身の作成 1149", "編集 > -", "編集 > ライブラリ", "編集 > ライブラリ > ライブラリから削除 1150",
      "編集 > ライブラリ > 起動情報リセット 1151",
      "管理", "管理 > 機種 1152", "管理 > メディア 1153", "管理 > ジャンル 1154", "管理 > 拡張R指定 1155",
      "エミュレータ", "エミュレータ > デフォルトエミュで起動\tEnter 1156", "エミュレータ > エミュレータで起動\tX",
      "エミュレータ > -", "エミュレータ > エミュレータ設定 1157", "エミュレータ > 自動スナップショットの切替 1191",
      "データベース", "データベース > イメージファイルの追加 1158", "データベース > -",
      "データベース > ライブラリのCRCを再計算 1159", "データベース > リネームデータを拝借してライブラリ更新 1160",
      "データベース > -", "データベース > ライブラリの整理",
      "データベース > ライブラリの整理 > 不在イメージをライブラリから削除 1161",
      "データベース > ライブラリの整理 > 「読み仮名」超適当生成 1162",
      "データベース > ライブラリの整理 > スマートタイトルの再構築 1163",
      "データベース > ライブラリの整理 > カラム値の置換 1164",
      "データベース > ライブラリの整理 > フォルダの同期 1193", "データベース > -", "データベース > プロパティ 1165",
      "データベース > DATファイルで照合… 1192",
      "オプション", "オプション > 全体設定 1166", "オプション > -", "オプション > ショートカットキーの設定 1167",
      "オプション > ジョイスティックの設定 1168", "オプション > -", "オプション > Web検索の設定 1169",
      "オプション > -", "オプション > ツールバー固定 1170",
      "ヘルプ", "ヘルプ > ヘルプ 1171", "ヘルプ > バージョン 1172"};
  EXPECT_EQ(lines(MenuId::Bar), expected);
}

TEST(MenuTableTest, ContextPopupsFollowThePublishedTree) {
  EXPECT_EQ(lines(MenuId::QueryView),
            (std::vector<std::string>{"フォルダ作成 1173", "-", "クエリ作成 1174", "クエリ編集 1175", "-",
                                      "大きいアイコン 1176", "-", "削除 1177"}));
  EXPECT_EQ(lines(MenuId::ColumnHeader), std::vector<std::string>{"全カラムソート方向リセット 1178"});
  EXPECT_EQ(lines(MenuId::SnapshotView),
            (std::vector<std::string>{
                "スナップショット1 1179", "スナップショット2 1180", "スナップショット3 1181", "-",
                "画像をウィンドウに合わせる(元比率) 1182", "画像をウィンドウに合わせる(4:3) 1183",
                "画像をウィンドウに合わせる(16:10) 1184", "画像をウィンドウに合わせる(フル) 1185",
                "ウィンドウを画像に合わせる(実寸表示) 1186", "-", "ウィンドウ基点", "ウィンドウ基点 > 左上 1187",
                "ウィンドウ基点 > 右上 1188", "ウィンドウ基点 > 左下 1189", "ウィンドウ基点 > 右下 1190"}));
  EXPECT_TRUE(lines(MenuId::InformationView).empty());
}

// Every row is reached from the top, so no depth skips a level.
TEST(MenuTableTest, RowsAreWellFormedAndIdentifiersUnique) {
  std::set<std::uint16_t> ids;
  for (MenuId menu : kAllMenus) {
    const auto& rows = menuRows(menu);
    EXPECT_EQ(lines(menu).size(), rows.size());
    for (const MenuRow& row : rows) {
      SCOPED_TRACE(text::sjisToUtf8(row.label));
      EXPECT_EQ(row.kind == RowKind::Command, row.id != 0);
      EXPECT_EQ(row.kind == RowKind::Separator, row.label.empty());
      if (row.kind == RowKind::Command) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
      }
    }
  }
  EXPECT_EQ(ids.size(), 76u);
}

TEST(MenuTableTest, LabelsAreShiftJisBytes) {
  const auto& bar = menuRows(MenuId::Bar);
  auto labelOf = [&](std::uint16_t id) {
    for (const MenuRow& row : bar)
      if (row.id == id) return row.label;
    return std::string("?");
  };
  EXPECT_EQ(bar[0].label, "\x83\x74\x83\x40\x83\x43\x83\x8B");  // ファイル
  EXPECT_EQ(labelOf(kExit), "\x8F\x49\x97\xB9");
  EXPECT_EQ(labelOf(kBulkAdultex), "\x8A\x67\x92\xA3R\x8E\x77\x92\xE8\tShift+A");
  EXPECT_EQ(labelOf(kMakeKana),
            "\x81\x75\x93\xC7\x82\xDD\x89\xBC\x96\xBC\x81\x76\x92\xB4\x93\x4B\x93\x96\x90\xB6\x90\xAC");
}

// Every command is built but the XML import and export, which have nothing
// behind them and stay greyed.
TEST(MenuTableTest, EveryCommandButTheXmlOnesIsAvailable) {
  std::vector<std::uint16_t> greyed;
  for (MenuId menu : kAllMenus)
    for (const MenuRow& row : menuRows(menu))
      if (row.kind == RowKind::Command && !rowAvailable(row)) greyed.push_back(row.id);
  EXPECT_EQ(greyed, (std::vector<std::uint16_t>{kImportXml, kExportXml}));

  EXPECT_TRUE(commandAvailable(kExit));
  EXPECT_FALSE(commandAvailable(kImportXml));
  EXPECT_TRUE(commandAvailable(kAlterEgo));
  EXPECT_TRUE(commandAvailable(kAnchorBottomRight));
  EXPECT_FALSE(commandAvailable(0));
  EXPECT_FALSE(commandAvailable(1500));  // a web search site, added at run time
}

}  // namespace
}  // namespace qm::shell::menu

namespace qm::shell::menu {
namespace {

// The tool bar shows a command's label without its shortcut as its tooltip.
TEST(MenuTableTest, CommandLabelDropsTheShortcut) {
  EXPECT_EQ(text::sjisToUtf8(commandLabel(kLaunchDefault)), "デフォルトエミュで起動");
  EXPECT_EQ(text::sjisToUtf8(commandLabel(kAddImages)), "イメージファイルの追加");
  EXPECT_EQ(text::sjisToUtf8(commandLabel(kQueryNew)), "クエリ作成");
  EXPECT_EQ(commandLabel(0), "");
  EXPECT_EQ(commandLabel(1799), "");
}

}  // namespace
}  // namespace qm::shell::menu
