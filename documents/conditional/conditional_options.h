// What the conditional query builder read from the instruction's parameter
// string, for the conditional job.
#pragma once

#include <string>

namespace tarvek {

struct ConditionalOptions {
    // "0" followed by the package number as written ("057"); only digits.
    std::string numero_pacote;
    // "CONDICIONAL", "PACOTE" or "DEVOLUCAO"; any other text produces no
    // document.
    std::string tipo_condicional;
    // Exactly "NAO" hides prices, discount, freight, totals and the
    // declaration lines.
    std::string imprime_valores;
};

}  // namespace tarvek
