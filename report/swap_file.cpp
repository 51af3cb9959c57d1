#include "report/swap_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include "base/errors.h"

namespace tarvek::report {

namespace {

std::string errno_text(int error) {
    return std::generic_category().message(error);
}

}  // namespace

SwapFile::SwapFile() {
    std::filesystem::path folder;
    try {
        folder = std::filesystem::temp_directory_path();
    } catch (const std::filesystem::filesystem_error& e) {
        throw Error(std::string("Cannot find the temporary folder for the page swap file: ") +
                    e.what());
    }
    path_ = folder / "(page swap file)";
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        throw Error("Cannot create the page swap file in " + folder.string() + ": " +
                    errno_text(errno));
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::uint64_t number = (static_cast<std::uint64_t>(random()) << 32) ^ random();
        char name[64];
        std::snprintf(name, sizeof name, "tarvek-pages-%016llx.swp",
                      static_cast<unsigned long long>(number));
        const std::filesystem::path candidate = folder / name;
        fd_ = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            ::unlink(candidate.c_str());
            return;
        }
        if (errno != EEXIST) {
            throw Error("Cannot create the page swap file " + candidate.string() + ": " +
                        errno_text(errno));
        }
    }
    throw Error("Cannot create the page swap file in " + folder.string() +
                ": every name tried already exists");
}

SwapFile::~SwapFile() {
    ::close(fd_);
}

std::uint64_t SwapFile::append(std::string_view bytes) {
    const std::uint64_t offset = end_;
    if (pending_.size() + bytes.size() > kBlock) flush();
    if (bytes.size() >= kBlock) {
        write_at(end_, bytes);
    } else {
        pending_.append(bytes);
    }
    end_ += bytes.size();
    return offset;
}

std::string SwapFile::read(std::uint64_t offset, std::uint64_t length) const {
    const std::uint64_t pending_start = end_ - pending_.size();
    if (offset >= pending_start) {
        if (offset + length > end_) {
            throw Error("Cannot read the page swap file " + path_.string() + ": it ends early");
        }
        return pending_.substr(offset - pending_start, length);
    }
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            throw Error("Cannot read the page swap file " + path_.string() + ": " +
                        errno_text(errno));
        }
        if (n == 0)
            throw Error("Cannot read the page swap file " + path_.string() + ": it ends early");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

void SwapFile::flush() {
    write_at(end_ - pending_.size(), pending_);
    pending_.clear();
}

void SwapFile::write_at(std::uint64_t offset, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            throw Error("Cannot write the page swap file " + path_.string() + ": " +
                        errno_text(n < 0 ? errno : ENOSPC));
        }
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace tarvek::report
