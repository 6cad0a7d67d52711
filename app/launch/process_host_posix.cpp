#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "app/launch/launch_plan.h"
#include "app/launch/process_host.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

class ChildProcess : public EmulatorProcess {
public:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  ~ChildProcess() override {
    if (pid_ > 0) waitpid(pid_, nullptr, WNOHANG);
  }
  bool waitUntilIdle(bool) override { return true; }
  void waitForEnd() override {
    while (pid_ > 0 && waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }

private:
  pid_t pid_;
};

// The child reports a failed exec through a pipe that a successful exec closes.
pid_t spawn(const std::vector<std::string>& args, const std::string& folder) {
  int report[2];
  if (args.empty() || pipe2(report, O_CLOEXEC) != 0) return -1;
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    int error = 0;
    if (!folder.empty() && chdir(folder.c_str()) != 0) error = errno;
    if (!error) execv(argv[0], argv.data());
    error = error ? error : errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int error = 0;
  const bool failed = pid < 0 || read(report[0], &error, sizeof error) == sizeof error;
  close(report[0]);
  if (failed && pid > 0) waitpid(pid, nullptr, 0);
  return failed ? -1 : pid;
}

}  // namespace

std::unique_ptr<EmulatorProcess> ProcessHost::start(const ProcessRequest& request) {
  std::vector<std::string> args = splitCommandLine(text::sjisToUtf8(request.arguments));
  args.insert(args.begin(), text::sjisToUtf8(request.program));
  const pid_t pid = spawn(args, text::sjisToUtf8(request.folder));
  if (pid < 0) return nullptr;
  lastProcess_ = pid;
  return std::make_unique<ChildProcess>(pid);
}

void ProcessHost::waitWhileTitleShown(const std::string&, int) {
  if (lastProcess_ > 0) waitpid(static_cast<pid_t>(lastProcess_), nullptr, 0);
}

}  // namespace qm::launch
