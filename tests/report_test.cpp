// Page generation, control layout and drawing of the report engine, seen
// through the page dumps a person can read.
#include <gtest/gtest.h>

#include "tests/golden.h"
#include "tests/report_doc.h"

#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "data/memory_table.h"
#include "report/layout.h"
#include "report/report.h"
#include "report/text_metrics.h"

namespace tarvek::report {
namespace {

using test::expect_golden;
using test::read_file;

int line_height(int px) {
    Font f;
    f.height = -px;
    return TextMetrics::instance().line_height(f);
}

int text_width(int px, const std::string& text) {
    Font f;
    f.height = -px;
    return TextMetrics::instance().text_width(f, text);
}

// The shared report fixture, in a Brazilian locale.
struct Doc : test::ReportDoc {
    Doc() {
        FormatSettings::set_current(
            FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
    }
    ~Doc() { FormatSettings::set_current(FormatSettings::from_environment()); }
    const GraphicSurface& page(int index) {
        const GraphicSurface* p = report.Pages()->page(index);
        EXPECT_NE(p, nullptr) << "page " << index;
        return *p;
    }
    int pages() { return report.Pages()->page_count(); }
    // Text objects of a page whose text starts with `prefix`.
    std::vector<const GraphicObject*> texts(int page_index, const std::string& prefix) {
        std::vector<const GraphicObject*> found;
        for (const GraphicObject& o : page(page_index).objects()) {
            if (o.kind == ObjectKind::Text && o.text.rfind(prefix, 0) == 0) found.push_back(&o);
        }
        return found;
    }
};

TEST(ReportModel, UnitsAndFontSizes) {
    const struct {
        double mm;
        int px;
    } lengths[] = {{10, 38},    {9, 34},    {210, 794},
                   {297, 1123}, {148, 559}, {0.5 * 25.4 / 96 * 1, 0}};
    for (const auto& c : lengths) EXPECT_EQ(mm_to_pixels(c.mm), c.px) << c.mm;
    // 2.5 px and 3.5 px both round to even.
    EXPECT_EQ(mm_to_pixels(2.5 * 25.4 / 96), 2);
    EXPECT_EQ(mm_to_pixels(3.5 * 25.4 / 96), 4);

    const struct {
        int height;
        int size;
    } fonts[] = {{-13, 10}, {-11, 8},  {-9, 7},   {-8, 6},   {-12, 9},
                 {-16, 12}, {-17, 13}, {-21, 16}, {-24, 18}, {-7, 5}};
    for (const auto& c : fonts) {
        Font f;
        f.height = c.height;
        EXPECT_EQ(f.size(), c.size) << c.height;
    }
    Font f;
    f.set_size(7);
    EXPECT_EQ(f.height, -9);
}

TEST(ReportModel, PaperFollowsPageSetup) {
    TRLReport report("r");
    EXPECT_EQ(report.Width(), 794);
    EXPECT_EQ(report.Height(), 1123);
    report.PageSetup().SetPaperHeight(148);  // ignored while A4
    EXPECT_EQ(report.Height(), 1123);
    report.PageSetup().SetPaperSize(fpCustom);
    report.PageSetup().SetPaperHeight(148);
    EXPECT_EQ(report.Height(), 559);
    report.PageSetup().SetOrientation(poLandscape);
    EXPECT_EQ(report.Width(), 559);
    EXPECT_EQ(report.Height(), 794);
    report.SetHeight(100);  // the paper decides
    EXPECT_EQ(report.Height(), 794);
}

TEST(ReportModel, PropertySideEffects) {
    TRLImage img("img");
    img.SetStretch(true);
    img.SetScaled(true);
    EXPECT_FALSE(img.Stretch());
    img.SetStretch(true);
    EXPECT_FALSE(img.Scaled());

    TRLLabel l("l");
    l.Borders().SetSides(sdAll);
    EXPECT_TRUE(l.Borders().DrawLeft() && l.Borders().DrawBottom());
    l.Borders().SetDrawTop(false);
    EXPECT_EQ(l.Borders().Sides(), sdCustom);
    l.Borders().SetFixedBottom(true);
    l.Borders().SetDrawBottom(false);  // clearing a side clears its fixed flag
    EXPECT_FALSE(l.Borders().FixedBottom());
    l.Borders().SetFixedLeft(true);
    EXPECT_TRUE(l.Borders().DrawLeft());
    l.Borders().SetWidth(-3);
    EXPECT_EQ(l.Borders().Width(), 1);

    TRLReport report("r");
    report.SetTitle("Boleto");
    EXPECT_EQ(report.JobTitle, "Boleto");  // followed the title
    report.JobTitle = "outro";
    report.SetTitle("Novo");
    EXPECT_EQ(report.JobTitle, "outro");
}

TEST(ReportLayout, AlignmentChangedAfterJoiningASiteTakesEffect) {
    TRLPanel panel("painel");
    panel.SetBounds(0, 0, 200, 100);
    auto& label = panel.Add(std::make_unique<TRLLabel>("rotulo"));
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 50, 12);

