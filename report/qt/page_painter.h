// Draws the graphic objects of one page on a QPainter, scaled from report
// pixels to a target rectangle of the painter's device: the one drawing
// routine of the screen preview and the printer.
//
// Fills, rectangles and pixels are filled shapes; lines and other shapes use
// their pen; images are stretched to their rectangle; texts are placed by
// the canvas rule (canvas_text_place, report/text_placement.h), clipped to
// their rectangle unless flag bit 0 is set. Clip objects set and restore the
// clip of the objects after them.
//
// Ownership: the painter, page and macros are borrowed for one paint() call.
// A PagePainter keeps decoded pictures between calls (a logo repeated on
// every page is decoded once), so reuse one for a run of pages.
#pragma once

#include <QImage>
#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "report/metafile.h"

class QPainter;

namespace tarvek::report {

class TextMetrics;

class PagePainter {
  public:
    // nullptr means TextMetrics::instance(); a given service must outlive
    // the painter.
    explicit PagePainter(TextMetrics* metrics = nullptr);

    // Draws `page` into `target` (device coordinates): report pixel (x, y)
    // lands on target.left + x * target.width / page.width, likewise
    // vertically. `collection_macros` (may be null) resolve {Name} macros
    // that the page does not hold. Pictures that cannot be decoded and pages
    // without a size draw nothing. The painter's state is restored after.
    void paint(QPainter& painter, const GraphicSurface& page, const Macros* collection_macros,
               const QRectF& target);

  private:
    const QImage& picture(const Picture& source);

    TextMetrics* metrics_;
    // By picture id: an id is never given twice, so a hit is these very pixels.
    std::unordered_map<std::uint64_t, QImage> pictures_;
};

}  // namespace tarvek::report
