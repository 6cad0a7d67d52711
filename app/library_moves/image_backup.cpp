#include "app/library_moves/image_backup.h"

#include <random>
#include <set>

#include "common/archive/member_extract.h"
#include "common/archive/member_walk.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"
#include "crclib/registration_rules.h"

namespace qm::moves {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

struct KeyParts {
  std::string archive;  // the key before "*", or the whole key
  std::string member;   // after "*", or ""
  bool archived = false;
};

KeyParts partsOf(const std::string& key) {
  const std::size_t star = sjis::find(key, '*');
  if (star == sjis::npos) return {key, "", false};
  return {key.substr(0, star), key.substr(star + 1), true};
}

// After the member's last "/", else its last "\", else the whole name.
std::string memberFileName(const std::string& member) {
  std::size_t cut = sjis::findLast(member, '/');
  if (cut == sjis::npos) cut = sjis::findLast(member, '\\');
  return cut == sjis::npos ? member : member.substr(cut + 1);
}

std::string hundredthsText(std::uint64_t bytes, std::uint64_t unit) {
  const std::uint64_t hundredths = bytes / unit * 100 + bytes % unit * 100 / unit;
  std::string digits = std::to_string(hundredths);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  const std::string whole = digits.substr(0, digits.size() - 2);
  const std::string fraction = digits.substr(digits.size() - 2);
  return fraction == "00" ? whole : whole + "." + fraction;
}

// Removes what a run put into its own folder, folders first emptied.
void removeTree(const std::string& folder) {
  for (const platform::FolderEntry& entry : platform::listFolder(folder)) {
    const std::string path = platform::joinPath(folder, entry.name);
    if (entry.link) {
      platform::removeLink(path);
    } else if (entry.folder) {
      removeTree(path);
    } else {
      platform::deleteFile(path);
    }
  }
  platform::removeEmptyFolder(folder);
}

// Windows compares file names without regard to ASCII case.
class NameBook {
public:
  bool take(const std::string& name) { return taken_.insert(sjis::toLowerAscii(name)).second; }

private:
  std::set<std::string> taken_;
};

// The member's own name when it is free, else the archive's title in front,
// else a number too.
std::string freeName(NameBook& names, const std::string& name, const std::string& archive) {
  if (names.take(name)) return name;
  const std::string title = reg::fileTitleOf(platform::fileNameOf(archive));
  for (int n = 1;; ++n) {
    // Appended piece by piece: GCC 12 warns of an overlapping copy otherwise.
    std::string candidate = title;
    if (n > 1) candidate.append("_").append(std::to_string(n));
    candidate.append("_").append(name);
    if (names.take(candidate)) return candidate;
  }
}

class SourceBuilder {
public:
  SourceBuilder(bool extract, const std::string& temp, platform::MessageSink& sink)
      : extract_(extract), temp_(temp), sink_(sink) {}

  void add(const std::string& key) {
    const KeyParts parts = partsOf(key);
    if (!parts.archived || !extract_) {
      push(parts.archive);
      return;
    }
    if (const auto path = unpack(parts)) push(*path);
  }
  std::vector<std::string> take() { return std::move(sources_); }

private:
  void push(const std::string& path) {
    if (seen_.insert(path).second) sources_.push_back(path);
  }

  // Each member into a folder of its own, then renamed when its name is taken.
  std::optional<std::string> unpack(const KeyParts& parts) {
    const std::string folder = platform::joinPath(temp_, std::to_string(++unpacked_));
    platform::createFolder(folder);
    const archive::ExtractResult extracted = archive::extractMember(parts.archive, parts.member, folder);
    if (extracted.error) {
      sink_.show(parts.archive + sjis("\n展開に失敗しました。\n") + extracted.error->message, sjis("スキップ"),
                 MessageIcon::Information, MessageButtons::Ok);
      return std::nullopt;
    }
    const std::string name = memberFileName(parts.member);
    const std::string wanted = platform::joinPath(folder, freeName(names_, name, parts.archive));
    if (wanted != extracted.path && !platform::moveFile(extracted.path, wanted)) return extracted.path;
    return wanted;
  }

  bool extract_;
  std::string temp_;
  platform::MessageSink& sink_;
  NameBook names_;
  std::set<std::string> seen_;
  std::vector<std::string> sources_;
  int unpacked_ = 0;
};

std::uint64_t memberSize(const KeyParts& parts) {
  for (const archive::Member& member : archive::listMembers(parts.archive).members)
    if (member.name == parts.member) return member.size;
  return 0;
}

}  // namespace

