// The boleto "email" operation end to end, as the ERP starts it: the program
// as a separate process, the sample databases, the PDF checked by
// independent tools.
#include <gtest/gtest.h>

#include <sys/stat.h>

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
    test::ProcessResult run(const std::string& instruction, std::vector<std::string> env = {}) {
        env.push_back("HOME=" + home);
        env.push_back("DISPLAY=");
        env.push_back("LANG=pt_BR.UTF-8");
        env.push_back("LC_ALL=pt_BR.UTF-8");
        return test::run_process(TARVEK_DOCS_BINARY, {instruction}, env);
    }
    std::string pdf_path() const { return home + "/driveKVL/tmpEmail/Boletos/Bradesco_237.pdf"; }
    // The result rows of an instruction, as the ERP reads them.
    std::vector<std::string> result_rows(const std::string& id, const std::string& main_db = "") {
        TdtmEmail dtm;
        dtm.instrucao = "Tarvek=" + (main_db.empty() ? pair.main : main_db);
        dtm.dtmConectTarvek(true);
        std::vector<std::string> rows;
        dtm.qryTarSG.set_sql(
            "select memo_contrato from Config_Geral where Campo_Ref='EMAIL_OK' and Campo_Valor='" +
            id + "'");
        for (dtm.qryTarSG.open(); !dtm.qryTarSG.eof(); dtm.qryTarSG.next()) {
            rows.push_back(dtm.qryTarSG.field(0).as_string());
        }
        return rows;
    }
    std::map<int, std::string> codes_of_account(int account) {
        TdtmEmail dtm;
        dtm.instrucao = "Receber=" + pair.receber;
        dtm.dtmConectReceber(true);
        std::map<int, std::string> codes;
        dtm.qryRec1.set_sql("select chaveboleto, codbarras from boletos where chaveContaCorrente=" +
                            std::to_string(account) + " order by chaveboleto");
        int page = 1;
        for (dtm.qryRec1.open(); !dtm.qryRec1.eof(); dtm.qryRec1.next())
            codes[page++] = dtm.qryRec1.field(1).as_string();
        return codes;
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
    const std::string png = dir.path() + "/page";
    run_command("pdftoppm -r 300 -png '" + pdf_path() + "' '" + png + "'");
    for (const auto& [page, code] : codes) {
        const std::string file = png + "-" + std::to_string(page) + ".png";
        ASSERT_TRUE(fs::exists(file)) << file;
        const std::string decoded =
            run_command("zbarimg --raw -q -Sdisable -Si25.enable '" + file + "' 2>/dev/null")
                .output;
        EXPECT_EQ(decoded, code + "\n") << "page " << page;
    }
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

TEST_F(BoletoJob, NothingToPrintWritesNothing) {
    for (const char* id : {"87", "88"}) {
        const auto r = run(pair.instruction(id, "email"));
        EXPECT_EQ(r.exit_code, 0) << id << r.err;
        EXPECT_NE(r.err.find("Nenhum boleto na condi\xC3\xA7\xC3\xA3o estabelecida"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(result_rows(id).empty()) << id;
    }
    EXPECT_FALSE(fs::exists(home + "/driveKVL/tmpEmail/Boletos"));
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
        {"nao-existe", "Empty query"},
        {"sem-carteira", "Dynamic SQL Error"},
        {"79", "'0a' is not a valid integer value"},
        {"81",
         "O documento de boletos do leiaute 756 ainda n\xC3\xA3o est\xC3\xA1 dispon\xC3\xADvel"},
    };
    for (const auto& c : cases) {
        const auto r = run(pair.instruction(c.id, "email"));
        EXPECT_EQ(r.exit_code, 1) << c.id;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.id << ": " << r.err;
        EXPECT_TRUE(result_rows(c.id).empty()) << c.id;
    }
}

TEST_F(BoletoJob, UnwritableOutputFolderFailsWithoutAResultRow) {
    // The output root cannot be created: a plain file stands in its way.
    std::ofstream(home + "/driveKVL") << "not a folder";
    const auto r = run(pair.instruction("77", "email"));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("N\xC3\xA3o foi poss\xC3\xADvel gravar o documento " + pdf_path()),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(result_rows("77").empty());
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

}  // namespace
}  // namespace tarvek
