#include "app/crc_check/crc_recompute.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/crc_check/crc_library.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "tests/app/maintenance/maintenance_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace {

using qm::crc_check::CrcKind;
using qm::crc_check::CrcRecomputeRequest;
using qm::maintenance::RunStatus;
using qm::registration::Binding;
using qm::text::sjis;
using Strings = std::vector<std::string>;

// The library built beside the tests, with the calls counted.
class CountingLibrary : public qm::crc_check::CrcFunctions {
public:
  CountingLibrary() { EXPECT_EQ(library.bind(std::filesystem::current_path().string()), Binding::Bound); }
  qm::crc_check::FileCrcText fileCrc(CrcKind kind, const std::string& path, std::uint32_t offset,
                                     std::uint32_t length) override {
    ++fileCalls;
    return library.fileCrc(kind, path, offset, length);
  }
  std::string memoryCrc(CrcKind kind, std::string_view bytes) override {
    ++memoryCalls;
    return library.memoryCrc(kind, bytes);
  }
  qm::crc_check::CrcLibrary library;
  int fileCalls = 0, memoryCalls = 0;
};

// The real file system, with the looks at each path counted.
class CountingProbe : public qm::maintenance::SystemFileProbe {
public:
  qm::maintenance::PathLook look(const std::string& path) override {
    ++looks[path];
    return SystemFileProbe::look(path);
  }
  std::map<std::string, int> looks;
};

class CrcRecomputeTest : public qm::test::MaintenanceTest {
protected:
  qm::crc_check::CrcRecomputeResult recompute(CrcRecomputeRequest what = {"PC-98"}) {
    return qm::crc_check::recomputeCrcs(context(), what, crcs, probe);
  }
  std::string file(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(qm::test::writeFile(pathOf(name), bytes));
    return pathOf(name);
  }
  // Writes an archive of the given format (zip states CRCs, 7z as libarchive
  // writes it is read without them).
  std::string archive(const std::string& name, const std::vector<std::pair<std::string, std::string>>& members) {
    const std::string path = pathOf(name);
    struct archive* out = archive_write_new();
    if (name.ends_with(".7z"))
      archive_write_set_format_7zip(out);
    else
      archive_write_set_format_zip(out);
    archive_write_open_filename(out, qm::text::sjisToUtf8(path).c_str());
    for (const auto& [member, bytes] : members) {
      struct archive_entry* entry = archive_entry_new();
      archive_entry_set_pathname(entry, member.c_str());
      archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
      archive_entry_set_filetype(entry, AE_IFREG);
      archive_entry_set_perm(entry, 0644);
      archive_write_header(out, entry);
      archive_write_data(out, bytes.data(), bytes.size());
      archive_entry_free(entry);
    }
    archive_write_close(out);
    archive_write_free(out);
    return path;
  }
  void add(const std::string& key, const std::string& crc32 = "OLD32", const std::string& crc16 = "OLD16") {
    addImage(key, "PC-98", "t");
    const std::string ext = qm::platform::fileNameOf(key.substr(0, key.find('*')));
    execute("UPDATE main_table SET crc32='" + crc32 + "', crc='" + crc16 + "', file_ext='" +
            ext.substr(ext.rfind('.') + 1) + "' WHERE file_name='" + key + "';");
  }
  std::string crcsOf(const std::string& key) {
    return qm::test::queryValue(dbPath, "SELECT crc32||'/'||crc FROM main_table WHERE file_name='" + key + "';");
  }

  CountingLibrary crcs;
  CountingProbe probe;
};

