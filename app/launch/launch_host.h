// What a launch needs of the system and of the window that asked for it:
// starting and watching processes, sleeping, and telling the window where
// the launch is. The program implements it with Win32 and posts the window
// changes to the interface thread; the command-line tool starts processes
// and has no window.
#pragma once

#include <memory>
#include <string>

namespace qm::launch {

struct ProcessRequest {
  std::string program;
  std::string arguments;
  std::string folder;        // "" for the current one
  bool throughShell = false; // the shell's "open" rather than a process creation
  bool normalShow = false;   // companion programs: shown normally
};

class EmulatorProcess {
public:
  virtual ~EmulatorProcess() = default;
  // Until the program waits for input. False when a process creation's
  // program never got there: the launch then gives up on it. A program with
  // no message loop (a console program) counts as started.
  virtual bool waitUntilIdle(bool repeatWhileTimedOut) = 0;
  virtual void waitForEnd() = 0;
  // The system's process id, 0 when it is not known.
  virtual unsigned long processId() const { return 0; }
};

class LaunchHost {
public:
  virtual ~LaunchHost() = default;
  // Nothing when the program could not be started.
  virtual std::unique_ptr<EmulatorProcess> start(const ProcessRequest& request) = 0;
  // While a top-level window of another program has `text` in its title,
  // looking every `intervalMs` (the first look after one interval).
  virtual void waitWhileTitleShown(const std::string& text, int intervalMs) = 0;
  virtual void sleep(int milliseconds) = 0;
  virtual long long nowMilliseconds() = 0;

  // The window's part; the command-line tool has none.
  virtual void preparing() {}  // wait cursor, window disabled
  virtual void starting() {}   // window minimised and enabled again
  virtual void finishing() {}  // wait animation, window disabled: the run's clean-up
  virtual void ended() {}      // window restored to where it stood before the launch
  // Emptied before the emulator starts (a picture found there afterwards is the run's).
  virtual void emptyClipboard() {}
  virtual void emulatorRunning() {}  // started and counted as running
  virtual void emulatorEnded() {}    // its end handled (end programs run when due)
  // The launch has counted a boot and no emulator runs any more.
  virtual void itemChanged(const std::string& /*key*/) {}
};

}  // namespace qm::launch
