#include "tests/app/maintenance/maintenance_fixture.h"

#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"
#include "tests/support/file_bytes.h"
#include "tests/support/schema_dump.h"

namespace qm::test {

void RecordingObserver::log(const std::string& line) { lines.push_back(text::sjisToUtf8(line)); }

void RecordingObserver::progressStep() {
  if (++steps == stopAt_) stop_.store(stop::kAsked);
}

MaintenanceTest::MaintenanceTest() {
  dbPath = folder.file("Quillmoor.db");
  platform::AcceptingSink accept;
  const auto result = dblib::makeDatabase(
      {dbPath, folder.path(), "Quillmoor.db", folder.file("Quillmoor2.ini")}, accept);
  EXPECT_EQ(result.outcome, dblib::SetupOutcome::Created);
}

void MaintenanceTest::addImage(const std::string& key, const std::string& machine, const std::string& title,
                               int ply, const std::string& parent) {
  // Doubling quotes is byte-safe in UTF-8 too.
  using db::DbConnection;
  execute("INSERT INTO main_table(file_name, file_title, file_ext, machine_name, title, ply, ply_file_name) VALUES('" +
          DbConnection::quoteSql(key) + "', 'f', '.d88', '" + DbConnection::quoteSql(machine) + "', '" +
          DbConnection::quoteSql(title) + "', " + std::to_string(ply) + ", '" + DbConnection::quoteSql(parent) +
          "');");
}

std::vector<std::string> MaintenanceTest::rows(const std::string& sqlUtf8) const { return queryRows(dbPath, sqlUtf8); }

void MaintenanceTest::execute(const std::string& sqlUtf8) const { executeAll(dbPath, {sqlUtf8}); }

std::string MaintenanceTest::touch(const std::string& name) const {
  const std::string path = folder.file(name);
  EXPECT_TRUE(writeFile(path, ""));
  return path;
}

std::vector<std::string> boxes(const RecordingSink& sink) {
  std::vector<std::string> out;
  for (const auto& m : sink.messages()) out.push_back(text::sjisToUtf8(m.caption) + "|" + text::sjisToUtf8(m.text));
  return out;
}

}  // namespace qm::test