TEST_F(CrcRecomputeTest, PlainFilesGetTheTickedCrcsAndMissingOnesKeepTheirs) {
  const std::string check = file("check.bin", "123456789");
  const std::string empty = file("empty.bin", "");
  add(check);
  add(empty);
  add(pathOf("gone.bin"));
  add("Q:\\unplugged\\game.d88");
  const auto result = recompute();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.rows, 4);
  EXPECT_EQ(result.updated, 2);
  EXPECT_EQ(result.skipped, 2);
  // The CRC-16 is not ticked: it is written empty, as is the CRC of no bytes.
  EXPECT_EQ(crcsOf(check), "CBF43926/");
  EXPECT_EQ(crcsOf(empty), "/");
  EXPECT_EQ(crcsOf(pathOf("gone.bin")), "OLD32/OLD16");
  EXPECT_EQ(crcsOf("Q:\\unplugged\\game.d88"), "OLD32/OLD16");
  EXPECT_EQ(observer.lines.back(), "CRC再計算が終了しました");
  EXPECT_NE(std::find(observer.lines.begin(), observer.lines.end(),
                      "スキップ：Q:\\unplugged\\game.d88 （ファイル又はドライブが見つかりません）"),
            observer.lines.end());
  EXPECT_EQ(observer.ranges, (std::vector<int>{4}));
  EXPECT_EQ(observer.steps, 4);
  EXPECT_EQ(itemList.emptiedCount, 1);
  EXPECT_EQ(itemList.refreshCount, 1);
}

TEST_F(CrcRecomputeTest, BothCrcsOverAWindow) {
  std::string bytes(40, 'x');
  bytes.replace(16, 9, "123456789");
  const std::string path = file("window.bin", bytes);
  add(path);
  recompute({"PC-98", false, true});
  const std::string whole = crcsOf(path);  // only the CRC-16, over the whole file
  EXPECT_EQ(whole.size(), 5u);
  EXPECT_EQ(whole[0], '/');
  EXPECT_NE(whole, "/6F91");
  recompute({"PC-98", true, true, 16, 9});
  EXPECT_EQ(crcsOf(path), "CBF43926/6F91");
}

TEST_F(CrcRecomputeTest, ArchiveMembersAreFoundByTheNameInTheirKey) {
  const std::string zip = archive("set.zip", {{"a.d88", "123456789"}, {"dir/b.d88", "abc"}, {"noext", "abc"}});
  for (const char* member : {"a.d88", "dir/b.d88", "noext", "gone.d88"}) add(zip + "*" + member);
  add(pathOf("missing.zip") + "*a.d88");
  const auto result = recompute();
  EXPECT_EQ(result.updated, 3);
  EXPECT_EQ(result.skipped, 2);
  EXPECT_EQ(crcsOf(zip + "*a.d88"), "CBF43926/");
  EXPECT_EQ(crcsOf(zip + "*dir/b.d88"), "352441C2/");
  EXPECT_EQ(crcsOf(zip + "*noext"), "352441C2/");
  EXPECT_EQ(crcsOf(zip + "*gone.d88"), "OLD32/OLD16");
  EXPECT_EQ(crcsOf(pathOf("missing.zip") + "*a.d88"), "OLD32/OLD16");
  // The CRCs the zip states stand: nothing was unpacked; the archive was
  // looked at once for its four rows.
  EXPECT_EQ(crcs.memoryCalls, 0);
  EXPECT_EQ(probe.looks[zip], 1);
}

TEST_F(CrcRecomputeTest, MembersAreUnpackedWhenTheArchiveStatesNoCrcOrMoreIsAsked) {
  const std::string sevenZip = archive("set.7z", {{"a.d88", "123456789"}, {"b.d88", "abc"}});
  const std::string zip = archive("set.zip", {{"a.d88", "xx123456789"}});
  add(sevenZip + "*a.d88");
  add(sevenZip + "*b.d88");
  add(zip + "*a.d88");
  recompute({"PC-98", true, true});
  EXPECT_EQ(crcsOf(sevenZip + "*a.d88"), "CBF43926/6F91");
  EXPECT_EQ(crcsOf(sevenZip + "*b.d88"), "352441C2/61DA");
  EXPECT_EQ(crcs.memoryCalls, 6);
  // A window beyond a member's end is told once per member and keeps its CRCs.
  recompute({"PC-98", true, false, 2, 9});
  EXPECT_EQ(crcsOf(zip + "*a.d88"), "CBF43926/");
  EXPECT_EQ(crcsOf(sevenZip + "*b.d88"), "352441C2/61DA");
  EXPECT_EQ(qm::test::boxes(sink), (Strings(2, "|CRC計算用に指定された範囲がファイルサイズを超えています\nCRCは取得されませんでした")));
}

