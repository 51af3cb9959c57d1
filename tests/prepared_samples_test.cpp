// The sample documents as the engine lays them out, prepared in process
// through the print operations (whose pages are the ones the email
// operations write): what a person notices on them. Every line a memo
// printed ends inside its memo, as the PDF draws it (the font's point size
// with the font file's widths) and as the preview and the printer draw it
// (half a blank in, spread to the measured width).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/format.h"
#include "report/metafile.h"
#include "report/report.h"
#include "report/text_metrics.h"
#include "report/text_placement.h"
#include "tests/golden.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using report::GraphicObject;
using report::GraphicSurface;
using report::TextAlignment;

struct Document {
    const char* id;
    const char* operation;
};

const Document kDocuments[] = {
    {"77", "print"},    {"78", "print"},      {"79", "print"},      {"80", "print"},
    {"81", "print"},    {"82", "print"},      {"83", "print"},      {"84", "print"},
    {"85", "print"},    {"86", "print"},      {"90", "os_print"},   {"92", "os_print"},
    {"94", "os_print"}, {"95", "cond_print"}, {"97", "cond_print"}, {"99", "cond_print"},
};

// A line a memo printed, and where each output ends it.
struct MemoLine {
    int page = 0;
    std::string text;  // Windows-1252
    int box_left = 0;
    int box_right = 0;
    double pdf_end = 0;
    int canvas_end = 0;
};

// Memo lines start exactly where the memo rule puts them (at the box's left,
// or its right less the text's width, or centred); labels and data texts
// start half a blank further right.
bool placed_as_memo_line(const GraphicObject& o, int width) {
    const report::Rect& b = o.bounds;
    switch (o.alignment) {
        case TextAlignment::Right:
            return o.origin.x == b.right - width;
        case TextAlignment::Center:
            return o.origin.x == (b.left + b.right - width) / 2;
        default:
            return o.origin.x == b.left;
    }
}

std::vector<MemoLine> memo_lines(report::GraphicStorage& pages) {
    report::TextMetrics& metrics = report::TextMetrics::instance();
    std::vector<MemoLine> lines;
    for (int index = 0; index < pages.page_count(); ++index) {
        const GraphicSurface* page = pages.page(index);
        for (const GraphicObject& o : page->objects()) {
            if (o.kind != report::ObjectKind::Text || !(o.text_flags & report::tfNoClip) ||
                o.text.empty()) {
                continue;
            }
            const std::string& name = page->fonts().at(static_cast<std::size_t>(o.font.name_index));
            // Each output's font, as each makes it from the stored one.
            report::Font canvas_font;
            canvas_font.name = name;
            canvas_font.height = o.font.height;
            canvas_font.style = o.font.style;
            report::Font pdf_font = canvas_font;
            pdf_font.set_size(o.font.size);

            if (!placed_as_memo_line(o, metrics.text_width(canvas_font, o.text))) continue;
            MemoLine line;
            line.page = index + 1;
            // Where its ink ends: trailing blanks show nothing.
            line.text = o.text.substr(0, o.text.find_last_not_of(" \t") + 1);
            line.box_left = o.bounds.left;
            line.box_right = o.bounds.right;
            long thousandths = 0;
            for (const char c : line.text) {
                thousandths +=
                    metrics.outline(name, o.font.style).widths[static_cast<unsigned char>(c)];
            }
            line.pdf_end = report::pdf_text_place(o, o.text, pdf_font, metrics).x +
                           static_cast<double>(thousandths) * o.font.size / 750.0;
            line.canvas_end = report::canvas_text_place(o, o.text, canvas_font, metrics).x +
                              metrics.text_width(canvas_font, line.text);
            lines.push_back(line);
        }
    }
    return lines;
}

class PreparedSamples : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
        runs.emplace(home, previews, messages);
    }
    void TearDown() override { runs.reset(); }
    std::shared_ptr<report::GraphicStorage> prepare(const Document& d) {
        previews.clear();
        Application app;
        app.frmPrincipal->FormCreate({pair.instruction(d.id, d.operation)});
        app.frmPrincipal->chamar_opcao_selecionada();
        return previews.size() == 1 ? previews.front() : nullptr;
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
    std::vector<std::shared_ptr<report::GraphicStorage>> previews;
    std::vector<std::string> messages;
    std::optional<test::InProcessRuns> runs;  // after the lists it fills
};

TEST_F(PreparedSamples, MemoLinesEndInsideTheirMemoInThePdfAndOnTheCanvas) {
    int lines_checked = 0;
    bool beneficiary_line_seen = false;
    for (const Document& d : kDocuments) {
        SCOPED_TRACE(std::string(d.id) + " " + d.operation);
        const auto pages = prepare(d);
        ASSERT_NE(pages, nullptr) << (messages.empty() ? "" : messages.back());
        for (const MemoLine& line : memo_lines(*pages)) {
            // A line of one word was not chosen to fit: a word wider than its
            // memo stands alone.
            const std::size_t last = line.text.find_last_not_of(" \t");
            if (line.text.find_first_of(" \t") > last) continue;
            ++lines_checked;
            if (line.text.rfind("Cooperativa Agroindustrial", 0) == 0) beneficiary_line_seen = true;
            std::ostringstream where;
            where << "page " << line.page << ": \"" << cp1252_to_utf8(line.text) << "\" in ["
                  << line.box_left << ", " << line.box_right << ")";
            EXPECT_LE(line.pdf_end, line.box_right) << "PDF, " << where.str();
            EXPECT_LE(line.canvas_end, line.box_right) << "canvas, " << where.str();
        }
    }
    // The compact receipt's beneficiary line of the Cresol sample is among them.
    EXPECT_TRUE(beneficiary_line_seen);
    EXPECT_GT(lines_checked, 50);
}

