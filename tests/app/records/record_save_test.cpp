#include "app/records/record_save.h"

#include <gtest/gtest.h>

#include "app/records/file_name_check.h"
#include "app/records/record_fields.h"
#include "app/records/record_load.h"
#include "app/records/release_date.h"
#include "common/text/encoding.h"
#include "tests/app/library_fixture.h"

namespace qm::records {
namespace {

using text::sjis;

class RecordEditTest : public search::test::LibraryTest {
protected:
  LoadedRecord load(const std::string& file) {
    db::DbConnection db;
    db.open(dbPath());
    return loadRecord(db, file, sink);
  }
  SaveResult save(const LoadedRecord& loaded) {
    return saveRecord(dbPath(), loaded.record, loaded.storedSaleYear, "SMART", sink);
  }
  std::string value(const std::string& sql) {
    db::DbConnection db;
    db.open(dbPath());
    EXPECT_FALSE(db.execute(sql)) << sql;
    return db.rowCount() > 0 ? db.cell(1, 0) : std::string("(none)");
  }

  const std::string umi = "C:\\roms\\umi.sfc";
  const std::string kiri1 = "C:\\roms\\kiri_1.d88";
  const std::string kiri2 = "C:\\roms\\kiri_2.d88";
};

TEST_F(RecordEditTest, LoadShowsTheShortenedDateTheSetAndTheDetails) {
  run("INSERT INTO memo_table VALUES('C:\\roms\\kiri_1.d88', 'note');");
  const auto hoshi = load("C:\\roms\\hoshi.nes");
  ASSERT_TRUE(hoshi.found);
  EXPECT_EQ(hoshi.record.saleYear, "1986-07");
  EXPECT_EQ(hoshi.storedSaleYear, "1986-07-00");
  EXPECT_TRUE(hoshi.record.set.empty());
  const auto u = load(umi);
  EXPECT_EQ(u.record.details[1], "9800");
  const auto k = load(kiri1);
  EXPECT_EQ(k.record.set, (std::vector<std::string>{kiri1, kiri2}));
  EXPECT_EQ(k.record.memo, "note");
  EXPECT_EQ(k.record.saleYear, "");
  EXPECT_FALSE(load("C:\\gone.nes").found);
  EXPECT_TRUE(sink.messages().empty());
  run("DROP TABLE memo_table;");
  load(umi);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text.rfind(sjis("メモテーブルを参照できませんでした。\n"), 0), 0u);
  EXPECT_EQ(sink.messages()[0].caption, sjis("DBエラー"));
}

TEST_F(RecordEditTest, StatementsOfASingleImageUseItsKeyAndTheDateAsStored) {
  auto r = load(umi).record;
  r.details = {};
  r.associates = {"a.txt", "it's.url"};
  r.creators = "me";
  const auto statements = saveStatements(r, "1993-12-10", "SMART");
  std::vector<std::string> sql;
  for (const auto& s : statements) sql.push_back(text::sjisToUtf8(s.sql));
  ASSERT_EQ(sql.size(), 9u);
  EXPECT_EQ(sql[0], "DELETE FROM spec_table WHERE pfile_sc='C:\\roms\\umi.sfc' ;");
  EXPECT_EQ(sql[3], "INSERT INTO associate_file_table(pfile_as,as_file_name) VALUES('C:\\roms\\umi.sfc','a.txt');");
  EXPECT_EQ(sql[4], "INSERT INTO associate_file_table(pfile_as,as_file_name) VALUES('C:\\roms\\umi.sfc','it''s.url');");
  EXPECT_EQ(sql[5],
            "UPDATE main_table SET title='海の伝説',smart_title='SMART',version='',maker='Let''s',developer='',"
            "machine_name='スーパーファミコン',genre_name='ロールプレイング',media_name='',adult=0,country='',"
            "sale_year='1993-12-10',associate='2',kana='うみのでんせつ',tag='',"
            "modify=datetime('now','localtime')  WHERE file_name='C:\\roms\\umi.sfc';");
  EXPECT_TRUE(statements[5].mustChangeRow);
  EXPECT_EQ(sql[6], "INSERT OR REPLACE INTO creator_table( pfile_cr, creator ) VALUES( 'C:\\roms\\umi.sfc','me' );");
  EXPECT_EQ(sql[7], "DELETE FROM memo_table WHERE pfile_mm='C:\\roms\\umi.sfc' ;");
}

TEST_F(RecordEditTest, DetailsRowFollowsItsFieldsAndUnchangedDatesSave) {
  auto loaded = load(umi);
  loaded.record.details = {};
  ASSERT_EQ(save(loaded).outcome, SaveOutcome::Saved);
  EXPECT_EQ(countRows("spec_table"), 0);
  loaded.record.adultMark = "X";
  ASSERT_EQ(save(loaded).outcome, SaveOutcome::Saved);
  EXPECT_EQ(value("SELECT adultex_name FROM spec_table"), "X");
  // A date shown shortened saves as stored; an odd stored date too.
  run("UPDATE main_table SET sale_year='1980-00-15' WHERE file_name='C:\\roms\\umi.sfc';");
  loaded = load(umi);
  EXPECT_EQ(loaded.record.saleYear, "1980");
  ASSERT_EQ(save(loaded).outcome, SaveOutcome::Saved);
  EXPECT_EQ(value("SELECT sale_year FROM main_table WHERE file_name='C:\\roms\\umi.sfc'"), "1980-00-15");
  loaded.record.saleYear = "";
  ASSERT_EQ(save(loaded).outcome, SaveOutcome::Saved);
  EXPECT_EQ(value("SELECT sale_year||smart_title FROM main_table WHERE file_name='C:\\roms\\umi.sfc'"), "0SMART");
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RecordEditTest, RefusalsTouchNothing) {
  const struct {
    void (*change)(Record&);
    const char* message;
  } cases[] = {
      {[](Record& r) { r.title.clear(); }, "タイトルを入力してください。"},
      {[](Record& r) { r.creators.assign(513, 'c'); }, "クリエイター情報が長すぎます。\n511バイトに納めてください。"},
      {[](Record& r) { r.saleYear = "2061"; }, nullptr},
      {[](Record& r) { r.saleYear = "1980-12-32"; }, nullptr},
  };
  for (const auto& c : cases) {
    sink.clear();
    auto loaded = load(umi);
    loaded.record.memo = "changed";
    c.change(loaded.record);
    EXPECT_EQ(save(loaded).outcome, SaveOutcome::Refused);
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].text, c.message ? sjis(c.message) : releaseDateRefusal());
    EXPECT_EQ(sink.messages()[0].caption, "");
    EXPECT_EQ(countRows("memo_table"), 0);
  }
  auto loaded = load(umi);
  loaded.record.creators.assign(512, 'c');
  EXPECT_EQ(save(loaded).outcome, SaveOutcome::Saved);
}

