// Barcode controls: patterns, sizes, bitmaps, the data binding, and symbols
// read back by an independent barcode reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "data/memory_table.h"
#include "report/barcode.h"
#include "report/report.h"
#include "report/text_metrics.h"

namespace tarvek::report {
namespace {

// A valid bank-slip code: its fifth digit is the general check digit.
const std::string kBoletoCode = "23799965600000350001234092400000000100123450";

// The general check digit of a 44-digit bank-slip code: modulo 11 over the
// other 43 digits, weights 2 to 9 from the right; 0, 10 and 11 give 1.
char boleto_check_digit(const std::string& code) {
    const std::string digits = code.substr(0, 4) + code.substr(5);
    int sum = 0, weight = 2;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    const int dv = 11 - sum % 11;
    return dv == 0 || dv >= 10 ? '1' : static_cast<char>('0' + dv);
}

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};
const Rgb kRed{255, 0, 0};

Rgb pixel(const Picture& p, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * p.width() + x) * 3;
    return {p.rgb()[at], p.rgb()[at + 1], p.rgb()[at + 2]};
}

int count_pixels(const Picture& p, const Rgb& colour) {
    int n = 0;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) n += pixel(p, x, y) == colour;
    }
    return n;
}

// The bars of one row: the colour of each column.
std::string row_of(const Picture& p, int y) {
    std::string row;
    for (int x = 0; x < p.width(); ++x) row += pixel(p, x, y) == kBlack ? '#' : '.';
    return row;
}

// The first column with a pixel that is not white in rows [top, bottom).
int first_ink_column(const Picture& p, int top, int bottom) {
    for (int x = 0; x < p.width(); ++x) {
        for (int y = top; y < bottom; ++y) {
            if (pixel(p, x, y) != kWhite) return x;
        }
    }
    return -1;
}

// The pattern a freshly made control builds for `text`.
TRLBarcodePattern pattern_of(TRLBarcodeType type, const std::string& text, bool check = false) {
    TRLDBBarcode b("b");
    b.SetBarcodeType(type);
    b.SetCheckSum(check);
    return b.BuildPattern(text);
}

// A report over an in-memory table of bank-slip codes, with one detail band
// holding a barcode set up as the boleto layouts set theirs.
struct BoletoDoc {
    TRLReport report{"Relatorio"};
    MemoryTable table{"qryBoleto"};
    TDataSource source{"dtsBoleto", &table};
    TRLBand* band = nullptr;
    TRLDBBarcode* barcode = nullptr;
    std::vector<std::string> messages;

