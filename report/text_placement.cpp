#include "report/text_placement.h"

#include <algorithm>
#include <string>

#include "report/text_metrics.h"

namespace tarvek::report {

TextPlace pdf_text_place(const GraphicObject& text, std::string_view shown, const Font& font,
                         TextMetrics& metrics) {
    const Rect& b = text.bounds;
    const bool clipped = !(text.text_flags & tfNoClip);
    // Widths are measured only where they count: most texts are left-aligned
    // and unclipped.
    const int one =
        clipped || text.alignment == TextAlignment::Right ? metrics.text_width(font, "1") : 0;
    const int tw = text.alignment == TextAlignment::Right || text.alignment == TextAlignment::Center
                       ? metrics.text_width(font, shown)
                       : 0;

    TextPlace place;
    place.line_height = metrics.line_height(font);
    const int th = place.line_height;

    place.clip = b;
    if (clipped) {
        switch (text.alignment) {
            case TextAlignment::Right:
                place.clip.left -= one;
                break;
            case TextAlignment::Center:
            case TextAlignment::Justify:
                place.clip.left -= one / 2;
                place.clip.right += one / 2;
                break;
            default:
                place.clip.right += one;
                break;
        }
    }

    if (text.alignment == TextAlignment::Right) {
        place.x = b.right - tw - one;
    } else if (text.alignment == TextAlignment::Center) {
        place.x = (b.left + b.right - tw) / 2;
    } else {
        place.x = text.origin.x;
    }
    if (text.layout == TextLayout::Center) {
        place.top = (b.top + b.bottom - th) / 2;
    } else if (text.layout == TextLayout::Bottom) {
        place.top = b.bottom - th;
    } else {
        place.top = b.top;
    }
    return place;
}

TextPlace canvas_text_place(const GraphicObject& text, std::string_view shown, const Font& font,
                            TextMetrics& metrics) {
    const Rect& b = text.bounds;
    const int half_blank = metrics.text_width(font, " ") / 2;

    TextPlace place;
    place.line_height = metrics.line_height(font);
    place.clip = b;
    if (text.alignment == TextAlignment::Right || text.alignment == TextAlignment::Center) {
        const int tw = metrics.text_width(font, std::string(shown) + " ");
        place.x = text.alignment == TextAlignment::Right ? half_blank + b.right - tw
                                                         : half_blank + (b.left + b.right - tw) / 2;
    } else {
        place.x = half_blank + text.origin.x;
    }
    if (text.layout == TextLayout::Bottom) {
        place.top = b.bottom - place.line_height;
    } else if (text.layout == TextLayout::Center) {
        place.top = (b.top + b.bottom - place.line_height) / 2;
    } else {
        place.top = text.origin.y;
    }
    return place;
}

DrawnExtent::DrawnExtent(const Font& font, TextAlignment alignment, TextMetrics& metrics)
    : font_(font),
      alignment_(alignment),
      metrics_(metrics),
      pdf_widths_(metrics.outline(font.name, font.style).widths),
      points_(font.size()),
      half_blank_(metrics.text_width(font, " ") / 2) {}

int DrawnExtent::operator()(std::string_view text) const {
    const long measured = metrics_.text_width(font_, text);
    if (alignment_ == TextAlignment::Right) return static_cast<int>(measured);
    long thousandths = 0;
    for (const char c : text) thousandths += pdf_widths_[static_cast<unsigned char>(c)];
    // Thousandths of the em at points_ points, in pixels of 3/4 point,
    // rounded up; for centred text twice that less the measured width.
    if (alignment_ == TextAlignment::Center) {
        const long doubled = (2 * thousandths * points_ + 749) / 750 - measured;
        return static_cast<int>(std::max(doubled, measured));
    }
    const long pdf = (thousandths * points_ + 749) / 750;
    return static_cast<int>(std::max(pdf, measured + half_blank_));
}

}  // namespace tarvek::report
