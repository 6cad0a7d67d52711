#include "tests/crclib/registration_fixture.h"

#include <zlib.h>

#include <cstdio>

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"
#include "tests/support/file_bytes.h"

namespace qm::reg::test {

using text::sjis;

void RegistrationTest::SetUp() {
  qm::test::RecordingSink quiet;
  dblib::SetupPaths paths{dbPath(), folder.path(), "Quillmoor.db", folder.file("Quillmoor2.ini")};
  ASSERT_EQ(dblib::makeDatabase(paths, quiet).outcome, dblib::SetupOutcome::Created);
  sql("INSERT INTO machine_info_table(machine, machine_num, search_ext) VALUES('テスト', 99, '.D88;.fdi;.txt');");
}

std::string RegistrationTest::tree(const std::string& utf8Name) {
  std::string path = folder.path();
  std::string rest = utf8Name;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    path = platform::joinPath(path, sjis(rest.substr(0, slash)));
    platform::createFolder(path);
    rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
  }
  return path;
}

std::string RegistrationTest::put(const std::string& folderPath, const std::string& utf8Name,
                                  const std::string& bytes) {
  std::string path = folderPath;
  std::string rest = utf8Name;
  for (std::size_t slash; (slash = rest.find('/')) != std::string::npos; rest = rest.substr(slash + 1)) {
    path = platform::joinPath(path, sjis(rest.substr(0, slash)));
    platform::createFolder(path);
  }
  path = platform::joinPath(path, sjis(rest));
  EXPECT_TRUE(qm::test::writeFile(path, bytes)) << utf8Name;
  return path;
}

void RegistrationTest::sql(const std::string& utf8Statement) {
  db::DbConnection db;
  db.open(dbPath());
  const auto error = db.execute(sjis(utf8Statement));
  ASSERT_FALSE(error) << text::sjisToUtf8(*error);
}

std::vector<std::string> RegistrationTest::rows(const std::string& utf8Query) {
  db::DbConnection db;
  db.open(dbPath());
  std::vector<std::string> out;
  const auto error = db.execute(sjis(utf8Query));
  EXPECT_FALSE(error) << text::sjisToUtf8(error.value_or(""));
  for (int row = 1; row <= db.rowCount(); ++row) {
    std::string line;
    for (int column = 0; column < db.columnCount(); ++column) {
      if (column) line += '|';
      line += db.cellUtf8(row, column);
    }
    out.push_back(line);
  }
  return out;
}

RegistrationRequest RegistrationTest::request(const std::string& path) const {
  RegistrationRequest r;
  r.path = path;
  r.machine = sjis("テスト");
  return r;
}

RegistrationResult RegistrationTest::run(const RegistrationRequest& r) {
  const LibraryPaths paths{dbPath(), folder.file("Quillmoor2.ini"), folder.path()};
  return runRegistration(paths, r, host, stop);
}

std::string zlibCrc32(const std::string& bytes) {
  char text[9];
  std::snprintf(text, sizeof text, "%08lX",
                crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
  return text;
}

std::string bitwiseCrc16(const std::string& bytes) {
  unsigned crc = 0xFFFF;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
  }
  char text[5];
  std::snprintf(text, sizeof text, "%04X", crc);
  return text;
}

}  // namespace qm::reg::test
