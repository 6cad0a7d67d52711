#include "app/rewrite/rewrite_run.h"

#include "app/rewrite/registry_data.h"
#include "app/rewrite/rewrite_script.h"
#include "common/platform/file_attributes.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"

namespace qm::rewrite {
namespace {

using text::sjis;

const std::string kInvalid = "\nこのキーの書き換えは無効です。";

// What is current from line to line.
struct Cursor {
  std::string file;
  std::string section;
  std::string key;
  std::string registryKey;
  std::string valueName;
};

class ScriptRun {
public:
  ScriptRun(const RewriteSetup& setup, RewriteLog& log, RewriteJournal* journal)
      : setup_(setup), log_(log), journal_(journal) {
    values_ = setup.values;
    values_.stripQuotes = true;
  }

  void line(const ScriptLine& line) {
    switch (line.kind) {
      case LineKind::IniOpenFile: cursor_.file = expand(line.value); break;
      case LineKind::IniSetSection: cursor_.section = line.value; break;
      case LineKind::IniSetKey: cursor_.key = line.value; break;
      case LineKind::IniRewrite: rewriteIni(line.value); break;
      case LineKind::RegOpenKey: cursor_.registryKey = line.value; break;
      case LineKind::RegSetValueName: cursor_.valueName = line.value; break;
      case LineKind::RegRewrite: rewriteRegistry(line.value); break;
      case LineKind::Malformed:
        log_.fault("rew-Syntax", "ERROR: \"" + line.text + "\"\n" + sjis("書式に誤りがあります。\nこの行は無視されます。"));
        break;
      case LineKind::Comment:
      case LineKind::Include:
        break;
    }
  }

private:
  std::string expand(const std::string& text) const { return launch::expandLaunchTemplate(text, values_); }
  bool launching() const { return log_.mode() == RewriteMode::Launch; }

  // The one file the current path matches (wildcards allowed), or "".
  std::string matchedFile() const {
    const std::string folder = platform::folderOf(cursor_.file);
    const auto names = platform::listMatchingFiles(folder, platform::fileNameOf(cursor_.file));
    return names.size() == 1 ? platform::joinPath(folder, names[0]) : std::string();
  }

  std::string keyText() const { return "[" + cursor_.section + "]:" + cursor_.key; }

  void rewriteIni(const std::string& written) {
    const std::string file = cursor_.file.empty() ? std::string() : matchedFile();
    if (file.empty()) {
      log_.fault("ini-OpenFile", "ERROR: \"" + cursor_.file + "\"\n (\"" + keyText() + "\")\n" +
                                     sjis("設定ファイルが見つかりません。") + sjis(kInvalid));
      return;
    }
    const platform::IniFile ini(file);
    const auto before = ini.find(cursor_.section, cursor_.key);
    if (!before) {
      log_.fault("ini-ReWrite", "ERROR: \"" + keyText() + "\"\n in \"" + file + "\"\n" +
                                    sjis("セクション又はキーが見つかりません。") + sjis(kInvalid));
      return;
    }
    if (platform::isReadOnlyFile(file)) {
      log_.fault("ini-ReWrite", "ERROR: \"" + file + "\"\n (\"" + keyText() + "\"\n" +
                                    sjis("設定ファイルは書き込み禁止です。") + sjis(kInvalid));
      return;
    }
    const std::string value = iniValue(written);
    const RewriteChange change{"ini", file, "[" + cursor_.section + "]" + cursor_.key, "", *before, value};
    if (!launching()) {
      log_.success("ini-ReWrite", "SUCCESS: \"" + keyText() + "\" = " + value + "\n in \"" + file + "\"\n" +
                                      sjis("設定ファイルにセクションとキーが正しく見つかりました。\n"
                                           "このキーを書き換えてからエミュレータが起動します。"),
                   change);
      return;
    }
    if (!backUpFile(file)) return log_.fault("ini-ReWrite", file + kIniBackupSuffix);
    platform::makeFileNormal(file);
    if (!ini.writeString(cursor_.section, cursor_.key, value)) return log_.fault("ini-ReWrite", file);
    log_.changed(change);
  }

  // Line breaks a value brings in (a title, say) would start keys of their
  // own in the file: they become blanks.
  std::string iniValue(const std::string& written) const {
    std::string value = expand(written);
    for (char& c : value)
      if (c == '\r' || c == '\n') c = ' ';
    return value;
  }

