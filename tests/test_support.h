// Shared fixtures: temporary folders, the sample database pair, running the
// program as a separate process.
#pragma once

#include <string>
#include <vector>

#include "tests/test_tools.h"

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
};

// Runs a program with arguments and extra environment entries ("NAME=value"),
// waiting at most `timeout_seconds`.
ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment = {},
                          int timeout_seconds = 120);

// Runs one statement on a database (UTF-8 text) with its own connection.
void execute_sql(const std::string& database, const std::string& statement);

// The paths that the result rows (EMAIL_OK) of an instruction record, as the
// ERP reads them after the program ended.
std::vector<std::string> result_rows(const std::string& main_database, const std::string& id);

}  // namespace tarvek::test