    explicit BoletoDoc(FieldDef field = {
                           .name = "CODBARRAS", .type = FieldType::Text, .size = 44}) {
        table.declare_field(std::move(field));
        report.DataSource = &source;
        report.ShowProgress = false;
        report.SetTitle("Teste");
        set_message_handler([this](const std::string& text) { messages.push_back(text); });
        FormatSettings::set_current(
            FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
        band = &report.Add(std::make_unique<TRLBand>("RLBand2"));
        band->SetHeight(100);
        barcode = &band->Add(std::make_unique<TRLDBBarcode>("RLDBBarcode1"));
        barcode->SetBounds(16, 20, 90, 47);
        barcode->SetDataSource(&source);
        barcode->SetDataField("CODBARRAS");
        barcode->SetRatio(3.0);
    }
    ~BoletoDoc() {
        set_message_handler(nullptr);
        FormatSettings::set_current(FormatSettings::from_environment());
    }
    void rows(const std::vector<std::string>& codes) {
        for (const std::string& c : codes) table.append({c});
        table.open();
    }
    std::vector<GraphicObject> images(int page) {
        std::vector<GraphicObject> found;
        for (const GraphicObject& o : report.Pages()->page(page)->objects()) {
            if (o.kind == ObjectKind::Image) found.push_back(o);
        }
        return found;
    }
};

// --- patterns ----------------------------------------------------------------

TEST(BarcodePattern, ElementWidthsFollowModuleAndRatio) {
    const struct {
        TRLBarcodeType type;
        int module;
        double ratio;
        TRLBarcodeWidths widths;
    } cases[] = {
        {bcCode2OF5Interleaved, 1, 3.0, {1, 3, 4, 6}},
        {bcCode2OF5Interleaved, 3, 3.0, {3, 9, 13, 18}},
        {bcCode2OF5Interleaved, 1, 2.0, {1, 2, 3, 4}},
        // wide = Module × Ratio rounded with halves to even.
        {bcCode128B, 1, 2.5, {1, 2, 3, 4}},
        {bcCode128B, 3, 2.5, {3, 8, 12, 16}},
        {bcCode128B, 5, 2.5, {5, 12, 18, 24}},
        {bcCode128B, 2, 1.5, {2, 3, 4, 6}},
    };
    for (const auto& c : cases) {
        TRLDBBarcode b("b");
        b.SetBarcodeType(c.type);
        b.SetModule(c.module);
        b.SetRatio(c.ratio);
        const TRLBarcodeWidths w = b.BuildPattern("12").widths;
        EXPECT_EQ(w.narrow, c.widths.narrow) << c.module << " " << c.ratio;
        EXPECT_EQ(w.wide, c.widths.wide) << c.module << " " << c.ratio;
        EXPECT_EQ(w.wide_and_half, c.widths.wide_and_half) << c.module << " " << c.ratio;
        EXPECT_EQ(w.double_wide, c.widths.double_wide) << c.module << " " << c.ratio;
    }
}

TEST(BarcodePattern, RatioIsCorrectedPerSymbologyAndWrittenBack) {
    const struct {
        TRLBarcodeType type;
        double set, kept;
    } cases[] = {
        {bcCode2OF5Interleaved, 1.5, 2.0},
        {bcCode2OF5Interleaved, 3.5, 3.0},
        {bcCode2OF5Interleaved, 2.5, 2.5},
        {bcCode2OF5Matrix, 2.0, 2.25},
        {bcCode2OF5Matrix, 3.2, 3.0},
        {bcCode39, 1.0, 2.0},
        {bcCodaBar, 4.0, 3.0},
        {bcEAN13, 1.5, 2.0},
        {bcUPC_Supp5, 3.5, 3.0},
        {bcCode128B, 1.5, 1.5},
        {bcCode93, 4.0, 4.0},
        {bcMSI, 1.2, 1.2},
        {bcPostNet, 5.0, 5.0},
        {bcEAN128C, 1.5, 1.5},
    };
    for (const auto& c : cases) {
        TRLDBBarcode b("b");  // auto-sized: setting builds a pattern at once
        b.SetBarcodeType(c.type);
        b.SetRatio(c.set);
        EXPECT_DOUBLE_EQ(b.Ratio(), c.kept) << BarcodeTypeInfo(c.type).Name << " " << c.set;
    }
    // With AutoSize off only building a pattern corrects it.
    TRLDBBarcode fixed("fixed");
    fixed.SetAutoSize(false);
    fixed.SetRatio(1.5);
    EXPECT_DOUBLE_EQ(fixed.Ratio(), 1.5);
    fixed.BuildPattern("1234");
    EXPECT_DOUBLE_EQ(fixed.Ratio(), 2.0);
}

TEST(BarcodePattern, PropertyDefaultsAndIgnoredValues) {
    TRLDBBarcode b("b");
    EXPECT_EQ(b.BarcodeType(), bcCode2OF5Interleaved);
    EXPECT_EQ(b.Module(), 1);
    EXPECT_DOUBLE_EQ(b.Ratio(), 2.0);
    EXPECT_EQ(b.BarColor(), clBlack);
    EXPECT_EQ(b.ShowText(), boNone);
    EXPECT_EQ(b.Orientation(), boLeftToRight);
    EXPECT_FALSE(b.CheckSum());
    EXPECT_EQ(b.CheckSumMethod(), cmModule10);
    EXPECT_EQ(b.InvalidCode(), icEmptyRect);
    EXPECT_DOUBLE_EQ(b.Margins().LeftMargin, 1.0);
    EXPECT_DOUBLE_EQ(b.Margins().RightMargin, 1.0);
    EXPECT_DOUBLE_EQ(b.Margins().TopMargin, 0.0);
    EXPECT_DOUBLE_EQ(b.Margins().BottomMargin, 0.0);
    EXPECT_TRUE(b.AutoSize());
    EXPECT_EQ(b.Height(), 34);
    EXPECT_TRUE(b.GrowsWidth());

    for (int ignored : {0, 50, -3}) {
        b.SetModule(ignored);
        EXPECT_EQ(b.Module(), 1) << ignored;
    }
    b.SetModule(49);
    EXPECT_EQ(b.Module(), 49);

    b.SetDataField("CODBARRAS");
    b.SetDataFormula("'1' + CODBARRAS");
    EXPECT_EQ(b.DataField(), "");
    b.SetDataField("CODBARRAS");
    EXPECT_EQ(b.DataFormula(), "");
    b.SetDataFormula("");  // an empty formula leaves the field alone
    EXPECT_EQ(b.DataField(), "CODBARRAS");
}

TEST(BarcodeInterleaved, ExactPatterns) {
    // 1 = 10001 on the bars, 2 = 01001 on the spaces.
    const std::string pair12 = "6051505061";
    const struct {
        std::string text;
        std::string pattern;
    } cases[] = {
        {"", "5050605"},
        {"12", "5050" + pair12 + "605"},
        {"123", "5050" + pair12 + "605"},  // an odd last digit is dropped
        {" 12\t", "5050" + pair12 + "605"},
        // 0 = 00110, 9 = 01010
        {"09",
         "5050"
         "5051606150"
         "605"},
    };
    for (const auto& c : cases) {
        const TRLBarcodePattern p = pattern_of(bcCode2OF5Interleaved, c.text);
        EXPECT_EQ(p.elements, c.pattern) << '"' << c.text << '"';
        EXPECT_FALSE(p.invalid) << '"' << c.text << '"';
    }
    // 43 digits: 21 pairs and the last digit lost.
    const TRLBarcodePattern odd = pattern_of(bcCode2OF5Interleaved, kBoletoCode.substr(0, 43));
    EXPECT_EQ(odd.elements.size(), 4 + 21 * 10 + 3);
    EXPECT_EQ(odd.elements, pattern_of(bcCode2OF5Interleaved, kBoletoCode.substr(0, 42)).elements);
}

TEST(BarcodeInterleaved, NonDigitsReadAsZeroAndMakeTheCodeInvalid) {
    std::string with_letter = kBoletoCode;
    with_letter[10] = 'X';
    std::string as_zero = kBoletoCode;
    as_zero[10] = '0';
    const TRLBarcodePattern p = pattern_of(bcCode2OF5Interleaved, with_letter);
    EXPECT_TRUE(p.invalid);
    EXPECT_EQ(p.elements, pattern_of(bcCode2OF5Interleaved, as_zero).elements);
}

TEST(BarcodePattern, SpecifiedStructuresOfOtherSymbologies) {
    const struct {
        TRLBarcodeType type;
        std::string text;
        std::string pattern;
    } cases[] = {
        // 1 = 10001: wide bars "60", narrow "50".
        {bcCode2OF5Industry, "1",
         "606050"
         "6050505060"
         "605060"},
        // Bar, space, bar, space, bar of 10001, then a narrow space.
        {bcCode2OF5Matrix, "1",
         "705050"
         "60506"
         "0"
         "70505"},
        // 1 = 0001, check digit 8 = 1000 (1 doubled is 2, 10 - 2).
        {bcMSI, "1",
         "60"
         "51515160"
         "60515151"
         "515"},
        // 1 = short short short full full, each with a wide space.
        {bcPostNet, "1",
         "51"
         "A1A1A15151"
         "5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pattern_of(c.type, c.text).elements, c.pattern) << BarcodeTypeInfo(c.type).Name;
    }
}

TEST(BarcodePattern, InvalidCharactersAreSkipped) {
    const TRLBarcodePattern code39 = pattern_of(bcCode39, "A*b1");
    EXPECT_TRUE(code39.invalid);
    EXPECT_EQ(code39.elements, pattern_of(bcCode39, "A1").elements);
    EXPECT_FALSE(pattern_of(bcCode39, "A1").invalid);

    EXPECT_TRUE(pattern_of(bcCode128A, "ab").invalid);  // set A has no lower case
    EXPECT_FALSE(pattern_of(bcCode128B, "ab").invalid);
    EXPECT_TRUE(pattern_of(bcCodaBar, "12A3").invalid);  // A is a start character

    // EAN texts longer than the symbol give no pattern at all.
    const TRLBarcodePattern long_ean8 = pattern_of(bcEAN8, "123456789");
    EXPECT_TRUE(long_ean8.invalid);
    EXPECT_EQ(long_ean8.elements, "");
    EXPECT_FALSE(pattern_of(bcEAN8, "1234567").invalid);
    EXPECT_TRUE(pattern_of(bcEAN13, "12345678901234").invalid);
    EXPECT_FALSE(pattern_of(bcEAN13, "1234567890128").invalid);
    EXPECT_TRUE(pattern_of(bcEAN13, "1234567890128", true).invalid);  // 12 + check at most
}

// --- size ------------------------------------------------------------------------

TEST(BarcodeSize, BoletoCodeSizesTheControlAroundItsLeft) {
    TRLDBBarcode b("b");
    b.SetBounds(16, 975, 90, 47);
    b.SetRatio(3.0);
    const TRLBarcodePattern p = b.BuildPattern(kBoletoCode);
    EXPECT_EQ(p.widths.narrow, 1);
    EXPECT_EQ(p.widths.wide, 3);
    EXPECT_EQ(p.TotalWidth(), 4 + 22 * 18 + 5);

    b.SetCaption(kBoletoCode);
    EXPECT_EQ(b.Width(), 414);
    EXPECT_EQ(b.Left(), 16);
    EXPECT_EQ(b.Height(), 47);

    b.SetCaption("");
    EXPECT_EQ(b.Width(), 18);  // start and stop, 1, and the two margins

    // Drawn left and right borders add Borders.Width + 1 each.
    b.SetCaption(kBoletoCode);
    b.Borders().SetWidth(2);
    b.Borders().SetDrawLeft(true);
    b.Borders().SetDrawRight(true);
    EXPECT_EQ(b.Width(), 414 + 3 + 3);
    b.Borders().SetDrawTop(true);
    EXPECT_EQ(b.Height(), 47);

    // Vertical orientations measure the pattern along the height.
    b.Borders().SetSides(sdNone);
    b.SetOrientation(boBottomToTop);
    EXPECT_EQ(b.Height(), 414);
    EXPECT_EQ(b.Width(), 414);  // the width it had

    TRLDBBarcode fixed("fixed");
    fixed.SetAutoSize(false);
    fixed.SetBounds(5, 5, 90, 47);
    fixed.SetCaption(kBoletoCode);
    EXPECT_EQ(fixed.Width(), 90);
}

// --- bitmap ----------------------------------------------------------------------

TEST(BarcodeBitmap, BarsFollowThePatternAndNeverStretch) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    const Picture p = b.RenderBitmap("12", 30, 10);
    ASSERT_EQ(p.width(), 30);
    ASSERT_EQ(p.height(), 10);
    // 5050 6051505061 605 at widths 1 and 2: 17 columns, then background.
    const std::string bars = "#.#.##.#..#.#.##..##.#";
    const std::string expected = bars + std::string(30 - bars.size(), '.');
    EXPECT_EQ(row_of(p, 0), expected);
    EXPECT_EQ(row_of(p, 9), expected);

    b.SetAlignment(taRightJustify);
    EXPECT_EQ(row_of(b.RenderBitmap("12", 30, 10), 5), std::string(30 - bars.size(), '.') + bars);
    b.SetAlignment(taCenter);
    EXPECT_EQ(row_of(b.RenderBitmap("12", 30, 10), 5),
              std::string(4, '.') + bars + std::string(4, '.'));

    // Bars in their own colour over the control's colour.
    b.SetAlignment(taLeftJustify);
    b.SetBarColor(0xFF0000);  // blue
    b.SetColor(0x00FFFF);     // yellow
    const Picture coloured = b.RenderBitmap("12", 30, 10);
    EXPECT_EQ(pixel(coloured, 0, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(coloured, 1, 0), (Rgb{255, 255, 0}));
    EXPECT_EQ(pixel(coloured, 29, 9), (Rgb{255, 255, 0}));
}

TEST(BarcodeBitmap, ShortBarsTakeTheLowerTwoFifths) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetBarcodeType(bcPostNet);
    // "1": frame bar, wide space, then short bars at columns 3, 6 and 9.
    const Picture p = b.RenderBitmap("1", 40, 20);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(pixel(p, 0, y), kBlack) << y;                         // full bar
        EXPECT_EQ(pixel(p, 3, y), y >= 20 - 8 ? kBlack : kWhite) << y;  // 20 × 2 / 5 = 8
    }
}