  bool backUpFile(const std::string& file) {
    if (!setup_.backup || !journal_ || journal_->hasIniBackup(file)) return true;
    const std::string backup = file + kIniBackupSuffix;
    const platform::CopyResult copied = platform::copyFileNoOverwrite(file, backup);
    const bool kept = copied == platform::CopyResult::TargetExists && !platform::folderExists(backup);
    if (copied != platform::CopyResult::Copied && !kept) return false;
    journal_->addIniBackup(file);
    return true;
  }

  void rewriteRegistry(const std::string& written) {
    const std::string& full = cursor_.registryKey;
    const std::size_t cut = full.find('\\');
    const RegistryPlace place{full.substr(0, cut), cut == std::string::npos ? "" : full.substr(cut + 1),
                              cursor_.valueName};
    const std::string in = "\n in [" + full + "]\n";
    if (!isRegistryRoot(place.root))
      return log_.fault("reg-OpenKey", "ERROR Key: " + place.root + in + sjis("主キーの指定に誤りがあります。") + sjis(kInvalid));
    Registry& registry = *setup_.registry;
    const auto key = registry.open(place.root, place.subkey);
    if (!key)
      return log_.fault("reg-OpenKey", "ERROR SubKey: " + place.subkey + in +
                                           sjis("サブキーが見つかりません。又はアクセス許可がありません。") + sjis(kInvalid));
    const std::string valueText = "ERROR ValueName: " + place.name + in;
    const auto before = key->read(place.name);
    if (!before) return log_.fault("reg-ReWrite", valueText + sjis("値名が見つかりません。") + sjis(kInvalid));
    if (!isRewritableType(before->type))
      return log_.fault("reg-ReWrite", valueText + sjis("元のデータを参照できません。") + sjis(kInvalid));
    const bool isText = before->type == kRegSz || before->type == kRegExpandSz || before->type == kRegMultiSz;
    const std::string data = isText ? expand(written) : written;
    const auto bytes = registryDataBytes(before->type, data, registry);
    if (!bytes)
      return log_.fault("reg-ReWrite", "ERROR Data: " + data + in + registryTypeName(before->type) +
                                           sjis("のデータとして読めません。") + sjis(kInvalid));
    const RegistryValue after{before->type, *bytes};
    const RewriteChange change{"reg", full, place.name, registryTypeName(before->type),
                               registryDataText(*before, registry), registryDataText(after, registry)};
    if (!launching()) return testRegistry(*key, place, in, data, after, change);
    if (!backUpValue(*key, place, *before) || !key->write(place.name, after))
      return log_.fault("reg-ReWrite", "ERROR ValueName?: " + place.name + in +
                                           sjis("値を書き換えできません。又はアクセス許可がありません。") + sjis(kInvalid));
    log_.changed(change);
  }

  void testRegistry(RegistryKey& key, const RegistryPlace& place, const std::string& in, const std::string& data,
                    const RegistryValue& after, const RewriteChange& change) {
    const std::string testName = place.name + kRegistryTestSuffix;
    if (!key.write(testName, after))
      return log_.fault("reg-ReWrite", "ERROR ValueName?: " + place.name + in +
                                           sjis("値を書き換えできません。又はアクセス許可がありません。") + sjis(kInvalid));
    key.remove(testName);
    log_.success("reg-ReWrite",
                 "SUCCESS: " + place.name + " = " + data + in +
                     sjis("レジストリのキーと値名が正しく見つかりました。\nこのキーを書き換えてからエミュレータが起動します。"),
                 change);
  }

  bool backUpValue(RegistryKey& key, const RegistryPlace& place, const RegistryValue& original) {
    if (!setup_.backup || !journal_ || journal_->hasRegistryBackup(place)) return true;
    const std::string backupName = place.name + kRegistryBackupSuffix;
    if (!key.read(backupName) && !key.write(backupName, original)) return false;
    journal_->addRegistryBackup(place);
    return true;
  }

  const RewriteSetup& setup_;
  RewriteLog& log_;
  RewriteJournal* journal_;
  launch::TemplateValues values_;
  Cursor cursor_;
};

}  // namespace

void runRewriteScript(const RewriteSetup& setup, std::string_view script, RewriteLog& log,
                      RewriteJournal* journal) {
  const std::string expanded = expandIncludes(setup.place, std::string(script) + '\n', log);
  ScriptRun run(setup, log, journal);
  for (std::string_view line : scriptLines(expanded)) {
    if (log.stopped()) break;
    run.line(parseLine(line));
  }
}

}  // namespace qm::rewrite
