#include "app/info_view/info_record.h"

#include <algorithm>

#include "app/item_list/list_columns.h"
#include "app/item_list/list_view_sql.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;

enum class Shown { AsStored, SaleYear, LastBoot, Rating };

struct Field {
  const char* label;  // UTF-8
  int column;         // list_view position
  Shown shown;
};

using search::viewColumn;
constexpr Field kFields[] = {
    {"機種", viewColumn("machine_name"), Shown::AsStored},
    {"ジャンル", viewColumn("genre_name"), Shown::AsStored},
    {"メディア", viewColumn("media_name"), Shown::AsStored},
    {"発売日", viewColumn("sale_year"), Shown::SaleYear},
    {"評価", viewColumn("rating"), Shown::Rating},
    {"起動回数", viewColumn("boot_count"), Shown::AsStored},
    {"最終起動日", viewColumn("last_boot"), Shown::LastBoot},
    {"プレイ時間", viewColumn("play_time"), Shown::AsStored},
    {"読み仮名", viewColumn("kana"), Shown::AsStored},
    {"CRC32", viewColumn("crc32"), Shown::AsStored},
    {"CRC16", viewColumn("crc"), Shown::AsStored},
    {"ファイル", viewColumn("file_name"), Shown::AsStored},
    {"メモ", viewColumn("memo"), Shown::AsStored},
};
static_assert(std::ranges::all_of(kFields, [](const Field& field) { return field.column >= 0; }));
constexpr int kTitle = viewColumn("title");
constexpr int kMaker = viewColumn("maker");
constexpr int kDeveloper = viewColumn("developer");
static_assert(kTitle >= 0 && kMaker >= 0 && kDeveloper >= 0);

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
  InfoRecord record;
  record.title = cellAt(kTitle);
  record.maker = cellAt(kMaker);
  const std::string developer = cellAt(kDeveloper);
  if (!developer.empty() && developer != record.maker)
    record.maker += (record.maker.empty() ? "" : " / ") + developer;
  for (const Field& field : kFields) {
    const std::string value = shownValue(field.shown, cellAt(field.column));
    if (!value.empty()) record.lines.push_back({sjis(field.label), value});
  }
  return record;
}

}  // namespace qm::shell
