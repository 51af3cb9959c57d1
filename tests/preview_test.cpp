// The engine's Qt side: page painting, printing to a PDF printer, the preview
// window opened by Preview(), saving from it and the progress windows. Runs
// on Qt's offscreen platform, so no display is needed.
#include <gtest/gtest.h>

#include <locale.h>
#include <sys/wait.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "data/memory_table.h"
#include "report/engine_texts.h"
#include "report/layout.h"
#include "report/pdf_filter.h"
#include "report/qt/page_painter.h"
#include "report/qt/preview_window.h"
#include "report/qt/printing.h"
#include "report/qt/qt_services.h"
#include "report/report.h"
#include "report/text_metrics.h"
#include "tests/test_tools.h"

namespace tarvek::report {
namespace {

namespace fs = std::filesystem;

using test::TempDir;

// Runs a shell command; returns its output, errors included.
std::string run(const std::string& command) {
    return test::run_command(command + " 2>&1").output;
}

int pdf_page_count(const std::string& pdf) {
    const std::string info = run("pdfinfo '" + pdf + "'");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// A field of pdfinfo's report, such as "Title".
std::string pdf_info(const std::string& pdf, const std::string& field) {
    std::stringstream info(run("pdfinfo '" + pdf + "'"));
    for (std::string line; std::getline(info, line);) {
        if (line.rfind(field + ":", 0) != 0) continue;
        const std::size_t value = line.find_first_not_of(' ', field.size() + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return "(no " + field + ")";
}

// The text of each page, as pdftotext extracts it.
std::vector<std::string> pdf_page_texts(const std::string& pdf) {
    std::vector<std::string> pages;
    std::stringstream all(run("pdftotext '" + pdf + "' -"));
    std::string page;
    while (std::getline(all, page, '\f')) {
        while (!page.empty() && (page.back() == '\n' || page.back() == ' ')) page.pop_back();
        pages.push_back(page);
    }
    // pdftotext ends the last page with a form feed too.
    if (!pages.empty() && pages.back().empty()) pages.pop_back();
    return pages;
}

Font arial(int px) {
    Font f;
    f.name = "Arial";
    f.height = -px;
    return f;
}

// A page of the given paper whose only object is the text "PAGINA n".
std::unique_ptr<GraphicSurface> numbered_page(int number, bool landscape = false,
                                              const char* paper_width = "210.0000",
                                              const char* paper_height = "297.0000") {
    auto page = std::make_unique<GraphicSurface>();
    const int w = mm_to_pixels(std::atof(paper_width));
    const int h = mm_to_pixels(std::atof(paper_height));
    page->width = landscape ? h : w;
    page->height = landscape ? w : h;
    set_macro(page->macros, "Orientation", landscape ? "2" : "1");
    set_macro(page->macros, "PaperWidth", paper_width);
    set_macro(page->macros, "PaperHeight", paper_height);
    set_macro(page->macros, "PageNo", std::to_string(number));
    page->font = arial(27);
    page->text_out({100, 100, 600, 140}, 100, 100, "PAGINA " + std::to_string(number),
                   TextAlignment::Left, TextLayout::Top, tfNoClip | tfNeverBreak);
    return page;
}

std::shared_ptr<GraphicStorage> numbered_pages(int count) {
    auto pages = std::make_shared<GraphicStorage>();
    for (int n = 1; n <= count; ++n) pages->add(numbered_page(n));
    return pages;
}

std::vector<PreviewWindow*> open_previews() {
    std::vector<PreviewWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<PreviewWindow*>(w); preview && preview->isVisible()) {
            found.push_back(preview);
        }
    }
    return found;
}

// The one open preview window, shown whole-page in a 900 × 1250 window;
// null when not exactly one is open.
PreviewWindow* whole_page_preview() {
    const auto windows = open_previews();
    if (windows.size() != 1) return nullptr;
    PreviewWindow* w = windows[0];
    w->showNormal();
    w->resize(900, 1250);
    w->set_zoom_mode(PreviewWindow::ZoomMode::WholePage);
    QCoreApplication::processEvents();
    return w;
}

void delete_closed_windows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every test starts in Portuguese with the Qt services installed, and leaves
// no window behind.
class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FormatSettings::set_current(
            FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
        install_qt_engine_services();
        // A message box would wait for a click: collect the messages instead.
        set_message_handler([this](const std::string& text) { messages.push_back(text); });
        PreviewWindow::set_default_window_state(Qt::WindowMaximized);
    }
    void TearDown() override {
        for (PreviewWindow* w : open_previews()) w->close();
        delete_closed_windows();
        install_qt_engine_services();
        FormatSettings::set_current(FormatSettings::from_environment());
    }
    std::vector<std::string> messages;
};

// A report with one row per page: a data text on a band as tall as the page
// body.
struct SmallReport {
    MemoryTable table{"tabela"};
    TDataSource source{"fonte", &table};
    std::unique_ptr<TRLReport> report = std::make_unique<TRLReport>("Relatorio");

