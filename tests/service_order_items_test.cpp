// The service-order parameter string and item table against the sample
// databases: what the builder reads, and every row the table receives, in
// order, with Brazilian amounts.
#include <gtest/gtest.h>

#include <ostream>

#include "app/application.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "data/memory_table.h"
#include "documents/service_order/item_table.h"
#include "documents/service_order/os_mec_1.h"
#include "tests/test_support.h"

namespace tarvek {
namespace {

std::string w(const std::string& utf8) {
    return utf8_to_cp1252(utf8);
}

class ServiceOrderData : public ::testing::Test {
  protected:
    void SetUp() override {
        pair = test::sample_databases(dir);
        app.dtmEmail->instrucao = pair.instruction("90", "os_email");
        app.dtmEmail->dtmConectReceber(true);
        app.dtmEmail->dtmConectTarvek(true);
        FormatSettings::set_current(
            FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8"));
    }
    void TearDown() override { FormatSettings::set_current(FormatSettings::from_environment()); }

    // One statement on the main database (UTF-8), committed at once.
    void sql(const std::string& statement) { test::execute_sql(pair.main, statement); }
    void config(const std::string& key, const std::string& value) {
        sql("update Config_Geral set Campo_Valor = '" + value + "' where Campo_Ref = '" + key +
            "'");
    }

    test::TempDir dir;
    test::DatabasePair pair;
    Application app;
};

// ---------------------------------------------------------------------------
// The parameter string.

struct BuilderCase {
    const char* label;
    const char* parametros;  // UTF-8; null: the instruction has no "SQL" row
    const char* numero_os;
    const char* segmento_os;
    const char* tipo_os;
};

void PrintTo(const BuilderCase& c, std::ostream* os) {
    *os << c.label;
}

class ServiceOrderBuilder : public ServiceOrderData,
                            public ::testing::WithParamInterface<BuilderCase> {};

TEST_P(ServiceOrderBuilder, TakesTheValuesByPosition) {
    const BuilderCase& c = GetParam();
    if (c.parametros) {
        sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', "
            "'teste', '" +
            std::string(c.parametros) + "')");
    }
    sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('INFORMATIVO', "
        "'teste', 'Linha um' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Linha dois')");
    TfrmFuncoesEmail& builder = *app.frmFuncoesEmail;

    const ServiceOrderQuery result = builder.tratar_sql_da_os("teste");