TEST(BarcodeBitmap, InvalidCodesFollowInvalidCode) {
    std::string with_letter = kBoletoCode;
    with_letter[20] = 'K';
    const struct {
        TRLBarcodeInvalidCode option;
        bool bars, cross;
    } cases[] = {
        {icEmptyRect, false, false},
        {icCrossOut, true, true},
        {icDrawAnyway, true, false},
    };
    for (const auto& c : cases) {
        TRLDBBarcode b("b");
        b.SetColor(clWhite);
        b.SetRatio(3.0);
        b.SetInvalidCode(c.option);
        const Picture p = b.RenderBitmap(with_letter, 406, 47);
        EXPECT_EQ(count_pixels(p, kBlack) > 0, c.bars) << c.option;
        EXPECT_EQ(count_pixels(p, kRed) > 0, c.cross) << c.option;
        if (c.cross) {
            // Both diagonals: near the corners of the bar area (406 × 47).
            EXPECT_EQ(pixel(p, 5, 5), kRed);
            EXPECT_EQ(pixel(p, 400, 5), kRed);
            EXPECT_EQ(pixel(p, 5, 41), kRed);
            EXPECT_EQ(pixel(p, 400, 41), kRed);
            EXPECT_NE(pixel(p, 200, 5), kRed);
        }
        if (c.bars && !c.cross) {
            // The letter drew as a 0.
            std::string as_zero = kBoletoCode;
            as_zero[20] = '0';
            EXPECT_EQ(row_of(p, 20), row_of(b.RenderBitmap(as_zero, 406, 47), 20));
        }
    }
    // A valid code draws whatever the option.
    TRLDBBarcode valid("valid");
    EXPECT_GT(count_pixels(valid.RenderBitmap(kBoletoCode, 406, 47), kBlack), 0);
}

