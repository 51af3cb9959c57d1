#include "report/qrcode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "report/filters.h"
#include "report/pdf_filter.h"
#include "tests/report_doc.h"
#include "tests/test_tools.h"

namespace tarvek::report {
namespace {

// A 3 × 3 symbol drawn in 11 modules, quiet zone included: whole rows of
// dark modules are one rectangle each; every module has the same whole
// number of pixels, and what is left over centres the symbol.
TEST(QrRectangles, RunsOfDarkModulesPerRowInWholePixels) {
    QrModules modules;
    modules.size = 3;
    modules.dark = {true,  true,  false,  //
                    false, false, false,  //
                    true,  false, true};
    const struct {
        const char* label;
        int side;
        std::vector<Rect> rectangles;
    } cases[] = {
        {"two pixels a module", 22, {{18, 8, 22, 10}, {18, 12, 20, 14}, {22, 12, 24, 14}}},
        {"one pixel a module, centred by 2", 16, {{16, 6, 18, 7}, {16, 8, 17, 9}, {18, 8, 19, 9}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qr_rectangles(modules, 10, 0, c.side), c.rectangles) << c.label;
    }
}

TEST(QrEncode, LevelMSymbolOfAPixPayload) {
    const QrModules modules = encode_qr(std::string(132, 'A'));
    // A QR code's side is 17 + 4 × its version; the finder patterns' corners.
    ASSERT_EQ(modules.size % 4, 1);
    const int last = modules.size - 1;
    EXPECT_TRUE(modules.at(0, 0));
    EXPECT_TRUE(modules.at(0, last));
    EXPECT_TRUE(modules.at(last, 0));
    EXPECT_FALSE(modules.at(7, 7));
    EXPECT_THROW(encode_qr(std::string(3000, 'A')), Error);
}

// The version a symbol is drawn in: its own, unless its whole modules leave
// it under the minimum side; then the first larger one that reaches it.
TEST(QrVersion, FirstVersionWhoseWholeModulesReachTheMinimum) {
    const struct {
        const char* label;
        int natural, side, minimum, version;
    } cases[] = {
        {"no minimum", 7, 90, 0, 7},
        {"2-pixel modules reach it", 7, 147, 84, 7},
        {"1-pixel modules of version 7 are 53 pixels", 7, 90, 84, 15},
        {"version 4 is 82 pixels in 2-pixel modules", 4, 100, 84, 5},
        {"3-pixel modules", 1, 100, 84, 1},
        {"too many modules for the side", 18, 90, 84, 0},
        {"no version reaches it", 7, 83, 84, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qr_version_for(c.natural, c.side, c.minimum), c.version) << c.label;
    }
}

bool have_tools() {
    return std::system(
               "command -v zbarimg >/dev/null 2>&1 && command -v pdftoppm >/dev/null 2>&1") == 0;
}

// The QR code written into a PDF reads back, at 300 and at 150 dpi, as the
// field's text, in its own version and in the larger one a minimum side
// asks for; a row with an empty field prints no QR code.
TEST(QrPdf, ReadsBackFromTheRenderedPage) {
    if (!have_tools()) GTEST_SKIP() << "zbarimg or pdftoppm is not installed";
    const struct {
        const char* label;
        std::string text;
        int side;
        int minimum_side;
        int symbol_width;  // pixels, quiet zone apart
    } cases[] = {
        {"its own version 8, 1-pixel modules",
         "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-4266554400005204000053039865802BR"
         "5913Fulano de Tal6008BRASILIA62070503***63041D3D",
         90, 0, 49},
        // Version 4 would be 41 × 2 = 82 pixels with its quiet zone.
        {"version 5 for 84 pixels, 2-pixel modules", std::string(55, 'A'), 100, 84, 37 * 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        test::ReportDoc doc;
        TRLPDFFilter filter;
        doc.report.SaveFilter = &filter;
        doc.build(
            {band("banda", 0, 0, 718, 200,
                  {qrcode("qrPix", 10, 10, c.side, c.side, "NOME").minimum_side(c.minimum_side)})});
        doc.table.append({c.text});
        doc.table.append({""});
        doc.table.open();
        test::TempDir dir;
        const std::string pdf = dir.file("qr.pdf");
        doc.report.SaveToFile(pdf);

        // The empty row's band draws nothing at all.
        int rectangles_first = 0, rectangles_second = 0;
        int left = 1 << 20, right = 0;
        for (const GraphicObject& o : doc.report.Pages()->page(0)->objects()) {
            if (o.kind != ObjectKind::FillRect) continue;
            (o.bounds.top < 200 ? rectangles_first : rectangles_second)++;
            if (o.brush.color != MetaColor{0, 0, 0}) continue;
            left = std::min(left, o.bounds.left);
            right = std::max(right, o.bounds.right);
        }
        EXPECT_GT(rectangles_first, 30);
        EXPECT_EQ(rectangles_second, 0);
        EXPECT_EQ(right - left, c.symbol_width);

        for (const int dpi : {300, 150}) {
            const std::string png = dir.file("qr" + std::to_string(dpi));
            std::ostringstream render;
            render << "pdftoppm -r " << dpi << " -f 1 -l 1 -singlefile -png '" << pdf << "' '"
                   << png << "'";
            test::run_command(render.str());
            const auto read =
                test::run_command("zbarimg --nodbus --raw -q -Sdisable -Sqrcode.enable '" + png +
                                  ".png' 2>/dev/null");
            EXPECT_EQ(read.output, c.text + "\n") << dpi << " dpi";
        }
    }
}

}  // namespace
}  // namespace tarvek::report
