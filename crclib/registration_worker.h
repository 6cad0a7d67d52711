// The one registration worker thread of the library. Its handle is kept, a new
// run first waits for the old one, and the library cannot go away under it.
#pragma once

#include <functional>

namespace qm::reg {

// Starts `work` on the worker thread; false when no thread could be started.
bool startWorker(std::function<void()> work);
// Waits for the running worker, if any.
void joinWorker();

}  // namespace qm::reg
