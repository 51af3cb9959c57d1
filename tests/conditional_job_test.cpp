// The conditional "email" operation end to end, as the ERP starts it: the
// program as a separate process, the sample databases (instructions 95-99,
// changed per case), the PDF checked by independent tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>

#include "report/text_metrics.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::PdfWord;
using test::run_command;

// Layout geometry in report pixels: bands start at the left margin plus the
// report's border; the title band at the top margin plus the border; the
// page footer (124 high) ends at the bottom margin plus the border.
constexpr int kBandLeft = 39;
constexpr int kTitleTop = 35;
constexpr int kPanelLeft = kBandLeft + 2;  // band2, the package and customer panel
constexpr int kPanelTop = kTitleTop + 76;
constexpr int kFirstItemTop = kTitleTop + 147;
constexpr int kItemHeight = 15;
constexpr int kHalfSheetFooterTop = 559 - 35 - 124;
constexpr int kFullSheetFooterTop = 1123 - 35 - 124;

double pt(double px) {
    return px * 0.75;
}

report::Font font_of(int height_px, bool bold = false, const char* name = "Arial") {
    report::Font font;
    font.name = name;
    font.height = -height_px;
    font.style = bold ? unsigned{report::fsBold} : 0u;
    return font;
}

// Half a blank of the font: where a label's text starts inside the label.
int half_blank(int height_px, bool bold = false, const char* name = "Arial") {
    return report::TextMetrics::instance().text_width(font_of(height_px, bold, name), " ") / 2;
}

// Where the text of a right-aligned control whose right edge is `right`
// ends: one "1" before that edge.
int right_aligned_end(int right, int height_px, bool bold = false) {
    return right - report::TextMetrics::instance().text_width(font_of(height_px, bold), "1");
}

// The reader puts a word's top about 2.5 pt below the top of the control
// that printed it (the font's internal leading); within a point of that.
void expect_top(const PdfWord& word, int control_top_px) {
    EXPECT_NEAR(word.y_min, pt(control_top_px) + 2.5, 1.0) << word.text;
}

const PdfWord* find_word(const std::vector<PdfWord>& words, const std::string& text,
                         double near_y = -1) {
    for (const PdfWord& w : words) {
        if (w.text == text && (near_y < 0 || std::abs(w.y_min - near_y) < 6)) return &w;
    }
    return nullptr;
}

bool has_word(const std::vector<PdfWord>& words, const std::string& text) {
    return find_word(words, text) != nullptr;
}

// The words on one row of a page, left to right, joined by blanks.
std::string row_text(const std::vector<PdfWord>& words, double top_pt, double left_pt = 0,
                     double right_pt = 1000) {
    std::vector<const PdfWord*> row;
    for (const PdfWord& w : words) {
        if (std::abs(w.y_min - top_pt) < 4 && w.x_min >= left_pt && w.x_max <= right_pt)
            row.push_back(&w);
    }
    std::sort(row.begin(), row.end(),
              [](const PdfWord* a, const PdfWord* b) { return a->x_min < b->x_min; });
    std::string text;
    for (const PdfWord* w : row) text += (text.empty() ? "" : " ") + w->text;
    return text;
}

int page_count(const std::string& pdf) {
    const std::string info = run_command("pdfinfo '" + pdf + "'").output;
    std::smatch m;
    return std::regex_search(info, m, std::regex("Pages: +(\\d+)")) ? std::stoi(m[1].str()) : -1;
}

std::string page_size(const std::string& pdf) {
    const std::string info = run_command("pdfinfo '" + pdf + "'").output;
    std::smatch m;
    return std::regex_search(info, m, std::regex("Page size: +([\\d.]+ x [\\d.]+) pts"))
               ? m[1].str()
               : "";
}

