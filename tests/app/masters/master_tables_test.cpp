// Master table management on a new library database: adding, editing and
// deleting with their messages, renumbering, the triggers' cascades and the
// icon list contents.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/masters/master_tables.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_sink.h"
#include "tests/support/schema_dump.h"
#include "tests/support/temp_folder.h"

namespace qm::master {
namespace {

using platform::MessageAnswer;
using platform::MessageIcon;
using text::sjis;
using text::sjisToUtf8;
using Lines = std::vector<std::string>;

class MasterTablesTest : public ::testing::Test {
protected:
  void SetUp() override {
    paths = {temp.file("Quillmoor.db"), temp.path(), "Quillmoor.db", temp.file("Quillmoor2.ini")};
    platform::AcceptingSink quiet;
    ASSERT_EQ(dblib::makeDatabase(paths, quiet).outcome, dblib::SetupOutcome::Created);
    db.open(paths.dbPath);
  }

  Lines rows(const std::string& sqlUtf8) { return qm::test::queryRows(paths.dbPath, sqlUtf8); }
  void run(const Lines& sqlUtf8) { ASSERT_TRUE(qm::test::executeAll(paths.dbPath, sqlUtf8)); }
  // "name:number" in name order.
  std::string numbering(Kind kind) {
    const std::string w(word(kind));
    return qm::test::queryValue(paths.dbPath, "SELECT group_concat(n, ' ') FROM (SELECT " + w + " || ':' || " + w +
                                                  "_num AS n FROM " + tableOf(kind) + " ORDER BY " + w + ")");
  }
  static std::string inNameOrder(const Lines& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i ? " " : "") + names[i] + ":" + std::to_string(i + 1);
    return text;
  }
  SaveOutcome save(Kind kind, const std::string& nameUtf8, std::optional<std::string> oldUtf8 = {}) {
    Entry entry;
    if (oldUtf8) entry = loadEntry(db, kind, sjis(*oldUtf8), sink).value_or(Entry{});
    entry.name = sjis(nameUtf8);
    return saveEntry(db, kind, entry, oldUtf8 ? std::optional(sjis(*oldUtf8)) : std::nullopt, paths.programFolder,
                     sink);
  }
  Lines shown() const {
    Lines texts;
    for (const auto& m : sink.messages()) texts.push_back(sjisToUtf8(m.caption) + "|" + sjisToUtf8(m.text));
    return texts;
  }

