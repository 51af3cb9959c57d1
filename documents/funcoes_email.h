// The one entry through which the main form builds a document's query: reads
// the instruction's rows of Config_Geral, leaves the informative text in the
// memo it was given (the main window's memoInformativo) and hands the
// instruction's SQL text to the builder of the document kind, whose result
// (the document SQL and the choices for its job) it returns.
//
// Borrows the data module and the memo; both must outlive it.
#pragma once

#include <optional>
#include <string>

#include "documents/boleto/boleto_query.h"
#include "documents/conditional/conditional_query.h"
#include "documents/service_order/service_order_query.h"

namespace tarvek {

class TdtmEmail;
class TextLines;

class TfrmFuncoesEmail {
  public:
    TfrmFuncoesEmail(TdtmEmail& dtm, TextLines& memoInformativo);

    static constexpr const char* kCaption = "Funcoes adicionais";

    // The boleto SQL: the instruction's template with the bank's constant
    // columns put in front of b.*.
    BoletoQuery tratar_sql_do_boleto(const std::string& idInstrucao);
    // The service-order SQL for the order the parameter string names; raises
    // an error when its number is not made of digits.
    ServiceOrderQuery tratar_sql_da_os(const std::string& idInstrucao);
    // The package SQL for the package the parameter string names; raises an
    // error when its number is not made of digits.
    ConditionalQuery tratar_sql_do_condicional(const std::string& idInstrucao);

  private:
    // Sets the informative text and returns the instruction's SQL text;
    // raises an error when the instruction has no SQL row.
    std::string read_instruction(const std::string& idInstrucao);
    // The text of the instruction's row of `kind`; none without the row.
    std::optional<std::string> instruction_text(const std::string& id, const char* kind);

    TdtmEmail& dtm_;
    TextLines& memoInformativo_;
};

}  // namespace tarvek
