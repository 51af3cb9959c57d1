// The boleto query builder: turns an instruction's SQL template into the SQL
// the boleto layout's query runs, with the portfolio's settings put in front
// of b.* as constant columns of the bank's row (boleto_banks.h), and chooses
// the layout and options for the job.
//
// Borrows the data module, which must outlive it; uses its general queries
// on the receivables database.
#pragma once

#include <string>

#include "documents/boleto/boleto_options.h"

namespace tarvek {

class TdtmEmail;

struct BoletoQuery {
    std::string sql;
    BoletoOptions options;
};

class BoletoQueryBuilder {
  public:
    explicit BoletoQueryBuilder(TdtmEmail& dtm) : dtm_(dtm) {}

    // Probes the template's first boleto for its bank and account, finds the
    // account's portfolio and builds the select list of the bank's row. A
    // template that selects nothing, or a bank without a layout, gives the
    // template with no constant columns and no layout. Database and
    // conversion errors propagate.
    BoletoQuery build(const std::string& templ);

    // Campo_Valor of the portfolio's Config_Boletos row for the upper-cased
    // key; empty when there is none.
    std::string Busca_Valor_Referencia_Carteira(const std::string& cod_carteira,
                                                const std::string& ref);
    // One select-list column holding a constant text, ending with CR LF.
    static std::string Format_Columm(const std::string& valor, const std::string& nome, int tamanho,
                                     const std::string& separador);

  private:
    // The select list, and in `nosso_numero` its NOSSONUMEROSTR column.
    std::string columns(const BoletoBank& bank, const std::string& portfolio,
                        BoletoOptions& options, std::string& nosso_numero);
    std::string value(const std::vector<BoletoValuePiece>& pieces, const std::string& portfolio,
                      BoletoVariant variant);

    TdtmEmail& dtm_;
};

}  // namespace tarvek
