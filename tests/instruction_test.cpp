#include <gtest/gtest.h>

#include "app/application.h"
#include "base/errors.h"

namespace tarvek {
namespace {

struct KeyCase {
    const char* instruction;
    const char* key;
    const char* expected;
};

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
        KeyCase{"Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "Tarvek=", "h:/db/a.kvl"},
        KeyCase{"Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "Receber=", "h:/db/r.kvl"},
        KeyCase{"Tarvek=h:/db/a.kvl;Receber=h:/db/r.kvl;idInstrucao=77;operacao=EMAIL",
                "operacao=", "EMAIL"},
        KeyCase{"operacao=print;idInstrucao=5;Tarvek=x", "idInstrucao=", "5"},  // any order
        KeyCase{"OPERACAO=email", "operacao=", "email"},                        // key case folds
        KeyCase{"operacao=;operacao=print", "operacao=", ""},   // the first segment decides
        KeyCase{"a=1;;operacao=print;", "operacao=", "print"},  // empty segments skipped
        KeyCase{";;operacao=print", "operacao=", "print"},
        KeyCase{"idInstrucao=a=b", "idInstrucao=", "a=b"},  // later "=" belong to the value
        KeyCase{"xidInstrucao=5", "idInstrucao=", "5"},     // substring match
        KeyCase{"operacao;operacao=x", "operacao=", "x"},   // no "=" never matches
        KeyCase{"Tarvek=a;Receber=b", "idInstrucao=", ""},  // missing key
        KeyCase{" operacao=print", "operacao=", "print"},   // blank before the key is fine
        KeyCase{"operacao =print", "operacao=", ""},        // blank before "=" prevents the match
        KeyCase{"operacao= email", "operacao=", " email"},  // values are not trimmed
        KeyCase{"Receber=x=Tarvek=y;Tarvek=z", "Tarvek=", "x=Tarvek=y"},  // key text inside a value
        KeyCase{"", "operacao=", ""}));

struct KindCase {
    const char* operation_segment;
    const char* kind;
};

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
                      KindCase{"operacao=", "abcd"}, KindCase{"nada=1", "abcd"}));

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
