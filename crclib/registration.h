// Registration of one image file, or of every image of a folder tree and of
// the archives in it, as rows of main_table. This is the portable core behind
// the exports setGValCRC, dirAddImg, getDirAddThreadESC and setDirAddThreadESC
// of Quillmoor2_GetCRC (crclib/registration_exports.h has their C types); the
// image-add dialog drives it through those exports, quillmoor-cli and the tests
// call runRegistration directly.
//
// The run reports only through a RegistrationHost (status texts, progress bar,
// message boxes) and stops through the 16-bit stop flag (common/run/stop_flag.h)
// shared with whoever started it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/platform/message_sink.h"
#include "common/run/stop_flag.h"
#include "crclib/crc_window.h"
#include "crclib/row_store.h"

namespace qm::reg {

// dirAddImg's option array: 51 signed 32-bit numbers, texts: 6.
inline constexpr int kOptionCount = 51;
inline constexpr int kTextCount = 6;

// The user's choices, by option index of dirAddImg's array.
struct RegistrationSettings {
  bool searchSubfolders = false;      // 0
  bool searchArchives = false;        // 1
  int titleMode = 0;                  // 2: 0 file name .. 4 parent folder before "(" / "["
  int makerMode = 0;                  // 3: 0 none, 1 parent folder
  int versionMode = 0;                // 4: 0 none .. 3 parent folder from "(" / "["
  bool adult = false;                 // 5
  bool yearFromPath = false;          // 6
  bool countryFromPath = false;       // 7 (off: the whole list text is the country)
  bool defaultCountry = false;        // 8
  bool stripCountryBrackets = false;  // 9
  bool archiveSets = false;           // 20
  bool archiveSetTitles = false;      // 21
  bool folderSets = false;            // 22
  bool crc32 = false;                 // 23
  bool crc16 = false;                 // 24
  bool overwrite = false;             // 40
  bool keepFavourites = false;        // 41 (only with 40)
};

// From dirAddImg's array of kOptionCount numbers.
RegistrationSettings settingsFromOptions(const std::int32_t* options);

// One run's inputs. Texts are program text (Shift-JIS) of any length.
struct RegistrationRequest {
  std::string path;       // text 0: the image file or folder
  std::string machine;    // text 1: machine_name, and the extensions to look for
  std::string media;      // text 2: "" for none
  std::string genre;      // text 3: "" for none
  std::string saleYear;   // text 4: as typed
  std::string countries;  // text 5: country texts separated by ";"
  RegistrationSettings settings;
  crc::CrcWindow window;  // the CRC window of every image
  BatchLimits batches;    // rows are committed in batches of this size or age
  // Keys taken as already in the library, so never added: files a caller
  // chose to leave where they are.
  std::vector<std::string> leaveAlone;
};

// What setGValCRC hands over once per library load.
struct LibraryPaths {
  std::string dbPath;
  std::string settingsPath;   // Quillmoor2.ini: the smart title's symbol lists
  std::string programFolder;  // unused: archives are read without a temporary folder
};

// The progress window, as the run sees it. Texts are program text.
class RegistrationHost {
public:
  virtual ~RegistrationHost() = default;
  virtual void status(const std::string& text) = 0;
  virtual void currentItem(const std::string& text) = 0;
  // The small marker; "" clears it at the end.
  virtual void marker(const char* text) = 0;
  virtual void progressRange(std::uint32_t count) = 0;  // position back to 0
  virtual void progressStep() = 0;
  // The button becomes "終了": the run has ended.
  virtual void ended() = 0;
  // The information beep of a run that completed.
  virtual void beep() {}
  // One line of the run's log (program text): damaged archives, colliding
  // keys, files skipped for their names.
  virtual void log(const std::string& line) { (void)line; }
  virtual platform::MessageSink& messages() = 0;
};

// A host that shows no progress; its message boxes (and log lines) go where
// the subclass sends them.
class SilentProgressHost : public RegistrationHost {
public:
  void status(const std::string&) override {}
  void currentItem(const std::string&) override {}
  void marker(const char*) override {}
  void progressRange(std::uint32_t) override {}
  void progressStep() override {}
  void ended() override {}
};

enum class RegistrationEnd {
  NoMachineRecord,  // the machine query failed
  NothingFound,     // the count was 0
  Completed,
  Cancelled,
  Failed,           // a database failure (reported), the rows before it kept
};

struct RegistrationResult {
  RegistrationEnd end = RegistrationEnd::Failed;
  long long counted = 0;  // entries counted (-1 when the machine query failed)
  long long stored = 0;   // rows inserted or replaced and committed
  long long damaged = 0;  // archives found truncated or corrupt (logged)
  long long unreadable = 0;  // files whose CRCs could not be read: no row written (logged)
  std::string finalStatus;  // the status text the run ended with
};

using qm::StopFlag;

// The whole run, on the caller's thread.
RegistrationResult runRegistration(const LibraryPaths& paths, const RegistrationRequest& request,
                                   RegistrationHost& host, StopFlag& stop);

}  // namespace qm::reg
