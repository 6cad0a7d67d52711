#include "app/sync/folder_sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/schema.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/app/renamedata/stored_zip.h"
#include "tests/support/file_bytes.h"

namespace {

using qm::maintenance::RunStatus;
using Strings = std::vector<std::string>;
using Renames = std::map<std::string, std::string>;
using Dump = std::map<std::string, std::multiset<std::string>>;
namespace fs = std::filesystem;

// The real file system, but for files that answer as unreadable.
class RefusingProbe : public qm::maintenance::SystemFileProbe {
public:
  qm::maintenance::PathLook look(const std::string& path) override {
    if (refused.contains(path)) return {qm::maintenance::PathState::Unreadable, "denied"};
    return SystemFileProbe::look(path);
  }
  std::set<std::string> refused;
};

// Bytes that tell each image apart, of a length that does too.
std::string bytesOf(const std::string& name) {
  std::string bytes;
  for (std::size_t i = 0; i < 10 + name.size(); ++i) bytes += "disk " + name + ";";
  return bytes;
}

// The rows one dump has and the other lacks, "-table: row" for rows gone and
// "+table: row" for rows that came.
Strings differences(const Dump& before, const Dump& after) {
  Strings out;
  std::set<std::string> tables;
  for (const auto& [table, rows] : before) tables.insert(table);
  for (const auto& [table, rows] : after) tables.insert(table);
  const std::multiset<std::string> none;
  for (const std::string& table : tables) {
    const auto& was = before.contains(table) ? before.at(table) : none;
    const auto& is = after.contains(table) ? after.at(table) : none;
    for (const std::string& row : was)
      if (!is.contains(row)) out.push_back("-" + table + ": " + row);
    for (const std::string& row : is)
      if (!was.contains(row)) out.push_back("+" + table + ": " + row);
  }
  return out;
}

class FolderSyncTest : public qm::test::MaintenanceTest {
protected:
  FolderSyncTest() {
    execute("INSERT INTO machine_info_table(machine, search_ext) VALUES('SYNC', '.D88;.FDI');");
    fs::create_directories(root);
  }

  // A path under the tree, written with "/" in the test and the platform's
  // separator in the key.
  std::string at(std::string relative) const {
    std::replace(relative.begin(), relative.end(), '/', qm::platform::kPathSeparator);
    return root + qm::platform::kPathSeparator + relative;
  }
  void put(const std::string& relative, const std::string& bytes) {
    fs::create_directories(fs::path(at(relative)).parent_path());
    ASSERT_TRUE(qm::test::writeFile(at(relative), bytes));
  }
  void put(const std::string& relative) { put(relative, bytesOf(fs::path(relative).filename().string())); }
  void move(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(at(to)).parent_path());
    fs::rename(at(from), at(to));
  }

  qm::sync::SyncResult sync(bool testOnly = false, bool removeMissing = false, bool folderSets = false) {
    observer.lines.clear();
    qm::sync::SyncRequest request;
    request.registration.path = root;
    request.registration.machine = "SYNC";
    request.registration.settings.searchSubfolders = true;
    request.registration.settings.searchArchives = true;
    request.registration.settings.crc32 = true;
    request.registration.settings.folderSets = folderSets;
    request.settingsPath = folder.file("Quillmoor2.ini");
    request.testOnly = testOnly;
    request.removeMissing = removeMissing;
    return qm::sync::syncFolder(context(), request, probe);
  }

  // Rows in every side table of the image, each naming its image in a value
  // of its own, so that a row that stays behind or lands on another image shows.
  void addSideRows(const std::string& key) {
    const std::string k = "'" + key + "'";
    for (const auto& side : qm::dblib::sideTableKeys()) {
      const std::string table = side.table;
      std::string sql = "INSERT INTO " + table + "(" + side.key;
      sql += table == "associate_file_table" ? ", as_file_name) VALUES(" + k + ", " + k + "||'.txt');"
             : table == "memo_table"         ? ", memo) VALUES(" + k + ", 'memo of '||" + k + ");"
             : table == "creator_table"      ? ", creator) VALUES(" + k + ", 'by '||" + k + ");"
             : table == "favorite_table"     ? ", fave) VALUES(" + k + ", '1');"
                                             : ") VALUES(" + k + ");";
      execute(sql);
    }
    execute("UPDATE main_table SET rating=3, boot_count=7, play_time=99 WHERE file_name=" + k + ";");
  }
  void addSideRowsToAll() {
    for (const std::string& key : rows("SELECT file_name FROM main_table;")) addSideRows(key);
  }

