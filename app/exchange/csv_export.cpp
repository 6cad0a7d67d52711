#include "app/exchange/csv_export.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/exchange/csv_columns.h"
#include "app/exchange/csv_text.h"
#include "common/db/db_connection.h"
#include "common/platform/atomic_file.h"
#include "common/platform/canonical_path.h"
#include "common/platform/system_message.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"

namespace qm::exchange {
namespace {

using db::DbConnection;
using maintenance::RunContext;
using text::sjis;

constexpr const char* kFrom =
    "SELECT * FROM main_table LEFT JOIN spec_table ON file_name = pfile_sc "
    "LEFT JOIN creator_table ON file_name = pfile_cr ";
constexpr const char* kSingles = "(ply='' OR ply='0' OR ply='1') ";

std::string whereClause(const maintenance::MachineChoice& machine) {
  if (machine.all) return std::string("WHERE ") + kSingles;
  return "WHERE machine_name='" + DbConnection::quoteSql(machine.name) + "' AND " + kSingles;
}

// Blocks of this size go to the file at once; every write is checked. The
// old file is replaced only by finish(), with every row written.
class CheckedWriter {
public:
  explicit CheckedWriter(platform::AtomicFile& file) : file_(file) {}
  bool add(std::string_view bytes) {
    buffer_ += bytes;
    return buffer_.size() < kBlock || flush();
  }
  bool flush() {
    const bool written = file_.write(buffer_);
    buffer_.clear();
    return written;
  }
  bool finish() { return flush() && file_.commit(); }
  std::string reason() const { return platform::systemMessage(file_.errorCode()); }

private:
  static constexpr std::size_t kBlock = 1 << 20;
  platform::AtomicFile& file_;
  std::string buffer_;
};

// Where each of the 24 columns is in the result, found by name once.
using ColumnPlaces = std::array<int, kCsvFieldCount>;

ColumnPlaces placesOf(const db::RowValues& row) {
  ColumnPlaces places;
  places.fill(-1);
  for (int c = 0; c < row.columnCount(); ++c)
    for (std::size_t f = 0; f < kCsvFieldCount; ++f)
      if (places[f] < 0 && row.name(c) == csvColumns()[f].column) places[f] = c;
  return places;
}

class ExportWalk {
public:
  ExportWalk(const RunContext& run, CheckedWriter& out) : run_(run), out_(out) {}

  // False ends the walk: a stop request or a write error.
  bool row(const db::RowValues& values) {
    if (!placed_) {
      places_ = placesOf(values);
      placed_ = true;
    }
    std::string line;
    long lost = 0;
    std::array<std::string, kCsvFieldCount> fields;
    for (std::size_t f = 0; f < kCsvFieldCount; ++f) {
      const std::string_view utf8 = places_[f] < 0 ? std::string_view() : values.utf8(places_[f]);
      fields[f] = DbConnection::fromUtf8(utf8);
      lost += lostCharacters(utf8, fields[f]);
      if (f > 0) line += ',';
      line += csvField(fields[f]);
    }
    line += "\r\n";
    if (!out_.add(line)) return false;
    ++outcome.records;
    outcome.lostCharacters += lost;
    run_.observer.log(fields[1] + " > " + fields[3]);
    if (lost > 0)
      run_.observer.log(sjis("  ... コードページ932にない文字 ") + std::to_string(lost) +
                        sjis(" 字を ? で書き出しました。"));
    run_.observer.progressStep();
    stopped = maintenance::stopRequested(run_.stop);
    return !stopped;
  }

