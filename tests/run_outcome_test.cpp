// What a caller reads from an "email" run: exit code 0 only when the
// document was written and its result row committed; every other end exits
// 1 with its message and leaves no document, no temporary file and no row.
// The real program on copies of the sample databases.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/test_support.h"
#include "tests/test_tools.h"

namespace tarvek {
namespace {

namespace fs = std::filesystem;

struct OutcomeCase {
    const char* label;
    const char* id;
    const char* operation;
    std::vector<std::string> main_sql;     // run on the main database first
    std::vector<std::string> receber_sql;  // and on the receivables database
    bool read_only_main = false;
    int exit_code = 1;
    const char* message;  // UTF-8; part of what the run prints
};

void PrintTo(const OutcomeCase& c, std::ostream* os) {
    *os << c.label;
}

const char* const kRefuseResultRow =
    "create trigger refuse_email_ok for config_geral before insert as begin "
    "if (new.campo_ref = 'EMAIL_OK') then exception no_email_ok; end";

std::vector<OutcomeCase> outcome_cases() {
    return {
        {.label = "Written", .id = "77", .operation = "email", .exit_code = 0, .message = ""},
        {.label = "TemplateSelectsNoBoleto",
         .id = "87",
         .operation = "email",
         .message = "Nenhum boleto na condição estabelecida"},
        {.label = "BankWithoutLayout",
         .id = "88",
         .operation = "email",
         .message = "Nenhum leiaute de boleto para o banco 1"},
        {.label = "BankNumberNull",
         .id = "88",
         .operation = "email",
         .receber_sql = {"update boletos set Nro_Banco = null where chaveContaCorrente = 11"},
         .message = "Nenhum leiaute de boleto: o boleto não informa o número do banco "
                    "(NRO_BANCO vazio)"},
        {.label = "BankNumberZero",
         .id = "88",
         .operation = "email",
         .receber_sql = {"update boletos set Nro_Banco = 0 where chaveContaCorrente = 11"},
         .message = "Nenhum leiaute de boleto para o banco 0"},
        {.label = "BoletoInstructionNotFound",
         .id = "12345",
         .operation = "email",
         .message = "Instrução \"12345\" não encontrada"},
        {.label = "ServiceOrderInstructionNotFound",
         .id = "12345",
         .operation = "os_email",
         .message = "Instrução \"12345\" não encontrada"},
        {.label = "ConditionalInstructionNotFound",
         .id = "12345",
         .operation = "cond_email",
         .message = "Instrução \"12345\" não encontrada"},
        {.label = "ServiceOrderKindUnknown",
         .id = "90",
         .operation = "os_email",
         .main_sql = {"update Config_Geral set memo_contrato = "
                      "'cod_ord=1234^segmento=MECANICA^tipo=ORDEM_SERVIC' "
                      "where Campo_Valor = '90' and Campo_Ref = 'SQL'"},
         .message = "Nenhum documento de ordem de serviço para o segmento \"MECANICA\" e o "
                    "tipo \"ORDEM_SERVIC\""},
        {.label = "ConditionalKindUnknown",
         .id = "95",
         .operation = "cond_email",
         .main_sql = {"update Config_Geral set memo_contrato = "
                      "'nro=57^tipo=CONDICIONA^valores=SIM' "
                      "where Campo_Valor = '95' and Campo_Ref = 'SQL'"},
         .message = "Nenhum documento foi gerado."},
        {.label = "TriggerRefusesTheResultRow",
         .id = "77",
         .operation = "email",
         .main_sql = {"create exception no_email_ok 'EMAIL_OK recusado'", kRefuseResultRow},
         .message = "não pôde ser registrado no banco de dados e foi removido"},
        {.label = "ReadOnlyMainDatabase",
         .id = "90",
         .operation = "os_email",
         .read_only_main = true,
         .message = "não pôde ser registrado no banco de dados e foi removido: attempted update "
                    "on read-only database"},
    };
}

class RunOutcome : public ::testing::TestWithParam<OutcomeCase> {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        home = dir.path() + "/home";
        fs::create_directories(home);
    }
    test::TempDir dir;
    test::DatabasePair pair;
    std::string home;
};

TEST_P(RunOutcome, ExitsZeroOnlyWithARecordedDocument) {
    const OutcomeCase& c = GetParam();
    for (const std::string& statement : c.main_sql) test::execute_sql(pair.main, statement);
    for (const std::string& statement : c.receber_sql) test::execute_sql(pair.receber, statement);
    if (c.read_only_main) {
        const auto made =
            test::run_command("gfix -user SYSDBA -mode read_only '" + pair.main + "' 2>&1");
        ASSERT_EQ(made.status, 0) << made.output;
    }
    const auto r =
        test::run_process(TARVEK_DOCS_BINARY, {pair.instruction(c.id, c.operation)},
                          {"HOME=" + home, "DISPLAY=", "LANG=pt_BR.UTF-8", "LC_ALL=pt_BR.UTF-8"});

    EXPECT_EQ(r.exit_code, c.exit_code) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    const std::vector<std::string> documents = test::documents_in(home);
    const std::vector<std::string> rows = test::result_rows(pair.main, c.id);
    if (c.exit_code == 0) {
        ASSERT_EQ(documents.size(), 1u);
        EXPECT_EQ(rows, documents);
    } else {
        EXPECT_TRUE(documents.empty()) << documents.front();
        EXPECT_TRUE(rows.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, RunOutcome, ::testing::ValuesIn(outcome_cases()),
                         [](const auto& param_info) {
                             return std::string(param_info.param.label);
                         });

}  // namespace
}  // namespace tarvek