  // Every table of the library, each row's cells with the old keys written as
  // their new ones. The name columns a move remakes are left out.
  Dump dump(const Renames& renames = {}) {
    Dump out;
    qm::db::DbConnection db;
    db.open(dbPath);
    // Every table that names images; the master tables do not.
    db.execute("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE '%info_table' AND name NOT IN "
               "('seen_file_table', 'qlm_table');");
    Strings tables;
    for (int r = 1; r <= db.rowCount(); ++r) tables.push_back(db.cell(r, 0));
    for (const std::string& table : tables) {
      db.execute("SELECT group_concat(name) FROM pragma_table_info('" + table +
                 "') WHERE name NOT IN ('file_title', 'file_ext', 'file_arc_title', 'file_arc_ext');");
      db.execute("SELECT " + db.cell(1, 0) + " FROM " + table + ";");
      for (int r = 1; r <= db.rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < db.columnCount(); ++c) {
          std::string cell(db.cellUtf8(r, c));
          const auto renamed = renames.find(cell);
          line += (renamed == renames.end() ? cell : renamed->second) + "|";
        }
        out[table].insert(line);
      }
    }
    return out;
  }
  Strings keys() { return rows("SELECT file_name FROM main_table ORDER BY file_name;"); }
  Strings logged(const std::string& head) {
    Strings out;
    for (const std::string& line : observer.lines)
      if (line.rfind(head, 0) == 0) out.push_back(line);
    return out;
  }
  std::string summary() { return observer.lines.size() >= 2 ? observer.lines[observer.lines.size() - 2] : ""; }

  std::string root = folder.file("roms");
  RefusingProbe probe;
};

TEST_F(FolderSyncTest, FirstSyncRegistersAndRecordsWhatItSaw) {
  put("a/x.d88");
  put("y.fdi");
  put("notes.txt");
  const auto result = sync();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(keys(), (Strings{at("a/x.d88"), at("y.fdi")}));
  EXPECT_EQ(logged("追加："), (Strings{"追加：" + at("a/x.d88"), "追加：" + at("y.fdi")}));
  EXPECT_EQ(summary(), "移動 0 件、変更 0 件、追加 2 件、不在 0 件、判別不能 0 件");
  EXPECT_EQ(rows("SELECT pfile_sn, size FROM seen_file_table ORDER BY 1;"),
            (Strings{at("a/x.d88") + "|" + std::to_string(bytesOf("x.d88").size()),
                     at("y.fdi") + "|" + std::to_string(bytesOf("y.fdi").size())}));

  const Dump before = dump();
  sync();
  EXPECT_EQ(observer.lines, (Strings{"移動 0 件、変更 0 件、追加 0 件、不在 0 件、判別不能 0 件", "処理を終了しました"}));
  EXPECT_EQ(differences(before, dump()), Strings{});
}

TEST_F(FolderSyncTest, MovedAndRenamedImagesKeepEveryRow) {
  put("a/x.d88");
  put("a/y.d88");
  put("a/stay.d88");
  sync();
  addSideRowsToAll();
  move("a/x.d88", "b/deeper/x.d88");
  move("a/y.d88", "a/y renamed.d88");
  const Dump before = dump({{at("a/x.d88"), at("b/deeper/x.d88")}, {at("a/y.d88"), at("a/y renamed.d88")}});

  const auto result = sync();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(logged("移動："), (Strings{"移動：" + at("a/x.d88") + " → " + at("b/deeper/x.d88"),
                                      "移動：" + at("a/y.d88") + " → " + at("a/y renamed.d88")}));
  EXPECT_EQ(summary(), "移動 2 件、変更 0 件、追加 0 件、不在 0 件、判別不能 0 件");
  EXPECT_EQ(differences(before, dump()), Strings{});
  EXPECT_EQ(rows("SELECT file_title FROM main_table WHERE file_name='" + at("a/y renamed.d88") + "';"),
            Strings{"y renamed"});
  // The stamps follow: a second sync finds nothing to do.
  EXPECT_EQ(rows("SELECT count(*) FROM seen_file_table WHERE pfile_sn NOT IN (SELECT file_name FROM main_table);"),
            Strings{"0"});
  sync();
  EXPECT_EQ(summary(), "移動 0 件、変更 0 件、追加 0 件、不在 0 件、判別不能 0 件");
}

