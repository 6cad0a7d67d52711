#include "app/launch/setting_store.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/launch/setting_name.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using text::sjis;

// The assignments of `name` on `machine`, as the dialog's statements pick them.
std::string assignmentsOf(const std::string& name, const std::string& machine) {
  return "pfile_ue IN (SELECT pfile_ue FROM use_emuset_table JOIN main_table ON pfile_ue=file_name WHERE "
         "emuset_name=" + db::sqlText(name) + " AND machine_name=" + db::sqlText(machine) + ")";
}

// Runs one statement on the library; true when it changed rows. Failures
// show the engine's text under `caption`.
bool changeAssignments(const std::string& dbPath, const std::string& sql, const char* captionUtf8,
                       platform::MessageSink& sink) {
  db::DbConnection db;
  db.open(dbPath);
  if (auto error = db.execute(sql)) {
    sink.show(*error, sjis(captionUtf8), MessageIcon::Error, MessageButtons::Ok);
    return false;
  }
  return !db.execute("SELECT changes();") && std::atoi(db.cell(1, 0).c_str()) > 0;
}

bool sameName(const std::string& a, const std::string& b) { return sjis::equalsIgnoreCaseAscii(a, b); }

// The checks of the dialog's OK, in the order the user meets them.
bool formAccepted(const SettingForm& form, platform::MessageSink& sink) {
  const EmulatorSetting& s = form.setting;
  if ((s.extract == 1 || s.extract == 2) && s.extractPath.empty()) {
    platform::inform(sink, sjis("圧縮ファイルの解凍先フォルダを指定してください。"));
    return false;
  }
  if (form.name.empty()) {
    platform::inform(sink, sjis("設定名の入力は必須です。"));
    return false;
  }
  if (!isValidSettingName(form.name, false) || !isSafeFileName(form.machine)) {
    platform::inform(sink, sjis("設定名に使用できない文字が含まれているか、使用できない文字列です。"));
    return false;
  }
  for (const auto* waits : {&form.startWaits, &form.endWaits})
    for (const std::string& wait : *waits)
      if (!wait.empty() && !isHalfWidthNumber(wait)) {
        platform::inform(sink, sjis("同時起動アプリケーションのエミュ起動遅延(秒)は半角数値で入力してください。"));
        return false;
      }
  if (!form.interval.empty() && !isHalfWidthNumber(form.interval)) {
    platform::inform(sink, sjis("エミュレータ終了検知の検索間隔(秒)は半角数値で入力してください。"));
    return false;
  }
  if (s.checkType == 1 && s.titleCheckText == 1 && s.titleText.empty()) {
    platform::inform(sink, sjis("エミュレータ終了検知の文字列が指定されていません。"));
    return false;
  }
  // The launcher reads each text into a buffer of fixed size: a longer one would be lost.
  if (const auto tooLong = tooLongValue(s)) {
    platform::inform(sink, tooLongMessage(*tooLong));
    return false;
  }
  return true;
}

int secondsOf(const std::string& text) {
  return text.empty() ? 0 : std::min(std::atoi(text.c_str()), kMaxDelaySeconds);
}

EmulatorSetting settingToWrite(const SettingForm& form) {
  EmulatorSetting setting = form.setting;
  for (int i = 0; i < 2; ++i) {
    setting.startPrograms[i].waitSeconds = secondsOf(form.startWaits[i]);
    setting.endPrograms[i].waitSeconds = secondsOf(form.endWaits[i]);
  }
  setting.titleIntervalSeconds = secondsOf(form.interval);
  return setting;
}

// Renamed, or moved to another machine: the per-image assignments follow a
// rename. A move leaves the old files and so the old assignments in place.
bool followRename(const SettingPlace& place, const SettingForm& form, platform::MessageSink& sink) {
  const bool renamed = !form.originalName.empty() && form.originalName != form.name;
  if (!renamed || form.originalMachine != form.machine) return false;
  if (sameName(defaultSettingName(place.root, form.machine), form.originalName))
    setDefaultSetting(place.root, form.machine, form.name);
  return changeAssignments(place.dbPath,
                           "UPDATE use_emuset_table SET emuset_name=" + db::sqlText(form.name) + " WHERE " +
                               assignmentsOf(form.originalName, form.machine) + ";",
                           "db設定名変更エラー", sink);
}

}  // namespace

