#include "documents/output.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvek {

namespace {

namespace fs = std::filesystem;

// Temporary files start with this: a run holding the folder's lock may remove
// every such file it finds, since no other run can be writing one.
constexpr const char* kTemporaryPrefix = ".tarvek-";

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

void remove_leftover_temporaries(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kTemporaryPrefix, 0) == 0 && it->is_regular_file(error)) {
            fs::remove(it->path(), error);
        }
    }
}

// Creates a new, empty file named `.tarvek-<random>-<name>` in `folder`.
std::string create_temporary(const fs::path& folder, const std::string& name) {
    std::random_device random;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string file_name = kTemporaryPrefix;
        for (int i = 0; i < 8; ++i) file_name += kLetters[random() % (sizeof kLetters - 1)];
        file_name += '-';
        file_name += name;
        std::string path = (folder / file_name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            throw Error(utf8_to_cp1252("o arquivo " + path + " não pôde ser criado (") +
                        errno_text(errno) + ")");
        }
    }
    throw Error(
        utf8_to_cp1252("nenhum nome livre para um arquivo temporário em " + folder.string()));
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

FolderLock::FolderLock(const std::string& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        throw Error(utf8_to_cp1252("a pasta " + folder + " não pôde ser aberta (") +
                    errno_text(errno) + ")");
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        throw Error(utf8_to_cp1252("a pasta " + folder + " não pôde ser reservada (") +
                    errno_text(error) + ")");
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

OutputFile::OutputFile(FolderLock lock, std::string folder, std::string final_path,
                       std::string temporary_path)
    : lock_(std::move(lock)),
      folder_(std::move(folder)),
      final_(std::move(final_path)),
      temporary_(std::move(temporary_path)),
      remove_on_signal_(std::make_unique<RemoveOnSignal>(temporary_)) {}

OutputFile::~OutputFile() {
    if (!committed_) ::unlink(temporary_.c_str());
}

FolderLock OutputFile::commit() {
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
    // The new name must survive a crash as well as the file's bytes.
    try {
        sync_path(folder_, O_RDONLY | O_DIRECTORY);
    } catch (const Error&) {
        // The rename itself happened; a folder that cannot be synchronised
        // (some file systems refuse) leaves it to the system's own flush.
    }
    return std::move(lock_);
}

OutputFile path_email(const std::string& pasta, const std::string& nome_arquivo) {
    const std::string folder_name = cp1252_to_utf8(pasta);
    const std::string file_name = cp1252_to_utf8(nome_arquivo);
    check_plain_name(folder_name, "pasta");
    check_plain_name(file_name, "arquivo");

    const fs::path root = output_root();
    std::error_code ignored;
    if (!fs::exists(root.parent_path(), ignored)) fs::create_directory(root.parent_path(), ignored);
    if (!fs::exists(root, ignored)) fs::create_directory(root, ignored);
    const fs::path folder = root / folder_name;
    if (!fs::exists(folder, ignored)) fs::create_directory(folder, ignored);

    const fs::path full = folder / file_name;
    try {
        FolderLock lock(folder.string());
        if (fs::exists(full, ignored)) fs::remove(full, ignored);
        remove_leftover_temporaries(folder);
        std::string temporary = create_temporary(folder, file_name);
        return OutputFile(std::move(lock), folder.string(), full.string(), std::move(temporary));
    } catch (const Error& e) {
        throw Error(utf8_to_cp1252("Não foi possível gravar o documento " + full.string() + ": ") +
                    e.what());
    }
}

}  // namespace tarvek
