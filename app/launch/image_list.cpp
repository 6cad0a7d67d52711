#include "app/launch/image_list.h"

#include <algorithm>
#include <cstdio>

#include "app/launch/path_parts.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::string beforeStar(const std::string& key) {
  const std::size_t star = sjis::find(key, '*');
  return star == sjis::npos ? key : key.substr(0, star);
}

std::string quoted(const std::string& entry) { return entry.empty() ? entry : "\"" + entry + "\""; }

}  // namespace

std::optional<std::vector<ImageRow>> loadImageRows(const std::string& dbPath, const LaunchItem& item,
                                                   bool alterEgo, int limit, platform::MessageSink& sink) {
  const std::string key = db::sqlText(item.fileName);
  const std::string count = std::to_string(std::clamp(limit, 1, kMaxImages));
  const std::string sql =
      alterEgo ? "SELECT ae_file FROM alter_ego_table WHERE ply_pfile_ae=" + key + " OR pfile_ae=" + key +
                     " ORDER BY alter_ego, pfile_ae LIMIT " + count
               : "SELECT file_name, file_arc_title, file_arc_ext, file_title, file_ext FROM main_table WHERE "
                 "ply_file_name=" + key + " OR file_name=" + key + " ORDER BY ply, file_name LIMIT " + count;
  db::DbConnection db;
  db.open(dbPath);
  if (auto error = db.execute(sql)) {
    const char* text = alterEgo ? "分身テーブルを参照できませんでした。\n" : "メインテーブルを参照できませんでした。\n";
    sink.show(text::sjis(text) + *error, text::sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  std::vector<ImageRow> rows;
  for (int row = 1; row <= db.rowCount(); ++row) {
    if (alterEgo) {
      rows.push_back({db.cell(row, 0), "", "", "", ""});
    } else {
      rows.push_back({db.cell(row, 0), db.cell(row, 1), db.cell(row, 2), db.cell(row, 3), db.cell(row, 4)});
    }
  }
  return rows;
}

bool isArchived(const ImageRow& row) { return sjis::find(row.fileName, '*') != sjis::npos; }

std::string handOverPath(const ImageRow& row, const ImageListOptions& options) {
  if (options.handOver >= 1 && isArchived(row))
    return platform::joinPath(options.extractFolder, row.fileArcTitle + "." + row.fileArcExt);
  if (options.handOver == 2) return platform::joinPath(options.extractFolder, row.fileTitle + "." + row.fileExt);
  return beforeStar(row.fileName);
}

std::string renamedForLaunch(const std::string& path, int renameMode, int number) {
  const std::size_t sep = lastSeparator(path);
  const std::string folder = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
  const std::string name = path.substr(folder.size());
  if (renameMode == 1) return folder + sjis::replaceAll(name, " ", "_");
  if (renameMode != 2) return path;
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08d", number);
  const std::string extension = pathPart(name, PathPiece::Extension);
  return folder + serial + (extension.empty() ? "" : "." + extension);
}

std::vector<std::string> buildImageList(const std::vector<ImageRow>& rows, const ImageListOptions& options) {
  if (rows.empty()) return {};
  std::vector<std::string> entries(1);
  const int count = std::min(static_cast<int>(rows.size()), kMaxImages);
  for (int k = 1; k <= count; ++k) {
    std::string entry = handOverPath(rows[k - 1], options);
    if (options.renameForLaunch) entry = renamedForLaunch(entry, options.renameMode, k);
    entries.push_back(entry);
  }
  const bool chosenInList = options.chosenImage >= 1 && options.chosenImage <= count;
  entries[0] = entries[chosenInList ? options.chosenImage : 1];
  if (options.quote)
    for (std::string& entry : entries) entry = quoted(entry);
  return entries;
}

}  // namespace qm::launch
