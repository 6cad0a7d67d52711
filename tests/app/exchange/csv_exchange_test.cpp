#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/exchange/csv_columns.h"
#include "app/exchange/csv_export.h"
#include "app/exchange/csv_import.h"
#include "app/exchange/csv_text.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace {

using qm::exchange::CsvEnding;
using qm::exchange::CsvExportRequest;
using qm::exchange::CsvImportRequest;
using qm::maintenance::MachineChoice;
using qm::platform::MessageAnswer;
using qm::text::sjis;
using Strings = std::vector<std::string>;

// A file of program text records, CR LF after each.
std::string lines(const Strings& records) {
  std::string out;
  for (const auto& r : records) out += sjis(r) + "\r\n";
  return out;
}

class CsvExchangeTest : public qm::test::MaintenanceTest {
protected:
  qm::exchange::CsvOutcome exportTo(const std::string& name, bool header = true,
                                    MachineChoice machine = MachineChoice::everyMachine()) {
    return qm::exchange::exportCsv(context(), CsvExportRequest{pathOf(name), std::move(machine), header});
  }
  qm::exchange::CsvOutcome importFrom(const std::string& name, bool skipHeader = true) {
    return qm::exchange::importCsv(context(), CsvImportRequest{pathOf(name), skipHeader, {}});
  }
  qm::exchange::CsvOutcome importText(const std::string& bytes, bool skipHeader = false) {
    EXPECT_TRUE(qm::test::writeFile(pathOf("in.csv"), bytes));
    return importFrom("in.csv", skipHeader);
  }
  std::string row(const std::string& key, const std::string& columns) {
    return qm::test::queryValue(dbPath, "SELECT " + columns + " FROM main_table LEFT JOIN spec_table ON "
                                        "file_name=pfile_sc LEFT JOIN creator_table ON file_name=pfile_cr "
                                        "WHERE file_name='" + key + "';");
  }
  // Rows of main_table, spec_table and creator_table.
  std::string countRows() {
    return qm::test::queryValue(dbPath, "SELECT (SELECT COUNT(*) FROM main_table)||'|'||(SELECT COUNT(*) FROM "
                                        "spec_table)||'|'||(SELECT COUNT(*) FROM creator_table);");
  }
  // A row with every exported column filled with awkward values.
  void addFullRow(const std::string& key, const std::string& title) {
    addImage(key, "PC-98", title);
    execute("UPDATE main_table SET media_name='5\"FD', kana='かな', maker='A, Inc.', developer='表ソ能', "
            "country='JP', version='v1\r2', adult=1, sale_year='1989-04-00', genre_name='RPG', rom_num='12', "
            "tag='t', crc32='CBF43926', crc='6F91' WHERE file_name='" + key + "';");
    execute("INSERT INTO spec_table VALUES('" + key + "','B-1','9,800','2 disks','dev','1-2','X','save','FM');");
    execute("INSERT INTO creator_table VALUES('" + key + "','line one\r\nline \"two\"');");
  }
};

TEST_F(CsvExchangeTest, ExportImportExportGivesTheSameFile) {
  addFullRow("C:\\roms\\a.d88", "Title, with comma");
  addFullRow("C:\\roms\\b.zip*dir\\b.d88", "Say \"hi\"");
  addImage("C:\\roms\\b2.d88", "PC-98", "second disk", 2, "C:\\roms\\b.zip*dir\\b.d88");
  addImage("C:\\roms\\c.d88", "MSX", "ドラゴン");
  ASSERT_EQ(exportTo("first.csv").ending, CsvEnding::Completed);
  const auto first = qm::test::readFile(pathOf("first.csv"));
  ASSERT_TRUE(first);
  // The header line is the 24 texts; the set's second disk is not exported.
  EXPECT_EQ(first->substr(0, first->find("\r\n")).rfind(sjis("プライマリキー,機種名,メディア,タイトル,"), 0), 0u);
  EXPECT_EQ(first->find("b2.d88"), std::string::npos);
  EXPECT_NE(first->find("\"line one\r\nline \"\"two\"\"\""), std::string::npos);
  EXPECT_NE(first->find("v1\r2"), std::string::npos);  // a lone CR stays unquoted
  execute("UPDATE main_table SET title='changed', smart_title='', crc32='' ;");
  execute("DELETE FROM creator_table;");
  const auto imported = importFrom("first.csv");
  EXPECT_EQ(imported.ending, CsvEnding::Completed);
  EXPECT_EQ(imported.records, 3);
  ASSERT_EQ(exportTo("second.csv").ending, CsvEnding::Completed);
  EXPECT_TRUE(qm::test::sameBytes(qm::test::readFile(pathOf("second.csv")), first));
  EXPECT_EQ(row("C:\\roms\\a.d88", "smart_title"), "TITLE,WITHCOMMA");
  EXPECT_EQ(row("C:\\roms\\b2.d88", "title"), "changed");  // not in the file
}

