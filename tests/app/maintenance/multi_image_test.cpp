#include "app/maintenance/multi_image.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"

namespace {

using qm::maintenance::SetItem;
using qm::platform::MessageAnswer;
using qm::text::sjis;
using Strings = std::vector<std::string>;

class MultiImageTest : public qm::test::MaintenanceTest {
protected:
  // The item as the list would hand it over.
  SetItem item(const std::string& key) {
    auto found = qm::maintenance::readSetItems(dbPath, {key});
    EXPECT_EQ(found.items.size(), 1u) << key;
    return found.items.empty() ? SetItem{} : found.items[0];
  }
  std::vector<SetItem> items(const Strings& keys) {
    std::vector<SetItem> out;
    for (const auto& key : keys) out.push_back(item(key));
    return out;
  }
  Strings sets() { return rows("SELECT file_name, ply, ply_file_name FROM main_table ORDER BY file_name;"); }
  Strings maxDisk() { return rows("SELECT * FROM tmp_maxdisk ORDER BY 1;"); }
  // Updates (or deletes) of `key` fail from now on.
  void refuseWrites(const std::string& key, const char* event = "UPDATE") {
    execute(std::string("CREATE TRIGGER refuse_") + event + " BEFORE " + event +
            " ON main_table WHEN old.file_name='" + key + "' BEGIN SELECT RAISE(ABORT, 'refused " + key + "'); END;");
  }
  qm::maintenance::SetOutcome join(const std::string& target, const Strings& dropped) {
    return qm::maintenance::joinIntoSet(dbPath, item(target), items(dropped), sink);
  }
};

TEST_F(MultiImageTest, DroppingOntoASingleMakesItTheParent) {
  addImage("T", "PC98", "t");
  addImage("A", "PC98", "a");
  addImage("B", "PC98", "b");
  auto outcome = join("T", {"B", "A"});
  EXPECT_TRUE(outcome.ran);
  EXPECT_FALSE(outcome.failed);
  // Numbered in list order, not by name.
  EXPECT_EQ(sets(), (Strings{"A|3|T", "B|2|T", "T|1|"}));
  EXPECT_EQ(maxDisk(), (Strings{"T|3"}));
  EXPECT_TRUE(sink.messages().empty());
}

TEST_F(MultiImageTest, DroppingOntoAParentAppendsAfterItsLastChild) {
  addImage("P", "PC98", "p", 1);
  addImage("P2", "PC98", "p", 2, "P");
  addImage("P3", "PC98", "p", 3, "P");
  addImage("X", "PC98", "x");
  addImage("Y", "PC98", "y");
  EXPECT_TRUE(join("P", {"X", "Y"}).ran);
  EXPECT_EQ(sets(), (Strings{"P|1|", "P2|2|P", "P3|3|P", "X|4|P", "Y|5|P"}));
  EXPECT_EQ(maxDisk(), (Strings{"P|5"}));
}

TEST_F(MultiImageTest, AParentWithoutChildrenNumbersFromTwo) {
  addImage("P", "PC98", "p", 1);
  addImage("X", "PC98", "x");
  EXPECT_TRUE(join("P", {"X"}).ran);
  EXPECT_EQ(sets(), (Strings{"P|1|", "X|2|P"}));
}

TEST_F(MultiImageTest, RefusedDropsChangeNothing) {
  addImage("Single", "PC98", "s");
  addImage("Ego", "PC98", "e");
  addImage("P", "PC98", "p", 1);
  addImage("P2", "PC98", "p", 2, "P");
  addImage("Other", "PC98", "o");
  execute("INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego) VALUES('Ego', 'copy', 1);");
  const struct {
    std::string target;
    Strings dropped;
    const char* message;
  } cases[] = {
      {"Ego", {"Single"}, "分身起動アイテムへはドロップできません。"},
      {"P2", {"Single"}, "子イメージへは結合できません"},
      {"Single", {"Other", "P"},
       "複数イメージ状態のアイテムは、他と結合できません。\n複数イメージ状態を解除してから結合してください。"},
      {"Single", {"P2"},
       "複数イメージ状態のアイテムは、他と結合できません。\n複数イメージ状態を解除してから結合してください。"},
  };
  const Strings before = sets();
  for (const auto& c : cases) {
    sink.clear();
    EXPECT_FALSE(join(c.target, c.dropped).ran) << c.target;
    EXPECT_EQ(qm::test::boxes(sink), (Strings{std::string("|") + c.message})) << c.target;
    EXPECT_EQ(sink.messages()[0].icon, qm::platform::MessageIcon::Information);
  }
  EXPECT_EQ(sets(), before);
}

TEST_F(MultiImageTest, AnotherMachineAsksOnceAndNoKeepsEverything) {
  addImage("T", "PC98", "t");
  addImage("A", "MSX", "a");
  addImage("B", "X68000", "b");
  sink.setAnswer(MessageAnswer::No);
  EXPECT_FALSE(join("T", {"A", "B"}).ran);
  EXPECT_EQ(qm::test::boxes(sink),
            (Strings{"|異なる機種のイメージを複数イメージにしようとしています。\n複数イメージに設定しますか？"}));
  EXPECT_EQ(sets(), (Strings{"A|0|", "B|0|", "T|0|"}));

  sink.clear();
  sink.setAnswer(MessageAnswer::Yes);
  EXPECT_TRUE(join("T", {"A", "B"}).ran);
  EXPECT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(sets(), (Strings{"A|2|T", "B|3|T", "T|1|"}));
}

TEST_F(MultiImageTest, TheTargetAmongTheDroppedIsLeftOut) {
  addImage("A", "PC98", "a");
  addImage("T", "PC98", "t");
  addImage("B", "PC98", "b");
  EXPECT_TRUE(join("T", {"A", "T", "B"}).ran);
  EXPECT_EQ(sets(), (Strings{"A|2|T", "B|3|T", "T|1|"}));
  // Dropping a set's parent with new items onto itself passes the checks too.
  addImage("C", "PC98", "c");
  EXPECT_TRUE(join("T", {"T", "C"}).ran);
  EXPECT_EQ(sets(), (Strings{"A|2|T", "B|3|T", "C|4|T", "T|1|"}));
  // Dropping only the target onto itself does nothing.
  EXPECT_FALSE(join("C", {"C"}).ran);
}

TEST_F(MultiImageTest, AnyFailedUpdateRollsTheWholeJoinBack) {
  addImage("T", "PC98", "t");
  addImage("A", "PC98", "a");
  addImage("B", "PC98", "b");
  addImage("C", "PC98", "c");
  refuseWrites("B");
  // B fails in the middle; C after it succeeds, and the walk goes on to it.
  auto outcome = join("T", {"A", "B", "C"});
  EXPECT_TRUE(outcome.ran);
  EXPECT_TRUE(outcome.failed);
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"DBエラー|メインテーブルを更新できませんでした。\nrefused B"}));
  EXPECT_EQ(sets(), (Strings{"A|0|", "B|0|", "C|0|", "T|0|"}));
  EXPECT_TRUE(maxDisk().empty());
}