    label.SetAlign(faClient);
    EXPECT_EQ(label.BoundsRect(), (Rect{0, 0, 200, 100}));
    panel.SetBounds(0, 0, 300, 120);
    EXPECT_EQ(label.BoundsRect(), (Rect{0, 0, 300, 120}));

    // Once no child is aligned, a resized site leaves its children alone.
    label.SetAlign(faNone);
    label.SetBounds(10, 10, 50, 12);
    panel.SetBounds(0, 0, 400, 150);
    EXPECT_EQ(label.BoundsRect(), (Rect{10, 10, 60, 22}));

    auto& bottom = panel.Add(std::make_unique<TRLLabel>("rodape"));
    bottom.SetAutoSize(false);
    bottom.SetBounds(0, 0, 40, 20);
    bottom.SetAlign(faBottom);
    EXPECT_EQ(bottom.BoundsRect(), (Rect{0, 130, 400, 150}));
}

TEST(ReportLayout, AutoSizedLabelMeasuresItsCaptionAndKeepsItsAnchor) {
    Doc doc;
    doc.build({band("banda", 38, 38, 718, 100,
                    {label("direita", 600, 10, 100, 12, "x").font(9).right(),
                     label("esquerda", 10, 10, 100, 12, "x").font(9),
                     label("centro", 300, 10, 101, 12, "x").font(9).centered(),
                     label("vazio", 10, 40, 100, 12, "").font(9).borders(kLeft | kRight)})});
    auto& right = doc.find<TRLLabel>("direita");
    for (const char* caption : {"Vencimento", "Local de pagamento muito mais comprido", "R$"}) {
        right.SetCaption(caption);
        EXPECT_EQ(right.Left() + right.Width(), 700) << caption;
        EXPECT_EQ(right.Width(), text_width(9, std::string(caption) + " ")) << caption;
        EXPECT_EQ(right.Height(), line_height(9));
    }
    auto& left = doc.find<TRLLabel>("esquerda");
    left.SetCaption("Vencimento");
    EXPECT_EQ(left.Left(), 10);

    // A centred control rounds its width up to even and centres it.
    auto& centre = doc.find<TRLLabel>("centro");
    centre.SetCaption("abc");
    int w = text_width(9, "abc ");
    if (w % 2) ++w;
    EXPECT_EQ(centre.Width(), w);
    EXPECT_EQ(centre.Left(), 300 + (101 - w) / 2);

    // An empty caption still measures one blank, plus the border allowance.
    auto& empty = doc.find<TRLLabel>("vazio");
    empty.SetCaption("");
    EXPECT_EQ(empty.Width(), text_width(9, " ") + 2 * 2);
}

// Loading a layout is a state of its report: while one report declares its
// controls (writes only store values), a label of another report sizes
// itself as always, and the loading report's controls size themselves again
// once the declaration is over.
TEST(ReportLayout, LayoutLoadingBelongsToItsReport) {
    TRLReport loading("carregando");
    TRLReport other("outro");
    auto& band_of_other = other.Add(std::make_unique<TRLBand>("banda"));
    auto& label_of_other = band_of_other.Add(std::make_unique<TRLLabel>("rotulo"));
    auto& label_of_loading = loading.Add(std::make_unique<TRLLabel>("carregado"));
    label_of_loading.SetBounds(10, 10, 5, 5);
    {
        const TRLCustomReport::LayoutLoading scope(loading);
        label_of_other.SetCaption("Vencimento");
        EXPECT_EQ(label_of_other.Width(), text_width(13, "Vencimento ")) << "sized at once";
        label_of_loading.SetCaption("Vencimento");
        EXPECT_EQ(label_of_loading.Width(), 5) << "only stored while loading";
    }
    label_of_loading.SetCaption("Local");
    EXPECT_EQ(label_of_loading.Width(), text_width(13, "Local "));

    TRLPanel alone("avulso");
    EXPECT_THROW(build_layout(alone, {label("x", 0, 0, 10, 10, "x")}, nullptr), std::logic_error);
}

// A design told as differences from another: the base below stands for a
// bank's boleto, the edits for another bank's table of differences.
std::vector<ControlDesign> base_design() {
    return {band("banda", 38, 38, 718, 100,
                 {label("titulo", 10, 4, 60, 16, "Recibo").font(13),
                  panel("grade", 1, 30, 716, 60,
                        {label("rotulo", 8, 3, 52, 12, "Vencimento").font(9),
                         dbtext("valor", 600, 14, 97, 14, "VALORBOLETO").font(11).right()}),
                  label("rodape", 10, 92, 60, 12, "Fim").font(9)})};
}

std::vector<std::string> names(const std::vector<ControlDesign>& designs) {
    std::vector<std::string> out;
    for (const ControlDesign& d : designs) {
        out.push_back(d.name);
        for (const std::string& child : names(d.children)) out.push_back(d.name + "/" + child);
    }
    return out;
}

TEST(ReportLayout, DesignsToldAsDifferences) {
    std::vector<ControlDesign> d = base_design();
    change_design(d, "left, content", label("titulo", 20, 4, 60, 16, "Recibo do pagador").font(13));
    change_design(d, "top, height, borders", panel("grade", 1, 32, 716, 62).borders(kAll));
    remove_designs(d, {"rotulo"});
    add_designs(d, "grade", {label("uso", 10, 3, 61, 12, "Uso do banco").font(9)});
    add_designs(d, "banda", {label("rotulo", 8, 96, 52, 12, "Vencimento").font(9)});

    // Changed controls keep their place in creation order, and a changed
    // container its children; added ones come after their parent's own.
    EXPECT_EQ(names(d),
              (std::vector<std::string>{"banda", "banda/titulo", "banda/grade", "banda/grade/valor",
                                        "banda/grade/uso", "banda/rodape", "banda/rotulo"}));
    EXPECT_EQ(find_design(d, "titulo").left, 20);
    EXPECT_EQ(find_design(d, "titulo").text, "Recibo do pagador");
    EXPECT_EQ(find_design(d, "grade").border_sides, unsigned{kAll});
    EXPECT_EQ(find_design(d, "rotulo").top, 96);

    Doc doc;
    doc.build(d);
    EXPECT_EQ(doc.find<TRLLabel>("uso").Parent()->Name(), "grade");
}

TEST(ReportLayout, DesignDifferencesThatDoNotHoldFailLoudly) {
    using Edit = void (*)(std::vector<ControlDesign>&);
    const struct {
        const char* label;
        Edit edit;
        const char* message;
    } cases[] = {
        {"change of an unknown control",
         [](auto& d) { change_design(d, "left", label("outro", 20, 4, 60, 16, "x")); },
         "layout: no control named outro"},
        {"undeclared difference",
         [](auto& d) {
             change_design(d, "left", label("titulo", 20, 5, 60, 16, "Recibo").font(13));
         },
         "layout: control titulo differs in top, which is not declared"},
        {"declared difference that is none",
         [](auto& d) {
             change_design(d, "left, font", label("titulo", 20, 4, 60, 16, "Recibo").font(13));
         },
         "layout: control titulo does not differ in font"},
        {"settings are 'other'",
         [](auto& d) {
             change_design(d, "left", label("titulo", 20, 4, 60, 16, "Recibo").font(13).right());
         },
         "layout: control titulo differs in other, which is not declared"},
        {"unknown aspect",
         [](auto& d) {
             change_design(d, "left, colour", label("titulo", 20, 4, 60, 16, "Recibo").font(13));
         },
         "layout: control titulo names an unknown aspect \"colour\""},
        {"another kind",
         [](auto& d) { change_design(d, "", dbtext("titulo", 10, 4, 60, 16, "X")); },
         "layout: control titulo changes its kind"},
        {"removal of an unknown control",
         [](auto& d) {
             remove_designs(d, {"rodape", "nada"});
         },
         "layout: no control named nada"},
        {"addition of a name in use",
         [](auto& d) { add_designs(d, "banda", {label("valor", 0, 0, 10, 10, "x")}); },
         "layout: a control named valor exists already"},
        {"addition to a control that holds none",
         [](auto& d) { add_designs(d, "rodape", {label("novo", 0, 0, 10, 10, "x")}); },
         "layout: rodape holds no controls"},
        {"addition to an unknown parent",
         [](auto& d) { add_designs(d, "painel", {label("novo", 0, 0, 10, 10, "x")}); },
         "layout: no control named painel"},
    };
    for (const auto& c : cases) {
        std::vector<ControlDesign> d = base_design();
        try {
            c.edit(d);
            ADD_FAILURE() << c.label << ": accepted";
        } catch (const std::logic_error& e) {
            EXPECT_STREQ(e.what(), c.message) << c.label;
        }
    }
}

// Lines end at blanks, or, for a code or a key, between any two characters
// with the blanks kept inside lines, so that the lines joined give the text
// back.
TEST(ReportLayout, WrapTextRules) {
    Font f;
    f.height = -11;
    const int word = text_width(11, "palavra");
    // Room for four digits, not five: a line ends half a blank in.
    const int four_digits = text_width(11, "0000") + text_width(11, " ");
    constexpr WrapAt kAny = WrapAt::AnyCharacter;
    struct Case {
        std::string text;
        int width;
        std::vector<std::string> lines;
        WrapAt wrap_at = WrapAt::Blanks;
    } cases[] = {
        {"", 100, {}},
        {"um\ndois", 1000, {"um", "dois"}},
        {"um\r\n\r\ndois", 1000, {"um", "", "dois"}},
        {"um\rdois\n", 1000, {"um", "dois"}},
        {"um\n\ndois", 1000, {"um", "", "dois"}},
        {"palavra palavra",
         word + 2,
         {"palavra ", "palavra"}},           // the blank stays with the first line
        {"palavra", word - 5, {"palavra"}},  // never broken, overflows
        {"a  b", 1000, {"a  b"}},
        {"", 100, {}, kAny},
        {"000201265800", four_digits, {"0002", "0126", "5800"}, kAny},
        {"00020", four_digits, {"0002", "0"}, kAny},
        // "00 0" would end the first line with a blank, "0 00" start the
        // second one with it: the break moves back until it is inside.
        {"000 0000", four_digits, {"00", "0 00", "00"}, kAny},
        {"00\r\n\r\n0000", four_digits, {"00", "", "0000"}, kAny},
        {"00\n", four_digits, {"00"}, kAny},
        // Narrower than a character: one a line, never none.
        {"000", 1, {"0", "0", "0"}, kAny},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapText(c.text, c.width, f, TextAlignment::Left, nullptr, c.wrap_at), c.lines)
            << "'" << c.text << "'";
    }
}

// A memo that shrinks to fit takes the largest font, a pixel at a time,
// whose lines fit its height; a text that does not fit even at the smallest
// fails the preparation rather than print cut.
TEST(ReportDrawing, MemoShrinksToFitItsHeight) {
    const std::string text(60, '0');
    const struct {
        const char* label;
        int height;
        int font_pixels;  // 0: does not fit
    } cases[] = {
        {"fits as designed", 3 * line_height(11), 11},
        // Two lines of 7 pixels hold it; at 8 pixels it takes three.
        {"shrinks", 2 * line_height(7), 7},
        {"too low", line_height(5) - 1, 0},
    };
    for (const auto& c : cases) {
        Doc doc;
        doc.build(
            {band("banda", 38, 38, 718, 200,
                  {memo("memo", 10, 20, text_width(11, std::string(20, '0')) + text_width(11, " "),
                        c.height, {text})
                       .font(11)
                       .fixed_size()
                       .breaks_anywhere()
                       .shrinks_to_fit(5)})});
        doc.rows(1);
        if (c.font_pixels == 0) {
            // The preparation fails with the memo named; no page is cut.
            EXPECT_FALSE(doc.report.Prepare()) << c.label;
            ASSERT_EQ(doc.messages.size(), 1u) << c.label;
            EXPECT_NE(doc.messages[0].find("memo: its text does not fit"), std::string::npos)
                << doc.messages[0];
            continue;
        }
        ASSERT_TRUE(doc.report.Prepare()) << c.label;
        std::string joined;
        for (const GraphicObject& o : doc.page(0).objects()) {
            if (o.kind != ObjectKind::Text) continue;
            EXPECT_EQ(o.font.height, -c.font_pixels) << c.label;
            EXPECT_LE(o.bounds.bottom, 38 + 20 + c.height) << c.label;
            joined += o.text;
        }
        EXPECT_EQ(joined, text) << c.label;
    }
}

TEST(ReportDrawing, FixedMemoEmitsOnlyTheLinesThatStartInside) {
    Doc doc;
    const int lh = line_height(11);
    doc.build({band("banda", 38, 38, 718, 200,
                    {memo("memo", 10, 20, 300, 3 * lh + 2, {"1", "2", "3", "4", "5", "6"})
                         .font(11)
                         .fixed_size()})});
    doc.rows(1);
    ASSERT_TRUE(doc.report.Prepare());
    std::vector<int> tops;
    for (const GraphicObject* o : doc.texts(0, "")) tops.push_back(o->origin.y);
    EXPECT_EQ(tops, (std::vector<int>{58, 58 + lh, 58 + 2 * lh, 58 + 3 * lh}));
}

TEST(ReportDrawing, GrowingDataMemoGrowsItsBandAndMovesABottomSibling) {
    Doc doc;
    const int lh = line_height(11);
    doc.build(
        {band("banda", 38, 38, 718, 100,
              {dbmemo("memo", 10, 10, 300, 12, "NOME").font(11),
               memo("rodape", 0, 80, 200, 20, {"fim"}).font(11).fixed_size().docked(faBottom)})});
    doc.table.append({std::string("um\ndois\ntres\nquatro\ncinco")});
    doc.table.append({std::string("so uma")});
    doc.table.open();
    ASSERT_TRUE(doc.report.Prepare());

    const int grown = 100 + (5 * lh - 12);
    const auto bottom = doc.texts(0, "fim");
    ASSERT_EQ(bottom.size(), 2u);
    EXPECT_EQ(bottom[0]->origin.y, 38 + grown - 20);
    // The second record starts again from the design height of the band.
    const auto second = doc.texts(0, "so uma");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0]->origin.y, 38 + grown + 10);
    // That record's memo has one line: its band grows by lh - 12 only.
    EXPECT_EQ(bottom[1]->origin.y, 38 + grown + 100 + (lh - 12) - 20);
    EXPECT_EQ(doc.find<TRLBand>("banda").Height(), 100);
    expect_golden("report_growing_memo.txt", dump_storage(*doc.report.Pages()));
}

