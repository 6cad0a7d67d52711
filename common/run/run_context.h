// What a maintenance run needs from whoever starts it: the database, a place
// for its message boxes, its log and progress, the item list and the stop
// request. A run is a plain function of these, so the dialog, the command-line
// tool and the tests drive the same code.
#pragma once

#include <string>

#include "common/platform/message_sink.h"
#include "common/run/process_stop_flag.h"

namespace qm::maintenance {

// Log and progress. Called on the run's own thread; a window implementation
// hands them to its interface thread and may throttle them.
class RunObserver {
public:
  virtual ~RunObserver() = default;
  virtual void log(const std::string& line) = 0;  // program text
  virtual void progressRange(int total) = 0;      // position back to 0
  virtual void progressStep() = 0;
};

// The main window's item list reads through the view list_view. A run that
// drops the view first says so (the list shows nothing meanwhile), and every
// run ends with refresh(), which makes the view again from the window's
// current search and shows the rows as they now are.
class ItemListHook {
public:
  virtual ~ItemListHook() = default;
  virtual void emptied() = 0;
  virtual void refresh() = 0;
};

// Every machine (the machine list's first entry) or one by name.
struct MachineChoice {
  bool all = true;
  std::string name;  // program text; for all machines the entry's own text

  static MachineChoice everyMachine();
  static MachineChoice only(std::string machine);
  // An empty text names no machine: a run given it does nothing.
  bool none() const { return !all && name.empty(); }
};

struct RunContext {
  std::string dbPath;
  platform::MessageSink& messages;
  RunObserver& observer;
  ItemListHook& itemList;
  const StopFlag& stop;
};

enum class RunStatus {
  NoMachine,     // nothing chosen: nothing done
  SelectFailed,  // reported
  NoRows,        // nothing to do (reported where the run says so)
  BeginFailed,   // the transaction could not start: nothing written (reported)
  Completed,
  Stopped,       // stopped on request; the rows done so far are kept
  CommitFailed,  // nothing of the run was kept (reported)
  Declined,      // the user answered No
  DeleteFailed,  // deleting a whole machine failed (reported)
};

struct RunResult {
  RunStatus status = RunStatus::NoMachine;
  int rows = 0;     // rows selected
  int done = 0;     // rows walked
  int failed = 0;   // rows whose statement failed
  int removed = 0;  // removal: rows deleted
  int skipped = 0;  // removal: rows kept because their file or drive could not be read
};

}  // namespace qm::maintenance
