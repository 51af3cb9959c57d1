#include "report/qt/printing.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <charconv>

#include "base/cp1252.h"
#include "base/errors.h"
#include "report/engine_texts.h"
#include "report/qt/page_painter.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

// Macro numbers are written with a "." whatever the locale.
double millimetres(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && value > 0 ? value : 0;
}

std::string page_or_collection(const Macros& page, const Macros& collection,
                               const std::string& name) {
    bool found = false;
    std::string value = macro_value(page, name, &found);
    return found ? value : macro_value(collection, name);
}

}  // namespace

QPageLayout page_paper(const GraphicSurface& page, const Macros& collection_macros) {
    const bool landscape = page_or_collection(page.macros, collection_macros, "Orientation") == "2";
    double width = millimetres(page_or_collection(page.macros, collection_macros, "PaperWidth"));
    double height = millimetres(page_or_collection(page.macros, collection_macros, "PaperHeight"));
    if (width <= 0 || height <= 0) {
        // The page's own size is already oriented.
        width = (landscape ? page.height : page.width) * 25.4 / 96.0;
        height = (landscape ? page.width : page.height) * 25.4 / 96.0;
    }
    const QPageSize size(QSizeF(width, height), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

std::string print_job_title(const Macros& collection_macros) {
    std::string title = macro_value(collection_macros, "JobTitle");
    if (title.empty()) title = macro_value(collection_macros, "Title");
    return title.empty() ? EngineTexts::current().untitled : title;
}

bool print_pages(const std::shared_ptr<GraphicStorage>& pages, const PageSelection& selection,
                 QPrinter& printer, bool show_progress) {
    const EngineTexts& texts = EngineTexts::current();
    const std::vector<int> sequence = print_sequence(selection, pages ? pages->page_count() : 0);
    if (sequence.empty()) return true;

    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
        show_message(QPrinterInfo::availablePrinters().isEmpty() ? texts.no_printer
                                                                 : texts.no_printer_selected);
        return false;
    }

    printer.setDocName(QString::fromStdString(cp1252_to_utf8(print_job_title(pages->macros))));
    printer.setFullPage(true);
    printer.setCopyCount(1);

    std::unique_ptr<ProgressSink> progress = show_progress ? make_progress() : nullptr;
    struct CloseProgress {
        std::unique_ptr<ProgressSink>& progress;
        ~CloseProgress() {
            if (progress) progress->Finish();
        }
    } close_progress{progress};
    if (progress) progress->Start(texts.saving, static_cast<int>(sequence.size()));

    PagePainter page_painter;
    QPainter painter;
    QPageLayout paper;
    try {
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const GraphicSurface* page = pages->page(sequence[i] - 1);
            if (!page) continue;
            const QPageLayout wanted = page_paper(*page, pages->macros);
            if (!painter.isActive()) {
                printer.setPageLayout(wanted);
                if (!painter.begin(&printer)) {
                    show_message(texts.printer_driver_error);
                    return false;
                }
            } else {
                // A new paper only takes effect on the page that follows.
                if (!wanted.isEquivalentTo(paper)) printer.setPageLayout(wanted);
                if (!printer.newPage()) {
                    painter.end();
                    show_message(texts.printer_driver_error);
                    return false;
                }
            }
            paper = wanted;
            // Full-page mode puts the painter's origin at the sheet's corner,
            // so the printer's physical offsets are already taken off.
            page_painter.paint(painter, *page, &pages->macros,
                               QRectF(paper.fullRectPixels(printer.resolution())));
            if (progress) {
                progress->Step(texts.page + " " + std::to_string(sequence[i]));
                if (progress->Canceled()) break;
            }
        }
    } catch (const std::exception& e) {
        if (painter.isActive()) painter.end();
        show_message(e.what());
        return false;
    }
    if (painter.isActive() && !painter.end()) {
        show_message(texts.printer_driver_error);
        return false;
    }
    return true;
}

}  // namespace tarvek::report
