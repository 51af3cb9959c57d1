#include "documents/funcoes_email.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/dtm_email.h"

namespace tarvek {

TfrmFuncoesEmail::TfrmFuncoesEmail(TdtmEmail& dtm, TextLines& memoInformativo)
    : dtm_(dtm), memoInformativo_(memoInformativo) {}

std::optional<std::string> TfrmFuncoesEmail::instruction_text(const std::string& id,
                                                              const char* kind) {
    if (!dtm_.SelectFile("S1", "Config_geral",
                         "Campo_Valor=" + sql_quoted(id) + " and Campo_Ref=" + sql_quoted(kind))) {
        return std::nullopt;
    }
    return dtm_.qryTar1.field_by_name("memo_contrato").as_string();
}

std::string TfrmFuncoesEmail::read_instruction(const std::string& idInstrucao) {
    memoInformativo_.set_text(instruction_text(idInstrucao, "INFORMATIVO").value_or(""));
    std::optional<std::string> sql = instruction_text(idInstrucao, "SQL");
    if (!sql) {
        throw Error(utf8_to_cp1252("Instrução \"") + idInstrucao +
                    utf8_to_cp1252("\" não encontrada: Config_Geral não tem a linha SQL dela. "
                                   "Nenhum documento foi gerado."));
    }
    return *sql;
}

BoletoQuery TfrmFuncoesEmail::tratar_sql_do_boleto(const std::string& idInstrucao) {
    return BoletoQueryBuilder(dtm_).build(read_instruction(idInstrucao));
}

ServiceOrderQuery TfrmFuncoesEmail::tratar_sql_da_os(const std::string& idInstrucao) {
    return build_service_order_query(dtm_, idInstrucao, read_instruction(idInstrucao));
}

ConditionalQuery TfrmFuncoesEmail::tratar_sql_do_condicional(const std::string& idInstrucao) {
    return build_conditional_query(dtm_, idInstrucao, read_instruction(idInstrucao));
}

}  // namespace tarvek