TEST_F(MultiImageTest, AFailingTargetUpdateWritesNoChild) {
  addImage("T", "PC98", "t");
  addImage("A", "PC98", "a");
  refuseWrites("T");
  EXPECT_TRUE(join("T", {"A"}).failed);
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"DBエラー|メインテーブルを更新できませんでした。\nrefused T"}));
  EXPECT_EQ(sets(), (Strings{"A|0|", "T|0|"}));
}

TEST_F(MultiImageTest, QuotesInKeysAreDoubled) {
  addImage("C:\\it's\\1.d88", "PC98", "t");
  addImage("C:\\it's\\2.d88", "PC98", "t");
  EXPECT_FALSE(join("C:\\it's\\1.d88", {"C:\\it's\\2.d88"}).failed);
  EXPECT_EQ(maxDisk(), (Strings{"C:\\it's\\1.d88|2"}));
}

TEST_F(MultiImageTest, DissolvingMakesEverySetMemberASingle) {
  addImage("P", "PC98", "p", 1);
  for (const char* child : {"P2", "P3", "P4"}) addImage(child, "PC98", "p", child[1] - '0', "P");
  addImage("Q", "PC98", "q", 1);
  addImage("Q2", "PC98", "q", 2, "Q");
  execute("INSERT INTO tmp_maxdisk VALUES('stale', 9);");
  EXPECT_TRUE(qm::maintenance::dissolveSet(dbPath, item("P"), sink).ran);
  EXPECT_EQ(sets(), (Strings{"P|0|", "P2|0|", "P3|0|", "P4|0|", "Q|1|", "Q2|2|Q"}));
  // Rebuilt from scratch.
  EXPECT_EQ(maxDisk(), (Strings{"Q|2"}));
  EXPECT_TRUE(sink.messages().empty());
  // A single or a child is not a set to dissolve.
  EXPECT_FALSE(qm::maintenance::dissolveSet(dbPath, item("Q2"), sink).ran);
  EXPECT_FALSE(qm::maintenance::dissolveSet(dbPath, item("P"), sink).ran);
}

