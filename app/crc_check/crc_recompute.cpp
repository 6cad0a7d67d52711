#include "app/crc_check/crc_recompute.h"

#include <chrono>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "common/archive/archive_type.h"
#include "common/archive/member_walk.h"
#include "common/db/db_connection.h"
#include "common/db/prepared_statement.h"
#include "common/run/run_steps.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::crc_check {
namespace {

using db::DbConnection;
using maintenance::RunContext;
using maintenance::RunStatus;
using text::sjis;

struct Row {
  std::string key;
  std::string fileExt;
};

// What a row gets: new CRC texts, or nothing (it keeps its own) and why:
// skipped when its file is not there, failed when it is and cannot be read.
enum class RowFate { Computed, Skipped, Failed };

struct RowCrcs {
  RowFate fate = RowFate::Skipped;
  std::string crc32, crc16;
  std::string reason;  // when not computed
};

RowCrcs skippedFor(std::string reason) { return {RowFate::Skipped, "", "", std::move(reason)}; }
RowCrcs failedFor(std::string reason) { return {RowFate::Failed, "", "", std::move(reason)}; }

// The exports' texts for "no CRC" are stored as empty text.
std::string stored(std::string text) { return text == "00000000" || text == "FFFF" ? std::string() : text; }

std::string crc32Text(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

// UPDATEs in write transactions that commit every kBatchRows rows or
// kBatchMilliseconds, whichever is first; each COMMIT is checked.
class BatchWriter {
public:
  explicit BatchWriter(const RunContext& run) : run_(run) { db_.open(run.dbPath); }

  bool begin() {
    if (auto error = update_.prepare(db_, "UPDATE main_table SET crc32=?, crc=? WHERE file_name=? ;")) {
      maintenance::reportDbError(run_, sjis("アップデートに失敗しました\n"), *error);
      return false;
    }
    return open();
  }
  // False when a batch could not be committed: the run ends there.
  bool write(const std::string& key, const RowCrcs& crcs, CrcRecomputeResult& result) {
    update_.bindText(1, crcs.crc32);
    update_.bindText(2, crcs.crc16);
    update_.bindText(3, key);
    if (const auto error = update_.run()) {
      maintenance::inform(run_, sjis("アップデートに失敗しました\n") + *error);
      ++result.failed;
    } else {
      ++result.updated;
    }
    if (++pending_ < kBatchRows && std::chrono::steady_clock::now() - since_ < kBatchTime) return true;
    return maintenance::commitRun(transaction_, run_) && open();
  }
  bool finish() { return maintenance::commitRun(transaction_, run_); }

private:
  static constexpr std::chrono::milliseconds kBatchTime{kBatchMilliseconds};
  bool open() {
    pending_ = 0;
    since_ = std::chrono::steady_clock::now();
    return maintenance::beginRun(transaction_, run_);
  }
  const RunContext& run_;
  DbConnection db_;
  db::WriteTransaction transaction_{db_};
  db::PreparedStatement update_;
  int pending_ = 0;
  std::chrono::steady_clock::time_point since_;
};

// The bytes of a member's window, kept as the member streams past.
class WindowBytes : public archive::MemberSink {
public:
  WindowBytes(std::uint64_t offset, std::uint64_t length) : offset_(offset), length_(length) {}
  bool write(std::span<const std::uint8_t> block) override {
    const std::uint64_t start = seen_;
    seen_ += block.size();
    const std::uint64_t from = std::max(start, offset_);
    const std::uint64_t to = length_ == 0 ? seen_ : std::min(seen_, offset_ + length_);
    if (from < to) bytes_.append(reinterpret_cast<const char*>(block.data()) + (from - start), to - from);
    // The memory exports take 32-bit sizes.
    return bytes_.size() <= std::numeric_limits<std::uint32_t>::max();
  }
  bool beyondEnd() const { return (offset_ != 0 || length_ != 0) && seen_ < offset_ + length_; }
  const std::string& bytes() const { return bytes_; }

private:
  std::uint64_t offset_, length_;
  std::uint64_t seen_ = 0;
  std::string bytes_;
};

const std::string& windowBeyondMessage() {
  static const std::string text =
      sjis("CRC計算用に指定された範囲がファイルサイズを超えています\nCRCは取得されませんでした");
  return text;
}

// One archive's rows: its members found by name in one pass.
class ArchiveRows : public archive::MemberVisitor {
public:
  ArchiveRows(const RunContext& run, const CrcRecomputeRequest& what, CrcFunctions& crcs,
              std::map<std::string, std::size_t> wanted, std::vector<RowCrcs>& out)
      : run_(run), what_(what), crcs_(crcs), wanted_(std::move(wanted)), out_(out) {}

  archive::MemberSink* visit(const archive::Member& member) override {
    const auto it = wanted_.find(member.name);
    if (it == wanted_.end()) return nullptr;
    current_ = it->second;
    wanted_.erase(it);
    const bool stated = member.statedCrc32 && *member.statedCrc32 != 0;
    const bool window = what_.offset != 0 || what_.length != 0;
    if (!what_.crc16 && !window && (!what_.crc32 || stated)) {
      out_[current_] = {RowFate::Computed, what_.crc32 ? crc32Text(*member.statedCrc32) : "", "", ""};
      return nullptr;
    }
    bytes_.emplace(what_.offset, what_.length);
    return &*bytes_;
  }

  bool unpacked(const archive::Member&, const std::optional<archive::ArchiveError>& error) override {
    if (error) {
      out_[current_] = failedFor(error->message);
    } else if (bytes_->beyondEnd()) {
      run_.messages.show(windowBeyondMessage(), "", platform::MessageIcon::Warning, platform::MessageButtons::Ok);
      out_[current_] = skippedFor(sjis("範囲がファイルサイズを超えています"));
    } else {
      RowCrcs& row = out_[current_];
      row.fate = RowFate::Computed;
      if (what_.crc32) row.crc32 = stored(crcs_.memoryCrc(CrcKind::Crc32, bytes_->bytes()));
      if (what_.crc16) row.crc16 = stored(crcs_.memoryCrc(CrcKind::Crc16, bytes_->bytes()));
    }
    bytes_.reset();
    return true;
  }

  bool wantsMore() const override { return !wanted_.empty() && !maintenance::stopRequested(run_.stop); }
  // The rows of members the walk did not come to.
  const std::map<std::string, std::size_t>& unvisited() const { return wanted_; }

private:
  const RunContext& run_;
  const CrcRecomputeRequest& what_;
  CrcFunctions& crcs_;
  std::map<std::string, std::size_t> wanted_;
  std::vector<RowCrcs>& out_;
  std::size_t current_ = 0;
  std::optional<WindowBytes> bytes_;
};

std::string archivePathOf(const std::string& key) {
  const std::size_t star = sjis::find(key, '*');
  return star == sjis::npos ? std::string() : key.substr(0, star);
}

class Recomputation {
public:
  Recomputation(const RunContext& run, const CrcRecomputeRequest& what, CrcFunctions& crcs,
                maintenance::FileProbe& files, std::vector<Row> rows)
      : run_(run), what_(what), crcs_(crcs), files_(files), rows_(std::move(rows)), crcs_out_(rows_.size()) {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      const std::string archive = archivePathOf(rows_[r].key);
      if (!archive.empty()) archives_[archive].push_back(r);
    }
  }

  CrcRecomputeResult walk() {
    CrcRecomputeResult result;
    result.rows = static_cast<int>(rows_.size());
    BatchWriter writer(run_);
    if (!writer.begin()) return {RunStatus::BeginFailed, result.rows};
    std::vector<bool> done(rows_.size(), false);
    bool stopped = false;
    for (std::size_t i = 0; i < rows_.size() && !stopped; ++i) {
      if (done[i]) continue;
      // An archive's rows are all worked out in the pass over it.
      const std::vector<std::size_t> group = groupOf(i);
      for (std::size_t r : group) {
        done[r] = true;
        if (!writeRow(writer, r, result)) return {RunStatus::CommitFailed, result.rows, result.updated};
      }
      stopped = maintenance::stopRequested(run_.stop);
    }
    if (!writer.finish()) return {RunStatus::CommitFailed, result.rows};
    result.status = stopped ? RunStatus::Stopped : RunStatus::Completed;
    return result;
  }

private:
  std::vector<std::size_t> groupOf(std::size_t i) {
    const std::string archive = archivePathOf(rows_[i].key);
    if (archive.empty()) {
      crcs_out_[i] = plainFile(rows_[i].key);
      return {i};
    }
    const std::vector<std::size_t>& group = archives_[archive];
    std::map<std::string, std::size_t> wanted;
    for (std::size_t r : group) {
      wanted.emplace(memberNameOf(rows_[r].key), r);
      crcs_out_[r] = skippedFor(sjis("書庫内にありません"));
    }
    readArchive(archive, rows_[i].fileExt, wanted);
    return group;
  }

  RowCrcs plainFile(const std::string& path) {
    const maintenance::PathLook look = files_.look(path);
    if (look.state != maintenance::PathState::Present) return skippedFor(reasonOf(look));
    RowCrcs row{RowFate::Computed, "", "", ""};
    for (const CrcKind kind : {CrcKind::Crc32, CrcKind::Crc16}) {
      if (!(kind == CrcKind::Crc32 ? what_.crc32 : what_.crc16)) continue;
      const FileCrcText crc = crcs_.fileCrc(kind, path, what_.offset, what_.length);
      if (crc.error) return failedFor(*crc.error);
      (kind == CrcKind::Crc32 ? row.crc32 : row.crc16) = stored(crc.text);
    }
    return row;
  }

  void readArchive(const std::string& path, const std::string& fileExt, std::map<std::string, std::size_t>& wanted) {
    run_.observer.log(path);
    const maintenance::PathLook look = files_.look(path);
    std::optional<archive::ArchiveType> type = archive::archiveTypeFromText(fileExt);
    if (!type) type = archive::archiveTypeOf(path);
    if (look.state != maintenance::PathState::Present || !type) {
      const std::string reason = !type ? sjis("書庫の種類が分かりません") : reasonOf(look);
      for (const auto& [name, row] : wanted) crcs_out_[row] = skippedFor(reason);
      return;
    }
    ArchiveRows visitor(run_, what_, crcs_, wanted, crcs_out_);
    const auto error = archive::visitMembers(path, visitor);
    if (!error || error->kind == archive::ArchiveErrorKind::Stopped) return;
    run_.observer.log(error->message);
    // The walk ended early: whether the archive holds the rest is not known.
    for (const auto& [name, row] : visitor.unvisited()) crcs_out_[row] = failedFor(error->message);
  }

  static std::string reasonOf(const maintenance::PathLook& look) {
    if (look.state == maintenance::PathState::Missing) return sjis("ファイル又はドライブが見つかりません");
    return look.reason;
  }

  bool writeRow(BatchWriter& writer, std::size_t r, CrcRecomputeResult& result) {
    const RowCrcs& crcs = crcs_out_[r];
    run_.observer.progressStep();
    if (crcs.fate != RowFate::Computed) {
      const bool failed = crcs.fate == RowFate::Failed;
      ++(failed ? result.failed : result.skipped);
      run_.observer.log(sjis(failed ? "失敗：" : "スキップ：") + rows_[r].key + sjis(" （") + crcs.reason + sjis("）"));
      return true;
    }
    run_.observer.log(rows_[r].key);
    return writer.write(rows_[r].key, crcs, result);
  }

  const RunContext& run_;
  const CrcRecomputeRequest& what_;
  CrcFunctions& crcs_;
  maintenance::FileProbe& files_;
  std::vector<Row> rows_;
  std::vector<RowCrcs> crcs_out_;
  std::map<std::string, std::vector<std::size_t>> archives_;  // archive path -> its rows in result order
};

}  // namespace