class ConditionalJob : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
    }
    test::ProcessResult run(const std::string& id, const std::string& operation = "cond_email") {
        return test::run_process(
            TARVEK_DOCS_BINARY, {pair.instruction(id, operation)},
            {"HOME=" + home, "DISPLAY=", "LANG=pt_BR.UTF-8", "LC_ALL=pt_BR.UTF-8"});
    }
    std::string pdf_path(const std::string& kind = "CONDICIONAL",
                         const std::string& number = "057") const {
        return home + "/driveKVL/tmpEmail/" + kind + "/" + kind + "_" + number + ".pdf";
    }
    // Runs one statement on the main database (UTF-8, committed at once).
    void sql(const std::string& statement) { test::execute_sql(pair.main, statement); }
    void config(const std::string& key, const std::string& value) {
        sql("update Config_Geral set Campo_Valor = '" + value + "' where Campo_Ref = '" + key +
            "'");
    }
    void instruction(const std::string& id, const std::string& parametros) {
        sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', '" +
            id + "', '" + parametros + "')");
    }
    // Lines 4 to `last` of package 57: product 104, no grade, price 10,00.
    void more_lines_in_57(int last) {
        sql("execute block as declare i integer = 4; begin while (i <= " + std::to_string(last) +
            ") do begin insert into ITENSPACOTE (NRO_PACOTE, NRO_ITEM, COD_MER, APE_MER, "
            "COPLEMENTO, GRADE, Id_grade, QTD_VEN, VLR_UNI, SUB_TOT) values (57, :i, 104, "
            "'JAQUETA C-VENTO', '', '', 0, 1, 10, 10); i = i + 1; end end");
    }
    std::vector<std::string> result_rows(const std::string& id) {
        return test::result_rows(pair.main, id);
    }
    // The item rows of a page: the product codes of the code column.
    static std::vector<std::string> item_codes(const std::vector<PdfWord>& words) {
        const double x = pt(kBandLeft + 5 + half_blank(11, false, "Times New Roman"));
        std::vector<std::string> codes;
        for (const PdfWord& w : words) {
            const bool digits = w.text.find_first_not_of("0123456789") == std::string::npos;
            if (digits && std::abs(w.x_min - x) < 1.0) codes.push_back(w.text);
        }
        return codes;
    }
    // Runs the instruction and returns the words of page 1 of its document.
    std::vector<PdfWord> document_words(const std::string& id,
                                        const std::string& kind = "CONDICIONAL",
                                        const std::string& number = "057") {
        const auto r = run(id);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        EXPECT_TRUE(fs::exists(pdf_path(kind, number))) << r.err;
        return test::pdf_words(pdf_path(kind, number), 1);
    }
    std::string document_text(const std::string& id, const std::string& number = "057") {
        const auto r = run(id);
        EXPECT_EQ(r.exit_code, 0) << r.err;
        return run_command("pdftotext '" + pdf_path("CONDICIONAL", number) + "' -").output;
    }

    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
};