TEST_F(MultiImageTest, AnAlterEgoParentIsNotDissolved) {
  addImage("P", "PC98", "p", 1);
  addImage("P2", "PC98", "p", 2, "P");
  execute("INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego) VALUES('P', 'copy', 1);");
  EXPECT_FALSE(qm::maintenance::dissolveSet(dbPath, item("P"), sink).ran);
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"|分身起動アイテムは複数ディスク状態を解除できません。\n"
                                            "分身を解除してから再度複数ディスク状態を解除して下さい。"}));
  EXPECT_EQ(sets(), (Strings{"P|1|", "P2|2|P"}));
}

TEST_F(MultiImageTest, RemovalTakesAParentsChildrenButAChildAlone) {
  addImage("P", "PC98", "p", 1);
  addImage("P2", "PC98", "p", 2, "P");
  addImage("P3", "PC98", "p", 3, "P");
  addImage("Q", "PC98", "q", 1);
  addImage("Q2", "PC98", "q", 2, "Q");
  addImage("S", "PC98", "s");
  execute("INSERT INTO memo_table(pfile_mm, memo) VALUES('P2', 'note');");
  auto outcome = qm::maintenance::removeFromLibrary(dbPath, items({"P", "Q2"}), sink);
  EXPECT_TRUE(outcome.ran);
  EXPECT_FALSE(outcome.failed);
  EXPECT_EQ(qm::test::boxes(sink),
            (Strings{"確認|選択された項目をライブラリから削除します\n（実際のファイルは削除されません）\nよろしいですか？"}));
  EXPECT_EQ(sets(), (Strings{"Q|1|", "S|0|"}));
  EXPECT_TRUE(maxDisk().empty());
  EXPECT_TRUE(rows("SELECT * FROM memo_table;").empty());
}

TEST_F(MultiImageTest, RemovalDeclinedOrEmptyDoesNothing) {
  addImage("S", "PC98", "s");
  EXPECT_FALSE(qm::maintenance::removeFromLibrary(dbPath, {}, sink).ran);
  EXPECT_TRUE(sink.messages().empty());
  sink.setAnswer(MessageAnswer::No);
  EXPECT_FALSE(qm::maintenance::removeFromLibrary(dbPath, items({"S"}), sink).ran);
  EXPECT_EQ(sets(), (Strings{"S|0|"}));
}

TEST_F(MultiImageTest, RemovalKeepsWhatWentAndReportsTheLastFailure) {
  addImage("A", "PC98", "a");
  addImage("B", "PC98", "b");
  addImage("C", "PC98", "c");
  refuseWrites("B", "DELETE");
  auto outcome = qm::maintenance::removeFromLibrary(dbPath, items({"A", "B", "C"}), sink);
  EXPECT_TRUE(outcome.failed);
  // The error text is the failed statement's, though the last one succeeded.
  EXPECT_EQ(qm::test::boxes(sink).back(), "DBエラー|いくつかのイメージの削除に失敗しました。\nrefused B");
  EXPECT_EQ(sets(), (Strings{"B|0|"}));
}

TEST_F(MultiImageTest, ReadingItemsFindsAlterEgosAndMissingKeys) {
  addImage("A", "PC98", "a");
  addImage("P", "MSX", "p", 1);
  execute("INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego) VALUES('P', 'copy', 1);");
  auto found = qm::maintenance::readSetItems(dbPath, {"P", "nothing", "A"});
  ASSERT_EQ(found.items.size(), 2u);
  EXPECT_EQ(found.items[0].machineName, "MSX");
  EXPECT_EQ(found.items[0].ply, "1");
  EXPECT_EQ(found.items[0].alterEgo, "1");
  EXPECT_EQ(found.items[1].alterEgo, "");
  EXPECT_EQ(found.missing, (Strings{"nothing"}));
}

}  // namespace
