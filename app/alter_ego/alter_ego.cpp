#include "app/alter_ego/alter_ego.h"

#include <vector>

#include "common/archive/extraction_target.h"
#include "common/archive/member_extract.h"
#include "common/db/db_connection.h"
#include "common/db/write_transaction.h"
#include "common/platform/confined_delete.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::alter_ego {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

void stop(platform::MessageSink& sink, const std::string& text) {
  sink.show(text, sjis("中止"), MessageIcon::Error, MessageButtons::Ok);
}

// The copies written so far; unless kept, they and the folder go again.
class CopiedFiles {
public:
  explicit CopiedFiles(std::string folder) : folder_(std::move(folder)) {}
  ~CopiedFiles() {
    if (kept_) return;
    for (const std::string& file : files_) platform::deleteFile(file);
    platform::removeEmptyFolder(folder_);
  }
  CopiedFiles(const CopiedFiles&) = delete;
  CopiedFiles& operator=(const CopiedFiles&) = delete;

  // Copies or extracts the image `key` into the folder; the copy's path, or
  // nothing. An existing file is never replaced: two disks of a set with the
  // same name fail here.
  std::optional<std::string> copy(const std::string& key) {
    const std::size_t star = sjis::find(key, '*');
    if (star == sjis::npos) {
      const std::string target = platform::joinPath(folder_, platform::fileNameOf(key));
      if (platform::copyFileNoOverwrite(key, target) != platform::CopyResult::Copied) return std::nullopt;
      files_.push_back(target);
      return target;
    }
    const std::string archivePath = key.substr(0, star);
    const std::string member = key.substr(star + 1);
    const auto target = archive::extractionTarget(folder_, member);
    if (!target || platform::fileExists(*target)) return std::nullopt;
    const archive::ExtractResult extracted = archive::extractMember(archivePath, member, folder_);
    if (extracted.error || extracted.path.empty()) return std::nullopt;
    files_.push_back(extracted.path);
    return extracted.path;
  }
  void keep() { kept_ = true; }

private:
  std::string folder_;
  std::vector<std::string> files_;
  bool kept_ = false;
};

bool makeFolder(const std::string& folder, platform::MessageSink& sink) {
  if (platform::fileExists(folder)) {
    stop(sink, sjis("既に同名のフォルダが存在しているようです。"));
    return false;
  }
  if (!platform::createFolder(folder)) {
    stop(sink, sjis("フォルダを作成出来ませんでした。"));
    return false;
  }
  return true;
}

std::string insertRow(const std::string& key, const std::string& copy, int number, const std::string& parent) {
  if (number == 1)
    return "INSERT INTO alter_ego_table( pfile_ae, ae_file, alter_ego ) VALUES( " + db::sqlText(key) + "," +
           db::sqlText(copy) + ",'1' );";
  return "INSERT INTO alter_ego_table( pfile_ae, ae_file, alter_ego, ply_pfile_ae ) VALUES( " + db::sqlText(key) + "," +
         db::sqlText(copy) + ",'" + std::to_string(number) + "'," + db::sqlText(parent) + " );";
}

const char* kStoreFailed = "分身テーブルに格納できませんでした。\n";

// The children's copies and rows; false after the failure was shown.
bool copyChildren(db::DbConnection& db, const AlterEgoItem& item, CopiedFiles& copies, platform::MessageSink& sink) {
  if (auto error = db.execute("SELECT file_name, file_title, file_ext, file_arc_title, file_arc_ext, ply FROM main_table "
                              "WHERE ply_file_name =" + db::sqlText(item.fileName) + " AND ply > 1 ORDER BY ply;")) {
    sink.show(sjis("子イメージを選出できませんでした。\n") + *error, sjis("DBエラー"), MessageIcon::Error,
              MessageButtons::Ok);
    return false;
  }
  std::vector<std::string> children;
  for (int row = 1; row <= db.rowCount(); ++row) children.push_back(db.cell(row, 0));
  int number = 2;
  for (const std::string& child : children) {
    const auto copy = copies.copy(child);
    if (!copy) {
      stop(sink, sjis("子イメージのコピー又は解凍が出来ませんでした。"));
      return false;
    }
    if (auto error = db.execute(insertRow(child, *copy, number++, item.fileName))) {
      stop(sink, sjis(kStoreFailed) + *error);
      return false;
    }
  }
  return true;
}

// A copy's row is text anyone may have edited: a path that resolves to the
// library or to one of its images (or to an archive holding some) is no copy.
platform::DeleteDecision mayDeleteCopy(db::DbConnection& db, const std::string& dbPath, const std::string& copy) {
  // Keys may be written with either separator; "/" is never part of a
  // double-byte character, so both sides take "\" for it.
  const auto folded = [](const std::string& sql) { return "replace(lower(" + sql + "),'/','\\')"; };
  const auto isLibraryFile = [&](const std::string& path) {
    const std::string text = db::sqlText(path);
    // A library that cannot be read is taken as holding the file: deleting is the risk.
    return db.execute("SELECT 1 FROM main_table WHERE " + folded("file_name") + "=" + folded(text) + " OR " +
                      folded("substr(file_name,1,length(" + text + ")+1)") + "=" + folded(text + "||'*'") +
                      " LIMIT 1;") ||
           db.rowCount() > 0;
  };
  return platform::mayDeleteFile({copy, {{dbPath, platform::Guard::Itself}}, isLibraryFile});
}

}  // namespace

