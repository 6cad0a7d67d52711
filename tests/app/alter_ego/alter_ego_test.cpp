#include "app/alter_ego/alter_ego.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::alter_ego::AlterEgoItem;
using qm::alter_ego::FolderFields;
using qm::platform::MessageAnswer;
using qm::text::sjis;
using Strings = std::vector<std::string>;

TEST(AlterEgoFolder, ProposesMachineAndImageNameWithoutBlanks) {
  const struct {
    std::string machine, key, expected;
  } cases[] = {
      {"X1", "/roms/Star Quest (J).rom", "X1_StarQuest(J)"},
      {"X1", "/roms/a.zip*disk/Star Quest.d88", "X1_StarQuest"},
      {"PC 98", "/roms/ゲーム　その１.d88", "PC98_ゲームその１"},
      {"A:B", "/roms/x.y.rom", "AB_xy"},
      {"表", "/roms/name.rom", "表_name"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::text::sjisToUtf8(qm::alter_ego::proposeSubfolder(sjis(c.machine), sjis(c.key))), c.expected) << c.key;
}

TEST(AlterEgoFolder, RefusesBadFieldsWithTheirMessages) {
  qm::test::RecordingSink sink;
  const std::string base = "/base/";
  const struct {
    FolderFields fields;
    const char* message;
  } cases[] = {
      {{"/b", "sub"}, "ベースフォルダを指定してください。"},
      {{base, ""}, "サブフォルダ名を入力してください。"},
      {{base, "a|b"}, "サブフォルダに使用不可な文字が含まれています。"},
      {{base, "CON"}, "サブフォルダに使用不可な文字が含まれています。"},
      {{base, std::string(204, 'x')}, "フォルダパスが長すぎます。"},
  };
  for (const auto& c : cases) {
    sink.clear();
    EXPECT_FALSE(qm::alter_ego::checkedFolder(c.fields, sink));
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(qm::test::boxes(sink), (Strings{std::string("中止|") + c.message}));
  }
  // 6 + 203 bytes and the separator make the longest path taken.
  EXPECT_EQ(qm::alter_ego::checkedFolder({base, std::string(203, 'x')}, sink), "/base/" + std::string(203, 'x'));
}

TEST(AlterEgoFolder, OpensOnTheRecordedFolderOrTheDefault) {
  qm::test::TempFolder folder;
  const auto recorded = qm::alter_ego::openingFields(std::string("/ego/base/X1_game/game.rom"), "", "X1", "/r/g.rom");
  EXPECT_EQ(recorded.baseFolder, std::string("/ego/base") + qm::platform::kPathSeparator);
  EXPECT_EQ(recorded.subfolder, "X1_game");
  const auto fresh = qm::alter_ego::openingFields(std::nullopt, folder.path(), "X1", "/r/g.rom");
  EXPECT_EQ(fresh.baseFolder, folder.path() + qm::platform::kPathSeparator);
  EXPECT_EQ(fresh.subfolder, "X1_g");
  EXPECT_EQ(qm::alter_ego::openingFields(std::nullopt, folder.file("gone"), "X1", "/r/g.rom").baseFolder, "");
}

class AlterEgoTest : public qm::test::MaintenanceTest {
protected:
  AlterEgoTest() {
    qm::platform::createFolder(pathOf("roms"));
    qm::platform::createFolder(pathOf("egos"));
  }
  std::string rom(const std::string& name, const std::string& bytes = "data") {
    const std::string path = pathOf("roms/" + name);
    EXPECT_TRUE(qm::test::writeFile(path, bytes));
    return path;
  }
  bool create(const std::string& key, const std::string& sub = "X1_set") {
    const auto item = qm::alter_ego::readAlterEgoItem(dbPath, key);
    EXPECT_TRUE(item);
    return qm::alter_ego::createAlterEgo(dbPath, *item, {pathOf("egos") + qm::platform::kPathSeparator, sub}, sink);
  }
  Strings egoRows() { return rows("SELECT pfile_ae, ae_file, alter_ego, ply_pfile_ae FROM alter_ego_table ORDER BY alter_ego;"); }
  Strings egoFiles(const std::string& sub = "X1_set") { return qm::test::listFolder(pathOf("egos/" + sub)); }
};

TEST_F(AlterEgoTest, CopiesEveryDiskOfASetAndRecordsThemInOrder) {
  const std::string parent = rom("game1.d88", "one");
  addImage(parent, "X1", "game", 1);
  const std::string zip = pathOf("roms/disks.zip");
  ASSERT_TRUE(qm::test::writeFile(zip, qm::test::storedZip({{"sub/game3.d88", "three"}})));
  addImage(zip + "*sub/game3.d88", "X1", "game", 3, parent);
  addImage(rom("game2.d88", "two"), "X1", "game", 2, parent);
  ASSERT_TRUE(create(parent));
  const std::string folder = qm::platform::joinPath(pathOf("egos"), "X1_set") + qm::platform::kPathSeparator;
  EXPECT_EQ(egoRows(), (Strings{parent + "|" + folder + "game1.d88|1|",
                                pathOf("roms/game2.d88") + "|" + folder + "game2.d88|2|" + parent,
                                zip + "*sub/game3.d88|" + folder + "game3.d88|3|" + parent}));
  EXPECT_EQ(qm::test::readFile(folder + "game3.d88"), "three");
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"|分身を作成しました。"}));
}