TEST(BarcodeBitmap, BlankTextDrawsNoBarsButItsCaption) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetInvalidCode(icDrawAnyway);
    for (const std::string text : {"", "   "}) {
        EXPECT_EQ(count_pixels(b.RenderBitmap(text, 60, 40), kBlack), 0) << '"' << text << '"';
    }
    b.SetShowText(boType);
    const Picture p = b.RenderBitmap("", 200, 40);
    EXPECT_NE(first_ink_column(p, 0, 20), -1);  // the symbology's name
}

TEST(BarcodeBitmap, CaptionsTakeTheirLinesFromTheBarArea) {
    Font font;
    font.height = -11;
    const int lh = TextMetrics::instance().line_height(font);
    const int height = 60;
    const struct {
        TRLBarcodeTextOption option;
        TRLBarcodeType type;
        int bar_top, bar_bottom;
    } cases[] = {
        {boNone, bcCode2OF5Interleaved, 0, height},
        {boType, bcCode2OF5Interleaved, lh, height},
        {boCode, bcCode2OF5Interleaved, 0, height - lh / 2},
        {boBoth, bcCode2OF5Interleaved, lh, height - lh / 2},
        {boCode, bcPostNet, 0, height - lh},
    };
    for (const auto& c : cases) {
        TRLDBBarcode b("b");
        b.SetColor(clWhite);
        b.SetFont(font);
        b.SetBarcodeType(c.type);
        b.SetShowText(c.option);
        const Picture p = b.RenderBitmap("1234", 300, height);
        // Column 0 is the first full bar; the captions are centred on the
        // bars, so they leave it alone.
        int top = -1, bottom = -1;
        for (int y = 0; y < height; ++y) {
            if (pixel(p, 0, y) == kBlack) {
                if (top < 0) top = y;
                bottom = y + 1;
            }
        }
        EXPECT_EQ(top, c.bar_top) << c.option;
        EXPECT_EQ(bottom, c.bar_bottom) << c.option;
        const bool type_caption = c.option == boType || c.option == boBoth;
        const bool code_caption = c.option == boCode || c.option == boBoth;
        // Outside the bar area only a caption can leave ink.
        const auto ink_in = [&](int from, int to) {
            for (int y = from; y < to; ++y) {
                for (int x = 0; x < p.width(); ++x) {
                    if (pixel(p, x, y) != kWhite) return true;
                }
            }
            return false;
        };
        EXPECT_EQ(ink_in(0, c.bar_top), type_caption) << c.option;
        EXPECT_EQ(ink_in(c.bar_bottom, height), code_caption) << c.option;
    }
}

