#include "app/settings/settings.h"

#include <algorithm>
#include <array>

#include "common/text/encoding.h"

namespace qm {
namespace {

int members(const SettingDef& def) { return def.count == kPerBand ? 0 : def.count; }

// Index of each row's first value in the flat store.
const std::array<int, static_cast<std::size_t>(Setting::Count) + 1>& offsets() {
  static const auto table = [] {
    std::array<int, static_cast<std::size_t>(Setting::Count) + 1> result{};
    int next = 0;
    for (const SettingDef& def : settingsCatalogue()) {
      result[static_cast<std::size_t>(def.id)] = next;
      next += members(def);
    }
    result.back() = next;
    return result;
  }();
  return table;
}

int mend(const SettingDef& def, int index, int value) {
  if (def.fix == Fix::BelowOneIsDefault && value < 1) return defaultNumber(def, index);
  return value;
}

int readNumberIn(const platform::IniFile& ini, const std::string& section, const SettingDef& def, int index,
                 int fallback) {
  return mend(def, index, ini.getInt(section, keyName(def, index), fallback));
}

void loadRow(Settings& settings, const platform::IniFile& ini, const SettingDef& def) {
  for (int i = 0; i < members(def); ++i) {
    if (def.kind == ValueKind::Number)
      settings.setNumber(def.id, readNumber(ini, def.id, i), i);
    else
      settings.setText(def.id, readText(ini, def.id, i), i);
  }
}

bool saveRow(const Settings& settings, const platform::IniFile& ini, const SettingDef& def) {
  bool ok = true;
  for (int i = 0; i < members(def); ++i) ok = writeValue(ini, settings, def.id, i) && ok;
  return ok;
}

}  // namespace

Settings::Settings() : values_(static_cast<std::size_t>(offsets().back())) {
  for (const SettingDef& def : settingsCatalogue()) {
    for (int i = 0; i < members(def); ++i) {
      Value* value = slot(def.id, i);
      value->number = defaultNumber(def, i);
      if (def.kind == ValueKind::Text) value->text = defaultText(def);
    }
  }
}

const Settings::Value* Settings::slot(Setting id, int index) const {
  const auto row = static_cast<std::size_t>(id);
  if (row >= static_cast<std::size_t>(Setting::Count) || index < 0) return nullptr;
  const int at = offsets()[row] + index;
  return at < offsets()[row + 1] ? &values_[static_cast<std::size_t>(at)] : nullptr;
}

Settings::Value* Settings::slot(Setting id, int index) {
  return const_cast<Value*>(static_cast<const Settings*>(this)->slot(id, index));
}

int Settings::number(Setting id, int index) const {
  const Value* value = slot(id, index);
  return value ? value->number : defaultNumber(settingDef(id), index);
}

const std::string& Settings::text(Setting id, int index) const {
  static const std::string none;
  const Value* value = slot(id, index);
  return value ? value->text : none;
}

void Settings::setNumber(Setting id, int value, int index) {
  if (Value* v = slot(id, index)) v->number = value;
}

void Settings::setText(Setting id, std::string value, int index) {
  if (Value* v = slot(id, index)) v->text = std::move(value);
}

int readNumber(const platform::IniFile& ini, Setting id, int index) {
  const SettingDef& def = settingDef(id);
  return readNumberIn(ini, def.section, def, index, defaultNumber(def, index));
}

std::string readText(const platform::IniFile& ini, Setting id, int index) {
  const SettingDef& def = settingDef(id);
  std::optional<std::string> stored = ini.find(def.section, keyName(def, index));
  // A reader with a fixed buffer would get the text cut short; a cut path or
  // statement is worse than none.
  if (!stored || stored->size() > def.maxBytes) return defaultText(def);
  return *stored;
}

bool writeValue(const platform::IniFile& ini, const Settings& settings, Setting id, int index) {
  const SettingDef& def = settingDef(id);
  const std::string key = keyName(def, index);
  if (def.kind == ValueKind::Number) return ini.writeInt(def.section, key, settings.number(id, index));
  return ini.writeString(def.section, key, settings.text(id, index));
}

void loadSettings(Settings& settings, const platform::IniFile& ini, ReadAt when) {
  for (const SettingDef& def : settingsCatalogue()) {
    if (def.read == when) loadRow(settings, ini, def);
  }
}

void loadDialogKeys(Settings& settings, const platform::IniFile& ini, std::string_view section) {
  for (const SettingDef& def : settingsCatalogue()) {
    if (def.read == ReadAt::Dialog && def.section == section) loadRow(settings, ini, def);
  }
}

bool saveDialogKeys(const Settings& settings, const platform::IniFile& ini, std::string_view section) {
  bool ok = true;
  for (const SettingDef& def : settingsCatalogue()) {
    if (def.write == WriteAt::Dialog && def.section == section) ok = saveRow(settings, ini, def) && ok;
  }
  return ok;
}

SaveResult saveAtShutdown(const Settings& settings, const platform::IniFile& ini, bool upgradeDeclined) {
  if (upgradeDeclined) return SaveResult::Refused;
  bool ok = true;
  for (const char* section : shutdownSectionOrder()) {
    for (const SettingDef& def : settingsCatalogue()) {
      if (def.write == WriteAt::Shutdown && std::string_view(def.section) == section)
        ok = saveRow(settings, ini, def) && ok;
    }
  }
  return ok ? SaveResult::Saved : SaveResult::Failed;
}

SaveResult saveAtShutdown(const Settings& settings, const platform::IniFile& ini, bool upgradeDeclined,
                          platform::MessageSink& sink) {
  const SaveResult result = saveAtShutdown(settings, ini, upgradeDeclined);
  if (result == SaveResult::Failed)
    sink.show(text::sjis("設定ファイルに書き込めませんでした。\n") + ini.path(), text::sjis("設定の保存"),
              platform::MessageIcon::Error, platform::MessageButtons::Ok);
  return result;
}

BandSetting loadBand(const platform::IniFile& ini, int band, const BandSetting& own) {
  const std::string section = settingDef(Setting::CoolBarBandId).section + std::to_string(band);
  return {
      readNumberIn(ini, section, settingDef(Setting::CoolBarBandId), 0, own.id),
      readNumberIn(ini, section, settingDef(Setting::CoolBarBandWidth), 0, own.width),
      readNumberIn(ini, section, settingDef(Setting::CoolBarBandBreak), 0, own.lineBreak),
  };
}

bool saveBand(const platform::IniFile& ini, int band, const BandSetting& value) {
  const std::string section = settingDef(Setting::CoolBarBandId).section + std::to_string(band);
  bool ok = ini.writeInt(section, settingDef(Setting::CoolBarBandId).key, value.id);
  ok = ini.writeInt(section, settingDef(Setting::CoolBarBandWidth).key, value.width) && ok;
  return ini.writeInt(section, settingDef(Setting::CoolBarBandBreak).key, value.lineBreak) && ok;
}

FontSpec fontSpec(const Settings& settings, std::string_view section, std::string_view prefix) {
  auto find = [&](const char* part) { return findSetting(section, std::string(prefix) + part); };
  FontSpec font;
  if (auto id = find("Face")) font.face = settings.text(*id);
  if (auto id = find("Height")) font.height = settings.number(*id);
  if (auto id = find("Weight")) font.weight = settings.number(*id);
  if (auto id = find("Italic")) font.italic = settings.number(*id) != 0;
  if (auto id = find("Color")) font.color = settings.number(*id);
  return font;
}

}  // namespace qm
