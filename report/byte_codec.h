// Private to the page codec: the numbers, flags and texts stored pages are
// made of. Numbers take 7 bits a byte (signed ones zigzag-coded).
//
// A Writer owns the bytes it builds; a Reader borrows its bytes and raises a
// PageDataError at the byte where they stop making sense.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "report/metafile.h"

namespace tarvek::report {

class Writer {
  public:
    void u8(std::uint8_t v) {
        room(1);
        out_[size_++] = static_cast<char>(v);
    }
    void uvar(std::uint64_t v) {
        room(10);
        while (v >= 0x80) {
            out_[size_++] = static_cast<char>(v | 0x80);
            v >>= 7;
        }
        out_[size_++] = static_cast<char>(v);
    }
    void svar(std::int64_t v) {
        uvar((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
    }
    void boolean(bool v) { u8(v ? 1 : 0); }
    void str(std::string_view s) {
        uvar(s.size());
        raw(s);
    }
    void raw(std::string_view s) {
        room(s.size());
        std::memcpy(out_.data() + size_, s.data(), s.size());
        size_ += s.size();
    }
    void raw(const std::uint8_t* data, std::size_t size) {
        raw(std::string_view(reinterpret_cast<const char*>(data), size));
    }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {out_.data(), size_}; }
    void clear() { size_ = 0; }
    std::string take() {
        out_.resize(size_);
        size_ = 0;
        return std::move(out_);
    }

  private:
    // The string grows ahead of what is written, by doubling.
    void room(std::size_t n) {
        if (out_.size() - size_ < n) out_.resize(std::max(2 * out_.size(), size_ + n + 256));
    }

    std::string out_;
    std::size_t size_ = 0;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t u8() {
        need(1);
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint64_t uvar() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = u8();
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        fail("a number is too long");
    }
    std::int64_t svar() {
        const std::uint64_t u = uvar();
        return static_cast<std::int64_t>(u >> 1) ^ -static_cast<std::int64_t>(u & 1);
    }
    int i32() {
        const std::int64_t v = svar();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
            fail("a number is out of range");
        }
        return static_cast<int>(v);
    }
    // A number told as its difference from `base`.
    int from(int base) {
        const std::int64_t difference = svar();
        if (difference < std::numeric_limits<int>::min() - std::int64_t{base} ||
            difference > std::numeric_limits<int>::max() - std::int64_t{base}) {
            fail("a number is out of range");
        }
        return base + static_cast<int>(difference);
    }
    unsigned u32() {
        const std::uint64_t v = uvar();
        if (v > std::numeric_limits<unsigned>::max()) fail("a number is out of range");
        return static_cast<unsigned>(v);
    }
    bool boolean() {
        const std::uint8_t v = u8();
        if (v > 1) fail("a flag is neither 0 nor 1");
        return v == 1;
    }
    // A list length; each element takes at least `min_size` bytes, which
    // rejects lengths the data cannot hold before anything is allocated.
    std::size_t count(std::size_t min_size) {
        const std::uint64_t n = uvar();
        if (n > (bytes_.size() - pos_) / min_size) fail("a list is longer than the data");
        return static_cast<std::size_t>(n);
    }
    std::string_view bytes(std::size_t n) {
        need(n);
        const std::string_view out = bytes_.substr(pos_, n);
        pos_ += n;
        return out;
    }
    std::string str() { return std::string(bytes(count(1))); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    void finish() const {
        if (pos_ != bytes_.size()) fail("unexpected bytes after the page");
    }
    [[noreturn]] void fail(const std::string& reason) const { throw PageDataError(pos_, reason); }

  private:
    void need(std::size_t n) const {
        if (n > bytes_.size() - pos_) fail("the data ends early");
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace tarvek::report