TEST_F(CrcRecomputeTest, AStopKeepsTheRowsDone) {
  const std::string a = file("a.bin", "123456789");
  const std::string b = file("b.bin", "abc");
  add(a);
  add(b);
  observer.stopAtRow(1);
  const auto result = recompute();
  EXPECT_EQ(result.status, RunStatus::Stopped);
  EXPECT_EQ(crcsOf(a) + "," + crcsOf(b), "CBF43926/,OLD32/OLD16");
  EXPECT_EQ(observer.lines.back(), "ユーザーからの要求で処理を中止しました");
}

TEST_F(CrcRecomputeTest, ManyRowsGoInSeveralCommittedBatches) {
  const int rows = qm::crc_check::kBatchRows * 2 + 5;
  std::string values;
  for (int i = 0; i < rows; ++i)
    values += std::string(i ? "," : "") + "('" + file(std::to_string(i) + ".bin", "abc") + "','f','bin','PC-98','t')";
  execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title) VALUES" + values + ";");
  const auto result = recompute();
  EXPECT_EQ(result.status, RunStatus::Completed);
  EXPECT_EQ(result.updated, rows);
  EXPECT_EQ(observer.ranges, (std::vector<int>{rows}));
  EXPECT_EQ(qm::test::queryValue(dbPath, "SELECT COUNT(*) FROM main_table WHERE crc32='352441C2';"),
            std::to_string(rows));
}

TEST_F(CrcRecomputeTest, NothingToDo) {
  EXPECT_EQ(recompute({""}).status, RunStatus::NoMachine);
  EXPECT_EQ(recompute({"PC-98", false, false}).status, RunStatus::NoMachine);
  EXPECT_EQ(recompute().status, RunStatus::NoRows);
  EXPECT_EQ(qm::test::boxes(sink), (Strings{"|指定された機種のデータはありません。"}));
}

TEST(CrcLibrary, BindsTheFourExportsOfTheBuiltLibrary) {
  qm::crc_check::CrcLibrary library;
  qm::test::TempFolder empty;
  EXPECT_EQ(library.bind(empty.path()), Binding::NotLoaded);
  ASSERT_EQ(library.bind(std::filesystem::current_path().string()), Binding::Bound);
  EXPECT_EQ(library.memoryCrc(CrcKind::Crc32, "abc"), "352441C2");
  EXPECT_EQ(library.memoryCrc(CrcKind::Crc16, "abc"), "61DA");
  EXPECT_EQ(library.memoryCrc(CrcKind::Crc32, ""), "00000000");
  EXPECT_EQ(qm::crc_check::memberNameOf("C:\\a.zip*dir\\x*y.d88"), "dir\\x*y.d88");
  EXPECT_EQ(qm::crc_check::memberNameOf("C:\\a.d88"), "");
}

// The error value is a CRC only where the bytes were read.
TEST(CrcLibrary, AFileThatCannotBeReadHasNoCrcText) {
  qm::crc_check::CrcLibrary library;
  ASSERT_EQ(library.bind(std::filesystem::current_path().string()), Binding::Bound);
  qm::test::TempFolder temp;
  ASSERT_TRUE(qm::test::writeFile(temp.file("empty.bin"), ""));
  ASSERT_TRUE(qm::test::writeFile(temp.file("check.bin"), "123456789"));
  struct Case {
    std::string name;
    CrcKind kind;
    std::uint32_t offset;
    std::string text;
    bool failed;
  } cases[] = {
      {"empty.bin", CrcKind::Crc32, 0, "00000000", false}, {"empty.bin", CrcKind::Crc16, 0, "FFFF", false},
      {"check.bin", CrcKind::Crc32, 9, "00000000", false}, {"check.bin", CrcKind::Crc16, 0, "6F91", false},
      {"", CrcKind::Crc32, 0, "", true},  // the folder itself
      {"gone.bin", CrcKind::Crc16, 0, "", true},
  };
  for (const Case& c : cases) {
    const auto crc = library.fileCrc(c.kind, c.name.empty() ? temp.path() : temp.file(c.name), c.offset, 0);
    EXPECT_EQ(crc.text, c.text) << c.name;
    EXPECT_EQ(crc.error.has_value(), c.failed) << c.name;
  }
}

}  // namespace
