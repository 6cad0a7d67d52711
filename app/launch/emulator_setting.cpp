#include "app/launch/emulator_setting.h"

#include <algorithm>

#include "app/launch/setting_name.h"
#include "common/archive/stdio_file.h"
#include "common/platform/atomic_file.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "common/text/sjis.h"

namespace qm::launch {
namespace {

using platform::IniFile;

constexpr std::size_t kTitleTextReadSize = 255;

// Read sizes are those of the buffers the values were always read into: a
// value must be shorter by its terminator.
struct TextKey {
  const char* section;
  const char* key;
  std::size_t readSize;
  std::string& (*field)(EmulatorSetting&);
};

struct IntKey {
  const char* section;
  const char* key;
  int fallback;
  bool isDelay;  // seconds slept or polled: never negative, at most a day
  int& (*field)(EmulatorSetting&);
};

// The title text is cut at save, so it is no member here.
const TextKey kTextKeys[] = {
    {"ImageFile", "ExtractPath", 260, [](EmulatorSetting& s) -> std::string& { return s.extractPath; }},
    {"Emulator", "Exec", 260, [](EmulatorSetting& s) -> std::string& { return s.exec; }},
    {"Emulator", "Option", 1041, [](EmulatorSetting& s) -> std::string& { return s.option; }},
};

const IntKey kIntKeys[] = {
    {"ImageFile", "Extract", 0, false, [](EmulatorSetting& s) -> int& { return s.extract; }},
    {"ImageFile", "ExtractAllDelete", 0, false, [](EmulatorSetting& s) -> int& { return s.extractAllDelete; }},
    {"Emulator", "double_quart", 0, false, [](EmulatorSetting& s) -> int& { return s.doubleQuote; }},
    {"Emulator", "ImageFnReplace", 0, false, [](EmulatorSetting& s) -> int& { return s.fileNameReplace; }},
    {"TerminationDetective", "ChekType", 0, false, [](EmulatorSetting& s) -> int& { return s.checkType; }},
    {"TerminationDetective", "TTSrch_ChekInterval", 0, true,
     [](EmulatorSetting& s) -> int& { return s.titleIntervalSeconds; }},
    {"TerminationDetective", "TTSrch_CheckImage", 0, false,
     [](EmulatorSetting& s) -> int& { return s.titleCheckImage; }},
    {"TerminationDetective", "TTSrch_CheckText", 0, false,
     [](EmulatorSetting& s) -> int& { return s.titleCheckText; }},
    {"KeyEmulation", "Enable2ImgOver", 0, false, [](EmulatorSetting& s) -> int& { return s.enableTwoImagesOver; }},
    {"ConfigRewrite", "BackupAndRestore", 1, false, [](EmulatorSetting& s) -> int& { return s.backupAndRestore; }},
};

constexpr const char* kProgramSections[] = {"StartCommand", "TerminateCommand"};
constexpr std::size_t kProgramTextSize = 520;

std::array<CompanionProgram, 2>& programsOf(EmulatorSetting& setting, int phase) {
  return phase == 0 ? setting.startPrograms : setting.endPrograms;
}

std::string readText(const IniFile& ini, const char* section, const char* key, std::size_t readSize) {
  std::string value = ini.getString(section, key);
  return value.size() < readSize ? value : std::string();
}

// Reading takes one pair of enclosing quotes off a value ("a" "b" would reach
// the emulator as a" "b), so such a value is stored inside one more pair.
bool writeText(const IniFile& ini, std::string_view section, std::string_view key, const std::string& value) {
  const bool enclosed = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
  return ini.writeString(section, key, enclosed ? "\"" + value + "\"" : value);
}

std::string storedArguments(const std::string& arguments) { return sjis::replaceAll(arguments, "\"", "\"\""); }

int clampDelay(int seconds) { return std::clamp(seconds, 0, kMaxDelaySeconds); }

std::string numbered(const char* key, int index) { return key + std::to_string(index + 1); }

void readPrograms(const IniFile& ini, EmulatorSetting& setting) {
  for (int phase = 0; phase < 2; ++phase) {
    for (int i = 0; i < 2; ++i) {
      CompanionProgram& program = programsOf(setting, phase)[i];
      const char* section = kProgramSections[phase];
      program.command = ini.getString(section, numbered("cmd", i));
      program.arguments = sjis::replaceAll(ini.getString(section, numbered("opt", i)), "\"\"", "\"");
      program.waitSeconds = clampDelay(ini.getInt(section, numbered("wait", i), 0));
    }
  }
}

bool writePrograms(const IniFile& ini, EmulatorSetting setting) {
  bool ok = true;
  for (int phase = 0; phase < 2; ++phase) {
    for (int i = 0; i < 2; ++i) {
      const CompanionProgram& program = programsOf(setting, phase)[i];
      const char* section = kProgramSections[phase];
      ok &= writeText(ini, section, numbered("cmd", i), program.command);
      ok &= writeText(ini, section, numbered("opt", i), storedArguments(program.arguments));
      ok &= ini.writeInt(section, numbered("wait", i), program.waitSeconds);
    }
  }
  return ok;
}

bool isFile(const std::string& path) { return platform::fileExists(path) && !platform::folderExists(path); }

}  // namespace

const std::array<const char*, kClipKeyCount>& clipKeyNames() {
  static const std::array<const char*, kClipKeyCount> names = {
      "ClipXthreshold", "ClipTopX",  "ClipTopY",  "ClipWidth", "ClipHeight", "ClipTopX2",
      "ClipTopY2",      "ClipWidth2", "ClipHeight2", "SaveWidth", "SaveHeight"};
  return names;
}

EmulatorSetting readEmulatorSetting(const std::string& path) {
  const IniFile ini(path);
  EmulatorSetting setting;
  for (const TextKey& key : kTextKeys) key.field(setting) = ini.getString(key.section, key.key);
  setting.titleText = std::string(
      sjis::cutToBytes(ini.getString("TerminationDetective", "TTSrch_Text"), kTitleTextReadSize - 1));
  for (const IntKey& key : kIntKeys) {
    const int value = ini.getInt(key.section, key.key, key.fallback);
    key.field(setting) = key.isDelay ? clampDelay(value) : value;
  }
  readPrograms(ini, setting);
  for (int i = 0; i < kClipKeyCount; ++i) setting.clip[i] = ini.getInt("ClipToPNG", clipKeyNames()[i], 0);
  return setting;
}

bool writeEmulatorSetting(const std::string& path, const EmulatorSetting& source) {
  EmulatorSetting setting = source;
  setting.titleText = std::string(sjis::cutToBytes(setting.titleText, kTitleTextReadSize - 1));
  const IniFile ini(path);
  bool ok = true;
  for (const TextKey& key : kTextKeys) ok &= writeText(ini, key.section, key.key, key.field(setting));
  ok &= writeText(ini, "TerminationDetective", "TTSrch_Text", setting.titleText);
  for (const IntKey& key : kIntKeys) ok &= ini.writeInt(key.section, key.key, key.field(setting));
  ok &= writePrograms(ini, setting);
  for (int i = 0; i < kClipKeyCount; ++i) ok &= ini.writeInt("ClipToPNG", clipKeyNames()[i], setting.clip[i]);
  return ok;
}

std::optional<TooLongValue> tooLongValue(const EmulatorSetting& source) {
  EmulatorSetting setting = source;
  for (const TextKey& key : kTextKeys)
    if (key.field(setting).size() >= key.readSize)
      return TooLongValue{std::string("[") + key.section + "] " + key.key, key.readSize - 1};
  for (int phase = 0; phase < 2; ++phase) {
    for (int i = 0; i < 2; ++i) {
      const CompanionProgram& program = programsOf(setting, phase)[i];
      const std::string section = std::string("[") + kProgramSections[phase] + "] ";
      if (program.command.size() >= kProgramTextSize)
        return TooLongValue{section + numbered("cmd", i), kProgramTextSize - 1};
      if (storedArguments(program.arguments).size() >= kProgramTextSize)
        return TooLongValue{section + numbered("opt", i), kProgramTextSize - 1};
    }
  }
  return std::nullopt;
}

std::string tooLongMessage(const TooLongValue& value) {
  return value.key + text::sjis(" の値が長すぎます。") + std::to_string(value.maxBytes) +
         text::sjis(" バイトまでにしてください。");
}

std::string emuconfFolder(const std::string& root) { return platform::joinPath(root, "emuconf"); }

std::string machineFolder(const std::string& root, const std::string& machine) {
  return platform::joinPath(emuconfFolder(root), machine);
}

std::string machineDefaultsFile(const std::string& root, const std::string& machine) {
  return platform::joinPath(emuconfFolder(root), machine + ".ini");
}

std::string settingFile(const std::string& root, const std::string& machine, const std::string& name) {
  return platform::joinPath(machineFolder(root, machine), name + ".ini");
}

std::optional<std::string> settingFilePath(const std::string& root, const std::string& machine,
                                           const std::string& name) {
  if (!isSafeFileName(machine)) return std::nullopt;
  if (!name.empty()) {
    if (!isValidSettingName(name, false)) return std::nullopt;
    return settingFile(root, machine, name);
  }
  const std::string file = readText(IniFile(machineDefaultsFile(root, machine)), "DefaultEmulator", "INIFile", 260);
  if (file.empty()) return machineFolder(root, machine);
  if (!isSafeFileName(file)) return std::nullopt;
  return platform::joinPath(machineFolder(root, machine), file);
}

std::string defaultSettingName(const std::string& root, const std::string& machine) {
  if (!isSafeFileName(machine)) return {};
  std::string file = readText(IniFile(machineDefaultsFile(root, machine)), "DefaultEmulator", "INIFile", 260);
  if (file.size() >= 4 && sjis::equalsIgnoreCaseAscii(std::string_view(file).substr(file.size() - 4), ".ini"))
    file.resize(file.size() - 4);
  return file;
}

bool setDefaultSetting(const std::string& root, const std::string& machine, const std::string& name) {
  if (!isSafeFileName(machine)) return false;
  const std::string defaults = machineDefaultsFile(root, machine);
  if (name.empty()) return !platform::fileExists(defaults) || platform::deleteFile(defaults);
  if (!isValidSettingName(name, false) || !platform::createFolder(emuconfFolder(root))) return false;
  const IniFile ini(defaults);
  return ini.writeString("DefaultEmulator", "INIFile", name + ".ini") &&
         ini.writeString("DefaultEmulator", "KEYFile", name + ".txt");
}

std::string companionPath(const std::string& settingPath, Companion kind) {
  const std::string base = settingPath.size() >= 3 ? settingPath.substr(0, settingPath.size() - 3) : std::string();
  return base + (kind == Companion::KeyScript ? "txt" : "rew");
}

std::string readCompanion(const std::string& settingPath, Companion kind) {
  const std::string path = companionPath(settingPath, kind);
  if (!isFile(path)) return {};
  archive::StdioFile file = archive::openStdioFile(path, "rb");
  if (!file) return {};
  std::string bytes;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  return bytes;
}

bool writeCompanion(const std::string& settingPath, Companion kind, const std::string& script) {
  const std::string path = companionPath(settingPath, kind);
  if (script.empty()) return !platform::fileExists(path) || platform::deleteFile(path);
  return platform::writeFileAtomically(path, script);
}

std::vector<std::string> listSettings(const std::string& root, const std::string& machine) {
  std::vector<std::string> names;
  if (!isSafeFileName(machine)) return names;
  for (std::string name : platform::listMatchingFiles(machineFolder(root, machine), "*.ini")) {
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace qm::launch
