// The keys an image is looked up by in the plug-in's list, and the SQL that
// reads them for one machine.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm::renamedata {

// The numbers are what the plug-in receives.
enum class KeyType : int { Crc32 = 0, Crc16 = 16, FileTitle = 100, FileName = 101 };

// The drop-down's entries in order (program text), and the type of each.
const std::vector<std::string>& keyEntries();
KeyType keyTypeAt(int index);
inline constexpr int kDefaultKeyEntry = 1;  // CRC32

bool isCrcKey(KeyType type);
// Counts the machine's images without that CRC; nothing for file-name keys.
std::optional<std::string> missingCrcCountSql(const std::string& machine, KeyType type);
std::string missingCrcQuestion(const std::string& machine, KeyType type, const std::string& count);
// Rows of (key, file_name).
std::string keySelectSql(const std::string& machine, KeyType type);
std::string noKeysMessage(const std::string& machine, KeyType type);

}  // namespace qm::renamedata
