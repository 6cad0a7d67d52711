#include "bench/support/generated_library.h"

#include <cstdio>
#include <cstdlib>

#include "common/platform/message_sink.h"
#include "dblib/database_setup.h"

namespace qm::bench {

std::string makeGeneratedLibrary(const std::filesystem::path& folder, int items,
                                 const std::filesystem::path& filesFolder) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string db = (folder / "Quillmoor.db").string();
  platform::AcceptingSink sink;
  dblib::makeDatabase({db, folder.string(), "Quillmoor.db", (folder / "Quillmoor2.ini").string()}, sink);
  std::string command = std::string("python3 '") + QM_SOURCE_DIR + "/tools/gen-demo-library.py' --count " +
                        std::to_string(items);
  if (!filesFolder.empty()) command += " --files '" + filesFolder.string() + "'";
  command += " '" + db + "'";
  return std::system(command.c_str()) == 0 ? db : std::string();
}

std::string benchLibrary(const std::filesystem::path& folder, const std::string& given, int items) {
  if (given.empty()) {
    std::printf("generating a library of %d items in %s ...\n", items, folder.string().c_str());
    return makeGeneratedLibrary(folder, items);
  }
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder, error);
  std::filesystem::copy_file(given, folder / "Quillmoor.db", error);
  return error ? std::string() : (folder / "Quillmoor.db").string();
}

}  // namespace qm::bench
