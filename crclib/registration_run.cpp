#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/archive/archive_type.h"
#include "common/archive/member_walk.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/platform/folder_identity.h"
#include "common/text/encoding.h"
#include "common/text/reading_settings.h"
#include "common/text/smart_title.h"
#include "crclib/crc_prefetch.h"
#include "crclib/file_crc.h"
#include "crclib/folder_entries.h"
#include "crclib/known_keys.h"
#include "crclib/member_crc.h"
#include "crclib/registration.h"
#include "crclib/registration_rules.h"
#include "crclib/row_store.h"
#include "crclib/seen_files.h"

namespace qm::reg {

RegistrationSettings settingsFromOptions(const std::int32_t* options) {
  RegistrationSettings s;
  if (!options) return s;
  s.searchSubfolders = options[0] == 1;
  s.searchArchives = options[1] == 1;
  s.titleMode = options[2];
  s.makerMode = options[3];
  s.versionMode = options[4];
  s.adult = options[5] != 0;
  s.yearFromPath = options[6] == 1;
  s.countryFromPath = options[7] == 1;
  s.defaultCountry = options[8] == 1;
  s.stripCountryBrackets = options[9] == 1;
  s.archiveSets = options[20] == 1;
  s.archiveSetTitles = options[21] == 1;
  s.folderSets = options[22] == 1;
  s.crc32 = options[23] == 1;
  s.crc16 = options[24] == 1;
  s.overwrite = options[40] == 1;
  s.keepFavourites = options[41] == 1;
  return s;
}

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

class HostMarker : public crc::ProgressMarker {
public:
  explicit HostMarker(RegistrationHost& host) : host_(host) {}
  void show(const char* text) override { host_.marker(text); }

private:
  RegistrationHost& host_;
};

struct CrcTexts {
  std::string crc32, crc16;
  std::optional<platform::FileStamp> stamp;  // of the file read for them
};

// One kept member of an archive.
struct KeptMember {
  std::size_t index;  // in archive order
  archive::Member member;
  std::string key;
  bool store;
  bool extract;
};

class Run {
public:
  Run(const LibraryPaths& paths, const RegistrationRequest& request, RegistrationHost& host, StopFlag& stop)
      : paths_(paths),
        request_(request),
        s_(request.settings),
        host_(host),
        stop_(stop),
        marker_(host),
        countries_(prepareCountries(request)),
        smartTitle_(text::smartTitleNormalizer(text::loadSymbolTables(platform::IniFile(paths.settingsPath)))) {}

  RegistrationResult run();

private:
  // The cancel check before every entry: true when the walk is to stop.
  bool stopRequested();
  void advanceMarker() { marker_.show(crc::nextMarkerText()); }
  // Asked for every box: the host brings its texts up to date first.
  platform::MessageSink& sink() { return host_.messages(); }
  void dbError(const std::string& message, const std::string& engineText) {
    sink().show(message + engineText, text::sjis("DBエラー"), MessageIcon::Error, MessageButtons::Ok);
  }
  void fail() {
    failed_ = true;
    stop_ = stop::kNow;
  }
  void showStored() {
    static const std::string head = text::sjis("レコードに格納中 "), tail = text::sjis(" 件格納");
    host_.status(head + std::to_string(store_ ? store_->stored() : 0) + tail);
  }
  crc::CrcSet crcSet() const {
    return s_.crc32 && s_.crc16 ? crc::CrcSet::Both : s_.crc32 ? crc::CrcSet::Crc32 : crc::CrcSet::Crc16;
  }
  // The files from `first` up to the next folder that the walk would look
  // into: those this run will store, for the second thread.
  void offerFiles(const std::string& folder, const std::vector<FolderEntry>& entries, std::size_t first);

  void count(const std::string& path, bool isRoot);
  void walk(const std::string& path, bool isRoot);
  void registerFile(const std::string& path, int& imageNumber, std::string& first);
  void registerArchive(const std::string& path);
  void finishMember(const std::string& archivePath, const KeptMember& kept, std::size_t k, std::size_t keptCount,
                    const std::string& parentKey, const std::optional<CrcTexts>& crcs);
  // The stamp is remembered for the image's row when one was stored.
  bool insert(const ImageRow& row, const std::optional<SeenStamp>& stamp);
  void writeSeenRows();
  ImageRow rowOf(const std::string& key, const std::string& fileName, const DerivedTexts& derived,
                 const CrcTexts& crcs) const;
  // Nothing when the file cannot be read: it is reported, and no row of it is
  // written, so a row the library has keeps its CRCs.
  std::optional<CrcTexts> fileCrcs(const std::string& path);
  // Named in the log with the reason; the final texts count them.
  void reportDamaged(const std::string& path, const archive::ArchiveError& error);
  // Nothing when the member's bytes were needed and did not unpack.
  std::optional<CrcTexts> memberCrcs(const KeptMember& kept, const MemberCrcSink* crcs, bool unpacked);
  std::string statedText(const archive::Member& member) const;