std::optional<std::vector<std::string>> libraryMachines(const std::string& dbPath) {
  db::DbConnection db;
  db.open(dbPath);
  if (db.execute("SELECT machine FROM machine_info_table UNION SELECT machine_name FROM main_table ORDER BY 1;"))
    return std::nullopt;
  std::vector<std::string> machines;
  for (int row = 1; row <= db.rowCount(); ++row) machines.push_back(db.cell(row, 0));
  return machines;
}

bool isHalfWidthNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

SaveResult saveSetting(const SettingPlace& place, const SettingForm& form, platform::MessageSink& sink) {
  SaveResult result;
  if (!formAccepted(form, sink)) return result;
  if (!platform::createFolder(emuconfFolder(place.root)) ||
      !platform::createFolder(machineFolder(place.root, form.machine))) {
    sink.show(sjis("設定を保存できませんでした。\n") + machineFolder(place.root, form.machine), "",
              MessageIcon::Error, MessageButtons::Ok);
    return result;
  }
  const std::string path = settingFile(place.root, form.machine, form.name);
  const bool sameFile = form.originalName == form.name && form.originalMachine == form.machine;
  if (platform::fileExists(path) && !sameFile &&
      sink.show(sjis("指定された機種に、同じ設定名が存在します。上書きしますか？"), "", MessageIcon::Question,
                MessageButtons::YesNo) != MessageAnswer::Yes)
    return result;
  result.listChanged = followRename(place, form, sink);
  if (!writeEmulatorSetting(path, settingToWrite(form)) ||
      !writeCompanion(path, Companion::KeyScript, form.keyScript) ||
      !writeCompanion(path, Companion::RewriteScript, form.rewriteScript)) {
    sink.show(sjis("設定を保存できませんでした。\n") + path, "", MessageIcon::Error, MessageButtons::Ok);
    return result;
  }
  result.saved = true;
  return result;
}

std::string copySetting(const SettingPlace& place, const std::string& machine, const std::string& name,
                        platform::MessageSink& sink) {
  const std::string source = settingFile(place.root, machine, name);
  if (!isSafeFileName(machine) || !isValidSettingName(name, false) || !platform::fileExists(source)) return {};
  std::string target = name + sjis("のコピー");
  for (int n = 1; platform::fileExists(settingFile(place.root, machine, target)); ++n) {
    if (n > 98) {
      sink.show(sjis("空いている名前が見つからないため、設定をコピーできませんでした。\n") + name, "",
                MessageIcon::Information, MessageButtons::Ok);
      return {};
    }
    target = name + sjis("のコピー(") + std::to_string(n) + ")";
  }
  const std::string copy = settingFile(place.root, machine, target);
  if (platform::copyFileNoOverwrite(source, copy) != platform::CopyResult::Copied) return {};
  for (Companion kind : {Companion::KeyScript, Companion::RewriteScript})
    if (platform::fileExists(companionPath(source, kind)))
      platform::copyFileNoOverwrite(companionPath(source, kind), companionPath(copy, kind));
  return target;
}

DeleteResult deleteSetting(const SettingPlace& place, const std::string& machine, const std::string& name,
                           platform::MessageSink& sink) {
  DeleteResult result;
  if (!isSafeFileName(machine) || !isValidSettingName(name, false)) return result;
  if (sink.show(name + sjis("を削除します。よろしいですか？"), "", MessageIcon::Question, MessageButtons::YesNo) !=
      MessageAnswer::Yes)
    return result;
  if (sameName(defaultSettingName(place.root, machine), name)) setDefaultSetting(place.root, machine, "");
  const std::string path = settingFile(place.root, machine, name);
  // Pauses between the deletions give a shell window showing the folder time to catch up.
  for (const std::string& file :
       {path, companionPath(path, Companion::KeyScript), companionPath(path, Companion::RewriteScript)}) {
    platform::deleteFile(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  result.deleted = true;
  result.listChanged = changeAssignments(
      place.dbPath, "DELETE FROM use_emuset_table WHERE " + assignmentsOf(name, machine) + ";", "db設定名削除エラー",
      sink);
  return result;
}

bool toggleDefaultSetting(const SettingPlace& place, const std::string& machine, const std::string& name) {
  if (sameName(defaultSettingName(place.root, machine), name)) {
    setDefaultSetting(place.root, machine, "");
    return false;
  }
  return setDefaultSetting(place.root, machine, name);
}

}  // namespace qm::launch
