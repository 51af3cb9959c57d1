// The program as the ERP starts it: one argument, no display.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace tarvek {
namespace {

using test::run_process;

test::ProcessResult run_docs(const std::vector<std::string>& arguments) {
    return run_process(TARVEK_DOCS_BINARY, arguments, {"DISPLAY="});
}

TEST(Headless, NoArgumentExplainsTheUsage) {
    const auto r = run_docs({});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("Nenhuma instrução informada"), std::string::npos) << r.err;
}

TEST(Headless, UnknownOperationRunsNothing) {
    const auto r = run_docs({"Tarvek=/x/a.fdb;Receber=/x/r.fdb;idInstrucao=1;operacao=e-mail"});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("Operação não reconhecida: \"e-mail\""), std::string::npos) << r.err;
}

TEST(Headless, PrintOperationNeedsADisplay) {
    const auto r = run_docs({"Tarvek=/x/a.fdb;Receber=/x/r.fdb;idInstrucao=1;operacao=print"});
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("precisa de uma tela"), std::string::npos) << r.err;
}

TEST(Headless, MissingDatabaseFileFailsWithTheClientMessage) {
    test::TempDir dir;
    const auto r = run_docs({"Tarvek=" + dir.path() + "/a.fdb;Receber=" + dir.path() +
                             "/falta.fdb;idInstrucao=1;operacao=email"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("falta.fdb"), std::string::npos) << r.err;
}

TEST(Headless, UnreachableServerFailsWithTheClientMessage) {
    const auto r = run_docs(
        {"Tarvek=127.0.0.1/1:/x/a.fdb;Receber=127.0.0.1/1:/x/r.fdb;idInstrucao=1;operacao=email"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("127.0.0.1"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tarvek
