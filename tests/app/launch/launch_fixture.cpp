#include "tests/app/launch/launch_fixture.h"

#include <archive.h>
#include <archive_entry.h>

#include "common/archive/stdio_file.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"

namespace qm::launch::test {

std::string sj(const char* utf8) { return text::sjis(utf8); }

void LaunchTest::SetUp() {
  dblib::SetupPaths paths{dbPath(), folder.path(), "Quillmoor.db", folder.file("Quillmoor2.ini")};
  ASSERT_EQ(dblib::makeDatabase(paths, sink).outcome, dblib::SetupOutcome::Created);
  sink.clear();
}

void LaunchTest::run(const std::string& sql) {
  db::DbConnection db;
  db.open(dbPath());
  auto error = db.execute(sql);
  ASSERT_FALSE(error) << text::sjisToUtf8(*error);
}

std::string LaunchTest::cell(const std::string& sql) {
  db::DbConnection db;
  db.open(dbPath());
  if (db.execute(sql) || db.rowCount() < 1) return "<none>";
  return db.cell(1, 0);
}

std::string LaunchTest::makeFolder(const std::string& relative) {
  std::string path = root();
  std::size_t start = 0;
  while (start <= relative.size()) {
    const std::size_t end = relative.find('/', start);
    path = platform::joinPath(path, relative.substr(start, end - start));
    platform::createFolder(path);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return path;
}

std::string LaunchTest::makeFile(const std::string& relative, const std::string& bytes) {
  const std::size_t slash = relative.rfind('/');
  const std::string folderPath = slash == std::string::npos ? root() : makeFolder(relative.substr(0, slash));
  const std::string path = platform::joinPath(folderPath, relative.substr(slash + 1));
  archive::StdioFile file = archive::openStdioFile(path, "wb");
  EXPECT_TRUE(file) << path;
  if (file) std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  return path;
}

std::string LaunchTest::makeZip(const std::string& relative,
                                const std::vector<std::pair<std::string, std::string>>& members) {
  const std::string path = makeFile(relative, "");
  struct archive* zip = archive_write_new();
  archive_write_set_format_zip(zip);
  archive_write_open_filename(zip, text::sjisToUtf8(path).c_str());
  for (const auto& [name, bytes] : members) {
    struct archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, name.c_str());
    archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_write_header(zip, entry);
    archive_write_data(zip, bytes.data(), bytes.size());
    archive_entry_free(entry);
  }
  archive_write_close(zip);
  archive_write_free(zip);
  return path;
}

std::string LaunchTest::writeSetting(const std::string& machine, const std::string& name,
                                     const EmulatorSetting& setting) {
  platform::createFolder(emuconfFolder(root()));
  platform::createFolder(machineFolder(root(), machine));
  const std::string path = settingFile(root(), machine, name);
  EXPECT_TRUE(writeEmulatorSetting(path, setting));
  return path;
}

}  // namespace qm::launch::test
