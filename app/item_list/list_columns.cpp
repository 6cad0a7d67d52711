#include "app/item_list/list_columns.h"

#include <algorithm>

#include "app/settings/settings.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {

namespace {

// A column whose cells show list_view's `field`; column 2 shows two fields
// and is found by its first, machine_name.
constexpr ListColumn column(const char* header, const char* field, const char* sortKey, bool shown) {
  return {header, field, sortKey, viewColumn(*field ? field : "machine_name"), shown};
}

constexpr std::array<ListColumn, kColumnCount> kListColumns = {{
    column("タイトル", "title", "title", true),
    column("メーカー", "maker", "maker", true),
    column("機種/ジャンル", "", "", true),
    column("評価", "rating", "rating", true),
    column("発売日", "sale_year", "sale_year", true),
    column("起動回数", "boot_count", "boot_count+0", true),
    column("最終起動日", "last_boot", "last_boot", true),
    column("開発元", "developer", "developer", false),
    column("型番", "breed", "breed", false),
    column("価格", "price", "price+0", false),
    column("メディア情報", "media_detail", "media_detail", false),
    column("対応機器", "device", "device", false),
    column("プレイヤー数", "players", "players", false),
    column("拡張R指定", "adultex_name", "adultex_name", false),
    column("セーブデータ情報", "savedat_detail", "savedat_detail", false),
    column("サウンド情報", "sound_detail", "sound_detail", false),
    column("プレイ時間", "play_time", "play_time", false),
    column("読み仮名", "kana", "kana", false),
}};
static_assert(std::ranges::all_of(kListColumns, [](const ListColumn& c) { return c.viewColumn >= 0; }),
              "every column shows a column of list_view");

}  // namespace

const std::array<ListColumn, kColumnCount>& listColumns() { return kListColumns; }

std::string columnHeader(int column, int direction) {
  if (column == kMachineGenreColumn && direction >= 2) return text::sjis("ジャンル/機種");
  if (column < 0 || column >= kColumnCount) return {};
  return text::sjis(listColumns()[column].header);
}

ColumnLayout columnLayout(const Settings& settings) {
  ColumnLayout layout;
  for (int c = 0; c < kColumnCount; ++c) {
    layout.width[c] = settings.number(Setting::ItemListColumnWidth, c);
    layout.shown[c] = settings.number(Setting::ItemListColumnShown, c) != 0;
    layout.position[c] = settings.number(Setting::ItemListColumnPosition, c);
  }
  return layout;
}

void storeColumnLayout(Settings& settings, const ColumnLayout& layout) {
  for (int c = 0; c < kColumnCount; ++c) {
    settings.setNumber(Setting::ItemListColumnWidth, layout.width[c], c);
    settings.setNumber(Setting::ItemListColumnShown, layout.shown[c] ? 1 : 0, c);
    settings.setNumber(Setting::ItemListColumnPosition, layout.position[c], c);
  }
}

std::vector<int> shownColumnsInOrder(const ColumnLayout& layout) {
  std::vector<int> columns;
  for (int c = 0; c < kColumnCount; ++c) {
    if (layout.shown[c]) columns.push_back(c);
  }
  std::stable_sort(columns.begin(), columns.end(),
                   [&](int a, int b) { return layout.position[a] < layout.position[b]; });
  return columns;
}

std::string saleYearText(std::string_view stored) {
  if (stored == "0") return {};
  std::size_t cut = sjis::find(stored, "-00");
  return std::string(stored.substr(0, cut));
}

std::string lastBootText(std::string_view stored) { return stored.empty() ? std::string("- -") : std::string(stored); }

std::string adultexText(std::string_view stored) {
  return stored.empty() ? text::sjis("指定なし") : std::string(stored);
}

std::array<std::string, 2> machineGenreLines(std::string_view machine, std::string_view genre, int direction) {
  std::string genreLine = genre.empty() ? text::sjis("ジャンル指定なし") : std::string(genre);
  if (direction >= 2) return {genreLine, std::string(machine)};
  return {std::string(machine), genreLine};
}

std::string cellText(int column, std::string_view stored) {
  switch (column) {
    case 4: return saleYearText(stored);
    case 6: return lastBootText(stored);
    case 13: return adultexText(stored);
  }
  return std::string(stored);
}

int filledStars(std::string_view stored) {
  int rating = 0;
  for (char c : stored) {
    if (c < '0' || c > '9') break;
    rating = std::min(rating * 10 + (c - '0'), 1000);
  }
  return std::min(rating / 10, 5);
}

std::vector<int> favouriteMarks(std::string_view fave) {
  std::vector<int> marks;
  for (int digit = 0; digit <= 9; ++digit) {
    if (fave.find(static_cast<char>('0' + digit)) != std::string_view::npos) marks.push_back(digit);
  }
  return marks;
}

}  // namespace qm::search