  CsvOutcome outcome;
  bool stopped = false;

private:
  const RunContext& run_;
  CheckedWriter& out_;
  bool placed_ = false;
  ColumnPlaces places_{};
};

std::string headerLine() {
  std::string line;
  for (std::size_t f = 0; f < kCsvFieldCount; ++f) line += (f ? "," : "") + headerText(f);
  return line + "\r\n";
}

CsvOutcome writeFailed(const RunContext& run, const std::string& reason) {
  run.observer.log(sjis("[ERROR] CSVファイルに書き込めませんでした。"));
  run.messages.show(sjis("CSVファイルに書き込めませんでした。\n") + reason, sjis("エラー"),
                    platform::MessageIcon::Error, platform::MessageButtons::Ok);
  return {CsvEnding::WriteFailed};
}

CsvOutcome selectFailed(const RunContext& run, const std::string& error) {
  run.messages.show(error, sjis("エラー"), platform::MessageIcon::Error, platform::MessageButtons::Ok);
  return {CsvEnding::SelectFailed};
}

}  // namespace

std::string exportStatement(const maintenance::MachineChoice& machine) {
  return kFrom + whereClause(machine) + (machine.all ? "ORDER BY machine_name, title, maker ;" : "ORDER BY title, maker ;");
}

long lostCharacters(std::string_view utf8, std::string_view programText) {
  const auto marks = [](std::string_view s) { return static_cast<long>(std::count(s.begin(), s.end(), '?')); };
  return std::max(0L, marks(programText) - marks(utf8));
}

CsvOutcome exportCsv(const RunContext& run, const CsvExportRequest& what) {
  run.observer.log(sjis("準備中・・・"));
  DbConnection db;
  db.open(run.dbPath);
  // The count first: the progress bar's range, and a library that cannot be
  // read is told before the file is touched.
  if (const auto error = db.execute("SELECT COUNT(*) FROM main_table " + whereClause(what.machine) + ";"))
    return selectFailed(run, *error);
  const int total = std::atoi(db.cell(1, 0).c_str());
  if (platform::sameExistingFile(what.path, run.dbPath)) {
    run.observer.log(sjis("書き出し先がライブラリファイルです。別のファイルを指定してください。"));
    return {CsvEnding::OpenFailed};
  }
  platform::AtomicFile file(what.path);
  if (!file.isOpen()) {
    run.observer.log(sjis("ファイルオープンに失敗しました。"));
    run.observer.log(sjis("CSVファイルパスの指定を確認してください。"));
    return {CsvEnding::OpenFailed};
  }
  run.observer.progressRange(total);
  run.observer.log(sjis("処理を開始します。"));
  CheckedWriter out(file);
  if (what.header && !out.add(headerLine())) return writeFailed(run, out.reason());
  ExportWalk walk(run, out);
  const auto error = db.readRowsUtf8(DbConnection::toUtf8(exportStatement(what.machine)),
                                     [&walk](const db::RowValues& row) { return walk.row(row); });
  if (error) return selectFailed(run, *error);
  if (!out.finish()) return writeFailed(run, out.reason());
  CsvOutcome outcome = walk.outcome;
  if (outcome.lostCharacters > 0)
    run.observer.log(sjis("コードページ932にない文字 ") + std::to_string(outcome.lostCharacters) +
                     sjis(" 字を ? で書き出しました。"));
  run.observer.log(sjis(walk.stopped ? "ユーザーからの要求で処理を中止しました。" : "処理を終了しました。"));
  outcome.ending = walk.stopped ? CsvEnding::Stopped : CsvEnding::Completed;
  return outcome;
}

maintenance::RunResult asRunResult(const CsvOutcome& outcome) {
  maintenance::RunResult result;
  result.done = outcome.records;
  result.skipped = outcome.skipped;
  switch (outcome.ending) {
    case CsvEnding::Completed: result.status = maintenance::RunStatus::Completed; break;
    case CsvEnding::Stopped: result.status = maintenance::RunStatus::Stopped; break;
    case CsvEnding::CommitFailed: result.status = maintenance::RunStatus::CommitFailed; break;
    default: result.status = maintenance::RunStatus::SelectFailed; break;
  }
  return result;
}

}  // namespace qm::exchange
