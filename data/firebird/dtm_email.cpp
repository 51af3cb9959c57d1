#include "data/firebird/dtm_email.h"

#include "base/string_helpers.h"

namespace tarvek {

namespace {

const std::vector<std::string> kTransactionParams = {"read_committed", "rec_version", "nowait"};

}  // namespace

const std::vector<std::string>& TdtmEmail::connection_params() {
    static const std::vector<std::string> params = {"user_name=Sysdba", "password=pinewharf",
                                                    "lc_ctype=WIN1252"};
    return params;
}

TdtmEmail::TdtmEmail()
    : ibtTarvek("ibtTarvek", dtbTarvek, kTransactionParams, TransactionEndAction::CommitRetaining),
      ibtReceber("ibtReceber", dtbReceber, kTransactionParams,
                 TransactionEndAction::CommitRetaining),
      qryRec1("qryRec1", dtbReceber, ibtReceber),
      qryTar1("qryTar1", dtbTarvek, ibtTarvek),
      qryconfig("qryconfig", dtbTarvek, ibtTarvek),
      qryTarSG("qryTarSG", dtbTarvek, ibtTarvek) {
    dtbTarvek.set_params(connection_params());
    dtbReceber.set_params(connection_params());
}

TdtmEmail::~TdtmEmail() {
    // Same order as the close handler: receivables first, then main.
    try {
        dtmConectReceber(false);
    } catch (...) {
    }
    try {
        dtmConectTarvek(false);
    } catch (...) {
    }
}

std::string TdtmEmail::load_dados_parametro(std::string_view key) const {
    return instruction_value(instrucao, key);
}

void TdtmEmail::connect(Database& db, Transaction& tr, std::string_view key) {
    const std::string path = load_dados_parametro(key);
    id_instrucao = load_dados_parametro("idInstrucao=");
    operacao = load_dados_parametro("operacao=");
    db.close_datasets();
    db.disconnect();
    db.set_database_name(path);
    db.connect();
    tr.start();
}

void TdtmEmail::disconnect(Database& db, Transaction& tr) {
    if (tr.active()) tr.rollback();
    db.close_datasets();
    db.disconnect();
}

void TdtmEmail::dtmConectReceber(bool conectar) {
    if (conectar) {
        connect(dtbReceber, ibtReceber, "Receber=");
    } else {
        disconnect(dtbReceber, ibtReceber);
    }
}

void TdtmEmail::dtmConectTarvek(bool conectar) {
    if (conectar) {
        connect(dtbTarvek, ibtTarvek, "Tarvek=");
    } else {
        disconnect(dtbTarvek, ibtTarvek);
    }
}

bool TdtmEmail::SelectFile(std::string_view alvo, std::string_view tabela,
                           std::string_view condicao) {
    Query* target = nullptr;
    if (alvo == "R1") target = &qryRec1;
    if (alvo == "S1") target = &qryTar1;
    if (alvo == "SG") target = &qryTarSG;
    if (target) {
        target->set_sql_lines(
            {"Select * From " + std::string(tabela) + " Where ( " + std::string(condicao) + " )"});
        target->open();
        return !target->eof();
    }
    if (ascii_upper(alvo) == "CLOSE") {
        qryTar1.close();
        qryRec1.close();
    }
    return false;
}

bool TdtmEmail::lookup_config(std::string_view ref) {
    qryconfig.set_sql_lines(
        {"Select * from Config_Geral where Campo_Ref=" + sql_quoted(ascii_upper(ref))});
    qryconfig.open();
    return !qryconfig.eof();
}

std::string TdtmEmail::Busca_Valor_Referencia(std::string_view ref) {
    if (!lookup_config(ref)) return {};
    return qryconfig.field_by_name("Campo_Valor").as_string();
}

std::string TdtmEmail::Busca_Valor_Referencia_Memo(std::string_view ref) {
    if (!lookup_config(ref)) return {};
    return qryconfig.field_by_name("memo_contrato").as_string();
}

}  // namespace tarvek
