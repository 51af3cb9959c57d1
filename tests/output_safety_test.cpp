// Nothing lost, nothing half-written: a document appears under its name only
// complete, and its result row only ever names a complete document, whatever
// happens while it is written (another run on the same name, a full disk, a
// signal, a kill). The real program on copies of the sample databases.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "base/cp1252.h"
#include "tests/golden.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::run_command;

// Columns of a boleto, copied from boleto 1 for the large batches.
constexpr const char* kBoletoColumns =
    "COD_CLI, NRO_TIT, NRO_PAR, TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, "
    "ENDERECOEMAILSACADO, ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO, "
    "DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO, PERCENTUALJUROS, "
    "PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS, DESMONSTRATIVO, "
    "INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4, LIN_ADC5, LIN_ADC6, LIN_ADC7, "
    "DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL";

class OutputSafety : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        tmp = dir.path() + "/tmp";
        fs::create_directories(home);
        fs::create_directories(tmp);
    }
    std::vector<std::string> environment() const {
        return {"HOME=" + home, "TMPDIR=" + tmp, "DISPLAY=", "LANG=pt_BR.UTF-8",
                "LC_ALL=pt_BR.UTF-8"};
    }
    test::ProcessResult run(const std::string& instruction) {
        return test::run_process(TARVEK_DOCS_BINARY, {instruction}, environment());
    }
    std::unique_ptr<test::Child> start(const std::string& instruction, const std::string& log) {
        return std::make_unique<test::Child>(TARVEK_DOCS_BINARY,
                                             std::vector<std::string>{instruction}, environment(),
                                             dir.file(log));
    }
    std::string folder() const { return home + "/driveKVL/tmpEmail/Boletos"; }
    std::string pdf_path() const { return folder() + "/Bradesco_237.pdf"; }
    // The files in the output folder, the document's temporary ones included
    // (not the folder's lock file, which stays).
    std::vector<std::string> folder_entries() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& e : fs::directory_iterator(folder(), error)) {
            if (e.path().filename() != ".tarvek-locks")
                names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    bool temporary_exists() const {
        for (const std::string& name : folder_entries()) {
            if (name.rfind(".tarvek-", 0) == 0) return true;
        }
        return false;
    }
    // Whether a run is writing its document: a temporary file, or bytes
    // under the final name (the old documents these tests leave are empty).
    bool writing() const {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(pdf_path(), error);
        return temporary_exists() || (!error && size > 0);
    }
    void wait_until_writing(test::Child& child) {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (!writing() && child.running() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        ASSERT_TRUE(writing()) << "the run never started writing";
    }
    std::vector<std::string> result_rows(const std::string& id) {
        return test::result_rows(pair.main, id);
    }
    std::vector<std::string> result_rows(const std::string& id, const test::DatabasePair& source) {
        return test::result_rows(source.main, id);
    }
    // Adds `count` copies of boleto 1 to the Bradesco account of instruction 77.
    void add_boletos(int count) { add_boletos(count, pair); }
    void add_boletos(int count, const test::DatabasePair& target) {
        test::execute_sql(target.receber,
                          std::string("execute block as declare i integer = 0; begin "
                                      "while (i < ") +
                              std::to_string(count) +
                              ") do begin "
                              "insert into boletos (CHAVEBOLETO, CHAVECONTACORRENTE, " +
                              kBoletoColumns + ") select 100000 + :i, 1, " + kBoletoColumns +
                              " from boletos where CHAVEBOLETO = 1; i = i + 1; end end");
    }
    int pdf_pages(const std::string& path) {
        const std::string info = run_command("pdfinfo '" + path + "' 2>/dev/null").output;
        std::smatch m;
        return std::regex_search(info, m, std::regex("Pages: +([0-9]+)")) ? std::stoi(m[1]) : -1;
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
    std::string tmp;
};

// Two runs for one bank at once (two companies' databases of one user here;
// an ERP that retries would do the same through a server): a long one, and a
// short one started while the long one writes. The short one must wait until
// the long one's row is committed before it touches the name, then replace
// the document whole.
TEST_F(OutputSafety, OverlappingRunsOnOneNameAreSerialised) {
    test::TempDir other_dir;
    const test::DatabasePair other = test::sample_databases(other_dir);
    add_boletos(1000);
    auto first = start(pair.instruction("77", "email"), "first.log");
    wait_until_writing(*first);
    auto second = start(other.instruction("77", "email"), "second.log");

    // The second may not end while the first still writes: it waits for the
    // folder until the first's row is committed. (Which process exits first
    // afterwards says nothing: tearing down the larger run takes its time.)
    bool second_ended_while_first_wrote = false;
    const auto deadline = std::chrono::steady_clock::now() + 300s;
    while ((first->running() || second->running()) && std::chrono::steady_clock::now() < deadline) {
        if (!second->running() && temporary_exists()) second_ended_while_first_wrote = true;
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(second_ended_while_first_wrote);
    ASSERT_EQ(first->wait_exit(0s), 0) << test::read_file(dir.file("first.log"));
    ASSERT_EQ(second->wait_exit(0s), 0) << test::read_file(dir.file("second.log"));

    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path()});
    EXPECT_EQ(result_rows("77", other), std::vector<std::string>{pdf_path()});
    const auto check = run_command("qpdf --check '" + pdf_path() + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(pdf_pages(pdf_path()), 3);  // the second run's document
    EXPECT_EQ(folder_entries(), std::vector<std::string>{"Bradesco_237.pdf"});
}

// Each signal, from a launcher that leaves the mask alone and from one that
// blocks the signals for its children (the mask survives exec).
TEST_F(OutputSafety, TerminationSignalEndsTheRunWithoutFileSwapOrRow) {
    add_boletos(1500);
    for (const bool blocked_by_launcher : {false, true}) {
        for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(::testing::Message()
                         << "signal " << signal_number << (blocked_by_launcher ? ", blocked" : ""));
            std::ofstream old_document(pdf_path(), std::ios::app);  // an old one of that name
            old_document.close();
            sigset_t launcher_mask, test_mask;
            sigemptyset(&launcher_mask);
            if (blocked_by_launcher) sigaddset(&launcher_mask, signal_number);
            ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &launcher_mask, &test_mask), 0);
            auto child = start(pair.instruction("77", "email"), "signal.log");
            ASSERT_EQ(pthread_sigmask(SIG_SETMASK, &test_mask, nullptr), 0);
            wait_until_writing(*child);
            ASSERT_EQ(kill(child->pid(), signal_number), 0);
            const auto code = child->wait_exit(5s);
            const std::string log = test::read_file(dir.file("signal.log"));
            ASSERT_TRUE(code.has_value()) << "still running\n" << log;
            EXPECT_EQ(*code, 128 + signal_number) << log;
            EXPECT_FALSE(child->ended_by_signal()) << "the handler did not run";
            EXPECT_TRUE(folder_entries().empty());
            EXPECT_TRUE(fs::is_empty(tmp));
            EXPECT_TRUE(result_rows("77").empty());
        }
    }
}

