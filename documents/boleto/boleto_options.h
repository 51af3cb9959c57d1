// What the boleto query builder chose for the boleto job: the layout code
// and the portfolio's options.
#pragma once

#include <string>

namespace tarvek {

struct BoletoOptions {
    // "748-B", "748-C", "756", "237", "341", "041", "2372", or "000" when the
    // bank is not supported.
    std::string banco_layout = "000";
    bool imprime_obs_cliente = false;
    bool comprovante_sicredi = false;
    bool comprovante_sicoob = false;
    bool comprovante_cresol = false;
    std::string layout_cresol;  // "CRESOL" or "BRADESCO" (bank 2372 only)
};

}  // namespace tarvek
