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

// What a person types by hand: the options answer without a display or a
// database, in the locale's language; any other "-" argument is a usage
// error. The display does not matter.
TEST(CommandLine, HelpVersionAndUnknownOptions) {
    const struct {
        const char* argument;
        const char* lang;
        const char* display;
        int exit_code;
        const char* out;  // the start of standard output
        const char* err;  // part of standard error
    } cases[] = {
        {"--help", "pt_BR.UTF-8", "", 0, "Uso: tarvek-docs \"Tarvek=", ""},
        {"-h", "C", "", 0, "Uso: tarvek-docs", ""},
        {"--help", "en_US.UTF-8", ":1", 0, "Usage: tarvek-docs \"Tarvek=", ""},
        {"--version", "pt_BR.UTF-8", "", 0, "tarvek-docs 1.0.0", ""},
        {"--versao", "pt_BR.UTF-8", "", 2, "", "tarvek-docs: opção desconhecida: --versao"},
        {"-", "en_US.UTF-8", "", 2, "", "tarvek-docs: unknown option: -"},
    };
    for (const auto& c : cases) {
        const auto r =
            run_process(TARVEK_DOCS_BINARY, {c.argument},
                        {std::string("DISPLAY=") + c.display, std::string("LANG=") + c.lang,
                         std::string("LC_ALL=") + c.lang});
        EXPECT_EQ(r.exit_code, c.exit_code) << c.argument << " " << c.lang << "\n" << r.err;
        EXPECT_EQ(r.out.rfind(c.out, 0), 0u) << c.argument << " " << c.lang << "\n" << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.argument << "\n" << r.err;
    }
    // The usage names every operation, the exit codes and the manual.
    const std::string help = run_docs({"--help"}).out;
    for (const char* part : {"email, print", "os_email, os_print", "cond_email, cond_print",
                             "128+n", "TARVEK_LOCK_WAIT", "man tarvek-docs"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace tarvek