TEST(ReportDrawing, DataMemoInsideAPanelGrowsNeitherPanelNorBand) {
    Doc doc;
    const int lh = line_height(11);
    doc.build(
        {band("banda", 38, 38, 718, 100,
              {panel("painel", 0, 0, 400, 50, {dbmemo("memo", 10, 10, 300, 12, "NOME").font(11)})
                   .borders(kAll),
               label("depois", 500, 90, 50, 12, "depois").font(9)})});
    doc.table.append({std::string("um\ndois\ntres\nquatro\ncinco")});
    doc.table.append({std::string("x")});
    doc.table.open();
    ASSERT_TRUE(doc.report.Prepare());
    // The second band starts right after a band of design height.
    const auto after = doc.texts(0, "depois");
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1]->origin.y - after[0]->origin.y, 100);
    // All five lines are drawn (the memo grew) though they overflow the panel.
    EXPECT_EQ(doc.texts(0, "cinco").size(), 1u);
    EXPECT_EQ(doc.texts(0, "cinco")[0]->origin.y, 38 + 10 + 4 * lh);
    // The panel's frame keeps its design size.
    int frames = 0;
    for (const GraphicObject& o : doc.page(0).objects()) {
        if (o.kind == ObjectKind::Rectangle && o.bounds == Rect{38, 38, 39, 88}) ++frames;
    }
    EXPECT_EQ(frames, 1);
}

