// tarvek-make-testdb: creates the sample main and receivables databases that
// the demo and the tests use, in place of the ERP.
#include <cstring>
#include <iostream>
#include <string>

#include "tools/testdb_builder.h"

int main(int argc, char** argv) {
    std::string main_db, receber_db, sql_dir = tarvek::testdb::default_sql_dir();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "missing value after " << arg << "\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--main") {
            main_db = value();
        } else if (arg == "--receber") {
            receber_db = value();
        } else if (arg == "--sql-dir") {
            sql_dir = value();
        } else {
            std::cerr << "unknown argument " << arg << "\n";
            main_db.clear();
            break;
        }
    }
    if (main_db.empty() || receber_db.empty()) {
        std::cerr << "usage: tarvek-make-testdb --main <database> --receber <database> [--sql-dir "
                     "<dir>]\n"
                     "  a database is a file path (embedded) or host:path (through a server)\n";
        return 2;
    }
    try {
        tarvek::testdb::build(main_db, receber_db, sql_dir);
    } catch (const std::exception& e) {
        std::cerr << "tarvek-make-testdb: " << e.what() << "\n";
        return 1;
    }
    std::cout << "main database:        " << main_db << "\nreceivables database: " << receber_db
              << "\n";
    return 0;
}