TEST_F(FolderSyncTest, RenamedFolderCarriesItsSetAlong) {
  put("game/disk1.d88");
  put("game/disk2.d88");
  put("game/disk3.d88");
  sync(false, false, true);
  addSideRowsToAll();
  ASSERT_EQ(rows("SELECT ply, ply_file_name FROM main_table ORDER BY file_name;"),
            (Strings{"1|", "2|" + at("game/disk1.d88"), "3|" + at("game/disk1.d88")}));
  Renames renames;
  for (const char* disk : {"disk1.d88", "disk2.d88", "disk3.d88"})
    renames[at(std::string("game/") + disk)] = at(std::string("game (renamed)/") + disk);
  const Dump before = dump(renames);
  fs::rename(at("game"), at("game (renamed)"));

  sync(false, false, true);
  EXPECT_EQ(logged("移動：").size(), 3u);
  EXPECT_EQ(differences(before, dump()), Strings{});
  EXPECT_EQ(rows("SELECT * FROM tmp_maxdisk;"), Strings{at("game (renamed)/disk1.d88") + "|3"});
}

TEST_F(FolderSyncTest, ImagesMoveIntoAndOutOfArchives) {
  put("in.d88");
  put("packed.zip", qm::test::storedZip({{"out.d88", bytesOf("out.d88")}}));
  sync();
  addSideRowsToAll();
  ASSERT_EQ(keys(), (Strings{at("in.d88"), at("packed.zip") + "*out.d88"}));
  put("box.zip", qm::test::storedZip({{"in.d88", bytesOf("in.d88")}}));
  fs::remove(at("in.d88"));
  put("loose/out.d88");
  fs::remove(at("packed.zip"));
  const Dump before = dump({{at("in.d88"), at("box.zip") + "*in.d88"}, {at("packed.zip") + "*out.d88", at("loose/out.d88")}});

  sync();
  EXPECT_EQ(summary(), "移動 2 件、変更 0 件、追加 0 件、不在 0 件、判別不能 0 件");
  EXPECT_EQ(differences(before, dump()), Strings{});
  EXPECT_EQ(rows("SELECT file_name, file_title, file_ext, file_arc_title, file_arc_ext FROM main_table ORDER BY 1;"),
            (Strings{at("box.zip") + "*in.d88|box|zip|in|d88", at("loose/out.d88") + "|out|d88||"}));
}

TEST_F(FolderSyncTest, FileChangedInPlaceGetsNewCrcs) {
  put("x.d88");
  put("y.d88");
  sync();
  addSideRowsToAll();
  const std::string oldCrc = rows("SELECT crc32 FROM main_table WHERE file_name='" + at("x.d88") + "';")[0];
  put("x.d88", bytesOf("x.d88") + "patched");
  Dump before = dump();

  sync();
  EXPECT_EQ(logged("変更："), Strings{"変更：" + at("x.d88")});
  const std::string newCrc = rows("SELECT crc32 FROM main_table WHERE file_name='" + at("x.d88") + "';")[0];
  EXPECT_NE(newCrc, oldCrc);
  EXPECT_EQ(newCrc.size(), 8u);
  // Nothing else of the library moved.
  Dump after = dump();
  for (auto& [table, lines] : before) {
    if (table != "main_table") {
      EXPECT_EQ(after[table], lines) << table;
    }
  }
  sync();
  EXPECT_EQ(logged("変更：").size(), 0u);
}

TEST_F(FolderSyncTest, AmbiguousMatchesAreLeftAlone) {
  put("a/one.d88", bytesOf("same"));
  put("a/two.d88", bytesOf("same"));
  put("b/solo.d88", bytesOf("solo"));
  sync();
  addSideRowsToAll();
  const Dump before = dump();
  // Two gone images with the bytes of one new file; one gone image with two
  // new copies.
  fs::remove(at("a/one.d88"));
  fs::remove(at("a/two.d88"));
  put("c/copy.d88", bytesOf("same"));
  fs::remove(at("b/solo.d88"));
  put("d/solo1.d88", bytesOf("solo"));
  put("d/solo2.d88", bytesOf("solo"));

  const auto result = sync(false, true);
  EXPECT_EQ(logged("判別できません"),
            (Strings{"判別できません（そのままにします）：" + at("a/one.d88") + " , " + at("a/two.d88") + " ／ " +
                         at("c/copy.d88"),
                     "判別できません（そのままにします）：" + at("b/solo.d88") + " ／ " + at("d/solo1.d88") + " , " +
                         at("d/solo2.d88")}));
  EXPECT_EQ(result.removed, 0);
  EXPECT_EQ(summary(), "移動 0 件、変更 0 件、追加 0 件、不在 0 件、判別不能 2 件");
  EXPECT_EQ(differences(before, dump()), Strings{});
}