// A boleto without a Pix payload prints as it did before the Pix block
// existed: every boleto layout's pages, whether the column is empty or the
// database has none, against goldens written by the program before it.
TEST_F(PreparedSamples, BoletosWithoutAPayloadPrintAsBeforeThePixBlock) {
    const struct {
        const char* label;
        const char* statement;
    } databases[] = {
        {"empty column", "update boletos set PIXCOPIAECOLA = null"},
        {"no column", "alter table boletos drop PIXCOPIAECOLA"},
    };
    for (const auto& database : databases) {
        SCOPED_TRACE(database.label);
        test::execute_sql(pair.receber, database.statement);
        for (const char* id : {"77", "78", "79", "80", "81", "82", "83", "84", "85", "86"}) {
            SCOPED_TRACE(id);
            const auto pages = prepare({id, "print"});
            ASSERT_NE(pages, nullptr) << (messages.empty() ? "" : messages.back());
            test::expect_golden("boleto_pages_" + std::string(id) + ".txt",
                                cp1252_to_utf8(report::dump_storage(*pages)));
        }
    }
}

// The Pix block of each sample boleto that carries a payload, whatever the
// layout and its options (informative text, observation, compact receipt,
// Sicredi receipt band, booklet): the QR code is at least 22 mm across with
// its quiet zone, and nothing else the page draws touches the QR code's
// square or the block's texts.
TEST_F(PreparedSamples, PixBlockOverlapsNothing) {
    // Boleto 2's payload with blanks after it, as a fixed-length column
    // stores it: the block shows it without them.
    test::execute_sql(pair.receber,
                      "update boletos set PIXCOPIAECOLA = PIXCOPIAECOLA || '     ' "
                      "where CHAVEBOLETO = 2");
    int blocks = 0;
    for (const char* id : {"77", "78", "79", "80", "81", "82", "83", "84", "85", "86"}) {
        SCOPED_TRACE(id);
        const auto pages = prepare({id, "print"});
        ASSERT_NE(pages, nullptr) << (messages.empty() ? "" : messages.back());
        for (int index = 0; index < pages->page_count(); ++index) {
            const std::vector<GraphicObject>& objects = pages->page(index)->objects();
            // The QR code: a white square, its dark modules inside it.
            const auto square =
                std::find_if(objects.begin(), objects.end(), [](const GraphicObject& o) {
                    return o.kind == report::ObjectKind::FillRect &&
                           o.brush.color == report::MetaColor{255, 255, 255} &&
                           o.bounds.width() == o.bounds.height() && o.bounds.width() > 50;
                });
            if (square == objects.end()) continue;
            ++blocks;
            const report::Rect qr = square->bounds;
            report::Rect symbol{qr.right, qr.bottom, qr.left, qr.top};
            int module = qr.width();
            std::vector<const GraphicObject*> block{&*square};
            for (const GraphicObject& o : objects) {
                if (o.kind == report::ObjectKind::FillRect && &o != &*square &&
                    qr.intersection(o.bounds) == o.bounds) {
                    block.push_back(&o);
                    symbol = {std::min(symbol.left, o.bounds.left),
                              std::min(symbol.top, o.bounds.top),
                              std::max(symbol.right, o.bounds.right),
                              std::max(symbol.bottom, o.bounds.bottom)};
                    module = std::min(module, o.bounds.height());
                }
                if (o.kind == report::ObjectKind::Text &&
                    (o.text == "Pague com Pix" || o.text == "Pix copia e cola"))
                    block.push_back(&o);
            }
            // The payload's lines: from the one that starts it, the lines of
            // the same memo (same left and right).
            const auto first = std::find_if(objects.begin(), objects.end(), [](const auto& o) {
                return o.kind == report::ObjectKind::Text && o.text.rfind("000201", 0) == 0;
            });
            ASSERT_NE(first, objects.end()) << "page " << index + 1;
            std::string payload;
            for (auto line = first; line != objects.end() && line->kind == first->kind &&
                                    line->bounds.left == first->bounds.left &&
                                    line->bounds.right == first->bounds.right;
                 ++line) {
                payload += line->text;
                block.push_back(&*line);
            }
            // Whole, ending in its CRC field, every line inside its memo in
            // the PDF and on the canvas (lines broken anywhere were all
            // chosen to fit, words or not).
            EXPECT_EQ(payload.rfind("6304"), payload.size() - 8) << payload;
            int payload_lines = 0;
            for (const MemoLine& line : memo_lines(*pages)) {
                if (line.page != index + 1 || line.box_left != first->bounds.left ||
                    line.box_right != first->bounds.right)
                    continue;
                ++payload_lines;
                EXPECT_LE(line.pdf_end, line.box_right) << "PDF: " << line.text;
                EXPECT_LE(line.canvas_end, line.box_right) << "canvas: " << line.text;
            }
            EXPECT_GE(payload_lines, 2) << "page " << index + 1;
            // 22 mm are 83.15 pixels; four light modules on each side.
            EXPECT_GE(symbol.width() + 8 * module, 84) << "page " << index + 1;
            EXPECT_EQ(symbol.width(), symbol.height()) << "page " << index + 1;
            for (const GraphicObject& o : objects) {
                if (std::find(block.begin(), block.end(), &o) != block.end()) continue;
                if (o.kind == report::ObjectKind::SetClipRect ||
                    o.kind == report::ObjectKind::ResetClipRect)
                    continue;
                for (const GraphicObject* mine : block) {
                    EXPECT_FALSE(o.bounds.intersects(mine->bounds))
                        << "page " << index + 1 << ": " << report::object_class_name(o.kind)
                        << " \"" << cp1252_to_utf8(o.text) << "\" at (" << o.bounds.left << ", "
                        << o.bounds.top << ") touches the Pix block's "
                        << report::object_class_name(mine->kind) << " \""
                        << cp1252_to_utf8(mine->text) << "\" at (" << mine->bounds.left << ", "
                        << mine->bounds.top << ")";
                }
            }
        }
    }
    // One sample boleto of each of the ten documents carries a payload.
    EXPECT_EQ(blocks, 10);
}

