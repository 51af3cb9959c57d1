#include "report/engine_texts.h"

#include "base/cp1252.h"
#include "base/format.h"

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
        "Documento PDF",
        "de",
        utf8_to_cp1252("Primeira página"),
        utf8_to_cp1252("Página anterior"),
        utf8_to_cp1252("Próxima página"),
        utf8_to_cp1252("Última página"),
        "Diminuir zoom",
        "Aumentar zoom",
        utf8_to_cp1252("Largura da página"),
        utf8_to_cp1252("Página inteira"),
        utf8_to_cp1252("Várias páginas"),
        "Imprimir",
        "Salvar",
        "Enviar",
        "Fechar",
        utf8_to_cp1252("Seleção"),
        utf8_to_cp1252("Páginas (ex.: 1;3;5-12;4):"),
        "Imprimir somente:",
        utf8_to_cp1252("Todas as páginas"),
        utf8_to_cp1252("Páginas ímpares"),
        utf8_to_cp1252("Páginas pares"),
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
        "PDF Document",
        "of",
        "First page",
        "Prior page",
        "Next page",
        "Last page",
        "Zoom out",
        "Zoom in",
        "Page width",
        "Whole page",
        "Multiple pages",
        "Print",
        "Save",
        "Send",
        "Close",
        "Selection",
        "Pages (e.g. 1;3;5-12;4):",
        "Print only:",
        "All pages",
        "Odd pages",
        "Even pages",
    };
    return texts;
}

const EngineTexts& EngineTexts::current() {
    return FormatSettings::current().portuguese ? portuguese() : english();
}

}  // namespace tarvek::report
