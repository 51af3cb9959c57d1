#include "documents/output.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvek {

namespace {

namespace fs = std::filesystem;

// Temporary files are named ".tarvek-<8 letters>-<document name>": a run
// holding a name's lock may remove every such file of that name, since no
// other run can be writing one.
constexpr const char* kTemporaryPrefix = ".tarvek-";
constexpr std::size_t kTemporaryLetters = 8;
// Each folder's lock file: runs lock a byte of it for the name they write.
constexpr const char* kLockFile = ".tarvek-locks";
constexpr int kDefaultLockWaitSeconds = 300;

std::string errno_text(int error) {
    return std::generic_category().message(error);
}

// A name from the ERP's data must stay a name inside its folder.
void check_plain_name(const std::string& name_utf8, const char* what) {
    if (name_utf8.empty() || name_utf8 == "." || name_utf8 == ".." ||
        name_utf8.find('/') != std::string::npos || name_utf8.find('\0') != std::string::npos) {
        throw Error(utf8_to_cp1252(std::string("Nome de ") + what +
                                   " inválido para o documento: \"" + name_utf8 + "\""));
    }
}

void sync_path(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    const int result = fd < 0 ? -1 : ::fsync(fd);
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (result != 0) {
        throw Error(utf8_to_cp1252("Não foi possível gravar " + path + " no disco (") +
                    errno_text(error) + ")");
    }
}

bool is_temporary_of(const std::string& file_name, const std::string& name) {
    const std::size_t prefix = std::string_view(kTemporaryPrefix).size();
    return file_name.size() == prefix + kTemporaryLetters + 1 + name.size() &&
           file_name.rfind(kTemporaryPrefix, 0) == 0 &&
           file_name[prefix + kTemporaryLetters] == '-' &&
           file_name.compare(prefix + kTemporaryLetters + 1, std::string::npos, name) == 0;
}

void remove_leftover_temporaries(const fs::path& folder, const std::string& name) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (is_temporary_of(it->path().filename().string(), name) && it->is_regular_file(error)) {
            fs::remove(it->path(), error);
        }
    }
}

// Creates a new, empty temporary file for `name` in `folder`; it is
// registered for removal on a termination signal before it exists.
std::string create_temporary(const fs::path& folder, const std::string& name,
                             std::unique_ptr<RemoveOnSignal>& on_signal) {
    std::random_device random;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string file_name = kTemporaryPrefix;
        for (std::size_t i = 0; i < kTemporaryLetters; ++i)
            file_name += kLetters[random() % (sizeof kLetters - 1)];
        file_name += '-';
        file_name += name;
        std::string path = (folder / file_name).string();
        on_signal = std::make_unique<RemoveOnSignal>(path);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        const int error = errno;
        on_signal.reset();
        if (error != EEXIST) {
            throw Error(utf8_to_cp1252("o arquivo " + path + " não pôde ser criado (") +
                        errno_text(error) + ")");
        }
    }
    throw Error(
        utf8_to_cp1252("nenhum nome livre para um arquivo temporário em " + folder.string()));
}

// Where in the lock file a name's byte lies: FNV-1a of the name, kept well
// inside the largest file offset.
off_t lock_offset(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return static_cast<off_t>(hash >> 2);
}

}  // namespace

std::string output_root() {
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env) {
        home = env;
    } else if (const passwd* pw = getpwuid(getuid())) {
        home = pw->pw_dir;
    }
    return home + "/driveKVL/tmpEmail";
}

void check_output_root() {
    const std::string root = output_root();
    if (!fits_cp1252(root)) {
        throw Error(utf8_to_cp1252(
            "A pasta dos documentos " + root +
            " tem caracteres que o banco de dados não guarda (fora do Windows-1252); o "
            "caminho do documento não poderia ser informado. Nenhum documento foi gerado."));
    }
}

int name_lock_wait_seconds() {
    if (const char* env = std::getenv("TARVEK_LOCK_WAIT"); env && *env) {
        char* end = nullptr;
        const long seconds = std::strtol(env, &end, 10);
        if (*end == '\0' && seconds >= 0 && seconds <= 24L * 3600) return static_cast<int>(seconds);
    }
    return kDefaultLockWaitSeconds;
}