  const LibraryPaths& paths_;
  const RegistrationRequest& request_;
  const RegistrationSettings& s_;
  RegistrationHost& host_;
  StopFlag& stop_;
  HostMarker marker_;
  std::string countries_;
  text::TextNormalizer smartTitle_;
  std::string extensions_;
  db::DbConnection insertDb_;
  std::unique_ptr<RowStore> store_;
  KnownKeys keys_;
  std::unique_ptr<CrcPrefetch> prefetch_;
  // Links and junctions are followed, so a link back up the tree would
  // otherwise be walked round until the path grew too long.
  platform::VisitedFolders countedFolders_;
  platform::VisitedFolders walkedFolders_;
  std::vector<SeenRow> seen_;
  std::optional<SeenStamp> archiveStamp_;
  long long counted_ = 0;
  long long damaged_ = 0;
  long long unreadable_ = 0;
  bool failed_ = false;
};

bool Run::stopRequested() {
  if (stop_ == stop::kAsked) {
    const auto answer = sink().show(text::sjis("中止しますか？"), "", MessageIcon::Warning, MessageButtons::YesNo);
    // Only a question still pending is answered: an error may have stopped the run meanwhile.
    std::uint16_t asked = stop::kAsked;
    stop_.compare_exchange_strong(asked, answer == MessageAnswer::Yes ? stop::kNow : stop::kRunning);
  }
  return stop_ == stop::kNow;
}

void Run::count(const std::string& path, bool isRoot) {
  host_.status(text::sjis("ファイル数調査中…"));
  if (isRoot && !platform::folderExists(path)) {
    if (stopRequested()) return;
    if (platform::fileExists(path)) {
      ++counted_;
      advanceMarker();
    }
    return;
  }
  if (!countedFolders_.enter(path)) return;
  for (const FolderEntry& entry : listFolder(path).value_or(FolderListing()).entries) {
    if (stopRequested()) return;
    if (entry.isFolder) {
      if (s_.searchSubfolders) count(platform::joinPath(path, entry.name), false);
    } else {
      ++counted_;
      advanceMarker();
    }
  }
}

void Run::walk(const std::string& path, bool isRoot) {
  std::vector<FolderEntry> entries;
  std::string folder = path;
  if (isRoot && !platform::folderExists(path)) {
    if (!platform::fileExists(path)) return;
    entries.push_back({platform::fileNameOf(path), false});
    folder = platform::folderOf(path);
  } else {
    if (!walkedFolders_.enter(path)) {
      host_.log(text::sjis("一度見たフォルダに戻るリンクを飛ばしました：") + path);
      return;
    }
    auto listed = listFolder(path);
    if (!listed) {
      // Its files would be missing without a word otherwise.
      sink().show(text::sjis("フォルダの中を読めませんでした。\n") + path, "", MessageIcon::Warning, MessageButtons::Ok);
      return;
    }
    for (const std::string& name : listed->unnamed)
      host_.log(text::sjis("名前を表せないファイルを飛ばしました：") + platform::joinPath(path, name));
    entries = std::move(listed->entries);
  }
  int imageNumber = 0;
  std::string first;
  const bool single = isRoot && folder != path;
  if (!single) offerFiles(folder, entries, 0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const FolderEntry& entry = entries[i];
    if (stopRequested()) return;
    const std::string full = single ? path : platform::joinPath(folder, entry.name);
    if (entry.isFolder) {
      if (s_.searchSubfolders) {
        walk(full, false);
        if (stop_ == stop::kNow) return;
        offerFiles(folder, entries, i + 1);
      }
      continue;
    }
    host_.progressStep();
    advanceMarker();
    const std::string extension = extensionOf(entry.name);
    const auto archiveType = s_.searchArchives ? archive::archiveTypeFromText(extension) : std::nullopt;
    if (archiveType) {
      registerArchive(full);
    } else if (extensions_.empty() || extensionListed(extension, extensions_)) {
      registerFile(full, imageNumber, first);
    }
  }
  if (s_.folderSets && imageNumber == 1 && !failed_) {
    // On the insert connection: a connection of its own would wait for the
    // run's own write lock.
    if (auto error = insertDb_.execute("UPDATE main_table SET ply='0' WHERE ply='1' AND file_name=" +
                                       db::sqlText(first) + ";")) {
      dbError("", *error);
    }
  }
}

void Run::offerFiles(const std::string& folder, const std::vector<FolderEntry>& entries, std::size_t first) {
  if (!prefetch_) return;
  std::vector<std::string> paths;
  for (std::size_t i = first; i < entries.size(); ++i) {
    const FolderEntry& entry = entries[i];
    if (entry.isFolder) {
      if (s_.searchSubfolders) break;
      continue;
    }
    const std::string extension = extensionOf(entry.name);
    if (s_.searchArchives && archive::archiveTypeFromText(extension)) continue;
    if (!extensions_.empty() && !extensionListed(extension, extensions_)) continue;
    std::string full = platform::joinPath(folder, entry.name);
    if (shouldRegister(keys_, full, s_.overwrite, s_.keepFavourites)) paths.push_back(std::move(full));
  }
  prefetch_->offer(paths);
}

std::optional<CrcTexts> Run::fileCrcs(const std::string& path) {
  CrcTexts texts;
  if (!s_.crc32 && !s_.crc16) return texts;
  std::optional<crc::CrcReport> prefetched = prefetch_ ? prefetch_->take(path) : std::nullopt;
  if (prefetched) advanceMarker();
  const crc::CrcReport report =
      prefetched ? std::move(*prefetched) : crc::fileCrc(path, request_.window, crcSet(), &marker_);
  if (report.outcome == crc::CrcOutcome::Failed) {
    sink().show(path + ": " + report.error, s_.crc32 ? "CRC32 calc error" : "CRC16 calc error", MessageIcon::None,
                MessageButtons::Ok);
    ++unreadable_;
    host_.log(text::sjis("読めないファイル：") + path + text::sjis(" （") + report.error + text::sjis("）"));
    return std::nullopt;
  }
  texts.stamp = report.stamp;
  if (report.outcome != crc::CrcOutcome::Computed) return texts;
  if (s_.crc32) texts.crc32 = crc::crc32Text(report.crc.crc32);
  if (s_.crc16) texts.crc16 = crc::crc16Text(report.crc.crc16);
  return texts;
}

// A stamp the CRC reading took from the open file saves looking the path up
// again, which costs as much as the reading itself for a small file.
std::optional<SeenStamp> stampOf(const std::string& path, const std::optional<platform::FileStamp>& known = {}) {
  const auto stamp = known ? known : platform::fileStamp(path);
  if (!stamp) return std::nullopt;
  return SeenStamp{static_cast<std::int64_t>(stamp->size), stamp->modified};
}

bool Run::insert(const ImageRow& row, const std::optional<SeenStamp>& stamp) {
  const RowOutcome outcome = store_->write(row);
  if (stamp && (outcome == RowOutcome::Stored || outcome == RowOutcome::Collided)) seen_.push_back({row.key, *stamp});
  switch (outcome) {
    case RowOutcome::Failed:
      dbError(text::sjis("レコードを挿入できませんでした。\n"), store_->error());
      fail();
      return false;
    case RowOutcome::Collided:
      host_.log(text::sjis("キーが重複しています（1 件として数えます）：") + row.key);
      return true;
    case RowOutcome::Stored:
      showStored();
      return true;
    case RowOutcome::Ignored:
      return true;
  }
  return true;
}

ImageRow Run::rowOf(const std::string& key, const std::string& fileName, const DerivedTexts& derived,
                    const CrcTexts& crcs) const {
  ImageRow row;
  row.key = key;
  row.fileTitle = fileTitleOf(fileName);
  row.fileExt = extensionOf(fileName);
  row.machine = request_.machine;
  row.title = derived.title;
  row.smartTitle = smartTitle_(derived.title);
  row.version = derived.version;
  row.maker = derived.maker;
  row.genre = request_.genre;
  row.adult = s_.adult;
  row.media = request_.media;
  row.country = derived.country;
  row.saleYear = derived.saleYear;
  row.crc32 = crcs.crc32;
  row.crc16 = crcs.crc16;
  return row;
}

void Run::registerFile(const std::string& path, int& imageNumber, std::string& first) {
  host_.currentItem(path);
  if (!shouldRegister(keys_, path, s_.overwrite, s_.keepFavourites)) return;
  const std::optional<CrcTexts> crcs = fileCrcs(path);
  if (!crcs) return;
  ++imageNumber;
  if (imageNumber == 1) first = path;
  const DerivedTexts derived = deriveForFile(s_, path, countries_, request_.saleYear);
  ImageRow row = rowOf(path, platform::fileNameOf(path), derived, *crcs);
  row.ply = s_.folderSets ? std::to_string(imageNumber) : "0";
  row.plyFile = s_.folderSets && imageNumber >= 2 ? first : "";
  if (insert(row, stampOf(path, crcs->stamp))) keys_.add(path);
}

void Run::reportDamaged(const std::string& path, const archive::ArchiveError& error) {
  if (error.kind == archive::ArchiveErrorKind::Stopped) return;
  ++damaged_;
  host_.log(text::sjis("壊れた書庫：") + path + text::sjis(" （") + error.message + text::sjis("）"));
}

std::string Run::statedText(const archive::Member& member) const {
  if (!s_.crc32 || !member.statedCrc32 || *member.statedCrc32 == 0) return {};
  return crc::crc32Text(*member.statedCrc32);
}

std::optional<CrcTexts> Run::memberCrcs(const KeptMember& kept, const MemberCrcSink* crcs, bool unpacked) {
  CrcTexts texts;
  texts.crc32 = statedText(kept.member);
  if (!kept.extract) return texts;
  // Its row, if the library has one, is kept as it is; the archive is
  // reported damaged.
  if (!unpacked || !crcs) return std::nullopt;
  if (crcs->windowBeyondEnd()) {
    sink().show(text::sjis("CRC計算用に指定された範囲がファイルサイズを超えています\nCRCは取得されませんでした"), "",
               MessageIcon::Warning, MessageButtons::Ok);
    return texts;
  }
  const auto values = crcs->values();
  const bool windowSet = request_.window.offset != 0 || request_.window.length != 0;
  if (s_.crc32 && (texts.crc32.empty() || windowSet)) texts.crc32 = values ? crc::crc32Text(values->crc32) : "";
  if (s_.crc16 && values) texts.crc16 = crc::crc16Text(values->crc16);
  return texts;
}

void Run::finishMember(const std::string& archivePath, const KeptMember& kept, std::size_t k, std::size_t keptCount,
                       const std::string& parentKey, const std::optional<CrcTexts>& crcs) {
  advanceMarker();
  host_.currentItem(archivePath);
  host_.currentItem(kept.key);
  if (!kept.store || !crcs) return;
  const bool inSet = s_.archiveSets && keptCount >= 2;
  const std::string ply = inSet ? std::to_string(k + 1) : "0";
  const std::string plyFile = inSet && k >= 1 ? parentKey : "";
  const std::string archiveName = platform::fileNameOf(archivePath);
  const std::string memberTitle = memberTitleOf(kept.member.name);
  const std::string suffix =
      inSet && s_.archiveSetTitles ? " [" + extensionOf(archiveName) + "]---[" + memberTitle + "]" : "";
  const DerivedTexts derived = deriveForMember(s_, archivePath, kept.key, countries_, request_.saleYear, suffix);
  ImageRow row = rowOf(kept.key, archiveName, derived, *crcs);
  row.inArchive = true;
  row.arcTitle = memberTitle;
  row.arcExt = memberExtensionOf(kept.member.name);
  row.ply = ply;
  row.plyFile = plyFile;
  std::optional<SeenStamp> stamp;
  if (archiveStamp_) stamp = SeenStamp{static_cast<std::int64_t>(kept.member.size), archiveStamp_->modified};
  if (insert(row, stamp)) keys_.add(kept.key);
}

// Streams the members that need their bytes, and finishes every kept member in
// archive order as the walk passes it.
class MemberPass : public archive::MemberVisitor {
public:
  using Finish = std::function<void(std::size_t k, const MemberCrcSink* sink, bool unpacked)>;
  MemberPass(const std::vector<KeptMember>& kept, crc::CrcWindow window, crc::CrcSet set, crc::ProgressMarker* marker,
             Finish finish, std::function<bool()> stopped)
      : kept_(kept), window_(window), set_(set), marker_(marker), finish_(finish), stopped_(stopped) {}

