#include "tests/cli/library_cli.h"

#include <cstdio>
#include <cstdlib>

#include "common/text/encoding.h"

namespace qm::test {

LibraryCliTest::LibraryCliTest() : folder(text::sjisToUtf8(temp.path())), db(folder + "/Quillmoor.db") {
  EXPECT_EQ(cli("create").exitCode, 0);
}

CliRun LibraryCliTest::cli(const std::string& arguments) { return runQuillmoorCli(arguments + " --db '" + db + "'"); }

int LibraryCliTest::sql(const std::string& statement) {
  return std::system(("sqlite3 '" + db + "' \"" + statement + "\"").c_str());
}

std::string LibraryCliTest::query(const std::string& statement) {
  std::string out;
  FILE* pipe = popen(("sqlite3 '" + db + "' \"" + statement + "\"").c_str(), "r");
  for (int c; pipe && (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
  if (pipe) pclose(pipe);
  return out;
}

}  // namespace qm::test
