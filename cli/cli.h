// Shared pieces of quillmoor-cli's subcommands.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/platform/message_sink.h"

namespace qm::cli {

// Arguments after the subcommand, already program text (Shift-JIS).
struct Arguments {
  std::map<std::string, std::string> options;  // "--db" -> value
  std::vector<std::string> flags;              // "--yes"
  std::vector<std::string> positional;

  bool has(const std::string& flag) const;
  std::string get(const std::string& option, const std::string& fallback = {}) const;
};

// Options listed in `valued` take the next argument as their value.
Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued);

// The library database path of --db, made absolute.
std::string databasePath(const Arguments& args);

// Terminal edge: native terminals speak UTF-8, Windows consoles the ANSI code page.
std::string fromTerminal(const std::string& text);
void printLine(const std::string& programText);  // standard output
void printError(const std::string& programText);  // standard error

// Messages of the core go to standard error; a question is answered OK only
// when the user allowed it on the command line.
class ConsoleSink : public platform::MessageSink {
public:
  explicit ConsoleSink(bool answerYes) : answerYes_(answerYes) {}
  platform::MessageAnswer show(const std::string& text, const std::string& caption, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

private:
  bool answerYes_;
};

// False, after a message for each, when no key is given or a key names no
// image of the library.
bool allKnown(const std::string& dbPath, const std::vector<std::string>& keys);

int runCreate(const std::vector<std::string>& args);
int runInfo(const std::vector<std::string>& args);
int runReadings(const std::vector<std::string>& args);
int runSmartTitles(const std::vector<std::string>& args);
int runRemoveMissing(const std::vector<std::string>& args);
int runSync(const std::vector<std::string>& args);
int runVacuum(const std::vector<std::string>& args);
int runNormalize(const std::vector<std::string>& args);
int runArchiveList(const std::vector<std::string>& args);
int runArchiveExtract(const std::vector<std::string>& args);
int runCrc(const std::vector<std::string>& args);
int runKeys(const std::vector<std::string>& args);
int runWebSites(const std::vector<std::string>& args);
int runWebUrl(const std::vector<std::string>& args);
int runRegister(const std::vector<std::string>& args);
int runList(const std::vector<std::string>& args);
int runFavourite(const std::vector<std::string>& args);
int runResetBoot(const std::vector<std::string>& args);
int runReleaseEmulator(const std::vector<std::string>& args);
int runBackup(const std::vector<std::string>& args);
int runVersion(const std::vector<std::string>& args);
int runJoin(const std::vector<std::string>& args);
int runDissolve(const std::vector<std::string>& args);
int runRemove(const std::vector<std::string>& args);
int runLaunchCommand(const std::vector<std::string>& args);
int runLaunch(const std::vector<std::string>& args);
int runKeysScript(const std::vector<std::string>& args);
int runEmulators(const std::vector<std::string>& args);
int runRewriteTest(const std::vector<std::string>& args);
int runSearch(const std::vector<std::string>& args);
int runQueries(const std::vector<std::string>& args);
int runSnapshot(const std::vector<std::string>& args);
int runEdit(const std::vector<std::string>& args);
int runBulk(const std::vector<std::string>& args);
int runRenameData(const std::vector<std::string>& args);
int runVerify(const std::vector<std::string>& args);
int runAlterEgo(const std::vector<std::string>& args);
int runExportCsv(const std::vector<std::string>& args);
int runImportCsv(const std::vector<std::string>& args);
int runRecomputeCrc(const std::vector<std::string>& args);
int runReplace(const std::vector<std::string>& args);
int runBackupImages(const std::vector<std::string>& args);

}  // namespace qm::cli