std::string backupSummary(const std::string& dbPath, const std::vector<maintenance::SetItem>& selected) {
  if (selected.empty()) return {};
  db::DbConnection db;
  db.open(dbPath);
  db.execute("SELECT title FROM main_table WHERE file_name=" + db::sqlText(selected.front().fileName) + ";");
  const std::string title = db.rowCount() > 0 ? db.cell(1, 0) : std::string();
  if (selected.size() == 1) return title + sjis(" をバックアップします");
  return title + sjis(" ほか ") + std::to_string(selected.size()) + sjis(" ファイルをバックアップします");
}

std::string withTrailingSeparator(const std::string& folder) {
  if (folder.empty() || platform::fileNameOf(folder).empty()) return folder;
  return folder + platform::kPathSeparator;
}

std::string capacityText(std::uint64_t bytes) {
  constexpr std::uint64_t kMega = 1024 * 1024;
  if (bytes / kMega < 1000) return hundredthsText(bytes, kMega) + "MByte";
  return hundredthsText(bytes, kMega * 1024) + "GByte";
}

BackupKeys backupKeys(const std::string& dbPath, const std::vector<maintenance::SetItem>& selected) {
  BackupKeys out;
  db::DbConnection db;
  db.open(dbPath);
  for (const maintenance::SetItem& item : selected) {
    out.keys.push_back(item.fileName);
    if (std::atoi(item.ply.c_str()) < 1) continue;
    if (auto error = db.execute("SELECT file_name FROM main_table WHERE ply_file_name ='" +
                                db::DbConnection::quoteSql(item.fileName) + "' ORDER BY ply;")) {
      out.failed = true;
      out.error = *error;
      return out;
    }
    for (int row = 1; row <= db.rowCount(); ++row) out.keys.push_back(db.cell(row, 0));
  }
  return out;
}

std::uint64_t backupSize(const std::vector<std::string>& keys, bool extractMembers) {
  std::set<std::string> counted;
  std::uint64_t total = 0;
  for (const std::string& key : keys) {
    const KeyParts parts = partsOf(key);
    const bool member = parts.archived && extractMembers;
    if (!counted.insert(member ? key : parts.archive).second) continue;
    total += member ? memberSize(parts) : platform::fileSize(parts.archive).value_or(0);
  }
  return total;
}

RunTempFolder::RunTempFolder(const std::string& programFolder) {
  const std::string temp = platform::joinPath(programFolder, "TEMP");
  platform::createFolder(temp);
  std::random_device random;
  for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
    const std::string candidate = platform::joinPath(temp, "RomCopyTemp-" + std::to_string(random()));
    if (!platform::fileExists(candidate) && platform::createFolder(candidate)) path_ = candidate;
  }
}

RunTempFolder::~RunTempFolder() {
  if (!path_.empty()) removeTree(path_);
}

std::vector<std::string> backupSources(const std::vector<std::string>& keys, bool extractMembers,
                                       const std::string& tempFolder, platform::MessageSink& sink) {
  SourceBuilder builder(extractMembers, tempFolder, sink);
  for (const std::string& key : keys) builder.add(key);
  return builder.take();
}

CopyOutcome copyPortably(const std::vector<std::string>& sources, const std::string& target,
                         platform::MessageSink& sink) {
  CopyOutcome outcome = CopyOutcome::Done;
  for (const std::string& source : sources) {
    const std::string to = platform::joinPath(target, platform::fileNameOf(source));
    const platform::CopyResult copied = platform::copyFileNoOverwrite(source, to);
    if (copied == platform::CopyResult::Copied) continue;
    const char* why = copied == platform::CopyResult::TargetExists ? "\n同じ名前のファイルがあります。"
                                                                    : "\nコピーできませんでした。";
    platform::inform(sink, source + sjis(why));
    outcome = CopyOutcome::Failed;
  }
  return outcome;
}

bool backUpImages(const BackupRequest& request, platform::MessageSink& sink, const FileCopy& copy) {
  const BackupKeys keys = backupKeys(request.dbPath, request.selected);
  if (keys.failed) {
    platform::inform(sink, sjis("セットのイメージを取得できませんでした。\n") + keys.error);
    return false;
  }
  const RunTempFolder temp(request.programFolder);
  if (request.extractMembers && temp.path().empty()) return false;
  const std::vector<std::string> sources = backupSources(keys.keys, request.extractMembers, temp.path(), sink);
  if (sources.empty()) return false;
  return copy(sources, request.target) == CopyOutcome::Done;
}

const std::string& backupDoneText() {
  static const std::string text = sjis("バックアップが完了しました");
  return text;
}

const std::string& backupFailedText() {
  static const std::string text = sjis("バックアップできませんでした");
  return text;
}

}  // namespace qm::moves
