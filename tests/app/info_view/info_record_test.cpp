// What the information view shows of an item, from its list_view row.
#include "app/info_view/info_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "app/item_list/list_view_sql.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using text::sjis;
using text::sjisToUtf8;

// A list_view row from column names; every other column empty.
std::function<std::string(int)> row(const std::map<std::string, std::string>& values) {
  return [values](int position) {
    const auto columns = search::viewColumns();
    if (position < 0 || position >= static_cast<int>(columns.size())) return std::string("out of range");
    const auto found = values.find(columns[static_cast<std::size_t>(position)]);
    return found == values.end() ? std::string() : sjis(found->second);
  };
}

std::string lines(const InfoRecord& record) {
  std::string all;
  for (const InfoLine& line : record.lines) all += sjisToUtf8(line.label) + "=" + sjisToUtf8(line.value) + "|";
  return all;
}

TEST(InfoRecord, AFullRecordInItsOrder) {
  const InfoRecord record = infoRecord(row({{"title", "星の物語"},
                                            {"maker", "デモソフト"},
                                            {"developer", "星工房"},
                                            {"machine_name", "PC-8801"},
                                            {"genre_name", "RPG"},
                                            {"media_name", "5インチ2D"},
                                            {"sale_year", "1990-05-00"},
                                            {"rating", "30"},
                                            {"boot_count", "7"},
                                            {"last_boot", "2024-07-05 09:03:07"},
                                            {"play_time", "01:02:03"},
                                            {"kana", "ほしのものがたり"},
                                            {"crc32", "CBF43926"},
                                            {"crc", "6F91"},
                                            {"file_name", "C:\\roms\\hoshi.d88"},
                                            {"memo", "メモ"}}));
  EXPECT_EQ(sjisToUtf8(record.title), "星の物語");
  EXPECT_EQ(sjisToUtf8(record.maker), "デモソフト / 星工房");
  EXPECT_EQ(lines(record),
            "機種=PC-8801|ジャンル=RPG|メディア=5インチ2D|発売日=1990-05|評価=★★★☆☆|起動回数=7|"
            "最終起動日=2024-07-05 09:03:07|プレイ時間=01:02:03|読み仮名=ほしのものがたり|CRC32=CBF43926|"
            "CRC16=6F91|ファイル=C:\\roms\\hoshi.d88|メモ=メモ|");
}

TEST(InfoRecord, SparseRecordsStayShort) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> values;
    const char* maker;
    const char* lines;
  };
  const Case cases[] = {
      {"nothing known", {}, "", "評価=☆☆☆☆☆|最終起動日=- -|"},
      {"no release date, never booted", {{"sale_year", "0"}, {"boot_count", "0"}}, "",
       "評価=☆☆☆☆☆|起動回数=0|最終起動日=- -|"},
      {"developer equal to the maker", {{"maker", "A"}, {"developer", "A"}}, "A", "評価=☆☆☆☆☆|最終起動日=- -|"},
      {"developer only", {{"developer", "B"}}, "B", "評価=☆☆☆☆☆|最終起動日=- -|"},
      {"rating beyond five stars", {{"rating", "90"}}, "", "評価=★★★★★|最終起動日=- -|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const InfoRecord record = infoRecord(row(c.values));
    EXPECT_EQ(sjisToUtf8(record.maker), c.maker);
    EXPECT_EQ(lines(record), c.lines);
    EXPECT_FALSE(record.empty());
  }
  EXPECT_TRUE(InfoRecord{}.empty());
}

}  // namespace
}  // namespace qm::shell