TEST_F(FolderSyncTest, UnreadableFileIsNeitherGoneNorMoved) {
  put("x.d88");
  sync();
  addSideRowsToAll();
  const Dump before = dump();
  // The file answers as refused, and a copy of it appears elsewhere.
  put("copy/x.d88");
  fs::remove(at("x.d88"));
  probe.refused.insert(at("x.d88"));

  const auto result = sync(false, true);
  EXPECT_EQ(result.kept, 1);
  EXPECT_EQ(logged("スキップ："), Strings{"スキップ：" + at("x.d88") + " （denied）"});
  EXPECT_EQ(logged("移動：").size(), 0u);
  EXPECT_EQ(logged("追加："), Strings{"追加：" + at("copy/x.d88")});
  Dump after = dump();
  for (auto& [table, lines] : before) {
    if (table != "main_table" && table != "tmp_maxdisk") {
      EXPECT_EQ(after[table], lines) << table;
    }
  }
}

TEST_F(FolderSyncTest, MissingImagesAreListedAndRemovedOnlyWhenAsked) {
  put("x.d88");
  put("keep.d88");
  sync();
  addSideRowsToAll();
  fs::remove(at("x.d88"));
  const Dump before = dump();

  sync(true, true);
  EXPECT_EQ(observer.lines.front(), "---同期のシミュレーション---");
  EXPECT_EQ(logged("不在："), Strings{"不在：" + at("x.d88")});
  EXPECT_EQ(differences(before, dump()), Strings{});
  sync();
  EXPECT_EQ(differences(before, dump()), Strings{});

  sink.setAnswer(qm::platform::MessageAnswer::No);
  EXPECT_EQ(sync(false, true).removed, 0);
  EXPECT_EQ(differences(before, dump()), Strings{});
  sink.setAnswer(qm::platform::MessageAnswer::Yes);
  const auto result = sync(false, true);
  EXPECT_EQ(result.removed, 1);
  EXPECT_EQ(boxes(sink).back(), "確認|1 件の不在イメージをライブラリから削除します。\nよろしいですか？");
  EXPECT_EQ(logged("削除："), Strings{"削除：" + at("x.d88")});
  EXPECT_EQ(summary(), "移動 0 件、変更 0 件、追加 0 件、不在 1 件、判別不能 0 件、削除 1 件");
  EXPECT_EQ(keys(), Strings{at("keep.d88")});
  for (const auto& side : qm::dblib::sideTableKeys())
    EXPECT_EQ(rows(std::string("SELECT count(*) FROM ") + side.table + ";")[0],
              "1")
        << side.table;
  EXPECT_EQ(rows("SELECT pfile_sn FROM seen_file_table;"), Strings{at("keep.d88")});
}

TEST_F(FolderSyncTest, TestRunWritesNothing) {
  put("x.d88");
  sync();
  addSideRowsToAll();
  const Dump before = dump();
  const Strings seen = rows("SELECT * FROM seen_file_table;");
  move("x.d88", "moved/x.d88");
  put("new.d88");
  sync(true);
  EXPECT_EQ(summary(), "移動 1 件、変更 0 件、追加 1 件、不在 0 件、判別不能 0 件");
  EXPECT_EQ(differences(before, dump()), Strings{});
  EXPECT_EQ(rows("SELECT * FROM seen_file_table;"), seen);
}

TEST_F(FolderSyncTest, ImagesRegisteredBeforeStampsCountUnchanged) {
  put("x.d88");
  sync();
  execute("DROP TABLE seen_file_table;");
  put("x.d88", bytesOf("x.d88") + "changed before any stamp");
  sync();
  EXPECT_EQ(logged("変更：").size(), 0u);
  EXPECT_EQ(rows("SELECT count(*) FROM seen_file_table;"), Strings{"1"});
  put("x.d88", bytesOf("x.d88"));
  sync();
  EXPECT_EQ(logged("変更："), Strings{"変更：" + at("x.d88")});
}

}  // namespace