TEST(ReportDrawing, PanelFrameAndFilledLabel) {
    Doc doc;
    doc.build({band("banda", 38, 38, 718, 100,
                    {panel("linha", 0, 30, 716, 1).borders(kTop),
                     label("cinza", 10, 40, 50, 12, "cinza").font(9).filled(clSilver)})});
    doc.rows(1);
    ASSERT_TRUE(doc.report.Prepare());
    const auto& objects = doc.page(0).objects();
    std::vector<std::string> kinds;
    kinds.reserve(objects.size());
    for (const GraphicObject& o : objects) kinds.push_back(object_class_name(o.kind));
    // band clip, band content clip, panel rule, fill then text of the label
    auto rule = std::find_if(objects.begin(), objects.end(), [](const GraphicObject& o) {
        return o.kind == ObjectKind::Rectangle;
    });
    ASSERT_NE(rule, objects.end());
    EXPECT_EQ(rule->bounds, (Rect{38, 68, 38 + 716, 69}));
    auto fill = std::find_if(objects.begin(), objects.end(),
                             [](const GraphicObject& o) { return o.kind == ObjectKind::FillRect; });
    ASSERT_NE(fill, objects.end());
    EXPECT_EQ(fill->brush.color, (MetaColor{0xC0, 0xC0, 0xC0}));
    auto text = std::find_if(objects.begin(), objects.end(),
                             [](const GraphicObject& o) { return o.kind == ObjectKind::Text; });
    ASSERT_NE(text, objects.end());
    EXPECT_LT(fill - objects.begin(), text - objects.begin());
    EXPECT_EQ(text->text_flags, 5u);
    expect_golden("report_panel_label.txt", dump_surface(doc.page(0)));
}