// The database takes its time over the result row; a signal that comes after
// the rename takes the document with it.
TEST_F(OutputSafety, SignalBeforeTheRowIsCommittedTakesTheDocument) {
    test::execute_sql(pair.main,
                      "create trigger slow_email_ok for config_geral before insert as "
                      "declare t0 timestamp; begin if (new.campo_ref = 'EMAIL_OK') then begin "
                      "t0 = cast('NOW' as timestamp); "
                      "while (datediff(millisecond from t0 to cast('NOW' as timestamp)) < 20000) "
                      "do t0 = t0; end end");
    auto child = start(pair.instruction("77", "email"), "row.log");
    // Renamed: the document stands under its name, no temporary file beside it.
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (child->running() && std::chrono::steady_clock::now() < deadline &&
           (temporary_exists() || !fs::exists(pdf_path()))) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(child->running()) << test::read_file(dir.file("row.log"));
    ASSERT_EQ(folder_entries(), std::vector<std::string>{"Bradesco_237.pdf"});
    ASSERT_EQ(kill(child->pid(), SIGTERM), 0);
    const auto code = child->wait_exit(10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 128 + SIGTERM);
    EXPECT_TRUE(folder_entries().empty());
    EXPECT_TRUE(result_rows("77").empty());
}

// A run stopped while it writes one name (a batch, a database that stopped
// answering) holds that name only: another name in the same folder is
// written at once, and a run for the same name gives up after the wait.
TEST_F(OutputSafety, OneNameHeldLeavesTheOthersFreeAndBoundsTheWaitForItself) {
    add_boletos(1500);
    auto first = start(pair.instruction("77", "email"), "first.log");
    wait_until_writing(*first);
    ASSERT_EQ(kill(first->pid(), SIGSTOP), 0);

    test::TempDir other_dir;
    const test::DatabasePair other = test::sample_databases(other_dir);
    const auto sicoob = run(other.instruction("81", "email"));
    EXPECT_EQ(sicoob.exit_code, 0) << sicoob.err;
    EXPECT_EQ(result_rows("81", other), std::vector<std::string>{folder() + "/Sicoob_756.pdf"});

    std::vector<std::string> waiting = environment();
    waiting.push_back("TARVEK_LOCK_WAIT=2");
    const auto started = std::chrono::steady_clock::now();
    const auto same =
        test::run_process(TARVEK_DOCS_BINARY, {other.instruction("77", "email")}, waiting);
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(same.exit_code, 1) << same.err;
    EXPECT_NE(same.err.find(pdf_path() + ": outra execu\xC3\xA7\xC3\xA3o est\xC3\xA1 gravando "
                                         "este documento h\xC3\xA1 mais de 2 segundos"),
              std::string::npos)
        << same.err;
    EXPECT_GE(waited, 2s);
    EXPECT_LT(waited, 30s);
    EXPECT_TRUE(result_rows("77", other).empty());

    // The stopped run goes on and delivers its own document.
    ASSERT_EQ(kill(first->pid(), SIGCONT), 0);
    ASSERT_EQ(first->wait_exit(120s), 0) << test::read_file(dir.file("first.log"));
    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path()});
    EXPECT_EQ(pdf_pages(pdf_path()), 1503);
    EXPECT_EQ(folder_entries(), (std::vector<std::string>{"Bradesco_237.pdf", "Sicoob_756.pdf"}));
}