TEST(BarcodeBitmap, TrailingBlanksAreEncodedTrimmedButCaptionedAsTheyAre) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetShowText(boCode);
    b.SetAlignment(taCenter);  // room on both sides: no caption is cut off
    const Picture plain = b.RenderBitmap("123456", 200, 50);
    const Picture padded = b.RenderBitmap("123456    ", 200, 50);
    EXPECT_EQ(row_of(padded, 5), row_of(plain, 5));  // same bars
    const int lh = TextMetrics::instance().line_height(b.GetFont());
    const int blanks = TextMetrics::instance().text_width(b.GetFont(), "    ");
    // Below the bars, which end half a line above the bottom.
    const int plain_ink = first_ink_column(plain, 50 - lh / 2, 50);
    const int padded_ink = first_ink_column(padded, 50 - lh / 2, 50);
    ASSERT_GT(plain_ink, 0);
    // The untrimmed caption is wider, so its centred text starts further left.
    EXPECT_NEAR(plain_ink - padded_ink, blanks / 2.0, 1);
}

TEST(BarcodeBitmap, OrientationTurnsTheFinishedImage) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetAutoSize(false);
    b.SetBounds(0, 0, 40, 120);
    b.SetMargins({0, 0, 0, 0});
    b.SetCaption("12");
    const Picture flat = b.RenderBitmap("12", 120, 40);

    const struct {
        TRLBarcodeOrientation orientation;
        bool start_at_bottom;
    } cases[] = {{boBottomToTop, true}, {boTopToBottom, false}};
    for (const auto& c : cases) {
        b.SetOrientation(c.orientation);
        GraphicSurface surface;
        b.InternalPrint(surface);
        ASSERT_EQ(surface.objects().size(), 1u);
        const GraphicObject& image = surface.objects()[0];
        EXPECT_EQ(image.bounds, (Rect{0, 0, 40, 120}));
        const Picture turned = Picture::from_tagged_data(image.picture.tagged_data());
        ASSERT_EQ(turned.width(), 40);
        ASSERT_EQ(turned.height(), 120);
        for (int x = 0; x < 120; ++x) {
            for (int y = 0; y < 40; ++y) {
                const Rgb want = pixel(flat, x, y);
                const Rgb got =
                    c.start_at_bottom ? pixel(turned, y, 119 - x) : pixel(turned, 39 - y, x);
                ASSERT_EQ(got, want) << c.orientation << " at " << x << "," << y;
            }
        }
    }
}

