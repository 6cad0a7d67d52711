#include "app/records/bulk_change.h"

#include <gtest/gtest.h>

#include "app/records/release_date.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::records {
namespace {

using text::sjis;

class BulkChangeTest : public search::test::LibraryTest {
protected:
  bool apply(BulkField field, const std::string& value) {
    return applyBulkChange(dbPath(), {field, value, "KANA", "SMART"}, keys, sink);
  }
  // `column` of every item, in key order, joined by ",".
  std::string column(const std::string& expr) {
    db::DbConnection db;
    db.open(dbPath());
    EXPECT_FALSE(db.execute("SELECT group_concat(v) FROM (SELECT " + expr +
                            " AS v FROM main_table ORDER BY file_name);"));
    return db.cell(1, 0);
  }

  const std::vector<std::string> keys = {"C:\\roms\\hoshi.nes", "C:\\roms\\umi.sfc", "C:\\roms\\kiri_1.d88"};
};

TEST_F(BulkChangeTest, TextFieldsChangeEverySelectedItem) {
  const struct {
    BulkField field;
    const char* value;
    const char* expr;
    const char* after;  // hoshi, kiri_1, kiri_2, umi
  } cases[] = {
      {BulkField::Maker, "M'X", "maker", "M'X,M'X,デモソフト,M'X"},
      {BulkField::Developer, "D", "developer", "D,D,,D"},
      {BulkField::Country, "JP", "country", "JP,JP,,JP"},
      {BulkField::Version, "v2", "version", "v2,v2,,v2"},
      {BulkField::SaleYear, "1980-5", "sale_year", "1980-05-00,1980-05-00,0,1980-05-00"},
      {BulkField::Genre, "G", "genre_name", "G,G,,G"},
      {BulkField::Title, "T", "title||kana||smart_title", "TKANASMART,TKANASMART,霧の館 2きりのやかた,TKANASMART"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(apply(c.field, sjis(c.value))) << c.expr;
    EXPECT_EQ(column(c.expr), sjis(c.after)) << c.expr;
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(BulkChangeTest, CreatorsAndMarksWriteTheirSideTables) {
  ASSERT_TRUE(apply(BulkField::Creator, "me"));
  EXPECT_EQ(countRows("creator_table"), 3);
  ASSERT_TRUE(apply(BulkField::Creator, ""));
  EXPECT_EQ(countRows("creator_table"), 0);
  // umi has a details row and keeps its price; the others get one.
  ASSERT_TRUE(apply(BulkField::AdultMark, "X"));
  EXPECT_EQ(countRows("spec_table WHERE adultex_name='X'"), 3);
  EXPECT_EQ(countRows("spec_table WHERE price='9800'"), 1);
  EXPECT_EQ(bulkStatements({BulkField::AdultMark, "X", "", ""}, "k", false),
            std::vector<std::string>{"INSERT INTO spec_table( pfile_sc, adultex_name ) VALUES('k','X');"});
  EXPECT_EQ(bulkStatements({BulkField::Maker, "M", "", ""}, "k", false),
            std::vector<std::string>{"UPDATE main_table SET maker='M' WHERE file_name='k' ;"});
}

TEST_F(BulkChangeTest, RefusalsAndFailuresChangeNothing) {
  EXPECT_FALSE(apply(BulkField::Title, ""));
  EXPECT_FALSE(apply(BulkField::SaleYear, "1980-13"));
  ASSERT_EQ(sink.messages().size(), 2u);
  EXPECT_EQ(sink.messages()[0].text, sjis("タイトルを入力してください。"));
  EXPECT_EQ(sink.messages()[1].text, releaseDateRefusal());
  sink.clear();
  // The third item's update fails: the first two are rolled back with it.
  run("CREATE TRIGGER no_kiri BEFORE UPDATE ON main_table WHEN old.file_name LIKE '%kiri%' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  EXPECT_FALSE(apply(BulkField::Maker, "M"));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, sjis("データベースを更新出来ませんでした。\n") + "refused");
  EXPECT_EQ(sink.messages()[0].caption, sjis("DBエラー"));
  EXPECT_EQ(column("maker"), sjis("デモソフト,デモソフト,デモソフト,Let's"));
  EXPECT_FALSE(toggleAdult(dbPath(), keys, false, sink));
  EXPECT_EQ(column("adult"), "0,0,0,0");
}

TEST_F(BulkChangeTest, AdultToggleFollowsTheFirstItemAndRatingsFollowTheStars) {
  run("UPDATE main_table SET adult=1 WHERE file_name='C:\\roms\\umi.sfc';");
  EXPECT_EQ(toggleAdult(dbPath(), keys, false, sink), std::optional<bool>(true));
  EXPECT_EQ(column("adult"), "1,1,0,1");
  EXPECT_EQ(toggleAdult(dbPath(), keys, true, sink), std::optional<bool>(false));
  EXPECT_EQ(column("adult"), "0,0,0,0");
  const std::pair<int, std::optional<int>> clicks[] = {
      {-5, std::nullopt}, {-4, 0}, {0, 0},  {1, 10},  {16, 10}, {17, 20}, {32, 20},
      {33, 30},           {48, 30}, {49, 40}, {64, 40}, {65, 50}, {70, 50}, {79, 50}, {80, std::nullopt},
  };
  for (const auto& [x, rating] : clicks) EXPECT_EQ(ratingFromClick(x), rating) << x;
  EXPECT_TRUE(setRating(dbPath(), keys[1], 50, sink));
  EXPECT_EQ(column("rating"), "30,10,10,50");
}

}  // namespace
}  // namespace qm::records
