#include "app/library_moves/column_replace.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "dblib/schema.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

using qm::maintenance::MachineChoice;
using qm::maintenance::RunStatus;
using qm::platform::MessageAnswer;
using qm::text::sjis;
using Strings = std::vector<std::string>;

class ColumnReplaceTest : public qm::test::MaintenanceTest {
protected:
  // Every side table holds rows of the image (the associated files two).
  void addWithSideRows(const std::string& key, const std::string& machine, int ply = 0,
                       const std::string& parent = "") {
    addImage(key, machine, "t " + key, ply, parent);
    const std::string k = "'" + key + "'";
    for (const auto& side : qm::dblib::sideTableKeys()) {
      const std::string table = side.table;
      std::string sql = "INSERT INTO " + table + "(" + side.key + (table == "alter_ego_table" ? ", ply_pfile_ae" : "");
      sql += table == "associate_file_table" ? ", as_file_name) VALUES(" + k + ", 'a1'), (" + k + ", 'a2');"
             : table == "memo_table"         ? ", memo) VALUES(" + k + ", 'm');"
             : table == "creator_table"      ? ", creator) VALUES(" + k + ", 'c');"
             : table == "alter_ego_table"    ? ") VALUES(" + k + ", '" + parent + "');"
                                             : ") VALUES(" + k + ");";
      execute(sql);
    }
    ++images_;
  }

  // A set across two machines, a member of an archive, a single elsewhere.
  void addLibrary(const std::string& root) {
    addWithSideRows(root + "p.d88", "PC98", 1);
    addWithSideRows(root + "p2.d88", "PC98", 2, root + "p.d88");
    addWithSideRows(root + "p3.d88", "X1", 3, root + "p.d88");
    addWithSideRows(root + "arc.zip*s.d88", "PC98");
    addWithSideRows("E:/other/x.d88", "X1");
    execute("INSERT INTO tmp_maxdisk VALUES('" + root + "p.d88', 3);");
  }

  qm::maintenance::RunResult replace(int column, const std::string& from, const std::string& to,
                                     MachineChoice machine = MachineChoice::everyMachine()) {
    return qm::moves::replaceValues(context(), {std::move(machine), column, from, to});
  }
  Strings listing(int column, const std::string& from, const std::string& to,
                  MachineChoice machine = MachineChoice::everyMachine()) {
    observer.lines.clear();
    qm::moves::listReplacements(context(), {std::move(machine), column, from, to});
    return observer.lines;
  }
  Strings keys() { return rows("SELECT file_name, ply, ply_file_name FROM main_table ORDER BY file_name;"); }
  Strings aliasLinks() { return rows("SELECT pfile_ae, ply_pfile_ae FROM alter_ego_table ORDER BY 1;"); }
  std::string count(const std::string& sql) {
    const Strings found = rows(sql);
    return found.empty() ? "" : found[0];
  }

  // Every side row joins its image, and every set link names an image.
  void expectLibraryHolds() {
    for (const auto& side : qm::dblib::sideTableKeys()) {
      const std::string table = side.table;
      const int per = table == "associate_file_table" ? 2 : 1;
      EXPECT_EQ(count("SELECT count(*) FROM main_table JOIN " + table + " ON file_name=" + side.key + ";"),
                std::to_string(images_ * per))
          << table;
      EXPECT_EQ(count("SELECT count(*) FROM " + table + ";"), std::to_string(images_ * per)) << table;
    }
    EXPECT_EQ(count("SELECT count(*) FROM main_table WHERE ply>1 AND ply_file_name NOT IN "
                    "(SELECT file_name FROM main_table);"),
              "0");
    EXPECT_EQ(count("SELECT count(*) FROM alter_ego_table WHERE ply_pfile_ae<>'' AND ply_pfile_ae NOT IN "
                    "(SELECT file_name FROM main_table);"),
              "0");
    EXPECT_EQ(count("SELECT count(*) FROM tmp_maxdisk JOIN main_table ON pfile_md_tmp=file_name WHERE ply=1;"),
              count("SELECT count(*) FROM main_table WHERE ply=1;"));
  }

