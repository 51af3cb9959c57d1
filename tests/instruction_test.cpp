#include <gtest/gtest.h>

#include "app/application.h"
#include "base/errors.h"
#include "tests/test_tools.h"

namespace tarvek {
namespace {

struct KeyCase {
    const char* label;
    const char* instruction;
    const char* key;
    const char* expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << "'" << c.instruction << "' key " << c.key;
}

class LoadDadosParametro : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LoadDadosParametro, ReadsTheFirstSegmentHoldingTheKey) {
    const KeyCase& c = GetParam();
    TdtmEmail dtm;
    dtm.instrucao = c.instruction;
    EXPECT_EQ(dtm.load_dados_parametro(c.key), c.expected)
        << "instruction '" << c.instruction << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, LoadDadosParametro,
    ::testing::Values(
        KeyCase{"main database",
                "Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "Tarvek=", "h:/db/a.kvl"},
        KeyCase{"receivables database",
                "Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "Receber=", "h:/db/r.kvl"},
        KeyCase{"operation as written",
                "Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "operacao=", "EMAIL"},
        KeyCase{"any order", "operacao=print;idInstrucao=5;Tarvek=x", "idInstrucao=", "5"},
        KeyCase{"key case folds", "OPERACAO=email", "operacao=", "email"},
        KeyCase{"first segment decides", "operacao=;operacao=print", "operacao=", ""},
        KeyCase{"empty segments skipped", "a=1;;operacao=print;", "operacao=", "print"},
        KeyCase{"leading empty segments", ";;operacao=print", "operacao=", "print"},
        KeyCase{"later equals signs belong to the value", "idInstrucao=a=b", "idInstrucao=", "a=b"},
        KeyCase{"substring match", "xidInstrucao=5", "idInstrucao=", "5"},
        KeyCase{"no equals sign never matches", "operacao;operacao=x", "operacao=", "x"},
        KeyCase{"missing key", "Tarvek=a;Receber=b", "idInstrucao=", ""},
        KeyCase{"blank before the key", " operacao=print", "operacao=", "print"},
        KeyCase{"blank before equals prevents the match", "operacao =print", "operacao=", ""},
        KeyCase{"values are not trimmed", "operacao= email", "operacao=", " email"},
        KeyCase{"key text inside a value", "Receber=x=Tarvek=y;Tarvek=z", "Tarvek=", "x=Tarvek=y"},
        KeyCase{"empty instruction", "", "operacao=", ""}),
    test::LabelName());

// A million empty segments before the key: read in one pass. (Read by
// copying the rest of the text at every segment, this would take hours.)
TEST(LoadDadosParametro, ManySeparatorsAreReadInOnePass) {
    TdtmEmail dtm;
    dtm.instrucao = std::string(1'000'000, ';') + "operacao=email;" + std::string(1'000'000, ';');
    EXPECT_EQ(dtm.load_dados_parametro("operacao="), "email");
    EXPECT_EQ(dtm.load_dados_parametro("Tarvek="), "");
}

struct KindCase {
    const char* operation_segment;
    const char* kind;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << "'" << c.operation_segment << "'";
}

class ColetaOperacao : public ::testing::TestWithParam<KindCase> {};

TEST_P(ColetaOperacao, MapsTheLowerCasedOperation) {
    const KindCase& c = GetParam();
    Application app;
    app.frmPrincipal->FormCreate(
        {std::string("Tarvek=a;Receber=b;idInstrucao=1;") + c.operation_segment});
    EXPECT_EQ(app.frmPrincipal->Coleta_operacao(), c.kind) << c.operation_segment;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ColetaOperacao,
    ::testing::Values(KindCase{"operacao=email", "Boleto"}, KindCase{"operacao=EMAIL", "Boleto"},
                      KindCase{"operacao=Print", "Boleto"}, KindCase{"operacao=os_email", "OS"},
                      KindCase{"operacao=os_print", "OS"},
                      KindCase{"operacao=cond_email", "Condicional"},
                      KindCase{"operacao=COND_PRINT", "Condicional"},
                      KindCase{"operacao=e-mail", "abcd"}, KindCase{"operacao= email", "abcd"},
                      KindCase{"operacao=", "abcd"}, KindCase{"nada=1", "abcd"}),
    [](const ::testing::TestParamInfo<KindCase>& param_info) {
        return test::test_name(param_info.param.operation_segment);
    });

TEST(Dispatch, UnknownOperationConnectsNothingAndRunsNothing) {
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    main.FormCreate({"Tarvek=/nowhere/a.fdb;Receber=/nowhere/r.fdb;idInstrucao=1;operacao=e-mail"});
    EXPECT_NO_THROW(main.FormActivate());
    EXPECT_FALSE(app.dtmEmail->dtbReceber.connected());
    EXPECT_FALSE(app.dtmEmail->dtbTarvek.connected());
    EXPECT_FALSE(main.closed());
    EXPECT_EQ(main.window_state, WindowState::Minimized);
    EXPECT_FALSE(main.timerClose.enabled);
    EXPECT_FALSE(main.primeira_ativacao());
}

TEST(Dispatch, StartWithoutArgumentRunsNoJob) {
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    main.FormCreate({});
    main.FormActivate();
    EXPECT_EQ(main.window_state, WindowState::Normal);
    EXPECT_FALSE(main.primeira_ativacao());
    EXPECT_FALSE(main.closed());
}

TEST(Dispatch, FailedConnectKeepsFirstActivationForAnotherTry) {
    Application app;
    TfrmPrincipal& main = *app.frmPrincipal;
    main.FormCreate({"Tarvek=/nowhere/a.fdb;Receber=/nowhere/r.fdb;idInstrucao=9;operacao=email"});
    EXPECT_THROW(main.FormActivate(), FirebirdError);
    EXPECT_TRUE(main.primeira_ativacao());
    EXPECT_FALSE(main.closed());
    EXPECT_FALSE(main.timerClose.enabled);
    EXPECT_FALSE(app.dtmEmail->dtbTarvek.connected());
    // The connect stored the instruction's id and operation before failing.
    EXPECT_EQ(app.dtmEmail->id_instrucao, "9");
    EXPECT_EQ(app.dtmEmail->operacao, "email");
}

}  // namespace
}  // namespace tarvek