TEST(BarcodeBitmap, InternalPrintPlacesOneImageInsideMarginsAndBorders) {
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetTransparent(false);
    b.SetAutoSize(false);
    b.SetBounds(10, 20, 100, 40);
    b.Borders().SetSides(sdAll);
    b.Borders().SetWidth(2);
    b.SetMargins({1.0, 0.5, 1.0, 0.5});  // 4 and 2 pixels
    b.SetCaption("12");
    GraphicSurface surface;
    b.InternalPrint(surface);
    // Background, four borders, then the picture.
    ASSERT_EQ(surface.objects().size(), 6u);
    EXPECT_EQ(surface.objects()[0].kind, ObjectKind::FillRect);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(surface.objects()[i].kind, ObjectKind::Rectangle);
    const GraphicObject& image = surface.objects()[5];
    EXPECT_EQ(image.kind, ObjectKind::Image);
    EXPECT_FALSE(image.parity);
    EXPECT_EQ(image.bounds, (Rect{10 + 2 + 4, 20 + 2 + 2, 110 - 2 - 4, 60 - 2 - 2}));

    // Margins that leave no area: only the common part.
    b.SetMargins({15.0, 0, 15.0, 0});
    GraphicSurface empty;
    b.InternalPrint(empty);
    EXPECT_EQ(empty.objects().size(), 5u);
}

// --- in a report -------------------------------------------------------------------

TEST(BarcodeReport, BoletoBarcodeOfEachRecord) {
    BoletoDoc doc;
    const std::string second = "74893977300000250001124200005407100212345102";
    doc.rows({kBoletoCode, second});
    std::vector<Rect> printed;
    doc.barcode->AfterPrint = [&](TRLCustomControl& c) { printed.push_back(c.BoundsRect()); };
    ASSERT_TRUE(doc.report.Prepare()) << (doc.messages.empty() ? "" : doc.messages[0]);

    ASSERT_EQ(printed.size(), 2u);
    for (const Rect& r : printed) EXPECT_EQ(r, (Rect{16, 20, 16 + 414, 20 + 47}));

    const std::vector<GraphicObject> images = doc.images(0);
    ASSERT_EQ(images.size(), 2u);
    const int band_left = doc.band->Left();
    std::vector<std::string> rows;
    for (const GraphicObject& image : images) {
        EXPECT_EQ(image.bounds.left, band_left + 16 + 4);
        EXPECT_EQ(image.bounds.width(), 406);
        EXPECT_EQ(image.bounds.height(), 47);
        const Picture p = Picture::from_tagged_data(image.picture.tagged_data());
        ASSERT_EQ(p.width(), 406);
        ASSERT_EQ(p.height(), 47);
        for (int y = 0; y < 47; ++y) ASSERT_EQ(pixel(p, 405, y), kWhite) << y;
        EXPECT_EQ(pixel(p, 404, 0), kBlack);  // the stop's last bar
        rows.push_back(row_of(p, 10));
    }
    EXPECT_NE(rows[0], rows[1]);  // each record its own code
    // The same bars as the code rendered on its own.
    doc.barcode->SetCaption(second);
    EXPECT_EQ(rows[1], row_of(doc.barcode->RenderBitmap(second, 406, 47), 10));
}

TEST(BarcodeReport, EmptyCodeAndSummaryBandDrawNoBars) {
    BoletoDoc doc;
    auto& summary = doc.report.Add(std::make_unique<TRLBand>("RLBand3"));
    summary.BandType = btSummary;
    summary.SetHeight(60);
    auto& after_end = summary.Add(std::make_unique<TRLDBBarcode>("RLDBBarcode2"));
    after_end.SetDataSource(&doc.source);
    after_end.SetDataField("CODBARRAS");
    after_end.SetRatio(3.0);
    after_end.SetInvalidCode(icDrawAnyway);
    std::vector<int> widths;
    doc.barcode->AfterPrint = [&](TRLCustomControl& c) { widths.push_back(c.Width()); };
    after_end.AfterPrint = [&](TRLCustomControl& c) { widths.push_back(c.Width()); };
    doc.rows({""});
    ASSERT_TRUE(doc.report.Prepare());

    EXPECT_EQ(widths, (std::vector<int>{18, 18}));
    const std::vector<GraphicObject> images = doc.images(0);
    ASSERT_EQ(images.size(), 2u);
    for (const GraphicObject& image : images) {
        EXPECT_EQ(count_pixels(Picture::from_tagged_data(image.picture.tagged_data()), kBlack), 0);
    }
}

TEST(BarcodeReport, FixedLengthFieldIsCaptionedWithItsBlanks) {
    BoletoDoc doc({.name = "CODBARRAS", .type = FieldType::Text, .size = 12, .fixed_char = true});
    doc.barcode->SetShowText(boCode);
    std::vector<std::string> captions;
    int width = 0;
    doc.barcode->AfterPrint = [&](TRLCustomControl& c) {
        captions.push_back(static_cast<TRLDBBarcode&>(c).Caption());
        width = c.Width();
    };
    doc.rows({"123456      "});  // as the database hands a CHAR(12) over
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0], "123456      ");
    // Encoded trimmed: 3 pairs, not an invalid code with blanks read as 0.
    const Picture p = doc.images(0).at(0).picture;
    EXPECT_GT(count_pixels(p, kBlack), 0);
    EXPECT_EQ(width, 4 + 3 * 18 + 5 + 1 + 8);
}