  qm::test::TempFolder temp;
  dblib::SetupPaths paths;
  db::DbConnection db;
  qm::test::RecordingSink sink{MessageAnswer::Yes};
};

TEST_F(MasterTablesTest, AddingRenumbersTheWholeKindByName) {
  run({"CREATE VIEW list_view AS SELECT 1;"});
  ASSERT_EQ(save(Kind::Machine, "AAA"), SaveOutcome::Saved);

  const Lines names = rows("SELECT machine FROM machine_info_table ORDER BY machine;");
  ASSERT_EQ(names.size(), 21u);
  EXPECT_EQ(names.front(), "AAA");
  EXPECT_EQ(numbering(Kind::Machine), inNameOrder(names));
  EXPECT_EQ(rows("SELECT name FROM sqlite_master WHERE name='list_view';"), Lines{});
  EXPECT_EQ(shown(), Lines{});

  const auto slots = iconSlots(db, Kind::Machine, sink);
  ASSERT_TRUE(slots);
  ASSERT_EQ(slots->size(), 22u);
  EXPECT_EQ((*slots)[1].name, "AAA");
  EXPECT_EQ((*slots)[1].source, IconSource::Default);
}

// Names a dialog refuses, with the exact message of each kind.
TEST_F(MasterTablesTest, RefusedNamesKeepTheDialogOpen) {
  struct Case {
    Kind kind;
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      {Kind::Machine, "", "機種名の入力は必須です。"},
      {Kind::Media, "", "メディアタイプ名の入力は必須です。"},
      {Kind::Genre, "", "ジャンル名の入力は必須です。"},
      {Kind::Adultex, "", "レーティング名の入力は必須です。"},
      {Kind::Media, "指定なし", "そのメディアタイプ名は使用できません。"},
      {Kind::Genre, "指定なし", "そのジャンル名は使用できません。"},
      {Kind::Adultex, "指定なし", "そのレーティング名は使用できません。"},
      {Kind::Machine, "PC/AT", nullptr},
      {Kind::Machine, "NUL", nullptr},
      {Kind::Machine, "FM77シリーズ", "指定された機種名は既に作成されています。\n別な機種名を指定してください。"},
      {Kind::Media, "MSX カートリッジ",
       "指定されたメディアタイプ名は既に作成されています。\n別なメディアタイプ名を指定してください。"},
      {Kind::Genre, "アクション", "指定されたジャンル名は既に作成されています。\n別なジャンル名を指定してください。"},
      {Kind::Adultex, "全年齢",
       "指定されたレーティング名は既に作成されています。\n別なレーティング名を指定してください。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink.clear();
    EXPECT_EQ(save(c.kind, c.name), SaveOutcome::Refused);
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(sink.messages()[0].text, c.message ? sjis(c.message) : textsOf(c.kind).nameRefused);
  }
  EXPECT_EQ(rows("SELECT (SELECT COUNT(*) FROM machine_info_table), (SELECT COUNT(*) FROM genre_info_table);"),
            Lines{"20|15"});
  EXPECT_EQ(save(Kind::Machine, "指定なし"), SaveOutcome::Saved);
}

TEST_F(MasterTablesTest, RenamingOntoAnotherEntryIsADuplicate) {
  EXPECT_EQ(save(Kind::Genre, "パズル", "クイズ"), SaveOutcome::Refused);
  EXPECT_EQ(shown(), Lines{"|指定されたジャンル名は既に作成されています。\n別なジャンル名を指定してください。"});
  EXPECT_EQ(rows("SELECT genre_num FROM genre_info_table WHERE genre='クイズ';"), Lines{"3"});
}

TEST_F(MasterTablesTest, CapacityIs299) {
  run({"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<285) "
       "INSERT INTO media_info_table(media) SELECT 'm' || i FROM n;"});
  EXPECT_TRUE(mayAdd(db, Kind::Media, sink));
  run({"INSERT INTO media_info_table(media) VALUES('last');"});
  EXPECT_FALSE(mayAdd(db, Kind::Media, sink));
  EXPECT_EQ(shown(), Lines{"|これ以上追加できません。"});
}

// Numbers that do not tell entries apart must not matter to an edit.
TEST_F(MasterTablesTest, EditIsKeyedByTheOldName) {
  run({"UPDATE genre_info_table SET genre_num=0;"});
  ASSERT_EQ(save(Kind::Genre, "パズル2", "パズル"), SaveOutcome::Saved);
  const Lines names = rows("SELECT genre FROM genre_info_table ORDER BY genre;");
  EXPECT_EQ(names.size(), 15u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "パズル2"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "パズル"), 0);
  EXPECT_EQ(numbering(Kind::Genre), inNameOrder(names));

  Entry gone;
  gone.name = "new";
  EXPECT_EQ(saveEntry(db, Kind::Genre, gone, sjis("パズル"), paths.programFolder, sink), SaveOutcome::Failed);
  EXPECT_EQ(shown(), Lines{"DBエラー|ジャンル管理レコードアップデートできませんでした。\n"});
}

TEST_F(MasterTablesTest, RenamedMachineTakesImagesAndEmulatorSettingsAlong) {
  const std::string emuconf = temp.file("emuconf");
  ASSERT_TRUE(platform::createFolder(emuconf));
  ASSERT_TRUE(platform::createFolder(platform::joinPath(emuconf, sjis("ファミコン"))));
  ASSERT_TRUE(qm::test::writeFile(platform::joinPath(emuconf, sjis("ファミコン.ini")), "x"));
  run({"INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
       "('a.nes','a','nes','ファミコン','A'), ('b.nes','b','nes','ファミコン','B'), ('c.gb','c','gb','ゲームボーイ','C');"});

  ASSERT_EQ(save(Kind::Machine, "ファミリー'コンピュータ", "ファミコン"), SaveOutcome::Saved);

  EXPECT_EQ(rows("SELECT machine_name FROM main_table ORDER BY file_name;"),
            (Lines{"ファミリー'コンピュータ", "ファミリー'コンピュータ", "ゲームボーイ"}));
  EXPECT_EQ(rows("SELECT search_ext, default_media FROM machine_info_table WHERE machine LIKE 'ファミリー%';"),
            Lines{".NES|ファミコン カセット"});
  EXPECT_TRUE(platform::folderExists(platform::joinPath(emuconf, sjis("ファミリー'コンピュータ"))));
  EXPECT_TRUE(platform::fileExists(platform::joinPath(emuconf, sjis("ファミリー'コンピュータ.ini"))));
  EXPECT_FALSE(platform::fileExists(platform::joinPath(emuconf, sjis("ファミコン"))));
  EXPECT_EQ(numbering(Kind::Machine), inNameOrder(rows("SELECT machine FROM machine_info_table ORDER BY machine;")));
  EXPECT_EQ(shown(), Lines{});  // the default media did not change: no question
}

TEST_F(MasterTablesTest, ChangedDefaultMediaAsksWhetherImagesFollow) {
  run({"INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, media_name) VALUES "
       "('a.d88','a','d88','X1シリーズ','A','5.25インチ フロッピー');"});
  for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    sink.clear();
    sink.setAnswer(answer);
    Entry x1 = *loadEntry(db, Kind::Machine, sjis("X1シリーズ"), sink);
    x1.defaultMedia = sjis(answer == MessageAnswer::No ? "3.5インチ フロッピー" : "MSX カートリッジ");
    ASSERT_EQ(saveEntry(db, Kind::Machine, x1, x1.name, paths.programFolder, sink), SaveOutcome::Saved);
    EXPECT_EQ(shown(), Lines{"|ライブラリ中の「X1シリーズ」のメディア情報も\n「" + sjisToUtf8(x1.defaultMedia) +
                             "」に更新しますか？"});
  }
  EXPECT_EQ(rows("SELECT media_name FROM main_table;"), Lines{"MSX カートリッジ"});
}