    EXPECT_EQ(result.options.numero_os, w(c.numero_os));
    EXPECT_EQ(result.options.segmento_os, w(c.segmento_os));
    EXPECT_EQ(result.options.tipo_os, w(c.tipo_os));
    EXPECT_EQ(result.sql, "Select * from ordem_servico where cod_ord=" + w(c.numero_os));
    EXPECT_EQ(app.frmPrincipal->memoInformativo.lines(),
              (std::vector<std::string>{"Linha um", "Linha dois"}));
}

INSTANTIATE_TEST_SUITE_P(
    ParameterStrings, ServiceOrderBuilder,
    ::testing::Values(
        BuilderCase{"example", "cod_ord=1234^segmento=MECANICA^tipo=ORCAMENTO", "01234", "MECANICA",
                    "ORCAMENTO"},
        BuilderCase{"trailing_caret", "a=1^b=MECANICA^c=ORDEM_SERVICO^", "01", "MECANICA",
                    "ORDEM_SERVICO"},
        BuilderCase{"no_trailing_caret", "a=1^b=MECANICA^c=ORDEM_SERVICO", "01", "MECANICA",
                    "ORDEM_SERVICO"},
        BuilderCase{"two_segments", "a=1^b=MECANICA", "01", "MECANICA", ""},
        BuilderCase{"value_holding_equals", "a=7^x=1=2^c=K", "07", "1=2", "K"},
        BuilderCase{"lower_case_kept", "a=7^b=mecanica^c=orcamento", "07", "mecanica", "orcamento"},
        BuilderCase{"line_break_after_last_value", "a=7^b=MECANICA^c=ORCAMENTO\r\n", "07",
                    "MECANICA", "ORCAMENTO\r\n"},
        BuilderCase{"segments_without_equals", "1234^MECANICA^ORCAMENTO", "0", "", ""},
        BuilderCase{"names_not_examined", "cod_ord=12^cod_ord=MECANICA^cod_ord=ORCAMENTO", "012",
                    "MECANICA", "ORCAMENTO"},
        BuilderCase{"empty_values", "cod_ord=^segmento=^tipo=", "0", "", ""},
        BuilderCase{"accents_as_written", "n=5^s=MECÂNICA^t=ORÇAMENTO", "05", "MECÂNICA",
                    "ORÇAMENTO"}),
    [](const ::testing::TestParamInfo<BuilderCase>& param_info) {
        return std::string(param_info.param.label);
    });

TEST_F(ServiceOrderData, BuilderRefusesANumberThatIsNotDigits) {
    // Anything but digits would be SQL of its own, or a path in the file name.
    const char* const strings[] = {
        "segmento=MECANICA^tipo=ORCAMENTO",                // no cod_ord: the segment comes first
        "cod_ord= 1234^segmento=MECANICA^tipo=ORCAMENTO",  // a blank
        "cod_ord=1 or 1=1^segmento=MECANICA^tipo=ORCAMENTO",
        "cod_ord=12/1^segmento=MECANICA^tipo=ORCAMENTO",
    };
    int n = 0;
    for (const char* parametros : strings) {
        const std::string id = "ruim" + std::to_string(++n);
        sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', '" +
            id + "', '" + parametros + "')");
        try {
            app.frmFuncoesEmail->tratar_sql_da_os(id);
            ADD_FAILURE() << parametros << ": no error";
        } catch (const Error& e) {
            EXPECT_NE(cp1252_to_utf8(e.what()).find("não informa um número de ordem de serviço "
                                                    "válido"),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST_F(ServiceOrderData, InstructionIdWithAQuoteIsQuotedInBothLookups) {
    sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('SQL', "
        "'d''avila', 'cod_ord=1234^segmento=MECANICA^tipo=ORCAMENTO')");
    sql("insert into Config_Geral (Campo_Ref, Campo_Valor, memo_contrato) values ('INFORMATIVO', "
        "'d''avila', 'Informativo')");
    const ServiceOrderQuery query = app.frmFuncoesEmail->tratar_sql_da_os("d'avila");
    EXPECT_EQ(query.sql, "Select * from ordem_servico where cod_ord=01234");
    EXPECT_EQ(query.options.tipo_os, "ORCAMENTO");
    EXPECT_EQ(app.frmPrincipal->memoInformativo.lines(), std::vector<std::string>{"Informativo"});
}

// ---------------------------------------------------------------------------
// The item table.

class ItemTable : public ServiceOrderData {
  protected:
    // The rows the table receives for an order, as "cod|ncm|desc|qtd|vlr|tot"
    // in UTF-8, after checking that id_lin numbers them 1, 2, 3...
    std::vector<std::string> rows(int order, bool expedicao = false) {
        TfrmOS_Mec_1 form(*app.dtmEmail);
        ServiceOrderItems items(*app.dtmEmail);
        items.trata_itens_da_os(form.tblItens, "create", {});
        form.qryOS.set_sql("Select * from ordem_servico where cod_ord=" + std::to_string(order));
        form.qryOS.open();
        items.grava_dados_necessarios_tbl_item(form.qryOS, form.tblItens, expedicao);

        std::vector<std::string> result;
        MemoryTable& t = form.tblItens;
        for (t.first(); !t.eof(); t.next()) {
            EXPECT_EQ(t.field_by_name("id_lin").as_integer(),
                      static_cast<std::int64_t>(result.size() + 1));
            std::string row;
            for (const char* f : {"cod", "ncm", "desc", "qtd", "vlr", "tot"}) {
                if (!row.empty() || std::string(f) != "cod") row += "|";
                row += cp1252_to_utf8(t.field_by_name(f).as_string());
            }
            result.push_back(row);
        }
        EXPECT_EQ(items.contador_linhas(), static_cast<int>(result.size()));
        return result;
    }
    // An order of customer 1 with only the columns given (UTF-8 values).
    void order(int number, const std::string& columns = "", const std::string& values = "") {
        sql("insert into ordem_servico (COD_ORD, COD_CLI" +
            (columns.empty() ? "" : ", " + columns) + ") values (" + std::to_string(number) +
            ", 1" + (values.empty() ? "" : ", " + values) + ")");
    }
};

const std::string kRule = std::string(30, '_') + "|" + std::string(10, '_') + "|" +
                          std::string(90, '_') + "|" + std::string(20, '_') + "|" +
                          std::string(20, '_') + "|" + std::string(20, '_');
const std::string kDashes = std::string(90, '-');

TEST_F(ItemTable, Order1234HasEveryRowInOrder) {
    // The first 100 characters of the third line of DES_SER.
    const std::string kFirst100 =
        "Verificar ruído na suspensão dianteira ao passar em lombadas, o cliente relata que o "
        "barulho aumenta";
    const std::vector<std::string> expected = {
        "Quem recebeu:||José Antônio Gonçalves|||",
        "Quem fez:||Márcio Lúcio Brandão|||",
        "Quem concluiu:||José Antônio Gonçalves|||",
        "Quem retirou:||Cláudio Ribeirão|||",
        "Serviços a efetuar||Revisão dos 60.000 km conforme o manual.|||",
        "||Trocar as pastilhas de freio dianteiras.|||",
        "||" + kFirst100 + "|||",
        "|| com o veículo carregado e em dias frios.|||",
        "Laudo conclusivo||Pastilhas dianteiras no limite de desgaste, substituídas.|||",
        "||Ruído causado por bucha da bandeja ressecada, recomenda-se a troca.|||",
        kRule,
        "Produtos|NCM|Descrição|Quantidade|Unitário|Sub total",
        // By name; the complement alone where there is one.
        "201 - 7891234560018|87083090|PASTILHA DE FREIO DIANTEIRA |1   JG|189,90|189,90",
        "202 - 7891234560025|27101932|Óleo sintético para motor diesel|4   L|42,50|170,00",
        "||" + kDashes + "|Total|Produtos:|359,90",
        kRule,
        "Serviços||Descrição|||Sub total",
        "||Mão de obra - troca das pastilhas de freio|||120,00",
        "||Revisão de 60.000 km|||350,00",
        "||" + kDashes + "|Total|Serviços:|470,00",
        kRule,
        "Itens diversos||Descrição|Quantidade|Unitário|Sub total",
        "||Material de limpeza e descarte de óleo|1   UN|15,00|15,00",
        "||" + kDashes + "|Total|Diversos:|15,00",
    };
    EXPECT_EQ(rows(1234), expected);
}

TEST_F(ItemTable, DispatchVariantLeavesTheTotalsOut) {
    const std::vector<std::string> all = rows(1234);
    const std::vector<std::string> dispatch = rows(1234, true);
    std::vector<std::string> without_totals;
    for (const std::string& row : all) {
        if (row.find("|Total|") == std::string::npos) without_totals.push_back(row);
    }
    EXPECT_EQ(all.size() - without_totals.size(), 3u);
    EXPECT_EQ(dispatch, without_totals);
}

TEST_F(ItemTable, OptionsChangeCodesDescriptionsAndPeople) {
    config("CHKNOTCODBAR_ITEMOS", "sim");  // any case turns it on
    config("CHKIMPRIMIRCOMPL_OS", "sim");  // only "SIM" exactly would
    config("CHKOSPRINTRECFEZCONC", "Nao");
    const std::vector<std::string> r = rows(1234);
    ASSERT_GE(r.size(), 10u);
    EXPECT_EQ(r[0], "Serviços a efetuar||Revisão dos 60.000 km conforme o manual.|||");
    EXPECT_EQ(r[8], "201|87083090|PASTILHA DE FREIO DIANTEIRA |1   JG|189,90|189,90");
    EXPECT_EQ(r[9],
              "202|27101932|ÓLEO MOTOR 5W30 SINTÉTICO Óleo sintético para motor diesel|4   L|"
              "42,50|170,00");
}

TEST_F(ItemTable, LongLinesAreCutIn100CharacterChunksLabelledOnce) {
    const std::string a(100, 'a'), b(100, 'b'), c(50, 'c');
    // The first line is empty: the label goes to the first row there is.
    order(5001, "DES_SER",
          "ASCII_CHAR(13) || ASCII_CHAR(10) || '" + a + b + c + "' || ASCII_CHAR(10) || 'fim'");
    EXPECT_EQ(rows(5001),
              (std::vector<std::string>{"Serviços a efetuar||" + a + "|||", "||" + b + "|||",
                                        "||" + c + "|||", "||fim|||"}));
}

TEST_F(ItemTable, PeopleRowsOnlyForWhatTheOrderNames) {
    // Mechanic 9 has no record: the row stays, without a name.
    order(5002, "QUEM_REC, QUEM_FEZ, QUEM_CON, QUEM_RETIROU", "0, 9, NULL, ''");
    EXPECT_EQ(rows(5002), std::vector<std::string>{"Quem fez:|||||"});
}

TEST_F(ItemTable, EmptyOrderGivesAnEmptyTable) {
    order(5003);
    EXPECT_TRUE(rows(5003).empty());
}

TEST_F(ItemTable, SectionTotalsUseBrazilianSeparators) {
    order(5004);
    sql("insert into Itens_Ordem (cod_ord, nro_item, cod_mer, compl_merca, qtd_ord, vlr_uni, "
        "sub_total) values (5004, 1, 201, '', 2.5, 400.00, 1000.00)");
    sql("insert into Itens_Ordem (cod_ord, nro_item, cod_mer, compl_merca, qtd_ord, vlr_uni, "
        "sub_total) values (5004, 2, 202, '', 1, 234.50, 234.50)");
    const std::vector<std::string> r = rows(5004);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[2],
              "201 - 7891234560018|87083090|PASTILHA DE FREIO DIANTEIRA |2,5   JG|400,00|"
              "1.000,00");
    EXPECT_EQ(r[4], "||" + kDashes + "|Total|Produtos:|1.234,50");
}

TEST_F(ItemTable, TextsLongerThanTheirColumnAreCut) {
    // Each text is cut to its field's size; a seventh value has no column,
    // and a column given no value stays empty.
    TfrmOS_Mec_1 form(*app.dtmEmail);
    ServiceOrderItems items(*app.dtmEmail);
    items.trata_itens_da_os(form.tblItens, "create", {});
    items.trata_itens_da_os(form.tblItens, "add",
                            {std::string(45, 'c'), std::string(25, 'n'), std::string(120, 'd'), "q",
                             "v", std::string(21, 't'), "ignored"});
    items.trata_itens_da_os(form.tblItens, "ADD", {"not added: commands are exact"});
    items.trata_itens_da_os(form.tblItens, "add", {"second"});
    MemoryTable& t = form.tblItens;
    t.first();
    EXPECT_EQ(t.field_by_name("cod").as_string(), std::string(40, 'c'));
    EXPECT_EQ(t.field_by_name("ncm").as_string(), std::string(20, 'n'));
    EXPECT_EQ(t.field_by_name("desc").as_string(), std::string(100, 'd'));
    EXPECT_EQ(t.field_by_name("tot").as_string(), std::string(20, 't'));
    EXPECT_TRUE(t.field_by_name("c1").is_null());
    t.next();
    EXPECT_EQ(t.field_by_name("cod").as_string(), "second");
    EXPECT_EQ(t.field_by_name("id_lin").as_integer(), 2);
    EXPECT_EQ(t.field_by_name("desc").as_string(), "");
    t.next();
    EXPECT_TRUE(t.eof());
    // "create" starts again.
    items.trata_itens_da_os(form.tblItens, "create", {});
    EXPECT_EQ(items.contador_linhas(), 0);
    EXPECT_TRUE(t.is_empty());
}

}  // namespace
}  // namespace tarvek
