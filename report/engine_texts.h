// The report engine's user-visible texts, in the language of the user's
// locale: Portuguese when it is Portuguese, English otherwise. Windows-1252.
#pragma once

#include <string>

namespace tarvek::report {

struct EngineTexts {
    std::string preview_caption;    // default preview caption
    std::string preparing;          // progress while preparing
    std::string saving;             // progress while saving
    std::string printing;           // progress while printing
    std::string page;               // "Página"
    std::string preparation_error;  // prefix of a preparation error
    std::string not_found;          // prefix of a missing data field error
    std::string job_title_word;     // "Relatório"
    std::string cancel;             // progress window button
    std::string untitled;           // print job without title
    std::string no_printer;
    std::string no_printer_selected;
    std::string printer_driver_error;
    std::string pdf_document;  // display name of the PDF save filter

    // The preview window's tool bar and its print options.
    std::string of;  // "Página 1 de 3"
    std::string first, prior, next, last;
    std::string zoom_out, zoom_in;
    std::string page_width, whole_page, multiple_pages;
    std::string print, save, send, close;
    std::string selection_tab, page_list, parity;
    std::string all_pages, odd_pages, even_pages;

    static const EngineTexts& portuguese();
    static const EngineTexts& english();
    // Chosen by the language of the current format settings.
    static const EngineTexts& current();
};

}  // namespace tarvek::report