// The images' media cannot follow: the save stops there, before the emulator
// settings are moved and the machines renumbered, and stays open (Failed).
TEST_F(MasterTablesTest, AFailedMediaUpdateOfTheImagesStopsTheSave) {
  const std::string emuconf = temp.file("emuconf");
  ASSERT_TRUE(platform::createFolder(emuconf));
  ASSERT_TRUE(platform::createFolder(platform::joinPath(emuconf, sjis("X1シリーズ"))));
  run({"INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, media_name) VALUES "
       "('a.d88','a','d88','X1シリーズ','A','5.25インチ フロッピー');",
       "CREATE TRIGGER refuse BEFORE UPDATE OF media_name ON main_table BEGIN SELECT RAISE(ABORT, 'refused'); END;",
       "UPDATE machine_info_table SET machine_num=99 WHERE machine='X1シリーズ';"});
  Entry x1 = *loadEntry(db, Kind::Machine, sjis("X1シリーズ"), sink);
  x1.name = sjis("AAA");
  x1.defaultMedia = sjis("MSX カートリッジ");
  sink.clear();
  EXPECT_EQ(saveEntry(db, Kind::Machine, x1, sjis("X1シリーズ"), paths.programFolder, sink), SaveOutcome::Failed);
  EXPECT_EQ(shown(), (Lines{"|ライブラリ中の「AAA」のメディア情報も\n「MSX カートリッジ」に更新しますか？",
                            "DBエラー|メインテーブルをアップデートできませんでした。\nrefused"}));
  EXPECT_EQ(rows("SELECT media_name FROM main_table;"), Lines{"5.25インチ フロッピー"});
  EXPECT_TRUE(platform::folderExists(platform::joinPath(emuconf, sjis("X1シリーズ"))));
  EXPECT_FALSE(platform::folderExists(platform::joinPath(emuconf, "AAA")));
  EXPECT_EQ(rows("SELECT machine_num FROM machine_info_table WHERE machine='AAA';"), Lines{"99"});
}

TEST_F(MasterTablesTest, RenamesCascadeThroughTheTriggers) {
  run({"INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, media_name, genre_name) VALUES "
       "('a.nes','a','nes','ファミコン','A','ファミコン カセット','パズル');",
       "INSERT INTO spec_table(pfile_sc, adultex_name) VALUES('a.nes','全年齢');"});
  ASSERT_EQ(save(Kind::Media, "ROM'カセット", "ファミコン カセット"), SaveOutcome::Saved);
  ASSERT_EQ(save(Kind::Genre, "パズル'", "パズル"), SaveOutcome::Saved);
  ASSERT_EQ(save(Kind::Adultex, "全年齢'", "全年齢"), SaveOutcome::Saved);
  EXPECT_EQ(rows("SELECT media_name, genre_name, adultex_name FROM main_table JOIN spec_table ON file_name=pfile_sc;"),
            Lines{"ROM'カセット|パズル'|全年齢'"});
  EXPECT_EQ(rows("SELECT machine FROM machine_info_table WHERE default_media='ROM''カセット';"), Lines{"ファミコン"});
}

