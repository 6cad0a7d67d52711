#include "app/renamedata/rename_run.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/app/renamedata/keylist_fixture.h"

namespace {

using qm::platform::MessageAnswer;
using qm::renamedata::KeyType;
using qm::renamedata::RenameItem;
using qm::renamedata::RenameStatus;
using qm::text::sjis;
using Strings = std::vector<std::string>;

class StatusRecorder : public qm::renamedata::RenameObserver {
public:
  void status(const std::string& line) override { statuses.push_back(qm::text::sjisToUtf8(line)); }
  void testLine(const std::string& line) override { lines.push_back(qm::text::sjisToUtf8(line)); }
  Strings statuses, lines;
};

class RenameRunTest : public qm::test::MaintenanceTest {
protected:
  void SetUp() override {
    auto load = qm::renamedata::RenamePlugin::load(qm::test::keylistPlugin());
    ASSERT_TRUE(load.plugin);
    plugin = std::move(load.plugin);
  }
  void image(const std::string& key, const std::string& crc32, const std::string& machine = "MSX") {
    addImage(key, machine, "old " + key);
    execute("UPDATE main_table SET crc32='" + crc32 + "', file_title='" + key + "', file_ext='rom', maker='old', "
            "sale_year='0' WHERE file_name='" + key + "';");
  }
  qm::renamedata::RenameRequest request(KeyType type = KeyType::Crc32, bool test = false) {
    qm::renamedata::RenameRequest r{dbPath, "MSX", type, {}, test, qm::text::SymbolTables::defaults()};
    for (const auto& info : qm::renamedata::itemTable()) r.items.push_back(info.item);
    return r;
  }
  // Selects the keys and walks them; the status of whichever step ended it.
  RenameStatus run(const qm::renamedata::RenameRequest& r, const std::string& listUtf8,
                   const qm::renamedata::RenamePlugin* with = nullptr) {
    RenameStatus ended = RenameStatus::Completed;
    const auto keys = qm::renamedata::selectRenameKeys(r, sink, recorder, ended);
    if (!keys) return ended;
    const qm::platform::ReadOnlyText list(qm::test::listText(listUtf8));
    result = qm::renamedata::runRename(r, *keys, with ? *with : *plugin, list, recorder, stop);
    return result.status;
  }

