// Prints pages of a page collection on a QPrinter: the selected pages, once
// per copy, each on paper of its own size and orientation, drawn by the page
// painter over the whole sheet.
//
// Ownership: the printer is borrowed for the call; the collection is shared
// for the call, so a preview window closed while a progress window runs
// cannot free the pages being printed.
#pragma once

#include <QPageLayout>
#include <memory>
#include <string>

#include "report/metafile.h"
#include "report/page_selection.h"

class QPrinter;

namespace tarvek::report {

// The paper of a page: its PaperWidth, PaperHeight (millimetres, portrait)
// and Orientation ("2" landscape) macros, else the collection's, else the
// page's own size in report pixels.
QPageLayout page_paper(const GraphicSurface& page, const Macros& collection_macros);

// The print job's title: the collection's JobTitle macro, else its Title,
// else the engine's "untitled" text. Windows-1252.
std::string print_job_title(const Macros& collection_macros);

// Prints `selection` of `pages` on `printer` as one job titled
// print_job_title(). The printer is set to full-page mode and to one copy
// per job pass, since copies are produced by repeating the page sequence
// (selection.copies). Paper size and orientation follow each page and are
// set before the first page and whenever they change. With `show_progress`
// a progress window (if the user interface installed one) counts the pages
// and its cancel button ends the job after the current page.
//
// Returns false after showing a message (show_message, Windows-1252) when
// there is no printer, none was selected, the printer cannot start or take a
// page, or a page cannot be drawn. An empty selection prints nothing and
// returns true.
bool print_pages(const std::shared_ptr<GraphicStorage>& pages, const PageSelection& selection,
                 QPrinter& printer, bool show_progress = true);

}  // namespace tarvek::report
