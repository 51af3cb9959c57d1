// The PDF save filter: writes a report's pages as a PDF 1.2 file in one
// sequential pass. Fonts are referenced by name and never embedded (text is
// Windows-1252 under WinAnsiEncoding), pictures become JPEG (or hex) images,
// everything else path and text operators.
//
// Ownership: the filter is owned by whoever created it (a layout form, whose
// report names it as its save filter). The open file and the writer's tables exist only between
// begin and end of a document; only object offsets and the font, image and page lists are kept,
// never page contents. The text measurement service given to SetTextMetrics
// is borrowed and must outlive the filter's documents.
//
// Errors (tarvek::Error): the file cannot be created, "Cannot create file
// "<path>". <reason>", raised before anything is written; a write failure;
// a font with no outline metrics, "Invalid font for GetOutlineTextMetrics",
// raised at the end of the document, which then stays incomplete.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "report/filters.h"

namespace tarvek::report {

class TextMetrics;

enum TRLPDFFilterImageFormat { ifBitmap, ifJPeg, ifOriginal };

struct TRLPDFFilterDocumentInfo {
    // Written into the information dictionary as they are, each only when
    // not empty.
    std::string Title;
    std::string Subject;
    std::string Author;
    std::string KeyWords;
    std::string Creator = "tarvek-docs report engine";
    std::string Producer;
};

class TRLPDFFilter : public TRLCustomSaveFilter {
  public:
    // The creation time as "YYYYMMDDHHMMSS".
    using Clock = std::function<std::string()>;

    // DisplayName follows the locale's engine language at construction:
    // "Documento PDF" or "PDF Document".
    TRLPDFFilter();
    ~TRLPDFFilter() override;

    TRLPDFFilterDocumentInfo DocumentInfo;
    // ifJPeg: baseline JPEG at quality 90; ifBitmap and ifOriginal: the RGB
    // pixels as ASCII hex.
    TRLPDFFilterImageFormat ImageFormat = ifJPeg;

    // Where /CreationDate comes from; an empty clock means the local time.
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // Text measurement and font metrics; nullptr means TextMetrics::instance().
    void SetTextMetrics(TextMetrics* metrics) { metrics_ = metrics; }

  protected:
    void InternalBeginDoc() override;
    void InternalEndDoc() override;
    void InternalNewPage() override {}
    void InternalDrawPage(const GraphicSurface& page) override;

  private:
    class Writer;
    std::unique_ptr<Writer> writer_;
    Clock clock_;
    TextMetrics* metrics_ = nullptr;
};

// A real number as the writer prints it: four decimals, then trailing zeros
// and a trailing "." removed ("842.25", "0.7529", "0", "-12.5"). Values
// beyond +-32767 (the readers' limit) are clamped to it; NaN prints as "0".
std::string pdf_number(double value);
void append_pdf_number(std::string& out, double value);

// A text for a PDF string literal: "(", ")" and "\" get a backslash, bytes
// 0-31 and 127 become "\" and three octal digits, the rest stays.
std::string pdf_escape(std::string_view text);

// The local time as "YYYYMMDDHHMMSS".
std::string local_timestamp();

}  // namespace tarvek::report
