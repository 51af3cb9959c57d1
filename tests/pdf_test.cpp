// PDF export: filter selection, the file the PDF filter writes, and what
// independent readers (qpdf, poppler) make of it.
#include <gtest/gtest.h>

#include <limits>

#include <stdlib.h>
#include "tests/golden.h"
#include "tests/report_doc.h"
#include "tests/test_tools.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "data/memory_table.h"
#include "report/engine_texts.h"
#include "report/filters.h"
#include "report/layout.h"
#include "report/pdf_filter.h"
#include "report/report.h"
#include "report/text_metrics.h"

namespace tarvek::report {
namespace {

using test::expect_golden;
using test::read_file;

constexpr const char* kFixedTime = "20240131235958";

using test::PdfWord;
using test::TempDir;

// Runs a shell command; returns its exit status and its output, errors included.
test::CommandResult run(const std::string& command) {
    return test::run_command(command + " 2>&1");
}

// qpdf accepts the file, and every cross-reference entry points at the start
// of its object.
void expect_sound_pdf(const std::string& path) {
    const auto [status, output] = run("qpdf --check '" + path + "'");
    EXPECT_EQ(status, 0) << output;

    const std::string pdf = read_file(path);
    const std::size_t startxref = pdf.rfind("startxref\r\n");
    ASSERT_NE(startxref, std::string::npos);
    const long long xref = std::stoll(pdf.substr(startxref + 11));
    ASSERT_EQ(pdf.compare(static_cast<std::size_t>(xref), 6, "xref\r\n"), 0);
    std::istringstream in(pdf.substr(static_cast<std::size_t>(xref) + 6));
    int first = -1, count = -1;
    in >> first >> count;
    ASSERT_EQ(first, 0);
    ASSERT_GT(count, 0);
    in.ignore(2);
    std::string entry(20, '\0');
    in.read(entry.data(), 20);
    EXPECT_EQ(entry, "0000000000 65535 f\r\n");
    for (int number = 1; number < count; ++number) {
        in.read(entry.data(), 20);
        ASSERT_EQ(entry.substr(10), " 00000 n\r\n") << "entry " << number;
        const std::size_t offset = std::stoull(entry.substr(0, 10));
        const std::string head = std::to_string(number) + " 0 obj";
        EXPECT_EQ(pdf.compare(offset, head.size(), head), 0)
            << "object " << number << " at " << offset;
    }
    EXPECT_EQ(pdf.substr(pdf.size() - 7), "%%EOF\r\n");
}

// The words the PDF reader finds on the first page, with their boxes in points
// from the top-left corner.
std::vector<PdfWord> words_of(const std::string& path) {
    const auto [status, output] = run("pdftotext -f 1 -l 1 -bbox '" + path + "' -");
    EXPECT_EQ(status, 0) << output;
    return test::parse_pdf_words(output);
}

const PdfWord* find_word(const std::vector<PdfWord>& words, const std::string& text) {
    for (const PdfWord& w : words) {
        if (w.text == text) return &w;
    }
    return nullptr;
}

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The shared report fixture, with its own PDF filter at a fixed time.
struct Doc : test::ReportDoc {
    TRLPDFFilter filter;
    TempDir dir;

    Doc() {
        filter.SetClock([] { return std::string(kFixedTime); });
        report.SaveFilter = &filter;
    }
    // Prepares and saves; returns the file's bytes.
    std::string save(const std::string& name) {
        const std::string path = dir.file(name);
        report.SaveToFile(path);
        return read_file(path);
    }
    const GraphicObject& text_object(const std::string& text) {
        for (const GraphicObject& o : report.Pages()->page(0)->objects()) {
            if (o.kind == ObjectKind::Text && o.text == text) return o;
        }
        throw std::runtime_error("no text object " + text);
    }
};

int width_of(const std::string& name, int points, unsigned style, const std::string& text) {
    Font f;
    f.name = name;
    f.style = style;
    f.set_size(points);
    return TextMetrics::instance().text_width(f, text);
}

Picture striped(int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool dark = (x / 4) % 2 == 0;
            rgb.push_back(dark ? 0 : 255);
            rgb.push_back(dark ? 0 : 200);
            rgb.push_back(dark ? 128 : 40);
        }
    }
    return Picture::from_rgb(width, height, std::move(rgb));
}

TEST(PdfNumbers, FourDecimalsWithoutTrailingZeros) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {842.25, "842.25"},
        {595.5, "595.5"},
        {0.75, "0.75"},
        {0, "0"},
        {-12.5, "-12.5"},
        {192 / 255.0, "0.7529"},
        {1, "1"},
        {100, "100"},
        {1020, "1020"},
        {0.00004, "0"},
        {-0.00004, "0"},
        {1234.56789, "1234.5679"},
        {794 * 0.75, "595.5"},
        {559 * 0.75, "419.25"},
        {-0.1, "-0.1"},
        {10.05, "10.05"},
        // Beyond what readers take, and what is no number at all.
        {32767.5, "32767"},
        {1e300, "32767"},
        {-1e300, "-32767"},
        {std::numeric_limits<double>::infinity(), "32767"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(pdf_number(c.value), c.text) << c.value;
}

