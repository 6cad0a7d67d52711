#include "app/renamedata/rename_keys.h"

#include "common/db/db_connection.h"
#include "common/text/encoding.h"

namespace qm::renamedata {

using text::sjis;

const std::vector<std::string>& keyEntries() {
  static const std::vector<std::string> entries{"CRC16", "CRC32", sjis("ファイル名（プライマリキー 本体）"),
                                                sjis("ファイル名（プライマリキー 本体＋拡張子）")};
  return entries;
}

KeyType keyTypeAt(int index) {
  constexpr KeyType kTypes[] = {KeyType::Crc16, KeyType::Crc32, KeyType::FileTitle, KeyType::FileName};
  return index >= 0 && index < 4 ? kTypes[index] : KeyType::Crc32;
}

bool isCrcKey(KeyType type) { return type == KeyType::Crc32 || type == KeyType::Crc16; }

namespace {

const char* crcColumn(KeyType type) { return type == KeyType::Crc16 ? "crc" : "crc32"; }
const char* crcName(KeyType type) { return type == KeyType::Crc16 ? "CRC16" : "CRC32"; }

}  // namespace

std::optional<std::string> missingCrcCountSql(const std::string& machine, KeyType type) {
  if (!isCrcKey(type)) return std::nullopt;
  return "SELECT COUNT(*) FROM main_table WHERE machine_name=" + db::sqlText(machine) + " AND " + crcColumn(type) +
         "='';";
}

std::string missingCrcQuestion(const std::string& machine, KeyType type, const std::string& count) {
  return sjis("ライブラリ中の ") + machine + sjis(" には、") + crcName(type) + sjis("の値が無いアイテムが ") + count +
         sjis(" 件存在します。\nこのまま続けますか？\n\n※ CRC値の再取得はメニュー[データベース]→[ライブラリのCRCを再計算]で行えます。");
}

std::string keySelectSql(const std::string& machine, KeyType type) {
  const std::string where = " FROM main_table WHERE machine_name=" + db::sqlText(machine);
  switch (type) {
    case KeyType::Crc32: return "SELECT crc32, file_name" + where + " AND crc32<>'' ;";
    case KeyType::Crc16: return "SELECT crc, file_name" + where + " AND crc<>'' ;";
    case KeyType::FileTitle: return "SELECT file_title, file_name" + where + " ;";
    case KeyType::FileName: return "SELECT file_title||'.'||file_ext, file_name" + where + " ;";
  }
  return {};
}

std::string noKeysMessage(const std::string& machine, KeyType type) {
  if (!isCrcKey(type)) return machine + sjis("ではファイル名をキーにすることはできません。");
  return machine + sjis("に ") + crcName(type) +
         sjis(" の情報を持つアイテムがありません。\n\nメニュー[データベース]→[ライブラリのCRCを再計算]をお試しください。");
}

}  // namespace qm::renamedata
