// rewrite-test: what a setting's rewriting script would change for the
// launch of one image, checked as the settings dialog's test checks it and
// expanded as that launch would expand it. Nothing is changed.
#include "app/launch/launch_plan.h"
#include "app/rewrite/launch_rewrite.h"
#include "cli/cli.h"
#include "cli/maintenance_console.h"
#include "common/platform/files.h"
#include "common/text/sjis.h"

namespace qm::cli {
namespace {

std::string oneLine(const std::string& text) { return sjis::replaceAll(text, "\n", " "); }

std::string reportLine(const rewrite::RewriteReport& report) {
  if (!report.hasChange) return "skip\t" + report.caption + "\t" + oneLine(report.text);
  const rewrite::RewriteChange& c = report.change;
  std::string line = c.kind + "\t" + c.target + "\t" + c.name;
  if (c.kind == "reg") line += "\t" + c.type;
  return line + "\t" + oneLine(c.before) + "\t" + oneLine(c.after);
}

}  // namespace

int runRewriteTest(const std::vector<std::string>& argv) {
  const Arguments args = parseArguments(argv, {"--db", "--setting"});
  if (args.positional.size() != 1 || !args.options.contains("--setting")) {
    printError("usage: rewrite-test [--db PATH] --setting NAME KEY");
    return 2;
  }
  launch::LaunchPlace place;
  place.dbPath = databasePath(args);
  place.root = platform::folderOf(place.dbPath);
  if (!libraryExists(place.dbPath)) return 1;
  std::string error;
  const auto item = launch::loadLaunchItem(place.dbPath, args.positional[0], &error);
  if (!item) {
    printError("error: " + (error.empty() ? "no such image: " + args.positional[0] : error));
    return 1;
  }
  ConsoleSink sink(false);
  launch::PlanRefusal refusal = launch::PlanRefusal::NoSetting;
  const auto plan = launch::planLaunch(place, {*item, args.get("--setting"), 0}, sink, &refusal);
  if (!plan) {
    if (refusal == launch::PlanRefusal::NoSetting)
      printError("error: no emulator setting " + args.get("--setting") + " for machine " + item->machineName);
    return 1;
  }
  // Every question is answered "go on", so that all lines are listed.
  platform::AcceptingSink accepting;
  for (const auto& report : rewrite::testLaunchScript(place, *plan, *item, rewrite::systemRegistry(), accepting))
    printLine(reportLine(report));
  return 0;
}

}  // namespace qm::cli
