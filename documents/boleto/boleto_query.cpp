#include "documents/boleto/boleto_query.h"

#include "base/format.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"

namespace tarvek {

namespace {

const char* const kCrLf = "\r\n";
const char* const kTemplateSelect = "Select * from Boletos";

bool in_variant(BoletoVariant piece, BoletoVariant chosen) {
    return piece == BoletoVariant::Both || piece == chosen;
}

}  // namespace

std::string BoletoQueryBuilder::Format_Columm(const std::string& valor, const std::string& nome,
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

std::string BoletoQueryBuilder::Busca_Valor_Referencia_Carteira(const std::string& cod_carteira,
                                                                const std::string& ref) {
    if (!dtm_.SelectFile(
            "R1", "Config_Boletos",
            "cod_carteira=" + cod_carteira + " and Campo_Ref=" + sql_quoted(ascii_upper(ref)))) {
        return {};
    }
    return dtm_.qryRec1.field_by_name("Campo_Valor").as_string();
}

BoletoQuery BoletoQueryBuilder::build(const std::string& templ) {
    // Probe the first boleto for its bank and account.
    dtm_.qryRec1.set_sql(templ);
    dtm_.qryRec1.set_sql(
        Troca_Texto(dtm_.qryRec1.sql_text(), kTemplateSelect, "Select first 1 * from boletos "));
    dtm_.qryRec1.open();
    const Field& bank_field = dtm_.qryRec1.field_by_name("Nro_Banco");
    const int number = static_cast<int>(bank_field.as_integer());
    const std::string account = dtm_.qryRec1.field_by_name("chaveContaCorrente").as_string();
    BoletoQuery query;
    query.options.boleto_found = !dtm_.qryRec1.is_empty();
    if (!bank_field.is_null()) query.options.bank_number = number;

    dtm_.qryRec1.clear_sql();
    dtm_.qryRec1.add_sql_line("select * from exportacao where chaveContaCorrente=0" + account);
    dtm_.qryRec1.open();
    const std::string portfolio = dtm_.qryRec1.field_by_name("cod_carteira").as_string();

    std::string list;
    std::string nosso_numero;
    if (const BoletoBank* bank = BoletoBank::find(number)) {
        list = columns(*bank, portfolio, query.options, nosso_numero);
        // The Pix payload is checked where the ERP's database has its column.
        const bool pix = dtm_.SelectFile("R1", "rdb$relation_fields",
                                         "rdb$relation_name = 'BOLETOS' and "
                                         "rdb$field_name = 'PIXCOPIAECOLA'");
        query.options.check_sql =
            Troca_Texto(templ, kTemplateSelect,
                        "Select " + nosso_numero +
                            " b.CHAVEBOLETO, b.CODBARRAS, b.LINHADIGITAVEL, b.DATAVENCIMENTO, "
                            "b.VALORBOLETO" +
                            (pix ? ", b.PIXCOPIAECOLA" : "") + " from boletos b");
    }
    query.sql = Troca_Texto(templ, kTemplateSelect, "Select " + list + " b.* from boletos b");
    return query;
}

std::string BoletoQueryBuilder::value(const std::vector<BoletoValuePiece>& pieces,
                                      const std::string& portfolio, BoletoVariant variant) {
    std::string joined;
    for (const BoletoValuePiece& piece : pieces) {
        if (!in_variant(piece.variant, variant)) continue;
        joined += piece.source == BoletoValuePiece::Source::Setting
                      ? Busca_Valor_Referencia_Carteira(portfolio, piece.text)
                      : std::string(piece.text);
    }
    return joined;
}

std::string BoletoQueryBuilder::columns(const BoletoBank& bank, const std::string& portfolio,
                                        BoletoOptions& options, std::string& nosso_numero) {
    const auto cfg = [&](const char* key) {
        return Busca_Valor_Referencia_Carteira(portfolio, key);
    };

    // The layout, the variant and the receipt option come first.
    options.bank = &bank;
    std::size_t layout = 0;
    if (bank.layout_setting && str_to_int("0" + cfg(bank.layout_setting)) != 0) layout = 1;
    options.layout = &bank.layouts.at(layout);
    if (bank.variants.setting) {
        options.variant = cfg(bank.variants.setting) == bank.variants.first ? BoletoVariant::First
                                                                            : BoletoVariant::Second;
    }
    if (bank.receipt_setting) options.comprovante = cfg(bank.receipt_setting) == "SIM";
    options.verifica_codigos = !Verifica_Sim(cfg("DISPENSA_VERIFICACAO"));

    std::string list;
    const auto add_columns = [&](const std::vector<BoletoColumn>& columns) {
        for (const BoletoColumn& column : columns) {
            const bool blank = column.only_with && cfg(column.only_with).empty();
            const std::string v = blank ? " " : value(column.value, portfolio, options.variant);
            list += Format_Columm(v, column.alias, column.width, ",");
            if (std::string_view(column.alias) == "NroBancoX")
                options.bank_code = Somente_Digitos(v).substr(0, 3);
        }
    };
    add_columns(bank.columns);

    const BoletoNossoNumero& nosso = bank.nosso_numero;
    if (!nosso.prefix.empty()) {
        std::string prefix = value(nosso.prefix, portfolio, options.variant);
        if (nosso.prefix_length) prefix = prefix.substr(0, nosso.prefix_length);
        nosso_numero = sql_quoted(prefix);
    }
    nosso_numero += nosso.expression;
    list += nosso_numero;

    switch (bank.observation) {
        case BoletoObservation::None:
            break;
        case BoletoObservation::BySetting:
            if (Verifica_Sim(cfg(bank.observation_setting))) {
                options.imprime_obs_cliente = true;
                list +=
                    "cast( ( Select Obs_cli from clientes where codigo=b.cod_cli ) as blob ) "
                    "ObsCliente , ";
                break;
            }
            [[fallthrough]];
        case BoletoObservation::Blank:
            list += "cast( " + sql_quoted("  ") + " as blob ) ObsCliente , ";
            break;
    }
    add_columns(bank.columns_after);
    return list + kCrLf;
}

}  // namespace tarvek