TEST_F(CsvExchangeTest, ExportLogsEveryRecordAndCountsCharactersOutsideTheCodePage) {
  addImage("C:\\a.d88", "PC-98", "");
  // Straight into the file: é has no code in page 932, so program text cannot carry it.
  qm::db::DbConnection db;
  db.open(dbPath);
  EXPECT_FALSE(db.readRowsUtf8("UPDATE main_table SET title='Café ⅰ' WHERE file_name='C:\\a.d88';",
                               [](const qm::db::RowValues&) { return true; }));
  addImage("C:\\b.d88", "MSX", "B?");
  const auto outcome = exportTo("out.csv", false, MachineChoice::only("PC-98"));
  EXPECT_EQ(outcome.records, 1);
  EXPECT_EQ(outcome.lostCharacters, 1);
  EXPECT_EQ(observer.lines, (Strings{"準備中・・・", "処理を開始します。", "PC-98 > Caf? ⅰ",
                                     "  ... コードページ932にない文字 1 字を ? で書き出しました。",
                                     "コードページ932にない文字 1 字を ? で書き出しました。", "処理を終了しました。"}));
  EXPECT_EQ(observer.ranges, (std::vector<int>{1}));
  Strings fields(24);
  fields[0] = "C:\\a.d88", fields[1] = "PC-98", fields[3] = sjis("Caf? ⅰ"), fields[9] = "0", fields[10] = "0";
  EXPECT_EQ(*qm::test::readFile(pathOf("out.csv")), qm::exchange::csvRecord(fields));
}

TEST_F(CsvExchangeTest, FilesThatCannotBeOpenedOrWrittenAreReported) {
  addImage("C:\\a.d88", "PC-98", "A");
  EXPECT_EQ(exportTo("no-such-folder/out.csv").ending, CsvEnding::OpenFailed);
  EXPECT_EQ(importFrom("no-such-file.csv").ending, CsvEnding::OpenFailed);
  EXPECT_EQ(observer.lines[1], "ファイルオープンに失敗しました。");
  EXPECT_EQ(observer.lines[2], "CSVファイルパスの指定を確認してください。");
#ifndef _WIN32
  const auto full = qm::exchange::exportCsv(context(), CsvExportRequest{"/dev/full", MachineChoice::everyMachine(), true});
  EXPECT_EQ(full.ending, CsvEnding::WriteFailed);
  ASSERT_FALSE(sink.messages().empty());
  EXPECT_EQ(qm::test::boxes(sink).back().rfind("エラー|CSVファイルに書き込めませんでした。\n", 0), 0u);
#endif
}

