// Private to the page store: the file where pages wait while they are out of
// memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvek::report {

// The swap file, in the temporary folder (TMPDIR), readable by its owner
// only and without a name: it is created unnamed, or unlinked the moment it
// is created where the file system cannot do that, so that it goes with the
// process however the process ends.
class SwapFile {
  public:
    // Raises an error naming the folder when the file cannot be created.
    SwapFile();
    ~SwapFile();
    SwapFile(const SwapFile&) = delete;
    SwapFile& operator=(const SwapFile&) = delete;

    // Bytes appended so far, those still in the buffer included.
    std::uint64_t size() const { return end_; }
    const std::filesystem::path& path() const { return path_; }

    // Appends the bytes at the end of the file and returns their offset.
    // They are written in blocks: a page and its pictures take one write
    // among many.
    std::uint64_t append(std::string_view bytes);
    // Bytes appended before, as one record: each lies in the buffer or in
    // the file.
    std::string read(std::uint64_t offset, std::uint64_t length) const;

  private:
    static constexpr std::size_t kBlock = 1 << 18;

    void flush();
    void write_at(std::uint64_t offset, std::string_view bytes);

    int fd_ = -1;
    std::filesystem::path path_;
    std::uint64_t end_ = 0;
    std::string pending_;  // the last bytes appended, not written yet
};

}  // namespace tarvek::report
