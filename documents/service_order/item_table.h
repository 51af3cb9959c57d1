// The body of service-order layouts 1 and 2: uniform six-column rows of ready
// text (people, requested services, diagnosis, products, services, sundry
// items) in the in-memory table tblItens, which the layout's report reads in
// the order the rows were appended.
//
// ServiceOrderItems fills one table per run; it borrows the data module for
// its lookups, and the table and order query it is handed.
#pragma once

#include <string>
#include <vector>

namespace tarvek {

class Dataset;
class MemoryTable;
class TdtmEmail;

// The fields of tblItens, as both item layouts declare them: cod 40, ncm 20,
// desc 100, qtd 20, vlr 20, tot 20 characters, id_lin integer, and c1 50,
// c2 75, c3 100 (never filled).
void declare_tbl_itens(MemoryTable& tabela);

class ServiceOrderItems {
  public:
    explicit ServiceOrderItems(TdtmEmail& dtm);

    // "create": empties and opens the table, read in id_lin order, and starts
    // the line numbers again. "add": appends a row whose id_lin is the next
    // line number and whose cod, ncm, desc, qtd, vlr and tot are `valores`
    // as far as they reach (longer texts are cut to the field). Any other
    // command does nothing.
    void trata_itens_da_os(MemoryTable& tabela, const std::string& comando,
                           const std::vector<std::string>& valores);

    // Appends every row of the order in the current row of `consulta_os`.
    // The dispatch variant (`expedicao`) leaves the section totals out.
    // Database errors of the lookups propagate.
    void grava_dados_necessarios_tbl_item(Dataset& consulta_os, MemoryTable& tabela,
                                          bool expedicao);

    // The last line number handed out.
    int contador_linhas() const { return contador_linhas_; }

  private:
    std::string nome_do_mecanico(const std::string& codigo);
    void linhas_de_texto(MemoryTable& tabela, const std::string& texto, const std::string& rotulo);

    TdtmEmail& dtm_;
    int contador_linhas_ = 0;
};

}  // namespace tarvek