std::string memberNameOf(const std::string& key) {
  const std::size_t star = sjis::find(key, '*');
  return star == sjis::npos ? std::string() : key.substr(star + 1);
}

CrcRecomputeResult recomputeCrcs(const RunContext& run, const CrcRecomputeRequest& what, CrcFunctions& crcs,
                                 maintenance::FileProbe& files) {
  if (what.machine.empty() || (!what.crc32 && !what.crc16)) return {};
  DbConnection db;
  db.open(run.dbPath);
  maintenance::dropListView(db, run.itemList);
  const auto error = db.execute("SELECT file_name, file_arc_title, file_arc_ext, file_ext FROM main_table WHERE "
                                "machine_name=" + db::sqlText(what.machine) + " ;");
  if (error) {
    maintenance::inform(run, sjis("メインテーブルを選択できませんでした。\n") + *error);
    run.itemList.refresh();
    return {RunStatus::SelectFailed};
  }
  if (db.rowCount() == 0) {
    maintenance::inform(run, sjis("指定された機種のデータはありません。"));
    run.itemList.refresh();
    return {RunStatus::NoRows};
  }
  std::vector<Row> rows;
  rows.reserve(db.rowCount());
  for (int r = 1; r <= db.rowCount(); ++r) rows.push_back({db.cell(r, 0), db.cell(r, 3)});
  db.close();
  run.observer.progressRange(static_cast<int>(rows.size()));
  CrcRecomputeResult result = Recomputation(run, what, crcs, files, std::move(rows)).walk();
  if (result.status == RunStatus::Completed || result.status == RunStatus::Stopped)
    run.observer.log(sjis(result.status == RunStatus::Stopped ? "ユーザーからの要求で処理を中止しました"
                                                              : "CRC再計算が終了しました"));
  run.itemList.refresh();
  return result;
}

}  // namespace qm::crc_check