TEST_F(ConditionalJob, EmailWritesTheHalfSheetAndTheResultRow) {
    const auto r = run("95");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    ASSERT_TRUE(fs::exists(pdf_path())) << r.err;
    EXPECT_EQ(result_rows("95"), std::vector<std::string>{pdf_path()});

    const auto check = run_command("qpdf --check '" + pdf_path() + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(page_count(pdf_path()), 1);
    EXPECT_EQ(page_size(pdf_path()), "595.5 x 419.25");

    const auto words = test::pdf_words(pdf_path(), 1);
    const int footer = kHalfSheetFooterTop;
    const struct {
        const char* word;
        int left_px;  // of the control
        int top_px;
        int font_px;
        bool bold;
        const char* font_name;
    } captions[] = {
        {"Auto", kBandLeft + 188, kTitleTop + 17, 13, true, "Arial"},
        {"CEP:", kBandLeft + 412, kTitleTop + 47, 9, false, "Arial"},
        {"Número:", kPanelLeft + 595, kPanelTop + 3, 11, true, "Arial"},
        {"Cliente:", kPanelLeft + 38, kPanelTop + 4, 12, false, "Arial"},
        {"Endereco:", kPanelLeft + 24, kPanelTop + 19, 12, false, "Arial"},
        {"Código", kPanelLeft + 4, kPanelTop + 54, 12, false, "Arial"},
        {"Descrição", kPanelLeft + 145, kPanelTop + 53, 12, false, "Arial"},
        {"Quantidade", kPanelLeft + 532, kPanelTop + 53, 12, false, "Arial"},
        {"Unitário", kPanelLeft + 605, kPanelTop + 53, 12, false, "Arial"},
        {"CAMISA", kBandLeft + 144, kFirstItemTop + 1, 11, false, "Times New Roman"},
        {"TÊNIS", kBandLeft + 144, kFirstItemTop + 2 * kItemHeight + 1, 11, false,
         "Times New Roman"},
        {"Transportador:", kBandLeft + 9, footer + 5, 11, false, "Arial"},
        {"Total:", kBandLeft + 555, footer + 36, 13, true, "Arial"},
        {"Declaro", kBandLeft + 9, footer + 54, 11, false, "Arial"},
        {"RECONHECO", kBandLeft + 9, footer + 70, 11, false, "Arial"},
        {"Mercadorias", kBandLeft + 3, footer + 107, 11, false, "Arial"},
    };
    for (const auto& c : captions) {
        const PdfWord* w = find_word(words, c.word, pt(c.top_px));
        ASSERT_NE(w, nullptr) << c.word;
        EXPECT_NEAR(w->x_min, pt(c.left_px + half_blank(c.font_px, c.bold, c.font_name)), 1.0)
            << c.word;
        expect_top(*w, c.top_px);
    }
    // Right-aligned: the item count (its label ends at 508 + 44) and the
    // package total (fixed box ending at 600 + 106).
    const PdfWord* count = find_word(words, "4,5", pt(footer + 6));
    ASSERT_NE(count, nullptr);
    EXPECT_NEAR(count->x_max, pt(right_aligned_end(kBandLeft + 552, 11)), 1.0);
    EXPECT_EQ(row_text(words, count->y_min, pt(kBandLeft + 400), pt(kBandLeft + 560)),
              "Itens: 4,5");
    const PdfWord* total = find_word(words, "374,70", pt(footer + 37));
    ASSERT_NE(total, nullptr);
    EXPECT_NEAR(total->x_max, pt(right_aligned_end(kBandLeft + 706, 11, true)), 1.0);

    EXPECT_EQ(row_text(words, pt(kTitleTop + 1) + 1, pt(kBandLeft + 300), pt(kBandLeft + 500)),
              "C O N D I C I O N A L");
    EXPECT_EQ(item_codes(words), (std::vector<std::string>{"101", "102", "103"}));
}

TEST_F(ConditionalJob, OperationInCapitalsIsTheSame) {
    const auto r = run("95", "COND_EMAIL");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(result_rows("95"), std::vector<std::string>{pdf_path()});
}

struct KindCase {
    const char* label;
    const char* id;
    std::vector<std::string> statements;  // run on the main database first
    const char* kind;
    const char* number;
    const char* title;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.label;
}

class ConditionalKinds : public ConditionalJob, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ConditionalKinds, TitleAndFile) {
    const KindCase& c = GetParam();
    for (const std::string& s : c.statements) sql(s);
    const auto words = document_words(c.id, c.kind, c.number);
    EXPECT_EQ(row_text(words, pt(kTitleTop + 1) + 1, pt(kBandLeft + 300), pt(kBandLeft + 560)),
              c.title);
    EXPECT_EQ(result_rows(c.id), std::vector<std::string>{pdf_path(c.kind, c.number)});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ConditionalKinds,
    ::testing::Values(
        KindCase{"Conditional", "95", {}, "CONDICIONAL", "057", "C O N D I C I O N A L"},
        KindCase{"SalesOrder", "96", {}, "PACOTE", "057", "P E D I D O D E V E N D A"},
        KindCase{"SalesOrderDefaultTitle",
                 "96",
                 {"delete from Config_Geral where Campo_Ref = 'EDTTITULOPEDIDO'"},
                 "PACOTE",
                 "057",
                 "Pedido de Venda"},
        KindCase{"ReturnDefaultTitle", "97", {}, "DEVOLUCAO", "057", "Devolução de produtos"},
        KindCase{"ReturnOwnTitle",
                 "97",
                 {"update Config_Geral set Campo_Valor = 'Troca' where Campo_Ref = "
                  "'EDTTITULO_DEVOL'"},
                 "DEVOLUCAO",
                 "057",
                 "Troca"},
        KindCase{"Quote", "99", {}, "CONDICIONAL", "058", "O R C A M E N T O"},
        KindCase{"PaymentFormReturnWinsOverQuote",
                 "99",
                 {"update PACOTEVENDA set FORMA_PAG = 'Devolução' where NRO_PACOTE = 58"},
                 "CONDICIONAL",
                 "058",
                 "D E V O L U C A O"},
        KindCase{"OwnConditionalTitle",
                 "99",
                 {"update Config_Geral set Campo_Valor = 'sim' where Campo_Ref = "
                  "'CHKPRINT_TITULO_COND'"},
                 "CONDICIONAL",
                 "058",
                 "Condicional de mercadorias"},
        KindCase{"OwnConditionalTitleEvenEmpty",
                 "95",
                 {"update Config_Geral set Campo_Valor = 'SIM' where Campo_Ref = "
                  "'CHKPRINT_TITULO_COND'",
                  "update Config_Geral set Campo_Valor = '' where Campo_Ref = 'EDTTITULO_COND'"},
                 "CONDICIONAL",
                 "057",
                 ""}),
    [](const ::testing::TestParamInfo<KindCase>& param_info) { return param_info.param.label; });