TEST_F(CsvExchangeTest, ShortRecordsUpdateOnlyTheFieldsTheyHold) {
  addFullRow("C:\\a.d88", "Old");
  const auto outcome = importText(lines({"C:\\a.d88,MSX,,New Title", "", "C:\\a.d88,MSX,,New Title,,,,,,2,,"}));
  EXPECT_EQ(outcome.records, 2);
  EXPECT_EQ(row("C:\\a.d88", "machine_name||title||smart_title||crc32||crc||creator||breed||adult||genre_name"),
            "MSXNew TitleNEWTITLECBF439266F91line one\r\nline \"two\"B-10");
  // The second record holds the genre (empty) and the adult mark ("2" is 0).
  EXPECT_EQ(row("C:\\a.d88", "genre_name"), "");
  EXPECT_EQ(observer.lines, (Strings{"C:\\a.d88", "C:\\a.d88", "全ての処理を終了しました。"}));
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(CsvExchangeTest, NewKeysAreAskedAboutBeforeAnythingIsWritten) {
  const std::string file = lines({"C:\\new1.d88,MSX,,One,,,,,,,,,,Someone,,,,Model", "C:\\new2.zip*d\\Two.dsk,MSX,,Two"});
  sink.setAnswer(MessageAnswer::No);
  EXPECT_EQ(importText(file).skipped, 2);
  EXPECT_EQ(qm::test::boxes(sink).size(), 2u);  // asked again for the next key
  EXPECT_EQ(countRows(), "0|0|0");
  EXPECT_EQ(observer.lines[1], "  ... スキップします。");

  sink.clear();
  sink.setAnswer(MessageAnswer::Yes);
  const auto added = importText(file);
  EXPECT_EQ(added.added, 2);
  ASSERT_EQ(qm::test::boxes(sink).size(), 1u);  // Yes holds for the rest of the file
  EXPECT_EQ(qm::test::boxes(sink)[0], "新規プライマリキー|新規プライマリキーがインポートされようとしています。\n\n"
                                      "以降の新規プライマリキーを全てインポートしますか？\n（いいえでスキップ）\n\n--> C:\\new1.d88");
  EXPECT_EQ(countRows(), "2|1|1");
  EXPECT_EQ(qm::test::queryRows(dbPath, "SELECT file_name, file_arc_title, file_arc_ext, file_title, file_ext, "
                                        "machine_name, title, sale_year FROM main_table ORDER BY file_name;"),
            (Strings{"C:\\new1.d88|||new1|d88|MSX|One|", "C:\\new2.zip*d\\Two.dsk|Two|dsk|new2|zip|MSX|Two|0"}));
}

TEST_F(CsvExchangeTest, ARefusedRecordEndsTheImportAndKeepsTheOnesBefore) {
  addImage("C:\\a.d88", "PC-98", "A");
  addImage("C:\\b.d88", "PC-98", "B");
  const std::string longTitle(257, 'x');
  const std::pair<std::string, Strings> cases[] = {
      {"C:\\b.d88,,,", {"確認|タイトルは必須です。\n中止します。\nLine: 2", "必須項目が空欄です。(Line:2)"}},
      {"C:\\b.d88,,", {"確認|タイトルは必須です。\n中止します。\nLine: 2", "必須項目が空欄です。(Line:2)"}},
      {",,,T", {"確認|プライマリキーは必須です。\n中止します。\nLine: 2", "必須項目が空欄です。(Line:2)"}},
      {"C:\\b.d88,,," + longTitle,
       {"確認|タイトル の文字列が長すぎます。\n中止します。\n--> " + longTitle, "文字列が長すぎます。(Line:2)"}},
      {"C:\\b.d88,\"open", {"ダブルクオートが不正です|C:\\b.d88,\"open", "ダブルクオートが不正です。(Line:2)"}},
  };
  for (const auto& [bad, expected] : cases) {
    sink.clear();
    observer.lines.clear();
    const auto outcome = importText(lines({"C:\\a.d88,,,A1", bad, "C:\\a.d88,,,A2"}));
    EXPECT_EQ(outcome.ending, CsvEnding::RecordFailed) << bad;
    EXPECT_EQ(row("C:\\a.d88", "title"), "A1") << bad;
    ASSERT_EQ(qm::test::boxes(sink).size(), 1u) << bad;
    EXPECT_EQ(qm::test::boxes(sink)[0], expected[0]);
    EXPECT_NE(std::find(observer.lines.begin(), observer.lines.end(), expected[1]), observer.lines.end()) << bad;
    EXPECT_EQ(observer.lines.back(), "処理を中止しました。");
  }
  // At the limit a value is taken.
  EXPECT_EQ(importText(lines({"C:\\b.d88,,," + std::string(256, 'y')})).ending, CsvEnding::Completed);
}

TEST_F(CsvExchangeTest, AStopRequestEndsAfterTheRecordAtHand) {
  addImage("C:\\a.d88", "PC-98", "A");
  addImage("C:\\b.d88", "PC-98", "B");
  observer.stopAtRow(1);
  const auto outcome = importText(lines({"C:\\a.d88,,,A1", "C:\\b.d88,,,B1"}));
  EXPECT_EQ(outcome.ending, CsvEnding::Stopped);
  EXPECT_EQ(row("C:\\a.d88", "title") + row("C:\\b.d88", "title"), "A1B");
  EXPECT_EQ(observer.lines.back(), "ユーザーからの要求で処理を中止しました。");
}

// A file as another program writes it: Python's csv module, code page 932.
TEST_F(CsvExchangeTest, AFileWrittenByPythonsCsvModuleImports) {
  addImage("C:\\a.d88", "PC-98", "A");
  const std::string script =
      "import csv,sys\n"
      "w=csv.writer(open(sys.argv[1],'w',encoding='cp932',newline=''))\n"
      "w.writerow(['key','machine','media','title'])\n"
      "w.writerow(['C:\\\\a.d88','PC-98','','表示, \"ソフト\"','よみ'] + ['']*8 + ['作者\\r\\n二行目'])\n";
  ASSERT_TRUE(qm::test::writeFile(pathOf("make.py"), script));
  if (std::system(("python3 " + pathOf("make.py") + " " + pathOf("py.csv")).c_str()) != 0)
    GTEST_SKIP() << "python3 is not available here";
  EXPECT_EQ(importFrom("py.csv").ending, CsvEnding::Completed);
  EXPECT_EQ(row("C:\\a.d88", "title||'/'||kana||'/'||creator"), "表示, \"ソフト\"/よみ/作者\r\n二行目");
}

TEST(NewRowStatement, SplitsTheKeyAsARegistrationDoes) {
  EXPECT_EQ(qm::exchange::newRowStatement(sjis("C:\\ソ\\it's.zip*dir/a.b.d88")),
            sjis("INSERT INTO main_table VALUES('C:\\ソ\\it''s.zip*dir/a.b.d88','a.b','d88','it''s','zip',"
                 "'new machine name','new title','','','','0','','','0','0','0','','','','','0','','0','','','','','','');"));
}

}  // namespace
