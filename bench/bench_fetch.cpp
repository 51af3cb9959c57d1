// Fetch throughput of the data layer: rows per second and peak memory for a
// query over a generated table, in embedded mode.
//
//   tarvek-bench-fetch <database file> [rows]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "data/firebird/firebird.h"
#include "data/firebird/query.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvek-bench-fetch <new database file> [rows]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int rows = argc > 2 ? std::stoi(argv[2]) : 100000;
    const std::vector<std::string> params = {"user_name=SYSDBA", "password=pinewharf",
                                             "lc_ctype=WIN1252"};
    try {
        std::remove(path.c_str());
        tarvek::Database::create(path, params, "WIN1252");
        tarvek::Database db("bench");
        db.set_database_name(path);
        db.set_params(params);
        db.connect();
        tarvek::Transaction tr("bench_tr", db, {"read_committed", "rec_version", "nowait"},
                               tarvek::TransactionEndAction::Commit);
        tarvek::Query q("bench_q", db, tr);
        tr.start();
        q.set_sql("create table t (id integer, nome varchar(50), valor numeric(18,2), venc date)");
        q.exec_sql();
        tr.commit();
        tr.start();
        q.set_sql("insert into t select first " + std::to_string(rows) +
                  " row_number() over (), 'Cliente ' || rdb$relation_id, 1500.25, current_date "
                  "from rdb$relations a cross join rdb$relations b cross join rdb$relations c");
        q.exec_sql();
        tr.commit();

        const auto start = std::chrono::steady_clock::now();
        q.set_sql("select * from t");
        q.open();
        long count = 0;
        long long checksum = 0;
        for (; !q.eof(); q.next()) {
            ++count;
            checksum += static_cast<long long>(q.field(2).display_text().size());
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("rows %ld  %.0f rows/s  peak RSS %ld KiB  (checksum %lld)\n", count,
                    count / seconds, usage.ru_maxrss, checksum);
        q.close();
        db.disconnect();
        std::remove(path.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
