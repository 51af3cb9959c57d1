// The boleto SQL that the builder makes from an instruction and the
// portfolio's configuration, against the sample databases.
#include <gtest/gtest.h>

#include <optional>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "tests/golden.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

std::string w(const char* utf8) {
    return utf8_to_cp1252(utf8);
}

class BoletoBuilder : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        app.dtmEmail->instrucao = pair.instruction("77", "email");
        app.dtmEmail->dtmConectReceber(true);
        app.dtmEmail->dtmConectTarvek(true);
    }
    // The SQL; what the builder chose with it is kept in `built`.
    std::string build(const std::string& id) {
        BoletoQuery query = builder().tratar_sql_do_boleto(id);
        built = query.options;
        return query.sql;
    }
    TfrmFuncoesEmail& builder() { return *app.frmFuncoesEmail; }
    // Sets one Config_Boletos value of a portfolio (committed at once).
    void config(int portfolio, const std::string& key, const std::string& value) {
        test::execute_sql(pair.receber, "update Config_Boletos set Campo_Valor = '" + value +
                                            "' where cod_carteira = " + std::to_string(portfolio) +
                                            " and Campo_Ref = '" + key + "'");
    }
    void instruction(const std::string& id, const std::string& sql) {
        test::execute_sql(
            pair.main,
            "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', '" +
                id + "', '" + sql + "')");
    }
    // Runs the built SQL and returns the first row's value of a column.
    std::string first_value(const std::string& sql, const std::string& column) {
        Query q("qryBoleto", app.dtmEmail->dtbReceber, app.dtmEmail->ibtReceber);
        q.set_sql(sql);
        q.open();
        EXPECT_FALSE(q.eof());
        return q.field_by_name(column).as_string();
    }

    test::TempDir dir;
    test::DatabasePair pair;
    Application app;
    BoletoOptions built;
};

TEST_F(BoletoBuilder, BradescoSqlIsExact) {
    const std::string sql = build("77");
    const std::string expected =
        w("Select cast( 'Auto Mecânica São João Ltda' as char(80)) \"nomeBeneficiario\" ,\r\n"
          "cast( 'Rua das Acácias, 1500 - Centro' as char(80)) \"End_1_Beneficiario\" ,\r\n"
          "cast( 'Passo Fundo - RS - CEP 99010-000' as char(80)) \"End_2_Beneficiario\" ,\r\n"
          "cast( '1234-3 / 0012345-5' as char(20)) \"AgenciaCedente\" ,\r\n"
          "cast( 'Pagável preferencialmente na rede Bradesco ou no Bradesco Expresso' as "
          "char(100)) \"LocalPagto\" ,\r\n"
          "cast( '237-2' as char(5)) \"NroBancoX\" ,\r\n"
          "cast( '12.345.678/0001-95' as char(20)) \"CnpjBeneficiario\" ,\r\n"
          "cast( 'N' as char(5)) \"Aceite\" ,\r\n"
          "cast( '09' as char(3)) \"Carteira\" ,\r\n"
          "'09 / ' || substring( b.nossonumero from 1 for 11 ) || ' - ' || substring( "
          "b.nossonumero from 12 for 1 ) "
          "\"nossoNumeroStr\" ,cast( '  ' as blob ) ObsCliente , \r\n"
          " b.* from boletos b WHERE CHAVECONTACORRENTE=1 ORDER BY CHAVEBOLETO");
    EXPECT_EQ(sql, expected);
    EXPECT_EQ(built.banco_layout(), "237");
    EXPECT_FALSE(built.imprime_obs_cliente);
    EXPECT_EQ(app.frmPrincipal->memoInformativo.lines().size(), 3u);
    EXPECT_EQ(app.frmPrincipal->memoInformativo.lines()[0],
              w("Prezado cliente, seguem os boletos referentes às suas compras."));
    // The database takes it, and the constant columns keep their width.
    EXPECT_EQ(first_value(sql, "AGENCIACEDENTE"), "1234-3 / 0012345-5  ");
    EXPECT_EQ(first_value(sql, "OBSCLIENTE"), "  ");
}