TEST(PdfSaveFilter, ExtensionsItHandles) {
    const struct {
        const char* name;
        const char* extension;
        bool handled;
    } cases[] = {{"/tmp/a.pdf", ".pdf", true},
                 {"/tmp/a.b.PDF", ".PDF", true},
                 {"/tmp/x.y/semponto", ".", false},
                 {"semponto", ".", false},
                 {"fim.", ".", false},
                 {"c.Pdf", ".Pdf", true},
                 {"/tmp/x.pdfx", ".pdfx", false},
                 {"/tmp/pdf", ".", false}};
    const TRLPDFFilter filter;
    EXPECT_EQ(filter.DefaultExt(), ".pdf");
    for (const auto& c : cases) {
        EXPECT_EQ(file_extension(c.name), c.extension) << c.name;
        EXPECT_EQ(filter.HandlesFile(c.name), c.handled) << c.name;
    }
}

// Saving goes through the report's own filter, and a report that cannot
// save the file says so before a single record is read.
TEST(PdfSave, WithoutItsFilterTheReportFailsBeforePreparing) {
    TempDir dir;
    test::ReportDoc doc;
    doc.rows(3);
    doc.build({band("banda", 38, 38, 718, 40, {dbtext("d", 0, 0, 200, 20, "NOME").font(11)})});
    int records = 0;
    doc.find<TRLBand>("banda").BeforePrint = [&](TRLCustomControl&, bool&) { ++records; };
    TRLPDFFilter alive_but_not_named;

    try {
        doc.report.SaveToFile(dir.file("a.pdf"));
        ADD_FAILURE() << "saved without a filter";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "The report \"Relatorio\" has no save filter (saving \"" +
                                             dir.file("a.pdf") + "\")");
    }
    doc.report.SaveFilter = &alive_but_not_named;
    EXPECT_THROW(doc.report.SaveToFile(dir.file("a.xyz")), Error);
    EXPECT_EQ(records, 0);
    EXPECT_EQ(doc.report.ReportState(), TRLCustomReport::State::Idle);
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.pdf")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.xyz")));

    doc.report.SaveToFile(dir.file("a.pdf"));
    EXPECT_EQ(records, 3);
    EXPECT_EQ(alive_but_not_named.FileName, dir.file("a.pdf"));
    EXPECT_TRUE(std::filesystem::exists(dir.file("a.pdf")));
}

TEST(PdfSaveFilter, DisplayNameFollowsTheEngineLanguage) {
    const FormatSettings saved = FormatSettings::current();
    FormatSettings::set_current(
        FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
    EXPECT_EQ(TRLPDFFilter().DisplayName, "Documento PDF");
    FormatSettings::set_current(
        FormatSettings::for_locale("en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8"));
    EXPECT_EQ(TRLPDFFilter().DisplayName, "PDF Document");
    FormatSettings::set_current(saved);
}

// A filter that records what the common procedure asks of it.
class RecordingFilter : public TRLCustomFilter {
  public:
    std::vector<std::string> calls;
    int throw_on_page = 0;

  protected:
    void InternalBeginDoc() override { calls.push_back("begin"); }
    void InternalEndDoc() override { calls.push_back("end"); }
    void InternalNewPage() override { calls.push_back("new"); }
    void InternalDrawPage(const GraphicSurface& page) override {
        calls.push_back("page " + macro_value(page.macros, "PageNo"));
        if (std::stoi(macro_value(page.macros, "PageNo")) == throw_on_page)
            throw Error("falha na página");
    }
};

std::shared_ptr<GraphicStorage> numbered_pages(int count) {
    auto pages = std::make_shared<GraphicStorage>();
    for (int i = 1; i <= count; ++i) {
        auto page = std::make_unique<GraphicSurface>();
        page->width = 200;
        page->height = 100;
        set_macro(page->macros, "PageNo", std::to_string(i));
        pages->add(std::move(page));
    }
    return pages;
}

// A progress window that records its use and cancels at a given step.
struct ScriptedProgress : ProgressSink {
    struct Log {
        std::string caption;
        int maximum = -1;
        int steps = 0;
        int cancel_at = 0;
        bool finished = false;
    };
    explicit ScriptedProgress(Log& log) : log_(log) {}
    void Start(const std::string& caption, int maximum) override {
        log_.caption = caption;
        log_.maximum = maximum;
    }
    void Step(const std::string&) override { ++log_.steps; }
    bool Canceled() override { return log_.cancel_at > 0 && log_.steps >= log_.cancel_at; }
    void Finish() override { log_.finished = true; }
    Log& log_;
};

struct ProgressScope {
    ScriptedProgress::Log log;
    ProgressScope() {
        set_progress_factory([this] { return std::make_unique<ScriptedProgress>(log); });
    }
    ~ProgressScope() { set_progress_factory(nullptr); }
};

TEST(PdfFilterPages, RangeIsClippedAndPagesComeInOrder) {
    RecordingFilter filter;
    filter.FilterPages(numbered_pages(3), 0, 9);
    EXPECT_EQ(filter.calls, (std::vector<std::string>{"begin", "page 1", "new", "page 2", "new",
                                                      "page 3", "end"}));
    filter.calls.clear();
    filter.FilterPages(numbered_pages(3), 2, 2);
    EXPECT_EQ(filter.calls, (std::vector<std::string>{"begin", "page 2", "end"}));
}

TEST(PdfFilterPages, CancelStopsAfterTheCurrentPageAndStillEnds) {
    ProgressScope progress;
    progress.log.cancel_at = 2;
    RecordingFilter filter;
    filter.FilterPages(numbered_pages(4), 1, 4);
    EXPECT_EQ(filter.calls, (std::vector<std::string>{"begin", "page 1", "new", "page 2", "end"}));
    EXPECT_EQ(progress.log.caption, EngineTexts::current().saving);
    EXPECT_EQ(progress.log.maximum, 4);
    EXPECT_TRUE(progress.log.finished);

    // Without show progress no window is asked for, so nothing cancels.
    progress.log = {};
    progress.log.cancel_at = 1;
    filter.calls.clear();
    filter.ShowProgress = false;
    filter.FilterPages(numbered_pages(2), 1, 2);
    EXPECT_EQ(filter.calls.back(), "end");
    EXPECT_EQ(filter.calls.size(), 5u);
    EXPECT_EQ(progress.log.maximum, -1);
}

TEST(PdfFilterPages, FailingPageStillEndsTheDocumentThenRethrows) {
    ProgressScope progress;
    RecordingFilter filter;
    filter.throw_on_page = 2;
    try {
        filter.FilterPages(numbered_pages(3), 1, 3);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "falha na página");
    }
    EXPECT_EQ(filter.calls, (std::vector<std::string>{"begin", "page 1", "new", "page 2", "end"}));
    EXPECT_TRUE(progress.log.finished);
}

