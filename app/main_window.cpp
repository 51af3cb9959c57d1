#include "app/main_window.h"

#include "app/application.h"
#include "app/string_helpers.h"
#include "data/errors.h"
#include "documents/funcoes_email.h"

namespace tarvek {

TfrmPrincipal::TfrmPrincipal(Application& app) : app_(app) {}

void TfrmPrincipal::FormCreate(const std::vector<std::string>& arguments) {
    instrucao = arguments.empty() ? std::string() : arguments.front();
    primeira_ativacao = true;
    timerClose.enabled = false;
}

void TfrmPrincipal::FormActivate() {
    if (primeira_ativacao && !instrucao.empty()) {
        window_state = WindowState::Minimized;
        chamar_opcao_selecionada();
        if (Contem_Texto("email", operacao)) {
            app_.dtmEmail->dtmConectReceber(false);
            app_.dtmEmail->dtmConectTarvek(false);
            Close();
        }
    }
    primeira_ativacao = false;
}

void TfrmPrincipal::FormClose() {
    app_.dtmEmail->dtmConectReceber(false);
    app_.dtmEmail->dtmConectTarvek(false);
}

void TfrmPrincipal::Close() {
    if (closed_) return;
    FormClose();
    closed_ = true;
}

std::string TfrmPrincipal::Coleta_operacao() {
    app_.dtmEmail->instrucao = instrucao;
    operacao_coletada = ascii_lower(app_.dtmEmail->load_dados_parametro("operacao="));
    if (operacao_coletada == "email" || operacao_coletada == "print") return "Boleto";
    if (operacao_coletada == "os_email" || operacao_coletada == "os_print") return "OS";
    if (operacao_coletada == "cond_email" || operacao_coletada == "cond_print")
        return "Condicional";
    return "abcd";
}

void TfrmPrincipal::chamar_opcao_selecionada() {
    if (Coleta_operacao() == "Boleto") Selecionar_boletos_carteira();
    if (Coleta_operacao() == "OS") Selecionar_OS();
    if (Coleta_operacao() == "Condicional") Selecionar_Condicional();
}

void TfrmPrincipal::run_branch(const Builder& builder, void (TfrmPrincipal::*job)()) {
    if (instrucao.empty()) return;
    TdtmEmail& dtm = *app_.dtmEmail;
    dtm.instrucao = instrucao;
    dtm.dtmConectReceber(true);
    dtm.dtmConectTarvek(true);
    operacao = ascii_lower(dtm.operacao);
    sql_documento = builder(dtm.id_instrucao);
    (this->*job)();
}

void TfrmPrincipal::Selecionar_boletos_carteira() {
    run_branch(
        [this](const std::string& id) { return app_.frmFuncoesEmail->tratar_sql_do_boleto(id); },
        &TfrmPrincipal::enviar_Email_Print);
}

void TfrmPrincipal::Selecionar_OS() {
    run_branch([this](const std::string& id) { return app_.frmFuncoesEmail->tratar_sql_da_os(id); },
               &TfrmPrincipal::enviar_Email_Print_Os);
}

void TfrmPrincipal::Selecionar_Condicional() {
    run_branch(
        [this](const std::string& id) {
            return app_.frmFuncoesEmail->tratar_sql_do_condicional(id);
        },
        &TfrmPrincipal::enviar_Email_Print_Condicional);
}

void TfrmPrincipal::Gravar_retorno_sql(const std::string& caminho) {
    TdtmEmail& dtm = *app_.dtmEmail;
    dtm.qryTar1.set_sql_lines({"Insert into config_geral",
                               "( Campo_Valor, campo_Ref , memo_contrato )  ",
                               " Values ( " + sql_quoted(dtm.id_instrucao) + "," +
                                   sql_quoted("EMAIL_OK") + "," + sql_quoted(caminho) + ") "});
    dtm.qryTar1.exec_sql();
    dtm.ibtTarvek.commit_retaining();
}

// The jobs arrive with their document kinds.
void TfrmPrincipal::enviar_Email_Print_Os() {
    document_not_built("ordem de serviço");
}

void TfrmPrincipal::enviar_Email_Print_Condicional() {
    document_not_built("venda condicional");
}

}  // namespace tarvek
