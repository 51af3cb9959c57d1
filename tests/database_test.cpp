#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/errors.h"
#include "data/firebird/dtm_email.h"
#include "tests/test_support.h"
#include "tools/testdb_builder.h"

#include <sys/stat.h>

namespace tarvek {
namespace {

using test::DatabasePair;
using test::TempDir;

// A data module connected to a fresh copy of the sample pair.
class DataModule : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        dtm.instrucao = pair.instruction("77", "email");
    }
    void connect_both() {
        dtm.dtmConectReceber(true);
        dtm.dtmConectTarvek(true);
    }
    // Counts rows with a separate connection, so only committed work is seen.
    int committed_rows(const std::string& where) {
        TdtmEmail other;
        other.instrucao = dtm.instrucao;
        other.dtmConectTarvek(true);
        other.qryTarSG.set_sql("select count(*) from Config_Geral where " + where);
        other.qryTarSG.open();
        return static_cast<int>(other.qryTarSG.field(0).as_integer());
    }

    TempDir dir;
    DatabasePair pair;
    TdtmEmail dtm;
};

TEST_F(DataModule, ConnectStoresIdAndOperationAsWritten) {
    dtm.instrucao = pair.instruction("7'7", "EMAIL");
    connect_both();
    EXPECT_TRUE(dtm.dtbReceber.connected());
    EXPECT_TRUE(dtm.dtbTarvek.connected());
    EXPECT_TRUE(dtm.ibtReceber.active());
    EXPECT_TRUE(dtm.ibtTarvek.active());
    EXPECT_EQ(dtm.id_instrucao, "7'7");
    EXPECT_EQ(dtm.operacao, "EMAIL");
    EXPECT_EQ(dtm.dtbTarvek.database_name(), pair.main);
    EXPECT_EQ(dtm.dtbReceber.database_name(), pair.receber);
}

TEST_F(DataModule, ConnectingAgainCommitsClosesQueriesAndReconnects) {
    connect_both();
    ASSERT_TRUE(dtm.SelectFile("SG", "Config_Geral", "1=1"));
    dtm.qryTar1.set_sql(
        "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('TESTE_RECONECTA', '1')");
    dtm.qryTar1.exec_sql();
    EXPECT_EQ(committed_rows("Campo_Ref='TESTE_RECONECTA'"), 0);

    dtm.dtmConectTarvek(true);

    EXPECT_EQ(committed_rows("Campo_Ref='TESTE_RECONECTA'"), 1);
    EXPECT_FALSE(dtm.qryTarSG.active());
    EXPECT_TRUE(dtm.dtbTarvek.connected());
    EXPECT_TRUE(dtm.ibtTarvek.active());
}

TEST_F(DataModule, DisconnectWithoutConnectIsSilent) {
    EXPECT_NO_THROW(dtm.dtmConectReceber(false));
    EXPECT_NO_THROW(dtm.dtmConectTarvek(false));
    connect_both();
    dtm.dtmConectReceber(false);
    dtm.dtmConectTarvek(false);
    EXPECT_NO_THROW(dtm.dtmConectReceber(false));
    EXPECT_NO_THROW(dtm.dtmConectTarvek(false));
    EXPECT_FALSE(dtm.dtbTarvek.connected());
}

TEST_F(DataModule, CommittedRowSurvivesDisconnectButOpenWorkIsRolledBack) {
    connect_both();
    dtm.qryTar1.set_sql(
        "Insert into config_geral\r\n( Campo_Valor, campo_Ref , memo_contrato )  \r\n"
        " Values ( '77','EMAIL_OK','/tmp/x.pdf') ");
    dtm.qryTar1.exec_sql();
    dtm.ibtTarvek.commit_retaining();
    EXPECT_TRUE(dtm.ibtTarvek.active());
    dtm.qryTar1.set_sql(
        "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('NAO_COMMITADO', '1')");
    dtm.qryTar1.exec_sql();

    dtm.dtmConectReceber(false);
    dtm.dtmConectTarvek(false);

    EXPECT_EQ(committed_rows("Campo_Ref='EMAIL_OK' and Campo_Valor='77'"), 1);
    EXPECT_EQ(committed_rows("Campo_Ref='NAO_COMMITADO'"), 0);
}