// A label with accents, parentheses, a backslash and a control byte; a
// right-aligned Arial 8 label ending at 700 px; a framed panel; Times New
// Roman bold and regular; a stretched picture.
void build_sample(Doc& doc) {
    doc.build({band(
        "banda", 38, 38, 718, 200,
        {label("benef", 10, 10, 200, 15, "Beneficiário (10%) a\\b").font(13),
         label("direita", 562, 10, 100, 12, "Valor 1.234,56").font(11).right().fixed_size(),
         panel("quadro", 0, 40, 400, 60,
               {label("negrito", 8, 6, 200, 20, "Negrito").font(16, "Times New Roman", fsBold),
                label("normal", 8, 30, 200, 20, "Normal").font(16, "Times New Roman")})
             .borders(kAll),
         image("logo", 450, 40, 60, 30).stretched()})});
    doc.find<TRLImage>("logo").SetPicture(striped(12, 6));
}

TEST(PdfDocument, TextsSitWhereTheWriterPutsThem) {
    Doc doc;
    doc.rows(1);
    build_sample(doc);
    const std::string path = doc.dir.file("amostra.pdf");
    doc.report.SaveToFile(path);
    expect_sound_pdf(path);
    const std::string pdf = read_file(path);

    // The right-aligned label ends at 700 px: x = 700 - width - width("1").
    const GraphicObject& right = doc.text_object("Valor 1.234,56");
    ASSERT_EQ(right.bounds.right, 700);
    ASSERT_EQ(right.font.size, 8);
    const int x = 700 - width_of("Arial", 8, 0, "Valor 1.234,56") - width_of("Arial", 8, 0, "1");
    const std::string td = "\r\n" + pdf_number(x * 0.75) + " ";
    EXPECT_NE(pdf.find(td), std::string::npos) << td;

    const std::vector<PdfWord> words = words_of(path);
    const PdfWord* valor = find_word(words, "Valor");
    ASSERT_NE(valor, nullptr);
    EXPECT_NEAR(valor->x_min, x * 0.75, 1.0);
    const PdfWord* amount = find_word(words, "1.234,56");
    ASSERT_NE(amount, nullptr);
    // Readers advance by the font's /Widths, not by our pixel measurements.
    const OutlineMetrics& arial = TextMetrics::instance().outline("Arial", 0);
    double advance = 0;
    for (unsigned char c : std::string("Valor 1.234,56")) advance += arial.widths[c] * 8 / 1000.0;
    EXPECT_NEAR(amount->x_max, x * 0.75 + advance, 0.5);

    // Left-aligned texts start at their origin; accented letters survive.
    const GraphicObject& benef = doc.text_object(utf8_to_cp1252("Beneficiário (10%) a\\b"));
    const PdfWord* word = find_word(words, "Beneficiário");
    ASSERT_NE(word, nullptr);
    EXPECT_NEAR(word->x_min, benef.origin.x * 0.75, 1.0);
    // The glyphs stand inside the label's box, top down.
    EXPECT_GE(word->y_min, benef.bounds.top * 0.75 - 1);
    EXPECT_LE(word->y_max, benef.bounds.bottom * 0.75 + 1);

    for (const char* name : {"negrito", "normal"}) {
        const GraphicObject& o =
            doc.text_object(name[0] == 'n' && name[1] == 'e' ? "Negrito" : "Normal");
        const PdfWord* w = find_word(words, o.text);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_NEAR(w->x_min, o.origin.x * 0.75, 1.0) << name;
        EXPECT_GE(w->y_min, o.bounds.top * 0.75 - 1) << name;
        EXPECT_LE(w->y_max, o.bounds.bottom * 0.75 + 1) << name;
    }

    const auto [status, output] =
        run("pdftoppm -r 72 -png '" + path + "' '" + doc.dir.file("pagina") + "'");
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(std::filesystem::exists(doc.dir.file("pagina-1.png")));
}

