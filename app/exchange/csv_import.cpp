#include "app/exchange/csv_import.h"

#include <array>
#include <memory>
#include <optional>

#include "app/exchange/csv_columns.h"
#include "app/exchange/csv_text.h"
#include "common/db/db_connection.h"
#include "common/db/prepared_statement.h"
#include "common/platform/file_attributes.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "common/text/input_text.h"
#include "common/text/sjis.h"
#include "common/text/smart_title.h"
#include "crclib/registration_rules.h"

namespace qm::exchange {
namespace {

using db::DbConnection;
using db::PreparedStatement;
using maintenance::RunContext;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

enum class Stored { Yes, Skipped, Failed };

std::string lineTag(long line) { return "(Line:" + std::to_string(line) + ")"; }

// The fields of `table` among the record's first `count`, as "col=?, ..." and
// the field numbers in that order; the title brings its smart title first.
struct Assignments {
  std::string list;
  std::vector<int> fields;  // -1: the smart title
};

Assignments assignmentsOf(CsvTable table, std::size_t count) {
  Assignments out;
  const auto add = [&out](const std::string& column, int field) {
    out.list += (out.list.empty() ? "" : ", ") + column + "=?";
    out.fields.push_back(field);
  };
  for (std::size_t f = 1; f < count; ++f) {
    const CsvColumn& column = csvColumns()[f];
    if (column.table != table) continue;
    if (f == kTitleField) add("smart_title", -1);
    add(column.column, static_cast<int>(f));
  }
  return out;
}

// Statements compiled once per table and record length: a record holding n
// fields always holds fields 0 to n-1, so there are at most 24 shapes.
class ImportStatements {
public:
  explicit ImportStatements(DbConnection& db) : db_(db) {}

  // UPDATE of `table` for a record of `count` fields; null when the record
  // holds no field of it, or when it does not compile (`error` says why).
  PreparedStatement* update(CsvTable table, std::size_t count, std::string& error) {
    auto& slot = updates_[static_cast<int>(table)][count];
    if (!slot.statement) prepareUpdate(table, count, slot, error);
    return slot.fields.empty() ? nullptr : slot.statement.get();
  }
  const std::vector<int>& fields(CsvTable table, std::size_t count) const {
    return updates_[static_cast<int>(table)][count].fields;
  }
  // "SAVEPOINT csv_record;" or "RELEASE csv_record;", compiled once.
  std::optional<std::string> savepoint(bool open) {
    PreparedStatement& slot = savepoints_[open ? 0 : 1];
    if (!slot.prepared())
      if (auto e = slot.prepare(db_, open ? "SAVEPOINT csv_record;" : "RELEASE csv_record;")) return e;
    return slot.run();
  }
  PreparedStatement& sideRow(CsvTable table, std::string& error) {
    auto& slot = sideRows_[table == CsvTable::Details ? 0 : 1];
    if (!slot.prepared()) {
      const char* sql = table == CsvTable::Details
                            ? "INSERT OR IGNORE INTO spec_table VALUES(?,'','','','','','','','');"
                            : "INSERT OR IGNORE INTO creator_table VALUES(?,'');";
      if (auto e = slot.prepare(db_, sql)) error = *e;
    }
    return slot;
  }

private:
  struct Update {
    std::unique_ptr<PreparedStatement> statement;
    std::vector<int> fields;
  };
  void prepareUpdate(CsvTable table, std::size_t count, Update& slot, std::string& error) {
    static const char* const tables[] = {"main_table", "spec_table", "creator_table"};
    static const char* const keys[] = {"file_name", "pfile_sc", "pfile_cr"};
    const Assignments a = assignmentsOf(table, count);
    slot.statement = std::make_unique<PreparedStatement>();
    slot.fields = a.fields;
    if (a.fields.empty()) return;
    const int t = static_cast<int>(table);
    const std::string sql =
        std::string("UPDATE ") + tables[t] + " SET " + a.list + " WHERE " + keys[t] + "=?;";
    if (auto e = slot.statement->prepare(db_, sql)) error = *e;
  }

  DbConnection& db_;
  std::array<std::array<Update, kCsvFieldCount + 1>, 3> updates_;
  std::array<PreparedStatement, 2> sideRows_;
  std::array<PreparedStatement, 2> savepoints_;
};

class RecordImporter {
public:
  RecordImporter(const RunContext& run, DbConnection& db, const text::SymbolTables& tables)
      : run_(run), db_(db), statements_(db), smartTitle_(text::smartTitleNormalizer(tables)) {}

  Stored store(const CsvRecordRead& record, CsvOutcome& outcome);

private:
  bool valid(const CsvRecordRead& record, std::size_t count);
  bool refuse(const std::string& text, const std::string& logLine, long line);
  bool wantsNewKey(const std::string& key);
  std::optional<std::string> update(CsvTable table, const std::vector<std::string>& fields, std::size_t count);
  std::optional<std::string> sideTable(CsvTable table, const std::vector<std::string>& fields, std::size_t count);
  Stored fail(const std::string& text, const std::string& caption);