TEST_F(DataModule, MissingReceberKeyFailsWithTheClientErrorAndLeavesMainUnconnected) {
    dtm.instrucao = "Tarvek=" + pair.main + ";idInstrucao=77;operacao=email";
    try {
        dtm.dtmConectReceber(true);
        FAIL() << "connected without a database name";
    } catch (const FirebirdError& e) {
        // The client library's own words, naming the empty file name.
        EXPECT_NE(std::string(e.what()).find("\"\""), std::string::npos) << e.what();
        EXPECT_NE(e.gds_code(), 0);
    }
    EXPECT_FALSE(dtm.dtbReceber.connected());
    EXPECT_FALSE(dtm.ibtReceber.active());
    EXPECT_FALSE(dtm.dtbTarvek.connected());
    EXPECT_EQ(dtm.id_instrucao, "77");
    EXPECT_EQ(dtm.operacao, "email");
}

TEST_F(DataModule, MissingDatabaseFileNamesTheFile) {
    dtm.instrucao =
        "Tarvek=" + dir.path() + "/naoexiste.fdb;Receber=" + dir.path() + "/naoexiste.fdb";
    try {
        dtm.dtmConectReceber(true);
        FAIL() << "connected to a missing file";
    } catch (const FirebirdError& e) {
        EXPECT_NE(std::string(e.what()).find("naoexiste.fdb"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(dtm.dtbReceber.connected());
}

TEST_F(DataModule, SelectFileRunsTheExactText) {
    connect_both();
    test::execute_sql(pair.main,
                      "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) "
                      "values ('SQL', 'T1', 'select 1')");
    dtm.ibtTarvek.commit();
    dtm.ibtTarvek.start();
    EXPECT_TRUE(dtm.SelectFile("S1", "Config_geral", "Campo_Valor='T1' and Campo_Ref='SQL'"));
    EXPECT_EQ(dtm.qryTar1.sql_text(),
              "Select * From Config_geral Where ( Campo_Valor='T1' and Campo_Ref='SQL' )\r\n");
    EXPECT_EQ(dtm.qryTar1.field_by_name("memo_contrato").as_string(), "select 1");

    // The server saw that very text.
    dtm.qryTarSG.set_sql(
        "select mon$sql_text from mon$statements where mon$attachment_id = current_connection "
        "and mon$sql_text starting with 'Select * From Config_geral'");
    dtm.qryTarSG.open();
    ASSERT_FALSE(dtm.qryTarSG.eof());
    EXPECT_EQ(dtm.qryTarSG.field(0).as_string(), dtm.qryTar1.sql_text());

    EXPECT_FALSE(dtm.SelectFile("S1", "Config_geral", "Campo_Valor='nenhum'"));
    // After a false answer the fields read as null: empty text and zero.
    EXPECT_TRUE(dtm.qryTar1.field_by_name("memo_contrato").is_null());
    EXPECT_EQ(dtm.qryTar1.field_by_name("memo_contrato").as_string(), "");
}

TEST_F(DataModule, SelectFileTargets) {
    connect_both();
    EXPECT_TRUE(dtm.SelectFile("R1", "exportacao", "1=1"));
    EXPECT_TRUE(dtm.qryRec1.active());
    EXPECT_TRUE(dtm.SelectFile("SG", "Config_Geral", "1=1"));
    EXPECT_TRUE(dtm.SelectFile("S1", "Config_Geral", "1=1"));

    const std::string before = dtm.qryTarSG.sql_text();
    EXPECT_FALSE(dtm.SelectFile("s1", "Config_Geral", "1=0"));  // targets are case-sensitive
    EXPECT_FALSE(dtm.SelectFile("X", "Config_Geral", "1=1"));
    EXPECT_TRUE(dtm.qryTar1.active());
    EXPECT_EQ(dtm.qryTarSG.sql_text(), before);

    EXPECT_FALSE(dtm.SelectFile("close", "", ""));
    EXPECT_FALSE(dtm.qryTar1.active());
    EXPECT_FALSE(dtm.qryRec1.active());
    EXPECT_TRUE(dtm.qryTarSG.active());  // left alone

    EXPECT_THROW(dtm.SelectFile("S1", "tabela_inexistente", "1=1"), FirebirdError);
}

TEST_F(DataModule, ConfigurationLookups) {
    connect_both();
    test::execute_sql(pair.main,
                      "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values "
                      "('CHAVE''COM ASPAS', 'D''Avila', 'memo com '' aspas')");
    test::execute_sql(pair.main,
                      "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('SoMisto', 'x')");
    test::execute_sql(
        pair.main, "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('VALOR_NULO', null)");
    dtm.dtmConectTarvek(true);  // a fresh transaction sees the new rows

    EXPECT_EQ(dtm.Busca_Valor_Referencia("chave'com aspas"), "D'Avila");
    EXPECT_EQ(dtm.qryconfig.sql_text(),
              "Select * from Config_Geral where Campo_Ref='CHAVE''COM ASPAS'\r\n");
    EXPECT_EQ(dtm.Busca_Valor_Referencia_Memo("Chave'Com Aspas"), "memo com ' aspas");
    EXPECT_EQ(dtm.Busca_Valor_Referencia("SoMisto"), "");  // stored only in mixed case
    EXPECT_EQ(dtm.Busca_Valor_Referencia("valor_nulo"), "");
    EXPECT_EQ(dtm.Busca_Valor_Referencia("chave_que_nao_existe"), "");
    EXPECT_EQ(dtm.Busca_Valor_Referencia_Memo("chave_que_nao_existe"), "");
}

TEST_F(DataModule, AccentedBytesRoundTripUnchanged) {
    connect_both();
    // Every Windows-1252 letter the documents use, as raw bytes.
    const std::string accented =
        "\xE1\xE0\xE2\xE3\xE9\xEA\xED\xF3\xF4\xF5\xFA\xE7\xC1\xC9\xC7\xC3\xD5\xBA\xAA";
    dtm.qryTar1.set_sql(
        "insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('ACENTOS', '" +
        accented + "', '" + accented + "')");
    dtm.qryTar1.exec_sql();
    dtm.ibtTarvek.commit_retaining();
    EXPECT_EQ(dtm.Busca_Valor_Referencia("acentos"), accented);
    EXPECT_EQ(dtm.Busca_Valor_Referencia_Memo("acentos"), accented);

    // Text loaded through another character set arrives as Windows-1252 bytes.
    test::execute_sql(
        pair.main,
        "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('UTF', 'Pré-visualização')");
    dtm.dtmConectTarvek(true);
    EXPECT_EQ(dtm.Busca_Valor_Referencia("UTF"), utf8_to_cp1252("Pré-visualização"));
}

TEST_F(DataModule, DeclaredFieldsAreCheckedWhenTheQueryOpens) {
    connect_both();
    Query q("qryTeste", dtm.dtbTarvek, dtm.ibtTarvek);
    q.declare_field({.name = "CAMPO_REF", .type = FieldType::Text, .size = 50});
    q.declare_field({.name = "memo_CONTRATO", .type = FieldType::Memo});
    q.set_sql("select Campo_Ref, Campo_Valor, memo_contrato from Config_Geral");
    q.open();
    EXPECT_EQ(q.field_count(), 2u);  // Campo_Valor has no declared field and is ignored
    EXPECT_EQ(q.find_field("campo_valor"), nullptr);
    EXPECT_EQ(&q.field_by_name("campo_ref"), &q.field(0));

    Query missing("qryFalta", dtm.dtbTarvek, dtm.ibtTarvek);
    missing.declare_field({.name = "NOMEBENEFICIARIO", .type = FieldType::Text, .size = 80});
    missing.set_sql("select Campo_Ref from Config_Geral");
    try {
        missing.open();
        FAIL() << "opened without a declared field";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "qryFalta: Field 'NOMEBENEFICIARIO' not found");
        EXPECT_STREQ(e.class_name(), "EDatabaseError");
    }
    EXPECT_FALSE(missing.active());

    // A column a later version of the ERP added: declared optional, the
    // field is null where the result lacks it and read where it has it.
    for (const bool unidirectional : {false, true}) {
        Query optional("qryOpcional", dtm.dtbTarvek, dtm.ibtTarvek);
        optional.declare_field(
            {.name = "NOMEBENEFICIARIO", .type = FieldType::Text, .size = 80, .optional = true});
        optional.declare_field({.name = "CAMPO_REF", .type = FieldType::Text, .size = 50});
        optional.set_unidirectional(unidirectional);
        optional.set_sql("select Campo_Ref from Config_Geral");
        optional.open();
        ASSERT_FALSE(optional.eof());
        EXPECT_TRUE(optional.field_by_name("NOMEBENEFICIARIO").is_null());
        EXPECT_FALSE(optional.field_by_name("CAMPO_REF").is_null());
        optional.set_sql("select Campo_Ref, 'Oficina' NomeBeneficiario from Config_Geral");
        optional.open();
        EXPECT_EQ(optional.field_by_name("NOMEBENEFICIARIO").as_string(), "Oficina");
    }

    Query mismatch("qryTipo", dtm.dtbTarvek, dtm.ibtTarvek);
    mismatch.declare_field({.name = "CAMPO_REF", .type = FieldType::Integer});
    mismatch.set_sql("select Campo_Ref from Config_Geral");
    EXPECT_THROW(mismatch.open(), DatabaseError);

    EXPECT_THROW(q.field_by_name("nao_existe"), DatabaseError);
}

TEST_F(DataModule, QueryNavigationAndTypedValues) {
    connect_both();
    Query q("qryTipos", dtm.dtbReceber, dtm.ibtReceber);
    q.set_sql(
        "select cast(1500 as numeric(18,2)) valor, cast('2024-03-07' as date) venc, 42 inteiro, "
        "cast(null as varchar(10)) nulo, cast('ab' as char(4)) fixo from rdb$database "
        "union all select 12.5, null, -1, 'x', 'cd' from rdb$database");
    q.open();
    ASSERT_FALSE(q.eof());
    Field& valor = q.field_by_name("VALOR");
    valor.set_display_format("#0.00");
    FormatSettings::set_current(
        FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
    EXPECT_EQ(valor.display_text(), "1500,00");
    EXPECT_EQ(valor.as_string(), "1500");
    EXPECT_EQ(q.field_by_name("venc").display_text(), "07/03/2024");
    EXPECT_EQ(q.field_by_name("inteiro").as_integer(), 42);
    EXPECT_TRUE(q.field_by_name("nulo").is_null());
    EXPECT_EQ(q.field_by_name("fixo").as_string(), "ab  ");  // fixed-length text keeps its blanks
    q.next();
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(valor.display_text(), "12,50");
    EXPECT_EQ(q.field_by_name("venc").display_text(), "");
    q.next();
    EXPECT_TRUE(q.eof());
    q.first();
    EXPECT_EQ(q.field_by_name("inteiro").as_integer(), 42);
    FormatSettings::set_current(
        FormatSettings::for_locale("en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8"));
    EXPECT_EQ(valor.display_text(), "1500.00");
    FormatSettings::set_current(FormatSettings::from_environment());

    q.set_sql("   ");
    try {
        q.open();
        FAIL() << "opened an empty query";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Empty query");
    }
}

// A query read forward only keeps no rows, yet reads like any other: the
// report's first() after the last row starts again, and the record count
// leaves the current row where it is.
TEST_F(DataModule, UnidirectionalQueryReadsForwardAndStartsAgain) {
    connect_both();
    Query q("qryBoleto", dtm.dtbReceber, dtm.ibtReceber);
    q.set_unidirectional(true);
    q.set_sql(
        "select 1 n, 'um' nome from rdb$database union all select 2, 'dois' from rdb$database "
        "union all select 3, cast(null as varchar(4)) from rdb$database");
    q.open();
    EXPECT_FALSE(q.is_empty());
    Field& n = q.field_by_name("N");
    Field& nome = q.field_by_name("NOME");
    q.first();  // nothing read yet: still the first row
    EXPECT_EQ(n.as_integer(), 1);
    EXPECT_EQ(nome.as_string(), "um");
    q.next();
    EXPECT_EQ(n.as_integer(), 2);
    EXPECT_EQ(q.record_count(), 3u);
    EXPECT_EQ(n.as_integer(), 2);
    EXPECT_EQ(nome.as_string(), "dois");
    q.next();
    EXPECT_TRUE(nome.is_null());
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(n.as_integer(), 3);  // the last row stays in the fields
    q.next();
    EXPECT_TRUE(q.eof());

    q.first();
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(n.as_integer(), 1);
    EXPECT_EQ(nome.as_string(), "um");
    std::vector<std::int64_t> seen;
    for (; !q.eof(); q.next()) seen.push_back(n.as_integer());
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(q.record_count(), 3u);

    q.set_sql("select 1 n, 'x' nome from rdb$database where 1 = 0");
    q.open();
    EXPECT_TRUE(q.is_empty());
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.field_by_name("N").is_null());  // new fields for the new statement
    EXPECT_EQ(q.record_count(), 0u);
    q.first();
    EXPECT_TRUE(q.eof());
    q.close();
    EXPECT_FALSE(q.is_empty());
    EXPECT_EQ(q.record_count(), 0u);
    EXPECT_THROW(q.first(), DatabaseError);
}

// The same data module through a Firebird server on loopback.
TEST(DataModuleServer, ConnectsThroughTheServer) {
    const std::string server = test::test_server();
    if (server.empty()) GTEST_SKIP() << "no test server (TARVEK_TEST_SERVER) in this run";
    TempDir dir;
    DatabasePair pair{server + ":" + dir.path() + "/tarvek.fdb",
                      server + ":" + dir.path() + "/receber.fdb"};
    chmod(dir.path().c_str(), 0777);
    testdb::build(pair.main, pair.receber);

    TdtmEmail dtm;
    dtm.instrucao = pair.instruction("77", "email");
    dtm.dtmConectReceber(true);
    dtm.dtmConectTarvek(true);
    EXPECT_TRUE(dtm.SelectFile("S1", "Config_geral", "Campo_Valor='77' and Campo_Ref='SQL'"));
    EXPECT_FALSE(dtm.qryTar1.field_by_name("memo_contrato").as_string().empty());
    dtm.qryTar1.set_sql(
        "insert into Config_Geral (Campo_Ref, Campo_Valor) values ('EMAIL_OK', 'srv')");
    dtm.qryTar1.exec_sql();
    dtm.ibtTarvek.commit_retaining();
    dtm.dtmConectReceber(false);
    dtm.dtmConectTarvek(false);

    dtm.dtmConectTarvek(true);
    EXPECT_TRUE(dtm.SelectFile("SG", "Config_Geral", "Campo_Ref='EMAIL_OK' and Campo_Valor='srv'"));
    dtm.dtmConectTarvek(false);
    testdb::drop_if_exists(pair.main);
    testdb::drop_if_exists(pair.receber);
}

TEST(DataModuleServer, UnreachableServerIsAClientError) {
    TdtmEmail dtm;
    // Port 1 on loopback: nothing listens there.
    dtm.instrucao = "Receber=127.0.0.1/1:/tmp/receber.fdb";
    try {
        dtm.dtmConectReceber(true);
        FAIL() << "connected to a port nobody listens on";
    } catch (const FirebirdError& e) {
        EXPECT_NE(std::string(e.what()).find("127.0.0.1"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(dtm.dtbReceber.connected());
}

}  // namespace
}  // namespace tarvek
