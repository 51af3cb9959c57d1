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
    const OutlineMetrics& outline(const std::string&, unsigned) override {
        throw std::logic_error("placing a text needs no outline");
    }
    std::string font_file(const std::string&, unsigned) override {
        throw std::logic_error("placing a text needs no font file");
    }
};

enum class Rule { Pdf, Canvas };

struct Case {
    std::string label;
    Rule rule;
    TextAlignment alignment;
    TextLayout layout;
    bool clipped;
    Rect bounds;
    int x, top;
    Rect clip;
};

class TextPlacement : public ::testing::TestWithParam<Case> {};

// "ABC" measures 30, with a blank 35; a blank halved is 2 and "1" is 7 wide.
// The origin lies 4 right of and 3 below the bounds' corner.
TEST_P(TextPlacement, PlacesByItsRule) {
    const Case& c = GetParam();
    GraphicObject text;
    text.kind = ObjectKind::Text;
    text.bounds = c.bounds;
    text.origin = {c.bounds.left + 4, c.bounds.top + 3};
    text.alignment = c.alignment;
    text.layout = c.layout;
    text.text_flags = c.clipped ? tfNeverBreak : tfNoClip | tfNeverBreak;
    FixedMetrics metrics;
    const TextPlace place = c.rule == Rule::Pdf ? pdf_text_place(text, "ABC", Font{}, metrics)
                                                : canvas_text_place(text, "ABC", Font{}, metrics);
    EXPECT_EQ(place.x, c.x);
    EXPECT_EQ(place.top, c.top);
    EXPECT_EQ(place.line_height, 15);
    EXPECT_EQ(place.clip, c.clip);
}

using enum TextAlignment;
constexpr Rect kBox{100, 200, 300, 240};
// Narrower than the text, and odd: halves round towards zero.
constexpr Rect kNarrow{0, 0, 11, 9};
const auto kUnknownAlignment = static_cast<TextAlignment>(7);
const auto kUnknownLayout = static_cast<TextLayout>(9);

INSTANTIATE_TEST_SUITE_P(
    Rules, TextPlacement,
    ::testing::Values(
        // The PDF writer: the width of "1" beside the text, the bounds' top.
        Case{"pdf left top",
             Rule::Pdf,
             Left,
             TextLayout::Top,
             true,
             kBox,
             104,
             200,
             {100, 200, 307, 240}},
        Case{"pdf right",
             Rule::Pdf,
             Right,
             TextLayout::Top,
             true,
             kBox,
             263,
             200,
             {93, 200, 300, 240}},
        Case{"pdf right unclipped", Rule::Pdf, Right, TextLayout::Top, false, kBox, 263, 200, kBox},
        Case{"pdf centre centre",
             Rule::Pdf,
             Center,
             TextLayout::Center,
             true,
             kBox,
             185,
             212,
             {97, 200, 303, 240}},
        Case{"pdf justified bottom",
             Rule::Pdf,
             Justify,
             TextLayout::Bottom,
             true,
             kBox,
             104,
             225,
             {97, 200, 303, 240}},
        Case{"pdf left unclipped", Rule::Pdf, Left, TextLayout::Top, false, kBox, 104, 200, kBox},
        Case{"pdf unknown codes",
             Rule::Pdf,
             kUnknownAlignment,
             kUnknownLayout,
             true,
             kBox,
             104,
             200,
             {100, 200, 307, 240}},
        Case{"pdf narrow centre", Rule::Pdf, Center, TextLayout::Center, false, kNarrow, -9, -3,
             kNarrow},
        // The printer and the preview: half a blank ahead, the origin's y.
        Case{"canvas left top", Rule::Canvas, Left, TextLayout::Top, true, kBox, 106, 203, kBox},
        Case{"canvas right", Rule::Canvas, Right, TextLayout::Top, true, kBox, 267, 203, kBox},
        Case{"canvas centre centre", Rule::Canvas, Center, TextLayout::Center, false, kBox, 184,
             212, kBox},
        Case{"canvas justified bottom", Rule::Canvas, Justify, TextLayout::Bottom, true, kBox, 106,
             225, kBox},
        Case{"canvas unknown codes", Rule::Canvas, kUnknownAlignment, kUnknownLayout, true, kBox,
             106, 203, kBox},
        Case{"canvas narrow centre", Rule::Canvas, Center, TextLayout::Center, false, kNarrow, -10,
             -3, kNarrow}),
    test::LabelName());

}  // namespace
}  // namespace tarvek::report