NameLock::NameLock(const std::string& folder, const std::string& name, int wait_seconds) {
    const std::string path = folder + "/" + kLockFile;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        throw Error(utf8_to_cp1252("o arquivo de reservas " + path + " não pôde ser aberto (") +
                    errno_text(errno) + ")");
    }
    struct flock byte {};
    byte.l_type = F_WRLCK;
    byte.l_whence = SEEK_SET;
    byte.l_start = lock_offset(name);
    byte.l_len = 1;
    // Polled rather than waited for, so that the wait has an end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(wait_seconds);
    for (;;) {
        if (::fcntl(fd_, F_OFD_SETLK, &byte) == 0) return;
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EAGAIN && error != EACCES) {
            ::close(fd_);
            fd_ = -1;
            throw Error(utf8_to_cp1252("o nome não pôde ser reservado em " + path + " (") +
                        errno_text(error) + ")");
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd_);
            fd_ = -1;
            throw Error(utf8_to_cp1252("outra execução está gravando este documento há mais de " +
                                       std::to_string(wait_seconds) +
                                       " segundos; nenhum documento foi gerado"));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

NameLock::~NameLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

NameLock::NameLock(NameLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

NameLock& NameLock::operator=(NameLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

PendingDocument::PendingDocument(NameLock lock, std::string path,
                                 std::unique_ptr<RemoveOnSignal> on_signal)
    : lock_(std::move(lock)), path_(std::move(path)), remove_on_signal_(std::move(on_signal)) {}

PendingDocument::PendingDocument(PendingDocument&& other) noexcept
    : lock_(std::move(other.lock_)),
      path_(std::exchange(other.path_, {})),
      remove_on_signal_(std::move(other.remove_on_signal_)),
      kept_(other.kept_) {}

PendingDocument::~PendingDocument() {
    if (!path_.empty() && !kept_) ::unlink(path_.c_str());
}

void PendingDocument::recorded() {
    kept_ = true;
    remove_on_signal_.reset();
}

OutputFile::OutputFile(NameLock lock, std::string folder, std::string final_path,
                       std::string temporary_path, std::unique_ptr<RemoveOnSignal> on_signal)
    : lock_(std::move(lock)),
      folder_(std::move(folder)),
      final_(std::move(final_path)),
      temporary_(std::move(temporary_path)),
      remove_on_signal_(std::move(on_signal)) {}

OutputFile::~OutputFile() {
    if (!committed_) ::unlink(temporary_.c_str());
}

PendingDocument OutputFile::commit() {
    // Registered before the rename: a signal in between finds one name or
    // the other.
    auto final_on_signal = std::make_unique<RemoveOnSignal>(final_);
    try {
        sync_path(temporary_, O_RDONLY);
        if (::rename(temporary_.c_str(), final_.c_str()) != 0) {
            throw Error(utf8_to_cp1252("Não foi possível gravar o documento " + final_ + " (") +
                        errno_text(errno) + ")");
        }
    } catch (...) {
        ::unlink(temporary_.c_str());
        committed_ = true;
        throw;
    }
    committed_ = true;
    remove_on_signal_.reset();
    // The new name must survive a crash as well as the file's bytes.
    try {
        sync_path(folder_, O_RDONLY | O_DIRECTORY);
    } catch (const Error&) {
        // The rename itself happened; a folder that cannot be synchronised
        // (some file systems refuse) leaves it to the system's own flush.
    }
    return PendingDocument(std::move(lock_), final_, std::move(final_on_signal));
}

OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo) {
    const std::string folder_name = cp1252_to_utf8(pasta);
    const std::string file_name = cp1252_to_utf8(nome_arquivo);
    check_plain_name(folder_name, "pasta");
    check_plain_name(file_name, "arquivo");

    const fs::path root = output_root();
    const fs::path folder = root / folder_name;
    const fs::path full = folder / file_name;
    // The three levels, each made where it is missing; the first that cannot
    // be made is what the user must hear about, not the lock file after it.
    std::error_code ignored;
    for (const fs::path& level : {root.parent_path(), root, folder}) {
        if (fs::is_directory(level, ignored)) continue;
        std::error_code made;
        if (!fs::create_directory(level, made) && !fs::is_directory(level, ignored)) {
            const std::string why =
                fs::exists(level, ignored) ? "há um arquivo com esse nome" : made.message();
            throw Error(utf8_to_cp1252("Não foi possível gravar o documento " + full.string() +
                                       ": a pasta " + level.string() + " não pôde ser criada (" +
                                       why + ")"));
        }
    }

    try {
        NameLock lock(folder.string(), file_name, name_lock_wait_seconds());
        if (fs::exists(full, ignored)) fs::remove(full, ignored);
        remove_leftover_temporaries(folder, file_name);
        std::unique_ptr<RemoveOnSignal> on_signal;
        std::string temporary = create_temporary(folder, file_name, on_signal);
        return OutputFile(std::move(lock), folder.string(), full.string(), std::move(temporary),
                          std::move(on_signal));
    } catch (const Error& e) {
        throw Error(utf8_to_cp1252("Não foi possível gravar o documento " + full.string() + ": ") +
                    e.what());
    }
}

}  // namespace tarvek
