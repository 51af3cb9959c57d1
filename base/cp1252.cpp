#include "base/cp1252.h"

#include <array>
#include <cstdint>

namespace tarvek {

namespace {

// Code points of the bytes 0x80-0x9F; 0 marks the five unassigned bytes.
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t code_point_of(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const std::uint16_t cp = kHigh[byte - 0x80];
        return cp ? cp : byte;  // unassigned bytes keep their C1 code point
    }
    return byte;
}

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char byte_of(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    }
    if (cp >= 0x80 && cp <= 0x9F) return static_cast<char>(cp);
    return '?';
}

}  // namespace

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) append_utf8(out, code_point_of(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        std::uint32_t cp = 0;
        if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            // ASCII, or a byte that starts no sequence: passed through.
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        bool valid = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((cb & 0xC0) != 0x80) {
                valid = false;
            } else {
                cp = (cp << 6) | (cb & 0x3F);
            }
        }
        if (!valid) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        out += byte_of(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

bool fits_cp1252(std::string_view utf8) {
    return cp1252_to_utf8(utf8_to_cp1252(utf8)) == utf8;
}

}  // namespace tarvek
