// The boleto "email" operation end to end, as the ERP starts it: the program
// as a separate process, the sample databases, the PDF checked by
// independent tools.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "base/cp1252.h"
#include "data/firebird/dtm_email.h"
#include "report/text_metrics.h"
#include "tests/test_support.h"
#include "tools/testdb_builder.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::PdfWord;
using test::run_command;

const PdfWord* find_word(const std::vector<PdfWord>& words, const std::string& text,
                         double near_y = -1) {
    for (const PdfWord& w : words) {
        if (w.text == text && (near_y < 0 || std::abs(w.y_min - near_y) < 20)) return &w;
    }
    return nullptr;
}

class BoletoJob : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
    }
    // The program as the ERP starts it, with `env` added; a HOME there
    // replaces the test's.
    test::ProcessResult run(const std::string& instruction, std::vector<std::string> env = {}) {
        if (std::none_of(env.begin(), env.end(),
                         [](const std::string& v) { return v.rfind("HOME=", 0) == 0; }))
            env.push_back("HOME=" + home);
        env.push_back("DISPLAY=");
        env.push_back("LANG=pt_BR.UTF-8");
        env.push_back("LC_ALL=pt_BR.UTF-8");
        return test::run_process(TARVEK_DOCS_BINARY, {instruction}, env);
    }
    std::string pdf_path(const std::string& file = "Bradesco_237.pdf") const {
        return home + "/driveKVL/tmpEmail/Boletos/" + file;
    }
    // The result rows of an instruction, as the ERP reads them.
    std::vector<std::string> result_rows(const std::string& id, const std::string& main_db = "") {
        return test::result_rows(main_db.empty() ? pair.main : main_db, id);
    }
    // The bar codes of an account's boletos, in the order the templates select them.
    std::vector<std::string> codes_of_account(int account) {
        TdtmEmail dtm;
        dtm.instrucao = "Receber=" + pair.receber;
        dtm.dtmConectReceber(true);
        std::vector<std::string> codes;
        dtm.qryRec1.set_sql("select chaveboleto, codbarras from boletos where chaveContaCorrente=" +
                            std::to_string(account) + " order by chaveboleto");
        for (dtm.qryRec1.open(); !dtm.qryRec1.eof(); dtm.qryRec1.next())
            codes.push_back(dtm.qryRec1.field(1).as_string());
        return codes;
    }
    // A column of one boleto, as text; empty when null.
    std::string boleto_column(int boleto, const std::string& column) {
        TdtmEmail dtm;
        dtm.instrucao = "Receber=" + pair.receber;
        dtm.dtmConectReceber(true);
        dtm.qryRec1.set_sql("select " + column +
                            " from boletos where chaveboleto=" + std::to_string(boleto));
        dtm.qryRec1.open();
        return dtm.qryRec1.eof() || dtm.qryRec1.field(0).is_null()
                   ? std::string()
                   : dtm.qryRec1.field(0).as_string();
    }
    // The bar codes read from each page of a PDF rendered at 300 dpi, sorted
    // within the page.
    std::vector<std::vector<std::string>> decoded_barcodes(const std::string& pdf, int pages) {
        const std::string png = dir.path() + "/page";
        run_command("pdftoppm -r 300 -png '" + pdf + "' '" + png + "'");
        std::vector<std::vector<std::string>> decoded;
        for (int page = 1; page <= pages; ++page) {
            const std::string file = png + "-" + std::to_string(page) + ".png";
            std::stringstream lines(
                run_command("zbarimg --raw -q -Sdisable -Si25.enable '" + file + "' 2>/dev/null")
                    .output);
            std::vector<std::string> codes;
            for (std::string line; std::getline(lines, line);) codes.push_back(line);
            std::sort(codes.begin(), codes.end());
            decoded.push_back(codes);
            fs::remove(file);
        }
        return decoded;
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
};

