// Builds the sample pair of databases that plays the ERP's side: the main
// database and the receivables database with their tables, sample rows and
// instruction rows. Used by the demo, by the tests and by the command-line
// tool tarvek-make-testdb.
//
// A name without a host is a file opened in embedded mode; "host:path" goes
// through a server.
#pragma once

#include <string>

namespace tarvek::testdb {

// Where the schema and sample files live in the source tree.
std::string default_sql_dir();

// Drops both databases if they exist, creates them (default character set
// WIN1252, dialect 3) and runs the schema and sample files.
void build(const std::string& main_database, const std::string& receber_database,
           const std::string& sql_dir = default_sql_dir());

// Runs the statements of one file over a UTF8 connection, committing after
// each. A statement ends at a line whose last non-blank character is ";";
// lines starting with "--" are skipped. Errors name the file and line.
void run_sql_file(const std::string& database, const std::string& path);

// Runs one statement (UTF-8 text) and commits.
void execute(const std::string& database, const std::string& statement);

void drop_if_exists(const std::string& database);

}  // namespace tarvek::testdb