TEST(PdfDocument, SmallDocumentMatchesItsGoldenFile) {
    Doc doc;
    doc.rows(1);
    doc.report.PageSetup().SetPaperSize(fpCustom);
    doc.report.PageSetup().SetPaperWidth(100);
    doc.report.PageSetup().SetPaperHeight(60);
    doc.build({band(
        "banda", 38, 38, 302, 120,
        {label("benef", 4, 4, 150, 15, "Beneficiário (10%)").font(11),
         label("direita", 150, 4, 100, 12, "R$ 9,90").font(11).right().fixed_size(),
         panel("quadro", 0, 24, 200, 40,
               {label("negrito", 4, 4, 150, 20, "Sacado").font(16, "Times New Roman", fsBold)})
             .borders(kAll),
         image("logo", 220, 24, 8, 4).stretched()})});
    doc.find<TRLImage>("logo").SetPicture(striped(8, 2));
    doc.filter.ImageFormat = ifBitmap;
    doc.filter.DocumentInfo.Title = "Pequeno";
    doc.filter.DocumentInfo.Author = "Tarvek";
    const std::string path = doc.dir.file("pequeno.pdf");
    doc.report.SaveToFile(path);
    expect_sound_pdf(path);
    expect_golden("pdf_small.pdf", read_file(path));
}

TEST(PdfDocument, CustomPaperGivesItsMediaBoxToPagesAndTree) {
    Doc doc;
    doc.rows(1);
    doc.report.PageSetup().SetPaperSize(fpCustom);
    doc.report.PageSetup().SetPaperHeight(148);
    doc.build({band("banda", 38, 38, 718, 40, {label("a", 0, 0, 50, 12, "a").font(11)})});
    const std::string pdf = doc.save("condicional.pdf");
    expect_sound_pdf(doc.dir.file("condicional.pdf"));
    ASSERT_EQ(doc.report.Pages()->page(0)->height, 559);
    EXPECT_EQ(count_of(pdf, "/MediaBox [ 0 0 595.5 419.25 ]\r\n"), 2);  // page and tree
}

