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
#include "documents/conditional/conditional_options.h"
#include "documents/service_order/service_order_options.h"

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
    // What the service-order builder read, for the service-order job (which
    // may turn a dispatch variant into its plain kind).
    ServiceOrderOptions os;

    // The boleto SQL: the instruction's template with the bank's constant
    // columns put in front of b.*.
    std::string tratar_sql_do_boleto(const std::string& idInstrucao);
    // The service-order SQL for the order the parameter string names; raises
    // an error when its number is not made of digits.
    std::string tratar_sql_da_os(const std::string& idInstrucao);
    std::string tratar_sql_do_condicional(const std::string& idInstrucao);

    // Campo_Valor of the portfolio's Config_Boletos row for the upper-cased key.
    std::string Busca_Valor_Referencia_Carteira(const std::string& cod_carteira,
                                                const std::string& ref);
    // One select-list column holding a constant text, ending with CR LF.
    static std::string Format_Columm(const std::string& valor, const std::string& nome, int tamanho,
                                     const std::string& separador);

    // Conditional-sale documents. The parameter string's values by position:
    // package number, document kind, price printing. The package number must
    // be digits only: it becomes part of the SQL and of the file name.
    ConditionalOptions condicional;
    // The barcode of a product's grade (its size or colour variant), found by
    // its id when that is greater than 0, else by its name; empty when
    // `habilitado` is false or no grade matches. A non-numeric id_grade raises
    // ConvertError.
    static std::string load_CB_Grade(TdtmEmail& dtm, const std::string& cod_mer,
                                     const std::string& nome_gra, const std::string& id_grade,
                                     bool habilitado);

  private:
    std::string instruction_text(const std::string& id, const char* kind);
    std::string boleto_columns(int bank, const std::string& portfolio);

    TdtmEmail& dtm_;
    TextLines& memoInformativo_;
};

}  // namespace tarvek