// A boleto whose code fails its check: the message instead of a preview.
TEST_F(PreparedSamples, BoletoWithAFaultyCodeOpensNoPreview) {
    test::execute_sql(pair.receber,
                      "update boletos set codbarras = overlay(codbarras placing '8' from 5 for 1) "
                      "where CHAVEBOLETO = 12");
    EXPECT_EQ(prepare({"81", "print"}), nullptr);
    EXPECT_TRUE(previews.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(utf8_to_cp1252("Boleto 12 (nosso número ")), std::string::npos)
        << cp1252_to_utf8(messages[0]);
    EXPECT_NE(messages[0].find(utf8_to_cp1252("dígito verificador geral do código de barras 8")),
              std::string::npos)
        << cp1252_to_utf8(messages[0]);
}

// The receipt band is 137 pixels tall in its table. Its note, two lines of
// 5-point text (7 pixels, 9 pixels a line) in a 14-pixel memo that expands
// its band, makes it 4 pixels taller; the rules of the boxes above the note
// keep their table height and end where the note ends.
TEST_F(PreparedSamples, SicrediReceiptBandGrowsOnlyByItsNote) {
    const auto pages = prepare({"80", "print"});
    ASSERT_NE(pages, nullptr) << (messages.empty() ? "" : messages.back());
    const GraphicSurface& page = *pages->page(0);
    const auto find = [&](report::ObjectKind kind, auto&& wanted) -> const GraphicObject* {
        for (const GraphicObject& o : page.objects()) {
            if (o.kind == kind && wanted(o)) return &o;
        }
        return nullptr;
    };
    // The band, from the top margin: its clip and its bottom border.
    const GraphicObject* band = find(report::ObjectKind::SetClipRect, [](auto&) { return true; });
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->bounds, (report::Rect{38, 38, 756, 38 + 141}));
    EXPECT_NE(find(report::ObjectKind::Rectangle,
                   [](const GraphicObject& o) {
                       return o.bounds == report::Rect{38, 38 + 140, 756, 38 + 141};
                   }),
              nullptr);
    // The note's lines, 9 pixels apart from its top (117).
    const GraphicObject* first = find(report::ObjectKind::Text, [](const GraphicObject& o) {
        return o.text.rfind("Recebi (emos)", 0) == 0;
    });
    const GraphicObject* second = find(report::ObjectKind::Text, [](const GraphicObject& o) {
        return o.text.rfind("caracteristicas", 0) == 0;
    });
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->bounds.top, 38 + 117);
    EXPECT_EQ(second->bounds.top, 38 + 117 + 9);
    // "Assinatura" (234), "Data de recebimento" (366) and the value box (498,
    // from 104) end at 135, with the note.
    for (const report::Rect rule : {report::Rect{38 + 234, 38 + 81, 38 + 235, 38 + 135},
                                    report::Rect{38 + 366, 38 + 81, 38 + 367, 38 + 135},
                                    report::Rect{38 + 498, 38 + 104, 38 + 499, 38 + 135}}) {
        EXPECT_NE(find(report::ObjectKind::Rectangle,
                       [&](const GraphicObject& o) { return o.bounds == rule; }),
                  nullptr)
            << rule.left;
    }
    EXPECT_EQ(second->bounds.bottom, 38 + 135);
}

}  // namespace
}  // namespace tarvek
