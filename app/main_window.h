// The main window's job control: it takes the instruction string, decides the
// document kind from the operation, connects both databases, lets the kind's
// query builder produce the document SQL and runs the kind's job.
//
// This class holds the window's state and behaviour; showing it on a screen is
// the business of the user-interface layer, which calls FormCreate,
// FormActivate and FormClose at the matching window events.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/text_lines.h"

namespace tarvek {

struct Application;
class Query;
namespace report {
class TRLCustomReport;
}

enum class WindowState { Normal, Minimized };

// A timer's settings; the user-interface layer delivers its ticks.
struct Timer {
    int interval_ms = 1000;
    bool enabled = false;
};

class TfrmPrincipal {
  public:
    explicit TfrmPrincipal(Application& app);

    static constexpr const char* kCaption = "Envio de email tarvek";

    // State of the current job.
    std::string instrucao;
    bool primeira_ativacao = true;
    std::string sql_documento;
    std::string operacao;
    std::string operacao_coletada;

    // Hidden holders: the instruction's informative text, a scratch text used
    // to split texts into lines, and the window titles of the close timer.
    TextLines memoInformativo{{"memoInformativo", ""}};
    TextLines memoTmp{{"memoInformativo"}};
    std::vector<std::string> ListBox1;

    Timer timerClose;
    WindowState window_state = WindowState::Normal;

    // Window events.
    void FormCreate(const std::vector<std::string>& arguments);
    void FormActivate();
    void FormClose();

    // "Boleto", "OS", "Condicional", or "abcd" for an unknown operation.
    std::string Coleta_operacao();
    void chamar_opcao_selecionada();
    void Selecionar_boletos_carteira();
    void Selecionar_OS();
    void Selecionar_Condicional();

    // The document jobs; each reads sql_documento and operacao.
    void enviar_Email_Print();
    void enviar_Email_Print_Os();
    void enviar_Email_Print_Condicional();

    // Opens `query` with `sql`; false, after telling the user, when it holds
    // no boleto.
    bool abrir_consulta_boleto(Query& query, const std::string& sql);
    // Records a written document for the ERP: the result row EMAIL_OK with
    // the file's path, committed at once.
    void Gravar_retorno_sql(const std::string& caminho);

    // Opens the preview of a prepared report; set by the user-interface
    // layer. Without it a print operation cannot run.
    std::function<void(report::TRLCustomReport&)> preview_handler;

    // Set when a document could not be generated completely: its file was
    // removed and no result row was written.
    bool documento_incompleto = false;

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
    // output and error first.
    std::function<void(int exit_code)> end_process;

  private:
    void run_test_instruction(const char* server, const char* id, const char* operation);
    using Builder = std::function<std::string(const std::string& id)>;
    void run_branch(const Builder& builder, void (TfrmPrincipal::*job)());

    Application& app_;
    bool closed_ = false;
};

}  // namespace tarvek