  const RunContext& run_;
  DbConnection& db_;
  ImportStatements statements_;
  text::TextNormalizer smartTitle_;
  bool allNewKeys_ = false;
};

bool RecordImporter::refuse(const std::string& text, const std::string& logLine, long line) {
  run_.messages.show(text, sjis("確認"), MessageIcon::Warning, MessageButtons::Ok);
  run_.observer.log(logLine + lineTag(line));
  return false;
}

bool RecordImporter::valid(const CsvRecordRead& record, std::size_t count) {
  const std::string line = std::to_string(record.line);
  const auto required = [&](std::size_t f) {
    return refuse(headerText(f) + sjis("は必須です。\n中止します。\nLine: ") + line, sjis("必須項目が空欄です。"),
                  record.line);
  };
  for (std::size_t f = 0; f < count; ++f) {
    const CsvColumn& column = csvColumns()[f];
    const std::string& value = record.fields[f];
    if (column.required && value.empty()) return required(f);
    if (value.size() > column.limit)
      return refuse(headerText(f) + sjis(" の文字列が長すぎます。\n中止します。\n--> ") + value,
                    sjis("文字列が長すぎます。"), record.line);
  }
  // A record that ends before the title lacks it.
  if (count <= kTitleField) return required(kTitleField);
  return true;
}

bool RecordImporter::wantsNewKey(const std::string& key) {
  if (allNewKeys_) return true;
  const auto answer = run_.messages.show(
      sjis("新規プライマリキーがインポートされようとしています。\n\n"
           "以降の新規プライマリキーを全てインポートしますか？\n（いいえでスキップ）\n\n--> ") + key,
      sjis("新規プライマリキー"), MessageIcon::Question, MessageButtons::YesNo);
  allNewKeys_ = answer == platform::MessageAnswer::Yes;
  return allNewKeys_;
}

std::optional<std::string> RecordImporter::update(CsvTable table, const std::vector<std::string>& fields,
                                                  std::size_t count) {
  std::string error;
  PreparedStatement* statement = statements_.update(table, count, error);
  if (!error.empty()) return error;
  if (!statement) return std::nullopt;
  int index = 1;
  for (int f : statements_.fields(table, count)) {
    if (f < 0)
      statement->bindText(index++, smartTitle_(fields[kTitleField]));
    else if (f == static_cast<int>(kAdultField))
      statement->bindInteger(index++, fields[f] == "1" ? 1 : 0);
    else
      statement->bindText(index++, fields[f]);
  }
  statement->bindText(index, fields[kKeyField]);
  return statement->run();
}

std::optional<std::string> RecordImporter::sideTable(CsvTable table, const std::vector<std::string>& fields,
                                                     std::size_t count) {
  bool holds = false;
  for (std::size_t f = 1; f < count; ++f) holds = holds || csvColumns()[f].table == table;
  if (!holds) return std::nullopt;
  std::string error;
  PreparedStatement& row = statements_.sideRow(table, error);
  if (!error.empty()) return error;
  row.bindText(1, fields[kKeyField]);
  if (auto e = row.run()) return e;
  return update(table, fields, count);
}

Stored RecordImporter::fail(const std::string& text, const std::string& caption) {
  run_.messages.show(text, caption, MessageIcon::Warning, MessageButtons::Ok);
  run_.observer.log(sjis("  ... インポートできませんでした。"));
  db_.execute("ROLLBACK TO csv_record; RELEASE csv_record;");
  return Stored::Failed;
}

Stored RecordImporter::store(const CsvRecordRead& record, CsvOutcome& outcome) {
  const std::size_t count = std::min(record.fields.size(), kCsvFieldCount);
  if (!valid(record, count)) return Stored::Failed;
  const std::vector<std::string>& fields = record.fields;
  const std::string& key = fields[kKeyField];
  run_.observer.log(key);
  const std::string updateFailed = sjis("データベース更新エラー。\n");
  if (auto e = statements_.savepoint(true)) return fail(updateFailed + *e, sjis("DBエラー"));
  if (auto e = update(CsvTable::Main, fields, count)) return fail(updateFailed + *e, sjis("DBエラー"));
  std::string error;
  if (statements_.update(CsvTable::Main, count, error)->changes() == 0) {
    // Nothing is written for a key the library lacks before the user says so.
    if (!wantsNewKey(key)) {
      statements_.savepoint(false);
      run_.observer.log(sjis("  ... スキップします。"));
      ++outcome.skipped;
      return Stored::Skipped;
    }
    if (auto e = db_.execute(newRowStatement(key))) return fail(*e, sjis("新規レコード挿入エラー"));
    if (auto e = update(CsvTable::Main, fields, count)) return fail(*e, sjis("新規レコード更新エラー"));
    ++outcome.added;
  }
  for (CsvTable table : {CsvTable::Details, CsvTable::Creator})
    if (auto e = sideTable(table, fields, count)) return fail(updateFailed + *e, sjis("DBエラー"));
  if (auto e = statements_.savepoint(false)) return fail(updateFailed + *e, sjis("DBエラー"));
  ++outcome.records;
  return Stored::Yes;
}

// Records in the file, for the progress bar's range; the count stops at a
// broken quote, where the import will stop too.
int countRecords(std::string_view text, bool skipHeader) {
  TextInput input(text);
  CsvReader reader(input);
  int count = 0;
  while (reader.next().state == CsvRecordRead::State::Record) ++count;
  return skipHeader && count > 0 ? count - 1 : count;
}

void badQuote(const RunContext& run, const CsvRecordRead& record) {
  run.messages.show(record.firstLineText, sjis("ダブルクオートが不正です"), MessageIcon::Warning, MessageButtons::Ok);
  run.observer.log(sjis("ダブルクオートが不正です。") + lineTag(record.line));
}

std::string endLine(CsvEnding ending) {
  switch (ending) {
    case CsvEnding::Completed: return sjis("全ての処理を終了しました。");
    case CsvEnding::Stopped: return sjis("ユーザーからの要求で処理を中止しました。");
    default: return sjis("処理を中止しました。");
  }
}

CsvEnding walkRecords(const RunContext& run, std::string_view text, RecordImporter& importer, bool skipHeader,
                      CsvOutcome& outcome) {
  TextInput input(text);
  CsvReader reader(input);
  bool header = skipHeader;
  for (;;) {
    const CsvRecordRead record = reader.next();
    if (record.state == CsvRecordRead::State::End) return CsvEnding::Completed;
    if (record.state == CsvRecordRead::State::BadQuote) {
      badQuote(run, record);
      return CsvEnding::RecordFailed;
    }
    if (header) {
      header = false;
      continue;
    }
    const Stored stored = importer.store(record, outcome);
    run.observer.progressStep();
    if (stored == Stored::Failed) return CsvEnding::RecordFailed;
    if (maintenance::stopRequested(run.stop)) return CsvEnding::Stopped;
  }
}

// The file as program text, or nothing when it cannot be read or is refused
// for its encoding (said to the user).
std::optional<text::InputText> readCsvText(const RunContext& run, const std::string& path) {
  const auto bytes = platform::readWholeFile(path);
  if (!bytes) {
    run.observer.log(sjis("ファイルオープンに失敗しました。"));
    run.observer.log(sjis("CSVファイルパスの指定を確認してください。"));
    return std::nullopt;
  }
  text::InputText input = text::inputTextOf(*bytes, path);
  if (input.refused()) {
    run.messages.show(input.refusal, sjis("文字コード"), MessageIcon::Warning, MessageButtons::Ok);
    run.observer.log(input.refusal);
    return std::nullopt;
  }
  if (!input.notice.empty()) run.observer.log(input.notice);
  return input;
}

}  // namespace

std::string newRowStatement(const std::string& key) {
  const std::size_t star = sjis::find(key, '*');
  const std::string file = star == sjis::npos ? key : key.substr(0, star);
  const std::string member = star == sjis::npos ? std::string() : key.substr(star + 1);
  const auto q = [](const std::string& value) { return DbConnection::quoteSql(value); };
  const std::string memberTitle = member.empty() ? "" : reg::memberTitleOf(member);
  const std::string memberExt = member.empty() ? "" : reg::memberExtensionOf(member);
  return "INSERT INTO main_table VALUES('" + q(key) + "','" + q(memberTitle) + "','" + q(memberExt) + "','" +
         q(reg::memberTitleOf(file)) + "','" + q(reg::memberExtensionOf(file)) + "'," +
         "'new machine name','new title'," + "'','','','0'," + "'','','0','0','0','','','','','0'," +
         "'','0','','','','','','');";
}

CsvOutcome importCsv(const RunContext& run, const CsvImportRequest& what) {
  const std::optional<text::InputText> input = readCsvText(run, what.path);
  if (!input) return {CsvEnding::OpenFailed};
  run.observer.progressRange(countRecords(input->text, what.skipHeader));
  DbConnection db;
  db.open(run.dbPath);
  db::WriteTransaction transaction(db);
  if (!maintenance::beginRun(transaction, run)) return {CsvEnding::CommitFailed};
  CsvOutcome outcome;
  RecordImporter importer(run, db, what.tables);
  outcome.ending = walkRecords(run, input->text, importer, what.skipHeader, outcome);
  if (!maintenance::commitRun(transaction, run)) return {CsvEnding::CommitFailed};
  run.observer.log(endLine(outcome.ending));
  db.close();
  run.itemList.refresh();
  return outcome;
}

}  // namespace qm::exchange
