#include "documents/boleto/bank_logos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvek {

namespace {

class Canvas {
  public:
    int width;
    int height;
    std::vector<std::uint8_t> rgb;

    Canvas(int w, int h, std::uint32_t color)
        : width(w), height(h), rgb(static_cast<std::size_t>(w * h * 3)) {
        fill([](double, double) { return true; }, color);
    }
    // Paints every pixel whose centre satisfies `inside`.
    template <typename Inside>
    void fill(Inside inside, std::uint32_t color) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!inside(x + 0.5, y + 0.5)) continue;
                const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
                rgb[i] = static_cast<std::uint8_t>(color >> 16);
                rgb[i + 1] = static_cast<std::uint8_t>(color >> 8);
                rgb[i + 2] = static_cast<std::uint8_t>(color);
            }
        }
    }

    // A rectangle with corners rounded by `radius`.
    void rounded_rect(double x0, double y0, double x1, double y1, double radius,
                      std::uint32_t color) {
        fill(
            [&](double x, double y) {
                if (x < x0 || x > x1 || y < y0 || y > y1) return false;
                const double cx = std::clamp(x, x0 + radius, x1 - radius);
                const double cy = std::clamp(y, y0 + radius, y1 - radius);
                return std::hypot(x - cx, y - cy) <= radius;
            },
            color);
    }
    void disc(double cx, double cy, double r, std::uint32_t color) {
        fill([&](double x, double y) { return std::hypot(x - cx, y - cy) <= r; }, color);
    }
    void ring(double cx, double cy, double inner, double outer, std::uint32_t color) {
        fill(
            [&](double x, double y) {
                const double d = std::hypot(x - cx, y - cy);
                return d >= inner && d <= outer;
            },
            color);
    }
    // Block capitals from a 5 × 7 grid, each cell `scale` pixels, one empty
    // column between letters; (x, y) is the top-left of the first letter.
    void text(const char* letters, double x, double y, int scale, std::uint32_t color) {
        for (const char* p = letters; *p; ++p, x += 6 * scale) {
            const Glyph* g = glyph(*p);
            if (!g) continue;
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if ((*g)[row][col] != '#') continue;
                    const double left = x + col * scale;
                    const double top = y + row * scale;
                    fill(
                        [&](double px, double py) {
                            return px >= left && px < left + scale && py >= top && py < top + scale;
                        },
                        color);
                }
            }
        }
    }
    // The width of `letters` as text() draws them.
    static double text_width(const char* letters, int scale) {
        const double n = static_cast<double>(std::strlen(letters));
        return (6 * n - 1) * scale;
    }

    report::Picture picture() { return report::Picture::from_rgb(width, height, std::move(rgb)); }

  private:
    using Glyph = const char* [7];
    static const Glyph* glyph(char c) {
        static const struct {
            char letter;
            Glyph rows;
        } font[] = {
            {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
            {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
            {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
            {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
            {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
            {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
            {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
            {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
            {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
            {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
            {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
            {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
            {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        };
        for (const auto& g : font) {
            if (g.letter == c) return &g.rows;
        }
        return nullptr;
    }
};

}  // namespace

report::Picture bradesco_logo() {
    constexpr std::uint32_t kRed = 0xCC092F;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    Canvas c(210, 56, kRed);
    // The emblem on the left: a ring cut by two curved bars.
    const double cx = 30, cy = 28;
    c.fill(
        [&](double x, double y) {
            const double r = std::hypot(x - cx, y - cy);
            return r > 15 && r < 21 && y < cy + 6;
        },
        kWhite);
    c.fill(
        [&](double x, double y) {
            return std::abs(y - (cy + 4 - (x - cx) * 0.15)) < 2.5 && std::abs(x - cx) < 22;
        },
        kWhite);
    c.fill(
        [&](double x, double y) {
            return std::abs(y - (cy + 11 - (x - cx) * 0.1)) < 2.5 && std::abs(x - cx) < 19;
        },
        kWhite);
    // A wordmark stand-in: white bars of varying length on the right.
    const int bars[] = {54, 40, 62, 34, 48};
    for (int i = 0; i < 5; ++i) {
        const double top = 12 + i * 7;
        c.fill([&](double x,
                   double y) { return x > 64 && x < 64 + bars[i] * 2.2 && y > top && y < top + 4; },
               kWhite);
    }
    return c.picture();
}

report::Picture itau_logo() {
    constexpr std::uint32_t kOrange = 0xEC7000;
    constexpr std::uint32_t kNavy = 0x003399;
    Canvas c(210, 56, 0xFFFFFF);
    c.rounded_rect(0, 0, 210, 56, 10, kOrange);
    c.text("ITAU", (210 - Canvas::text_width("ITAU", 6)) / 2, 7, 6, kNavy);
    return c.picture();
}

report::Picture banrisul_logo() {
    constexpr std::uint32_t kBlue = 0x0047BB;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    Canvas c(210, 56, kBlue);
    c.ring(28, 28, 12, 19, kWhite);
    c.disc(28, 28, 6, kWhite);
    c.text("BANRISUL", 56, 14, 3, kWhite);
    return c.picture();
}

report::Picture sicoob_logo() {
    constexpr std::uint32_t kTeal = 0x003641;
    constexpr std::uint32_t kGreen = 0x00AE9D;
    constexpr std::uint32_t kLime = 0xC9D200;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    Canvas c(210, 56, kTeal);
    // The emblem: two interlocking rings.
    c.ring(22, 28, 8, 14, kGreen);
    c.ring(40, 28, 8, 14, kLime);
    c.text("SICOOB", 60, 14, 4, kWhite);
    return c.picture();
}

report::Picture cresol_logo() {
    constexpr std::uint32_t kGreen = 0x00704A;
    constexpr std::uint32_t kOrange = 0xF39200;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    Canvas c(182, 56, kGreen);
    // A rising sun: a disc with rays over the horizon.
    c.disc(26, 34, 11, kOrange);
    for (int ray = 0; ray < 7; ++ray) {
        const double angle = 3.14159265358979 * (ray + 0.5) / 7;
        const double rx = 26 - std::cos(angle) * 17;
        const double ry = 34 - std::sin(angle) * 17;
        c.disc(rx, ry, 2.5, kOrange);
    }
    c.fill([](double, double y) { return y > 40 && y < 43; }, kWhite);
    c.text("CRESOL", 56, 14, 3, kWhite);
    return c.picture();
}

namespace {

// The Sicredi emblem (four leaves around a centre) and name, `scale` pixels
// for each cell of the letters.
void draw_sicredi(Canvas& c, double emblem_x, double emblem_y, double leaf, int scale) {
    constexpr std::uint32_t kGold = 0xFFCD00;
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    for (int i = 0; i < 4; ++i) {
        const double dx = (i % 2 ? 1 : -1) * leaf * 0.55;
        const double dy = (i / 2 ? 1 : -1) * leaf * 0.55;
        c.disc(emblem_x + dx, emblem_y + dy, leaf * 0.5, kGold);
    }
    c.disc(emblem_x, emblem_y, leaf * 0.28, kWhite);
    const double text_x = emblem_x + leaf * 1.4;
    c.text("SICREDI", text_x, emblem_y - 3.5 * scale, scale, kWhite);
}

}  // namespace

report::Picture sicredi_logo() {
    Canvas c(190, 52, 0x3FA110);
    draw_sicredi(c, 26, 26, 18, 3);
    return c.picture();
}

report::Picture sicredi_booklet_logo() {
    Canvas c(91, 24, 0x3FA110);
    draw_sicredi(c, 9, 12, 7, 1);
    return c.picture();
}

}  // namespace tarvek
