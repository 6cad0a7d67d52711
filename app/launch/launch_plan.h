// What a launch will do, worked out before anything is touched: the setting,
// the image list, the command line and the working folder. The command-line
// tool prints it; the launch carries it out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/launch/emulator_setting.h"
#include "app/launch/image_list.h"
#include "app/launch/launch_item.h"
#include "app/launch/launch_template.h"
#include "common/platform/message_sink.h"

namespace qm::launch {

// What the user asked for: the item (copied), the setting's name ("" for the
// machine default) and the image picked from the image submenu (0 for none).
struct LaunchRequest {
  LaunchItem item;
  std::string settingName;
  int chosenImage = 0;
};

struct LaunchPlace {
  std::string root;    // the program folder: "emuconf" and relative programs
  std::string dbPath;
};

struct LaunchPlan {
  std::string settingPath;
  EmulatorSetting setting;  // as read, with an alter-ego launch's changes
  bool alterEgo = false;
  std::string exec;         // resolved against the program folder
  std::string arguments;    // the expanded "Option"
  std::string folder;       // the emulator's folder, its working folder
  std::string titleSearch;  // the window-title text end detection type 1 looks for
  std::vector<ImageRow> rows;
  ImageListOptions images;
  std::vector<std::string> imageList;
};

// The command line a process creation gets: the program in quotes, a blank, the arguments.
std::string commandLineOf(const LaunchPlan& plan);

// Why planLaunch gave nothing.
enum class PlanRefusal {
  NoSetting,     // no setting file: the launch ends without a word
  TooLongValue,  // a text of the setting is longer than it may be (reported to the sink)
  Encoding,      // saved in another encoding than Shift-JIS (reported to the sink)
};

// Nothing when the setting file does not exist or cannot be used as it is
// (`refusal`, when given, says which). Database failures reading the image
// list are reported to the sink and leave the list empty, as the launch goes
// on without images.
std::optional<LaunchPlan> planLaunch(const LaunchPlace& place, const LaunchRequest& request,
                                     platform::MessageSink& sink, PlanRefusal* refusal = nullptr);

// The values a template of this launch is expanded with, for texts that are
// no command line (the rewriting script, typed keys).
TemplateValues launchTemplateValues(const LaunchPlace& place, const LaunchPlan& plan, const LaunchItem& item);

// The arguments of a program run before or after the emulator, expanded with
// the plan's images as a command line.
std::string expandCompanionArguments(const LaunchPlace& place, const LaunchPlan& plan, const LaunchItem& item,
                                     const std::string& arguments);

// A command line cut into arguments by the rules Windows programs use:
// blanks separate outside double quotes, "" inside quotes is one quote,
// backslashes count only before a quote.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

}  // namespace qm::launch