  // The boxes other than the replacement's question, "caption|text" in UTF-8.
  Strings notices() {
    Strings out;
    for (const auto& box : sink.messages())
      if (box.buttons == qm::platform::MessageButtons::Ok)
        out.push_back(qm::text::sjisToUtf8(box.caption) + "|" + qm::text::sjisToUtf8(box.text));
    return out;
  }

  int images_ = 0;
};

TEST_F(ColumnReplaceTest, ADrivePrefixMovesEverythingAndBackTwice) {
  addLibrary("D:/roms/");
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(replace(0, "D:/roms/", "F:/games/").status, RunStatus::Completed);
    EXPECT_EQ(keys(), (Strings{"E:/other/x.d88|0|", "F:/games/arc.zip*s.d88|0|", "F:/games/p.d88|1|",
                               "F:/games/p2.d88|2|F:/games/p.d88", "F:/games/p3.d88|3|F:/games/p.d88"}));
    expectLibraryHolds();
    EXPECT_EQ(replace(0, "F:/games/", "D:/roms/").status, RunStatus::Completed);
    EXPECT_EQ(count("SELECT count(*) FROM main_table WHERE file_name LIKE 'D:/roms/%';"), "4");
    expectLibraryHolds();
  }
  EXPECT_EQ(notices(), Strings{});
  EXPECT_EQ(count("SELECT count(*) FROM sqlite_master WHERE name='update_main_pkey';"), "1");
}

// A replacement that holds the text it replaces moves each side row once,
// although the trigger it leaves behind would carry keys itself.
TEST_F(ColumnReplaceTest, AReplacementHoldingItsSearchTextMovesSideRowsOnce) {
  addLibrary("D:/roms/");
  for (const char* expected : {"D:/roms_old/p.d88", "D:/roms_old_old/p.d88"}) {
    EXPECT_EQ(replace(0, "roms", "roms_old").status, RunStatus::Completed);
    EXPECT_EQ(count("SELECT pfile_mm FROM memo_table WHERE pfile_mm LIKE '%p.d88';"), expected);
    expectLibraryHolds();
  }
  // The trigger the run left carries a rename made elsewhere.
  execute("UPDATE main_table SET file_name='Z:/x.d88' WHERE file_name='E:/other/x.d88';");
  EXPECT_EQ(count("SELECT count(*) FROM favorite_table WHERE pfile_fv='Z:/x.d88';"), "1");
}

TEST_F(ColumnReplaceTest, OneMachineMovesItsKeysAndTheLinksToThemOnly) {
  addLibrary("D:/roms/");
  EXPECT_EQ(replace(0, "D:/roms/", "F:/", MachineChoice::only("PC98")).status, RunStatus::Completed);
  // The X1 disk keeps its key and follows its PC98 parent.
  EXPECT_EQ(keys(), (Strings{"D:/roms/p3.d88|3|F:/p.d88", "E:/other/x.d88|0|", "F:/arc.zip*s.d88|0|",
                             "F:/p.d88|1|", "F:/p2.d88|2|F:/p.d88"}));
  EXPECT_EQ(aliasLinks(), (Strings{"D:/roms/p3.d88|F:/p.d88", "E:/other/x.d88|", "F:/arc.zip*s.d88|",
                                   "F:/p.d88|", "F:/p2.d88|F:/p.d88"}));
  expectLibraryHolds();
  EXPECT_EQ(count("SELECT pfile_md_tmp FROM tmp_maxdisk;"), "F:/p.d88");
}

// "roms" -> "roms2" with both folders in the library: a new key is the old
// key of another moving image.
TEST_F(ColumnReplaceTest, KeysMovingOntoEachOthersOldKeys) {
  addWithSideRows("D:/roms/a.d88", "PC98");
  addWithSideRows("D:/roms2/a.d88", "PC98");
  EXPECT_EQ(replace(0, "roms", "roms2").status, RunStatus::Completed);
  EXPECT_EQ(keys(), (Strings{"D:/roms2/a.d88|0|", "D:/roms22/a.d88|0|"}));
  EXPECT_EQ(rows("SELECT pfile_sc FROM spec_table ORDER BY 1;"), (Strings{"D:/roms2/a.d88", "D:/roms22/a.d88"}));
  expectLibraryHolds();
}