TEST_F(AlterEgoTest, AnExistingFolderIsLeftAlone) {
  addImage(rom("game.rom"), "X1", "game");
  qm::platform::createFolder(pathOf("egos/X1_set"));
  ASSERT_TRUE(qm::test::writeFile(pathOf("egos/X1_set/mine.txt"), "mine"));
  EXPECT_FALSE(create(pathOf("roms/game.rom")));
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"中止|既に同名のフォルダが存在しているようです。"}));
  EXPECT_EQ(egoFiles(), (Strings{"mine.txt"}));
  EXPECT_TRUE(egoRows().empty());
}

// Every way creation can fail half-way leaves no copy, no folder and no row.
TEST_F(AlterEgoTest, FailingHalfWayLeavesNothingBehind) {
  const std::string parent = rom("p.d88");
  addImage(parent, "X1", "p", 1);
  addImage(rom("q.d88"), "X1", "p", 2, parent);
  const struct {
    const char* name;
    std::function<void()> arrange;
    const char* box;
  } cases[] = {
      {"a child is missing", [&] { addImage(pathOf("roms/gone.d88"), "X1", "p", 3, parent); },
       "中止|子イメージのコピー又は解凍が出来ませんでした。"},
      {"two disks share a name", [&] {
         qm::platform::createFolder(pathOf("roms/b"));
         ASSERT_TRUE(qm::test::writeFile(pathOf("roms/b/p.d88"), "other"));
         execute("UPDATE main_table SET file_name='" + pathOf("roms/b/p.d88") + "' WHERE ply=3;");
       }, "中止|子イメージのコピー又は解凍が出来ませんでした。"},
      {"an insert fails", [&] {
         execute("DELETE FROM main_table WHERE ply=3;");
         execute("CREATE TRIGGER refuse BEFORE INSERT ON alter_ego_table WHEN new.alter_ego=2 "
                 "BEGIN SELECT RAISE(ABORT, 'no room'); END;");
       }, "中止|分身テーブルに格納できませんでした。\nno room"},
      {"the parent is missing", [&] { execute("UPDATE main_table SET file_name='" + pathOf("roms/none") + "' WHERE ply=1;"); },
       "中止|イメージファイルのコピー又は解凍に失敗しました。"},
  };
  std::string key = parent;
  for (const auto& c : cases) {
    c.arrange();
    if (std::string(c.name) == "the parent is missing") key = pathOf("roms/none");
    sink.clear();
    EXPECT_FALSE(create(key)) << c.name;
    EXPECT_EQ(qm::test::boxes(sink), (Strings{c.box})) << c.name;
    EXPECT_FALSE(qm::platform::fileExists(pathOf("egos/X1_set"))) << c.name;
    EXPECT_TRUE(egoRows().empty()) << c.name;
  }
  EXPECT_EQ(qm::test::listFolder(pathOf("roms")).size(), 3u);  // the originals are untouched
}