struct TotalCase {
    const char* label;
    const char* discount;
    const char* freight;
    int total_top;  // of "Total:" in the footer
    bool discount_shown;
    bool freight_shown;
};

void PrintTo(const TotalCase& c, std::ostream* os) {
    *os << c.label;
}

class TotalPlacement : public ConditionalJob, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(TotalPlacement, TotalTakesThePlaceOfWhatIsMissing) {
    const TotalCase& c = GetParam();
    sql(std::string("update PACOTEVENDA set VLR_DES = ") + c.discount +
        ", VLR_FRETE = " + c.freight + " where NRO_PACOTE = 57");
    const auto words = document_words("95");
    const int footer = kHalfSheetFooterTop;
    const PdfWord* label = find_word(words, "Total:");
    ASSERT_NE(label, nullptr);
    expect_top(*label, footer + c.total_top);
    // The amount moves with its caption; in its design place it lies 1 lower.
    const PdfWord* amount = find_word(words, "374,70");
    ASSERT_NE(amount, nullptr);
    const int amount_top = c.freight_shown ? 37 : c.total_top;
    expect_top(*amount, footer + amount_top);
    EXPECT_EQ(has_word(words, "Desconto:"), c.discount_shown);
    EXPECT_EQ(has_word(words, "Frete:"), c.freight_shown);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, TotalPlacement,
    ::testing::Values(TotalCase{"DiscountOnlyOnTheFreightRow", "10", "0", 21, true, false},
                      TotalCase{"NeitherOnTheDiscountRow", "0", "0", 5, false, false},
                      TotalCase{"BothInItsPlace", "10", "15", 36, true, true},
                      TotalCase{"FreightOnlyInItsPlace", "0", "5", 36, false, true},
                      TotalCase{"NegativeDiscountIsHidden", "-3", "0", 5, false, false},
                      TotalCase{"NullAmountsAreHidden", "null", "null", 5, false, false}),
    [](const ::testing::TestParamInfo<TotalCase>& param_info) { return param_info.param.label; });

TEST_F(ConditionalJob, NaoShowsQuantitiesButNoPrices) {
    const auto words = document_words("98");
    for (const char* price : {"89,90", "32,00", "80,00", "374,70", "10,00", "15,00"}) {
        EXPECT_FALSE(has_word(words, price)) << price;
    }
    for (const char* hidden : {"Total:", "Desconto:", "Frete:", "Declaro", "RECONHECO"}) {
        EXPECT_FALSE(has_word(words, hidden)) << hidden;
    }
    for (const char* shown : {"2,50", "Itens:", "4,5", "Unitário", "Sub", "Comissão:"}) {
        EXPECT_TRUE(has_word(words, shown)) << shown;
    }
}

TEST_F(ConditionalJob, LongPackageContinuesOnHalfSheetsWithTheFooterOnEveryPage) {
    config("CHKTAM_VAR_CONDICION", "NAO");
    more_lines_in_57(30);
    const auto r = run("95");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    ASSERT_EQ(page_count(pdf_path()), 2);
    EXPECT_EQ(page_size(pdf_path()), "595.5 x 419.25");
    const auto page1 = test::pdf_words(pdf_path(), 1);
    const auto page2 = test::pdf_words(pdf_path(), 2);
    // (400 - 182) / 15 rows under the title, (400 - 35) / 15 on a page without it.
    EXPECT_EQ(item_codes(page1).size(), 14u);
    EXPECT_EQ(item_codes(page2).size(), 16u);
    EXPECT_TRUE(has_word(page1, "Descrição"));
    EXPECT_FALSE(has_word(page2, "Descrição"));
    EXPECT_FALSE(has_word(page2, "Auto"));
    // The second page starts with item rows right under the top margin.
    const PdfWord* first = find_word(page2, "104");
    ASSERT_NE(first, nullptr);
    expect_top(*first, kTitleTop + 1);
    for (const auto* page : {&page1, &page2}) {
        const PdfWord* count = find_word(*page, "Itens:");
        ASSERT_NE(count, nullptr);
        expect_top(*count, kHalfSheetFooterTop + 6);
        EXPECT_TRUE(has_word(*page, "Total:"));
        EXPECT_TRUE(has_word(*page, "Mercadorias"));
    }
    EXPECT_EQ(row_text(page2, find_word(page2, "Itens:")->y_min, pt(kBandLeft + 400),
                       pt(kBandLeft + 560)),
              "Itens: 31,5");
}

