#include "app/main_window.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/application.h"
#include "app/window_titles.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "documents/boleto/boleto_job.h"
#include "documents/conditional/conditional_job.h"
#include "documents/funcoes_email.h"
#include "documents/output.h"
#include "documents/service_order/service_order_job.h"

namespace tarvek {

namespace {

void flush_and_exit(int exit_code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(exit_code);
}

// The folder of the demo databases the test buttons use: TARVEK_DEMO_DIR, or
// the first "demo" folder holding them beside the executable or above it (the
// build tree sits in the source tree).
std::string demo_folder() {
    namespace fs = std::filesystem;
    if (const char* env = std::getenv("TARVEK_DEMO_DIR"); env && *env) return env;
    std::error_code error;
    fs::path dir = fs::read_symlink("/proc/self/exe", error).parent_path();
    for (int level = 0; level < 4 && !dir.empty(); ++level, dir = dir.parent_path()) {
        if (fs::exists(dir / "demo" / "tarvek.fdb", error)) return (dir / "demo").string();
        if (dir == dir.root_path()) break;
    }
    return "demo";
}

}  // namespace

TfrmPrincipal::TfrmPrincipal(Application& app)
    : window_title_source(desktop_window_titles), end_process(flush_and_exit), app_(app) {}

void TfrmPrincipal::FormCreate(const std::vector<std::string>& arguments) {
    instrucao_ = arguments.empty() ? std::string() : arguments.front();
    primeira_ativacao_ = true;
    timerClose.enabled = false;
}

void TfrmPrincipal::FormActivate() {
    if (primeira_ativacao_ && !instrucao_.empty()) {
        window_state = WindowState::Minimized;
        if (window_state_changed) window_state_changed();
        chamar_opcao_selecionada();
        // A preview (the mechanic's authorisation) keeps the process for the
        // close timer, "email" or not: closing now would take it away unseen.
        if (Contem_Texto("email", operacao_) && !preview_aberto_) {
            app_.dtmEmail->dtmConectReceber(false);
            app_.dtmEmail->dtmConectTarvek(false);
            Close();
        }
    }
    primeira_ativacao_ = false;
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
    app_.dtmEmail->instrucao = instrucao_;
    operacao_coletada_ = ascii_lower(app_.dtmEmail->load_dados_parametro("operacao="));
    if (operacao_coletada_ == "email" || operacao_coletada_ == "print") return "Boleto";
    if (operacao_coletada_ == "os_email" || operacao_coletada_ == "os_print") return "OS";
    if (operacao_coletada_ == "cond_email" || operacao_coletada_ == "cond_print")
        return "Condicional";
    return "abcd";
}

void TfrmPrincipal::chamar_opcao_selecionada() {
    const std::string kind = Coleta_operacao();
    if (kind != "abcd") tarefa_concluida_ = false;
    if (kind == "Boleto") Selecionar_boletos_carteira();
    if (kind == "OS") Selecionar_OS();
    if (kind == "Condicional") Selecionar_Condicional();
}

bool TfrmPrincipal::connect_for_job() {
    if (instrucao_.empty()) return false;
    TdtmEmail& dtm = *app_.dtmEmail;
    dtm.instrucao = instrucao_;
    dtm.dtmConectReceber(true);
    dtm.dtmConectTarvek(true);
    operacao_ = ascii_lower(dtm.operacao);
    return true;
}

void TfrmPrincipal::Selecionar_boletos_carteira() {
    if (!connect_for_job()) return;
    BoletoQuery query = app_.frmFuncoesEmail->tratar_sql_do_boleto(app_.dtmEmail->id_instrucao);
    sql_documento_ = std::move(query.sql);
    enviar_Email_Print(query.options);
}

void TfrmPrincipal::Selecionar_OS() {
    if (!connect_for_job()) return;
    ServiceOrderQuery query = app_.frmFuncoesEmail->tratar_sql_da_os(app_.dtmEmail->id_instrucao);
    sql_documento_ = std::move(query.sql);
    enviar_Email_Print_Os(query.options);
}

void TfrmPrincipal::Selecionar_Condicional() {
    if (!connect_for_job()) return;
    ConditionalQuery query =
        app_.frmFuncoesEmail->tratar_sql_do_condicional(app_.dtmEmail->id_instrucao);
    sql_documento_ = std::move(query.sql);
    enviar_Email_Print_Condicional(query.options);
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

void TfrmPrincipal::timerCloseTimer() {
    ListBox1.clear();
    for (const std::string& title : window_title_source()) Coleta_Titulo_Janela(title);
    static const std::string preview_text = utf8_to_cp1252("Pré-Visualização");
    for (const std::string& title : ListBox1) {
        if (Contem_Texto(preview_text, title)) return;
    }
    end_process(codigo_saida());
}

bool TfrmPrincipal::Coleta_Titulo_Janela(const std::string& title) {
    // Only a title's first 99 bytes count: text further on is never seen.
    constexpr std::size_t kTitleBytes = 99;
    if (!title.empty()) ListBox1.push_back(title.substr(0, kTitleBytes));
    return true;
}

void TfrmPrincipal::Button3Click() {
    ListBox1.clear();
    for (const std::string& title : window_title_source()) Coleta_Titulo_Janela(title);
}

void TfrmPrincipal::run_test_instruction(const char* server, const char* id,
                                         const char* operation) {
    const std::string demo = demo_folder();
    instrucao_ = std::string("Tarvek=") + server + ":" + demo + "/tarvek.fdb;Receber=" + server +
                 ":" + demo + "/receber.fdb;idInstrucao=" + id + ";operacao=" + operation;
    chamar_opcao_selecionada();
}

void TfrmPrincipal::Button1Click() {
    run_test_instruction("127.0.0.1", "chave123", "email");
}
void TfrmPrincipal::Button2Click() {
    run_test_instruction("127.0.0.1", "chave123", "print");
}
void TfrmPrincipal::Button4Click() {
    run_test_instruction("127.0.0.1", "chaveOS123", "os_email");
}
void TfrmPrincipal::Button5Click() {
    run_test_instruction("127.0.0.1", "chaveOS123", "os_print");
}
void TfrmPrincipal::Button6Click() {
    run_test_instruction("localhost", "chaveCond123", "cond_print");
}
void TfrmPrincipal::Button7Click() {
    run_test_instruction("localhost", "chaveCond123", "cond_email");
}

void TfrmPrincipal::run_job(DocumentJob& job) {
    timerClose.enabled = false;
    // The result row must be able to name the document: refused before any
    // work rather than after a document nobody could find.
    if (Contem_Texto("email", operacao_)) check_output_root();
    JobResult result = job.run();
    timerClose.enabled = true;
    if (result.previewed) {
        preview_aberto_ = true;
        tarefa_concluida_ = true;
    }
    if (result.document.empty()) return;
    // The name's lock is held until the row is committed, so the row names
    // this run's document; a document the ERP cannot learn of is removed.
    try {
        Gravar_retorno_sql(utf8_to_cp1252(result.document.path()));
    } catch (const std::exception& e) {
        throw Error(utf8_to_cp1252("O documento " + result.document.path() +
                                   " não pôde ser registrado no banco de dados e foi removido: ") +
                    e.what());
    }
    result.document.recorded();
    tarefa_concluida_ = true;
}

int TfrmPrincipal::codigo_saida() const {
    return tarefa_concluida_.value_or(true) ? 0 : 1;
}

DocumentRequest TfrmPrincipal::request() const {
    return DocumentRequest{.operacao = operacao_,
                           .sql_documento = sql_documento_,
                           .informativo = memoInformativo.lines()};
}

void TfrmPrincipal::enviar_Email_Print(const BoletoOptions& options) {
    BoletoJob job(*app_.dtmEmail, request(), options);
    run_job(job);
}

void TfrmPrincipal::enviar_Email_Print_Os(const ServiceOrderOptions& options) {
    ServiceOrderJob job(*app_.dtmEmail, request(), options);
    run_job(job);
}

void TfrmPrincipal::enviar_Email_Print_Condicional(const ConditionalOptions& options) {
    ConditionalJob job(*app_.dtmEmail, request(), options);
    run_job(job);
}

}  // namespace tarvek
