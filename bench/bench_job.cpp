// Throughput and memory of a real batch: the program itself writes a
// document of N Bradesco boletos (one page each) by email, headless, from a
// sample database pair in which boleto 1 was copied until instruction 77
// selects N boletos. For each run it measures the child process alone:
// CPU time (user + system, from wait4), wall time, peak RSS, the PDF's size,
// and what the process read and wrote besides the PDF (from /proc/<pid>/io
// while it is a zombie): the page swap file and the database.
//
//   tarvek-bench-job [--runs N] [--binary PATH] [--scratch DIR] [--pix] [PAGES...]
//   tarvek-bench-job [--pix] --databases DIR PAGES
//
// PAGES defaults to 1000 10000 100000; runs to 3. Prints one line per run
// and a table of medians with the spread (min-max) of each point. With
// --pix every boleto of the batch carries a Pix payload, so every page
// draws the Pix block. With --databases it only builds the database pair of
// one point in DIR and prints the instruction string, for profiling the
// program by hand.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/boleto/boleto_codes.h"
#include "tools/testdb_builder.h"

namespace {

namespace fs = std::filesystem;

// Columns of a boleto, copied from boleto 1 for the batch.
constexpr const char* kBoletoColumns =
    "COD_CLI, NRO_TIT, NRO_PAR, TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, "
    "ENDERECOEMAILSACADO, ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO, "
    "DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO, PERCENTUALJUROS, "
    "PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS, DESMONSTRATIVO, "
    "INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4, LIN_ADC5, LIN_ADC6, LIN_ADC7, "
    "DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL";

// Instruction 77 selects the boletos of account 1: three in the sample.
constexpr int kSampleBoletos = 3;

// A static Pix payload for boleto 1's 350.00.
constexpr const char* kBoleto1Pix =
    "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-4266554400005204000053039865406"
    "350.005802BR5913Fulano de Tal6008BRASILIA62070503***6304D190";

// Of the other sample boletos of account 1, boleto 2 has a payload of its
// own; boleto 3 (89.90) gets kBoleto1Pix with its amount and a new CRC.
constexpr int kBoleto3 = 3;
constexpr const char* kBoleto3Amount = "89.90";

struct Run {
    int pages = 0;
    double cpu_seconds = 0;
    double wall_seconds = 0;
    long peak_rss_kib = 0;
    std::uintmax_t pdf_bytes = 0;
    std::uint64_t read_bytes = 0;     // every read() of the process
    std::uint64_t written_bytes = 0;  // every write(), the PDF's included
};

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr,
                 "tarvek-bench-job: %s\n"
                 "usage: tarvek-bench-job [--runs N] [--binary PATH] [--scratch DIR] [--pix] "
                 "[PAGES...]\n"
                 "       tarvek-bench-job [--pix] --databases DIR PAGES\n"
                 "--pix: every boleto of the batch carries a Pix payload\n",
                 why);
    std::exit(2);
}

std::map<std::string, std::uint64_t> proc_io(pid_t pid) {
    std::map<std::string, std::uint64_t> values;
    std::ifstream in("/proc/" + std::to_string(pid) + "/io");
    std::string name;
    std::uint64_t value = 0;
    while (in >> name >> value) values[name.substr(0, name.size() - 1)] = value;
    return values;
}

// Runs the program once and measures it; throws when it does not end with 0.
Run run_job(const std::string& binary, const std::string& instruction, const fs::path& folder) {
    fs::remove_all(folder);
    const fs::path home = folder / "home";
    const fs::path tmp = folder / "tmp";
    fs::create_directories(home);
    fs::create_directories(tmp);
    const fs::path log = folder / "job.log";

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "HOME" || name == "TMPDIR" ||
            name == "LANG" || name.rfind("LC_", 0) == 0) {
            continue;
        }
        environment.push_back(text);
    }
    environment.push_back("HOME=" + home.string());
    environment.push_back("TMPDIR=" + tmp.string());
    environment.push_back("LANG=pt_BR.UTF-8");
    environment.push_back("LC_ALL=pt_BR.UTF-8");
    std::vector<char*> envp;
    envp.reserve(environment.size() + 1);
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = binary;
    std::string argument = instruction;
    char* argv[] = {program.data(), argument.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            close(fd);
        }
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    // Ended but not reaped: its I/O counters can still be read.
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0) {
        throw std::runtime_error(std::string("waitid failed: ") + std::strerror(errno));
    }
    const auto wall = std::chrono::steady_clock::now() - start;
    const std::map<std::string, std::uint64_t> io = proc_io(pid);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) throw std::runtime_error("wait4 failed");

    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ifstream in(log);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        throw std::runtime_error("the job failed (status " + std::to_string(status) + "): " + text);
    }
    const fs::path pdf = home / "driveKVL" / "tmpEmail" / "Boletos" / "Bradesco_237.pdf";
    Run run;
    run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.wall_seconds = std::chrono::duration<double>(wall).count();
    run.peak_rss_kib = usage.ru_maxrss;
    run.pdf_bytes = fs::file_size(pdf);
    const auto at = [&](const char* key) {
        const auto found = io.find(key);
        return found == io.end() ? std::uint64_t{0} : found->second;
    };
    run.read_bytes = at("rchar");
    run.written_bytes = at("wchar");
    fs::remove_all(folder);  // the documents of the large points take gigabytes
    return run;
}

