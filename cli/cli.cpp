#include "cli/cli.h"

#include <algorithm>
#include <cstdio>

#include "common/platform/files.h"
#include "common/platform/path_separators.h"
#include "common/text/encoding.h"

namespace qm::cli {

bool Arguments::has(const std::string& flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::string Arguments::get(const std::string& option, const std::string& fallback) const {
  auto it = options.find(option);
  return it == options.end() ? fallback : it->second;
}

Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool takesValue = std::find(valued.begin(), valued.end(), arg) != valued.end();
    if (takesValue && i + 1 < args.size()) {
      parsed.options[arg] = args[++i];
    } else if (arg.rfind("--", 0) == 0) {
      parsed.flags.push_back(arg);
    } else {
      parsed.positional.push_back(arg);
    }
  }
  return parsed;
}

std::string databasePath(const Arguments& args) {
  std::string path = args.get("--db", "Quillmoor.db");
  return platform::isAbsolutePath(path) ? path : platform::joinPath(platform::currentFolder(), path);
}

#ifdef _WIN32
std::string fromTerminal(const std::string& text) { return text; }
static std::string toTerminal(const std::string& text) { return text; }
#else
std::string fromTerminal(const std::string& text) { return text::utf8ToSjis(text); }
static std::string toTerminal(const std::string& text) { return text::sjisToUtf8(text); }
#endif

void printLine(const std::string& programText) { std::printf("%s\n", toTerminal(programText).c_str()); }
void printError(const std::string& programText) {
  std::fprintf(stderr, "%s\n", toTerminal(programText).c_str());
}

platform::MessageAnswer ConsoleSink::show(const std::string& text, const std::string& caption,
                                          platform::MessageIcon, platform::MessageButtons buttons) {
  printError("[" + caption + "] " + text);
  using platform::MessageAnswer;
  using platform::MessageButtons;
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
      return answerYes_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::YesNo:
      return answerYes_ ? MessageAnswer::Yes : MessageAnswer::No;
  }
  return MessageAnswer::Cancel;
}

}  // namespace qm::cli
