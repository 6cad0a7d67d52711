// The values of Quillmoor2.ini in use, loaded and saved by the catalogue
// (settings_catalogue.h).
//
// The window code keeps one Settings and calls, at the moments the catalogue
// names: loadSettings(s, ini, ReadAt::Appearance) in step 4 of the window's
// creation, ReadAt::Startup in step 11, ReadAt::Build while the search bar and
// the item list are built, ReadAt::FirstPaint at the first paint; a dialog
// calls loadDialogKeys() when it opens and saveDialogKeys() when confirmed;
// WM_DESTROY calls saveAtShutdown() with the upgrade-declined flag.
//
// A text longer than its reader's limit is taken as absent (its default),
// never cut short.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/settings_catalogue.h"
#include "common/platform/ini.h"
#include "common/platform/message_sink.h"

namespace qm {

class Settings {
public:
  Settings();  // every default

  // `index` picks a member of a family row; out of range reads the default.
  int number(Setting id, int index = 0) const;
  const std::string& text(Setting id, int index = 0) const;
  void setNumber(Setting id, int value, int index = 0);
  void setText(Setting id, std::string value, int index = 0);  // program text

private:
  struct Value {
    int number = 0;
    std::string text;
  };
  const Value* slot(Setting id, int index) const;
  Value* slot(Setting id, int index);

  std::vector<Value> values_;
};

// One key as its reader sees it: the default when absent, mended, or too long.
int readNumber(const platform::IniFile& ini, Setting id, int index = 0);
std::string readText(const platform::IniFile& ini, Setting id, int index = 0);
bool writeValue(const platform::IniFile& ini, const Settings& settings, Setting id, int index = 0);

// Reads every key whose catalogue row is read at `when`.
void loadSettings(Settings& settings, const platform::IniFile& ini, ReadAt when);
// The keys of `section` that its dialog reads and writes.
void loadDialogKeys(Settings& settings, const platform::IniFile& ini, std::string_view section);
bool saveDialogKeys(const Settings& settings, const platform::IniFile& ini, std::string_view section);

enum class SaveResult {
  Saved,
  Refused,  // the user declined the database upgrade at this start: nothing written
  Failed,   // a write failed; the others were still tried
};
// Writes the keys written at shutdown, section by section in the catalogue's order.
SaveResult saveAtShutdown(const Settings& settings, const platform::IniFile& ini, bool upgradeDeclined);
// The same, with one box when any key could not be written: the file may be
// read-only or its folder gone, and the next start would silently lose the
// window, the list's columns and the last query.
SaveResult saveAtShutdown(const Settings& settings, const platform::IniFile& ini, bool upgradeDeclined,
                          platform::MessageSink& sink);

// One rebar band (section "CoolBar_<band>"); absent keys take the band's own values.
struct BandSetting {
  int id = 0;
  int width = 300;
  int lineBreak = 0;
};
BandSetting loadBand(const platform::IniFile& ini, int band, const BandSetting& own);
bool saveBand(const platform::IniFile& ini, int band, const BandSetting& value);

// A font of the appearance sections, by section and prefix ("InfoViewFont",
// "Title"); no colour where the section has no colour key for it.
struct FontSpec {
  std::string face;  // program text
  int height = 0;
  int weight = 400;
  bool italic = false;
  std::optional<int> color;
};
FontSpec fontSpec(const Settings& settings, std::string_view section, std::string_view prefix);

}  // namespace qm