TEST_F(OutputSafety, KilledRunLeavesNoDocumentAndNoSwapAndTheNextRunCleansUp) {
    add_boletos(1500);
    auto child = start(pair.instruction("77", "email"), "killed.log");
    wait_until_writing(*child);
    ASSERT_EQ(kill(child->pid(), SIGKILL), 0);
    ASSERT_TRUE(child->wait_exit(10s).has_value());
    EXPECT_FALSE(fs::exists(pdf_path()));
    EXPECT_TRUE(fs::is_empty(tmp)) << "the page swap file outlived the process";
    EXPECT_TRUE(result_rows("77").empty());

    test::execute_sql(pair.receber, "delete from boletos where CHAVEBOLETO >= 100000");
    const auto r = run(pair.instruction("77", "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(folder_entries(), std::vector<std::string>{"Bradesco_237.pdf"});
    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path()});
}

TEST_F(OutputSafety, FullDiskLeavesNoFileAndNoRow) {
    // The output folder on a file system too small for three boletos.
    fs::create_directories(home + "/driveKVL");
    if (mount("tarvek-test", (home + "/driveKVL").c_str(), "tmpfs", 0, "size=40k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    }
    struct Unmount {
        std::string path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{home + "/driveKVL"};

    const auto r = run(pair.instruction("77", "email"));
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(pdf_path()), std::string::npos) << r.err;
    EXPECT_TRUE(folder_entries().empty());
    EXPECT_TRUE(result_rows("77").empty());
}

TEST_F(OutputSafety, HomeOutsideWindows1252FailsBeforeAnyWork) {
    home = dir.path() + "/\xE5\xAE\xB6";  // a CJK character, UTF-8
    fs::create_directories(home);
    const auto r = run(pair.instruction("77", "email"));
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("fora do Windows-1252"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(home + "/driveKVL"));
    EXPECT_TRUE(result_rows("77").empty());
}

TEST_F(OutputSafety, LongDatabaseErrorIsReportedWhole) {
    // A 4 KB database path: the client library's message is longer than any
    // fixed buffer would hold.
    const std::string missing = dir.path() + "/" + std::string(4000, 'd') + "/x.fdb";
    const auto r =
        run("Tarvek=" + pair.main + ";Receber=" + missing + ";idInstrucao=77;operacao=email");
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find(missing), std::string::npos);
    // Nothing read past the message: only its own printable text.
    for (const char c : r.err) {
        EXPECT_TRUE(c == '\n' || (c >= ' ' && c < 0x7F)) << "stray byte " << int(c);
    }
    EXPECT_TRUE(result_rows("77").empty());
}

}  // namespace
}  // namespace tarvek
