#include "app/masters/master_tables.h"

#include <sqlite3.h>

#include <charconv>

#include "app/masters/folder_name.h"
#include "common/db/write_transaction.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::master {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageSink;
using text::sjis;

void reportDbError(MessageSink& sink, const std::string& what, const db::DbConnection& db,
                   const std::string& caption = sjis("DBエラー")) {
  sink.show(what + db.lastError().value_or(""), caption, MessageIcon::Error, MessageButtons::Ok);
}

std::vector<std::string> firstColumn(db::DbConnection& db) {
  std::vector<std::string> values;
  values.reserve(db.rowCount());
  for (int row = 1; row <= db.rowCount(); ++row) values.push_back(db.cell(row, 0));
  return values;
}

int toInt(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Nothing when it cannot be read; the question about the images is then skipped.
std::optional<std::string> storedDefaultMedia(db::DbConnection& db, const std::string& machine) {
  if (db.execute(sql::storedDefaultMedia(machine)) || db.rowCount() < 1) return std::nullopt;
  return db.cell(1, 0);
}

// False when the images were to follow and could not.
bool offerMediaForImages(db::DbConnection& db, const Entry& machine, MessageSink& sink) {
  const std::string question = sjis("ライブラリ中の「") + machine.name + sjis("」のメディア情報も\n「") +
                               machine.defaultMedia + sjis("」に更新しますか？");
  if (sink.show(question, "", MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) return true;
  if (!db.execute(sql::setMediaOfImages(machine.name, machine.defaultMedia))) return true;
  reportDbError(sink, sjis("メインテーブルをアップデートできませんでした。\n"), db);
  return false;
}

// The machine's emulator settings live under its name; failures stay silent,
// as there may be no settings yet.
void moveEmulatorConfig(const std::string& programFolder, const std::string& from, const std::string& to) {
  if (!isFolderName(from)) return;
  const std::string folder = platform::joinPath(programFolder, "emuconf");
  platform::moveFile(platform::joinPath(folder, from), platform::joinPath(folder, to));
  platform::moveFile(platform::joinPath(folder, from + ".ini"), platform::joinPath(folder, to + ".ini"));
}

// An edit whose entry was deleted meanwhile updates nothing, without an error.
bool changedOneRow(db::DbConnection& db) { return !db.execute("SELECT changes();") && db.cell(1, 0) == "1"; }

SaveOutcome reportStoreFailure(db::DbConnection& db, Kind kind, bool editing, MessageSink& sink) {
  const KindTexts& texts = textsOf(kind);
  if (db.lastResultCode() == SQLITE_CONSTRAINT) {
    platform::inform(sink, texts.duplicateName);
    return SaveOutcome::Refused;
  }
  reportDbError(sink, editing ? texts.updateFailed : texts.insertFailed, db);
  return SaveOutcome::Failed;
}

bool reportRenumberFailure(db::DbConnection& db, Kind kind, MessageSink& sink) {
  reportDbError(sink, sjis("管理テーブルをアップデートできませんでした。（管理番号ソート）\n"), db,
                std::string(word(kind)));
  return false;
}

}  // namespace

std::optional<std::vector<std::string>> listNames(db::DbConnection& db, Kind kind, MessageSink& sink) {
  if (db.execute(sql::listNames(kind))) {
    reportDbError(sink, sjis(" 管理テーブルを参照できません。\n"), db);
    return std::nullopt;
  }
  return firstColumn(db);
}

bool mayAdd(db::DbConnection& db, Kind kind, MessageSink& sink) {
  if (db.execute(sql::count(kind))) {
    reportDbError(sink, sjis("管理テーブルを参照できませんでした。\n"), db);
    return false;
  }
  if (toInt(db.cell(1, 0)) < kCapacity) return true;
  platform::inform(sink, sjis("これ以上追加できません。"));
  return false;
}

std::optional<Entry> loadEntry(db::DbConnection& db, Kind kind, const std::string& name, MessageSink& sink) {
  if (db.execute(sql::load(kind, name)) || db.rowCount() < 1) {
    reportDbError(sink, sjis("既存情報を読み込めませんでした。\n新規追加扱いになります。\n"), db);
    return std::nullopt;
  }
  const std::string w(word(kind));
  Entry entry;
  entry.name = db.cellByName(1, w);
  entry.icon = db.cellByName(1, w + "_icon");
  if (kind == Kind::Machine) {
    entry.searchExt = db.cellByName(1, "search_ext");
    entry.snapPath = db.cellByName(1, "snap_path");
    entry.snapPath2 = db.cellByName(1, "snap_path2");
    entry.snapPath3 = db.cellByName(1, "snap_path3");
    entry.snapDtm = db.cellByName(1, "snap_dtm");
    entry.defaultMedia = db.cellByName(1, "default_media");
  }
  return entry;
}

NameCheck checkName(Kind kind, const std::string& name) {
  if (name.empty()) return NameCheck::Empty;
  if (kind != Kind::Machine) return name == sjis("指定なし") ? NameCheck::Reserved : NameCheck::Ok;
  return isFolderName(name) ? NameCheck::Ok : NameCheck::NotFolderName;
}

SaveOutcome saveEntry(db::DbConnection& db, Kind kind, const Entry& entry, const std::optional<std::string>& oldName,
                      const std::string& programFolder, MessageSink& sink) {
  const KindTexts& texts = textsOf(kind);
  const NameCheck check = checkName(kind, entry.name);
  if (check != NameCheck::Ok) {
    platform::inform(sink, check == NameCheck::Empty ? texts.nameRequired : texts.nameRefused);
    return SaveOutcome::Refused;
  }
  const bool machineEdit = kind == Kind::Machine && oldName;
  const std::optional<std::string> mediaBefore = machineEdit ? storedDefaultMedia(db, *oldName) : std::nullopt;

  if (db.execute(oldName ? sql::update(kind, entry, *oldName) : sql::insert(kind, entry)))
    return reportStoreFailure(db, kind, oldName.has_value(), sink);
  if (oldName && !changedOneRow(db)) {
    reportDbError(sink, texts.updateFailed, db);
    return SaveOutcome::Failed;
  }

  // A failed media update stops here: the emulator settings stay where they
  // are and nothing is renumbered, as after any failed statement of a save.
  if (mediaBefore && *mediaBefore != entry.defaultMedia && !offerMediaForImages(db, entry, sink))
    return SaveOutcome::Failed;
  if (machineEdit && *oldName != entry.name) moveEmulatorConfig(programFolder, *oldName, entry.name);
  renumber(db, kind, sink);
  db.execute("DROP VIEW list_view;");  // the next search makes it again
  return SaveOutcome::Saved;
}

bool removeEntry(db::DbConnection& db, Kind kind, const std::string& name, MessageSink& sink) {
  const std::string question = sjis("「") + name + sjis("」を削除します。\nよろしいですか？");
  if (sink.show(question, sjis("削除確認"), MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  if (db.execute(sql::remove(kind, name))) {
    reportDbError(sink, sjis("削除エラー\n"), db);
    return false;
  }
  renumber(db, kind, sink);
  return true;
}

bool renumber(db::DbConnection& db, Kind kind, MessageSink& sink) {
  if (db.execute(sql::listNames(kind))) {
    reportDbError(sink, sjis("管理テーブルを参照できませんでした。（管理番号ソート）\n"), db, std::string(word(kind)));
    return false;
  }
  const std::vector<std::string> names = firstColumn(db);
  db::WriteTransaction transaction(db);
  if (transaction.begin()) return reportRenumberFailure(db, kind, sink);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (db.execute(sql::setNumber(kind, static_cast<int>(i + 1), names[i]))) return reportRenumberFailure(db, kind, sink);
  }
  if (!transaction.commit()) return true;
  return reportRenumberFailure(db, kind, sink);
}

void renumberAll(db::DbConnection& db, MessageSink& sink) {
  sink.show(sjis("マスタ管理の連番処理を行います"), "", MessageIcon::None, MessageButtons::Ok);
  for (Kind kind : kAllKinds) renumber(db, kind, sink);
}

IconSource iconSourceOf(const std::string& path) {
  if (path.empty()) return IconSource::Default;
  return platform::fileSize(path) ? IconSource::File : IconSource::Missing;
}

std::optional<std::vector<IconSlot>> iconSlots(db::DbConnection& db, Kind kind, MessageSink& sink) {
  if (db.execute(sql::iconList(kind))) {
    reportDbError(sink, textsOf(kind).iconListFailed, db);
    return std::nullopt;
  }
  std::vector<IconSlot> slots(1);
  for (int row = 1; row <= db.rowCount(); ++row) {
    IconSlot slot{db.cell(row, 1), db.cell(row, 0)};
    slot.source = iconSourceOf(slot.path);
    slots.push_back(std::move(slot));
  }
  return slots;
}

}  // namespace qm::master
