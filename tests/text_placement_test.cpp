#include "report/text_placement.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "report/text_metrics.h"
#include "tests/test_tools.h"

namespace tarvek::report {
namespace {

// Every glyph 10 pixels wide but "1" (7) and the blank (5); lines 15 high.
class FixedMetrics : public TextMetrics {
  public:
    int text_width(const Font&, std::string_view text) override {
        int width = 0;
        for (const char c : text) width += c == '1' ? 7 : c == ' ' ? 5 : 10;
        return width;
    }
    int line_height(const Font&) override { return 15; }
    // Every glyph 600 thousandths of the em wide in the font file.
    const OutlineMetrics& outline(const std::string&, unsigned) override {
        static const OutlineMetrics metrics = [] {
            OutlineMetrics m;
            m.widths.fill(600);
            return m;
        }();
        return metrics;
    }
    std::string font_file(const std::string&, unsigned) override {
        throw std::logic_error("placing a text needs no font file");
    }
};

// Where a rule puts the text.
struct Place {
    int x, top;
    Rect clip;
};

struct Case {
    std::string label;
    TextAlignment alignment;
    TextLayout layout;
    bool clipped;
    Rect bounds;
    Place pdf, canvas;
};

class TextPlacement : public ::testing::TestWithParam<Case> {};

// "ABC" measures 30, with a blank 35; a blank halved is 2 and "1" is 7 wide.
// The origin lies 4 right of and 3 below the bounds' corner.
TEST_P(TextPlacement, EachRulePlacesByItsOwnMeasure) {
    const Case& c = GetParam();
    GraphicObject text;
    text.kind = ObjectKind::Text;
    text.bounds = c.bounds;
    text.origin = {c.bounds.left + 4, c.bounds.top + 3};
    text.alignment = c.alignment;
    text.layout = c.layout;
    text.text_flags = c.clipped ? tfNeverBreak : tfNoClip | tfNeverBreak;
    FixedMetrics metrics;
    const struct {
        const char* rule;
        TextPlace place;
        Place expected;
    } results[] = {
        {"pdf", pdf_text_place(text, "ABC", Font{}, metrics), c.pdf},
        {"canvas", canvas_text_place(text, "ABC", Font{}, metrics), c.canvas},
    };
    for (const auto& [rule, place, expected] : results) {
        EXPECT_EQ(place.x, expected.x) << rule;
        EXPECT_EQ(place.top, expected.top) << rule;
        EXPECT_EQ(place.line_height, 15) << rule;
        EXPECT_EQ(place.clip, expected.clip) << rule;
    }
}

using enum TextAlignment;
constexpr Rect kBox{100, 200, 300, 240};
// Narrower than the text, and odd: halves round towards zero.
constexpr Rect kNarrow{0, 0, 11, 9};
const auto kUnknownAlignment = static_cast<TextAlignment>(7);
const auto kUnknownLayout = static_cast<TextLayout>(9);

// The PDF writer keeps the width of "1" beside the text and starts a top
// line at the bounds' top; the canvas starts half a blank on, at the
// origin's y, and clips to the bounds.
INSTANTIATE_TEST_SUITE_P(Rules, TextPlacement,
                         ::testing::Values(Case{"left top",
                                                Left,
                                                TextLayout::Top,
                                                true,
                                                kBox,
                                                {104, 200, {100, 200, 307, 240}},
                                                {106, 203, kBox}},
                                           Case{"left unclipped",
                                                Left,
                                                TextLayout::Top,
                                                false,
                                                kBox,
                                                {104, 200, kBox},
                                                {106, 203, kBox}},
                                           Case{"right",
                                                Right,
                                                TextLayout::Top,
                                                true,
                                                kBox,
                                                {263, 200, {93, 200, 300, 240}},
                                                {267, 203, kBox}},
                                           Case{"right unclipped",
                                                Right,
                                                TextLayout::Top,
                                                false,
                                                kBox,
                                                {263, 200, kBox},
                                                {267, 203, kBox}},
                                           Case{"centre centre",
                                                Center,
                                                TextLayout::Center,
                                                true,
                                                kBox,
                                                {185, 212, {97, 200, 303, 240}},
                                                {184, 212, kBox}},
                                           Case{"justified bottom",
                                                Justify,
                                                TextLayout::Bottom,
                                                true,
                                                kBox,
                                                {104, 225, {97, 200, 303, 240}},
                                                {106, 225, kBox}},
                                           Case{"unknown codes",
                                                kUnknownAlignment,
                                                kUnknownLayout,
                                                true,
                                                kBox,
                                                {104, 200, {100, 200, 307, 240}},
                                                {106, 203, kBox}},
                                           Case{"narrow centre",
                                                Center,
                                                TextLayout::Center,
                                                false,
                                                kNarrow,
                                                {-9, -3, kNarrow},
                                                {-10, -3, kNarrow}}),
                         test::LabelName());

// "ABC" measures 30 and half a blank is 2; the PDF draws its 1800
// thousandths of the em at the point size (24 pixels at 10 points, 48 at 20,
// 33.6 at 14).
TEST(DrawnExtent, TheNarrowestBoxEveryOutputEndsTheTextIn) {
    const struct {
        const char* label;
        TextAlignment alignment;
        int points;
        int extent;
    } cases[] = {
        {"left: the canvas starts half a blank in", TextAlignment::Left, 10, 32},
        {"left: the PDF is wider at 20 points", TextAlignment::Left, 20, 48},
        {"left: a part of a pixel counts whole", TextAlignment::Left, 14, 34},
        {"justified as left", TextAlignment::Justify, 20, 48},
        {"centre: the measured width when the PDF is narrower", TextAlignment::Center, 10, 30},
        {"centre: twice the PDF's width less the measured one", TextAlignment::Center, 20, 66},
        {"right: its end does not move with the box", TextAlignment::Right, 20, 30},
    };
    FixedMetrics metrics;
    for (const auto& c : cases) {
        Font font;
        font.set_size(c.points);
        EXPECT_EQ(DrawnExtent(font, c.alignment, metrics)("ABC"), c.extent) << c.label;
    }
}

}  // namespace
}  // namespace tarvek::report
