// Registration of archive members: zip and 7z made by Debian's tools, rar and
// lzh samples, as tools/archive-fixtures.py leaves them. Expected CRCs come
// from the fixture manifest (Python's zlib) and from the originals.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/archive/member_walk.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "tests/common/archive/archive_fixtures.h"
#include "tests/crclib/registration_fixture.h"
#include "tests/support/file_bytes.h"

namespace qm::reg::test {
namespace {

using Rows = std::vector<std::string>;
using text::sjis;
using text::sjisToUtf8;

const char* const kArchives[] = {"debian-zip.zip", "p7zip.7z", "cp932-names.rar",
                                 "test_read_format_lha_filename_cp932.lzh"};

// The members the machine's ".D88;.fdi;.txt" keeps, judged apart from the code.
std::vector<qm::test::ExpectedMember> keptOf(const std::vector<qm::test::ExpectedMember>& members) {
  std::vector<qm::test::ExpectedMember> kept;
  for (const auto& m : members) {
    const std::string lower = sjis::toLowerAscii(m.name);
    for (const char* ext : {".d88", ".fdi", ".txt"}) {
      if (lower.size() > 4 && lower.ends_with(ext)) kept.push_back(m);
    }
  }
  return kept;
}

std::string titleOf(const std::string& name) {
  std::string base = name.substr(name.find_last_of('/') == std::string::npos ? 0 : name.find_last_of('/') + 1);
  return base.substr(0, base.rfind('.'));
}

class RegistrationArchiveTest : public RegistrationTest {
protected:
  // The archives copied into a folder of the test; their paths in kArchives order.
  std::vector<std::string> copyArchives(const qm::test::ArchiveFixtures& fixtures, const std::string& folderPath) {
    std::vector<std::string> paths;
    for (const char* name : kArchives) {
      const auto bytes = qm::test::readFile(fixtures.path(name));
      EXPECT_TRUE(bytes) << name;
      paths.push_back(put(folderPath, name, bytes.value_or("")));
    }
    return paths;
  }
};

TEST_F(RegistrationArchiveTest, MembersOfEveryTypeWithSetsAndCrcs) {
  QM_NEED_FIXTURES();
  for (const char* name : kArchives) {
    if (fixtures->missing.count(name)) GTEST_SKIP() << name << " is not in the cache";
  }
  const std::string root = tree("書庫");
  const auto paths = copyArchives(*fixtures, root);
  RegistrationRequest r = request(root);
  auto& s = r.settings;
  s.searchArchives = s.archiveSets = s.archiveSetTitles = s.crc32 = s.crc16 = true;
  const auto result = run(r);
  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.counted, 4);
  EXPECT_TRUE(host.sink.messages().empty());

  std::size_t expectedRows = 0;
  for (std::size_t a = 0; a < std::size(kArchives); ++a) {
    SCOPED_TRACE(kArchives[a]);
    const auto kept = keptOf(fixtures->archives.at(kArchives[a]));
    ASSERT_GE(kept.size(), 2u);
    expectedRows += kept.size();
    const std::string archive = sjisToUtf8(paths[a]);
    const std::string ext = archive.substr(archive.rfind('.') + 1);
    const std::string fileTitle = std::string(kArchives[a]).substr(0, std::string(kArchives[a]).rfind('.'));
    const std::string parent = archive + "*" + sjisToUtf8(kept[0].name);
    for (std::size_t k = 0; k < kept.size(); ++k) {
      const std::string key = archive + "*" + sjisToUtf8(kept[k].name);
      const std::string memberTitle = sjisToUtf8(titleOf(kept[k].name));
      char crc[9];
      std::snprintf(crc, sizeof crc, "%08X", kept[k].contentCrc32);
      const auto got = rows("SELECT file_title, file_ext, title, file_arc_title, file_arc_ext, ply, ply_file_name, "
                            "crc32, length(crc) FROM main_table WHERE file_name='" +
                            sjisToUtf8(db::DbConnection::quoteSql(sjis(key))) + "';");
      ASSERT_EQ(got.size(), 1u) << key;
      EXPECT_EQ(got[0], fileTitle + "|" + ext + "|" + fileTitle + " [" + ext + "]---[" + memberTitle + "]|" +
                            memberTitle + "|" + sjisToUtf8(kept[k].name.substr(kept[k].name.rfind('.') + 1)) + "|" +
                            std::to_string(k + 1) + "|" + (k ? parent : "") + "|" + crc + "|4");
      if (!kept[k].original.empty()) {
        const auto bytes = qm::test::readFile(platform::joinPath(fixtures->folder, kept[k].original));
        ASSERT_TRUE(bytes);
        EXPECT_EQ(rows("SELECT crc FROM main_table WHERE file_name='" +
                         sjisToUtf8(db::DbConnection::quoteSql(sjis(key))) + "';"),
                    (Rows{bitwiseCrc16(*bytes)}));
      }
    }
  }
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{std::to_string(expectedRows)}));
}

