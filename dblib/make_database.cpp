#include <algorithm>
#include <cctype>

#include "common/db/max_disk.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "dblib/schema.h"
#include "dblib/setup_context.h"

namespace qm::dblib {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

constexpr std::string_view kUpgradeQuestion =
    "データベース構造のアップデートを行います。\n※旧データベースファイルは\nQuillmoor_[日付_時刻]BUP_DBverX.db "
    "へバックアップされます。\n\nOKをクリックで開始しますが、少し時間がかかる場合があります。\nそのままでお待ちください。";
constexpr std::string_view kAbort = "\n処理を中止します\n";

std::string creationFailureMessage(const CreationStatement& statement) {
  if (statement.sentence.empty()) return statement.object + " トリガが作成できませんでした。" + std::string(kAbort);
  return "\"" + statement.object + "\"\n" + statement.sentence + std::string(kAbort);
}

// A half-made file is discarded so that the next start creates it anew. Our
// connections are closed first (Windows refuses to delete an open file); if
// another holds it open, emptying it has the same effect.
void discardHalfMadeDatabase(const SetupPaths& paths) {
  if (deleteDatabaseFiles(paths.programFolder, paths.dbFileName) > 0) return;
  if (platform::fileExists(paths.dbPath)) platform::truncateFile(paths.dbPath);
}

bool seedMasterRows(SetupContext& ctx) {
  const auto failed = db::inWriteTransaction(ctx.db, [&]() -> std::optional<std::string> {
    for (const auto& row : masterRowStatements(ctx.paths.programFolder)) {
      if (auto error = ctx.db.execute(row)) return error;
    }
    return ctx.db.execute("INSERT INTO qlm_table(ver) VALUES(" + std::to_string(kSchemaVersion) + ");");
  });
  if (!failed) return true;
  const std::string reason = *failed;
  ctx.reportError("初期データを登録できませんでした。\n処理を中止します\n", reason, kDbErrorCaption);
  return false;
}

SetupOutcome createDatabase(SetupContext& ctx) {
  for (const auto& statement : creationStatements()) {
    if (auto error = ctx.db.execute(statement.sql)) {
      ctx.reportError(creationFailureMessage(statement), *error, kDbErrorCaption);
      return SetupOutcome::Failed;
    }
  }
  return seedMasterRows(ctx) ? SetupOutcome::Created : SetupOutcome::Failed;
}

// A file without a single table holds no library, whatever else is in it (an
// empty file, or one where only the item list's view was made): it is made
// anew. A file that cannot be read as a database is left to the version check,
// which reports it and changes nothing.
bool databaseExists(const std::string& path) {
  auto size = platform::fileSize(path);
  if (!size || *size == 0) return false;
  db::DbConnection db;
  db.open(path);
  if (db.execute("SELECT count(*) FROM sqlite_master WHERE type='table';")) return true;
  return db.cell(1, 0) != "0";
}

bool askForUpgrade(SetupContext& ctx) {
  return ctx.sink.show(sjis(kUpgradeQuestion), sjis("DB構造のアップデート"), MessageIcon::Information,
                       MessageButtons::OkCancel) == MessageAnswer::Ok;
}

SetupResult upgradeAndMaintain(SetupContext& ctx, int version) {
  SetupResult result;
  result.versionBefore = version;
  if (version < kSchemaVersion) {
    if (!askForUpgrade(ctx)) {
      result.outcome = SetupOutcome::Declined;
      return result;
    }
    if (!ctx.ensureBackup()) return result;
    result.backupPath = ctx.backupPath;
  }
  db::rebuildMaxDisk(ctx.db);
  if (!runUpgradeSteps(ctx, version) || !repairLayout(ctx)) return result;
  runStartMaintenance(ctx);
  result.backupPath = ctx.backupPath;
  result.outcome = version < kSchemaVersion ? SetupOutcome::Upgraded : SetupOutcome::Ready;
  return result;
}

}  // namespace

void SetupContext::reportError(std::string_view messageUtf8, const std::string& detail,
                               std::string_view captionUtf8) {
  sink.show(sjis(messageUtf8) + detail, sjis(captionUtf8), MessageIcon::Error, MessageButtons::Ok);
}

bool SetupContext::run(std::string_view sql, std::string_view messageUtf8, std::string_view captionUtf8) {
  auto error = db.execute(sql);
  if (error) reportError(messageUtf8, *error, captionUtf8);
  return !error;
}

bool SetupContext::beginUpdate(db::WriteTransaction& transaction) {
  auto error = transaction.begin();
  if (error) reportError("データベース構造のアップデートを開始できませんでした。\n", *error);
  return !error;
}

bool SetupContext::commitUpdate(db::WriteTransaction& transaction) {
  auto error = transaction.commit();
  if (error) reportError("データベース構造のアップデートを確定できませんでした。\n", *error);
  return !error;
}

bool SetupContext::ensureBackup() {
  if (!backupPath.empty()) return true;
  Backup backup = backupDatabase(paths.programFolder, paths.dbFileName, paths.dbPath);
  if (!backup.ok()) {
    reportError("データベースのバックアップを作成できませんでした。\nデータベースは変更していません。\n",
                backup.path);
    return false;
  }
  backupPath = backup.path;
  return true;
}

int readSchemaVersion(SetupContext& ctx) {
  constexpr std::string_view kUnreadable = "バージョンテーブルを参照できませんでした";
  if (auto error = ctx.db.execute("SELECT ver FROM qlm_table ;")) {
    ctx.reportError(kUnreadable, *error);
    return -1;
  }
  if (ctx.db.rowCount() < 1) return 0;
  std::string value = ctx.db.cell(1, 0);
  // A version that is not a number would send the file through every upgrade
  // step; better to leave it alone and say why.
  if (value.empty() || !std::isdigit(static_cast<unsigned char>(value[0]))) {
    ctx.reportError(std::string(kUnreadable) + "\nqlm_table.ver: ", value);
    return -1;
  }
  long long version = 0;
  for (std::size_t i = 0; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
    version = std::min<long long>(version * 10 + (value[i] - '0'), 1'000'000'000);
  return static_cast<int>(version);
}

SetupResult makeDatabase(const SetupPaths& paths, platform::MessageSink& sink) {
  const bool exists = databaseExists(paths.dbPath);
  SetupResult result;
  {
    db::DbConnection db;
    db.open(paths.dbPath);
    SetupContext ctx{paths, sink, db, {}};
    if (!exists) {
      result.outcome = createDatabase(ctx);
    } else {
      int version = readSchemaVersion(ctx);
      if (version < 0) {
        result.outcome = SetupOutcome::VersionUnreadable;
        return result;
      }
      result = upgradeAndMaintain(ctx, version);
    }
  }
  if (!exists && result.outcome == SetupOutcome::Failed) discardHalfMadeDatabase(paths);
  return result;
}

int exportResult(SetupOutcome outcome) {
  switch (outcome) {
    case SetupOutcome::Created:
    case SetupOutcome::Ready:
    case SetupOutcome::Upgraded:
    case SetupOutcome::VersionUnreadable:
      return 0;
    case SetupOutcome::Declined:
    case SetupOutcome::Failed:
      break;
  }
  return -1;
}

}  // namespace qm::dblib
