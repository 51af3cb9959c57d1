#include "documents/funcoes_email.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/dtm_email.h"
#include "documents/document_job.h"

namespace tarvek {

namespace {

const char* const kCrLf = "\r\n";
const char* const kTemplateSelect = "Select * from Boletos";

std::string first_chars(const std::string& text, std::size_t count) {
    return text.substr(0, count);
}

}  // namespace

TfrmFuncoesEmail::TfrmFuncoesEmail(TdtmEmail& dtm, TextLines& memoInformativo)
    : dtm_(dtm), memoInformativo_(memoInformativo) {}

std::string TfrmFuncoesEmail::Format_Columm(const std::string& valor, const std::string& nome,
                                            int tamanho, const std::string& separador) {
    const std::string v = sql_quoted(valor);
    const std::string w = std::to_string(tamanho);
    std::string column;
    if (!nome.empty() && tamanho > 0) {
        column = "cast( " + v + " as char(" + w + ")) \"" + nome + "\" " + separador;
    } else if (!nome.empty()) {
        column = v + " \"" + nome + "\" " + separador;
    } else if (tamanho > 0) {
        column = "cast( " + v + " as char(" + w + ")) " + separador;
    } else {
        column = v + separador;
    }
    return column + kCrLf;
}

std::string TfrmFuncoesEmail::Busca_Valor_Referencia_Carteira(const std::string& cod_carteira,
                                                              const std::string& ref) {
    if (!dtm_.SelectFile(
            "R1", "Config_Boletos",
            "cod_carteira=" + cod_carteira + " and Campo_Ref=" + sql_quoted(ascii_upper(ref)))) {
        return {};
    }
    return dtm_.qryRec1.field_by_name("Campo_Valor").as_string();
}

std::string TfrmFuncoesEmail::instruction_text(const std::string& id, const char* kind) {
    // A missing row leaves the fields null: the text is then empty.
    dtm_.SelectFile("S1", "Config_geral",
                    "Campo_Valor=" + sql_quoted(id) + " and Campo_Ref=" + sql_quoted(kind));
    return dtm_.qryTar1.field_by_name("memo_contrato").as_string();
}

std::string TfrmFuncoesEmail::tratar_sql_do_boleto(const std::string& idInstrucao) {
    boleto.banco_layout = "000";
    boleto.imprime_obs_cliente = false;

    memoInformativo_.set_text(instruction_text(idInstrucao, "INFORMATIVO"));
    const std::string templ = instruction_text(idInstrucao, "SQL");

    // Probe the first boleto for its bank and account.
    dtm_.qryRec1.set_sql(templ);
    dtm_.qryRec1.set_sql(
        Troca_Texto(dtm_.qryRec1.sql_text(), kTemplateSelect, "Select first 1 * from boletos "));
    dtm_.qryRec1.open();
    const int bank = static_cast<int>(dtm_.qryRec1.field_by_name("Nro_Banco").as_integer());
    const std::string account = dtm_.qryRec1.field_by_name("chaveContaCorrente").as_string();

    dtm_.qryRec1.clear_sql();
    dtm_.qryRec1.add_sql_line("select * from exportacao where chaveContaCorrente=0" + account);
    dtm_.qryRec1.open();
    const std::string portfolio = dtm_.qryRec1.field_by_name("cod_carteira").as_string();

    const std::string columns = boleto_columns(bank, portfolio);
    return Troca_Texto(templ, kTemplateSelect, "Select " + columns + " b.* from boletos b");
}

std::string TfrmFuncoesEmail::boleto_columns(int bank, const std::string& portfolio) {
    auto cfg = [&](const char* key) { return Busca_Valor_Referencia_Carteira(portfolio, key); };
    auto col = [](const std::string& value, const char* alias, int width) {
        return Format_Columm(value, alias, width, ",");
    };
    auto observation = [&](const char* key) -> std::string {
        if (key && Verifica_Sim(cfg(key))) {
            boleto.imprime_obs_cliente = true;
            return "cast( ( Select Obs_cli from clientes where codigo=b.cod_cli ) as blob ) "
                   "ObsCliente , ";
        }
        return "cast( " + sql_quoted("  ") + " as blob ) ObsCliente , ";
    };
    auto nosso_numero_237 = [&](const std::string& prefix) {
        return sql_quoted(prefix) + " || " + "substring( b.nossonumero from 1 for 11 ) || " +
               sql_quoted(" - ") + " || " +
               "substring( b.nossonumero from 12 for 1 ) \"nossoNumeroStr\" ,";
    };

    std::string l;
    switch (bank) {
        case 41:
            boleto.banco_layout = "041";
            l += col(cfg("ban_nome"), "nomeBeneficiario", 80);
            l += col(cfg("ban_dados1"), "End_1_Beneficiario", 80);
            l += col("", "End_2_Beneficiario", 80);
            l += col(cfg("ban_Ag_cc_Impressao"), "AgenciaCedente", 25);
            l += col(cfg("ban_localPgto"), "LocalPagto", 100);
            l += col("041-8", "NroBancoX", 5);
            l += col(cfg("ban_cnpj"), "CnpjBeneficiario", 20);
            l += col(cfg("ban_AT"), "Aceite", 5);
            l += col(cfg("ban_tipoCart"), "Carteira", 3);
            l += col(cfg("ban_AG"), "Agencia", 4);
            l += col(cfg("ban_CC"), "Cedente", 8);
            l += "substring( b.nossonumero from 1 for 10 ) nossoNumeroStr ,";
            l += observation("ban_printObsCliente");
            l += col(" ", "nomeSacador", 80);
            l += col(" ", "CPFCNPJSacador", 30);
            break;
        case 748: {
            boleto.banco_layout = str_to_int("0" + cfg("sc_Mod_imp")) != 0 ? "748-C" : "748-B";
            boleto.comprovante_sicredi = cfg("sc_Comprovante") == "SIM";
            l += col(cfg("sc_nome"), "nomeBeneficiario", 80);
            const std::string agency = cfg("sc_Ag");
            const std::string post = cfg("sc_po");
            l += col(agency + "." + post + "." + cfg("sc_cc"), "AgenciaCedente", 30);
            l += col(cfg("sc_localPgto"), "LocalPagto", 100);
            l += col("748-X", "NroBancoX", 5);
            l += col(cfg("sc_cnpj"), "CnpjBeneficiario", 20);
            l += col(cfg("sc_AT"), "Aceite", 5);
            l += "substring( b.nossonumero from 1 for 2 ) || " + sql_quoted("/") + " || " +
                 "substring( b.nossonumero from 3 for 6 ) || " + sql_quoted("-") + " || " +
                 "substring( b.nossonumero from 9 for 2 )  nossoNumeroStr ,";
            break;
        }
        case 756: {
            boleto.banco_layout = "756";
            boleto.comprovante_sicoob = cfg("sicb_Comprovante") == "SIM";
            l += col(cfg("sicb_nome"), "nomeBeneficiario", 80);
            l += col(cfg("sicb_endereco_ced"), "End_1_Beneficiario", 80);
            l += col(cfg("sicb_cidade_uf_cep"), "End_2_Beneficiario", 80);
            const std::string agency = cfg("sicb_Ag");
            l += col(agency + " / " + cfg("sicb_cd_beneficiario"), "AgenciaCedente", 18);
            l += col(cfg("sicb_localPgto"), "LocalPagto", 100);
            l += col("756", "NroBancoX", 5);
            l += col(cfg("sicb_cnpj"), "CnpjBeneficiario", 20);
            l += col(cfg("sicb_AT"), "Aceite", 5);
            l += col(cfg("sicb_tipo_crt"), "Carteira", 3);
            l += "b.chaveboleto || " + sql_quoted("-") + " || " +
                 "substring( b.nossonumero from 10 for 1 )  nossoNumeroStr ,";
            l += observation("sicb_printObsCliente");
            break;
        }
        case 341: {
            boleto.banco_layout = "341";
            l += col(cfg("it_nome"), "nomeBeneficiario", 80);
            l += col(cfg("it_endereco1"), "End_1_Beneficiario", 80);
            l += col(cfg("it_endereco2"), "End_2_Beneficiario", 80);
            const std::string agency = cfg("it_Ag");
            const std::string account = cfg("it_cc");
            l += col(agency + "/" + account + "-" + cfg("it_Ag_dv"), "AgenciaCedente", 18);
            l += col(cfg("it_localPgto"), "LocalPagto", 100);
            l += col("341-7", "NroBancoX", 5);
            l += col(cfg("it_CNPJ"), "CnpjBeneficiario", 20);
            l += col(cfg("it_AT"), "Aceite", 5);
            l += col(cfg("it_tipo_crt_SR"), "Carteira", 3);
            l += sql_quoted(first_chars(cfg("it_tipo_crt_SR") + "/", 4)) + " || " +
                 "substring( b.nossonumero from 1 for 8 ) || " + sql_quoted("-") + " || " +
                 "substring( b.nossonumero from 9 for 1 ) \"nossoNumeroStr\" ,";
            l += observation(nullptr);
            const std::string guarantor = cfg("it_SacAval");
            if (guarantor.empty()) {
                l += col(" ", "nomeSacador", 80);
                l += col(" ", "CPFCNPJSacador", 30);
            } else {
                l += col(guarantor, "nomeSacador", 80);
                l += col("CNPJ / CPF: " + cfg("it_Sac_cnpj"), "CPFCNPJSacador", 30);
            }
            break;
        }
        case 237: {
            boleto.banco_layout = "237";
            l += col(cfg("brd_nome"), "nomeBeneficiario", 80);
            l += col(cfg("brd_endereco_ced"), "End_1_Beneficiario", 80);
            l += col(cfg("brd_cidade_uf_cep"), "End_2_Beneficiario", 80);
            const std::string agency = cfg("brd_Ag");
            const std::string agency_dv = cfg("brd_Ag_dv");
            const std::string account = cfg("brd_cc");
            l += col(agency + "-" + agency_dv + " / " + account + "-" + cfg("brd_cc_dv"),
                     "AgenciaCedente", 20);
            l += col(cfg("brd_localPgto"), "LocalPagto", 100);
            l += col("237-2", "NroBancoX", 5);
            l += col(cfg("brd_cnpj"), "CnpjBeneficiario", 20);
            l += col(cfg("brd_AT"), "Aceite", 5);
            l += col(cfg("brd_tipo_crt_SR"), "Carteira", 3);
            l += nosso_numero_237(first_chars(cfg("brd_tipo_crt_SR") + " / ", 5));
            l += observation("brd_printObsCliente");
            break;
        }
        case 2372: {
            boleto.banco_layout = "2372";
            boleto.layout_cresol = cfg("crs_layout") == "CRESOL" ? "CRESOL" : "BRADESCO";
            boleto.comprovante_cresol = cfg("crs_Comprovante") == "SIM";
            const bool cresol = boleto.layout_cresol == "CRESOL";
            l += col(cfg("crs_nome"), "nomeBeneficiario", 80);
            l += col(cfg("crs_endereco_ced"), "End_1_Beneficiario", 80);
            l += col(cfg("crs_sac_aval_cnpj"), "nomeCedente2", 150);
            l += col(cfg("crs_cidade_uf_cep"), "End_2_Beneficiario", 80);
            const std::string agency = cfg("crs_Ag");
            std::string agency_text = agency;
            if (!cresol) agency_text += "-" + cfg("crs_Ag_dv");
            const std::string account = cfg("crs_cc");
            l += col(agency_text + " / " + account + "-" + cfg("crs_cc_dv"), "AgenciaCedente", 20);
            l += col(cfg("crs_localPgto"), "LocalPagto", 100);
            l += col(cresol ? "133" : "237-2", "NroBancoX", 5);
            l += col(cfg("crs_cnpj"), "CnpjBeneficiario", 20);
            l += col(cfg("crs_AT"), "Aceite", 5);
            l += col("09", "Carteira", 3);
            l += nosso_numero_237("09 / ");
            l += observation("crs_printObsCliente");
            break;
        }
        default:
            return {};
    }
    return l + kCrLf;
}

std::string TfrmFuncoesEmail::tratar_sql_da_os(const std::string& idInstrucao) {
    memoInformativo_.set_text(instruction_text(idInstrucao, "INFORMATIVO"));
    // Only the values count, by position: number, segment, kind.
    const std::vector<std::string> valores =
        parameter_values(instruction_text(idInstrucao, "SQL"), 3);
    const std::string& numero = valores[0];
    os.numero_os = "0" + numero;
    // The number goes into the SQL text and the file name as it stands: only
    // digits may, or a value such as "1 or 1=1" would select other orders.
    if (numero.find_first_not_of("0123456789") != std::string::npos) {
        throw Error(utf8_to_cp1252("A instrução ") + idInstrucao +
                    utf8_to_cp1252(" não informa um número de ordem de serviço válido: \"") +
                    numero +
                    utf8_to_cp1252("\" (o primeiro parâmetro deve ser cod_ord=<número>)."));
    }
    std::string sql = "Select * from ordem_servico where cod_ord=" + os.numero_os;
    dtm_.qryTar1.set_sql(sql);
    dtm_.qryTar1.open();

    os.segmento_os = valores[1];
    os.tipo_os = valores[2];
    return sql;
}

// --- conditional-sale documents ---

namespace {

bool only_digits(const std::string& text) {
    return Somente_Digitos(text) == text;
}

}  // namespace

std::string TfrmFuncoesEmail::tratar_sql_do_condicional(const std::string& idInstrucao) {
    memoInformativo_.set_text(instruction_text(idInstrucao, "INFORMATIVO"));
    // Only the values count, by position: number, kind, price printing.
    const std::vector<std::string> valores =
        parameter_values(instruction_text(idInstrucao, "SQL"), 3);
    const std::string& numero = valores[0];
    // Spliced into the SQL and the file name: anything but digits could
    // change the query or point outside the output folder.
    if (!only_digits(numero)) {
        throw Error(utf8_to_cp1252("Número de pacote inválido na instrução ") + idInstrucao +
                    ": \"" + numero + utf8_to_cp1252("\" (só dígitos são aceitos)."));
    }
    condicional.numero_pacote = "0" + numero;
    std::string sql = "Select * from PACOTEVENDA where nro_pacote=" + condicional.numero_pacote;
    // Fails here, before any layout exists, when the database rejects it.
    dtm_.qryTar1.set_sql(sql);
    dtm_.qryTar1.open();

    condicional.tipo_condicional = valores[1];
    condicional.imprime_valores = valores[2];
    return sql;
}

std::string TfrmFuncoesEmail::load_CB_Grade(TdtmEmail& dtm, const std::string& cod_mer,
                                            const std::string& nome_gra,
                                            const std::string& id_grade, bool habilitado) {
    if (!habilitado) return {};
    // A negative id means no grade, like 0: look the grade up by its name.
    const bool por_id = !id_grade.empty() && str_to_int(id_grade) > 0;
    const std::string condicao =
        por_id ? "     cod_mer=0" + cod_mer + " and id_grade=0" + id_grade
               : "     cod_mer=0" + cod_mer + " and nome_gra=" + sql_quoted(nome_gra);
    if (!dtm.SelectFile("SG", "GRADES_PRODUTOS_P", condicao)) return {};
    return dtm.qryTarSG.field_by_name("cod_bar").as_string();
}

}  // namespace tarvek