TEST_F(RecordEditTest, ReorderedSetMovesParentAndSideRowsInOneTransaction) {
  run("INSERT INTO memo_table VALUES('C:\\roms\\kiri_1.d88', 'note');"
      "INSERT INTO creator_table VALUES('C:\\roms\\kiri_1.d88', 'me');");
  auto loaded = load(kiri1);
  ASSERT_TRUE(setField(loaded.record, "set", kiri2 + "|" + kiri1));
  loaded.record.maker = "NEW";
  loaded.record.saleYear = "1980-5";
  const auto result = save(loaded);
  ASSERT_EQ(result.outcome, SaveOutcome::Saved);
  EXPECT_EQ(result.cursorKey, kiri2);
  EXPECT_EQ(value("SELECT ply||','||ply_file_name||','||maker||','||sale_year FROM main_table WHERE "
                  "file_name='C:\\roms\\kiri_2.d88'"),
            "1,,NEW,1980-05-00");
  EXPECT_EQ(value("SELECT ply||','||ply_file_name||','||maker||','||sale_year FROM main_table WHERE "
                  "file_name='C:\\roms\\kiri_1.d88'"),
            "2,C:\\roms\\kiri_2.d88,NEW,1980-05-00");
  EXPECT_EQ(value("SELECT group_concat(pfile_mm) FROM memo_table"), kiri2);
  EXPECT_EQ(value("SELECT group_concat(pfile_cr) FROM creator_table"), kiri2);
  EXPECT_EQ(value("SELECT pfile_md_tmp||'='||maxdisk FROM tmp_maxdisk"), kiri2 + "=2");
}

TEST_F(RecordEditTest, AFailingStatementOrAVanishedRowRollsEverythingBack) {
  run("CREATE TRIGGER no_memo BEFORE INSERT ON memo_table BEGIN SELECT RAISE(ABORT, 'memo refused'); END;");
  auto loaded = load(umi);
  loaded.record.title = "NEW";
  loaded.record.details = {};
  loaded.record.memo = "x";
  EXPECT_EQ(save(loaded).outcome, SaveOutcome::Failed);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text, sjis("データベースを更新出来ませんでした。\n") + "memo refused");
  EXPECT_EQ(sink.messages()[0].caption, sjis("DBエラー"));
  EXPECT_EQ(value("SELECT title FROM main_table WHERE file_name='C:\\roms\\umi.sfc'"), sjis("海の伝説"));
  EXPECT_EQ(countRows("spec_table"), 1);

  sink.clear();
  loaded.record.memo.clear();
  run("DELETE FROM main_table WHERE file_name='C:\\roms\\umi.sfc';");
  loaded.record.creators = "left behind?";
  EXPECT_EQ(save(loaded).outcome, SaveOutcome::Failed);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text.rfind(sjis("データベースを更新出来ませんでした。\n"), 0), 0u);
  EXPECT_EQ(countRows("creator_table"), 0);
}

TEST(FileNameCheck, RefusesSeparatorsWildcardsDevicesAtCharacterStartsOnly) {
  const std::pair<std::string, bool> cases[] = {
      {"ABC", true},          {sjis("表示"), true},   {sjis("ソ|"), false}, {sjis("ソフト"), true},
      {"a\\b", false},        {"a/b", false},         {"a:b", false},       {"a*", false},
      {"a?", false},          {"<a>", false},         {"\"a\"", false},     {"a|b", false},
      {"", false},            {"a.", false},          {"a ", false},        {"CON", false},
      {"con.txt", false},     {"COM1", false},        {"lpt9.x", false},    {"COM0", true},
      {"CONSOLE", true},      {"a\tb", false},        {"..", false},        {sjis("ポ"), true},
  };
  for (const auto& [name, usable] : cases) EXPECT_EQ(usableAsFileName(name), usable) << text::sjisToUtf8(name);
}

}  // namespace
}  // namespace qm::records
