// The settings dialog's operations on the settings tree and the per-image
// assignments in the library: save with its checks, copy, delete and making
// a setting its machine's default. Messages go to the sink.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/launch/emulator_setting.h"
#include "common/platform/message_sink.h"

namespace qm::launch {

// Where the settings live and where the assignments are.
struct SettingPlace {
  std::string root;    // the program folder
  std::string dbPath;  // the library, for use_emuset_table
};

// The dialog's fields. The delays and the interval are the texts typed; the
// rest of `setting` is taken as it is.
struct SettingForm {
  std::string machine;
  std::string name;
  std::string originalMachine;  // both empty for a new setting
  std::string originalName;
  EmulatorSetting setting;
  std::array<std::string, 2> startWaits;
  std::array<std::string, 2> endWaits;
  std::string interval;
  std::string keyScript;
  std::string rewriteScript;
};

struct SaveResult {
  bool saved = false;        // false: refused or declined, nothing written
  bool listChanged = false;  // assignments changed: the item list wants a refresh
};

SaveResult saveSetting(const SettingPlace& place, const SettingForm& form, platform::MessageSink& sink);

// The copy's name, or "" when it was not made (the sink was told why).
std::string copySetting(const SettingPlace& place, const std::string& machine, const std::string& name,
                        platform::MessageSink& sink);

struct DeleteResult {
  bool deleted = false;
  bool listChanged = false;
};
DeleteResult deleteSetting(const SettingPlace& place, const std::string& machine, const std::string& name,
                           platform::MessageSink& sink);

// Makes the setting the default, or, when it is already, leaves the machine
// without one. True when it is the default afterwards.
bool toggleDefaultSetting(const SettingPlace& place, const std::string& machine, const std::string& name);

// The machines of the master table and of the library's images, sorted;
// nothing when the library cannot be read.
std::optional<std::vector<std::string>> libraryMachines(const std::string& dbPath);

// True for one or more half-width digits only.
bool isHalfWidthNumber(const std::string& text);

}  // namespace qm::launch
