// Where a text object is drawn on its page. The engine has two rules, and
// they differ on purpose: the PDF writer places texts by the width of "1",
// the printer and the preview by half a blank. Each output keeps its own.
//
// Both take the text as shown (macros replaced) in the object's font, work
// in report pixels from the page's top-left corner and measure with the
// given service. Codes other than the named ones place like left and top.
#pragma once

#include <array>
#include <string_view>

#include "report/graphics.h"
#include "report/metafile.h"

namespace tarvek::report {

class TextMetrics;

struct TextPlace {
    int x = 0;            // where the text starts
    int top = 0;          // the top of its line
    int line_height = 0;  // of the font
    // What the text may cover when it is clipped (no tfNoClip flag).
    Rect clip;
};

// The PDF writer's rule, with one = the width of "1" and tw = the text's:
//   x     right: right - tw - one; centre: (left + right - tw) / 2;
//         left and justified: the origin's x.
//   top   top: the bounds' top; bottom: bottom - line height;
//         centre: (top + bottom - line height) / 2.
//   clip  the bounds widened by one: on the left for right alignment, by
//         half of it on each side for centre and justified, else on the right.
TextPlace pdf_text_place(const GraphicObject& text, std::string_view shown, const Font& font,
                         TextMetrics& metrics);

// The printer's and the preview's rule, with sp = half the width of a blank
// and tw = the width of the text followed by a blank:
//   x     left and justified: sp + the origin's x; right: sp + right - tw;
//         centre: sp + (left + right - tw) / 2.
//   top   top: the origin's y; bottom: bottom - line height;
//         centre: (top + bottom - line height) / 2.
//   clip  the bounds.
TextPlace canvas_text_place(const GraphicObject& text, std::string_view shown, const Font& font,
                            TextMetrics& metrics);

// The narrowest box in which a text, placed by both rules above with
// `alignment`, ends inside the box in every output; in whole pixels. The
// printer and the preview draw the glyphs spread to the measured width; the
// PDF writer draws them at the font's whole point size with the font file's
// own widths, which differ from the hinted ones measured at the font's pixel
// height (a 13-pixel font is drawn at 10 points, 13 1/3 pixels).
//   left and justified: the PDF's width, or half a blank and the measured
//                       width, whichever is more;
//   centre:             twice the PDF's width less the measured one, at least
//                       the measured width;
//   right:              the measured width (where a right-aligned text ends
//                       does not depend on its box's width).
// Made for one font and used for many texts.
class DrawnExtent {
  public:
    DrawnExtent(const Font& font, TextAlignment alignment, TextMetrics& metrics);
    int operator()(std::string_view text) const;

  private:
    const Font& font_;
    TextAlignment alignment_;
    TextMetrics& metrics_;
    const std::array<int, 256>& pdf_widths_;  // thousandths of the em
    int points_;
    int half_blank_;
};

}  // namespace tarvek::report
