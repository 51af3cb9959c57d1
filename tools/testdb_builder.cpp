#include "tools/testdb_builder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "data/firebird/firebird.h"
#include "data/firebird/firebird_client.h"
#include "data/firebird/query.h"

namespace tarvek::testdb {

namespace {

// The files are UTF-8; the server turns their accented letters into the
// WIN1252 columns.
std::vector<std::string> builder_params() {
    return {"user_name=SYSDBA", "password=pinewharf", "lc_ctype=UTF8"};
}

struct Session {
    Database db{"testdb"};
    Transaction tr{
        "testdb_tr", db, {"read_committed", "rec_version", "nowait"}, TransactionEndAction::Commit};
    Query q{"testdb_q", db, tr};

    explicit Session(const std::string& name) {
        db.set_database_name(name);
        db.set_params(builder_params());
        db.connect();
    }
    void run(const std::string& statement) {
        if (!tr.active()) tr.start();
        q.set_sql(statement);
        q.exec_sql();
        tr.commit();
    }
};

std::string trim_right(const std::string& s) {
    const auto end = s.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

}  // namespace

std::string default_sql_dir() {
    // An installed builder finds its data in the share folder beside its own
    // bin folder; one in the build tree, in the sources.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            program.parent_path().parent_path() / "share" / "tarvek-docs" / "testdb";
        if (std::filesystem::exists(installed / "main_schema.sql", error))
            return installed.string();
    }
    return TARVEK_TESTDB_SQL_DIR;
}

void drop_if_exists(const std::string& database) {
    Database db("testdb");
    db.set_database_name(database);
    db.set_params(builder_params());
    try {
        db.connect();
    } catch (const FirebirdError&) {
        return;  // nothing there to drop
    }
    Firebird::IAttachment* attachment = db.attachment();
    fb::checked([&](auto* s) { attachment->dropDatabase(s); });
    // A successful drop ends and releases the attachment.
    db.forget_attachment();
}

void execute(const std::string& database, const std::string& statement) {
    Session session(database);
    session.run(statement);
}

void run_sql_file(const std::string& database, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("Cannot read " + path);
    Session session(database);
    std::string line;
    std::string statement;
    int line_number = 0;
    int statement_line = 0;
    while (std::getline(in, line)) {
        ++line_number;
        const std::string trimmed = trim_right(line);
        if (statement.empty()) {
            const auto first = trimmed.find_first_not_of(" \t");
            if (first == std::string::npos || trimmed.compare(first, 2, "--") == 0) continue;
            statement_line = line_number;
        }
        if (!trimmed.empty() && trimmed.back() == ';') {
            statement += trimmed.substr(0, trimmed.size() - 1);
            try {
                session.run(statement);
            } catch (const Error& e) {
                throw Error(path + ":" + std::to_string(statement_line) + ": " + e.what());
            }
            statement.clear();
        } else {
            statement += line + "\n";
        }
    }
    if (!trim_right(statement).empty()) {
        throw Error(path + ":" + std::to_string(statement_line) +
                    ": statement without a final ';'");
    }
}

void build(const std::string& main_database, const std::string& receber_database,
           const std::string& sql_dir) {
    for (const std::string* name : {&main_database, &receber_database}) {
        drop_if_exists(*name);
        Database::create(*name, builder_params(), "WIN1252");
    }
    run_sql_file(main_database, sql_dir + "/main_schema.sql");
    run_sql_file(main_database, sql_dir + "/main_sample.sql");
    run_sql_file(receber_database, sql_dir + "/receber_schema.sql");
    run_sql_file(receber_database, sql_dir + "/receber_sample.sql");
}

}  // namespace tarvek::testdb