TEST_F(RegistrationArchiveTest, SingleMembersWindowsAndStops) {
  QM_NEED_FIXTURES();
  QM_NEED_SAMPLE("p7zip.7z");
  const std::string root = tree("one");
  const auto paths = copyArchives(*fixtures, root);
  const std::string zip = sjisToUtf8(paths[0]), sevenZip = sjisToUtf8(paths[1]);

  // One kept member: no set number and no title suffix.
  sql("INSERT INTO machine_info_table(machine, machine_num, search_ext) VALUES('FDI', 98, '.fdi');");
  RegistrationRequest single = request(paths[1]);
  single.machine = "FDI";
  single.settings.searchArchives = single.settings.archiveSets = single.settings.archiveSetTitles = true;
  run(single);
  EXPECT_EQ(rows("SELECT file_name, title, ply, ply_file_name, crc32 FROM main_table;"),
              (Rows{sevenZip + "*ゲーム (Disk 1).fdi|p7zip|0||"}));

  // Without an extension list archives give nothing.
  sql("DELETE FROM main_table;");
  RegistrationRequest unknown = request(root);
  unknown.machine = sjis("未登録");
  unknown.settings.searchArchives = true;
  EXPECT_EQ(run(unknown).counted, 4);
  EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{"0"}));

  // A window beyond the members: one warning each; zip keeps its stated CRC.
  sql("DELETE FROM main_table;");
  RegistrationRequest window = request(paths[0]);
  window.settings.searchArchives = window.settings.crc32 = true;
  window.window = {1000000, 0};
  run(window);
  ASSERT_EQ(host.sink.messages().size(), 3u);
  EXPECT_EQ(sjisToUtf8(host.sink.messages()[0].text),
            "CRC計算用に指定された範囲がファイルサイズを超えています\nCRCは取得されませんでした");
  EXPECT_EQ(host.sink.messages()[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(rows("SELECT crc32 FROM main_table ORDER BY rowid;"),
              (Rows{"3FB0BFBC", "0D492BAB", "996DC65E"}));
  sql("DELETE FROM main_table;");
  host.sink.clear();
  window.path = paths[1];
  run(window);
  EXPECT_EQ(host.sink.messages().size(), 3u);
  EXPECT_EQ(rows("SELECT DISTINCT crc32 FROM main_table;"), (Rows{""}));

  // A stop asked for during an archive takes effect at its next member.
  sql("DELETE FROM main_table;");
  host.sink.clear();
  host.items.clear();
  host.onItem = [&](std::size_t n) {
    if (n == 2) stop = 1;
  };
  RegistrationRequest stopped = request(paths[1]);
  stopped.settings.searchArchives = stopped.settings.crc32 = true;
  const auto result = run(stopped);
  EXPECT_EQ(result.end, RegistrationEnd::Cancelled);
  EXPECT_EQ(result.stored, 1);
  EXPECT_EQ(rows("SELECT file_name, crc32 FROM main_table;"),
              (Rows{sevenZip + "*readme.txt|996DC65E"}));
  (void)zip;
}

// A cut zip and one that is no zip at all: both named in the log with the
// reason, the members before the cut stored, and a final text that counts them
// instead of saying "完了".
TEST_F(RegistrationArchiveTest, DamagedArchivesAreLoggedAndCounted) {
  QM_NEED_FIXTURES();
  const std::string root = tree("damaged");
  const auto cut = qm::test::readFile(fixtures->path("truncated.zip"));
  ASSERT_TRUE(cut);
  const std::string cutPath = put(root, "cut.zip", *cut);
  const std::string junkPath = put(root, "junk.zip", std::string(300, 'x'));
  const std::size_t before = qm::archive::listMembers(fixtures->path("truncated.zip")).members.size();
  for (bool crcs : {false, true}) {
    sql("DELETE FROM main_table;");
    host.logLines.clear();
    RegistrationRequest damaged = request(root);
    damaged.settings.searchArchives = true;
    damaged.settings.crc32 = damaged.settings.crc16 = crcs;
    const auto result = run(damaged);
    EXPECT_EQ(result.end, RegistrationEnd::Completed);
    EXPECT_EQ(result.damaged, 2);
    ASSERT_EQ(host.logLines.size(), 2u);
    for (const std::string& path : {cutPath, junkPath}) {
      const std::string head = sjis("壊れた書庫：") + path + sjis(" （");
      EXPECT_EQ(std::count_if(host.logLines.begin(), host.logLines.end(),
                              [&](const std::string& line) { return line.starts_with(head); }),
                1)
          << path;
    }
    const std::string finalText = sjisToUtf8(result.finalStatus);
    EXPECT_EQ(finalText.find("完了"), std::string::npos) << finalText;
    EXPECT_NE(finalText.find("（壊れた書庫 2 件：ログを参照して下さい）"), std::string::npos) << finalText;
    EXPECT_EQ(finalText.find(std::to_string(result.stored) + " 件の格納・更新が終了しました。"), 0u) << finalText;
    // Stored from what was listed before the cut (the fixture's kept members).
    EXPECT_GT(result.stored, 0);
    EXPECT_LE(static_cast<std::size_t>(result.stored), before);
    EXPECT_EQ(rows("SELECT count(*) FROM main_table;"), (Rows{std::to_string(result.stored)}));
  }
}

// Two members of one name make one key: the later replaces the earlier (with
// overwrite on), the row is counted once and the collision is logged.
TEST_F(RegistrationArchiveTest, CollidingMembersAreCountedOnceAndLogged) {
  QM_NEED_FIXTURES();
  const auto bytes = qm::test::readFile(fixtures->path("twice.zip"));
  ASSERT_TRUE(bytes);
  const std::string zip = put(tree("twice"), "twice.zip", *bytes);
  RegistrationRequest r = request(zip);
  r.settings.searchArchives = r.settings.overwrite = r.settings.crc32 = true;
  const auto result = run(r);
  EXPECT_EQ(result.end, RegistrationEnd::Completed);
  EXPECT_EQ(result.stored, 1);
  EXPECT_EQ(sjisToUtf8(result.finalStatus).rfind("1 件の格納・更新が完了しました。", 0), 0u);
  EXPECT_EQ(host.logLines, (Rows{sjis("キーが重複しています（1 件として数えます）：") + zip + "*disk.d88"}));
  EXPECT_EQ(rows("SELECT crc32 FROM main_table;"), (Rows{"B61F1169"}));
}

}  // namespace
}  // namespace qm::reg::test