  std::unique_ptr<qm::renamedata::RenamePlugin> plugin;
  StatusRecorder recorder;
  qm::renamedata::RenameResult result;
};

constexpr const char* kRunList =
    "[a]\nCRC32=0000000A\nTitle=スーパー ロボット\nYear=1987\nR=5\nImgNum=3\nGenre=RPG\nKana=すーぱー\n"
    "Model=HB-F1\nCreator=山田\nMemo=メモ\n+二行目\n"
    "[b]\nCRC32=0000000B\nMaker=it's\nSaleDate=1990-5\nR=0\nImgNum=0\nYear=0\n"
    "[c]\nCRC32=0000000C\nPrice=1000\n";

TEST_F(RenameRunTest, WritesWhatWasFoundAndKeepsTheRest) {
  image("A", "0000000A");
  image("B", "0000000B");
  image("C", "0000000C");
  image("N", "0000000F");
  execute("INSERT INTO spec_table(pfile_sc, breed, price) VALUES('C', 'kept', 'old');");
  EXPECT_EQ(run(request(), kRunList), RenameStatus::Completed);
  EXPECT_EQ(rows("SELECT file_name, title, smart_title, maker, sale_year, adult, rom_num, genre_name, kana "
                 "FROM main_table ORDER BY file_name;"),
            (Strings{"A|スーパー ロボット|スーパーロボット|old|1987-00-00|1|3|RPG|すーぱー",
                     "B|old B||it's|1990-05-00|0|||",
                     "C|old C||old|0|0|||", "N|old N||old|0|0|||"}));
  EXPECT_EQ(rows("SELECT pfile_sc, breed, price FROM spec_table ORDER BY 1;"), (Strings{"A|HB-F1|", "C|kept|1000"}));
  EXPECT_EQ(rows("SELECT * FROM creator_table;"), (Strings{"A|山田"}));
  EXPECT_EQ(rows("SELECT * FROM memo_table;"), (Strings{"A|メモ\r\n二行目"}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table WHERE modify<>'';"), (Strings{"2"}));
  EXPECT_EQ(recorder.statuses.back(), "処理を終了しました ( 4 件中 3 件のキーが該当し更新されました )");
  EXPECT_EQ(recorder.statuses.front(), "1 件のアイテムを更新しました ( 1 / 4 )");
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(RenameRunTest, UnTickedAndMissingFunctionsChangeNothing) {
  image("A", "0000000A");
  auto only = request();
  only.items = {RenameItem::Kana};
  EXPECT_EQ(run(only, kRunList), RenameStatus::Completed);
  EXPECT_EQ(rows("SELECT title, kana FROM main_table;"), (Strings{"old A|すーぱー"}));

  auto partial = qm::renamedata::RenamePlugin::load(qm::test::keylistPartialPlugin());
  ASSERT_TRUE(partial.plugin);
  EXPECT_EQ(run(request(), kRunList, partial.plugin.get()), RenameStatus::Completed);
  EXPECT_EQ(rows("SELECT title, sale_year, adult FROM main_table;"), (Strings{"old A|0|1"}));
  EXPECT_TRUE(rows("SELECT * FROM memo_table;").empty());
}

TEST_F(RenameRunTest, AsksAboutImagesWithoutTheCrc) {
  image("A", "0000000A");
  for (const char* key : {"X", "Y", "Z"}) image(key, "");
  image("Other", "", "PC98");
  sink.setAnswer(MessageAnswer::No);
  EXPECT_EQ(run(request(), kRunList), RenameStatus::Declined);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sink.messages()[0].text,
            sjis("ライブラリ中の MSX には、CRC32の値が無いアイテムが 3 件存在します。\nこのまま続けますか？\n\n"
                 "※ CRC値の再取得はメニュー[データベース]→[ライブラリのCRCを再計算]で行えます。"));
  EXPECT_EQ(recorder.statuses, (Strings{"中止しました"}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table WHERE modify<>'';"), (Strings{"0"}));

  sink.setAnswer(MessageAnswer::Yes);
  EXPECT_EQ(run(request(), kRunList), RenameStatus::Completed);
  EXPECT_EQ(result.total, 1);
  EXPECT_EQ(rows("SELECT file_name FROM main_table WHERE modify<>'';"), (Strings{"A"}));
}

TEST_F(RenameRunTest, SaysWhenNoImageHasTheKey) {
  image("A", "");
  sink.clear();
  const struct {
    KeyType type;
    const char* message;
  } cases[] = {
      {KeyType::Crc16, "MSXに CRC16 の情報を持つアイテムがありません。\n\nメニュー[データベース]→[ライブラリのCRCを再計算]をお試しください。"},
      {KeyType::FileName, nullptr},
  };
  for (const auto& c : cases) {
    auto r = request(c.type);
    r.machine = c.message ? "MSX" : "PC98";
    sink.clear();
    EXPECT_EQ(run(r, kRunList), RenameStatus::NoKeys);
    ASSERT_FALSE(sink.messages().empty());
    EXPECT_EQ(sink.messages().back().text,
              c.message ? sjis(c.message) : sjis("PC98ではファイル名をキーにすることはできません。"));
  }
}

TEST_F(RenameRunTest, FileNameKeysFindTheImages) {
  image("A", "");
  EXPECT_EQ(run(request(KeyType::FileName), "[x]\nFile=a.ROM\nTitle=by name\n"), RenameStatus::Completed);
  EXPECT_EQ(run(request(KeyType::FileTitle), "[x]\nFile=A.txt\nMaker=by title\n"), RenameStatus::Completed);
  EXPECT_EQ(rows("SELECT title, maker FROM main_table;"), (Strings{"by name|by title"}));
}

TEST_F(RenameRunTest, AFailedStatementKeepsNothing) {
  image("A", "0000000A");
  image("B", "0000000B");
  execute("CREATE TRIGGER refuse BEFORE UPDATE ON main_table WHEN old.file_name='B' "
          "BEGIN SELECT RAISE(ABORT, 'refused B'); END;");
  EXPECT_EQ(run(request(), kRunList), RenameStatus::Failed);
  EXPECT_EQ(qm::text::sjisToUtf8(result.error), "ライブラリを更新できませんでした。\nrefused B");
  EXPECT_EQ(rows("SELECT title FROM main_table ORDER BY 1;"), (Strings{"old A", "old B"}));
  EXPECT_TRUE(rows("SELECT * FROM creator_table;").empty());
}

TEST_F(RenameRunTest, AStopKeepsTheRowsDone) {
  image("A", "0000000A");
  image("B", "0000000B");
  stop.store(qm::stop::kAsked);
  EXPECT_EQ(run(request(), kRunList), RenameStatus::Stopped);
  EXPECT_EQ(recorder.statuses.back(), "処理を中止しました ( 2 件中 0 件のキーが該当し更新されました )");
}

TEST_F(RenameRunTest, ATestListsMatchesUpToAHundredAndWritesNothing) {
  std::string list, sql;
  for (int i = 0; i < 150; ++i) {
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", i);
    sql += "INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, crc32) VALUES('K" +
           std::to_string(i) + "', 'k', 'rom', 'MSX', 'old', '" + crc + "');";
    list += "[r]\nCRC32=" + std::string(crc) + "\nTitle=t" + std::to_string(i) + "\nMemo=a\n+b\n";
  }
  execute("BEGIN;" + sql + "COMMIT;");
  EXPECT_EQ(run(request(KeyType::Crc32, true), list), RenameStatus::Completed);
  EXPECT_EQ(result.found, 100);
  EXPECT_EQ(recorder.lines.size(), 300u);
  EXPECT_EQ(recorder.lines[1].substr(recorder.lines[1].find("：")), "：t" + recorder.lines[0].substr(recorder.lines[0].find("] K") + 3));
  EXPECT_EQ(recorder.lines[2], "　メモ：a  b");
  EXPECT_EQ(recorder.statuses, (Strings{"テストモード：検索するキーが100件マッチするか候補がなくなるまでトライします",
                                        "テストが終了しました"}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM main_table WHERE modify<>'';"), (Strings{"0"}));
  stop.store(qm::stop::kAsked);
  EXPECT_EQ(run(request(KeyType::Crc32, true), list), RenameStatus::Stopped);
  EXPECT_EQ(recorder.statuses.back(), "ユーザーからの要求でテストを中止しました");
}

TEST(FoundValuesRules, NumbersAndDatesAreStoredInTheLibrarysForms) {
  using qm::renamedata::storedNumber;
  const struct {
    RenameItem item;
    int value;
    std::optional<std::string> stored;
  } numbers[] = {{RenameItem::Year, 0, std::nullopt}, {RenameItem::Year, 1987, "1987-00-00"},
                 {RenameItem::ImgNum, 0, std::nullopt}, {RenameItem::ImgNum, 2, "2"},
                 {RenameItem::R, 0, "0"}, {RenameItem::R, 1, "1"}, {RenameItem::R, 18, "1"}};
  for (const auto& c : numbers) EXPECT_EQ(storedNumber(c.item, c.value), c.stored) << c.value;
  using qm::renamedata::storedText;
  EXPECT_EQ(storedText(RenameItem::SaleDate, "1987"), "1987-00-00");
  EXPECT_EQ(storedText(RenameItem::SaleDate, "unknown"), "unknown");
  EXPECT_EQ(storedText(RenameItem::Title, ""), std::nullopt);
}

TEST(FoundValuesRules, StatementsSetOnlyFoundColumns) {
  qm::renamedata::FoundValues found;
  found.values[qm::renamedata::indexOf(RenameItem::Title)] = "T'";
  found.smartTitle = "ST";
  found.values[qm::renamedata::indexOf(RenameItem::SaleDate)] = "1990-01-02";
  found.values[qm::renamedata::indexOf(RenameItem::Year)] = "1989-00-00";
  found.values[qm::renamedata::indexOf(RenameItem::Price)] = "500";
  found.values[qm::renamedata::indexOf(RenameItem::Model)] = "M";
  EXPECT_EQ(qm::renamedata::updateStatements("f", found),
            (Strings{"UPDATE main_table SET modify=datetime('now','localtime') ,title='T''' ,smart_title='ST' "
                     ",sale_year='1989-00-00' ,sale_year='1990-01-02'  WHERE file_name='f' ;",
                     "INSERT INTO spec_table(breed,price,pfile_sc) VALUES('M','500','f') "
                     "ON CONFLICT(pfile_sc) DO UPDATE SET breed=excluded.breed,price=excluded.price;"}));
}

}  // namespace