std::optional<std::string> recordedCopy(const std::string& dbPath, const std::string& fileName) {
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT ae_file FROM alter_ego_table WHERE pfile_ae = " + db::sqlText(fileName) + " LIMIT 1;") ||
      db.rowCount() == 0)
    return std::nullopt;
  return db.cell(1, 0);
}

bool createAlterEgo(const std::string& dbPath, const AlterEgoItem& item, const FolderFields& fields,
                    platform::MessageSink& sink) {
  const auto folder = checkedFolder(fields, sink);
  if (!folder || !makeFolder(*folder, sink)) return false;
  CopiedFiles copies(*folder);
  const auto parentCopy = copies.copy(item.fileName);
  if (!parentCopy) {
    stop(sink, sjis("イメージファイルのコピー又は解凍に失敗しました。"));
    return false;
  }
  db::DbConnection db;
  db.open(dbPath);
  db::WriteTransaction transaction(db);
  if (auto error = transaction.begin()) {
    stop(sink, sjis(kStoreFailed) + *error);
    return false;
  }
  if (auto error = db.execute(insertRow(item.fileName, *parentCopy, 1, ""))) {
    transaction.rollback();
    stop(sink, sjis(kStoreFailed) + *error);
    return false;
  }
  if (item.ply == "1" && !copyChildren(db, item, copies, sink)) return false;
  if (auto error = transaction.commit()) {
    stop(sink, sjis(kStoreFailed) + *error);
    return false;
  }
  copies.keep();
  platform::inform(sink, sjis("分身を作成しました。"));
  return true;
}

bool removeAlterEgo(const std::string& dbPath, const std::string& fileName, platform::MessageSink& sink) {
  db::DbConnection db;
  db.open(dbPath);
  const std::string key = db::sqlText(fileName);
  if (auto error = db.execute("SELECT ae_file FROM alter_ego_table WHERE pfile_ae = " + key +
                              " OR ply_pfile_ae = " + key + " ORDER BY alter_ego;")) {
    sink.show(sjis("分身テーブルから情報を削除できませんでした。"), sjis("エラー"), MessageIcon::Error,
              MessageButtons::Ok);
    return false;
  }
  std::vector<std::string> copies;
  for (int row = 1; row <= db.rowCount(); ++row) copies.push_back(db.cell(row, 0));
  const std::string folder = copies.empty() ? std::string() : platform::folderOf(copies.front());
  if (folder.empty() || !platform::folderExists(folder)) {
    if (sink.show(sjis("分身作成先フォルダを削除できませんでした。\n既に削除されている可能性があります。\n\n"
                       "データベースの分身情報も削除しますか？"),
                  sjis("確認"), MessageIcon::Question, MessageButtons::YesNo) != platform::MessageAnswer::Yes)
      return false;
  } else {
    bool inUse = false;
    for (const std::string& copy : copies) {
      const platform::DeleteDecision decision = mayDeleteCopy(db, dbPath, copy);
      if (decision.refusal == platform::DeleteRefusal::Protected ||
          decision.refusal == platform::DeleteRefusal::HoldsProtected) {
        platform::inform(sink, sjis("ライブラリのファイルのため削除しませんでした。\n") + copy);
      } else if (decision.allowed() && !platform::deleteFile(decision.resolved)) {
        inUse = true;
      }
    }
    if (inUse) {
      stop(sink, sjis("分身作成先フォルダを削除できませんでした。\nファイルが使用中の可能性があります。"));
      return false;
    }
    // Files the emulator saved beside the copies keep the folder.
    platform::removeEmptyFolder(folder);
  }
  if (db.execute("DELETE FROM alter_ego_table WHERE pfile_ae = " + key + " OR ply_pfile_ae = " + key + ";")) {
    sink.show(sjis("分身テーブルから情報を削除できませんでした。"), sjis("エラー"), MessageIcon::Error,
              MessageButtons::Ok);
    return false;
  }
  platform::inform(sink, sjis("分身を解除しました。"));
  return true;
}

std::optional<AlterEgoItem> readAlterEgoItem(const std::string& dbPath, const std::string& fileName) {
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT file_name, machine_name, ply FROM main_table WHERE file_name = " + db::sqlText(fileName) +
                 ";") ||
      db.rowCount() == 0)
    return std::nullopt;
  return AlterEgoItem{db.cell(1, 0), db.cell(1, 1), db.cell(1, 2)};
}

}  // namespace qm::alter_ego
