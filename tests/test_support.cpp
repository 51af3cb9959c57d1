#include "tests/test_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>

#include "base/format.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"
#include "report/report.h"
#include "tools/testdb_builder.h"

namespace tarvek::test {

namespace fs = std::filesystem;

std::string DatabasePair::instruction(const std::string& id, const std::string& operation) const {
    return "Tarvek=" + main + ";Receber=" + receber + ";idInstrucao=" + id +
           ";operacao=" + operation;
}

namespace {

const DatabasePair& master_pair() {
    static TempDir dir;
    static DatabasePair pair = [] {
        DatabasePair p{dir.path() + "/tarvek.fdb", dir.path() + "/receber.fdb"};
        testdb::build(p.main, p.receber);
        return p;
    }();
    return pair;
}

}  // namespace

DatabasePair sample_databases(const TempDir& dir) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const DatabasePair& source = master_pair();
    DatabasePair copy{dir.path() + "/tarvek.fdb", dir.path() + "/receber.fdb"};
    fs::copy_file(source.main, copy.main, fs::copy_options::overwrite_existing);
    fs::copy_file(source.receber, copy.receber, fs::copy_options::overwrite_existing);
    return copy;
}

std::string test_server() {
    const char* server = std::getenv("TARVEK_TEST_SERVER");
    return server ? server : "";
}

void execute_sql(const std::string& database, const std::string& statement) {
    testdb::execute(database, statement);
}

std::vector<std::string> result_rows(const std::string& main_database, const std::string& id) {
    TdtmEmail dtm;
    dtm.instrucao = "Tarvek=" + main_database;
    dtm.dtmConectTarvek(true);
    Query& rows_query = dtm.qryTarSG;
    rows_query.set_sql(
        "select memo_contrato from Config_Geral where Campo_Ref='EMAIL_OK' and Campo_Valor=" +
        sql_quoted(id));
    std::vector<std::string> rows;
    for (rows_query.open(); !rows_query.eof(); rows_query.next()) {
        rows.push_back(rows_query.field(0).as_string());
    }
    return rows;
}

std::vector<std::string> documents_in(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && it->path().filename() != ".tarvek-locks")
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

InProcessRuns::InProcessRuns(const std::string& home,
                             std::vector<std::shared_ptr<report::GraphicStorage>>& previews,
                             std::vector<std::string>& messages) {
    if (const char* old = std::getenv("HOME")) {
        old_home_ = old;
        had_home_ = true;
    }
    setenv("HOME", home.c_str(), 1);
    FormatSettings::set_current(
        FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
    report::set_preview_opener([&previews](const std::shared_ptr<report::GraphicStorage>& pages) {
        previews.push_back(pages);
    });
    report::set_message_handler([&messages](const std::string& text) { messages.push_back(text); });
}

InProcessRuns::~InProcessRuns() {
    report::set_preview_opener(nullptr);
    report::set_message_handler(nullptr);
    FormatSettings::set_current(FormatSettings::from_environment());
    if (had_home_) {
        setenv("HOME", old_home_.c_str(), 1);
    } else {
        unsetenv("HOME");
    }
}

Child::Child(const std::string& program, const std::vector<std::string>& arguments,
             const std::vector<std::string>& environment, const std::string& log) {
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
        }
        for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

Child::~Child() {
    if (!exit_code_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> Child::wait_exit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!exit_code_) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            if (WIFSIGNALED(status)) signal_ = WTERMSIG(status);
            exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            usleep(20000);
        }
    }
    return exit_code_;
}

namespace {

std::string drain(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace

ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment, int timeout_seconds) {
    int out_pipe[2], err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        close(out_pipe[0]);
        close(err_pipe[0]);
        for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);

    ProcessResult result;
    // Read both pipes until they close or the time runs out.
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
    int open_pipes = 2;
    bool timed_out = false;
    while (open_pipes > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timed_out = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_pipes;
            } else {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    if (timed_out) kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    for (int i = 0; i < 2; ++i) {
        if (fds[i].fd >= 0) {
            *sinks[i] += drain(fds[i].fd);
            close(fds[i].fd);
        }
    }
    result.peak_rss_kb = usage.ru_maxrss;
    if (timed_out) {
        result.exit_code = -2;
    } else if (WIFEXITED(status)) {
        result.exit_code = WEXITSTATUS(status);
    } else {
        result.exit_code = 128 + WTERMSIG(status);
    }
    return result;
}

}  // namespace tarvek::test