TEST(PdfDocument, EscapesDelimitersAndControlBytes) {
    Doc doc;
    doc.rows(1);
    doc.build({band(
        "banda", 38, 38, 718, 40,
        {label("a", 0, 0, 300, 12, "(10%)").font(11), label("b", 0, 20, 300, 12, "x").font(11)})});
    doc.find<TRLLabel>("b").SetCaption(std::string("a\\b\x01\x1f\x7f") + "\xe9" + "~");
    const std::string pdf = doc.save("escape.pdf");
    expect_sound_pdf(doc.dir.file("escape.pdf"));
    EXPECT_NE(pdf.find("\r\n(\\(10%\\)) Tj\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("\r\n(a\\\\b\\001\\037\\177\xe9~) Tj\r\n"), std::string::npos);
}

// A page of objects drawn directly, one font per text.
std::unique_ptr<GraphicSurface> page_of_texts(
    const std::vector<std::pair<std::string, unsigned>>& fonts) {
    auto page = std::make_unique<GraphicSurface>();
    page->width = 400;
    page->height = 300;
    int top = 10;
    for (const auto& [name, style] : fonts) {
        page->font.name = name;
        page->font.style = style;
        page->font.height = -16;
        page->text_out(Rect{10, top, 300, top + 20}, 10, top, name, TextAlignment::Left,
                       TextLayout::Top, 5);
        top += 25;
    }
    return page;
}

std::string write_pages(TRLPDFFilter& filter, const std::shared_ptr<GraphicStorage>& pages,
                        const std::string& path) {
    filter.FileName = path;
    filter.FilterPages(pages, 1, pages->page_count());
    return read_file(path);
}

TEST(PdfFonts, OneEntryPerNameAndStyleWithDescriptorsForNonStandardFonts) {
    TempDir dir;
    TRLPDFFilter filter;
    auto pages = std::make_shared<GraphicStorage>();
    pages->add(page_of_texts({{"Times New Roman", fsBold},
                              {"Times New Roman", 0},
                              {"times new roman", 0},
                              {"Helvetica", fsBold},
                              {"Arial", fsBold | fsItalic | fsUnderline | fsStrikeOut}}));
    const std::string path = dir.file("fontes.pdf");
    const std::string pdf = write_pages(filter, pages, path);
    expect_sound_pdf(path);

    EXPECT_EQ(count_of(pdf, "/F1 12 Tf"), 1);
    EXPECT_EQ(count_of(pdf, "/F2 12 Tf"), 2);  // names compare ignoring case
    EXPECT_EQ(count_of(pdf, "/F3 12 Tf"), 1);
    EXPECT_EQ(count_of(pdf, "/F4 12 Tf"), 1);
    EXPECT_EQ(count_of(pdf, "/Type/FontDescriptor"), 3);
    EXPECT_NE(pdf.find("/Type/Font/Subtype/TrueType/Name/F1/BaseFont/TimesNewRoman,Bold\r\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("/FontName/TimesNewRoman,Bold\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("/Type/Font/Subtype/TrueType/Name/F2/BaseFont/TimesNewRoman\r\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("/FontName/TimesNewRoman\r\n"), std::string::npos);
    // A standard name: one line, no descriptor, style not reflected.
    EXPECT_NE(pdf.find("\r\n/Type/Font/Subtype/Type1/Name/F3/BaseFont/Helvetica"
                       "/Encoding/WinAnsiEncoding\r\n>> endobj\r\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("/BaseFont/Arial,BoldItalic,Underline,StrikeOut\r\n"), std::string::npos);

    // Widths: codes first..last of the regular Times, eighteen to a line.
    const OutlineMetrics& times = TextMetrics::instance().outline("Times New Roman", 0);
    const std::size_t font = pdf.find("/BaseFont/TimesNewRoman\r\n");
    const std::size_t open = pdf.find("/Widths [\r\n", font) + 11;
    const std::string block = pdf.substr(open, pdf.find("]\r\n", open) - open);
    std::istringstream lines(block);
    std::string line;
    int code = times.first_char;
    int line_count = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.back(), '\r');
        std::istringstream numbers(line);
        int width = 0, on_line = 0;
        while (numbers >> width) {
            EXPECT_EQ(width, times.widths[static_cast<std::size_t>(code)]) << code;
            ++code;
            ++on_line;
        }
        ++line_count;
        if (code <= times.last_char) {
            EXPECT_EQ(on_line, 18) << "line " << line_count;
        }
    }
    EXPECT_EQ(code, times.last_char + 1);
    EXPECT_NE(pdf.find("/FirstChar " + std::to_string(times.first_char) + "\r\n/LastChar " +
                           std::to_string(times.last_char) + "\r\n/Widths [\r\n",
                       font),
              std::string::npos);
    const std::string descriptor = "/Ascent " + std::to_string(times.ascent) + "\r\n/Descent " +
                                   std::to_string(times.descent) + "\r\n/Leading " +
                                   std::to_string(times.internal_leading);
    EXPECT_NE(pdf.find(descriptor), std::string::npos) << descriptor;
}

// Measures like the real service but has no outline metrics for one name.
class NoOutlineMetrics : public TextMetrics {
  public:
    int text_width(const Font& font, std::string_view text) override {
        return real().text_width(arial(font), text);
    }
    int line_height(const Font& font) override { return real().line_height(arial(font)); }
    const OutlineMetrics& outline(const std::string& name, unsigned style) override {
        if (name == "Bitmapada") throw Error("Font file for Bitmapada has no outlines");
        return real().outline(name, style);
    }
    std::string font_file(const std::string& name, unsigned style) override {
        return real().font_file(name, style);
    }

  private:
    static TextMetrics& real() { return TextMetrics::instance(); }
    static Font arial(Font font) {
        font.name = "Arial";
        return font;
    }
};

TEST(PdfFonts, FontWithoutOutlineMetricsFailsAtTheEnd) {
    TempDir dir;
    TRLPDFFilter filter;
    NoOutlineMetrics metrics;
    filter.SetTextMetrics(&metrics);
    auto pages = std::make_shared<GraphicStorage>();
    pages->add(page_of_texts({{"Arial", 0}, {"Bitmapada", 0}}));
    const std::string path = dir.file("bitmap.pdf");
    try {
        write_pages(filter, pages, path);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Invalid font for GetOutlineTextMetrics", 0), 0u)
            << e.what();
    }
    const std::string pdf = read_file(path);
    EXPECT_NE(pdf.find("endstream"), std::string::npos);  // the page was written
    EXPECT_EQ(pdf.find("%%EOF"), std::string::npos);      // the end was not
}

TEST(PdfDocument, PageThatFailsLeavesASoundFileWithTheEarlierPages) {
    TempDir dir;
    TRLPDFFilter filter;
    auto pages = std::make_shared<GraphicStorage>();
    pages->add(page_of_texts({{"Arial", 0}}));
    auto broken = page_of_texts({{"Arial", 0}, {"Arial", fsBold}});
    broken->objects().back().font.name_index = 7;  // a font the page does not list
    pages->add(std::move(broken));
    pages->add(page_of_texts({{"Arial", 0}}));
    const std::string path = dir.file("quebrada.pdf");
    EXPECT_THROW(write_pages(filter, pages, path), Error);
    expect_sound_pdf(path);
    const std::string pdf = read_file(path);
    EXPECT_NE(pdf.find("/Count 1\r\n"), std::string::npos);
}

TEST(PdfOperators, ShapesPensAndClipping) {
    TempDir dir;
    TRLPDFFilter filter;
    auto page = std::make_unique<GraphicSurface>();
    page->width = 400;
    page->height = 200;
    const struct {
        int style;
        const char* dash;  // nullptr: no dash operator
        const char* width;
    } pens[] = {{1, "[] 0 d", "1.5"},    {2, "[3] 0 d", "1.5"},   {3, "[1] 0 d", "1.5"},
                {4, "[2 1] 0 d", "1.5"}, {5, "[3 5] 6 d", "1.5"}, {6, nullptr, "0"},
                {7, "[] 0 d", "1.5"}};
    for (const auto& p : pens) {
        GraphicObject line;
        line.kind = ObjectKind::Line;
        line.pen = MetaPen{MetaColor{255, 0, 0}, 5, p.style, 2};
        line.from = {10, 20 * p.style};
        line.to = {110, 20 * p.style};
        page->objects().push_back(line);
    }
    GraphicObject ellipse;
    ellipse.kind = ObjectKind::Ellipse;
    ellipse.bounds = {200, 20, 300, 60};
    ellipse.brush.color = {0, 0, 255};
    page->objects().push_back(ellipse);
    GraphicObject pixel;
    pixel.kind = ObjectKind::Pixel;
    pixel.bounds = {5, 5, 6, 6};
    pixel.pixel_color = {0, 128, 0};
    page->objects().push_back(pixel);
    page->font.height = -13;
    page->text_out(Rect{200, 100, 260, 115}, 201, 100, "clip", TextAlignment::Center,
                   TextLayout::Center, 4);
    auto pages = std::make_shared<GraphicStorage>();
    pages->add(std::move(page));
    const std::string path = dir.file("formas.pdf");
    const std::string pdf = write_pages(filter, pages, path);
    expect_sound_pdf(path);

    std::size_t at = 0;
    for (const auto& p : pens) {
        const std::string y = pdf_number((200 - 20 * p.style) * 0.75);
        std::string expected = std::string(p.width) + " w\r\n0 J\r\n";
        if (p.dash) expected += std::string(p.dash) + "\r\n";
        expected += "1 0 0 RG\r\n7.5 ";
        expected += y;
        expected += " m\r\n82.5 ";
        expected += y;
        expected += " l\r\nS\r\n";
        const std::size_t found = pdf.find(expected, at);
        EXPECT_NE(found, std::string::npos) << "pen style " << p.style;
        if (found != std::string::npos) at = found;
    }
    // The ellipse: 36 points on one line, first at angle 0 (right middle).
    const std::size_t path_start = pdf.find("225 120 m ");
    ASSERT_NE(path_start, std::string::npos);
    const std::string path_line = pdf.substr(path_start, pdf.find("\r\n", path_start) - path_start);
    EXPECT_EQ(count_of(path_line, " l "), 35);
    EXPECT_NE(pdf.find(path_line + "\r\nb\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("0 w\r\n0 J\r\n0 0.502 0 rg\r\n3.75 145.5 0.75 0.75 re\r\nf\r\n"),
              std::string::npos);

    // Centred clipped text: the box widened by half a "1" on both sides.
    Font arial;
    arial.set_size(10);
    const int one = TextMetrics::instance().text_width(arial, "1");
    const Rect clip{200 - one / 2, 100, 260 + one / 2, 115};
    const std::string re = pdf_number(clip.left * 0.75) + " " + pdf_number((200 - 115) * 0.75) +
                           " " + pdf_number(clip.width() * 0.75) + " " + pdf_number(15 * 0.75) +
                           " re\r\nW n\r\n";
    EXPECT_NE(pdf.find(re), std::string::npos) << re;
    const int tw = TextMetrics::instance().text_width(arial, "clip");
    const int th = TextMetrics::instance().line_height(arial);
    const int x = (200 + 260 - tw) / 2;
    const int y = 200 - (th + (100 + 115 - th) / 2);
    const int baseline = y + th / 4;  // whole pixels, as the engine places it
    const std::string td =
        pdf_number(x * 0.75) + " " + pdf_number(baseline * 0.75) + " Td\r\n(clip) Tj";
    EXPECT_NE(pdf.find(td), std::string::npos) << td;
}

// A report of `pages` pages, each with a logo and a striped bar image.
void build_images(Doc& doc, int pages) {
    doc.rows(pages);
    doc.build({band(
        "detalhe", 38, 38, 718, 600,
        {dbtext("nome", 0, 0, 100, 12, "NOME").font(11), image("logo", 10, 20, 60, 30).stretched(),
         image("barras", 10, 60, 80, 20).stretched()})});
    doc.find<TRLImage>("logo").SetPicture(striped(12, 6));
    doc.find<TRLImage>("barras").SetPicture(striped(80, 1));
}

// Pixels of a page rendered at 96 dpi (one pixel per report pixel).
struct Raster {
    int width = 0, height = 0;
    std::string rgb;
    std::array<int, 3> at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
                static_cast<unsigned char>(rgb[i + 2])};
    }
};

Raster render(const std::string& pdf_path, const std::string& prefix, int page) {
    const std::string n = std::to_string(page);
    const auto [status, output] = run("pdftoppm -r 96 -singlefile -f " + n + " -l " + n + " '" +
                                      pdf_path + "' '" + prefix + "'");
    EXPECT_EQ(status, 0) << output;
    std::ifstream in(prefix + ".ppm", std::ios::binary);
    std::string magic;
    int max = 0;
    Raster r;
    in >> magic >> r.width >> r.height >> max;
    in.get();
    r.rgb.resize(static_cast<std::size_t>(r.width) * r.height * 3);
    in.read(r.rgb.data(), static_cast<std::streamsize>(r.rgb.size()));
    EXPECT_EQ(magic, "P6");
    return r;
}

void expect_color_near(const std::array<int, 3>& got, const std::array<int, 3>& want,
                       const std::string& where) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], 30) << where << " component " << k;
}

// Writing on a second thread while the pages are prepared gives the very
// bytes of writing after the preparation: pictures numbered by first use,
// fonts by first use, and pages naming the page count ({LastPageNumber},
// known only at the end) held back until the preparation ended.
TEST(PdfThreads, WritingWhilePreparingGivesTheSameFile) {
    if (std::thread::hardware_concurrency() < 2) {
        GTEST_SKIP() << "one core: the file is always written after the preparation";
    }
    const auto save = [](bool while_preparing) {
        Doc doc;
        doc.rows(300);
        doc.build({band("detalhe", 38, 38, 718, 600,
                        {dbtext("nome", 0, 0, 100, 12, "NOME").font(11),
                         label("pagina", 200, 0, 200, 12, "{PageNo} de {LastPageNumber}"),
                         image("logo", 10, 20, 60, 30).stretched(),
                         image("barras", 10, 60, 80, 20).stretched()})});
        doc.find<TRLImage>("logo").SetPicture(striped(12, 6));
        int record = 0;
        doc.find<TRLImage>("barras").BeforePrint = [&record](TRLCustomControl& sender, bool&) {
            // A picture made anew for each record, as the bars of a barcode.
            dynamic_cast<TRLImage&>(sender).SetPicture(striped(80 + (record++ % 3), 1));
        };
        doc.report.WriteWhilePreparing = while_preparing;
        std::string pdf = doc.save("threads.pdf");
        expect_sound_pdf(doc.dir.file("threads.pdf"));
        const auto [status, text] =
            run("pdftotext -f 150 -l 150 '" + doc.dir.file("threads.pdf") + "' -");
        EXPECT_NE(text.find("150 de 300"), std::string::npos) << text;
        return pdf;
    };
    const std::string after = save(false);
    const std::string while_preparing = save(true);
    EXPECT_EQ(after.size(), while_preparing.size());
    EXPECT_TRUE(after == while_preparing) << "the files differ";
}

// A picture is written once per document, however many image objects show
// it: the logo drawn twice on each page is one image, while the bars drawn
// anew for each record are one image per page.
TEST(PdfImages, EachDistinctPictureIsOneJpegImage) {
    Doc doc;
    build_images(doc, 3);
    doc.find<TRLBand>("detalhe")
        .Add(std::make_unique<TRLImage>("logo2"))
        .SetBounds(100, 20, 60, 30);
    doc.find<TRLImage>("logo2").SetStretch(true);
    doc.find<TRLImage>("logo2").SetPicture(doc.find<TRLImage>("logo").Picture());
    doc.find<TRLImage>("barras").BeforePrint = [](TRLCustomControl& sender, bool&) {
        auto& bars = dynamic_cast<TRLImage&>(sender);
        bars.SetPicture(striped(80, 1));  // the same stripes, but drawn anew
    };
    const std::string path = doc.dir.file("imagens.pdf");
    const std::string pdf = doc.save("imagens.pdf");
    expect_sound_pdf(path);
    ASSERT_EQ(doc.report.Pages()->page_count(), 3);

    EXPECT_EQ(count_of(pdf, "/Filter/DCTDecode\r\n"), 4);
    EXPECT_EQ(count_of(pdf, "/Image1 Do\r\n"), 6);  // the logo, twice on each page
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(count_of(pdf, "/Image" + std::to_string(i) + " Do\r\n"), 1) << i;
        EXPECT_NE(pdf.find("\r\n/Image" + std::to_string(i) + " "), std::string::npos) << i;
    }
    EXPECT_EQ(pdf.find("/Image5"), std::string::npos);
    // Baseline JPEG: a SOF0 frame, never a progressive one; RGB with 3 components.
    const std::size_t stream = pdf.find("stream\r\n\xff\xd8");
    ASSERT_NE(stream, std::string::npos);
    const std::size_t sof = pdf.find("\xff\xc0", stream);
    ASSERT_NE(sof, std::string::npos);
    EXPECT_EQ(pdf.find("\xff\xc2", stream), std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(pdf[sof + 9]), 3);  // components

    // The bars render as stripes 4 source pixels (20 px) wide on every page,
    // and so do both logos.
    for (int page = 1; page <= 3; ++page) {
        const Raster r = render(path, doc.dir.file("imagens"), page);
        ASSERT_GT(r.width, 200);
        for (int stripe = 0; stripe < 4; ++stripe) {
            const std::array<int, 3> want =
                stripe % 2 == 0 ? std::array<int, 3>{0, 0, 128} : std::array<int, 3>{255, 200, 40};
            const std::string where =
                "page " + std::to_string(page) + " stripe " + std::to_string(stripe);
            expect_color_near(r.at(38 + 10 + stripe * 20 + 10, 38 + 60 + 10), want, where);
            if (stripe < 3) {
                expect_color_near(r.at(38 + 10 + stripe * 20 + 10, 38 + 20 + 15), want,
                                  where + " logo");
                expect_color_near(r.at(38 + 100 + stripe * 20 + 10, 38 + 20 + 15), want,
                                  where + " second logo");
            }
        }
    }
}

