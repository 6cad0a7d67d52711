// A fresh library made by quillmoor-cli in a folder of its own, with the
// subcommands run against it and sqlite3 to arrange and read its rows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/cli/cli_runner.h"
#include "tests/support/temp_folder.h"

namespace qm::test {

class LibraryCliTest : public ::testing::Test {
protected:
  LibraryCliTest();

  // quillmoor-cli with `arguments` and --db of this library.
  CliRun cli(const std::string& arguments);
  // Exit code of sqlite3 running `statement`, and its output.
  int sql(const std::string& statement);
  std::string query(const std::string& statement);

  TempFolder temp;
  std::string folder;  // UTF-8
  std::string db;
};

}  // namespace qm::test
