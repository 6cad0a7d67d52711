#include "tests/app/renamedata/keylist_fixture.h"

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::test {

namespace {
std::string inBin(const char* folder, const char* name) {
  return platform::joinPath(platform::joinPath(platform::currentFolder(), folder), name);
}
}  // namespace

std::string keylistPlugin() { return inBin("plugin", "keylist.nya"); }
std::string keylistPartialPlugin() { return inBin("test-plugins", "keylist_partial.nya"); }
std::string keylistInfoOnlyPlugin() { return inBin("test-plugins", "keylist_info_only.nya"); }
std::string datfilePlugin() { return inBin("plugin", "datfile.nya"); }

std::string listText(const std::string& utf8) { return text::sjis(utf8); }

}  // namespace qm::test
