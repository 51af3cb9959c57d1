// The query builders of the three document kinds and the output path of the
// "email" operations. Each builder takes the instruction id, reads the
// instruction's rows of Config_Geral, leaves the informative text in the
// memo it was given (the main window's memoInformativo) and returns the
// document SQL.
//
// Borrows the data module and the memo; both must outlive it.
#pragma once

#include <string>

#include "documents/boleto/boleto_options.h"

namespace tarvek {

class TdtmEmail;
class TextLines;

class TfrmFuncoesEmail {
  public:
    TfrmFuncoesEmail(TdtmEmail& dtm, TextLines& memoInformativo);

    static constexpr const char* kCaption = "Funcoes adicionais";

    // What the boleto builder chose, read by the boleto job right after the
    // build.
    BoletoOptions boleto;

    // The boleto SQL: the instruction's template with the bank's constant
    // columns put in front of b.*.
    std::string tratar_sql_do_boleto(const std::string& idInstrucao);
    std::string tratar_sql_da_os(const std::string& idInstrucao);
    std::string tratar_sql_do_condicional(const std::string& idInstrucao);

    // Campo_Valor of the portfolio's Config_Boletos row for the upper-cased key.
    std::string Busca_Valor_Referencia_Carteira(const std::string& cod_carteira,
                                                const std::string& ref);
    // One select-list column holding a constant text, ending with CR LF.
    static std::string Format_Columm(const std::string& valor, const std::string& nome, int tamanho,
                                     const std::string& separador);

  private:
    std::string instruction_text(const std::string& id, const char* kind);
    std::string boleto_columns(int bank, const std::string& portfolio);

    TdtmEmail& dtm_;
    TextLines& memoInformativo_;
};

}  // namespace tarvek
