#include "report/graphics.h"

#include <algorithm>
#include <cmath>

namespace tarvek::report {

Rect Rect::intersection(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    if (r.empty()) return {};
    return r;
}

Color resolve_color(Color color) {
    if ((color & 0xFF000000u) != 0xFF000000u) return color & 0x00FFFFFFu;
    // The classic desktop scheme, the one documents were designed against.
    switch (color & 0xFF) {
        case 5:
            return 0xFFFFFF;  // window
        case 8:
            return 0x000000;  // window text
        case 15:
            return 0xF0F0F0;  // button face
        case 16:
            return 0xA0A0A0;  // button shadow
        case 18:
            return 0x000000;  // button text
        case 20:
            return 0xFFFFFF;  // button highlight
        case 13:
            return 0xD77800;  // highlight
        case 14:
            return 0xFFFFFF;  // highlight text
        default:
            return 0x000000;
    }
}

namespace {

// a × b / c with halves away from zero.
int mul_div(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

}  // namespace

int Font::size() const {
    return -mul_div(height, 72, 96);
}

void Font::set_size(int points) {
    height = -mul_div(points, 96, 72);
}

int mm_to_pixels(double mm) {
    return static_cast<int>(std::nearbyint(mm * 96.0 / 25.4));
}

}  // namespace tarvek::report