TEST(PdfImages, BitmapAndOriginalFormatsWriteHexPixelRows) {
    for (const TRLPDFFilterImageFormat format : {ifBitmap, ifOriginal}) {
        Doc doc;
        build_images(doc, 1);
        doc.filter.ImageFormat = format;
        const std::string path = doc.dir.file("hex.pdf");
        const std::string pdf = doc.save("hex.pdf");
        expect_sound_pdf(path);
        EXPECT_EQ(pdf.find("DCTDecode"), std::string::npos);
        EXPECT_EQ(count_of(pdf, "/Type/XObject\r\n/Subtype/Image\r\n"), 2);
        EXPECT_EQ(count_of(pdf, "/Filter [/ASCIIHexDecode]\r\n"), 2);

        // The 80 x 1 bar: 14 pixels (84 digits) to a line, then ">".
        const std::size_t head = pdf.find("/Width 80\r\n/Height 1\r\n");
        ASSERT_NE(head, std::string::npos);
        const std::size_t body = pdf.find("stream\r\n", head) + 8;
        std::string expected;
        int since = 0;
        for (int x = 0; x < 80; ++x) {
            expected += (x / 4) % 2 == 0 ? "000080" : "FFC828";
            since += 6;
            if (since >= 80) {
                expected += "\r\n";
                since = 0;
            }
        }
        expected += ">\r\nendstream\r\n";
        EXPECT_EQ(pdf.substr(body, expected.size()), expected) << "format " << format;

        const Raster r = render(path, doc.dir.file("hex"), 1);
        expect_color_near(r.at(38 + 10 + 10, 38 + 60 + 10), {0, 0, 128}, "dark stripe");
        expect_color_near(r.at(38 + 10 + 30, 38 + 60 + 10), {255, 200, 40}, "light stripe");
    }
}

