// launch-command, launch and emulators: the launch without the window. The
// settings tree is looked for beside the library, as the program looks for
// it in its own folder.
#include <algorithm>
#include <cstdlib>

#include "app/keys/key_script.h"
#include "app/launch/launch_key_script.h"
#include "app/launch/emulator_setting.h"
#include "app/launch/launch_run.h"
#include "app/launch/process_host.h"
#include "app/launch/setting_store.h"
#include "cli/cli.h"
#include "cli/launch_keys.h"
#include "cli/maintenance_console.h"
#include "common/platform/files.h"

namespace qm::cli {
namespace {

struct LaunchArguments {
  launch::LaunchPlace place;
  launch::LaunchRequest request;
};

// Nothing after telling why (usage, no library, unknown key).
std::optional<LaunchArguments> launchArguments(const Arguments& args, const char* usage) {
  if (args.positional.size() != 1) {
    printError(usage);
    return std::nullopt;
  }
  LaunchArguments parsed;
  parsed.place.dbPath = databasePath(args);
  parsed.place.root = platform::folderOf(parsed.place.dbPath);
  if (!libraryExists(parsed.place.dbPath)) return std::nullopt;
  std::string error;
  auto item = launch::loadLaunchItem(parsed.place.dbPath, args.positional[0], &error);
  if (!item) {
    printError("error: " + (error.empty() ? "no such image: " + args.positional[0] : error));
    return std::nullopt;
  }
  parsed.request.item = *item;
  // As Enter does: the image's own setting unless one is named.
  parsed.request.settingName = args.options.contains("--setting") ? args.get("--setting") : item->emusetName;
  parsed.request.chosenImage = std::atoi(args.get("--image", "0").c_str());
  return parsed;
}

// Nothing after telling why: no setting file, or one that cannot be used (the sink showed why).
std::optional<launch::LaunchPlan> planOrReport(const LaunchArguments& parsed, ConsoleSink& sink) {
  launch::PlanRefusal refusal = launch::PlanRefusal::NoSetting;
  auto plan = launch::planLaunch(parsed.place, parsed.request, sink, &refusal);
  if (!plan && refusal == launch::PlanRefusal::NoSetting)
    printError("error: no emulator setting for machine " + parsed.request.item.machineName);
  return plan;
}

}  // namespace

int runLaunchCommand(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--setting", "--image"});
  const auto parsed = launchArguments(args, "usage: launch-command [--db PATH] [--setting NAME] [--image N] KEY");
  if (!parsed) return args.positional.size() == 1 ? 1 : 2;
  ConsoleSink sink(false);
  const auto plan = planOrReport(*parsed, sink);
  if (!plan) return 1;
  printLine("setting: " + plan->settingPath);
  printLine("command: " + launch::commandLineOf(*plan));
  printLine("folder: " + plan->folder);
  for (std::size_t k = 0; k < plan->imageList.size(); ++k)
    printLine("image" + std::to_string(k) + ": " + plan->imageList[k]);
  return 0;
}

int runLaunch(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--setting", "--image"});
  const auto parsed = launchArguments(args, "usage: launch [--db PATH] [--setting NAME] [--image N] [--yes] KEY");
  if (!parsed) return args.positional.size() == 1 ? 1 : 2;
  ConsoleSink sink(args.has("--yes"));
  launch::ProcessHost host;
  launch::LaunchCounters counters;
  const std::unique_ptr<KeyTyping> keyTyping = makeKeyTyping(parsed->place);
  const launch::LaunchEnvironment env{parsed->place, &counters, &host, &sink, nullptr, keyTyping.get()};
  const launch::LaunchReport report = launch::runLaunch(env, parsed->request);
  // The launch's own outcome decides the exit code; keys that went astray are only told.
  if (keyTyping) {
    if (const std::string warning = skippedKeysWarning(keyTyping->skippedKeys()); !warning.empty())
      printError(warning);
  }
  if (report.outcome == launch::LaunchOutcome::NoSetting) {
    printError("error: no emulator setting for machine " + parsed->request.item.machineName);
    return 1;
  }
  if (report.outcome == launch::LaunchOutcome::SettingRefused) return 1;
  printLine("command: " + report.commandLine);
  if (report.outcome != launch::LaunchOutcome::Ran) return 1;
  printLine("ran: " + std::to_string(report.runMilliseconds) + " ms" + (report.counted ? ", counted" : ""));
  return 0;
}

// The key events the setting's key script would send into the emulator.
int runKeysScript(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--setting", "--image"});
  const auto parsed = launchArguments(args, "usage: keys-script [--db PATH] [--setting NAME] [--image N] KEY");
  if (!parsed) return args.positional.size() == 1 ? 1 : 2;
  ConsoleSink sink(false);
  const auto plan = planOrReport(*parsed, sink);
  if (!plan) return 1;
  launch::KeyScriptAbsence absence = launch::KeyScriptAbsence::Empty;
  const auto typed = launch::launchKeyScript(parsed->place, *plan, parsed->request.item, &absence);
  if (!typed) {
    if (absence == launch::KeyScriptAbsence::SetsOnly)
      printError("no keys: the setting types its script only for items of two or more images");
    return 0;
  }
  keys::RecordingKeySink keys;
  keys::runKeyScript(typed->script, typed->run, keys);
  for (const std::string& event : keys.events) printLine(event);
  return 0;
}

int runEmulators(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--machine"});
  if (!args.positional.empty()) {
    printError("usage: emulators [--db PATH] [--machine NAME]");
    return 2;
  }
  const std::string dbPath = databasePath(args);
  const std::string root = platform::folderOf(dbPath);
  std::vector<std::string> machines;
  if (args.options.contains("--machine")) {
    machines.push_back(args.get("--machine"));
  } else {
    if (!libraryExists(dbPath)) return 1;
    const auto known = launch::libraryMachines(dbPath);
    if (!known) {
      printError("error: " + dbPath + ": the machines cannot be read");
      return 1;
    }
    machines = *known;
  }
  for (const std::string& machine : machines) {
    const std::string fallback = launch::defaultSettingName(root, machine);
    std::vector<std::string> names = launch::listSettings(root, machine);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const launch::EmulatorSetting setting = launch::readEmulatorSetting(launch::settingFile(root, machine, name));
      printLine(machine + "\t" + name + "\t" + (name == fallback ? "default" : "") + "\t" + setting.exec + "\t" +
                setting.option);
    }
  }
  return 0;
}

}  // namespace qm::cli