TEST(ReportGeneration, EmptyDatasetGivesOnePageWithTitleSummaryAndFooter) {
    for (bool open : {true, false}) {
        Doc doc;
        doc.build({band("titulo", 38, 38, 718, 40, {label("t", 0, 0, 50, 12, "TITULO").font(9)})
                       .type(btTitle),
                   band("detalhe", 38, 78, 718, 20, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)}),
                   band("resumo", 38, 98, 718, 20,
                        {label("s", 0, 0, 50, 12, "RESUMO").font(9),
                         dbtext("sd", 100, 0, 50, 12, "NOME").font(9)})
                       .type(btSummary),
                   band("rodape", 38, 118, 718, 20, {label("f", 0, 0, 50, 12, "RODAPE").font(9)})
                       .type(btFooter)});
        if (open) doc.table.open();
        ASSERT_TRUE(doc.report.Prepare());
        ASSERT_EQ(doc.pages(), 1) << "open " << open;
        EXPECT_EQ(doc.texts(0, "TITULO").size(), 1u);
        EXPECT_EQ(doc.texts(0, "RESUMO").size(), 1u);
        EXPECT_EQ(doc.texts(0, "RODAPE").size(), 1u);
        EXPECT_EQ(doc.report.DetailCount(), 0);
        // The footer sits at the bottom: 1123 - 38 - 20.
        EXPECT_EQ(doc.texts(0, "RODAPE")[0]->origin.y, 1065);
    }
}

