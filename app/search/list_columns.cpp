#include "app/search/list_columns.h"

#include <algorithm>

#include "app/settings/settings.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::search {

const std::array<ListColumn, kColumnCount>& listColumns() {
  static const std::array<ListColumn, kColumnCount> columns = {{
      {"タイトル", "title", "title", 2, true},
      {"メーカー", "maker", "maker", 4, true},
      {"機種/ジャンル", "", "", kViewMachineName, true},
      {"評価", "rating", "rating", 11, true},
      {"発売日", "sale_year", "sale_year", 10, true},
      {"起動回数", "boot_count", "boot_count+0", 12, true},
      {"最終起動日", "last_boot", "last_boot", 13, true},
      {"開発元", "developer", "developer", 5, false},
      {"型番", "breed", "breed", 36, false},
      {"価格", "price", "price+0", 37, false},
      {"メディア情報", "media_detail", "media_detail", 38, false},
      {"対応機器", "device", "device", 39, false},
      {"プレイヤー数", "players", "players", 40, false},
      {"拡張R指定", "adultex_name", "adultex_name", 41, false},
      {"セーブデータ情報", "savedat_detail", "savedat_detail", 43, false},
      {"サウンド情報", "sound_detail", "sound_detail", 44, false},
      {"プレイ時間", "play_time", "play_time", 46, false},
      {"読み仮名", "kana", "kana", 47, false},
  }};
  return columns;
}

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