TEST_F(ConditionalJob, MoreLinesThanAHalfSheetHoldsSwitchToA4) {
    // Eleven lines, ten allowed on a half sheet: a whole A4 sheet.
    more_lines_in_57(11);
    const auto r = run("95");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(page_count(pdf_path()), 1);
    EXPECT_EQ(page_size(pdf_path()), "595.5 x 842.25");
    const auto words = test::pdf_words(pdf_path(), 1);
    EXPECT_EQ(item_codes(words).size(), 11u);
    const PdfWord* count = find_word(words, "Itens:");
    ASSERT_NE(count, nullptr);
    expect_top(*count, kFullSheetFooterTop + 6);
}

TEST_F(ConditionalJob, ThreeHundredLinesOnSixA4Pages) {
    more_lines_in_57(300);
    const auto r = run("95");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(result_rows("95").size(), 1u);
    const auto check = run_command("qpdf --check '" + pdf_path() + "' 2>&1");
    EXPECT_EQ(check.status, 0) << check.output;
    // 52 rows under the title, then 61 a page: 52 + 4 × 61 + 4.
    ASSERT_EQ(page_count(pdf_path()), 6);
    std::size_t rows = 0;
    for (int page = 1; page <= 6; ++page) {
        const auto words = test::pdf_words(pdf_path(), page);
        rows += item_codes(words).size();
        const PdfWord* count = find_word(words, "Itens:");
        ASSERT_NE(count, nullptr) << page;
        expect_top(*count, kFullSheetFooterTop + 6);
        EXPECT_TRUE(has_word(words, "301,5")) << page;
    }
    EXPECT_EQ(rows, 300u);
}

TEST_F(ConditionalJob, CustomerWithoutARecordPrintsThePackagesData) {
    const std::string text = document_text("99", "058");
    EXPECT_NE(text.find("Cliente: Roberto Sá Pereira"), std::string::npos) << text;
    EXPECT_NE(text.find("Cidade: Soledade/RS"), std::string::npos) << text;
    EXPECT_NE(text.find("Fone: (54) 99876-5432"), std::string::npos) << text;
    EXPECT_NE(text.find("CPF/CNPJ: 861.245.730-08"), std::string::npos) << text;
    // Carrier 0 has no row.
    EXPECT_EQ(text.find("Transportador"), std::string::npos) << text;
}