TEST(BarcodeReport, MissingDataFieldStopsPreparing) {
    const struct {
        const char* locale;
        std::string prefix;
    } cases[] = {
        {"pt_BR.UTF-8", "N\xE3o encontrado"},
        {"en_US.UTF-8", "Not found"},
    };
    for (const auto& c : cases) {
        BoletoDoc doc;
        FormatSettings::set_current(FormatSettings::for_locale(c.locale, c.locale, c.locale));
        doc.barcode->SetDataField("CODBARRA");
        doc.rows({kBoletoCode});
        EXPECT_FALSE(doc.report.Prepare());
        ASSERT_EQ(doc.messages.size(), 1u);
        EXPECT_NE(doc.messages[0].find("EDatabaseError(" + c.prefix +
                                       ": RLDBBarcode1.DataField \"CODBARRA\")"),
                  std::string::npos)
            << doc.messages[0];
    }
}

TEST(BarcodeReport, TextComesOnlyFromAnOpenDatasetWhilePreparing) {
    BoletoDoc doc;
    doc.rows({kBoletoCode});
    EXPECT_EQ(doc.barcode->MakeText(), "");  // not preparing

    std::vector<std::string> texts;
    doc.barcode->BeforePrint = [&](TRLCustomControl& c, bool&) {
        texts.push_back(static_cast<TRLDBBarcode&>(c).MakeText());
    };
    ASSERT_TRUE(doc.report.Prepare());
    EXPECT_EQ(texts, std::vector<std::string>{kBoletoCode});

    // BeforePrint can suppress the barcode.
    doc.barcode->BeforePrint = [](TRLCustomControl&, bool& print_it) { print_it = false; };
    ASSERT_TRUE(doc.report.Prepare());
    EXPECT_TRUE(doc.images(0).empty());

    // A closed dataset gives an empty text, even for an unknown field.
    doc.barcode->BeforePrint = nullptr;
    doc.barcode->SetDataField("NADA");
    doc.table.close();
    ASSERT_TRUE(doc.report.Prepare());
    EXPECT_TRUE(doc.messages.empty());
}

TEST(BarcodeReport, FormulaJoinsFieldsAndTexts) {
    BoletoDoc doc({.name = "BANCO", .type = FieldType::Integer});
    doc.table.declare_field({.name = "NOSSO", .type = FieldType::Text, .size = 10});
    doc.table.append({std::int64_t{237}, std::string("12345")});
    doc.table.open();
    std::vector<std::string> captions;
    doc.barcode->AfterPrint = [&](TRLCustomControl& c) {
        captions.push_back(static_cast<TRLDBBarcode&>(c).Caption());
    };
    const struct {
        std::string formula;
        std::string text;
    } cases[] = {
        {"BANCO + '9' + nosso", "237912345"},
        {"BANCO + 3", "240"},
        {"\"00\"+BANCO", "00237"},
    };
    for (const auto& c : cases) {
        captions.clear();
        doc.barcode->SetDataFormula(c.formula);
        EXPECT_EQ(doc.barcode->DataField(), "");
        ASSERT_TRUE(doc.report.Prepare()) << c.formula;
        EXPECT_EQ(captions, std::vector<std::string>{c.text}) << c.formula;
    }
    doc.barcode->SetDataFormula("BANCO + OUTRO");
    EXPECT_FALSE(doc.report.Prepare());
    ASSERT_FALSE(doc.messages.empty());
    EXPECT_NE(doc.messages.back().find("RLDBBarcode1.DataFormula \"OUTRO\""), std::string::npos)
        << doc.messages.back();
}

// --- read back by an independent reader --------------------------------------------

bool have_zbarimg() {
    return std::system("command -v zbarimg >/dev/null 2>&1") == 0;
}

// Writes `p` enlarged `scale` times by pixel replication, inside a white
// quiet zone of `quiet` pixels, as a binary PPM file.
void write_ppm(const std::string& path, const Picture& p, int scale, int quiet) {
    const int w = p.width() * scale + 2 * quiet;
    const int h = p.height() * scale + 2 * quiet;
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << w << " " << h << "\n255\n";
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = (x - quiet) / scale, sy = (y - quiet) / scale;
            const bool inside = x >= quiet && y >= quiet && sx < p.width() && sy < p.height();
            const Rgb c = inside ? pixel(p, sx, sy) : kWhite;
            out.put(static_cast<char>(c.r)).put(static_cast<char>(c.g)).put(static_cast<char>(c.b));
        }
    }
}