TEST(PdfSave, CapitalExtensionSavesThroughTheReportsFilterWithItsOwnInfo) {
    Doc doc;
    doc.rows(1);
    doc.build({band("banda", 38, 38, 718, 40, {label("a", 0, 0, 50, 12, "a").font(11)})});
    doc.filter.DocumentInfo.Title = "Antigo";
    doc.filter.DocumentInfo.Creator.clear();
    TRLPDFFilter newer;
    newer.DocumentInfo.Title = "Novo";
    const std::string pdf = doc.save("CAIXA.PDF");
    expect_sound_pdf(doc.dir.file("CAIXA.PDF"));
    EXPECT_EQ(doc.filter.FileName, doc.dir.file("CAIXA.PDF"));
    EXPECT_TRUE(newer.FileName.empty());
    EXPECT_NE(
        pdf.find("1 0 obj <<\r\n/CreationDate(D:20240131235958)\r\n/Title(Antigo)\r\n>> endobj"),
        std::string::npos);
    EXPECT_EQ(pdf.find("Novo"), std::string::npos);
}

TEST(PdfSave, ErrorsReachTheCaller) {
    Doc doc;
    doc.rows(1);
    doc.build({band("banda", 38, 38, 718, 40, {label("a", 0, 0, 50, 12, "a").font(11)})});
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {"/nonexistent-dir/x.pdf",
         "Cannot create file \"/nonexistent-dir/x.pdf\". No such file or directory"},
        {doc.dir.file("planilha.xyz"), "No filter saves files with the extension \".xyz\""},
        {doc.dir.file("semextensao"), "No filter saves files with the extension \".\""},
    };
    for (const auto& c : cases) {
        try {
            doc.report.SaveToFile(c.path);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(c.path)) << c.path;
    }
}