TEST(ReportGeneration, SummaryDataTextIsEmptyPastTheLastRecord) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 20, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)}),
               band("resumo", 38, 58, 718, 20, {dbtext("sd", 0, 0, 50, 12, "NOME").font(9)})
                   .type(btSummary)});
    doc.rows(2);
    ASSERT_TRUE(doc.report.Prepare());
    const auto& objects = doc.page(0).objects();
    std::vector<std::string> texts;
    for (const GraphicObject& o : objects) {
        if (o.kind == ObjectKind::Text) texts.push_back(o.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"linha 1", "linha 2", ""}));
}

TEST(ReportGeneration, BandsThatExactlyFitStayOnThePage) {
    // Limit 1085; rows 38, 387, 736; 736 + 349 = 1085.
    for (const auto& [records, pages] :
         std::vector<std::pair<int, int>>{{3, 1}, {4, 2}, {6, 2}, {7, 3}}) {
        Doc doc;
        doc.build({band("detalhe", 38, 38, 718, 349, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
        doc.rows(records);
        ASSERT_TRUE(doc.report.Prepare());
        EXPECT_EQ(doc.pages(), pages) << records << " records";
    }
}

TEST(ReportGeneration, BandTallerThanAPagePrintsOncePerRecord) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 1200, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(2);
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_EQ(doc.pages(), 2);
    EXPECT_EQ(doc.texts(0, "linha 1").size(), 1u);
    EXPECT_EQ(doc.texts(1, "linha 2").size(), 1u);
}

TEST(ReportGeneration, ErrorOnTheThirdRecordKeepsTwoPagesAndOneMessage) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 1038, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(5);
    int calls = 0;
    doc.find<TRLBand>("detalhe").BeforePrint = [&](TRLCustomControl&, bool&) {
        if (++calls == 3) throw DatabaseError("qry: Field 'X' not found");
    };
    EXPECT_FALSE(doc.report.Prepare());
    EXPECT_EQ(doc.pages(), 2);
    ASSERT_EQ(doc.messages.size(), 1u);
    EXPECT_EQ(doc.messages[0],
              "Relatorio: Erro durante a prepara\xE7\xE3o do relat\xF3rio\r\nEDatabaseError(qry: "
              "Field 'X' not found)");
    EXPECT_EQ(doc.report.ReportState(), TRLCustomReport::State::Idle);
}

TEST(ReportGeneration, SuppressedBandNeitherAdvancesNorCounts) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 30, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(3);
    doc.find<TRLBand>("detalhe").BeforePrint = [&](TRLCustomControl&, bool& print_it) {
        print_it = doc.table.field_by_name("NOME").as_string() != "linha 2";
    };
    ASSERT_TRUE(doc.report.Prepare());
    EXPECT_EQ(doc.report.DetailCount(), 2);
    const auto third = doc.texts(0, "linha 3");
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0]->origin.y, 38 + 30);
}

