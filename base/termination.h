// Ending the process on a termination signal without leaving half-written
// files behind.
//
// The handlers for TERM, INT and HUP remove every file registered at that
// moment and end the process at once with exit code 128 + signal; no
// destructor runs, so whatever they would have finished (a PDF, a result row)
// is simply not there. Registration is cheap and safe to nest.
#pragma once

#include <string>

namespace tarvek {

// Installs the handlers and unblocks their signals, whatever mask the
// process inherited; call once, early in main(), before any thread starts.
void install_termination_handlers();

// Registers a file being written for removal should a termination signal end
// the process; the registration ends with the object. Holds a fixed number of
// files at a time (enough for the one document a job writes): one more
// raises an error.
class RemoveOnSignal {
  public:
    explicit RemoveOnSignal(const std::string& path);
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

  private:
    int slot_;
};

}  // namespace tarvek