  archive::MemberSink* visit(const archive::Member& member) override {
    const std::size_t index = index_++;
    if (next_ >= kept_.size() || kept_[next_].index != index || kept_[next_].member.name != member.name) {
      return nullptr;
    }
    if (stopped_()) {
      halted_ = true;
      return nullptr;
    }
    if (!kept_[next_].extract) {
      finish_(next_++, nullptr, false);
      return nullptr;
    }
    sink_ = std::make_unique<MemberCrcSink>(window_, set_, marker_);
    return sink_.get();
  }
  bool unpacked(const archive::Member&, const std::optional<archive::ArchiveError>& error) override {
    if (error && !damage_) damage_ = error;
    finish_(next_++, sink_.get(), !error);
    sink_.reset();
    return true;
  }
  bool wantsMore() const override { return !halted_ && next_ < kept_.size(); }

  std::size_t finished() const { return next_; }
  bool halted() const { return halted_; }
  // The first member that did not unpack (a bad CRC, data cut short).
  const std::optional<archive::ArchiveError>& damage() const { return damage_; }

private:
  const std::vector<KeptMember>& kept_;
  crc::CrcWindow window_;
  crc::CrcSet set_;
  crc::ProgressMarker* marker_;
  Finish finish_;
  std::function<bool()> stopped_;
  std::unique_ptr<MemberCrcSink> sink_;
  std::size_t index_ = 0, next_ = 0;
  bool halted_ = false;
  std::optional<archive::ArchiveError> damage_;
};

void Run::registerArchive(const std::string& path) {
  if (extensions_.empty()) return;
  const archive::WalkResult listed = archive::listMembers(path);
  if (listed.error) reportDamaged(path, *listed.error);
  const bool windowSet = request_.window.offset != 0 || request_.window.length != 0;
  std::vector<KeptMember> kept;
  for (std::size_t i = 0; i < listed.members.size(); ++i) {
    const archive::Member& member = listed.members[i];
    const std::string extension = memberExtensionOf(member.name);
    if (extension.empty() || !extensionListed(extension, extensions_)) continue;
    const std::string key = path + "*" + member.name;
    const bool store = shouldRegister(keys_, key, s_.overwrite, s_.keepFavourites);
    const bool stated = member.statedCrc32 && *member.statedCrc32 != 0;
    const bool extract = store && (s_.crc32 || s_.crc16) && (s_.crc16 || (s_.crc32 && !stated) || windowSet);
    kept.push_back({i, member, key, store, extract});
  }
  if (kept.empty()) return;
  archiveStamp_ = stampOf(path);
  const std::string parentKey = kept.front().key;
  const auto finish = [&](std::size_t k, const MemberCrcSink* sink, bool unpacked) {
    finishMember(path, kept[k], k, kept.size(), parentKey, memberCrcs(kept[k], sink, unpacked));
  };
  const auto stopped = [&] { return stopRequested(); };
  std::size_t done = 0;
  bool halted = false;
  if (std::any_of(kept.begin(), kept.end(), [](const KeptMember& m) { return m.extract; })) {
    MemberPass pass(kept, request_.window, crcSet(), &marker_, finish, stopped);
    auto error = archive::visitMembers(path, pass);
    if (!error) error = pass.damage();
    if (error && !listed.error) reportDamaged(path, *error);
    done = pass.finished();
    halted = pass.halted();
  }
  // Members the pass did not reach: those that need no bytes are stored; where
  // the archive broke on the way, those that needed them are not.
  for (std::size_t k = done; k < kept.size() && !halted; ++k) {
    if (stopRequested()) break;
    finish(k, nullptr, false);
  }
}

// What the rows were made from, for a later sync of the folder. Losing it costs
// only a CRC reading then: the run's rows stand.
void Run::writeSeenRows() {
  if (seen_.empty()) return;
  const auto error = db::inWriteTransaction(insertDb_, [&]() -> std::optional<std::string> {
    if (auto failure = ensureSeenTable(insertDb_)) return failure;
    return writeSeen(insertDb_, seen_);
  });
  if (error) host_.log(text::sjis("ファイルの大きさと日時を記録できませんでした：") + *error);
}

std::string withFinalCounts(const std::string& head, long long stored) {
  return head + text::sjis("（") + std::to_string(stored) + text::sjis(" 件が格納・更新されました。）");
}

std::string problemNotes(long long damaged, long long unreadable) {
  std::string notes;
  if (damaged > 0) notes += text::sjis("（壊れた書庫 ") + std::to_string(damaged) + text::sjis(" 件：ログを参照して下さい）");
  if (unreadable > 0)
    notes += text::sjis("（読めないファイル ") + std::to_string(unreadable) + text::sjis(" 件：ログを参照して下さい）");
  return notes;
}

RegistrationResult Run::run() {
  RegistrationResult result;
  const auto end = [&](RegistrationEnd how, const std::string& status) {
    if (!status.empty()) host_.status(status);
    host_.ended();
    result.end = how;
    result.counted = counted_;
    result.stored = store_ ? store_->committed() : 0;
    result.damaged = damaged_;
    result.unreadable = unreadable_;
    result.finalStatus = status;
    return result;
  };
  {
    db::DbConnection db;
    db.open(paths_.dbPath);
    if (auto error =
            db.execute("SELECT search_ext FROM machine_info_table WHERE machine=" + db::sqlText(request_.machine) + " ;")) {
      dbError(text::sjis("機種管理レコードを参照できませんでした。\n"), *error);
      counted_ = -1;
      return end(RegistrationEnd::NoMachineRecord, "");
    }
    // A machine without extensions looks for every file, as the dialog says.
    if (db.rowCount() > 0 && !db.cell(1, 0).empty()) extensions_ = db.cell(1, 0) + ";";
  }
  count(request_.path, true);
  host_.status(text::sjis("ファイル数調査終了"));
  if (stop_ != stop::kRunning) return end(RegistrationEnd::Cancelled, text::sjis("ユーザーからの要求で処理を中止しました。"));
  if (counted_ <= 0)
    return end(RegistrationEnd::NothingFound, text::sjis("指定されたフォルダにファイルが見つかりませんでした。"));
  host_.progressRange(static_cast<std::uint32_t>(std::min<long long>(counted_, UINT32_MAX)));
  host_.status(text::sjis("レコードに格納中 0 件格納"));

  insertDb_.open(paths_.dbPath);
  store_ = std::make_unique<RowStore>(insertDb_, s_.overwrite, request_.batches);
  bool begun = false;
  if (auto error = store_->begin()) {
    dbError(text::sjis("レコードを挿入できませんでした。\n"), *error);
    fail();
  } else if (auto keysError = keys_.load(insertDb_)) {
    begun = true;
    dbError(text::sjis("メインテーブルを参照できませんでした。\n"), *keysError);
    fail();
  } else {
    begun = true;
    for (const std::string& key : request_.leaveAlone) keys_.add(key);
    if (s_.crc32 || s_.crc16) prefetch_ = std::make_unique<CrcPrefetch>(request_.window, crcSet());
    walk(request_.path, true);
    prefetch_.reset();
  }
  if (begun) {
    if (auto error = store_->finish()) {
      dbError(text::sjis("レコードを挿入できませんでした。\n"), *error);
      failed_ = true;
    }
    if (!failed_) writeSeenRows();
  }
  insertDb_.close();
  host_.marker("");
  const long long stored = store_->committed();
  if (failed_) {
    return end(RegistrationEnd::Failed,
               withFinalCounts(text::sjis("エラーのため処理を中止しました。"), stored) + problemNotes(damaged_, unreadable_));
  }
  if (stop_ != stop::kRunning) {
    return end(RegistrationEnd::Cancelled,
               withFinalCounts(text::sjis("ユーザーからの要求で処理を中止しました。"), stored) + problemNotes(damaged_, unreadable_));
  }
  if (damaged_ > 0 || unreadable_ > 0) {
    return end(RegistrationEnd::Completed, std::to_string(stored) + text::sjis(" 件の格納・更新が終了しました。( ") +
                                               std::to_string(counted_) + text::sjis(" ファイル中 )") +
                                               problemNotes(damaged_, unreadable_));
  }
  auto done =
      end(RegistrationEnd::Completed, std::to_string(stored) + text::sjis(" 件の格納・更新が完了しました。( ") +
                                          std::to_string(counted_) + text::sjis(" ファイル中 )"));
  host_.beep();
  return done;
}

}  // namespace

RegistrationResult runRegistration(const LibraryPaths& paths, const RegistrationRequest& request,
                                   RegistrationHost& host, StopFlag& stop) {
  Run run(paths, request, host, stop);
  return run.run();
}

}  // namespace qm::reg