TEST(ReportGeneration, FooterOfAShortPageSitsAtTheSameRowOnEveryPage) {
    Doc doc;
    doc.report.PageSetup().SetPaperSize(fpCustom);
    doc.report.PageSetup().SetPaperHeight(148);
    doc.report.Margins.TopMargin = 9;
    doc.report.Margins.BottomMargin = 9;
    doc.report.Borders().SetSides(sdAll);
    doc.build({band("titulo", 38, 35, 718, 147, {label("t", 0, 0, 50, 12, "TITULO").font(9)})
                   .type(btTitle),
               band("detalhe", 38, 182, 718, 15, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)}),
               band("rodape", 38, 197, 718, 124, {label("f", 0, 0, 50, 12, "RODAPE").font(9)})
                   .type(btFooter)});
    doc.rows(40);
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_GE(doc.pages(), 3);
    for (int p = 0; p < doc.pages(); ++p) {
        const auto footer = doc.texts(p, "RODAPE");
        ASSERT_EQ(footer.size(), 1u) << "page " << p;
        EXPECT_EQ(footer[0]->origin.y, 400) << "page " << p;  // 559 - 35 - 124
    }
    // Detail rows run while 400 - row >= 15: rows 182 .. 385 on the first page.
    EXPECT_EQ(doc.texts(0, "linha").size(), 14u);
    EXPECT_EQ(doc.texts(1, "linha").size(), 24u);  // from row 35
}

