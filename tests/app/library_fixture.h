// A program folder with a fresh library database made by Quillmoor2_Lib's
// core, a few items in it, and the list connection and checker on it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/db/db_connection.h"
#include "common/db/statement_check.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"

namespace qm::search::test {

class LibraryTest : public ::testing::Test {
protected:
  void SetUp() override;

  // Runs `sql` (program text) on a connection of its own; fails the test on error.
  void run(const std::string& sql);
  std::string dbPath() const;
  // Count of rows of `table` seen by a fresh connection.
  int countRows(const std::string& table);

  qm::test::TempFolder folder;
  qm::test::RecordingSink sink;
  db::DbConnection list;
  db::StatementChecker checker;
};

}  // namespace qm::search::test
