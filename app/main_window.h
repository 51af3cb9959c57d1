// The main window's job control: it takes the instruction string, decides the
// document kind from the operation, connects both databases, lets the kind's
// query builder produce the document SQL and runs the kind's job.
//
// This class holds the window's state and behaviour; showing it on a screen is
// the business of the user-interface layer, which calls FormCreate,
// FormActivate and FormClose at the matching window events, follows
// window_state and timerClose, and delivers the timer's ticks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/text_lines.h"

namespace tarvek {

struct Application;
class DocumentJob;
struct DocumentRequest;
struct BoletoOptions;
struct ServiceOrderOptions;
struct ConditionalOptions;

enum class WindowState { Normal, Minimized };

// A timer's settings; the user-interface layer delivers its ticks.
struct Timer {
    int interval_ms = 1000;
    bool enabled = false;
};

class TfrmPrincipal {
  public:
    // Borrows the application's other objects, which must outlive it.
    explicit TfrmPrincipal(Application& app);

    static constexpr const char* kCaption = "Envio de email tarvek";

    // The window's hidden holders: the instruction's informative text (set by
    // the query builders, read by the jobs) and the window titles collected by
    // the close timer.
    TextLines memoInformativo{{"memoInformativo", ""}};
    std::vector<std::string> ListBox1;

    Timer timerClose;
    WindowState window_state = WindowState::Normal;

    // Window events.
    void FormCreate(const std::vector<std::string>& arguments);
    void FormActivate();
    void FormClose();

    // State of the current job.
    const std::string& instrucao() const { return instrucao_; }
    bool primeira_ativacao() const { return primeira_ativacao_; }
    const std::string& sql_documento() const { return sql_documento_; }
    // The operation of the current job, lower case, as the dispatch stored it.
    const std::string& operacao() const { return operacao_; }
    // The operation as Coleta_operacao last read it, lower case.
    const std::string& operacao_coletada() const { return operacao_coletada_; }
    // How the process reports the last job to its caller: 0 when its
    // document was written and its result row committed ("email"), or its
    // preview opened; 1 when it ended otherwise (nothing to print, a message,
    // an error). 0 before any job.
    int codigo_saida() const;

    // "Boleto", "OS", "Condicional", or "abcd" for an unknown operation.
    std::string Coleta_operacao();
    void chamar_opcao_selecionada();
    void Selecionar_boletos_carteira();
    void Selecionar_OS();
    void Selecionar_Condicional();

    // The document jobs of the three kinds, each run with the close timer off
    // on what its query builder chose.
    void enviar_Email_Print(const BoletoOptions& options);
    void enviar_Email_Print_Os(const ServiceOrderOptions& options);
    void enviar_Email_Print_Condicional(const ConditionalOptions& options);

    // Records a written document for the ERP: the result row EMAIL_OK with
    // the file's path (Windows-1252), committed at once.
    void Gravar_retorno_sql(const std::string& caminho);

    // Closing the main window ends the application; the close handler runs.
    void Close();
    bool closed() const { return closed_; }

    // Tells the window to follow a change of window_state at once (the job
    // runs right after the window minimises). Optional.
    std::function<void()> window_state_changed;

    // The close timer's tick: ends the process unless the title of some
    // top-level window contains the preview text.
    void timerCloseTimer();
    // Collects one window title, cut to 99 bytes, into ListBox1 when it is
    // not empty; true, so that the listing goes on.
    bool Coleta_Titulo_Janela(const std::string& title);
    // Fills ListBox1 with the current window titles and does nothing else.
    void Button3Click();

    // Test buttons: each runs a fixed instruction on the demo databases at
    // once, without minimising, and closes nothing afterwards.
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();

    // The titles (Windows-1252) of all top-level windows of the desktop; the
    // default lists those of the X display.
    std::function<std::vector<std::string>()> window_title_source;
    // Ends the process at once with the given exit code: no close handler
    // runs and open connections are dropped. The default flushes standard
    // output and error first. The close timer ends it with codigo_saida().
    std::function<void(int exit_code)> end_process;

  private:
    void run_test_instruction(const char* server, const char* id, const char* operation);
    // Connects both databases for the instruction and keeps its operation;
    // false when there is no instruction.
    bool connect_for_job();
    // The job protocol: timer off, the job, timer on, then the result row of
    // a written document.
    void run_job(DocumentJob& job);
    DocumentRequest request() const;

    Application& app_;
    std::string instrucao_;
    bool primeira_ativacao_ = true;
    std::string sql_documento_;
    std::string operacao_;
    std::string operacao_coletada_;
    // Unset before the first job; whether the last one delivered its document.
    std::optional<bool> tarefa_concluida_;
    bool preview_aberto_ = false;
    bool closed_ = false;
};

}  // namespace tarvek
