// The query builders of the three document kinds and the output path of the
// "email" operations. Each builder takes the instruction id, reads the
// instruction's rows of Config_Geral, leaves the informative text in the main
// window's memoInformativo and returns the document SQL.
#pragma once

#include <string>

namespace tarvek {

struct Application;

// Raises the error of a document kind this build does not produce yet;
// `document` is its name in UTF-8 ("ordem de serviço").
[[noreturn]] void document_not_built(const char* document);

// The folder all documents go to: $HOME/driveKVL/tmpEmail.
std::string output_root();

class TfrmFuncoesEmail {
  public:
    explicit TfrmFuncoesEmail(Application& app);

    static constexpr const char* kCaption = "Funcoes adicionais";

    // Boleto builder state, read by the boleto job right after the build.
    std::string banco_layout = "000";
    bool imprime_obs_cliente = false;
    bool comprovante_sicredi = false;
    bool comprovante_sicoob = false;
    bool comprovante_cresol = false;
    std::string layout_cresol;

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

    // Creates the output folders as needed, deletes an old file of that name
    // and returns the full path for a new document.
    std::string path_email(const std::string& pasta, const std::string& nome_arquivo);

  private:
    std::string instruction_text(const std::string& id, const char* kind);
    std::string boleto_columns(int bank, const std::string& portfolio);

    Application& app_;
};

}  // namespace tarvek