TEST_F(BoletoBuilder, TemplateCaseAndRepetition) {
    instruction("T1", "select * from boletos where chavecontacorrente=1");
    const std::string one = build("T1");
    const auto head = std::string("Select cast( ");
    EXPECT_EQ(one.substr(0, head.size()), head);
    const std::string tail = " b.* from boletos b WHERE CHAVECONTACORRENTE=1";
    EXPECT_EQ(one.substr(one.size() - tail.size()), tail);

    instruction("T2",
                "select * from boletos where chaveboleto=1 union all Select * From Boletos where "
                "chaveboleto=2");
    const std::string two = build("T2");
    std::size_t count = 0;
    for (auto pos = two.find("\"nomeBeneficiario\""); pos != std::string::npos;
         pos = two.find("\"nomeBeneficiario\"", pos + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(first_value(two, "NROBANCOX"), "237-2");
}

TEST_F(BoletoBuilder, SicrediModeAndReceiptFlag) {
    const struct {
        const char* mod_imp;
        const char* layout;
    } cases[] = {{"", "748-B"}, {"0", "748-B"}, {"00", "748-B"}, {"1", "748-C"}, {"2", "748-C"}};
    for (const auto& c : cases) {
        config(3, "SC_MOD_IMP", c.mod_imp);
        build("79");
        EXPECT_EQ(built.banco_layout(), c.layout) << "sc_Mod_imp '" << c.mod_imp << "'";
    }
    config(3, "SC_MOD_IMP", "a");
    try {
        build("79");
        FAIL() << "accepted a non-integer sc_Mod_imp";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'0a' is not a valid integer value");
    }

    config(4, "SC_COMPROVANTE", "sim");  // compared exactly
    build("80");
    EXPECT_FALSE(built.comprovante);
    config(4, "SC_COMPROVANTE", "SIM");
    build("80");
    EXPECT_TRUE(built.comprovante);
    EXPECT_EQ(first_value(build("80"), "NOSSONUMEROSTR"), "24/200009-0");
}

TEST_F(BoletoBuilder, SicoobObservationKeyFoldsCase) {
    const std::string sql = build("82");  // sicb_printObsCliente "sim"
    EXPECT_EQ(built.banco_layout(), "756");
    EXPECT_TRUE(built.imprime_obs_cliente);
    EXPECT_NE(sql.find("cast( ( Select Obs_cli from clientes where codigo=b.cod_cli ) as blob ) "
                       "ObsCliente , "),
              std::string::npos);
}

TEST_F(BoletoBuilder, CresolVariants) {
    config(9, "CRS_LAYOUT", "cresol");  // only the exact text selects the own layout
    std::string sql = build("85");
    EXPECT_EQ(built.variant_name(), "BRADESCO");
    EXPECT_EQ(first_value(sql, "NROBANCOX"), "237-2");
    const std::string bradesco_agency = first_value(sql, "AGENCIACEDENTE");

    config(9, "CRS_LAYOUT", "CRESOL");
    sql = build("85");
    EXPECT_EQ(built.variant_name(), "CRESOL");
    EXPECT_EQ(first_value(sql, "NROBANCOX"), "133  ");
    const std::string cresol_agency = first_value(sql, "AGENCIACEDENTE");
    // The Bradesco variant carries the agency check digit, the own layout not.
    EXPECT_GT(bradesco_agency.find_last_not_of(' '), cresol_agency.find_last_not_of(' '));
    EXPECT_TRUE(built.comprovante);
}

TEST_F(BoletoBuilder, PortfolioTypePrefixes) {
    EXPECT_NE(build("83").find("'109/' || substring( b.nossonumero from 1 for 8 )"),
              std::string::npos);
    config(7, "IT_TIPO_CRT_SR", "10987");
    EXPECT_NE(build("83").find("'1098' || substring"), std::string::npos);
    config(1, "BRD_TIPO_CRT_SR", "12345");
    EXPECT_NE(build("77").find("'12345' || substring"), std::string::npos);
}

TEST_F(BoletoBuilder, QuotesInValuesAndBanrisulBlankColumns) {
    const std::string sql = build("78");
    EXPECT_NE(sql.find("'Oficina D''Avila Ltda'"), std::string::npos);
    EXPECT_EQ(first_value(sql, "NOMEBENEFICIARIO"), "Oficina D'Avila Ltda" + std::string(60, ' '));
    EXPECT_TRUE(built.imprime_obs_cliente);

    const std::string banrisul = build("84");
    EXPECT_EQ(built.banco_layout(), "041");
    EXPECT_EQ(first_value(banrisul, "END_2_BENEFICIARIO"), std::string(80, ' '));
    EXPECT_EQ(first_value(banrisul, "NOMESACADOR"), std::string(80, ' '));
    EXPECT_EQ(first_value(banrisul, "CPFCNPJSACADOR"), std::string(30, ' '));
}

TEST_F(BoletoBuilder, NothingToPrintAndBadInstructions) {
    // A template that selects nothing and an unsupported bank: layout "000";
    // the job learns which of the two it was.
    const struct {
        const char* id;
        bool found;
        std::optional<int> bank;
    } cases[] = {{"87", false, std::nullopt}, {"88", true, 1}};
    for (const auto& c : cases) {
        const std::string sql = build(c.id);
        EXPECT_EQ(built.banco_layout(), "000") << c.id;
        EXPECT_EQ(built.boleto_found, c.found) << c.id;
        EXPECT_EQ(built.bank_number, c.bank) << c.id;
        EXPECT_EQ(sql.substr(0, 26), "Select  b.* from boletos b") << c.id;
    }
    test::execute_sql(pair.receber,
                      "update boletos set Nro_Banco = null where chaveContaCorrente = 11");
    build("88");
    EXPECT_TRUE(built.boleto_found);
    EXPECT_EQ(built.bank_number, std::nullopt);
    // No instruction rows at all: said before any query runs.
    try {
        build("nao-existe");
        FAIL() << "built from a missing instruction";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), utf8_to_cp1252("Instrução \"nao-existe\" não encontrada: "
                                              "Config_Geral não tem a linha SQL dela. Nenhum "
                                              "documento foi gerado.")
                                   .c_str());
    }
    // A boleto whose account has no portfolio: the configuration lookup fails.
    test::execute_sql(pair.receber,
                      "insert into boletos (chaveboleto, chaveContaCorrente, Nro_Banco, cod_cli) "
                      "values (900, 777, 237, 1)");
    instruction("T3", "Select * from Boletos where chaveContaCorrente=777");
    EXPECT_THROW(build("T3"), FirebirdError);
}

