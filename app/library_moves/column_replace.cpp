#include "app/library_moves/column_replace.h"

#include <array>

#include "app/library_moves/key_moves.h"
#include "common/db/max_disk.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "dblib/schema.h"

namespace qm::moves {
namespace {

using db::DbConnection;
using maintenance::RunStatus;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

constexpr std::array<const char*, kColumnCount> kColumns{"file_name", "maker", "developer", "version", "country"};
constexpr std::array<const char*, kColumnCount> kChoiceTexts{
    "プライマリキー（イメージパス）", "メーカー", "開発元", "バージョン/コメント", "国"};

bool isKey(const ReplaceRequest& request) { return request.column == 0; }

void failedLine(const RunContext& run) { run.observer.log(sjis("置換に失敗しました。")); }

// Inputs a run cannot work with: told to the user, nothing done.
bool refused(const RunContext& run, const ReplaceRequest& request) {
  if (request.machine.none() || request.column < 0 || request.column >= kColumnCount) return true;
  const char* why = request.from.empty() ? "置換前の文字列が空です。\n中止します。"
                    : request.from == request.to ? "置換前と置換後の文字列が同じです。\n中止します。"
                                                 : nullptr;
  if (why) run.messages.show(sjis(why), sjis("確認"), MessageIcon::Information, MessageButtons::Ok);
  return why != nullptr;
}

std::string machineWhere(const ReplaceRequest& request) {
  return request.machine.all ? "" : "machine_name=" + db::sqlText(request.machine.name);
}

std::string replaced(const std::string& column, const ReplaceRequest& request) {
  return "REPLACE(" + column + "," + db::sqlText(request.from) + "," + db::sqlText(request.to) + ")";
}

// After every run on the key, whatever its end: later renames of a key carry
// into the side rows through it.
void recreateTrigger(const RunContext& run, DbConnection& db) {
  db.execute("DROP TRIGGER update_main_pkey;");
  if (auto error = db.execute(dblib::updateMainPkeyTrigger())) maintenance::inform(run, sjis("トリガ作成失敗\n") + *error);
}

bool machineHasImages(const RunContext& run, DbConnection& db, const ReplaceRequest& request) {
  if (request.machine.all) return true;
  const char* why = nullptr;
  std::string detail;
  if (auto error = db.execute("SELECT 1 FROM main_table WHERE " + machineWhere(request) + " LIMIT 1;")) {
    why = "その機種のプライマリキー取得に失敗しました。\n置換されませんでした。\n";
    detail = *error;
  } else if (db.rowCount() == 0) {
    why = "その機種に登録がありません。\n置換されませんでした。";
  }
  if (!why) return true;
  maintenance::inform(run, sjis(why) + detail);
  failedLine(run);
  return false;
}

std::string keyFailureText(const KeyMoveFailure& failure) {
  if (!failure.emptied.empty())
    return sjis("プライマリキーの置換が失敗しました。\n置換後のキーが空になります：\n") + failure.emptied +
           sjis("\n置換されませんでした。");
  if (!failure.collision.empty())
    return sjis("プライマリキーの置換が失敗しました。\n置換後のキーが他のイメージと重なります：\n") +
           failure.collision + sjis("\n置換されませんでした。");
  return sjis("プライマリキーの置換が失敗しました。\n置換されませんでした。\n") + failure.error;
}

// Everything in one transaction: the trigger is dropped first, so that no key
// is carried twice, and made again before the commit.
bool replaceKeys(const RunContext& run, DbConnection& db, const ReplaceRequest& request, RunResult& result) {
  db::WriteTransaction transaction(db);
  if (!machineHasImages(run, db, request) || !maintenance::beginRun(transaction, run)) return false;
  db.execute("DROP TRIGGER update_main_pkey;");
  const auto failure = moveKeys(db, request.from, request.to, request.machine.all ? "" : request.machine.name,
                                &result.done);
  if (failure) {
    transaction.rollback();
    maintenance::inform(run, keyFailureText(*failure));
    failedLine(run);
    return false;
  }
  recreateTrigger(run, db);
  if (!maintenance::commitRun(transaction, run)) return false;
  run.observer.log(sjis("置換を実行しました。"));
  if (auto error = db::rebuildMaxDisk(db))
    run.observer.log(sjis("[ERROR] ディスク枚数の一覧を更新できませんでした：") + *error);
  return true;
}

bool replaceOther(const RunContext& run, DbConnection& db, const ReplaceRequest& request) {
  db::WriteTransaction transaction(db);
  if (!maintenance::beginRun(transaction, run)) return false;
  const std::string column = columnName(request.column);
  const std::string where = request.machine.all ? ";" : "WHERE " + machineWhere(request) + ";";
  if (auto error = db.execute("UPDATE main_table SET " + column + "=" + replaced(column, request) + " " + where)) {
    const std::string reason = *error;
    transaction.rollback();
    maintenance::inform(run, sjis("カラム値の置換が失敗しました。\n置換されませんでした。\n") + reason);
    failedLine(run);
    return false;
  }
  if (!maintenance::commitRun(transaction, run)) return false;
  run.observer.log(sjis("置換を実行しました。"));
  return true;
}

void logConditions(const RunContext& run, const ReplaceRequest& request) {
  run.observer.log(request.machine.name + sjis(" ： ") + columnChoiceText(request.column));
  run.observer.log(request.from + sjis(" → ") + request.to);
  run.observer.log(sjis("以上の条件で置換します。"));
}

bool confirmed(const RunContext& run) {
  const MessageAnswer answer =
      run.messages.show(sjis("置換は一括実行され途中で中止できません。\n実行しますか？"), sjis("確認"),
                        MessageIcon::Question, MessageButtons::YesNo);
  if (answer == MessageAnswer::Yes) return true;
  run.observer.log(sjis("中止しました。"));
  return false;
}

}  // namespace

const char* columnName(int choice) {
  return choice >= 0 && choice < kColumnCount ? kColumns[static_cast<std::size_t>(choice)] : "";
}

const std::string& columnChoiceText(int choice) {
  static const std::array<std::string, kColumnCount> texts{sjis(kChoiceTexts[0]), sjis(kChoiceTexts[1]),
                                                           sjis(kChoiceTexts[2]), sjis(kChoiceTexts[3]),
                                                           sjis(kChoiceTexts[4])};
  static const std::string none;
  return choice >= 0 && choice < kColumnCount ? texts[static_cast<std::size_t>(choice)] : none;
}

int columnChoiceOf(const std::string& name) {
  for (int choice = 0; choice < kColumnCount; ++choice)
    if (name == columnName(choice) || name == columnChoiceText(choice)) return choice;
  return -1;
}

RunResult listReplacements(const RunContext& run, const ReplaceRequest& request) {
  if (refused(run, request)) return {RunStatus::NoMachine};
  run.observer.log(sjis("---置換結果のシミュレーション---"));
  const std::string column = columnName(request.column);
  const std::string machine = request.machine.all ? "" : machineWhere(request) + " AND ";
  DbConnection db;
  db.open(run.dbPath);
  // instr() takes the text as it is: "%" and "_" are no wildcards and letter
  // case counts, as in REPLACE().
  const std::string sql = "SELECT DISTINCT " + column + ", " + replaced(column, request) +
                          " FROM main_table WHERE " + machine + "instr(" + column + "," +
                          db::sqlText(request.from) + ")>0;";
  if (auto error = db.execute(sql)) {
    maintenance::inform(run, sjis("カラム値の置換テストを失敗しました。\n") + *error);
    run.observer.log(sjis("失敗しました。"));
    return {RunStatus::SelectFailed};
  }
  RunResult result{RunStatus::Completed, db.rowCount()};
  for (int row = 1; row <= result.rows; ++row) {
    run.observer.log(db.cell(row, 0) + " -> " + db.cell(row, 1));
    ++result.done;
    if (maintenance::stopRequested(run.stop)) {
      result.status = RunStatus::Stopped;
      break;
    }
  }
  run.observer.log(result.status == RunStatus::Stopped
                       ? sjis("ユーザーからの要求でリストアップを中断しました")
                       : std::to_string(result.rows) + sjis(" パターンのマッチがありました。"));
  return result;
}

RunResult replaceValues(const RunContext& run, const ReplaceRequest& request) {
  if (refused(run, request)) return {RunStatus::NoMachine};
  logConditions(run, request);
  DbConnection db;
  db.open(run.dbPath);
  RunResult result{RunStatus::Declined};
  if (confirmed(run)) {
    run.observer.log(sjis("置換処理中です。しばらくお待ち下さい・・・。"));
    const bool done = isKey(request) ? replaceKeys(run, db, request, result) : replaceOther(run, db, request);
    result.status = done ? RunStatus::Completed : RunStatus::CommitFailed;
  }
  if (isKey(request) && result.status != RunStatus::Completed) recreateTrigger(run, db);
  maintenance::dropListView(db, run.itemList);
  run.itemList.refresh();
  return result;
}

}  // namespace qm::moves
