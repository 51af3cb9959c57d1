#include "report/engine_texts.h"

#include "app/cp1252.h"
#include "data/format.h"

namespace tarvek::report {

const EngineTexts& EngineTexts::portuguese() {
    static const EngineTexts texts{
        utf8_to_cp1252("Pré-visualização"),
        utf8_to_cp1252("Preparando o relatório..."),
        utf8_to_cp1252("Salvando o relatório..."),
        utf8_to_cp1252("Imprimindo o relatório..."),
        utf8_to_cp1252("Página"),
        utf8_to_cp1252("Erro durante a preparação do relatório"),
        utf8_to_cp1252("Não encontrado"),
        utf8_to_cp1252("Relatório"),
        "&Cancelar",
        utf8_to_cp1252("Sem título"),
        "Nenhuma impressora encontrada",
        "Nenhuma impressora selecionada.",
        "Erro no driver da impressora",
    };
    return texts;
}

const EngineTexts& EngineTexts::english() {
    static const EngineTexts texts{
        "Preview",
        "Preparing report...",
        "Saving report...",
        "Printing in progress...",
        "Page",
        "Error while preparing report",
        "Not found",
        "Report",
        "&Cancel",
        utf8_to_cp1252("Sem título"),  // the same in every language
        "Printer not found",
        "No printer selected.",
        "Printer driver error",
    };
    return texts;
}

const EngineTexts& EngineTexts::current() {
    return FormatSettings::current().portuguese ? portuguese() : english();
}

}  // namespace tarvek::report
