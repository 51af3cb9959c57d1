#include "documents/boleto/bank_logos.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvek {

namespace {

struct Canvas {
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
    return report::Picture::from_rgb(c.width, c.height, std::move(c.rgb));
}

}  // namespace tarvek