TEST(PdfSave, PreparesOnlyWhenIdle) {
    Doc doc;
    doc.rows(1);
    doc.build({band("banda", 38, 38, 718, 40, {label("a", 0, 0, 50, 12, "a").font(11)})});
    int preparations = 0;
    doc.report.BeforePrint = [&](TRLCustomControl&, bool&) { ++preparations; };
    doc.save("um.pdf");
    EXPECT_EQ(preparations, 1);
    doc.save("dois.pdf");  // ready: the same pages again
    EXPECT_EQ(preparations, 1);
    expect_sound_pdf(doc.dir.file("dois.pdf"));
}

TEST(PdfSave, PreparationThatStopsBeforeTheFirstPageGivesAnEmptyPageTree) {
    const std::function<void(TRLCustomControl&, bool&)> failures[] = {
        [](TRLCustomControl&, bool& print_it) { print_it = false; },
        [](TRLCustomControl&, bool&) { throw Error("sem dados"); },
    };
    for (const auto& before_print : failures) {
        Doc doc;
        doc.rows(3);
        doc.build({band("banda", 38, 38, 718, 40, {label("a", 0, 0, 50, 12, "a").font(11)})});
        doc.report.BeforePrint = before_print;
        const std::string path = doc.dir.file("vazio.pdf");
        const std::string pdf = doc.save("vazio.pdf");
        expect_sound_pdf(path);
        EXPECT_NE(pdf.find("/Type/Pages\r\n/Count 0\r\n/MediaBox [ 0 0 0 0 ]\r\n/Kids [ ]\r\n"),
                  std::string::npos)
            << pdf;
        EXPECT_EQ(pdf.find("/Type/Page\r\n"), std::string::npos);
    }
}

TEST(PdfSave, CancelledSavingStillWritesACompleteFile) {
    Doc doc;
    doc.rows(3);
    doc.build({band("detalhe", 38, 38, 718, 600, {dbtext("d", 0, 0, 100, 12, "NOME").font(11)})});
    ProgressScope progress;
    progress.log.cancel_at = 1;
    const std::string pdf = doc.save("cancelado.pdf");
    expect_sound_pdf(doc.dir.file("cancelado.pdf"));
    EXPECT_EQ(doc.report.Pages()->page_count(), 3);
    EXPECT_NE(pdf.find("/Count 1\r\n"), std::string::npos);
    EXPECT_NE(pdf.find("(linha 1) Tj"), std::string::npos);
    EXPECT_EQ(pdf.find("(linha 2) Tj"), std::string::npos);
}

}  // namespace
}  // namespace tarvek::report