// kBoleto1Pix with another amount (field 54) and the CRC that goes with it.
// The job checks every payload, so a wrong one fails the run.
std::string pix_with_amount(const std::string& amount) {
    const std::string payload = kBoleto1Pix;
    const std::string field = "5406350.00";
    const std::size_t at = payload.find(field);
    const std::size_t crc_at = payload.size() - 4;
    char length[3];
    std::snprintf(length, sizeof length, "%02zu", amount.size());
    const std::string body = payload.substr(0, at) + "54" + length + amount +
                             payload.substr(at + field.size(), crc_at - at - field.size());
    char crc[8];
    std::snprintf(crc, sizeof crc, "%04X", tarvek::pix_crc16(body));
    return body + crc;
}

// A database pair in `folder` whose instruction 77 selects `pages` boletos,
// every one with a Pix payload when `pix`; returns the instruction string.
std::string make_databases(const fs::path& folder, int pages, bool pix) {
    fs::create_directories(folder);
    const std::string main_db = (folder / "tarvek.fdb").string();
    const std::string receber_db = (folder / "receber.fdb").string();
    tarvek::testdb::build(main_db, receber_db);
    std::string columns = kBoletoColumns;
    if (pix) {
        // Set before the copies are made: updating them afterwards would
        // leave back versions for the job's read to collect.
        tarvek::testdb::execute(receber_db, std::string("update boletos set PIXCOPIAECOLA = '") +
                                                kBoleto1Pix + "' where CHAVEBOLETO = 1");
        tarvek::testdb::execute(
            receber_db, "update boletos set PIXCOPIAECOLA = '" + pix_with_amount(kBoleto3Amount) +
                            "' where CHAVEBOLETO = " + std::to_string(kBoleto3));
        columns += ", PIXCOPIAECOLA";
    }
    tarvek::testdb::execute(
        receber_db, std::string("execute block as declare i integer = 0; begin while (i < ") +
                        std::to_string(pages - kSampleBoletos) +
                        ") do begin insert into boletos (CHAVEBOLETO, CHAVECONTACORRENTE, " +
                        columns + ") select 1000000 + :i, 1, " + columns +
                        " from boletos where CHAVEBOLETO = 1; i = i + 1; end end");
    return "Tarvek=" + main_db + ";Receber=" + receber_db + ";idInstrucao=77;operacao=email";
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figure {
    double median = 0, low = 0, high = 0;
};

template <typename Get>
Figure figure(const std::vector<Run>& runs, Get get) {
    std::vector<double> values;
    values.reserve(runs.size());
    for (const Run& run : runs) values.push_back(get(run));
    return {median(values), *std::min_element(values.begin(), values.end()),
            *std::max_element(values.begin(), values.end())};
}

std::string spread(const Figure& f, const char* format) {
    char text[128];
    char low[32], high[32], mid[32];
    std::snprintf(mid, sizeof mid, format, f.median);
    std::snprintf(low, sizeof low, format, f.low);
    std::snprintf(high, sizeof high, format, f.high);
    std::snprintf(text, sizeof text, "%s (%s-%s)", mid, low, high);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 3;
    std::string binary = TARVEK_DOCS_BINARY;
    fs::path scratch;
    fs::path databases_only;
    bool pix = false;
    std::vector<int> points;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) usage(("missing value after " + arg).c_str());
            return argv[++i];
        };
        if (arg == "--runs") {
            runs = std::atoi(value().c_str());
        } else if (arg == "--binary") {
            binary = value();
        } else if (arg == "--scratch") {
            scratch = value();
        } else if (arg == "--databases") {
            databases_only = value();
        } else if (arg == "--pix") {
            pix = true;
        } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
            points.push_back(std::atoi(arg.c_str()));
        } else {
            usage(("unknown argument " + arg).c_str());
        }
    }
    if (runs < 1) usage("--runs needs at least 1");
    if (points.empty()) points = {1000, 10000, 100000};
    for (int pages : points) {
        if (pages < kSampleBoletos) usage("a batch has at least 3 pages");
    }
    if (!databases_only.empty()) {
        if (points.size() != 1) usage("--databases takes one number of pages");
        try {
            std::printf("%s\n", make_databases(databases_only, points.front(), pix).c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tarvek-bench-job: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    bool own_scratch = false;
    if (scratch.empty()) {
        std::string pattern = (fs::temp_directory_path() / "tarvek-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) usage("cannot create a scratch folder");
        scratch = pattern;
        own_scratch = true;
    }

    std::vector<std::vector<Run>> results;
    try {
        for (const int pages : points) {
            const fs::path databases = scratch / ("db-" + std::to_string(pages));
            std::fprintf(stderr, "preparing %d boletos%s...\n", pages,
                         pix ? " with Pix payloads" : "");
            const std::string instruction = make_databases(databases, pages, pix);

            std::vector<Run>& point = results.emplace_back();
            for (int r = 0; r < runs; ++r) {
                Run run = run_job(binary, instruction, scratch / "run");
                run.pages = pages;
                std::printf(
                    "%7d pages  run %d  cpu %8.2f s  wall %8.2f s  %6.0f pages/s cpu  %6.0f "
                    "pages/s wall  peak RSS %6.1f MB  PDF %7.0f B/page  other I/O %6.1f KB "
                    "written %6.1f KB read per page\n",
                    pages, r + 1, run.cpu_seconds, run.wall_seconds, pages / run.cpu_seconds,
                    pages / run.wall_seconds, run.peak_rss_kib / 1024.0,
                    static_cast<double>(run.pdf_bytes) / pages,
                    (static_cast<double>(run.written_bytes) - static_cast<double>(run.pdf_bytes)) /
                        pages / 1000.0,
                    static_cast<double>(run.read_bytes) / pages / 1000.0);
                std::fflush(stdout);
                point.push_back(run);
            }
            fs::remove_all(databases);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvek-bench-job: %s\n", e.what());
        if (own_scratch) fs::remove_all(scratch);
        return 1;
    }
    if (own_scratch) fs::remove_all(scratch);

    std::printf(
        "\nmedian (min-max) of %d runs%s\n\n"
        "| pages | pages/s of CPU time | pages/s of wall time | peak RSS, MB | PDF, bytes/page "
        "| written besides the PDF, KB/page | read, KB/page |\n"
        "|---|---|---|---|---|---|---|\n",
        runs, pix ? ", a Pix payload on every boleto" : "");
    for (const std::vector<Run>& point : results) {
        const int pages = point.front().pages;
        const auto per_page = [pages](double v) { return v / pages; };
        std::printf(
            "| %d | %s | %s | %s | %.0f | %s | %s |\n", pages,
            spread(figure(point, [&](const Run& r) { return pages / r.cpu_seconds; }), "%.0f")
                .c_str(),
            spread(figure(point, [&](const Run& r) { return pages / r.wall_seconds; }), "%.0f")
                .c_str(),
            spread(figure(point, [](const Run& r) { return r.peak_rss_kib / 1024.0; }), "%.1f")
                .c_str(),
            per_page(static_cast<double>(point.front().pdf_bytes)),
            spread(figure(point,
                          [&](const Run& r) {
                              return per_page(static_cast<double>(r.written_bytes) -
                                              static_cast<double>(r.pdf_bytes)) /
                                     1000.0;
                          }),
                   "%.1f")
                .c_str(),
            spread(figure(point,
                          [&](const Run& r) {
                              return per_page(static_cast<double>(r.read_bytes)) / 1000.0;
                          }),
                   "%.1f")
                .c_str());
    }
    return 0;
}