    explicit SmallReport(int rows) {
        table.declare_field({.name = "NOME", .type = FieldType::Text, .size = 200});
        for (int i = 1; i <= rows; ++i) table.append({std::string("linha ") + std::to_string(i)});
        table.open();
        report->DataSource = &source;
        report->ShowProgress = false;
        report->SetTitle("Teste");
        build_layout(
            *report,
            {band("detalhe", 38, 38, 718, 1038, {dbtext("d", 0, 0, 200, 20, "NOME").font(16)})},
            &source);
    }
    TRLBand& detail() { return dynamic_cast<TRLBand&>(*report->Find("detalhe")); }
};

// --- page painter -----------------------------------------------------------

QImage render(const GraphicSurface& page, double scale = 1.0, const Macros* collection = nullptr) {
    QImage image(static_cast<int>(page.width * scale), static_cast<int>(page.height * scale),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter().paint(painter, page, collection, QRectF(0, 0, image.width(), image.height()));
    return image;
}

std::unique_ptr<GraphicSurface> blank_page() {
    auto page = std::make_unique<GraphicSurface>();
    page->width = 794;
    page->height = 1123;
    page->font = arial(20);
    return page;
}

// The bounding box of dark pixels inside `area` (empty when there are none).
QRect ink(const QImage& image, const QRect& area) {
    QRect box;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST_F(GuiTest, PainterFillsScaleWithThePage) {
    for (double scale : {1.0, 2.0, 0.5}) {
        auto page = blank_page();
        page->brush = MetaBrush{MetaColor{200, 0, 0}, 1};
        page->fill_rect({100, 100, 200, 150});
        const QImage image = render(*page, scale);
        const auto at = [&](double x, double y) {
            return image.pixelColor(int(x * scale), int(y * scale));
        };
        EXPECT_EQ(at(101, 101), QColor(200, 0, 0)) << scale;
        EXPECT_EQ(at(198, 148), QColor(200, 0, 0)) << scale;
        EXPECT_EQ(at(204, 125), QColor(Qt::white)) << scale;
        EXPECT_EQ(at(150, 154), QColor(Qt::white)) << scale;
    }
}

TEST_F(GuiTest, PainterKeepsOnePixelBordersVisibleWhenSmall) {
    auto page = blank_page();
    page->brush = MetaBrush{MetaColor{0, 0, 0}, 1};
    page->rectangle(100, 100, 101, 300);
    EXPECT_FALSE(ink(render(*page, 0.25), QRect(20, 20, 10, 60)).isEmpty());
}

TEST_F(GuiTest, PainterPlacesTextsByTheCanvasRule) {
    // A large font, so that half a blank (8 px) is more than the side
    // bearings of "H" (under 5 px).
    TextMetrics& m = TextMetrics::instance();
    const Font f = arial(60);
    const int sp = m.text_width(f, " ") / 2;
    const int tw = m.text_width(f, "HHH ");
    const int w = m.text_width(f, "HHH");
    const int lh = m.line_height(f);
    // "H" stands on the baseline, the font's ascent below the cell's top.
    const int baseline = static_cast<int>(std::lround(m.outline("Arial", 0).ascent * 60 / 1000.0));
    const int bearing = 6;
    const Rect bounds{100, 300, 700, 500};
    using enum TextAlignment;
    const struct {
        TextAlignment alignment;
        TextLayout layout;
        int x;    // expected start of the text
        int top;  // expected top of the text cell
    } cases[] = {
        {Left, TextLayout::Top, sp + 110, 305},
        {Justify, TextLayout::Top, sp + 110, 305},
        {Right, TextLayout::Top, sp + 700 - tw, 305},
        {Center, TextLayout::Top, sp + (100 + 700 - tw) / 2, 305},
        {Left, TextLayout::Bottom, sp + 110, 500 - lh},
        {Left, TextLayout::Center, sp + 110, (300 + 500 - lh) / 2},
    };
    for (const auto& c : cases) {
        const std::string what = std::to_string(static_cast<int>(c.alignment)) + "/" +
                                 std::to_string(static_cast<int>(c.layout));
        auto page = blank_page();
        page->font = f;
        page->text_out(bounds, 110, 305, "HHH", c.alignment, c.layout, tfNoClip);
        const QRect box = ink(render(*page), QRect(0, 0, 794, 1123));
        ASSERT_FALSE(box.isEmpty()) << what;
        EXPECT_GE(box.left(), c.x) << what;
        EXPECT_LE(box.left(), c.x + bearing) << what;
        EXPECT_LE(box.right() + 1, c.x + w) << what;
        EXPECT_GE(box.right() + 1, c.x + w - bearing) << what;
        EXPECT_NEAR(box.bottom() + 1, c.top + baseline, 1) << what;
    }
}

TEST_F(GuiTest, PainterClipsTextsToTheirRectangleUnlessTold) {
    for (unsigned flags : {0u, unsigned(tfNoClip)}) {
        auto page = blank_page();
        page->text_out({200, 300, 240, 330}, 200, 300, "WWWWWWWWWW", TextAlignment::Left,
                       TextLayout::Top, flags);
        const QImage image = render(*page);
        EXPECT_FALSE(ink(image, QRect(200, 300, 40, 30)).isEmpty()) << flags;
        EXPECT_EQ(ink(image, QRect(240, 290, 300, 50)).isEmpty(), flags == 0) << flags;
    }
}

TEST_F(GuiTest, PainterFollowsClipObjects) {
    auto page = blank_page();
    page->brush = MetaBrush{MetaColor{0, 0, 0}, 1};
    page->set_clip_rect({0, 0, 150, 1123});
    page->fill_rect({100, 100, 200, 150});
    page->reset_clip_rect();
    page->fill_rect({100, 200, 200, 250});
    const QImage image = render(*page);
    EXPECT_EQ(ink(image, QRect(0, 90, 794, 70)), QRect(100, 100, 50, 50));
    EXPECT_EQ(ink(image, QRect(0, 190, 794, 70)), QRect(100, 200, 100, 50));
}

TEST_F(GuiTest, PainterStretchesImages) {
    auto page = blank_page();
    const Picture picture = Picture::from_rgb(2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0});
    page->stretch_picture({400, 400, 480, 480}, picture);
    const QImage image = render(*page);
    EXPECT_EQ(image.pixelColor(410, 410), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(470, 410), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(410, 470), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(470, 470), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(485, 440), QColor(Qt::white));
}

TEST_F(GuiTest, PainterSubstitutesMacros) {
    Macros collection{{"Title", "Boletos"}};
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {{"Página {PageNo}", "Página 7"},
                 {"{Title}", "Boletos"},
                 {"{Nada} {PageNo", "{Nada} {PageNo"}};
    for (const auto& c : cases) {
        auto with_macro = blank_page();
        set_macro(with_macro->macros, "PageNo", "7");
        with_macro->text_out({100, 100, 600, 140}, 100, 100, utf8_to_cp1252(c.text),
                             TextAlignment::Left, TextLayout::Top, tfNoClip);
        auto literal = blank_page();
        literal->text_out({100, 100, 600, 140}, 100, 100, utf8_to_cp1252(c.shown),
                          TextAlignment::Left, TextLayout::Top, tfNoClip);
        EXPECT_EQ(render(*with_macro, 1.0, &collection), render(*literal)) << c.text;
    }
}

// --- printing ---------------------------------------------------------------

struct PdfPrinter {
    TempDir dir;
    std::string path = dir.file("out.pdf");
    QPrinter printer{QPrinter::HighResolution};
    PdfPrinter() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
    }
};

std::vector<std::string> expected_texts(const std::vector<int>& numbers) {
    std::vector<std::string> texts;
    texts.reserve(numbers.size());
    for (int n : numbers) texts.push_back("PAGINA " + std::to_string(n));
    return texts;
}

TEST_F(GuiTest, PrintingSendsExactlyTheSelectedPages) {
    const struct {
        const char* what;
        PageSelection selection;
        std::vector<int> pages;
    } cases[] = {
        {"list within 1-10", {.from = 1, .to = 10, .list = "2;4-5"}, {2, 4, 5}},
        {"copies repeat the sequence", {.from = 1, .to = 2, .copies = 2}, {1, 2, 1, 2}},
        {"even pages", {.parity = PageParity::Even}, {2, 4, 6}},
        {"all", {}, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        PdfPrinter out;
        ASSERT_TRUE(print_pages(numbered_pages(6), c.selection, out.printer, false)) << c.what;
        EXPECT_EQ(pdf_page_count(out.path), static_cast<int>(c.pages.size())) << c.what;
        EXPECT_EQ(pdf_page_texts(out.path), expected_texts(c.pages)) << c.what;
        EXPECT_EQ(out.printer.copyCount(), 1) << c.what;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(GuiTest, PrintingGivesEachPageItsPaperAndDrawsFromTheSheetCorner) {
    auto pages = std::make_shared<GraphicStorage>();
    pages->add(numbered_page(1));
    pages->add(numbered_page(2, true));
    pages->add(numbered_page(3, false, "148.0000", "210.0000"));
    PdfPrinter out;
    ASSERT_TRUE(print_pages(pages, {}, out.printer, false));
    const std::string info = run("pdfinfo -f 1 -l 3 '" + out.path + "'");
    const auto size = [&](int page) {
        const std::string key = "Page    " + std::to_string(page) + " size:";
        const std::size_t at = info.find(key);
        double w = 0, h = 0;
        if (at != std::string::npos)
            std::sscanf(info.c_str() + at + key.size(), "%lf x %lf", &w, &h);
        return std::pair{w, h};
    };
    EXPECT_NEAR(size(1).first, 595.3, 1);
    EXPECT_NEAR(size(1).second, 841.9, 1);
    EXPECT_NEAR(size(2).first, 841.9, 1);
    EXPECT_NEAR(size(2).second, 595.3, 1);
    EXPECT_NEAR(size(3).first, 419.5, 1);
    EXPECT_NEAR(size(3).second, 595.3, 1);

    // The text starts at report pixel 100 + half a blank: 0.75 points each.
    const std::string bbox = run("pdftotext -f 2 -l 2 -bbox '" + out.path + "' -");
    const std::size_t word = bbox.find(">PAGINA<");
    ASSERT_NE(word, std::string::npos) << bbox;
    const std::size_t x_at = bbox.rfind("xMin=\"", word);
    const std::size_t y_at = bbox.rfind("yMin=\"", word);
    const double x = std::atof(bbox.c_str() + x_at + 6);
    const double y = std::atof(bbox.c_str() + y_at + 6);
    const int half_blank = TextMetrics::instance().text_width(arial(27), " ") / 2;
    EXPECT_NEAR(x, (100 + half_blank) * 0.75, 2.5);
    EXPECT_NEAR(y, 100 * 0.75, 4);
}

TEST_F(GuiTest, PrintJobTitleComesFromTheCollection) {
    const struct {
        const char* job_title;
        const char* title;
        const char* expected;
    } cases[] = {{"Boletos do mês", "Teste", "Boletos do mês"},
                 {"", "Relatório", "Relatório"},
                 {"", "", "Sem título"}};
    for (const auto& c : cases) {
        auto pages = numbered_pages(1);
        set_macro(pages->macros, "JobTitle", utf8_to_cp1252(c.job_title));
        set_macro(pages->macros, "Title", utf8_to_cp1252(c.title));
        PdfPrinter out;
        ASSERT_TRUE(print_pages(pages, {}, out.printer, false));
        EXPECT_EQ(pdf_info(out.path, "Title"), c.expected);
    }
}

TEST_F(GuiTest, PrinterThatCannotStartIsReportedWithTheEngineText) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/out.pdf");
    EXPECT_FALSE(print_pages(numbered_pages(2), {}, printer, false));
    EXPECT_EQ(messages, std::vector<std::string>{EngineTexts::portuguese().printer_driver_error});
}

TEST_F(GuiTest, CancelingThePrintProgressEndsTheJobAfterThePage) {
    struct CancelAtOnce : ProgressSink {
        std::string* caption;
        explicit CancelAtOnce(std::string* c) : caption(c) {}
        void Start(const std::string& text, int) override { *caption = text; }
        void Step(const std::string&) override {}
        bool Canceled() override { return true; }
        void Finish() override {}
    };
    std::string caption;
    set_progress_factory([&] { return std::make_unique<CancelAtOnce>(&caption); });
    PdfPrinter out;
    EXPECT_TRUE(print_pages(numbered_pages(4), {}, out.printer));
    EXPECT_EQ(caption, EngineTexts::portuguese().saving);
    EXPECT_EQ(pdf_page_texts(out.path), expected_texts({1}));
}

// --- Preview() and the window -----------------------------------------------

TEST_F(GuiTest, PreviewWindowIsTitledWithTheEngineText) {
    const struct {
        const char* locale;
        const char* title;
    } cases[] = {{"pt_BR.UTF-8", "Pré-visualização"}, {"en_US.UTF-8", "Preview"}};
    for (const auto& c : cases) {
        FormatSettings::set_current(FormatSettings::for_locale(c.locale, c.locale, c.locale));
        SmallReport doc(2);
        doc.report->PreviewOptions.Caption = "Boleto";  // the defaults win over it
        ASSERT_TRUE(doc.report->Preview()) << c.locale;
        // Preview returned with the window still open.
        const auto windows = open_previews();
        ASSERT_EQ(windows.size(), 1u) << c.locale;
        EXPECT_EQ(windows[0]->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(windows[0]->page_count(), 2);
        EXPECT_EQ(windows[0]->current_page(), 1);
        windows[0]->close();
        delete_closed_windows();
    }
}

TEST_F(GuiTest, PreviewWindowKeepsThePagesUntilItCloses) {
    auto doc = std::make_unique<SmallReport>(3);
    ASSERT_TRUE(doc->report->Preview());
    std::weak_ptr<GraphicStorage> pages = doc->report->Pages();
    doc.reset();  // the job frees its layout right after Preview

    const auto windows = open_previews();
    ASSERT_EQ(windows.size(), 1u);
    QPointer<PreviewWindow> window = windows[0];
    ASSERT_FALSE(pages.expired());
    EXPECT_EQ(pages.lock()->page_count(), 3);
    EXPECT_FALSE(render(*pages.lock()->page(2)).isNull());

    window->close();
    EXPECT_TRUE(pages.expired());
    delete_closed_windows();
    EXPECT_TRUE(window.isNull());
}

TEST_F(GuiTest, FailedPreparationOpensNoWindow) {
    SmallReport doc(2);
    doc.report->BeforePrint = [](TRLCustomControl&, bool& print_it) { print_it = false; };
    EXPECT_FALSE(doc.report->Preview());
    EXPECT_TRUE(open_previews().empty());
}

TEST_F(GuiTest, PreviewWithoutAnOpenerIsAnError) {
    set_preview_opener(nullptr);
    SmallReport doc(1);
    try {
        doc.report->Preview();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(cp1252_to_utf8(e.what()), "A pré-visualização precisa de uma tela");
    }
    EXPECT_TRUE(open_previews().empty());
}

TEST_F(GuiTest, NextPreviewOpensInTheStateTheLastOneClosedIn) {
    SmallReport doc(1);
    const auto open_one = [&] {
        EXPECT_TRUE(doc.report->Preview());
        const auto windows = open_previews();
        return windows.size() == 1 ? windows[0] : nullptr;
    };
    PreviewWindow* w = open_one();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);  // the first one
    w->showNormal();
    w->close();
    delete_closed_windows();

    w = open_one();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->windowState() & Qt::WindowMaximized);
    w->showMaximized();
    w->close();
    delete_closed_windows();

    w = open_one();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    // Minimizing is not remembered: the window was maximized before it.
    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    w->close();
    EXPECT_EQ(PreviewWindow::default_window_state(), Qt::WindowMaximized);
}

TEST_F(GuiTest, KeysNavigateAndEscapeCloses) {
    auto pages = numbered_pages(4);
    QPointer<PreviewWindow> w = PreviewWindow::open(pages);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    const struct {
        Qt::Key key;
        int page;
    } steps[] = {{Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 3}, {Qt::Key_End, 4},
                 {Qt::Key_PageDown, 4}, {Qt::Key_PageUp, 3},   {Qt::Key_Home, 1},
                 {Qt::Key_PageUp, 1}};
    for (const auto& s : steps) {
        QTest::keyClick(w, s.key);
        EXPECT_EQ(w->current_page(), s.page) << s.key;
    }
    QTest::keyClick(w, Qt::Key_Escape);
    delete_closed_windows();
    EXPECT_TRUE(w.isNull());
}

TEST_F(GuiTest, ZoomStepsThroughTheListAndFitsThePage) {
    QPointer<PreviewWindow> w = PreviewWindow::open(numbered_pages(2));
    const struct {
        void (PreviewWindow::*step)();
        int percent;
    } steps[] = {{&PreviewWindow::zoom_in, 150},  {&PreviewWindow::zoom_in, 200},
                 {&PreviewWindow::zoom_in, 500},  {&PreviewWindow::zoom_in, 500},
                 {&PreviewWindow::zoom_out, 200}, {&PreviewWindow::zoom_out, 150}};
    for (const auto& s : steps) {
        (w->*s.step)();
        EXPECT_DOUBLE_EQ(w->scale(), s.percent / 100.0);
    }
    w->set_zoom_percent(10);
    w->zoom_out();
    EXPECT_DOUBLE_EQ(w->scale(), 0.10);

    auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    ASSERT_NE(scroll, nullptr);
    w->set_zoom_mode(PreviewWindow::ZoomMode::WholePage);
    const QSize viewport = scroll->viewport()->size();
    // The whole sheet fits, and it fills the window one way or the other.
    const double height = w->scale() * 1123, width = w->scale() * 794;
    EXPECT_LE(height, viewport.height());
    EXPECT_LE(width, viewport.width());
    EXPECT_TRUE(height > viewport.height() - 30 || width > viewport.width() - 30);
    w->set_zoom_mode(PreviewWindow::ZoomMode::PageWidth);
    EXPECT_NEAR(w->scale() * 794, scroll->viewport()->width() - 24, 1);
    w->close();
}

TEST_F(GuiTest, PreviewShowsTheBoleto) {
    // A boleto-like document: a bordered receipt with texts and a barcode.
    MemoryTable table{"boletos"};
    TDataSource source{"fonte", &table};
    table.declare_field({.name = "SACADO", .type = FieldType::Text, .size = 60});
    table.declare_field({.name = "VALOR", .type = FieldType::Text, .size = 20});
    table.declare_field({.name = "LINHA", .type = FieldType::Text, .size = 60});
    table.declare_field({.name = "CODBARRAS", .type = FieldType::Text, .size = 44});
    table.append({"MARIA DA SILVA LTDA", "1.234,56",
                  "23790.12345 60000.000007 89012.345607 1 96310000123456",
                  "23791963100001234561234560000000008901234560"});
    table.open();
    TRLReport report("RLReport1");
    report.DataSource = &source;
    report.ShowProgress = false;
    report.SetTitle("Boleto");
    build_layout(
        report,
        {band("RLBand2", 38, 38, 718, 420,
              {
                  label("banco", 0, 8, 150, 24, "Banco Tarvek").font(21, "Arial", fsBold),
                  label("codigo", 170, 8, 80, 24, "237-2").font(21, "Arial", fsBold),
                  dbtext("linha", 270, 14, 440, 18, "LINHA").font(14),
                  panel("quadro", 0, 40, 718, 200,
                        {
                            label("l1", 6, 4, 200, 12, "Local de pagamento").font(9),
                            label("l2", 6, 18, 500, 16, "PAGÁVEL EM QUALQUER BANCO").font(13),
                            label("l3", 560, 4, 120, 12, "Vencimento").font(9),
                            label("l4", 560, 18, 150, 16, "31/01/2025").font(13).right(),
                            label("l5", 6, 60, 120, 12, "Pagador").font(9),
                            dbtext("sacado", 6, 74, 400, 16, "SACADO").font(13),
                            label("l6", 560, 60, 150, 12, "Valor do documento").font(9),
                            dbtext("valor", 560, 74, 150, 16, "VALOR").font(13).right(),
                        })
                      .borders(kAll),
                  barcode("RLDBBarcode1", 16, 260, 90, 47, "CODBARRAS").ratio(3.0),
                  label("aut", 480, 262, 230, 12, "Autenticação Mecânica").font(9).centered(),
              })},
        &source);
    ASSERT_TRUE(report.Preview());
    PreviewWindow* w = whole_page_preview();
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage();
    if (const char* path = std::getenv("TARVEK_PREVIEW_PNG")) shot.save(path);

    // The page is a white sheet on the dark background, with the document's
    // ink in its upper part and nothing in its lower part.
    auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    ASSERT_NE(scroll, nullptr);
    const QPoint origin = scroll->viewport()->mapTo(w, QPoint(0, 0));
    const QRect viewport(origin, scroll->viewport()->size());
    const double s = w->scale();
    const int page_left = viewport.left() + (viewport.width() - int(794 * s)) / 2;
    const int page_top = viewport.top() + (viewport.height() - int(1123 * s)) / 2;
    EXPECT_EQ(shot.pixelColor(page_left + int(20 * s), page_top + int(1000 * s)),
              QColor(Qt::white));
    EXPECT_NE(shot.pixelColor(viewport.left() + 3, viewport.top() + 3), QColor(Qt::white));
    const QRect upper(page_left, page_top, int(794 * s), int(400 * s));
    const QRect lower(page_left, page_top + int(500 * s), int(794 * s), int(600 * s));
    EXPECT_FALSE(ink(shot, upper).isEmpty());
    EXPECT_TRUE(ink(shot, lower.adjusted(2, 0, -2, 0)).isEmpty());
}

// The QR code as the preview shows it and as the printer gets it: both read
// back as the field's text.
TEST_F(GuiTest, QrCodeReadsBackFromThePreviewAndFromPrint) {
    const std::string payload =
        "00020126580014br.gov.bcb.pix01367d9f0335-8dcc-4054-9bf9-0dbd61b5c9a152040000530398654071"
        "500.005802BR5922Auto Mecanica Sao Joao6011PASSO FUNDO62140510BOL2NF12356304BFDB";
    MemoryTable table{"boletos"};
    TDataSource source{"fonte", &table};
    table.declare_field({.name = "PIX", .type = FieldType::Text, .size = 512});
    table.append({payload});
    table.open();
    TRLReport report("RLReport1");
    report.DataSource = &source;
    report.ShowProgress = false;
    report.SetTitle("Pix");
    build_layout(report,
                 {band("RLBand2", 38, 38, 718, 200,
                       {qrcode("qrPix", 10, 10, 147, 147, "PIX").minimum_side(84)})},
                 &source);
    const auto decode = [](const std::string& png) {
        return run("zbarimg --nodbus --raw -q -Sdisable -Sqrcode.enable '" + png + "' 2>/dev/null");
    };

    ASSERT_TRUE(report.Prepare());
    PdfPrinter out;
    ASSERT_TRUE(print_pages(report.Pages(), {}, out.printer, false));
    run("pdftoppm -r 300 -f 1 -l 1 -singlefile -png '" + out.path + "' '" + out.dir.file("print") +
        "'");
    EXPECT_EQ(decode(out.dir.file("print.png")), payload + "\n");

    ASSERT_TRUE(report.Preview());
    PreviewWindow* w = whole_page_preview();
    ASSERT_NE(w, nullptr);
    const std::string shot = out.dir.file("preview.png");
    ASSERT_TRUE(w->grab().toImage().save(QString::fromStdString(shot)));
    EXPECT_EQ(decode(shot), payload + "\n");
}

// --- saving and progress ---------------------------------------------------

// The window outlives the layout whose pages it shows, and with it the
// layout's filter: it saves through a PDF filter of its own, whatever
// filters happen to be alive.
TEST_F(GuiTest, SavingWritesPdfThroughTheWindowsOwnFilter) {
    TempDir dir;
    save_pages(numbered_pages(5), dir.file("a.pdf"), 2, 4);
    EXPECT_EQ(pdf_page_texts(dir.file("a.pdf")), expected_texts({2, 3, 4}));

    {
        TRLPDFFilter layout_filter;
        layout_filter.DocumentInfo.Title = "Do layout";
        save_pages(numbered_pages(2), dir.file("b.PDF"), 1, 2);
        EXPECT_EQ(pdf_page_texts(dir.file("b.PDF")), expected_texts({1, 2}));
        EXPECT_NE(pdf_info(dir.file("b.PDF"), "Title"), "Do layout");
        EXPECT_TRUE(layout_filter.FileName.empty());
    }
    EXPECT_THROW(save_pages(numbered_pages(1), dir.file("c.xyz"), 1, 1), Error);
    EXPECT_FALSE(fs::exists(dir.file("c.xyz")));
}

// The titles and labels of the progress windows visible at this moment.
std::vector<std::string> progress_windows() {
    std::vector<std::string> seen;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) {
            seen.push_back(d->windowTitle().toStdString() + " | " + d->labelText().toStdString());
        }
    }
    return seen;
}

TEST_F(GuiTest, PreparationShowsACancelableProgressWindow) {
    SmallReport doc(4);
    doc.report->ShowProgress = true;
    std::vector<std::string> seen;
    int records = 0;
    doc.detail().BeforePrint = [&](TRLCustomControl&, bool&) {
        for (const std::string& s : progress_windows()) seen.push_back(s);
        if (++records == 2) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QProgressDialog*>(w)) d->cancel();
            }
        }
    };
    EXPECT_FALSE(doc.report->Preview());
    EXPECT_TRUE(open_previews().empty());
    EXPECT_TRUE(messages.empty());  // canceling is no error
    EXPECT_EQ(records, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Imprimindo o relatório... | Preparando o relatório...");
    EXPECT_EQ(seen[1], "Imprimindo o relatório... | Página 1");
    EXPECT_TRUE(progress_windows().empty());
}

