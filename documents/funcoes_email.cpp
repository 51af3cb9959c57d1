#include "documents/funcoes_email.h"

#include "app/application.h"
#include "app/cp1252.h"
#include "data/errors.h"

namespace tarvek {

TfrmFuncoesEmail::TfrmFuncoesEmail(Application& app) : app_(app) {}

void document_not_built(const char* document) {
    throw NotBuiltError(utf8_to_cp1252(std::string("O documento de ") + document +
                                       " ainda não está disponível nesta versão."));
}

// The builders arrive with their document kinds.
std::string TfrmFuncoesEmail::tratar_sql_do_boleto(const std::string&) {
    document_not_built("boletos");
}

std::string TfrmFuncoesEmail::tratar_sql_da_os(const std::string&) {
    document_not_built("ordem de serviço");
}

std::string TfrmFuncoesEmail::tratar_sql_do_condicional(const std::string&) {
    document_not_built("venda condicional");
}

}  // namespace tarvek
