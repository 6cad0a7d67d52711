#include "app/shell/info_record.h"

#include <algorithm>
#include <cstring>

#include "app/search/list_columns.h"
#include "app/search/list_view_sql.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;

enum class Shown { AsStored, SaleYear, LastBoot, Rating };

struct Field {
  const char* label;  // UTF-8
  const char* column;
  Shown shown;
};

constexpr Field kFields[] = {
    {"機種", "machine_name", Shown::AsStored},   {"ジャンル", "genre_name", Shown::AsStored},
    {"メディア", "media_name", Shown::AsStored},  {"発売日", "sale_year", Shown::SaleYear},
    {"評価", "rating", Shown::Rating},           {"起動回数", "boot_count", Shown::AsStored},
    {"最終起動日", "last_boot", Shown::LastBoot}, {"プレイ時間", "play_time", Shown::AsStored},
    {"読み仮名", "kana", Shown::AsStored},        {"CRC32", "crc32", Shown::AsStored},
    {"CRC16", "crc", Shown::AsStored},           {"ファイル", "file_name", Shown::AsStored},
    {"メモ", "memo", Shown::AsStored},
};

std::string shownValue(Shown shown, const std::string& stored) {
  switch (shown) {
    case Shown::SaleYear: return search::saleYearText(stored);
    case Shown::LastBoot: return search::lastBootText(stored);
    case Shown::Rating: {
      const int stars = search::filledStars(stored);
      std::string text;
      for (int i = 0; i < 5; ++i) text += sjis(i < stars ? "★" : "☆");
      return text;
    }
    case Shown::AsStored: break;
  }
  return stored;
}

}  // namespace

InfoRecord infoRecord(const std::function<std::string(int viewColumn)>& cellAt) {
  const auto cellOf = [&](const char* name) {
    const auto columns = search::viewColumns();
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const char* c) { return std::strcmp(c, name) == 0; });
    return found == columns.end() ? std::string() : cellAt(static_cast<int>(found - columns.begin()));
  };
  InfoRecord record;
  record.title = cellOf("title");
  record.maker = cellOf("maker");
  const std::string developer = cellOf("developer");
  if (!developer.empty() && developer != record.maker)
    record.maker += (record.maker.empty() ? "" : " / ") + developer;
  for (const Field& field : kFields) {
    const std::string value = shownValue(field.shown, cellOf(field.column));
    if (!value.empty()) record.lines.push_back({sjis(field.label), value});
  }
  return record;
}

}  // namespace qm::shell