TEST(ReportGeneration, ControlsOnTheReportPrintOnEveryPage) {
    Doc doc;
    doc.build({label("marca", 600, 5, 50, 12, "MARCA").font(9),
               band("detalhe", 38, 38, 718, 1038, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(3);
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_EQ(doc.pages(), 3);
    for (int p = 0; p < 3; ++p) {
        const auto mark = doc.texts(p, "MARCA");
        ASSERT_EQ(mark.size(), 1u);
        EXPECT_EQ(mark[0]->origin.y, 5);
        // beneath everything the bands draw
        EXPECT_EQ(&doc.page(p).objects()[0], mark[0]);
    }
}

TEST(ReportGeneration, CarbonCopiesAndFirstPageReadableAfterTheLast) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 1038, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.find<TRLBand>("detalhe").SetCarbonCopies(2);
    doc.rows(4);
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_EQ(doc.pages(), 8);
    GraphicStorage& pages = *doc.report.Pages();
    const std::string first = dump_surface(*pages.page(0));
    for (int p = 1; p < 8; ++p) ASSERT_NE(pages.page(p), nullptr);
    EXPECT_LE(pages.pages_in_memory(), GraphicStorage::kPagesInMemory);
    EXPECT_EQ(dump_surface(*pages.page(0)), first);
    EXPECT_EQ(macro_value(pages.macros, "LastPageNumber"), "8");
    EXPECT_EQ(macro_value(pages.page(7)->macros, "PageNo"), "8");
    EXPECT_EQ(macro_value(pages.macros, "PaperWidth"), "210.0000");
}

}  // namespace
}  // namespace tarvek::report

namespace tarvek::report {
namespace {

// A column header that does not fit under the title changes the page; the
// page it opens must not print that header again (it is the band that asked
// for the new page), or generation would never end.
TEST(ReportGeneration, BandThatCausedThePageChangeIsNotRepeatedByIt) {
    Doc doc;
    doc.build({band("titulo", 38, 38, 718, 500, {label("t", 0, 0, 50, 12, "TITULO").font(9)})
                   .type(btTitle),
               band("cabecalho", 38, 538, 718, 700, {label("c", 0, 0, 50, 12, "CABECALHO").font(9)})
                   .type(btColumnHeader),
               band("detalhe", 38, 1238, 718, 20, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(1);
    ASSERT_TRUE(doc.report.Prepare());
    ASSERT_EQ(doc.pages(), 2);
    EXPECT_EQ(doc.texts(0, "TITULO").size(), 1u);
    EXPECT_EQ(doc.texts(0, "CABECALHO").size(), 0u);
    ASSERT_EQ(doc.texts(1, "CABECALHO").size(), 1u);
    EXPECT_EQ(doc.texts(1, "CABECALHO")[0]->origin.y, 38);
    EXPECT_EQ(doc.texts(1, "linha 1").size(), 1u);
    EXPECT_EQ(doc.texts(1, "linha 1")[0]->origin.y, 38 + 700);
}

TEST(ReportGeneration, EachPreparationMakesAFreshPageCollection) {
    Doc doc;
    doc.build({band("detalhe", 38, 38, 718, 600, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(3);
    std::vector<std::shared_ptr<GraphicStorage>> shown;
    set_preview_opener(
        [&shown](std::shared_ptr<GraphicStorage> pages) { shown.push_back(std::move(pages)); });
    struct ResetOpener {
        ~ResetOpener() { set_preview_opener(nullptr); }
    } reset;

    ASSERT_TRUE(doc.report.Preview());
    ASSERT_TRUE(doc.report.Preview());
    ASSERT_EQ(shown.size(), 2u);
    // The first window keeps every page it counted while the second opens.
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0]->page_count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_NE(shown[0]->page(i), nullptr) << "page " << i;
    EXPECT_EQ(shown[1]->page_count(), 3);
}

TEST(ReportGeneration, ProgressRunsOverTheRecordCount) {
    struct Progress : ProgressSink {
        int* maximum;
        int* steps;
        Progress(int* m, int* s) : maximum(m), steps(s) {}
        void Start(const std::string&, int max) override { *maximum = max; }
        void Step(const std::string&) override { ++*steps; }
        bool Canceled() override { return false; }
        void Finish() override {}
    };
    int maximum = -1;
    int steps = 0;
    set_progress_factory([&] { return std::make_unique<Progress>(&maximum, &steps); });
    struct ResetFactory {
        ~ResetFactory() { set_progress_factory(nullptr); }
    } reset;

    Doc doc;
    doc.report.ShowProgress = true;
    doc.build({band("detalhe", 38, 38, 718, 20, {dbtext("d", 0, 0, 50, 12, "NOME").font(9)})});
    doc.rows(5);
    ASSERT_TRUE(doc.report.Prepare());
    EXPECT_EQ(maximum, 5);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(doc.texts(0, "linha").size(), 5u);  // counting moved no row
}

}  // namespace
}  // namespace tarvek::report
