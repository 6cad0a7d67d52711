#include "app/maintenance/multi_image.h"

#include <cstdlib>

#include "common/db/db_connection.h"
#include "common/db/max_disk.h"
#include "common/db/write_transaction.h"
#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

using db::DbConnection;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

void dbError(platform::MessageSink& sink, const char* utf8, const std::string& reason) {
  sink.show(sjis(utf8) + reason, sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
}

// Disk numbers are read the way the list holds them: as text.
int plyOf(const SetItem& item) { return std::atoi(item.ply.c_str()); }

constexpr const char* kUpdateFailed = "メインテーブルを更新できませんでした。\n";

}  // namespace

SetOutcome joinIntoSet(const std::string& dbPath, const SetItem& target, const std::vector<SetItem>& dropped,
                       platform::MessageSink& sink) {
  SetOutcome outcome;
  if (target.alterEgo == "1") {
    platform::inform(sink, sjis("分身起動アイテムへはドロップできません。"));
    return outcome;
  }
  if (plyOf(target) >= 2) {
    platform::inform(sink, sjis("子イメージへは結合できません"));
    return outcome;
  }
  // The target would otherwise become its own child.
  std::vector<const SetItem*> walk;
  for (const SetItem& item : dropped)
    if (item.fileName != target.fileName) walk.push_back(&item);
  if (walk.empty()) return outcome;
  for (const SetItem* item : walk) {
    if (item->ply != "0") {
      platform::inform(
          sink, sjis("複数イメージ状態のアイテムは、他と結合できません。\n複数イメージ状態を解除してから結合してください。"));
      return outcome;
    }
  }
  for (const SetItem* item : walk) {
    if (item->machineName == target.machineName) continue;
    if (sink.show(sjis("異なる機種のイメージを複数イメージにしようとしています。\n複数イメージに設定しますか？"), "",
                  MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
      return outcome;
    break;
  }

  outcome.ran = true;
  DbConnection db;
  db.open(dbPath);
  int next = 2;
  if (target.ply != "0") {
    // A parent whose children are all gone has no row here: numbering goes on from 2.
    if (!db.execute("SELECT ply FROM main_table WHERE ply_file_name=" + db::sqlText(target.fileName) +
                    " ORDER BY ply DESC LIMIT 1;") &&
        db.rowCount() > 0)
      next = std::atoi(db.cell(1, 0).c_str()) + 1;
  }
  db::WriteTransaction transaction(db);
  if (auto error = transaction.begin()) {
    dbError(sink, kUpdateFailed, *error);
    outcome.failed = true;
  } else {
    if (auto error = db.execute("UPDATE main_table SET ply=1 WHERE file_name=" + db::sqlText(target.fileName) + " ;")) {
      dbError(sink, kUpdateFailed, *error);
      outcome.failed = true;
    } else {
      for (const SetItem* item : walk) {
        if (auto error = db.execute("UPDATE main_table SET ply=" + std::to_string(next++) +
                                    ", ply_file_name=" + db::sqlText(target.fileName) +
                                    " WHERE file_name=" + db::sqlText(item->fileName) + " ;")) {
          dbError(sink, kUpdateFailed, *error);
          outcome.failed = true;
        }
      }
    }
    // Half a set is worse than none: any failure undoes the whole join.
    if (!outcome.failed) {
      if (auto error = transaction.commit()) {
        dbError(sink, kUpdateFailed, *error);
        outcome.failed = true;
      }
    }
    transaction.rollback();
  }
  db.close();
  db::rebuildMaxDisk(dbPath);
  return outcome;
}

SetOutcome dissolveSet(const std::string& dbPath, const SetItem& parent, platform::MessageSink& sink) {
  SetOutcome outcome;
  if (parent.ply != "1") return outcome;
  if (parent.alterEgo == "1") {
    platform::inform(sink, sjis("分身起動アイテムは複数ディスク状態を解除できません。\n分身を解除してから再度複数ディスク状態を解除して下さい。"));
    return outcome;
  }
  outcome.ran = true;
  {
    DbConnection db;
    db.open(dbPath);
    const std::string key = db::sqlText(parent.fileName);
    if (auto error = db.execute("UPDATE main_table SET ply=0, ply_file_name='' WHERE file_name=" + key +
                                " OR ply_file_name=" + key + " ;")) {
      dbError(sink, kUpdateFailed, *error);
      outcome.failed = true;
    }
  }
  db::rebuildMaxDisk(dbPath);
  return outcome;
}

SetOutcome removeFromLibrary(const std::string& dbPath, const std::vector<SetItem>& selected,
                             platform::MessageSink& sink) {
  SetOutcome outcome;
  if (selected.empty()) return outcome;
  if (sink.show(sjis("選択された項目をライブラリから削除します\n（実際のファイルは削除されません）\nよろしいですか？"),
                sjis("確認"), MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return outcome;
  outcome.ran = true;
  {
    DbConnection db;
    db.open(dbPath);
    std::string lastFailure;
    db::WriteTransaction transaction(db);
    if (auto error = transaction.begin()) {
      outcome.failed = true;
      lastFailure = *error;
    } else {
      for (const SetItem& item : selected) {
        const std::string key = db::sqlText(item.fileName);
        const std::string sql = item.ply == "1"
                                    ? "DELETE FROM main_table WHERE file_name=" + key + " OR ply_file_name=" + key + " ;"
                                    : "DELETE FROM main_table WHERE file_name=" + key + " ;";
        if (auto error = db.execute(sql)) {
          outcome.failed = true;
          lastFailure = *error;
        }
      }
      if (auto error = transaction.commit()) {
        outcome.failed = true;
        lastFailure = *error;
      }
    }
    if (outcome.failed) dbError(sink, "いくつかのイメージの削除に失敗しました。\n", lastFailure);
  }
  db::rebuildMaxDisk(dbPath);
  return outcome;
}

SetItemLookup readSetItems(const std::string& dbPath, const std::vector<std::string>& keys) {
  SetItemLookup lookup;
  DbConnection db;
  db.open(dbPath);
  for (const std::string& key : keys) {
    if (auto error = db.execute("SELECT file_name, machine_name, ply, alter_ego FROM main_table "
                                "LEFT JOIN alter_ego_table ON file_name = pfile_ae WHERE file_name=" +
                                db::sqlText(key) + " ;")) {
      lookup.error = *error;
      return lookup;
    }
    if (db.rowCount() == 0) {
      lookup.missing.push_back(key);
      continue;
    }
    lookup.items.push_back({db.cell(1, 0), db.cell(1, 1), db.cell(1, 2), db.cell(1, 3)});
  }
  return lookup;
}

}  // namespace qm::maintenance
