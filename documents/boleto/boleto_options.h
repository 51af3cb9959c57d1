// What the boleto query builder chose for the boleto job: the bank and its
// layout, and the portfolio's options.
#pragma once

#include <optional>
#include <string>

#include "documents/boleto/boleto_banks.h"

namespace tarvek {

struct BoletoOptions {
    // What the template's first boleto says: whether there is one, and its
    // bank number (none when NRO_BANCO is null).
    bool boleto_found = false;
    std::optional<int> bank_number;
    // Null when the template selects no boleto or its bank has no layout.
    const BoletoBank* bank = nullptr;
    const BoletoLayoutEntry* layout = nullptr;
    // Of a bank with variants, the one chosen; Both otherwise.
    BoletoVariant variant = BoletoVariant::Both;
    // The select list carries the customer's observation, which the layout
    // then shows in place of the informative text.
    bool imprime_obs_cliente = false;
    // The bank's receipt option.
    bool comprovante = false;
    // The bank code the layout prints in its bank box (the first three
    // digits of NroBancoX), which the boletos' codes must carry.
    std::string bank_code;
    // The codes are checked before the document is made, unless the
    // portfolio waives it (DISPENSA_VERIFICACAO "SIM"), with this query: the
    // document's boletos with only what their codes are checked against
    // (CHAVEBOLETO, NOSSONUMEROSTR, CODBARRAS, LINHADIGITAVEL, DATAVENCIMENTO,
    // VALORBOLETO, and PIXCOPIAECOLA where the database has the column).
    // Empty without a layout.
    bool verifica_codigos = true;
    std::string check_sql;

    // The layout code, or "000" when there is no layout.
    std::string banco_layout() const { return layout ? layout->code : "000"; }
    // The name of the chosen variant; empty when the bank has none.
    std::string variant_name() const {
        if (variant == BoletoVariant::First) return bank->variants.first;
        if (variant == BoletoVariant::Second) return bank->variants.second;
        return {};
    }
};

}  // namespace tarvek