TEST_F(AlterEgoTest, RemovalDeletesTheRecordedCopiesAndAnEmptyFolder) {
  const std::string parent = rom("p.d88");
  addImage(parent, "X1", "p", 1);
  addImage(rom("q.d88"), "X1", "p", 2, parent);
  ASSERT_TRUE(create(parent));
  sink.clear();
  EXPECT_TRUE(qm::alter_ego::removeAlterEgo(dbPath, parent, sink));
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"|分身を解除しました。"}));
  EXPECT_FALSE(qm::platform::fileExists(pathOf("egos/X1_set")));
  EXPECT_TRUE(egoRows().empty());
  EXPECT_EQ(qm::test::listFolder(pathOf("roms")), (Strings{"p.d88", "q.d88"}));

  // A save the emulator wrote beside the copies keeps the folder and itself.
  ASSERT_TRUE(create(parent));
  ASSERT_TRUE(qm::test::writeFile(pathOf("egos/X1_set/p.sav"), "save"));
  EXPECT_TRUE(qm::alter_ego::removeAlterEgo(dbPath, parent, sink));
  EXPECT_EQ(egoFiles(), (Strings{"p.sav"}));
  EXPECT_TRUE(egoRows().empty());
}

// A copy's row that names a library image, or the library itself, deletes
// nothing of the user's: those are kept and named; the rest goes as usual.
TEST_F(AlterEgoTest, RemovalKeepsWhatTheLibraryHolds) {
  const std::string key = rom("g.rom");
  addImage(key, "X1", "g");
  ASSERT_TRUE(create(key));
  const std::string copy = pathOf("egos/X1_set/g.rom");
  const std::string image = pathOf("roms/../roms/g.rom");
  execute("INSERT INTO alter_ego_table(pfile_ae, ae_file, alter_ego, ply_pfile_ae) VALUES "
          "('c2', '" + image + "', 2, '" + key + "'), ('c3', '" + dbPath + "', 3, '" + key + "');");
  sink.clear();
  EXPECT_TRUE(qm::alter_ego::removeAlterEgo(dbPath, key, sink));
  EXPECT_EQ(qm::test::boxes(sink),
            (Strings{"|ライブラリのファイルのため削除しませんでした。\n" + image,
                     "|ライブラリのファイルのため削除しませんでした。\n" + dbPath, "|分身を解除しました。"}));
  EXPECT_FALSE(qm::platform::fileExists(copy));
  EXPECT_TRUE(qm::platform::fileExists(key));
  EXPECT_TRUE(qm::platform::fileExists(dbPath));
  EXPECT_TRUE(egoRows().empty());
}

TEST_F(AlterEgoTest, RemovalAfterTheFolderWentAsksFirst) {
  const std::string key = rom("g.rom");
  addImage(key, "X1", "g");
  ASSERT_TRUE(create(key));
  qm::platform::deleteFile(pathOf("egos/X1_set/g.rom"));
  qm::platform::removeEmptyFolder(pathOf("egos/X1_set"));
  sink.clear();
  sink.setAnswer(MessageAnswer::No);
  EXPECT_FALSE(qm::alter_ego::removeAlterEgo(dbPath, key, sink));
  EXPECT_EQ(qm::test::boxes(sink),
            (Strings{"確認|分身作成先フォルダを削除できませんでした。\n既に削除されている可能性があります。\n\n"
                     "データベースの分身情報も削除しますか？"}));
  EXPECT_EQ(egoRows().size(), 1u);
  sink.setAnswer(MessageAnswer::Yes);
  EXPECT_TRUE(qm::alter_ego::removeAlterEgo(dbPath, key, sink));
  EXPECT_TRUE(egoRows().empty());
}

}  // namespace