TEST_F(ColumnReplaceTest, ACollisionRollsBackAndNamesTheKey) {
  const std::pair<Strings, std::string> cases[] = {
      {{"D:/a/x.d88", "D:/b/x.d88"}, "D:/b/x.d88"},  // onto an image that stays
      {{"abc", "cab"}, "cc"},                        // two images onto one key
  };
  const std::pair<std::string, std::string> texts[] = {{"D:/a/", "D:/b/"}, {"ab", "c"}};
  for (int k = 0; k < 2; ++k) {
    SCOPED_TRACE(k);
    execute("DELETE FROM main_table;");
    images_ = 0;
    for (const auto& key : cases[k].first) addWithSideRows(key, "PC98");
    const Strings before = keys();
    sink.clear();
    EXPECT_EQ(replace(0, texts[k].first, texts[k].second).status, RunStatus::CommitFailed);
    EXPECT_EQ(keys(), before);
    expectLibraryHolds();
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_NE(notices()[0].find("\n" + cases[k].second + "\n"), std::string::npos);
    EXPECT_EQ(observer.lines.back(), "置換に失敗しました。");
    // The trigger is there after a failed run too.
    EXPECT_EQ(count("SELECT count(*) FROM sqlite_master WHERE name='update_main_pkey';"), "1");
  }
}

TEST_F(ColumnReplaceTest, ANameChangeRemakesTheNameColumns) {
  addImage("D:/roms/game.d88", "PC98", "g");
  addImage("D:/roms/a.zip*dir/x.d88", "PC98", "x");
  EXPECT_EQ(replace(0, "game.d88", "play.fdi").status, RunStatus::Completed);
  EXPECT_EQ(replace(0, "x.d88", "y.2hd").status, RunStatus::Completed);
  EXPECT_EQ(replace(0, "a.zip", "b.lzh").status, RunStatus::Completed);
  EXPECT_EQ(rows("SELECT file_name, file_title, file_ext, file_arc_title, file_arc_ext FROM main_table ORDER BY 1;"),
            (Strings{"D:/roms/b.lzh*dir/y.2hd|b|lzh|y|2hd", "D:/roms/play.fdi|play|fdi||"}));
  // A moved folder leaves the name columns as they were stored.
  EXPECT_EQ(replace(0, "roms", "ROMS").status, RunStatus::Completed);
  EXPECT_EQ(count("SELECT file_title FROM main_table WHERE file_name='D:/ROMS/play.fdi';"), "play");
}

TEST_F(ColumnReplaceTest, RefusedInputsChangeNothing) {
  addLibrary("D:/roms/");
  const Strings before = keys();
  const std::pair<std::string, std::string> cases[] = {
      {"", "X"}, {"", ""}, {"D:/roms/", "D:/roms/"}};
  for (const auto& [from, to] : cases) {
    sink.clear();
    EXPECT_EQ(replace(0, from, to).status, RunStatus::NoMachine);
    EXPECT_EQ(listing(0, from, to), Strings{});
    ASSERT_EQ(sink.messages().size(), 2u);
    EXPECT_EQ(sink.captions()[0], "確認");
    EXPECT_EQ(qm::text::sjisToUtf8(sink.messages()[0].text),
              from.empty() ? "置換前の文字列が空です。\n中止します。" : "置換前と置換後の文字列が同じです。\n中止します。");
  }
  EXPECT_EQ(keys(), before);
  EXPECT_EQ(itemList.emptiedCount, 0);
}

