#include "app/launch/launch_plan.h"

#include "app/launch/launch_template.h"
#include "app/launch/path_parts.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/platform/ini_encoding.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

bool isSettingFile(const std::string& path) { return platform::fileExists(path) && !platform::folderExists(path); }

// The first alter-ego copy's folder becomes the extract folder.
std::string alterEgoFolder(const std::string& dbPath, const std::string& key, platform::MessageSink& sink) {
  db::DbConnection db;
  db.open(dbPath);
  if (auto error = db.execute("SELECT ae_file FROM alter_ego_table WHERE pfile_ae =" + db::sqlText(key) + ";")) {
    sink.show(text::sjis("getAlterFilePath:分身作成先フォルダの格納エラー\n") + *error, "", MessageIcon::Warning,
              MessageButtons::Ok);
    return {};
  }
  if (db.rowCount() < 1) return {};
  const std::string file = db.cell(1, 0);
  const std::size_t sep = lastSeparator(file);
  return sep == std::string::npos ? std::string() : file.substr(0, sep);
}

TemplateValues templateValues(const LaunchPlace& place, const LaunchPlan& plan, const LaunchItem& item,
                              bool commandLine) {
  TemplateValues values;
  values.commandLine = commandLine;
  values.images = plan.imageList;
  values.item = item;
  values.databasePath = place.dbPath;
  values.programFolder = place.root;
  values.emulatorPath = plan.setting.exec;
  return values;
}

}  // namespace

std::string commandLineOf(const LaunchPlan& plan) { return "\"" + plan.exec + "\" " + plan.arguments; }

std::optional<LaunchPlan> planLaunch(const LaunchPlace& place, const LaunchRequest& request,
                                     platform::MessageSink& sink, PlanRefusal* refusal) {
  const LaunchItem& item = request.item;
  if (refusal) *refusal = PlanRefusal::NoSetting;
  const auto path = settingFilePath(place.root, item.machineName, request.settingName);
  if (!path || !isSettingFile(*path)) return std::nullopt;
  // Read as Shift-JIS, a setting saved as UTF-8 names programs and folders that do not exist.
  if (const std::string problem = platform::iniEncodingProblem(*path); !problem.empty()) {
    sink.show(problem + text::sjis("\n起動を中止します。"), "", MessageIcon::Warning, MessageButtons::Ok);
    if (refusal) *refusal = PlanRefusal::Encoding;
    return std::nullopt;
  }
  LaunchPlan plan;
  plan.settingPath = *path;
  plan.setting = readEmulatorSetting(*path);
  // Cut, such a value would start the emulator with part of its arguments.
  if (const auto tooLong = tooLongValue(plan.setting)) {
    sink.show(tooLongMessage(*tooLong), text::sjis("エミュレータが起動できませんでした"),
              MessageIcon::Warning, MessageButtons::Ok);
    if (refusal) *refusal = PlanRefusal::TooLongValue;
    return std::nullopt;
  }
  plan.alterEgo = launchesAlterEgo(item);
  ImageListOptions& images = plan.images;
  images.extractFolder = plan.setting.extractPath;
  if (plan.alterEgo) {
    plan.setting.extract = 0;
    plan.setting.extractAllDelete = 0;
    images.extractFolder = alterEgoFolder(place.dbPath, item.fileName, sink);
  }
  images.handOver = plan.setting.extract;
  images.renameForLaunch = images.handOver == 2 || plan.alterEgo;
  images.renameMode = plan.setting.fileNameReplace;
  images.quote = plan.setting.doubleQuote == 1;
  images.chosenImage = request.chosenImage;
  plan.exec = resolveProgramPath(place.root, plan.setting.exec);
  const int limit = launchedDiskCount(place.dbPath, item);
  plan.rows = loadImageRows(place.dbPath, item, plan.alterEgo, limit, sink).value_or(std::vector<ImageRow>{});
  plan.imageList = buildImageList(plan.rows, images);
  if (plan.setting.titleCheckImage == 1 && !plan.imageList.empty())
    plan.titleSearch = pathPart(plan.imageList[0], PathPiece::BaseName);
  else if (plan.setting.titleCheckText == 1)
    plan.titleSearch = plan.setting.titleText;
  plan.arguments = expandLaunchTemplate(plan.setting.option, templateValues(place, plan, item, true));
  const std::size_t sep = lastSeparator(plan.exec);
  plan.folder = sep == std::string::npos ? std::string() : plan.exec.substr(0, sep);
  return plan;
}

TemplateValues launchTemplateValues(const LaunchPlace& place, const LaunchPlan& plan, const LaunchItem& item) {
  return templateValues(place, plan, item, false);
}

std::string expandCompanionArguments(const LaunchPlace& place, const LaunchPlan& plan, const LaunchItem& item,
                                     const std::string& arguments) {
  return expandLaunchTemplate(arguments, templateValues(place, plan, item, true));
}

std::vector<std::string> splitCommandLine(const std::string& line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string arg;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '\\') {
        std::size_t end = i;
        while (end < line.size() && line[end] == '\\') ++end;
        const std::size_t slashes = end - i;
        const bool beforeQuote = end < line.size() && line[end] == '"';
        arg.append(beforeQuote ? slashes / 2 : slashes, '\\');
        if (beforeQuote && slashes % 2 == 1) {
          arg += '"';
          i = end;  // the quote was taken as text
        } else {
          i = end - 1;  // a quote after even backslashes is read as a quote next round
        }
      } else if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
      } else {
        arg += line[i];
      }
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace qm::launch
