#include "app/search/saved_queries.h"

#include "common/db/db_connection.h"
#include "common/platform/device_name.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/platform/ini_access.h"
#include "common/text/encoding.h"
#include "common/text/input_text.h"
#include "common/text/sjis.h"

namespace qm::search {
namespace {

constexpr const char* kSection = "query";
constexpr std::size_t kPathLimit = 260;

// The extension: what follows the last "." of the name.
std::size_t extensionDot(std::string_view fileName) {
  std::size_t dot = sjis::npos;
  for (std::size_t pos = 0; pos < fileName.size(); pos = sjis::nextChar(fileName, pos)) {
    if (fileName[pos] == '.') dot = pos;
  }
  return dot;
}

bool isUnder(const std::string& root, const std::string& path) {
  if (path.size() <= root.size() + 1 || path.compare(0, root.size(), root) != 0) return false;
  const char separator = path[root.size()];
  if (separator != platform::kPathSeparator && separator != '/') return false;
  // No step back out of the root.
  for (std::size_t pos = root.size(); pos < path.size(); pos = sjis::nextChar(path, pos)) {
    if (path.compare(pos, 3, "\\..") == 0 || path.compare(pos, 3, "/..") == 0) return false;
  }
  return true;
}

bool deleteTree(const std::string& folder) {
  bool whole = true;
  for (const platform::FolderEntry& entry : platform::listFolder(folder)) {
    const std::string path = platform::joinPath(folder, entry.name);
    if (entry.link) {
      whole = platform::removeLink(path) && whole;
    } else if (entry.folder) {
      whole = deleteTree(path) && whole;
    } else {
      whole = platform::deleteFile(path) && whole;
    }
  }
  return platform::removeEmptyFolder(folder) && whole;
}

void readTree(const std::string& folder, std::vector<QueryNode>& into) {
  for (const platform::FolderEntry& entry : platform::listFolder(folder)) {
    if (entry.link) continue;
    QueryNode node;
    node.path = platform::joinPath(folder, entry.name);
    if (entry.folder) {
      node.folder = true;
      node.name = entry.name;
      const std::string icon = platform::joinPath(node.path, "0.bmp");
      if (platform::fileExists(icon)) node.icon = icon;
      readTree(node.path, node.children);
    } else if (isQueryFile(entry.name)) {
      node.name = queryNameOf(entry.name);
      const std::string icon = readQuery(node.path).icon;
      if (!icon.empty() && platform::fileExists(icon)) node.icon = icon;
    } else {
      continue;
    }
    into.push_back(std::move(node));
  }
}

}  // namespace

bool isValidQueryName(std::string_view name, bool allowDot) {
  if (name.empty() || platform::isDeviceName(name)) return false;
  for (std::size_t pos = 0; pos < name.size(); pos = sjis::nextChar(name, pos)) {
    if (sjis::charLength(name, pos) != 1) continue;
    const char c = name[pos];
    if (c == '.' && !allowDot) return false;
    if (std::string_view("\\/<>:|?*\"\n\r\t").find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool isQueryFile(std::string_view fileName) {
  const std::size_t dot = extensionDot(fileName);
  if (dot == sjis::npos) return false;
  return sjis::toLowerAscii(fileName.substr(dot + 1)).find("txt") != std::string::npos;
}

std::string queryNameOf(std::string_view fileName) {
  const std::size_t dot = extensionDot(fileName);
  return std::string(dot == sjis::npos ? fileName : fileName.substr(0, dot));
}

// A file an editor saved in UTF-8 or UTF-16 is read from its converted text by
// the same rules; the profile functions would take its bytes for Shift-JIS.
SavedQuery readQuery(const std::string& path) {
  SavedQuery query;
  const auto bytes = platform::readWholeFile(path);
  const text::InputText input = text::inputTextOf(bytes ? *bytes : std::string(), path);
  if (input.refused()) {
    query.refusal = input.refusal;
    return query;
  }
  const bool programText = input.found == text::InputEncoding::Ascii || input.found == text::InputEncoding::Cp932;
  const platform::ini::Document converted = programText ? platform::ini::Document() : platform::ini::parse(input.text);
  const auto value = [&](const char* key) {
    if (programText) return platform::IniFile(path).getString(kSection, key);
    return platform::ini::value(converted, kSection, key).value_or(std::string());
  };
  query.sql = value("sql");
  // Cut short it would be another statement: longer than the limit is absent.
  if (query.sql.size() > kQueryStatementLimit) query.sql.clear();
  query.icon = value("icon");
  return query;
}

std::optional<std::string> storedStatement(std::string_view typed) {
  std::string out;
  char quote = 0;  // the closing character of the quoted text we are in
  bool blockComment = false;
  for (std::size_t pos = 0; pos < typed.size();) {
    const std::size_t length = sjis::charLength(typed, pos);
    const char c = typed[pos];
    const bool lineBreak = length == 1 && (c == '\r' || c == '\n');
    if (length == 1 && quote) {
      if (lineBreak) return std::nullopt;
      if (c == quote) quote = 0;
    } else if (length == 1 && blockComment) {
      if (typed.compare(pos, 2, "*/") == 0) {
        blockComment = false;
        out += "*/";
        pos += 2;
        continue;
      }
    } else if (length == 1) {
      if (typed.compare(pos, 2, "--") == 0) {
        pos = typed.find_first_of("\r\n", pos);
        if (pos == std::string_view::npos) break;
        continue;
      }
      if (typed.compare(pos, 2, "/*") == 0) blockComment = true;
      if (c == '\'' || c == '"' || c == '`') quote = c;
      if (c == '[') quote = ']';
    }
    if (lineBreak || (length == 1 && c == '\t' && !quote)) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out.append(typed.substr(pos, length));
    }
    pos += length;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  if (out.size() > kQueryStatementLimit) return std::nullopt;
  return out;
}

std::vector<QueryNode> readQueryTree(const std::string& root) {
  std::vector<QueryNode> nodes;
  readTree(root, nodes);
  return nodes;
}

std::string querySaveMessage(QuerySave result) {
  switch (result) {
    case QuerySave::Saved: return {};
    case QuerySave::NameEmpty: return text::sjis("クエリ名は必須です");
    case QuerySave::NameInvalid: return text::sjis("クエリ名に使用できない文字が含まれているか、使用できない文字列です。");
    case QuerySave::NameTaken: return text::sjis("クエリ名は既に作成されています\n別のクエリ名を指定して下さい。");
    case QuerySave::StatementNotKept:
      return text::sjis("クエリを一行にまとめられません。\n引用符の中の改行を取り除くか、16384バイト以内にして下さい。");
    case QuerySave::WriteFailed: return text::sjis("クエリファイルを書き込めませんでした。");
  }
  return {};
}

QuerySaveResult saveQuery(const QueryEdit& edit) {
  QuerySaveResult saved;
  if (edit.name.empty()) return {QuerySave::NameEmpty, {}, false};
  if (!isValidQueryName(edit.name)) return {QuerySave::NameInvalid, {}, false};
  const std::optional<std::string> sql = storedStatement(edit.sql);
  if (!sql) return {QuerySave::StatementNotKept, {}, false};
  const std::string folder = edit.oldPath.empty() ? edit.folder : platform::folderOf(edit.oldPath);
  saved.path = platform::joinPath(folder, edit.name + ".txt");
  const bool renamed = !edit.oldPath.empty() && !sjis::equalsIgnoreCaseAscii(saved.path, edit.oldPath);
  if (renamed || edit.oldPath.empty()) {
    if (platform::fileExists(saved.path)) return {QuerySave::NameTaken, {}, false};
  } else {
    saved.path = edit.oldPath;
  }
  const platform::IniFile file(saved.path);
  const std::string oldIcon = edit.oldPath.empty() ? std::string() : readQuery(edit.oldPath).icon;
  if (!file.writeString(kSection, "sql", *sql) || !file.writeString(kSection, "icon", edit.icon)) {
    // A new file half written is not left behind as a query.
    if (renamed || edit.oldPath.empty()) platform::deleteFile(saved.path);
    return {QuerySave::WriteFailed, {}, false};
  }
  if (renamed) platform::deleteFile(edit.oldPath);
  saved.result = QuerySave::Saved;
  saved.changed = edit.oldPath.empty() || renamed || oldIcon != edit.icon;
  return saved;
}

std::string folderCreateMessage(FolderCreate result) {
  switch (result) {
    case FolderCreate::NameInvalid:
      return text::sjis("フォルダ名に使用できない文字が含まれているか、使用できない文字列です。");
    case FolderCreate::TooLong: return text::sjis("フォルダ名が長すぎます。");
    case FolderCreate::Failed: return text::sjis("フォルダを作成できませんでした。");
    default: return {};
  }
}

FolderCreate createQueryFolder(const std::string& parent, std::string_view name) {
  if (name.empty()) return FolderCreate::NameEmpty;
  if (!isValidQueryName(name)) return FolderCreate::NameInvalid;
  const std::string path = platform::joinPath(parent, name);
  if (path.size() >= kPathLimit) return FolderCreate::TooLong;
  if (platform::fileExists(path)) return FolderCreate::Failed;
  return platform::createFolder(path) ? FolderCreate::Created : FolderCreate::Failed;
}

bool deleteQueryItem(const std::string& root, const std::string& path) {
  if (!isUnder(root, path)) return false;
  if (platform::removeLink(path)) return true;
  if (platform::folderExists(path)) return deleteTree(path);
  return platform::deleteFile(path);
}

std::string queryItemPath(const std::string& root, const std::vector<std::string>& names, bool query) {
  std::string path = root;
  for (const std::string& name : names) path = platform::joinPath(path, name);
  return query ? path + ".txt" : path;
}

}  // namespace qm::search

#include "app/item_list/list_columns.h"

namespace qm::search {

std::string wizardStatement(int target, bool equals, std::string_view keyword, int sortColumn, bool descending) {
  if (target < 0 || target >= static_cast<int>(std::size(kWizardTargets))) target = 0;
  if (sortColumn < 0 || sortColumn >= kColumnCount) sortColumn = 0;
  const std::string quoted = db::DbConnection::quoteSql(keyword);
  std::string sql = "SELECT * FROM list_view WHERE ";
  sql += kWizardTargets[target].field;
  sql += equals ? " = '" + quoted + "' " : " LIKE '%" + quoted + "%' ";
  sql += "ORDER BY ";
  sql += sortColumn == kMachineGenreColumn ? "machine_name" : listColumns()[sortColumn].field;
  if (descending) sql += " DESC";
  sql += ";";
  return sql;
}

std::vector<ColumnNote> columnNotes() {
  static constexpr const char* kRows[] = {
      "machine_name,機種", "title,タイトル", "maker,メーカー", "version,バージョン/コメント", "genre_name,ジャンル",
      "media_name,メディア", "creator,クリエイター", "memo,メモ", "adult,R指定 ( 0=なし / 1=あり ) ", "country,国",
      "sale_year,発売年月日 ( YYYY-mm-dd or YYYY-mm-00 or YYYY-00-00 )", "rating,評価 ( 0 ～ 50 )",
      "boot_count,起動回数", "last_boot,最終起動日", "breed,型番", "price,価格", "media_detail,メディア情報",
      "device,対応機器", "players,プレイヤー数", "adultex_name,拡張R指定名", "savedat_detail,セーブデータ情報",
      "sound_detail,サウンド情報", "play_time,プレイ時間", "kana,読み仮名", "fave,お気に入り（0～9の組み合わせ）",
  };
  std::vector<ColumnNote> notes;
  for (const char* row : kRows) {
    const std::string text = text::sjis(row);
    const std::size_t comma = text.find(',');
    notes.push_back({text.substr(0, comma), text.substr(comma + 1)});
  }
  return notes;
}

}  // namespace qm::search
