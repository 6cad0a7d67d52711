// One emulator setting: how to start one emulator for the images of one
// machine. Settings are INI files in a tree under the program folder:
//   emuconf\<machine>.ini               the machine's defaults file
//   emuconf\<machine>\<name>.ini        the setting <name>
//   emuconf\<machine>\<name>.txt/.rew   its key script and rewriting script
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qm::launch {

// A program run before the emulator starts or after the last one ended.
struct CompanionProgram {
  std::string command;
  std::string arguments;  // as the user typed them (the file stores quotes doubled)
  int waitSeconds = 0;
};

enum class HandOver { AsIs = 0, ExtractArchived = 1, CopyAll = 2 };
enum class EndDetection { ProcessHandle = 0, WindowTitle = 1, ShellProcess = 2 };

inline constexpr int kClipKeyCount = 11;

struct EmulatorSetting {
  int extract = 0;          // HandOver
  std::string extractPath;
  int extractAllDelete = 0;
  std::string exec;
  std::string option;
  int doubleQuote = 0;
  int fileNameReplace = 0;  // 0 none, 1 blanks to "_", 2 serial numbers
  int checkType = 0;        // EndDetection
  int titleIntervalSeconds = 0;
  int titleCheckImage = 0;
  int titleCheckText = 0;
  std::string titleText;
  std::array<CompanionProgram, 2> startPrograms;
  std::array<CompanionProgram, 2> endPrograms;
  int enableTwoImagesOver = 0;
  int backupAndRestore = 1;
  std::array<int, kClipKeyCount> clip{};
};

// The names of the clip keys in file order ("ClipXthreshold" ... "SaveHeight").
const std::array<const char*, kClipKeyCount>& clipKeyNames();

// Longest delay or interval a setting may ask for, in seconds: a day.
inline constexpr int kMaxDelaySeconds = 86400;

// Reads every key with its default. Texts are read whole, also when longer
// than their read size (tooLongValue tells); the title text is cut to 254
// bytes on a character boundary; a delay or interval outside
// 0..kMaxDelaySeconds is clamped; the argument texts of the companion
// programs get their doubled quotes halved.
EmulatorSetting readEmulatorSetting(const std::string& path);
// Writes every key: integers as decimal text, argument quotes doubled, the
// title text cut to 254 bytes (what its 255-byte read keeps). A text that
// begins and ends with a quote gets one more pair around it, which reading
// removes again. False when the file cannot be written.
bool writeEmulatorSetting(const std::string& path, const EmulatorSetting& setting);

// A text of a setting longer than the buffer the launcher has always read it
// into: such a setting is refused at save and not launched.
struct TooLongValue {
  std::string key;           // "[Emulator] Option"
  std::size_t maxBytes = 0;  // the longest value that fits
};
// The first such text (argument texts counted as stored, quotes doubled).
std::optional<TooLongValue> tooLongValue(const EmulatorSetting& setting);
// "[Emulator] Option の値が長すぎます。1040 バイトまでにしてください。" in Shift-JIS.
std::string tooLongMessage(const TooLongValue& value);

// The folders and files of the tree. `root` is the program folder.
std::string emuconfFolder(const std::string& root);
std::string machineFolder(const std::string& root, const std::string& machine);
std::string machineDefaultsFile(const std::string& root, const std::string& machine);
std::string settingFile(const std::string& root, const std::string& machine, const std::string& name);

// The setting file a launch uses: the named one, or for an empty name the
// machine default ("INIFile" of the defaults file). Nothing when the machine
// or the name cannot be a file name, or the "INIFile" value names none; a
// machine without a default gives its folder, which is no setting file.
std::optional<std::string> settingFilePath(const std::string& root, const std::string& machine,
                                           const std::string& name);

// "INIFile" of the machine's defaults file (without ".ini"), "" for none.
std::string defaultSettingName(const std::string& root, const std::string& machine);
// Makes `name` the machine's default; an empty name deletes the defaults file.
bool setDefaultSetting(const std::string& root, const std::string& machine, const std::string& name);

enum class Companion { KeyScript = 0, RewriteScript = 1 };
// The setting file's path with "txt" or "rew" in place of its last three characters.
std::string companionPath(const std::string& settingPath, Companion kind);
// The whole companion file; a missing file reads as empty text.
std::string readCompanion(const std::string& settingPath, Companion kind);
// Writes the script whole; an empty script deletes the file.
bool writeCompanion(const std::string& settingPath, Companion kind, const std::string& script);

// The settings of a machine, in the order the file system gives them.
std::vector<std::string> listSettings(const std::string& root, const std::string& machine);

}  // namespace qm::launch
