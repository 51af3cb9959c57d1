// The conditional item table: what each package line becomes under the
// configuration options, the item count caption, the paper height and the
// price columns, against the sample databases.
#include <gtest/gtest.h>

#include <ostream>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "documents/conditional/conditional_items.h"
#include "documents/conditional/conditional_layout.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

std::string w(const char* utf8) {
    return utf8_to_cp1252(utf8);
}

struct Row {
    std::int64_t cod_mer = 0;
    std::string cod_bar_ref;
    std::string ape_mer;
    std::string qtd;  // display texts
    std::string unidade;
    std::string vlr_uni;
    std::string sub_tot;
    std::int64_t id_lin = 0;
};

class ConditionalItems : public ::testing::Test {
  protected:
    void SetUp() override {
        FormatSettings::set_current(
            FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
        pair = test::sample_databases(dir);
    }
    void TearDown() override { FormatSettings::set_current(FormatSettings::from_environment()); }

    // Sets one configuration value (committed at once).
    void config(const std::string& key, const std::string& value) {
        test::execute_sql(pair.main, "update Config_Geral set Campo_Valor = '" + value +
                                         "' where Campo_Ref = '" + key + "'");
    }
    // A package of `lines` lines of product 101 with the given quantities
    // (cycled) and no prices.
    void package_with_lines(int package, int lines, const std::string& quantity = "1") {
        test::execute_sql(pair.main, "insert into PACOTEVENDA (NRO_PACOTE, COD_CLI) values (" +
                                         std::to_string(package) + ", 3)");
        if (lines == 0) return;
        test::execute_sql(
            pair.main,
            "execute block as declare i integer = 1; begin while (i <= " + std::to_string(lines) +
                ") do begin insert into ITENSPACOTE (NRO_PACOTE, NRO_ITEM, COD_MER, "
                "APE_MER, COPLEMENTO, GRADE, Id_grade, QTD_VEN) values (" +
                std::to_string(package) + ", :i, 101, 'CAMISA POLO', '', '', 0, " + quantity +
                "); i = i + 1; end end");
    }

    // Fills the item table of a fresh layout for a package, as the job does.
    std::vector<Row> fill(int package, const std::string& imprime_valores = "SIM") {
        if (!app) {
            app = std::make_unique<Application>();
            app->dtmEmail->instrucao = pair.instruction("95", "cond_email");
            app->dtmEmail->dtmConectReceber(true);
            app->dtmEmail->dtmConectTarvek(true);
        }
        layout = std::make_unique<TfrmCondicinal_Mod_1>(*app->dtmEmail);
        layout->qryCondicional.set_sql("Select * from PACOTEVENDA where nro_pacote=" +
                                       std::to_string(package));
        layout->qryCondicional.open();
        grava_dados_necessarios_tbl_item_Condicional(*app->dtmEmail, layout->qryCondicional,
                                                     *layout, imprime_valores);
        std::vector<Row> rows;
        MemoryTable& t = layout->tblItens;
        for (t.first(); !t.eof(); t.next()) {
            rows.push_back(
                {t.field_by_name("cod_mer").as_integer(),
                 t.field_by_name("cod_bar_ref").as_string(), t.field_by_name("ape_mer").as_string(),
                 t.field_by_name("qtd").display_text(), t.field_by_name("unidade").as_string(),
                 t.field_by_name("vlr_uni").display_text(),
                 t.field_by_name("sub_tot").display_text(),
                 t.field_by_name("id_lin").as_integer()});
        }
        return rows;
    }
    std::string items_caption() {
        return layout->Component<report::TRLLabel>("lblnItens").Caption();
    }
    double paper_height() { return layout->Modelo1.PageSetup().PaperHeight(); }

    test::TempDir dir;
    test::DatabasePair pair;
    std::unique_ptr<Application> app;
    std::unique_ptr<TfrmCondicinal_Mod_1> layout;
};

TEST_F(ConditionalItems, Package57LineByLine) {
    const std::vector<Row> rows = fill(57);
    ASSERT_EQ(rows.size(), 3u);
    // Grade found by id; no grade (product barcode); grade found by name.
    EXPECT_EQ(rows[0].cod_bar_ref, "7890001000115");
    EXPECT_EQ(rows[1].cod_bar_ref, "7890001000207");
    EXPECT_EQ(rows[2].cod_bar_ref, "7890001000320");
    EXPECT_EQ(rows[0].ape_mer, w("CAMISA POLO M Manga curta, algodão"));
    EXPECT_EQ(rows[1].ape_mer, "LINHO CRU  ");
    EXPECT_EQ(rows[2].ape_mer, w("TÊNIS CORRIDA 40 Solado em gel"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].id_lin, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(rows[i].cod_mer, static_cast<std::int64_t>(101 + i));
    }
    EXPECT_EQ(rows[1].qtd, "2,50");
    EXPECT_EQ(rows[1].unidade, "MT");
    EXPECT_EQ(rows[1].vlr_uni, "32,00");
    EXPECT_EQ(rows[2].sub_tot, "199,90");
    // The sum of the quantities 1 + 2,5 + 1, not the number of lines.
    EXPECT_EQ(items_caption(), "Itens: 4,5");
    EXPECT_EQ(paper_height(), 148.0);
    EXPECT_TRUE(layout->Component<report::TRLDBText>("edtvlr").Visible());
    EXPECT_TRUE(layout->Component<report::TRLDBText>("edttot").Visible());
}

struct SecondCodeCase {
    const char* label;
    const char* chk_cond_2codigo;
    const char* edt_cond_2codigo;
    const char* chk_grade_pro;
    const char* codes[3];
};

void PrintTo(const SecondCodeCase& c, std::ostream* os) {
    *os << c.label;
}

class SecondCode : public ConditionalItems, public ::testing::WithParamInterface<SecondCodeCase> {};

TEST_P(SecondCode, FollowsTheMode) {
    const SecondCodeCase& c = GetParam();
    config("CHK_COND_2CODIGO", c.chk_cond_2codigo);
    config("EDT_COND_2CODIGO", c.edt_cond_2codigo);
    config("CHKGRADEPRO", c.chk_grade_pro);
    const std::vector<Row> rows = fill(57);
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i].cod_bar_ref, c.codes[i]) << i;
}