TEST_F(ConditionalJob, CustomerWithARecordPrintsTheCustomersData) {
    const std::string text = document_text("95");
    EXPECT_NE(text.find("Cliente: 3 - Maria da Conceição Löwen"), std::string::npos) << text;
    EXPECT_NE(text.find("Transportador: Expresso Planalto Transportes Ltda"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Comissão: 2,5%"), std::string::npos) << text;
    EXPECT_NE(text.find("Fernanda Gonçalves"), std::string::npos) << text;
}

TEST_F(ConditionalJob, CustomerCodeWithoutACustomerRowPrintsThePackagesData) {
    sql("update PACOTEVENDA set COD_CLI = 77, LINHA_OBS3 = 'Tapera/RS', TRANSP = '(54) 1234-5678' "
        "where NRO_PACOTE = 57");
    const std::string text = document_text("95");
    EXPECT_NE(text.find("Cliente: Maria da Conceição Löwen"), std::string::npos) << text;
    EXPECT_NE(text.find("Cidade: Tapera/RS"), std::string::npos) << text;
}

TEST_F(ConditionalJob, EmptyCustomerAndCarrierCodesStillPrint) {
    sql("update PACOTEVENDA set COD_CLI = null, COD_TRA = null, COM_VEN = null where NRO_PACOTE = "
        "57");
    sql("update ITENSPACOTE set VLR_UNI = null, SUB_TOT = null where NRO_PACOTE = 57");
    const std::string text = document_text("95");
    EXPECT_NE(text.find("Cliente: Maria da Conceição Löwen"), std::string::npos) << text;
    EXPECT_EQ(text.find("Transportador"), std::string::npos) << text;
    EXPECT_EQ(result_rows("95").size(), 1u);
}

TEST_F(ConditionalJob, FooterOptionsOffLeaveTheirLinesEmpty) {
    config("CHKPRINTCOMCONDIC", "NAO");
    config("CHKTRANSPORTADORCOND", "NAO");
    config("CHKDECLARA", "NAO");
    const auto words = document_words("95");
    for (const char* word : {"Comissão:", "Transportador:", "Declaro", "RECONHECO"}) {
        EXPECT_FALSE(has_word(words, word)) << word;
    }
    EXPECT_TRUE(has_word(words, "Total:"));
}

TEST_F(ConditionalJob, UnitPriceDecimalsFollowTheSetting) {
    const struct {
        const char* setting;
        const char* price;
    } cases[] = {{"2", "89,90"}, {"3", "89,900"}, {"", "89,900"}};
    for (const auto& c : cases) {
        config("EDTMERDECVENDA", c.setting);
        const auto words = document_words("95");
        EXPECT_TRUE(has_word(words, c.price)) << c.setting;
        EXPECT_TRUE(has_word(words, "89,90")) << "line totals keep two decimals";
    }
}

TEST_F(ConditionalJob, LogoIsLoadedFromTheConfiguredFile) {
    // Any picture will do: a rendering of a page of the fixtures.
    run_command("pdftoppm -r 20 -png -singlefile '" + std::string(TARVEK_FIXTURES_DIR) +
                "/pdf_small.pdf' '" + dir.path() + "/logo'");
    ASSERT_TRUE(fs::exists(dir.path() + "/logo.png"));
    config("EDTIMAGEMOS1", dir.path() + "/");
    config("EDTIMAGEMOS2", "logo.png");
    document_words("95");
    const std::string images = run_command("pdfimages -list '" + pdf_path() + "'").output;
    EXPECT_TRUE(std::regex_search(images, std::regex("\n +1 +0 +image "))) << images;
}

struct BadCase {
    const char* label;
    const char* parametros;
    std::vector<std::pair<const char*, const char*>> settings;
    int exit_code;
    const char* message;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.label;
}

class BadConditionalInput : public ConditionalJob, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadConditionalInput, ClearMessageNoFileNoRow) {
    const BadCase& c = GetParam();
    instruction("bad", c.parametros);
    config("EDTIMAGEMOS1", dir.path() + "/");
    for (const auto& [key, value] : c.settings) config(key, value);
    std::ofstream(dir.path() + "/logo.png") << "not a picture";
    const auto r = run("bad");
    EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(home + "/driveKVL/tmpEmail/CONDICIONAL/CONDICIONAL_057.pdf"));
    EXPECT_TRUE(result_rows("bad").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadConditionalInput,
    ::testing::Values(BadCase{"PackageThatDoesNotExist",
                              "nro=12345^tipo=CONDICIONAL^valores=SIM",
                              {},
                              1,
                              "Nenhum pacote de venda com o número 012345"},
                      BadCase{"PackageNumberNotDigits",
                              "nro=57 or 1=1^tipo=CONDICIONAL^valores=SIM",
                              {},
                              1,
                              "Número de pacote inválido na instrução bad: \"57 or 1=1\""},
                      BadCase{"UnknownKind",
                              "nro=57^tipo=ORCAMENTO^valores=SIM",
                              {},
                              1,
                              "Tipo de documento condicional não reconhecido: \"ORCAMENTO\""},
                      BadCase{"KindInLowerCase",
                              "nro=57^tipo=condicional^valores=SIM",
                              {},
                              1,
                              "Tipo de documento condicional não reconhecido: \"condicional\""},
                      BadCase{"DecimalsSettingNotANumber",
                              "nro=57^tipo=CONDICIONAL^valores=SIM",
                              {{"EDTMERDECVENDA", "dois"}},
                              1,
                              "edtMerDecVenda: '0dois' is not a valid integer value"},
                      BadCase{"LogoThatIsNoPicture",
                              "nro=57^tipo=CONDICIONAL^valores=SIM",
                              {{"EDTIMAGEMOS2", "logo.png"}},
                              1,
                              "Cannot read picture"}),
    [](const ::testing::TestParamInfo<BadCase>& param_info) { return param_info.param.label; });

}  // namespace
}  // namespace tarvek