TEST_F(BoletoJob, EmailWritesTheBradescoPdfAndTheResultRow) {
    const auto r = run(pair.instruction("77", "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    ASSERT_TRUE(fs::exists(pdf_path())) << r.err;
    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path()});

    const auto check = run_command("qpdf --check '" + pdf_path() + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    const std::string info = run_command("pdfinfo '" + pdf_path() + "'").output;
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +3\n"))) << info;
    EXPECT_NE(info.find("595.5 x 842.25 pts"), std::string::npos) << info;

    // Static captions at the places the layout gives: band at (38, 38), plus
    // the parents' offsets, plus the half blank before the text.
    const auto words = test::pdf_words(pdf_path(), 1);
    const struct {
        const char* word;
        int x_px;  // left of the text
        int y_px;  // top of the control
    } captions[] = {
        {"INFORMATIVO", 38 + 280 + 2, 38 + 11},
        {"Local", 38 + 1 + 8 + 1, 38 + 231 + 3},  // payer's receipt grid
        {"Vencimento", 38 + 1 + 512 + 1, 38 + 231 + 3},
        {"Benefici\xC3\xA1rio", 38 + 1 + 8 + 1, 38 + 231 + 33},
        {"Nosso", 38 + 1 + 512 + 1, 38 + 231 + 81},
        {"Pagador", 38 + 1 + 8 + 1, 38 + 494 + 4},
        {"Ficha", 38 + 519 + 2, 38 + 996},
    };
    for (const auto& c : captions) {
        const PdfWord* w = find_word(words, c.word, c.y_px * 0.75);
        ASSERT_NE(w, nullptr) << c.word;
        EXPECT_NEAR(w->x_min, c.x_px * 0.75, 1.0) << c.word;
        // The glyphs' top lies a little below the control's top (the baseline
        // rule leaves room for the font's internal leading).
        EXPECT_GT(w->y_min, c.y_px * 0.75) << c.word;
        EXPECT_LT(w->y_min, c.y_px * 0.75 + 2.5) << c.word;
    }
    // The amount of the second boleto: 1500 with the Brazilian decimal
    // comma, right-aligned in its box (right edge 38 + 1 + 655 + 42).
    const auto page2 = test::pdf_words(pdf_path(), 2);
    const PdfWord* amount = find_word(page2, "1500,00");
    ASSERT_NE(amount, nullptr);
    // A right-aligned text ends one "1" before the box's right edge.
    report::Font arial8;
    arial8.set_size(8);
    const int one = report::TextMetrics::instance().text_width(arial8, "1");
    EXPECT_NEAR(amount->x_max, (38 + 1 + 655 + 42 - one) * 0.75, 1.0);

    // Every page's barcode, read from a 300 dpi rendering, is its boleto's code.
    const auto codes = codes_of_account(1);
    ASSERT_EQ(codes.size(), 3u);
    const auto decoded = decoded_barcodes(pdf_path(), 3);
    for (std::size_t page = 0; page < codes.size(); ++page)
        EXPECT_EQ(decoded[page], std::vector<std::string>{codes[page]}) << "page " << page + 1;
}

TEST_F(BoletoJob, ObservationTakesTheInformativeBox) {
    const auto r = run(pair.instruction("78", "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto words = test::pdf_words(pdf_path(), 1);
    EXPECT_EQ(find_word(words, "filial"), nullptr) << "the informative text printed";
    // The customer's observation starts 5 px below the box's top (38 + 32).
    ASSERT_FALSE(words.empty());
    const PdfWord* first_below_box = nullptr;
    for (const PdfWord& w : words) {
        if (w.y_min > (38 + 32) * 0.75 && w.y_min < (38 + 189) * 0.75) {
            if (!first_below_box || w.y_min < first_below_box->y_min) first_below_box = &w;
        }
    }
    ASSERT_NE(first_below_box, nullptr);
    EXPECT_GT(first_below_box->y_min, (38 + 32 + 5) * 0.75) << first_below_box->text;
    EXPECT_LT(first_below_box->y_min, (38 + 32 + 5) * 0.75 + 2.5) << first_below_box->text;
}

// A server's default locale (C.UTF-8, or none at all) has no regional
// settings: the boleto still reads the Brazilian way.
TEST_F(BoletoJob, LocaleWithoutRegionalSettingsWritesBrazilianDatesAndAmounts) {
    for (const char* lang : {"C.UTF-8", "POSIX", ""}) {
        const auto r = test::run_process(TARVEK_DOCS_BINARY, {pair.instruction("77", "email")},
                                         {"HOME=" + home, "DISPLAY=", std::string("LANG=") + lang,
                                          "LC_ALL=", "LC_NUMERIC=", "LC_TIME=", "LC_MESSAGES="});
        ASSERT_EQ(r.exit_code, 0) << lang << r.err;
        const auto words = test::pdf_words(pdf_path(), 1);
        EXPECT_NE(find_word(words, "15/03/2024"), nullptr) << "due date, LANG=" << lang;
        EXPECT_NE(find_word(words, "15/02/2024"), nullptr) << "issue date, LANG=" << lang;
        EXPECT_NE(find_word(words, "350,00"), nullptr) << "amount, LANG=" << lang;
    }
}

TEST_F(BoletoJob, TwoRunsReplaceTheFileAndAddTwoRows) {
    ASSERT_EQ(run(pair.instruction("77", "email")).exit_code, 0);
    const auto first = fs::last_write_time(pdf_path());
    ASSERT_EQ(run(pair.instruction("77", "email")).exit_code, 0);
    EXPECT_GE(fs::last_write_time(pdf_path()), first);
    EXPECT_EQ(result_rows("77").size(), 2u);
}

// A copy of the sample's first Bradesco boleto as boleto 500, with one thing
// changed: the whole document is refused, each fault named.
TEST_F(BoletoJob, BoletoWithAFaultyCodeRefusesTheDocument) {
    const struct {
        const char* label;
        const char* change;  // an assignment to the copy's columns
        const char* fault;   // UTF-8
    } cases[] = {
        {"general check digit", "codbarras = overlay(codbarras placing '8' from 5 for 1)",
         "dígito verificador geral do código de barras 8, esperado 9"},
        {"line field check digit",
         "linhadigitavel = overlay(linhadigitavel placing '4' from 24 for 1)",
         "dígito verificador do campo 2 da linha digitável 4, esperado 3"},
        {"line of another barcode",
         "linhadigitavel = overlay(linhadigitavel placing '9' from 27 for 1)",
         "campo 3 da linha digitável 0900123450, esperado 0100123450 pelo código de barras"},
        {"due date", "datavencimento = datavencimento + 1",
         "fator de vencimento do código de barras 9656, esperado 9657 (vencimento 16/03/2024)"},
        {"value", "valorboleto = 350.01", "valor do código de barras 350,00, esperado 350,01"},
        {"bank", "codbarras = overlay(codbarras placing '7' from 1 for 1)",
         "banco do código de barras 737, esperado 237"},
        {"no barcode", "codbarras = null", "sem código de barras"},
    };
    const std::string copy =
        "insert into boletos (CHAVEBOLETO, CHAVECONTACORRENTE, NOSSONUMERO, NRO_BANCO, "
        "DATAVENCIMENTO, VALORBOLETO, CODBARRAS, LINHADIGITAVEL, COD_CLI, NOMESACADO) "
        "select 500, 1, NOSSONUMERO, NRO_BANCO, DATAVENCIMENTO, VALORBOLETO, CODBARRAS, "
        "LINHADIGITAVEL, COD_CLI, NOMESACADO from boletos where CHAVEBOLETO = 1";
    for (const auto& c : cases) {
        test::execute_sql(pair.receber, "delete from boletos where CHAVEBOLETO = 500");
        test::execute_sql(pair.receber, copy);
        test::execute_sql(pair.receber, std::string("update boletos set ") + c.change +
                                            " where CHAVEBOLETO = 500");
        const auto r = run(pair.instruction("77", "email"));
        EXPECT_EQ(r.exit_code, 1) << c.label << "\n" << r.err;
        EXPECT_NE(r.err.find("Boleto 500 (nosso n\xC3\xBAmero "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.fault), std::string::npos) << c.label << "\n" << r.err;
        EXPECT_EQ(r.err.find("Boleto 1 "), std::string::npos) << r.err;
        EXPECT_TRUE(test::documents_in(home).empty()) << c.label;
        EXPECT_TRUE(result_rows("77").empty()) << c.label;
    }

    // The portfolio's waiver: the same boletos print as they come.
    test::execute_sql(pair.receber,
                      "insert into Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) "
                      "values (1, 'DISPENSA_VERIFICACAO', 'sim')");
    const auto r = run(pair.instruction("77", "email"));
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path("Bradesco_237.pdf")});
}

// A Pix payload that fails its checks refuses the document like a faulty
// code; a valid one passes.
TEST_F(BoletoJob, PixPayloadIsCheckedBeforeAnythingIsWritten) {
    // Boleto 1 is 350.00; the payload's CRC was computed apart from this program.
    const std::string payload =
        "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-426655440000520400005303986"
        "5406350.005802BR5913Fulano de Tal6008BRASILIA62070503***6304";
    const struct {
        const char* label;
        std::string crc;
        int exit_code;
    } cases[] = {{"CRC wrong", "0000", 1}, {"valid", "D190", 0}};
    for (const auto& c : cases) {
        test::execute_sql(pair.receber, "update boletos set PIXCOPIAECOLA = '" + payload + c.crc +
                                            "' where CHAVEBOLETO = 1");
        const auto r = run(pair.instruction("77", "email"));
        EXPECT_EQ(r.exit_code, c.exit_code) << c.label << "\n" << r.err;
        if (c.exit_code == 0) {
            EXPECT_EQ(result_rows("77"), std::vector<std::string>{pdf_path()}) << c.label;
            continue;
        }
        EXPECT_NE(r.err.find("Boleto 1 (nosso n\xC3\xBAmero 09 / 24000000001 - 2): Pix copia e "
                             "cola com CRC 0000, esperado D190"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(test::documents_in(home).empty()) << c.label;
        EXPECT_TRUE(result_rows("77").empty()) << c.label;
    }
}

TEST_F(BoletoJob, BadInstructionsFailClearlyWithoutAResultRow) {
    test::execute_sql(pair.receber,
                      "insert into boletos (chaveboleto, chaveContaCorrente, Nro_Banco, cod_cli) "
                      "values (900, 777, 237, 1)");
    test::execute_sql(
        pair.main,
        "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values "
        "('SQL', 'sem-carteira', 'Select * from Boletos where chaveContaCorrente=777')");
    test::execute_sql(pair.receber,
                      "update Config_Boletos set Campo_Valor = 'a' where Campo_Ref = 'SC_MOD_IMP'");
    const struct {
        const char* id;
        const char* message;
    } cases[] = {
        {"sem-carteira", "Dynamic SQL Error"},
        {"79", "'0a' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        const auto r = run(pair.instruction(c.id, "email"));
        EXPECT_EQ(r.exit_code, 1) << c.id;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.id << ": " << r.err;
        EXPECT_TRUE(result_rows(c.id).empty()) << c.id;
    }
}

TEST_F(BoletoJob, UnwritableOutputFolderFailsWithoutAResultRow) {
    // A level of the output folder that cannot be made is named, with why.
    const struct {
        const char* label;
        std::string home;
        std::string folder;
        const char* why;  // the start of it
    } cases[] = {
        {"a plain file stands in its way", home, home + "/driveKVL",
         "h\xC3\xA1 um arquivo com esse nome)"},
        // The system's reason, in the system's language.
        {"HOME does not exist", home + "/nowhere", home + "/nowhere/driveKVL", ""},
    };
    std::ofstream(home + "/driveKVL") << "not a folder";
    for (const auto& c : cases) {
        const auto r = run(pair.instruction("77", "email"), {"HOME=" + c.home});
        EXPECT_EQ(r.exit_code, 1) << c.label;
        const std::string document = c.home + "/driveKVL/tmpEmail/Boletos/Bradesco_237.pdf";
        std::string expected = "N\xC3\xA3o foi poss\xC3\xADvel gravar o documento " + document +
                               ": a pasta " + c.folder +
                               " n\xC3\xA3o p\xC3\xB4"
                               "de ser criada (";
        expected += c.why;
        EXPECT_NE(r.err.find(expected), std::string::npos) << c.label << "\n" << r.err;
        EXPECT_TRUE(result_rows("77").empty()) << c.label;
    }
}

TEST_F(BoletoJob, FailedPreparationLeavesNoFileAndNoRow) {
    // No fonts can be found, so laying out the first boleto fails.
    const std::string conf = dir.path() + "/fonts.conf";
    std::ofstream(conf) << "<?xml version=\"1.0\"?><fontconfig><cachedir>" << dir.path()
                        << "/fc-cache</cachedir></fontconfig>\n";
    const auto r = run(pair.instruction("77", "email"), {"FONTCONFIG_FILE=" + conf});
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_NE(r.err.find("Boleto: Erro durante a prepara\xC3\xA7\xC3\xA3o do relat\xC3\xB3rio"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(pdf_path()));
    EXPECT_TRUE(result_rows("77").empty());
}

TEST_F(BoletoJob, ThroughTheLoopbackServer) {
    const std::string server = test::test_server();
    if (server.empty()) GTEST_SKIP() << "no test server (TARVEK_TEST_SERVER) in this run";
    chmod(dir.path().c_str(), 0777);
    const std::string main_db = server + ":" + dir.path() + "/srv-tarvek.fdb";
    const std::string receber_db = server + ":" + dir.path() + "/srv-receber.fdb";
    testdb::build(main_db, receber_db);
    const auto r =
        run("Tarvek=" + main_db + ";Receber=" + receber_db + ";idInstrucao=77;operacao=email");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_TRUE(fs::exists(pdf_path()));
    EXPECT_EQ(result_rows("77", main_db), std::vector<std::string>{pdf_path()});
    testdb::drop_if_exists(main_db);
    testdb::drop_if_exists(receber_db);
}

// ---------------------------------------------------------------------------
// Every bank's layout.

// Where the PDF reader finds the text of a left-aligned caption: half a blank
// to the right of the control's left (page pixels), in points.
double caption_left_pt(int left_px, int font_px) {
    report::Font font;
    font.height = -font_px;
    const int half_blank = report::TextMetrics::instance().text_width(font, " ") / 2;  // truncated
    return (left_px + half_blank) * 0.75;
}

// The word `text` nearest to (x, y) in points, or nullptr.
const PdfWord* nearest_word(const std::vector<PdfWord>& words, const std::string& text, double x,
                            double y) {
    const PdfWord* best = nullptr;
    double best_distance = 0;
    for (const PdfWord& w : words) {
        if (w.text != text) continue;
        const double d = std::hypot(w.x_min - x, w.y_min - y);
        if (!best || d < best_distance) best = &w, best_distance = d;
    }
    return best;
}

// Checks that the first word of a caption sits at its control's place within
// a point: its left, and its glyph tops, which lie about two points below
// the control's top (the baseline rule leaves room for the font's internal
// leading).
void expect_caption_at(const std::vector<PdfWord>& words, const char* word, int left_px, int top_px,
                       int font_px, const std::string& where) {
    const double x = caption_left_pt(left_px, font_px);
    const PdfWord* w = nearest_word(words, word, x, top_px * 0.75);
    ASSERT_NE(w, nullptr) << word << " " << where;
    EXPECT_NEAR(w->x_min, x, 1.0) << word << " " << where;
    EXPECT_NEAR(w->y_min, top_px * 0.75 + 2.0, 1.0) << word << " " << where;
}

// The receipt band of the Sicredi layout is designed 137 pixels high; its
// two-line note (7 px text, beSiteExpander) grows it when the lines need more
// than their 14 designed pixels, and the boleto band follows it.
int sicredi_boleto_band_top(bool receipt) {
    if (!receipt) return 38;
    report::Font note;
    note.height = -7;
    const int note_height = 2 * report::TextMetrics::instance().line_height(note);
    return 38 + 137 + std::max(0, note_height - 14);
}

// The lines of text a PDF page holds in a box (points): words grouped by
// their top, joined by single blanks, top line first.
std::vector<std::string> lines_in_box(const std::vector<PdfWord>& words, double left, double top,
                                      double right, double bottom) {
    std::vector<const PdfWord*> inside;
    for (const PdfWord& w : words) {
        if (w.x_min >= left && w.x_min < right && w.y_min >= top && w.y_min < bottom)
            inside.push_back(&w);
    }
    std::sort(inside.begin(), inside.end(), [](const PdfWord* a, const PdfWord* b) {
        if (std::abs(a->y_min - b->y_min) > 1.0) return a->y_min < b->y_min;
        return a->x_min < b->x_min;
    });
    std::vector<std::string> lines;
    double line_top = -100;
    for (const PdfWord* w : inside) {
        if (std::abs(w->y_min - line_top) > 1.0) {
            lines.emplace_back();
            line_top = w->y_min;
        } else {
            lines.back() += ' ';
        }
        lines.back() += w->text;
    }
    return lines;
}

struct Caption {
    const char* word;  // first word of the caption, UTF-8
    int left;          // the control's place on the page of the first boleto, pixels
    int top;
    int font_px;
};

struct LayoutCase {
    const char* label;
    const char* id;
    const char* file;
    int account;
    std::vector<int> boletos_per_page;
    int band_height = 0;  // the offset of each further boleto on a page
    std::vector<Caption> captions;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.label;
}

// Band (38, 38); the grids RLPanel19 (1, 231) and RLPanel17 (2, 639); the
// payer boxes RLPanel21 (1, 494) and RLPanel40 (2, 905): all in the band.
std::vector<LayoutCase> layout_cases() {
    const int sicredi_band = sicredi_boleto_band_top(true);
    return {
        {.label = "SicrediPageWithReceipt",
         .id = "80",
         .file = "Sicredi_748-B.pdf",
         .account = 4,
         .boletos_per_page = {1, 1},
         .captions =
             {
                 {"Comprovante", 38 + 280, 38 + 4, 13},
                 {"Assinatura", 38 + 234 + 8, 38 + 81 + 4, 9},
                 {"Data", 38 + 366 + 8, 38 + 81 + 4, 9},
                 {"Nosso", 38 + 498 + 8, 38 + 81 + 7, 9},
                 // The boleto band follows the receipt.
                 {"INFORMATIVO", 38 + 280, sicredi_band + 3, 13},
                 {"Recibo", 38 + 600, sicredi_band + 131, 13},
                 {"Instruções", 38 + 1 + 10, sicredi_band + 151 + 130, 9},
                 {"REAL", 38 + 1 + 114, sicredi_band + 151 + 114, 9},
                 {"REAL", 38 + 2 + 114, sicredi_band + 527 + 114, 9},
                 {"Pagador", 38 + 2 + 8, sicredi_band + 777 + 4, 9},
                 {"Ficha", 38 + 519, sicredi_band + 868, 17},
             }},
        {.label = "SicrediBooklet",
         .id = "79",
         .file = "Sicredi_748-C.pdf",
         .account = 3,
         .boletos_per_page = {3, 3, 1},
         .band_height = 344,
         .captions =
             {
                 {"Parcela", 38 + 2 + 7, 38 + 30 + 3, 9},
                 {"Local", 38 + 2 + 197, 38 + 30 + 4, 9},
                 {"1", 38 + 2 + 4, 38 + 30 + 77, 8},
                 {"Nosso", 38 + 2 + 4, 38 + 227 + 2, 8},
                 {"Autenticação", 38 + 625, 38 + 300, 8},
                 {"Recibo", 38 + 97, 38 + 324, 8},
             }},
        {.label = "Sicoob",
         .id = "81",
         .file = "Sicoob_756.pdf",
         .account = 5,
         .boletos_per_page = {1, 1},
         .captions =
             {
                 {"INFORMATIVO", 38 + 280, 38 + 11, 13},
                 {"Uso", 38 + 1 + 10, 38 + 231 + 111, 9},
                 {"Instruções", 38 + 1 + 10, 38 + 231 + 143, 9},
                 {"Uso", 38 + 2 + 10, 38 + 639 + 115, 9},
                 {"Instruções", 38 + 2 + 10, 38 + 639 + 147, 9},
                 {"Ficha", 38 + 519, 38 + 996, 17},
             }},
        {.label = "Itau",
         .id = "83",
         .file = "Itau_341.pdf",
         .account = 7,
         .boletos_per_page = {1, 1},
         .captions =
             {
                 {"Recibo", 38 + 600, 38 + 211, 13},
                 {"Instruções", 38 + 1 + 10, 38 + 231 + 143, 9},
                 {"Instruções", 38 + 2 + 10, 38 + 639 + 151, 9},
                 {"Sacador", 38 + 1 + 8, 38 + 494 + 52, 9},
                 {"Sacador", 38 + 2 + 8, 38 + 905 + 52, 9},
             }},
        {.label = "Banrisul",
         .id = "84",
         .file = "Banrisul_041.pdf",
         .account = 8,
         .boletos_per_page = {1, 1},
         .captions =
             {
                 {"BANCO", 38 + 114, 38 + 203, 8},
                 {"DO", 38 + 114, 38 + 218, 8},
                 // On the report itself, in page coordinates.
                 {"BANCO", 149, 647, 8},
                 {"DO", 149, 662, 8},
                 {"BDL", 38 + 1 + 432, 38 + 231 + 12, 9},
                 {"BDL", 38 + 2 + 432, 38 + 639 + 12, 9},
                 {"8050.76", 38 + 1 + 236, 38 + 231 + 91, 9},
                 {"8050.76", 38 + 2 + 236, 38 + 639 + 95, 9},
                 {"Instruções:", 38 + 1 + 10, 38 + 231 + 143, 9},
                 {"Sacador", 38 + 2 + 8, 38 + 905 + 52, 9},
             }},
        {.label = "CresolOwnVariant",
         .id = "85",
         .file = "Cresol_2372.pdf",
         .account = 9,
         .boletos_per_page = {1},
         .captions =
             {
                 {"INFORMATIVO", 38 + 280, 38 + 11, 13},
                 {"Recibo", 38 + 618, 38 + 205, 11},
                 {"Pagador", 38 + 1 + 8, 38 + 494 + 52, 9},
                 {"Ficha", 38 + 519, 38 + 996, 17},
             }},
        {.label = "CresolBradescoVariant",
         .id = "86",
         .file = "Cresol_2372.pdf",
         .account = 10,
         .boletos_per_page = {1},
         .captions =
             {
                 {"Recibo", 38 + 618, 38 + 205, 11},
                 {"Pagador", 38 + 2 + 8, 38 + 905 + 52, 9},
             }},
    };
}

class BoletoLayouts : public BoletoJob, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(BoletoLayouts, EmailWritesTheDocumentOfItsTable) {
    const LayoutCase& c = GetParam();
    const auto r = run(pair.instruction(c.id, "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path(c.file);
    ASSERT_TRUE(fs::exists(pdf)) << r.err;
    EXPECT_EQ(result_rows(c.id), std::vector<std::string>{pdf});

    const auto check = run_command("qpdf --check '" + pdf + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    const int pages = static_cast<int>(c.boletos_per_page.size());
    const std::string info = run_command("pdfinfo '" + pdf + "'").output;
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +" + std::to_string(pages) + "\n")))
        << info;

    // Each page's bar codes are those of its boletos.
    const auto codes = codes_of_account(c.account);
    const auto decoded = decoded_barcodes(pdf, pages);
    std::size_t next = 0;
    for (int page = 0; page < pages; ++page) {
        std::vector<std::string> expected;
        for (int k = 0; k < c.boletos_per_page[page] && next < codes.size(); ++k)
            expected.push_back(codes[next++]);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(decoded[page], expected) << "page " << page + 1;
    }
    EXPECT_EQ(next, codes.size());

    // The static captions of every boleto, on every page; a caption's word
    // occurs at its place once for each boleto of the page and nowhere else
    // in its column.
    for (int page = 0; page < pages; ++page) {
        const auto words = test::pdf_words(pdf, page + 1);
        for (const Caption& caption : c.captions) {
            const int boletos = c.boletos_per_page[page];
            for (int k = 0; k < boletos; ++k) {
                expect_caption_at(
                    words, caption.word, caption.left, caption.top + k * c.band_height,
                    caption.font_px,
                    "page " + std::to_string(page + 1) + " boleto " + std::to_string(k + 1));
            }
            if (c.band_height == 0) continue;
            const double x = caption_left_pt(caption.left, caption.font_px);
            const auto in_column = std::count_if(words.begin(), words.end(), [&](const PdfWord& w) {
                return w.text == caption.word && std::abs(w.x_min - x) < 1.0;
            });
            EXPECT_EQ(in_column, boletos) << caption.word << " page " << page + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Banks, BoletoLayouts, ::testing::ValuesIn(layout_cases()),
                         [](const auto& param_info) {
                             return std::string(param_info.param.label);
                         });

// ---------------------------------------------------------------------------
// The Pix block of every layout, on the sample boleto of each that carries a
// payload.

struct PixCase {
    const char* label;
    const char* id;
    const char* file;
    int boleto;
    int page;
    // memoPix on the page, pixels.
    int text_left, text_top, text_width, text_height;
    // Whether the QR code reads at 150 dpi. Modules of 2 pixels are 3.1
    // dots there; where the room holds only 1-pixel modules (0.26 mm) they
    // are 1.56 dots, which reads or not by where the modules fall on the dot
    // grid (the booklet's does, the long payload's does not). All read at
    // 300 dpi and in print.
    bool reads_at_150 = true;
    // Blanks after the payload, as a fixed-length column would store it.
    bool padded = false;
};

void PrintTo(const PixCase& c, std::ostream* os) {
    *os << c.label;
}

// The informative box of the full-page layouts starts at (38, 70); the Pix
// texts at its right end, the payload under the two captions.
constexpr int kBoxLeft = 38, kBoxTop = 38 + 32;

std::vector<PixCase> pix_cases() {
    const int sicredi_band = sicredi_boleto_band_top(true);
    const auto informative_box = [](const char* label, const char* id, const char* file, int boleto,
                                    int page) {
        return PixCase{label, id, file, boleto, page, kBoxLeft + 405, kBoxTop + 36, 155, 116};
    };
    return {
        informative_box("BradescoInformativeText", "77", "Bradesco_237.pdf", 2, 2),
        informative_box("BradescoObservation", "78", "Bradesco_237.pdf", 4, 1),
        [&] {
            PixCase c = informative_box("BradescoPaddedPayload", "77", "Bradesco_237.pdf", 2, 2);
            c.padded = true;
            return c;
        }(),
        {.label = "SicrediBookletStub",
         .id = "79",
         .file = "Sicredi_748-C.pdf",
         .boleto = 6,
         .page = 1,
         // The second slip of the page; the stub's blank rows.
         .text_left = 38 + 2 + 4,
         .text_top = 38 + 344 + 30 + 127,
         .text_width = 88,
         .text_height = 69},
        {.label = "SicrediPageWithReceipt",
         .id = "80",
         .file = "Sicredi_748-B.pdf",
         .boleto = 9,
         .page = 1,
         .text_left = 38 + 400,
         .text_top = sicredi_band + 54,
         .text_width = 192,
         .text_height = 59},
        informative_box("SicoobInformativeText", "81", "Sicoob_756.pdf", 11, 1),
        {.label = "SicoobCompactReceipt",
         .id = "82",
         .file = "Sicoob_756.pdf",
         .boleto = 13,
         .page = 1,
         .text_left = kBoxLeft + 8,
         .text_top = kBoxTop + 121,
         .text_width = 376,
         .text_height = 31},
        informative_box("Itau", "83", "Itau_341.pdf", 14, 1),
        // 486 characters: the longest the column holds, nearly.
        [&] {
            PixCase c = informative_box("BanrisulLongPayload", "84", "Banrisul_041.pdf", 17, 2);
            c.reads_at_150 = false;
            return c;
        }(),
        {.label = "CresolCompactReceipt",
         .id = "85",
         .file = "Cresol_2372.pdf",
         .boleto = 18,
         .page = 1,
         .text_left = kBoxLeft + 10,
         .text_top = kBoxTop + 121,
         .text_width = 376,
         .text_height = 31},
        informative_box("CresolBradescoVariant", "86", "Cresol_2372.pdf", 19, 1),
    };
}

class PixBlocks : public BoletoJob, public ::testing::WithParamInterface<PixCase> {};

TEST_P(PixBlocks, ReadBackAsTheColumnByteForByte) {
    const PixCase& c = GetParam();
    const std::string payload = boleto_column(c.boleto, "PIXCOPIAECOLA");
    ASSERT_FALSE(payload.empty());
    if (c.padded) {
        test::execute_sql(pair.receber,
                          "update boletos set PIXCOPIAECOLA = PIXCOPIAECOLA || '     ' "
                          "where CHAVEBOLETO = " +
                              std::to_string(c.boleto));
    }
    const auto r = run(pair.instruction(c.id, "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path(c.file);
    const auto check = run_command("qpdf --check '" + pdf + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    // The QR code, read from the rendered page.
    for (const int dpi : {300, 150}) {
        if (dpi == 150 && !c.reads_at_150) continue;
        const std::string png = dir.path() + "/qr" + std::to_string(dpi);
        std::ostringstream render;
        render << "pdftoppm -r " << dpi << " -f " << c.page << " -l " << c.page
               << " -singlefile -png '" << pdf << "' '" << png << "'";
        run_command(render.str());
        const auto read = run_command("zbarimg --nodbus --raw -q -Sdisable -Sqrcode.enable '" +
                                      png + ".png' 2>/dev/null");
        EXPECT_EQ(read.output, payload + "\n") << dpi << " dpi";
    }

    // The "copia e cola" text, as a reader copies it from the payload's box
    // (coordinates at 96 dpi are the layout's pixels).
    std::ostringstream extract;
    extract << "pdftotext -f " << c.page << " -l " << c.page << " -r 96 -x " << c.text_left
            << " -y " << c.text_top << " -W " << c.text_width << " -H " << c.text_height << " '"
            << pdf << "' -";
    const auto text = run_command(extract.str());
    std::string copied;
    for (const char ch : text.output) {
        if (ch != '\n' && ch != '\f') copied += ch;
    }
    EXPECT_EQ(copied, payload);

    // The bank's part is untouched: the boleto's bar code still reads.
    const auto codes = decoded_barcodes(pdf, c.page);
    const std::string barcode = boleto_column(c.boleto, "CODBARRAS");
    EXPECT_NE(std::find(codes.back().begin(), codes.back().end(), barcode), codes.back().end());
}

INSTANTIATE_TEST_SUITE_P(Banks, PixBlocks, ::testing::ValuesIn(pix_cases()),
                         [](const auto& param_info) {
                             return std::string(param_info.param.label);
                         });

struct ReceiptCase {
    const char* label;
    const char* id;
    const char* file;
    std::vector<std::string> setup;               // statements on the receivables database
    int data_left;                                // memoComp2's left on the page, pixels
    int signature_left;                           // memoComp3's
    std::vector<std::vector<std::string>> pages;  // memoComp2's lines, page by page
    std::vector<std::string> amounts;             // the grids' document value, page by page
};

void PrintTo(const ReceiptCase& c, std::ostream* os) {
    *os << c.label;
}

// The compact receipt as it is without the Pix block.
const char* const kWithoutPix = "update boletos set PIXCOPIAECOLA = null";

const char* const kLongName = "Auto Mecânica e Centro Automotivo São João do Planalto Gaúcho Ltda";
// Its first 50 characters.
const char* const kLongNameCut = "Auto Mecânica e Centro Automotivo São João do Plan";

std::vector<ReceiptCase> receipt_cases() {
    const std::string long_name_on = "update Config_Boletos set Campo_Valor = '" +
                                     std::string(kLongName) + "' where Campo_Ref = ";
    return {
        {.label = "SicoobValueInPlainText",
         .id = "82",
         .file = "Sicoob_756.pdf",
         .setup = {long_name_on + "'SICB_NOME' and cod_carteira = 6", kWithoutPix},
         .data_left = 38 + 109,
         .signature_left = 38 + 510,
         .pages = {{"13-8", kLongNameCut, "Comércio de Peças Éden Ltda", "3069 / 7654321",
                    "R$ 150,5", "30/09/2024"}},
         .amounts = {"150,50"}},
        {.label = "SicoobEveryPageItsBoleto",
         .id = "81",
         .file = "Sicoob_756.pdf",
         .setup = {"update Config_Boletos set Campo_Valor = 'SIM' where Campo_Ref = "
                   "'SICB_COMPROVANTE' and cod_carteira = 5",
                   kWithoutPix},
         .data_left = 38 + 109,
         .signature_left = 38 + 510,
         .pages = {{"11-5", "Auto Mecânica São João Ltda", "Transportes Ribeirão Ltda",
                    "3069 / 1234567", "R$ 275", "02/09/2024"},
                   {"12-2", "Auto Mecânica São João Ltda", "Maria da Conceição Löwen",
                    "3069 / 1234567", "R$ 1234,56", "12/09/2024"}},
         .amounts = {"275,00", "1234,56"}},
        {.label = "CresolDueDateOnTheValueLine",
         .id = "85",
         .file = "Cresol_2372.pdf",
         .setup = {long_name_on + "'CRS_NOME' and cod_carteira = 9", kWithoutPix},
         .data_left = 38 + 111,
         .signature_left = 38 + 512,
         .pages = {{"09 / 24000000018 - 7", kLongNameCut, "Transportes Ribeirão Ltda",
                    "3169 / 0001234-3", "R$ 150,5 Vencimento: 10/12/2024",
                    // Drawn at 10 points, the line would end past the memo.
                    "Cooperativa Agroindustrial Vale do Jacuí - CNPJ", "55.667.788/0001-86"}},
         .amounts = {"150,50"}},
    };
}

class CompactReceipt : public BoletoJob, public ::testing::WithParamInterface<ReceiptCase> {};

TEST_P(CompactReceipt, ShowsEachPagesBoletoInPlainText) {
    const ReceiptCase& c = GetParam();
    for (const std::string& statement : c.setup) test::execute_sql(pair.receber, statement);
    const auto r = run(pair.instruction(c.id, "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path(c.file);
    for (std::size_t page = 0; page < c.pages.size(); ++page) {
        const auto words = test::pdf_words(pdf, static_cast<int>(page) + 1);
        // The data memo, between the captions and the signature block, in
        // the informative box (38 + 32, 157 high).
        EXPECT_EQ(lines_in_box(words, c.data_left * 0.75 - 0.5, (38 + 32) * 0.75,
                               c.signature_left * 0.75, (38 + 32 + 157) * 0.75),
                  c.pages[page])
            << "page " << page + 1;
        const PdfWord* signature = find_word(words, "Recebi");
        ASSERT_NE(signature, nullptr);
        EXPECT_NEAR(signature->x_min, c.signature_left * 0.75, 1.0);
        // The grids keep the display format.
        EXPECT_NE(find_word(words, c.amounts[page]), nullptr) << "page " << page + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Banks, CompactReceipt, ::testing::ValuesIn(receipt_cases()),
                         [](const auto& param_info) {
                             return std::string(param_info.param.label);
                         });

// The compact receipt beside a Pix block, with a beneficiary's name long
// enough to wrap in the narrower data column: every line of the data is
// drawn, the data's font smaller where the lines would not fit otherwise.
TEST_F(BoletoJob, CompactReceiptBesideThePixBlockDrawsEveryDataLine) {
    test::execute_sql(pair.receber, "update Config_Boletos set Campo_Valor = '" +
                                        std::string(kLongName) +
                                        "' where Campo_Ref = 'CRS_NOME' and cod_carteira = 9");
    // A payer's name of capitals, 50 characters: it wraps too.
    test::execute_sql(
        pair.receber,
        "update boletos set NOMESACADO = "
        "'COMERCIO ATACADISTA DE PECAS E ACESSORIOS AUTOMOTI' where CHAVEBOLETO = 18");
    const auto r = run(pair.instruction("85", "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto words = test::pdf_words(pdf_path("Cresol_2372.pdf"), 1);
    // The data column: from the captions' end to the signature block, in
    // the informative box, above the Pix texts.
    std::string data;
    for (const std::string& line : lines_in_box(words, (38 + 111) * 0.75 - 0.5, (38 + 32) * 0.75,
                                                (38 + 390) * 0.75, (38 + 32 + 104) * 0.75))
        data += line + " ";
    for (const std::string& expected :
         {std::string("09 / 24000000018 - 7"), std::string("COMERCIO ATACADISTA"),
          std::string("AUTOMOTI"), std::string("3169 / 0001234-3"),
          std::string("Vencimento: 10/12/2024"), std::string("55.667.788/0001-86")}) {
        EXPECT_NE(data.find(expected), std::string::npos) << expected << " in: " << data;
    }
    // The long name, wrapped: its first and last words.
    EXPECT_NE(data.find("Auto Mec\xC3\xA2nica e Centro"), std::string::npos) << data;
    EXPECT_NE(data.find("Plan"), std::string::npos) << data;
}

TEST_F(BoletoJob, SicrediReceiptBandFollowsItsFlag) {
    const struct {
        const char* flag;
        bool receipt;
    } cases[] = {{"SIM", true}, {"NAO", false}, {"", false}, {"sim", false}};
    for (const auto& c : cases) {
        test::execute_sql(pair.receber,
                          std::string("update Config_Boletos set Campo_Valor = '") + c.flag +
                              "' where Campo_Ref = 'SC_COMPROVANTE' and cod_carteira = 4");
        const auto r = run(pair.instruction("80", "email"));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        for (int page = 1; page <= 2; ++page) {
            const auto words = test::pdf_words(pdf_path("Sicredi_748-B.pdf"), page);
            EXPECT_EQ(find_word(words, "Comprovante") != nullptr, c.receipt)
                << "'" << c.flag << "'";
            // The boleto band starts below the receipt, or at the top margin.
            expect_caption_at(words, "INFORMATIVO", 38 + 280,
                              sicredi_boleto_band_top(c.receipt) + 3, 13,
                              std::string("flag '") + c.flag + "'");
            EXPECT_NE(find_word(words, "Confira"), nullptr) << "the informative text";
        }
    }
}

TEST_F(BoletoJob, EmptyReceiptFlagsPrintTheInformativeBox) {
    const struct {
        const char* id;
        const char* file;
        const char* key;
        int portfolio;
        const char* shown;  // a word of what the informative box shows instead
    } cases[] = {
        // Sicoob's portfolio 6 prints the customer's observation.
        {"82", "Sicoob_756.pdf", "SICB_COMPROVANTE", 6, "Atenção:"},
        {"85", "Cresol_2372.pdf", "CRS_COMPROVANTE", 9, "Este"},
    };
    for (const auto& c : cases) {
        test::execute_sql(pair.receber,
                          std::string("update Config_Boletos set Campo_Valor = '' where ") +
                              "Campo_Ref = '" + c.key +
                              "' and cod_carteira = " + std::to_string(c.portfolio));
        const auto r = run(pair.instruction(c.id, "email"));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const auto words = test::pdf_words(pdf_path(c.file), 1);
        EXPECT_EQ(find_word(words, "Recebi"), nullptr) << c.key;
        EXPECT_NE(find_word(words, c.shown, (38 + 32 + 5) * 0.75), nullptr) << c.key;
    }
}

TEST_F(BoletoJob, ItauGuarantorLineWithAndWithoutAGuarantor) {
    for (const bool guarantor : {true, false}) {
        if (!guarantor) {
            test::execute_sql(pair.receber,
                              "delete from Config_Boletos where Campo_Ref = 'IT_SACAVAL'");
        }
        const auto r = run(pair.instruction("83", "email"));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const auto words = test::pdf_words(pdf_path("Itau_341.pdf"), 1);
        // Both payer boxes: the caption, then the name and the tax id on its line.
        for (const auto& [box_left, box_top] : {std::pair{38 + 1, 38 + 494}, {38 + 2, 38 + 905}}) {
            const double line = (box_top + 51) * 0.75;
            expect_caption_at(words, "Sacador", box_left + 8, box_top + 52, 9, "guarantor line");
            const auto on_line = lines_in_box(words, (box_left + 90) * 0.75, line - 1,
                                              (box_left + 700) * 0.75, line + 3);
            const std::vector<std::string> expected =
                guarantor ? std::vector<std::string>{"Distribuidora Gaúcha de Peças S.A. CNPJ / CPF: 33.445.566/0001-86"}
                          : std::vector<std::string>{};
            EXPECT_EQ(on_line, expected) << (guarantor ? "with" : "without") << " a guarantor";
        }
    }
}

// The mean colour of a region of a page rendered at 48 dpi (page pixels / 2).
struct Rgb {
    double r, g, b;
};
Rgb mean_colour(const std::string& ppm_file, int left, int top, int width, int height) {
    std::ifstream in(ppm_file, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h * 3);
    in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    Rgb sum{0, 0, 0};
    int n = 0;
    for (int y = top / 2; y < (top + height) / 2; ++y) {
        for (int x = left / 2; x < (left + width) / 2; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 3;
            sum.r += pixels[i], sum.g += pixels[i + 1], sum.b += pixels[i + 2];
            ++n;
        }
    }
    return {sum.r / n, sum.g / n, sum.b / n};
}

enum class Logo { Bradesco, Cresol, None };

Logo logo_of(const Rgb& c) {
    if (c.r > 240 && c.g > 240 && c.b > 240) return Logo::None;
    return c.r > c.g ? Logo::Bradesco : Logo::Cresol;
}

struct CresolVariantCase {
    const char* label;
    const char* crs_layout;  // of portfolio 9, instruction 85
    const char* bank_number;
    Logo upper, beside, lower;  // img1, img2, img3
};

void PrintTo(const CresolVariantCase& c, std::ostream* os) {
    *os << c.label;
}

class CresolVariants : public BoletoJob, public ::testing::WithParamInterface<CresolVariantCase> {};

TEST_P(CresolVariants, BankNumberAndLogos) {
    const CresolVariantCase& c = GetParam();
    test::execute_sql(pair.receber, std::string("update Config_Boletos set Campo_Valor = '") +
                                        c.crs_layout +
                                        "' where Campo_Ref = 'CRS_LAYOUT' and cod_carteira = 9");
    // The sample's codes carry the own variant's bank, 133: under the other
    // variant's bank box they would be refused.
    test::execute_sql(pair.receber,
                      "insert into Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) "
                      "values (9, 'DISPENSA_VERIFICACAO', 'SIM')");
    const auto r = run(pair.instruction("85", "email"));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string pdf = pdf_path("Cresol_2372.pdf");
    const auto words = test::pdf_words(pdf, 1);
    for (const int top : {38 + 202, 38 + 608}) {
        EXPECT_NE(find_word(words, c.bank_number, top * 0.75), nullptr) << "row " << top;
    }
    const std::string ppm = dir.path() + "/logos";
    run_command("pdftoppm -r 48 -f 1 -l 1 -singlefile '" + pdf + "' '" + ppm + "'");
    EXPECT_EQ(logo_of(mean_colour(ppm + ".ppm", 38 + 5, 38 + 200, 91, 28)), c.upper);
    EXPECT_EQ(logo_of(mean_colour(ppm + ".ppm", 38 + 102, 38 + 200, 91, 28)), c.beside);
    EXPECT_EQ(logo_of(mean_colour(ppm + ".ppm", 38 + 5, 38 + 606, 105, 28)), c.lower);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CresolVariants,
    ::testing::Values(CresolVariantCase{"Own", "CRESOL", "133", Logo::Cresol, Logo::None,
                                        Logo::Cresol},
                      CresolVariantCase{"Bradesco", "BRADESCO", "237-2", Logo::Bradesco,
                                        Logo::Cresol, Logo::Bradesco},
                      // Only the exact upper-case text selects the own variant.
                      CresolVariantCase{"LowerCaseIsBradesco", "cresol", "237-2", Logo::Bradesco,
                                        Logo::Cresol, Logo::Bradesco}),
    [](const auto& param_info) { return std::string(param_info.param.label); });

TEST_F(BoletoJob, NullAndOverlongColumnsStillMakeWholeDocuments) {
    // Every text the layouts print empty on one boleto of each bank, and the
    // longest texts the columns hold on another.
    test::execute_sql(
        pair.receber,
        "update boletos set NOMESACADO = NULL, CNPJCPFSACADO = NULL, ENDERECOSACADO = NULL, "
        "BAIRROSACADO = NULL, CIDADESACADO = NULL, ESTADOSACADO = NULL, CEPSACADO = NULL, "
        "DATAVENCIMENTO = NULL, VALORBOLETO = NULL, DESMONSTRATIVO = NULL, INSTRUCOESCAIXA = NULL, "
        "LIN_ADC1 = NULL, LIN_ADC2 = NULL, LIN_ADC3 = NULL, LIN_ADC4 = NULL, LIN_ADC5 = NULL, "
        "NRO_TIT = NULL, NRO_PAR = NULL, DATAEMISSAO = NULL, NOSSONUMERO = NULL, LINHADIGITAVEL = "
        "NULL, CODBARRAS = NULL where chaveboleto in (5, 9, 11, 14, 16, 18, 19)");
    const std::string w50(50, 'W');
    const std::string w80(80, 'W');
    test::execute_sql(pair.receber,
                      "update boletos set NOMESACADO = '" + w50 + "', ENDERECOSACADO = '" +
                          std::string(60, 'W') + "', NRO_TIT = '" + std::string(20, '9') +
                          "', NRO_PAR = 999999999, LIN_ADC1 = '" + w80 + "', LIN_ADC5 = '" + w80 +
                          "', DESMONSTRATIVO = '" + std::string(250, 'W') +
                          "' where chaveboleto in (6, 10, 12, 15, 17)");
    test::execute_sql(pair.receber,
                      "update Config_Boletos set Campo_Valor = 'SIM' where Campo_Ref = "
                      "'SICB_COMPROVANTE'");
    // Boletos without codes would be refused before their layout is tried.
    for (const int portfolio : {3, 4, 5, 7, 8, 9, 10}) {
        test::execute_sql(pair.receber,
                          "insert into Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) "
                          "values (" +
                              std::to_string(portfolio) + ", 'DISPENSA_VERIFICACAO', 'SIM')");
    }
    const struct {
        const char* id;
        const char* file;
    } cases[] = {{"79", "Sicredi_748-C.pdf"}, {"80", "Sicredi_748-B.pdf"},
                 {"81", "Sicoob_756.pdf"},    {"83", "Itau_341.pdf"},
                 {"84", "Banrisul_041.pdf"},  {"85", "Cresol_2372.pdf"},
                 {"86", "Cresol_2372.pdf"}};
    for (const auto& c : cases) {
        const auto r = run(pair.instruction(c.id, "email"));
        EXPECT_EQ(r.exit_code, 0) << c.id << ": " << r.err;
        EXPECT_EQ(result_rows(c.id), std::vector<std::string>{pdf_path(c.file)}) << c.id;
        const auto check = run_command("qpdf --check '" + pdf_path(c.file) + "' 2>&1");
        EXPECT_EQ(check.status, 0) << c.id << ": " << check.output;
    }
}

}  // namespace
}  // namespace tarvek