TEST_F(MasterTablesTest, DeleteAsksThenRemovesAndRenumbers) {
  run({"INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES "
       "('a.nes','a','nes','ファミコン','A');"});
  sink.setAnswer(MessageAnswer::No);
  EXPECT_FALSE(removeEntry(db, Kind::Machine, sjis("ファミコン"), sink));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM machine_info_table;"), Lines{"20"});
  EXPECT_EQ(shown(), Lines{"削除確認|「ファミコン」を削除します。\nよろしいですか？"});
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::Question);

  sink.setAnswer(MessageAnswer::Yes);
  EXPECT_TRUE(removeEntry(db, Kind::Machine, sjis("ファミコン"), sink));
  const Lines names = rows("SELECT machine FROM machine_info_table ORDER BY machine;");
  EXPECT_EQ(names.size(), 19u);
  EXPECT_EQ(numbering(Kind::Machine), inNameOrder(names));
  EXPECT_EQ(rows("SELECT machine_name FROM main_table;"), Lines{"ファミコン"});
}

// The new database's genres are numbered out of name order.
TEST_F(MasterTablesTest, RebuildMasterRenumbersAllFourKinds) {
  run({"UPDATE machine_info_table SET machine_num=7;", "UPDATE adultex_info_table SET adultex_num=0;"});
  renumberAll(db, sink);
  EXPECT_EQ(shown(), Lines{"|マスタ管理の連番処理を行います"});
  for (Kind kind : kAllKinds) {
    const std::string w(word(kind));
    EXPECT_EQ(numbering(kind), inNameOrder(rows("SELECT " + w + " FROM " + tableOf(kind) + " ORDER BY " + w + ";")))
        << w;
  }
}

TEST_F(MasterTablesTest, IconSlotsTellDefaultFileAndMissing) {
  const std::string icon = temp.file("ok.bmp");
  ASSERT_TRUE(qm::test::writeFile(icon, "BM"));
  run({"UPDATE adultex_info_table SET adultex_icon='' WHERE adultex_num=1;",
       "UPDATE adultex_info_table SET adultex_icon='" + text::sjisToUtf8(icon) + "' WHERE adultex_num=2;",
       "UPDATE adultex_info_table SET adultex_icon='" + text::sjisToUtf8(temp.path()) + "' WHERE adultex_num=3;"});
  const auto slots = iconSlots(db, Kind::Adultex, sink);
  ASSERT_TRUE(slots);
  std::vector<IconSource> sources;
  for (const IconSlot& slot : *slots) sources.push_back(slot.source);
  using enum IconSource;
  EXPECT_EQ(sources, (std::vector<IconSource>{Default, Default, File, Missing, Missing, Missing, Missing, Missing,
                                              Missing}));
  EXPECT_EQ(sjisToUtf8((*slots)[2].name), "12才以上");
  EXPECT_EQ((*slots)[2].path, icon);
}

// Database failures come with the table's error and the step's own text.
TEST_F(MasterTablesTest, DatabaseFailuresAreReported) {
  run({"DROP TABLE genre_info_table;"});
  const std::string error = "no such table: genre_info_table";
  EXPECT_FALSE(listNames(db, Kind::Genre, sink));
  EXPECT_FALSE(mayAdd(db, Kind::Genre, sink));
  EXPECT_FALSE(loadEntry(db, Kind::Genre, sjis("パズル"), sink));
  EXPECT_EQ(save(Kind::Genre, "新"), SaveOutcome::Failed);
  EXPECT_FALSE(renumber(db, Kind::Genre, sink));
  EXPECT_FALSE(iconSlots(db, Kind::Genre, sink));
  EXPECT_EQ(shown(), (Lines{"DBエラー| 管理テーブルを参照できません。\n" + error,
                            "DBエラー|管理テーブルを参照できませんでした。\n" + error,
                            "DBエラー|既存情報を読み込めませんでした。\n新規追加扱いになります。\n" + error,
                            "DBエラー|ジャンル管理レコードを挿入できませんでした。\n" + error,
                            "genre|管理テーブルを参照できませんでした。（管理番号ソート）\n" + error,
                            "DBエラー|ジャンル管理テーブル参照エラー\n" + error}));
}

}  // namespace
}  // namespace qm::master
