#include "app/library/library_backup.h"

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::shell {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

std::string caption() { return sjis("データベースのバックアップ"); }

}  // namespace

dblib::Backup backupLibrary(const std::string& dbPath, platform::MessageSink& sink) {
  const dblib::Backup backup =
      dblib::backupDatabase(platform::folderOf(dbPath), platform::fileNameOf(dbPath), dbPath);
  if (backup.ok()) return backup;
  const std::string text = backup.status == dblib::BackupStatus::NoSource
                               ? sjis("データベースファイルが見つかりません。\n") + backup.path
                               : sjis("データベースファイルをバックアップできませんでした。\n") + backup.path;
  sink.show(text, caption(), MessageIcon::Error, MessageButtons::Ok);
  return backup;
}

void runLibraryBackup(const std::string& dbPath, platform::MessageSink& sink) {
  const std::string question = sjis(
      "データベースファイル Quillmoor.db を、\nQuillmoor_[日付_時刻]BUP_DBverX.db にバックアップします。");
  if (sink.show(question, caption(), MessageIcon::Question, MessageButtons::OkCancel) !=
      platform::MessageAnswer::Ok)
    return;
  const dblib::Backup backup = backupLibrary(dbPath, sink);
  if (backup.ok())
    sink.show(sjis("バックアップしました。\n") + backup.path, caption(), MessageIcon::Information,
              MessageButtons::Ok);
}

}  // namespace qm::shell