TEST_F(GuiTest, SavingShowsTheSavingProgressWindowAndLetsTimersRun) {
    TempDir dir;
    std::vector<std::string> seen;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (const std::string& s : progress_windows()) seen.push_back(s);
    });
    timer.start();
    save_pages(numbered_pages(3), dir.file("p.pdf"), 1, 3);
    timer.stop();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().substr(0, seen.front().find(" | ")), "Salvando o relatório...");
    EXPECT_TRUE(progress_windows().empty());
}

TEST_F(GuiTest, PageMacrosKeepTheirDecimalPointUnderABrazilianDesktop) {
    // The test program runs in pt_BR, where QApplication would make the C
    // library write "210,0000".
    locale_t brazil = ::newlocale(LC_NUMERIC_MASK, "pt_BR.UTF-8", locale_t(0));
    if (!brazil) GTEST_SKIP() << "pt_BR.UTF-8 is not installed";
    ::freelocale(brazil);
    SmallReport doc(1);
    ASSERT_TRUE(doc.report->Prepare());
    EXPECT_EQ(macro_value(doc.report->Pages()->macros, "PaperWidth"), "210.0000");
    EXPECT_EQ(macro_value(doc.report->Pages()->page(0)->macros, "PaperHeight"), "297.0000");
}

}  // namespace
}  // namespace tarvek::report

int main(int argc, char** argv) {
    // No display needed; and a Brazilian desktop, as the program meets it.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("LC_ALL", "pt_BR.UTF-8", 1);
    QApplication app(argc, argv);
    tarvek::report::install_qt_engine_services();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
