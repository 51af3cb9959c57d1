// The query builders of the three document kinds. Each takes the instruction
// id, reads the instruction's rows of Config_Geral, leaves the informative
// text in the main window's memoInformativo and returns the document SQL.
#pragma once

#include <string>

namespace tarvek {

struct Application;

// Raises the error of a document kind this build does not produce yet;
// `document` is its name in UTF-8 ("boletos").
[[noreturn]] void document_not_built(const char* document);

class TfrmFuncoesEmail {
  public:
    explicit TfrmFuncoesEmail(Application& app);

    static constexpr const char* kCaption = "Funcoes adicionais";

    std::string tratar_sql_do_boleto(const std::string& idInstrucao);
    std::string tratar_sql_da_os(const std::string& idInstrucao);
    std::string tratar_sql_do_condicional(const std::string& idInstrucao);

  private:
    Application& app_;
};

}  // namespace tarvek