constexpr const char* kProductBarcodes[] = {"7890001000108", "7890001000207", "7890001000306"};

INSTANTIATE_TEST_SUITE_P(
    Modes, SecondCode,
    ::testing::Values(
        SecondCodeCase{
            "GradeBarcode", "SIM", "1", "SIM", {"7890001000115", "7890001000207", "7890001000320"}},
        SecondCodeCase{"GradeBarcodeModeReadFromTwoCharacters",
                       "sim",
                       "01 grade",
                       "SIM",
                       {"7890001000115", "7890001000207", "7890001000320"}},
        SecondCodeCase{"GradeLookupOffFallsBack",
                       "SIM",
                       "1",
                       "sim",
                       {kProductBarcodes[0], kProductBarcodes[1], kProductBarcodes[2]}},
        SecondCodeCase{"Reference", "SIM", "2", "SIM", {"CP-101", "TL-102", "TN-103"}},
        SecondCodeCase{"OtherModeIsTheBarcode",
                       "SIM",
                       "3",
                       "SIM",
                       {kProductBarcodes[0], kProductBarcodes[1], kProductBarcodes[2]}},
        SecondCodeCase{"ModeOff",
                       "NAO",
                       "2",
                       "SIM",
                       {kProductBarcodes[0], kProductBarcodes[1], kProductBarcodes[2]}}),
    [](const ::testing::TestParamInfo<SecondCodeCase>& param_info) {
        return param_info.param.label;
    });

TEST_F(ConditionalItems, SecondCodeModeThatIsNoNumberNamesItsKey) {
    config("EDT_COND_2CODIGO", "1 ");
    try {
        fill(57);
        ADD_FAILURE() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "edt_Cond_2Codigo: '01 ' is not a valid integer value");
    }
}

