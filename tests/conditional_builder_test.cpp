// The conditional query builder and the grade barcode lookup, against the
// sample databases.
#include <gtest/gtest.h>

#include <ostream>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

class ConditionalBuilder : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        app.dtmEmail->instrucao = pair.instruction("95", "cond_email");
        app.dtmEmail->dtmConectReceber(true);
        app.dtmEmail->dtmConectTarvek(true);
    }
    // A parameter string for an instruction id (committed at once).
    void instruction(const std::string& id, const std::string& parametros) {
        test::execute_sql(pair.main,
                          "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) "
                          "values ('SQL', '" +
                              id + "', '" + parametros + "')");
    }
    TfrmFuncoesEmail& builder() { return *app.frmFuncoesEmail; }

    test::TempDir dir;
    test::DatabasePair pair;
    Application app;
};

struct ParameterCase {
    const char* label;
    const char* parametros;  // nullptr: the instruction has no "SQL" row
    const char* numero_pacote;
    const char* tipo_condicional;
    const char* imprime_valores;
};

void PrintTo(const ParameterCase& c, std::ostream* os) {
    *os << c.label;
}

class ConditionalParameters : public ConditionalBuilder,
                              public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(ConditionalParameters, ValuesCountByPositionOnly) {
    const ParameterCase& c = GetParam();
    const std::string id = std::string("p-") + c.label;
    if (c.parametros) instruction(id, c.parametros);
    const ConditionalQuery query = builder().tratar_sql_do_condicional(id);
    EXPECT_EQ(query.sql,
              std::string("Select * from PACOTEVENDA where nro_pacote=") + c.numero_pacote);
    EXPECT_EQ(query.options.numero_pacote, c.numero_pacote);
    EXPECT_EQ(query.options.tipo_condicional, c.tipo_condicional);
    EXPECT_EQ(query.options.imprime_valores, c.imprime_valores);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ConditionalParameters,
    ::testing::Values(
        ParameterCase{"Example", "nro=57^tipo=CONDICIONAL^valores=SIM", "057", "CONDICIONAL",
                      "SIM"},
        ParameterCase{"TrailingCaret", "nro=57^tipo=PACOTE^valores=NAO^", "057", "PACOTE", "NAO"},
        ParameterCase{"LowerCaseStaysAsWritten", "a=58^b=condicional^c=nao", "058", "condicional",
                      "nao"},
        ParameterCase{"TwoSegments", "nro=57^tipo=DEVOLUCAO", "057", "DEVOLUCAO", ""},
        ParameterCase{"ValueHoldingEquals", "nro=57^tipo=X=Y^valores=SIM", "057", "X=Y", "SIM"},
        ParameterCase{"EmptyNumber", "nro=^tipo=CONDICIONAL^valores=SIM", "0", "CONDICIONAL",
                      "SIM"},
        ParameterCase{"SegmentWithoutEquals", "57^tipo=PACOTE^valores=SIM", "0", "PACOTE", "SIM"},
        ParameterCase{"LineBreakJoinsTheLastValue",
                      "nro=57^tipo=PACOTE^valores=NAO' || ASCII_CHAR(13) || ASCII_CHAR(10) || '",
                      "057", "PACOTE", "NAO\r\n"}),
    [](const ::testing::TestParamInfo<ParameterCase>& param_info) {
        return param_info.param.label;
    });

TEST_F(ConditionalBuilder, LeavesTheInformativeTextInTheMainWindowsMemo) {
    builder().tratar_sql_do_condicional("99");
    EXPECT_EQ(app.frmPrincipal->memoInformativo.lines(),
              std::vector<std::string>{utf8_to_cp1252("Orçamento para cliente sem cadastro.")});
}

TEST_F(ConditionalBuilder, PackageNumbersOtherThanDigitsAreRefused) {
    // Each would change the query or the file name if it were spliced in.
    const char* const numbers[] = {"57 or 1=1", "../../etc", "5a", "-57", "57 "};
    int n = 0;
    for (const char* number : numbers) {
        const std::string id = "bad-" + std::to_string(n++);
        instruction(id, std::string("nro=") + number + "^tipo=CONDICIONAL^valores=SIM");
        try {
            builder().tratar_sql_do_condicional(id);
            ADD_FAILURE() << number << " was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(cp1252_to_utf8(e.what()), "Número de pacote inválido na instrução " + id +
                                                    ": \"" + number +
                                                    "\" (só dígitos são aceitos).");
        }
    }
}

struct GradeCase {
    const char* label;
    const char* cod_mer;
    const char* nome_gra;
    const char* id_grade;
    bool habilitado;
    const char* cod_bar;
};

void PrintTo(const GradeCase& c, std::ostream* os) {
    *os << c.label;
}

class GradeBarcode : public ConditionalBuilder, public ::testing::WithParamInterface<GradeCase> {};

TEST_P(GradeBarcode, FoundByIdOrByName) {
    // A grade whose name holds a single quote.
    test::execute_sql(pair.main,
                      "insert into GRADES_PRODUTOS_P (cod_mer, id_grade, nome_gra, cod_bar) "
                      "values (104, 7, 'D''AGUA', '7890001000777')");
    const GradeCase& c = GetParam();
    EXPECT_EQ(load_CB_Grade(*app.dtmEmail, c.cod_mer, c.nome_gra, c.id_grade, c.habilitado),
              c.cod_bar);
}

INSTANTIATE_TEST_SUITE_P(
    Grades, GradeBarcode,
    ::testing::Values(GradeCase{"ById", "101", "", "1", true, "7890001000115"},
                      GradeCase{"IdWinsOverName", "101", "M", "2", true, "7890001000122"},
                      GradeCase{"ZeroIdByName", "103", "40", "0", true, "7890001000320"},
                      GradeCase{"EmptyIdByName", "103", "39", "", true, "7890001000313"},
                      GradeCase{"NegativeIdByName", "103", "40", "-1", true, "7890001000320"},
                      GradeCase{"QuoteInName", "104", "D'AGUA", "0", true, "7890001000777"},
                      GradeCase{"UnknownName", "101", "XG", "0", true, ""},
                      GradeCase{"UnknownId", "101", "", "12", true, ""},
                      GradeCase{"EmptyProductCode", "", "M", "0", true, ""},
                      GradeCase{"Disabled", "101", "M", "1", false, ""}),
    [](const ::testing::TestParamInfo<GradeCase>& param_info) { return param_info.param.label; });

TEST(GradeBarcodeDisabled, AsksNoDatabase) {
    TdtmEmail unconnected;
    EXPECT_EQ(load_CB_Grade(unconnected, "101", "M", "1", false), "");
    EXPECT_THROW(load_CB_Grade(unconnected, "101", "M", "1", true), Error);
}

TEST_F(ConditionalBuilder, GradeIdThatIsNoNumberIsAConversionError) {
    EXPECT_THROW(load_CB_Grade(*app.dtmEmail, "101", "M", "x1", true), ConvertError);
}

}  // namespace
}  // namespace tarvek
