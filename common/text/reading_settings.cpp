#include "common/text/reading_settings.h"

#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::text {
namespace {

constexpr const char* kOptionsSection = "EditUICheckBoxs";
constexpr const char* kTablesSection = "YomiConvChar";

constexpr const char* kUserSourceKey = "ConvSrcZenChar";
constexpr const char* kUserTargetKey = "ConvDesHanChar";
constexpr const char* kRemoveFullKey = "RemoveZenChar";
constexpr const char* kRemoveHalfKey = "RemoveHanChar";

std::string readCut(const platform::IniFile& ini, const char* key, std::size_t limit, const std::string& fallback) {
  return std::string(sjis::cutToBytes(ini.getString(kTablesSection, key, fallback), limit));
}

std::string unescapeQuotes(const std::string& stored) { return sjis::replaceAll(stored, "\\q", "\""); }
std::string escapeQuotes(const std::string& value) { return sjis::replaceAll(value, "\"", "\\q"); }

SymbolTablesError checkUserMap(const SymbolTables& tables, bool userMap) {
  const std::size_t source = tables.userSource.size();
  if (source % 2 != 0 || source != 2 * tables.userTarget.size()) return SymbolTablesError::UserMapByteCounts;
  if (userMap && (source == 0 || tables.userTarget.empty())) return SymbolTablesError::UserMapWithoutTables;
  return SymbolTablesError::None;
}

SymbolTablesError checkRemovals(const SymbolTables& tables) {
  return tables.removeFull.size() % 2 != 0 ? SymbolTablesError::RemovalByteCount : SymbolTablesError::None;
}

}  // namespace

NormalizeOptions readingNormalizeOptions(const ReadingOptions& options) {
  NormalizeOptions out;
  out.kanaTarget = options.kanaMode;
  out.unvoiced = options.unvoiced;
  out.spaceRule = options.spaceRule;
  out.userMap = options.userMap;
  out.removeSymbols = options.removeSymbols;
  out.romanNumerals = options.romanNumerals;
  out.mayBeEmpty = false;
  return out;
}

ReadingOptions loadReadingOptions(const platform::IniFile& ini) {
  ReadingOptions options;
  options.kanaMode = ini.getInt(kOptionsSection, "YomiCnvMode", kToHiragana);
  options.unvoiced = ini.getInt(kOptionsSection, "DakuonToSeion", 0) == 1;
  options.spaceRule = ini.getInt(kOptionsSection, "YomiSpcRmv", kRemoveSpaces);
  options.removeSymbols = ini.getInt(kOptionsSection, "YomiMrkRmv", 1) == 1;
  options.romanNumerals = ini.getInt(kOptionsSection, "YomiRmaCnv", 1) == 1;
  return options;
}

bool saveReadingOptions(const platform::IniFile& ini, const ReadingOptions& options) {
  bool ok = ini.writeInt(kOptionsSection, "YomiCnvMode", options.kanaMode);
  ok = ini.writeInt(kOptionsSection, "DakuonToSeion", options.unvoiced ? 1 : 0) && ok;
  ok = ini.writeInt(kOptionsSection, "YomiSpcRmv", options.spaceRule) && ok;
  ok = ini.writeInt(kOptionsSection, "YomiMrkRmv", options.removeSymbols ? 1 : 0) && ok;
  return ini.writeInt(kOptionsSection, "YomiRmaCnv", options.romanNumerals ? 1 : 0) && ok;
}

SymbolTables loadSymbolTables(const platform::IniFile& ini) {
  const SymbolTables defaults = SymbolTables::defaults();
  SymbolTables tables;
  tables.userSource = readCut(ini, kUserSourceKey, kUserSourceLimit, "");
  tables.userTarget = unescapeQuotes(readCut(ini, kUserTargetKey, kUserTargetLimit, ""));
  tables.removeFull = readCut(ini, kRemoveFullKey, kRemovalLimit, defaults.removeFull);
  tables.removeHalf = unescapeQuotes(readCut(ini, kRemoveHalfKey, kRemovalLimit, escapeQuotes(defaults.removeHalf)));
  return tables;
}

std::string symbolTablesMessage(SymbolTablesError error) {
  switch (error) {
    case SymbolTablesError::None:
      return {};
    case SymbolTablesError::UserMapWithoutTables:
      return sjis("全角記号を半角に変換する場合は、高度な設定で半角化記号を指定して下さい。");
    case SymbolTablesError::UserMapByteCounts:
      return sjis("高度な設定の半角化記号で、全角半角キャラクタバイト数の相互関係に不備があります。");
    case SymbolTablesError::RemovalByteCount:
      return sjis("高度な設定で、全角除去記号のキャラクタバイト数に不備があります。");
    case SymbolTablesError::WriteFailed:
      return sjis("設定ファイルに書き込めませんでした。");
  }
  return {};
}

SymbolTablesError checkSymbolTables(const SymbolTables& tables, bool userMap) {
  const SymbolTablesError user = checkUserMap(tables, userMap);
  return user != SymbolTablesError::None ? user : checkRemovals(tables);
}

SymbolTablesError saveSymbolTables(const platform::IniFile& ini, const SymbolTables& tables, bool userMap) {
  if (const SymbolTablesError user = checkUserMap(tables, userMap); user != SymbolTablesError::None) return user;
  bool ok = ini.writeString(kTablesSection, kUserSourceKey, tables.userSource);
  ok = ini.writeString(kTablesSection, kUserTargetKey, escapeQuotes(tables.userTarget)) && ok;
  if (!ok) return SymbolTablesError::WriteFailed;
  if (const SymbolTablesError removal = checkRemovals(tables); removal != SymbolTablesError::None) return removal;
  ok = ini.writeString(kTablesSection, kRemoveFullKey, tables.removeFull);
  ok = ini.writeString(kTablesSection, kRemoveHalfKey, escapeQuotes(tables.removeHalf)) && ok;
  return ok ? SymbolTablesError::None : SymbolTablesError::WriteFailed;
}

}  // namespace qm::text