TEST_F(ColumnReplaceTest, DecliningChangesNothingButEmptiesTheList) {
  addLibrary("D:/roms/");
  const Strings before = keys();
  sink.setAnswer(MessageAnswer::No);
  EXPECT_EQ(replace(0, "D:/", "E:/").status, RunStatus::Declined);
  EXPECT_EQ(keys(), before);
  EXPECT_EQ(observer.lines, (Strings{"全ての機種 ： プライマリキー（イメージパス）", "D:/ → E:/",
                                     "以上の条件で置換します。", "中止しました。"}));
  EXPECT_EQ(itemList.emptiedCount, 1);
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(ColumnReplaceTest, AMachineWithoutImagesIsReported) {
  addLibrary("D:/roms/");
  EXPECT_NE(replace(0, "D:/", "E:/", MachineChoice::only("MSX")).status, RunStatus::Completed);
  EXPECT_EQ(qm::test::boxes(sink).back(), "|その機種に登録がありません。\n置換されませんでした。");
  EXPECT_EQ(count("SELECT count(*) FROM main_table WHERE file_name LIKE 'D:/%';"), "4");
  EXPECT_EQ(count("SELECT count(*) FROM sqlite_master WHERE name='update_main_pkey';"), "1");
}

TEST_F(ColumnReplaceTest, OtherColumnsOfOneMachine) {
  addImage("a", "PC98", "t");
  addImage("b", "X1", "t");
  execute("UPDATE main_table SET maker='Soft Co', developer='Soft Dev', kana='ソフト';");
  EXPECT_EQ(replace(1, "Soft", "Hard", MachineChoice::only("PC98")).status, RunStatus::Completed);
  EXPECT_EQ(replace(2, "Dev", "Lab").status, RunStatus::Completed);
  EXPECT_EQ(rows("SELECT file_name, maker, developer, kana FROM main_table ORDER BY 1;"),
            (Strings{"a|Hard Co|Soft Lab|ソフト", "b|Soft Co|Soft Lab|ソフト"}));
  EXPECT_EQ(count("SELECT count(*) FROM sqlite_master WHERE name='update_main_pkey';"), "0");
}

// The listing takes the text as it is: no wildcards, letter case counts.
TEST_F(ColumnReplaceTest, TheTestListingMatchesLiterally) {
  int n = 0;
  for (const char* maker : {"a%b", "a_b", "axb", "A%B", "a%b"}) {
    // Appended, not prefixed: GCC 12 sees a false overlap in "k" + string.
    std::string key("k");
    key += std::to_string(n++);
    addImage(key, "PC98", "t");
    execute("UPDATE main_table SET maker='" + std::string(maker) + "' WHERE file_name='" + key + "';");
  }
  const std::pair<std::string, Strings> cases[] = {
      {"%", {"A%B -> A!B", "a%b -> a!b", "2 パターンのマッチがありました。"}},
      {"_", {"a_b -> a!b", "1 パターンのマッチがありました。"}},
      {"a%", {"a%b -> !b", "1 パターンのマッチがありました。"}},
      {"B", {"A%B -> A%!", "1 パターンのマッチがありました。"}},
      {"z", {"0 パターンのマッチがありました。"}},
  };
  for (const auto& [from, expected] : cases) {
    Strings lines = listing(1, from, "!");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "---置換結果のシミュレーション---");
    lines.erase(lines.begin());
    std::sort(lines.begin(), lines.end() - 1);
    EXPECT_EQ(lines, expected) << from;
  }
  EXPECT_EQ(count("SELECT count(*) FROM main_table WHERE maker LIKE '%!%';"), "0");
}

TEST_F(ColumnReplaceTest, StoppingTheListingSaysSo) {
  for (int k = 0; k < 5; ++k) addImage("D:/k" + std::to_string(k), "PC98", "t");
  stop.store(qm::stop::kAsked);
  const Strings lines = listing(0, "D:/", "E:/");
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.back(), "ユーザーからの要求でリストアップを中断しました");
}

TEST(ColumnChoices, NamesAndTexts) {
  const std::pair<const char*, const char*> cases[] = {{"file_name", "プライマリキー（イメージパス）"},
                                                        {"maker", "メーカー"},
                                                        {"developer", "開発元"},
                                                        {"version", "バージョン/コメント"},
                                                        {"country", "国"}};
  for (int k = 0; k < qm::moves::kColumnCount; ++k) {
    EXPECT_STREQ(qm::moves::columnName(k), cases[k].first);
    EXPECT_EQ(qm::moves::columnChoiceText(k), sjis(cases[k].second));
    EXPECT_EQ(qm::moves::columnChoiceOf(cases[k].first), k);
    EXPECT_EQ(qm::moves::columnChoiceOf(sjis(cases[k].second)), k);
  }
  EXPECT_EQ(qm::moves::columnChoiceOf("title"), -1);
}

}  // namespace