// What the builder makes for every bank of the sample data, as the boleto
// jobs of the end-to-end tests print it: the select list, byte for byte, and
// the choices the job receives. Line ends are shown as they are sent.
TEST_F(BoletoBuilder, EverySampleBankBuildsItsKnownSql) {
    std::string text;
    // The last run: Itau without a guarantor.
    for (const char* id :
         {"77", "78", "79", "80", "81", "82", "83", "84", "85", "86", "87", "88", "83"}) {
        if (text.find("instruction 88") != std::string::npos) config(7, "IT_SACAVAL", "");
        std::string sql = build(id);
        const BoletoOptions& o = built;
        const std::string variant = o.variant_name();
        text += std::string("== instruction ") + id + ": layout " + o.banco_layout() +
                ", observation " + (o.imprime_obs_cliente ? "yes" : "no") + ", receipt " +
                (o.comprovante ? "yes" : "no") + ", variant " + (variant.empty() ? "-" : variant) +
                "\n";
        for (std::size_t at = sql.find("\r\n"); at != std::string::npos; at = sql.find("\r\n", at))
            sql.replace(at, 2, "<CR><LF>\n");
        text += sql + "\n";
    }
    test::expect_golden("boleto_sql.txt", cp1252_to_utf8(text));
}

TEST(FormatColumm, AllFourShapes) {
    EXPECT_EQ(
        BoletoQueryBuilder::Format_Columm("Nome do Beneficiario", "nomeBeneficiario", 80, ","),
        "cast( 'Nome do Beneficiario' as char(80)) \"nomeBeneficiario\" ,\r\n");
    EXPECT_EQ(BoletoQueryBuilder::Format_Columm("x", "a", 0, ","), "'x' \"a\" ,\r\n");
    EXPECT_EQ(BoletoQueryBuilder::Format_Columm("", "", 5, ","), "cast( '' as char(5)) ,\r\n");
    EXPECT_EQ(BoletoQueryBuilder::Format_Columm("D'A", "", -1, ";"), "'D''A';\r\n");
}

}  // namespace
}  // namespace tarvek
