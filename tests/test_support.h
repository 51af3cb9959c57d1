// Shared fixtures: temporary folders, the sample database pair, running the
// program as a separate process.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/test_tools.h"

namespace tarvek::report {
class GraphicStorage;
}

namespace tarvek::test {

struct DatabasePair {
    std::string main;
    std::string receber;
    // The instruction string for these databases.
    std::string instruction(const std::string& id, const std::string& operation) const;
};

// A fresh copy of the sample pair (embedded files) in `dir`; the pair is built
// once per test run and copied from then on.
DatabasePair sample_databases(const TempDir& dir);

// The server to reach for "host:path" tests (TARVEK_TEST_SERVER, for example
// "localhost"), or empty when the test run started none.
std::string test_server();

struct ProcessResult {
    int exit_code = -1;
    std::string out;
    std::string err;
    long peak_rss_kb = 0;  // the program's largest resident set
};

// Runs a program with arguments and extra environment entries ("NAME=value"),
// waiting at most `timeout_seconds`.
ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment = {},
                          int timeout_seconds = 120);

// Runs one statement on a database (UTF-8 text) with its own connection.
void execute_sql(const std::string& database, const std::string& statement);

// The paths of the result rows ("EMAIL_OK") of an instruction, as the ERP
// reads them from the main database.
std::vector<std::string> result_rows(const std::string& main_database, const std::string& id);

// The files under `folder` and its subfolders, sorted: documents and any
// temporary file a run left; not the folders' lock files, which stay.
std::vector<std::string> documents_in(const std::string& folder);

// The program's jobs run in this process, as the main window runs them:
// HOME is `home`, the formats Brazilian, and the previews and messages go
// into the given lists instead of onto a screen. All of it is put back when
// the object goes.
class InProcessRuns {
  public:
    InProcessRuns(const std::string& home,
                  std::vector<std::shared_ptr<report::GraphicStorage>>& previews,
                  std::vector<std::string>& messages);
    ~InProcessRuns();
    InProcessRuns(const InProcessRuns&) = delete;
    InProcessRuns& operator=(const InProcessRuns&) = delete;

  private:
    std::string old_home_;
    bool had_home_ = false;
};

// A program started in the background with extra environment entries, its
// standard output and error going to `log`; killed when the object goes.
class Child {
  public:
    Child(const std::string& program, const std::vector<std::string>& arguments,
          const std::vector<std::string>& environment, const std::string& log);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }

    // The exit code once the process ended within `limit` (128 + signal for
    // one a signal ended), or nothing while it still runs.
    std::optional<int> wait_exit(std::chrono::milliseconds limit);
    bool running() { return !wait_exit(std::chrono::milliseconds(0)); }
    // The signal that ended the process, when one did (not set when the
    // process exited by itself, also with a code above 128).
    std::optional<int> ended_by_signal() const { return signal_; }

  private:
    pid_t pid_ = -1;
    std::optional<int> exit_code_;
    std::optional<int> signal_;
};

}  // namespace tarvek::test
