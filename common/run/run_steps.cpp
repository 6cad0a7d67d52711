#include "common/run/run_steps.h"

#include "common/text/encoding.h"

namespace qm::maintenance {
namespace {

const std::string& dbErrorCaption() {
  static const std::string caption = text::sjis("DBエラー");
  return caption;
}

}  // namespace

const std::string& startedLine() {
  static const std::string line = text::sjis("処理を開始します");
  return line;
}

const std::string& finishedLine() {
  static const std::string line = text::sjis("処理を終了しました");
  return line;
}

const std::string& stoppedLine() {
  static const std::string line = text::sjis("ユーザーからの要求で処理を中止しました");
  return line;
}

const std::string& everyMachineText() {
  static const std::string entry = text::sjis("全ての機種");
  return entry;
}

MachineChoice MachineChoice::everyMachine() { return {true, everyMachineText()}; }
MachineChoice MachineChoice::only(std::string machine) { return {false, std::move(machine)}; }

void inform(const RunContext& run, const std::string& text) {
  run.messages.show(text, "", platform::MessageIcon::Information, platform::MessageButtons::Ok);
}

void reportDbError(const RunContext& run, const std::string& message, const std::string& error) {
  run.messages.show(message + error, dbErrorCaption(), platform::MessageIcon::Error, platform::MessageButtons::Ok);
}

void dropListView(db::DbConnection& db, ItemListHook& itemList) {
  db.execute("DROP VIEW list_view;");
  itemList.emptied();
}

bool beginRun(db::WriteTransaction& transaction, const RunContext& run) {
  const auto error = transaction.begin();
  if (error) reportDbError(run, text::sjis("処理を開始できませんでした。\n"), *error);
  return !error;
}

bool commitRun(db::WriteTransaction& transaction, const RunContext& run) {
  const auto error = transaction.commit();
  if (!error) return true;
  const std::string reason = *error;
  run.observer.log(text::sjis("[ERROR] 処理結果を確定できませんでした：") + reason);
  reportDbError(run, text::sjis("処理結果をデータベースに書き込めませんでした。\n"), reason);
  return false;
}

}  // namespace qm::maintenance