// What the reader finds in the file with only the symbologies named in
// `enable` (separated by blanks) switched on; empty when it finds nothing.
std::string zbar_read(const std::string& path, const std::string& enable) {
    std::string command = "zbarimg --nodbus --raw -q -Sdisable";
    std::istringstream names(enable);
    for (std::string name; names >> name;) command += " -S" + name + ".enable";
    command += " '" + path + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

std::string temp_file(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("tarvek-barcode-" + std::to_string(::getpid()) + "-" + name + ".ppm"))
        .string();
}

TEST(BarcodeDecode, BoletoCodeReadsBack) {
    if (!have_zbarimg()) GTEST_SKIP() << "zbarimg is not installed";
    ASSERT_EQ(boleto_check_digit(kBoletoCode), kBoletoCode[4]);

    const struct {
        const char* name;
        int module;
        int scale;
    } cases[] = {
        {"module3", 3, 1}, {"module1x3", 1, 3},  // 96 dpi replicated to about 300 dpi
    };
    for (const auto& c : cases) {
        TRLDBBarcode b("b");
        b.SetColor(clWhite);
        b.SetModule(c.module);
        b.SetRatio(3.0);
        const int width = b.BuildPattern(kBoletoCode).TotalWidth() + 1;
        const Picture p = b.RenderBitmap(kBoletoCode, width, c.module == 1 ? 47 : 150);
        const std::string path = temp_file(c.name);
        write_ppm(path, p, c.scale, 40);
        EXPECT_EQ(zbar_read(path, "i25"), kBoletoCode) << c.name;
        std::filesystem::remove(path);
    }

    // The reader agrees that a damaged code is no longer this one.
    TRLDBBarcode b("b");
    b.SetColor(clWhite);
    b.SetModule(3);
    b.SetRatio(3.0);
    std::string other = kBoletoCode;
    other[30] = other[30] == '9' ? '0' : static_cast<char>(other[30] + 1);
    const std::string path = temp_file("other");
    write_ppm(path, b.RenderBitmap(other, 1300, 150), 1, 40);
    EXPECT_EQ(zbar_read(path, "i25"), other);
    std::filesystem::remove(path);
}

TEST(BarcodeDecode, OtherSymbologiesReadBack) {
    if (!have_zbarimg()) GTEST_SKIP() << "zbarimg is not installed";
    // Every character of each set at least once where the reader allows.
    const struct {
        TRLBarcodeType type;
        bool check_sum;
        std::string text;
        const char* symbology;
        std::string read;
    } cases[] = {
        {bcCode39, false, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "code39",
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        {bcCode39, true, "CODE39", "code39", "CODE39W"},  // check character W
        {bcCode39Extended, false, "a!:@~", "code39", "+A/A/Z%V%S"},
        {bcCode93, false, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "code93",
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        {bcCode93Extended, false, "Code 93 {a}", "code93", "Code 93 {a}"},
        {bcCode128B, false, " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         "code128", " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {bcCode128B, false, "[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~", "code128",
         "[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"},
        {bcCode128A, false, "CODE 128A\t", "code128", "CODE 128A\t"},
        {bcCode128C, false,
         "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
         "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
         "888990919293949596979899",
         "code128",
         "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
         "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
         "888990919293949596979899"},
        {bcCode128C, false, "12345", "code128", "12345"},
        {bcEAN128C, false, "0112345678901231", "code128", "0112345678901231"},
        {bcEAN128B, true, "10ABC123", "code128", "10ABC1233"},
        {bcCodaBar, false, "0123456789-$:/.+", "codabar", "A0123456789-$:/.+B"},
        {bcEAN13, true, "789100031550", "ean13", "7891000315507"},
        {bcEAN13, false, "4006381333931", "ean13", "4006381333931"},
        {bcEAN8, true, "9638507", "ean8", "96385074"},
        {bcUPC_A, true, "03600029145", "ean13 upca", "036000291452"},
        {bcUPC_E0, true, "425261", "upce", "04252614"},
        {bcUPC_Supp2, false, "53", "ean2", "53"},
        {bcUPC_Supp5, false, "52495", "ean5", "52495"},
    };
    int index = 0;
    for (const auto& c : cases) {
        TRLDBBarcode b("b");
        b.SetColor(clWhite);
        b.SetBarcodeType(c.type);
        b.SetModule(2);
        b.SetCheckSum(c.check_sum);
        const TRLBarcodePattern pattern = b.BuildPattern(c.text);
        ASSERT_FALSE(pattern.invalid) << c.text;
        const std::string path = temp_file("sym" + std::to_string(index++));
        write_ppm(path, b.RenderBitmap(c.text, pattern.TotalWidth() + 1, 80), 2, 60);
        EXPECT_EQ(zbar_read(path, c.symbology), c.read)
            << BarcodeTypeInfo(c.type).Name << " " << c.text;
        std::filesystem::remove(path);
    }
}

}  // namespace
}  // namespace tarvek::report