TEST_F(ConditionalItems, FullNameJoinsNameAndGrade) {
    config("CHKIMPNOMEPRO", "Sim");
    const std::vector<Row> rows = fill(57);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].ape_mer, w("CAMISA POLO MASCULINAM Manga curta, algodão"));
    EXPECT_EQ(rows[1].ape_mer, "TECIDO LINHO CRU ");
}

TEST_F(ConditionalItems, F6MarkerLeavesTheShortNameOut) {
    std::vector<Row> rows = fill(58);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ape_mer, " P Sob encomenda" + std::string(35, ' '));
    // The full name is not affected by the marker.
    config("CHKIMPNOMEPRO", "SIM");
    rows = fill(58);
    EXPECT_EQ(rows[0].ape_mer, "JAQUETA CORTA-VENTOP Sob encomenda" + std::string(35, ' '));
}

struct PaperCase {
    const char* label;
    int lines;
    const char* itens_meia_folha;
    const char* folha_inteira;
    double height_mm;
};

void PrintTo(const PaperCase& c, std::ostream* os) {
    *os << c.label;
}

class PaperHeight : public ConditionalItems, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperHeight, FollowsTheLineCount) {
    const PaperCase& c = GetParam();
    config("EDTITENSMODCONDICION", c.itens_meia_folha);
    config("CHKTAM_VAR_CONDICION", c.folha_inteira);
    package_with_lines(70, c.lines);
    const std::vector<Row> rows = fill(70);
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(c.lines));
    EXPECT_EQ(paper_height(), c.height_mm);
    EXPECT_EQ(layout->Modelo1.PageSetup().PaperWidth(), 210.0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PaperHeight,
    ::testing::Values(PaperCase{"TenOfTenFitHalf", 10, "10 itens", "SIM", 148.0},
                      PaperCase{"ElevenOfTenTakeA4", 11, "10 itens", "SIM", 297.0},
                      PaperCase{"ElevenOfTenStayHalfWhenOff", 11, "10 itens", "NAO", 148.0},
                      PaperCase{"EmptyLimitIsZero", 1, "", "sim", 297.0},
                      PaperCase{"DigitsAmongText", 12, "a1b2", "SIM", 148.0},
                      PaperCase{"EmptyPackageHalf", 0, "", "SIM", 148.0}),
    [](const ::testing::TestParamInfo<PaperCase>& param_info) { return param_info.param.label; });

TEST_F(ConditionalItems, EmptyPackageCountsNothing) {
    package_with_lines(70, 0);
    EXPECT_TRUE(fill(70).empty());
    EXPECT_EQ(items_caption(), "Itens: 0");
}

TEST_F(ConditionalItems, QuantitySumKeepsFifteenDigits) {
    // 0,1 + 0,2 is not exactly 0,3 in binary: the caption still says 0,3.
    package_with_lines(70, 2, "0.1 * :i");
    fill(70);
    EXPECT_EQ(items_caption(), "Itens: 0,3");
    package_with_lines(71, 3, "0.333");
    const std::vector<Row> rows = fill(71);
    EXPECT_EQ(items_caption(), "Itens: 0,999");
    EXPECT_EQ(rows[0].qtd, "0,33");
}

TEST_F(ConditionalItems, NullPricesReadAsZero) {
    package_with_lines(70, 1);
    const std::vector<Row> rows = fill(70);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].vlr_uni, "0,00");
    EXPECT_EQ(rows[0].sub_tot, "0,00");
}

TEST_F(ConditionalItems, NaoHidesThePriceColumnsOnly) {
    fill(57, "NAO");
    EXPECT_FALSE(layout->Component<report::TRLDBText>("edtvlr").Visible());
    EXPECT_FALSE(layout->Component<report::TRLDBText>("edttot").Visible());
    EXPECT_TRUE(layout->Component<report::TRLDBText>("RLDBText29").Visible());
    EXPECT_EQ(items_caption(), "Itens: 4,5");
    // Exactly "NAO": lower case shows the prices.
    fill(57, "nao");
    EXPECT_TRUE(layout->Component<report::TRLDBText>("edtvlr").Visible());
}

}  // namespace
}  // namespace tarvek
