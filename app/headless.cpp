#include "app/headless.h"

#include "app/application.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/report.h"

namespace tarvek {

void show_message(std::ostream& messages, const std::string& text_cp1252) {
    messages << cp1252_to_utf8(text_cp1252) << std::endl;
}

int run_headless(Application& app, const std::vector<std::string>& arguments,
                 std::ostream& messages) {
    TfrmPrincipal& main = *app.frmPrincipal;
    main.FormCreate(arguments);
    if (main.instrucao().empty()) {
        show_message(messages, utf8_to_cp1252(
                                   "Nenhuma instrução informada. Uso: tarvek-docs "
                                   "\"Tarvek=<banco principal>;Receber=<banco de contas a receber>;"
                                   "idInstrucao=<id>;operacao=<operação>\""));
        return 2;
    }

    const std::string kind = main.Coleta_operacao();
    if (kind == "abcd") {
        show_message(messages, utf8_to_cp1252("Operação não reconhecida: \"") +
                                   main.operacao_coletada() +
                                   utf8_to_cp1252("\". As operações são email, print, os_email, "
                                                  "os_print, cond_email e cond_print."));
        return 2;
    }
    if (!Contem_Texto("email", main.operacao_coletada())) {
        show_message(messages,
                     utf8_to_cp1252("A operação \"") + main.operacao_coletada() +
                         utf8_to_cp1252("\" abre a pré-visualização e precisa de uma tela; "
                                        "nenhuma tela está disponível."));
        return 2;
    }

    try {
        main.FormActivate();
    } catch (const std::exception& e) {
        show_message(messages, e.what());
        return 1;
    }
    return main.closed() && main.codigo_saida() == 0 ? 0 : 1;
}

}  // namespace tarvek
