// Basic drawing types of the report engine: rectangles and points in report
// pixels (96 per inch), colours, fonts.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace tarvek::report {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Left/top inclusive, right/bottom exclusive, as everywhere in the engine.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    // An empty rectangle intersects nothing.
    bool intersects(const Rect& o) const {
        return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
    Rect intersection(const Rect& o) const;
    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A coordinate multiplied by a scale factor, rounded to nearest with halves
// away from zero: how every scaled drawing lands on the pixel grid.
inline int scale_coordinate(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

// 0x00BBGGRR; a top byte of 0xFF marks a system colour.
using Color = std::uint32_t;

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clWindow = 0xFF000005;
inline constexpr Color clBtnFace = 0xFF00000F;
inline constexpr Color clWindowText = 0xFF000008;

// System colours resolved to RGB (0x00BBGGRR); other colours unchanged.
Color resolve_color(Color color);
inline std::uint8_t red_of(Color c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
inline std::uint8_t green_of(Color c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
inline std::uint8_t blue_of(Color c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

enum FontStyle : unsigned {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// A font as controls carry it. Height is the em height in report pixels,
// negative; Size follows from it in points.
struct Font {
    std::string name = "Arial";
    int height = -13;
    unsigned style = 0;  // FontStyle bits
    Color color = clBlack;
    std::uint8_t charset = 1;  // default character set
    int pitch = 0;             // 0 default, 1 fixed, 2 variable

    // −height × 72 / 96, halves away from zero.
    int size() const;
    // Height = −(size × 96 / 72), halves away from zero.
    void set_size(int points);
    friend bool operator==(const Font&, const Font&) = default;
};

// mm × 96 / 25.4 rounded to nearest, halves to even.
int mm_to_pixels(double mm);

}  // namespace tarvek::report
