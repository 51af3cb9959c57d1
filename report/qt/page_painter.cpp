#include "report/qt/page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <optional>

#include "base/cp1252.h"
#include "report/picture.h"
#include "report/text_metrics.h"
#include "report/text_placement.h"

namespace tarvek::report {

namespace {

// Beyond this many distinct pictures the cache starts afresh.
constexpr std::size_t kMaxCachedPictures = 64;

QColor qcolor(const MetaColor& c) {
    return QColor(c.red, c.green, c.blue);
}

QBrush qbrush(const MetaBrush& b) {
    static constexpr Qt::BrushStyle styles[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style =
        b.style >= 1 && b.style <= 8 ? styles[b.style - 1] : Qt::SolidPattern;
    return QBrush(qcolor(b.color), style);
}

QImage to_qimage(const Picture& picture) {
    if (picture.empty() || picture.width() <= 0 || picture.height() <= 0) return {};
    QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
    const std::size_t row = static_cast<std::size_t>(picture.width()) * 3;
    const std::uint8_t* source = picture.rgb().data();
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(image.scanLine(y), source + row * static_cast<std::size_t>(y), row);
    }
    return image;
}

// Report pixels to device coordinates for one page.
struct Mapping {
    QRectF target;
    double sx;
    double sy;

    double x(double px) const { return target.left() + px * sx; }
    double y(double py) const { return target.top() + py * sy; }
    QPointF point(const Point& p) const { return {x(p.x), y(p.y)}; }
    QRectF rect(const Rect& r) const {
        return QRectF(QPointF(x(r.left), y(r.top)), QPointF(x(r.right), y(r.bottom)));
    }

    // Whole device pixels, at least one each way for a non-empty rectangle:
    // a one-pixel border must not vanish when the page is shown small.
    QRect pixels(const Rect& r) const {
        const int left = static_cast<int>(std::lround(x(r.left)));
        const int top = static_cast<int>(std::lround(y(r.top)));
        int right = static_cast<int>(std::lround(x(r.right)));
        int bottom = static_cast<int>(std::lround(y(r.bottom)));
        if (r.right > r.left && right <= left) right = left + 1;
        if (r.bottom > r.top && bottom <= top) bottom = top + 1;
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }

    QPen pen(const MetaPen& p) const {
        static constexpr Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                                  Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                                  Qt::SolidLine};
        const Qt::PenStyle style =
            p.style >= 1 && p.style <= 7 ? styles[p.style - 1] : Qt::SolidLine;
        QPen pen(qcolor(p.color), p.width * sx, style);
        if (p.width <= 0) pen.setWidth(0);  // cosmetic: one device pixel
        return pen;
    }
};

Font font_of(const GraphicSurface& page, const MetaFont& meta) {
    Font font;
    const auto& names = page.fonts();
    if (meta.name_index >= 0 && static_cast<std::size_t>(meta.name_index) < names.size()) {
        font.name = names[static_cast<std::size_t>(meta.name_index)];
    }
    if (meta.height != 0) font.height = meta.height;
    font.style = meta.style;
    font.charset = meta.charset;
    return font;
}

// The Qt font whose em is `em_pixels` device pixels tall on `device`.
QFont qfont(const Font& font, double em_pixels, double stretch, const QPaintDevice& device) {
    QFont qf(QString::fromStdString(font.name));
    qf.setPointSizeF(std::max(em_pixels, 0.1) * 72.0 / device.logicalDpiY());
    qf.setBold(font.style & fsBold);
    qf.setItalic(font.style & fsItalic);
    qf.setUnderline(font.style & fsUnderline);
    qf.setStrikeOut(font.style & fsStrikeOut);
    // Widths were measured without kerning; the glyphs should follow them.
    qf.setKerning(false);
    if (std::abs(stretch - 1.0) > 0.01) qf.setStretch(static_cast<int>(std::lround(stretch * 100)));
    return qf;
}

// Em height in report pixels: a positive font height is the cell height.
double em_pixels(const Font& font, const QPaintDevice& device) {
    if (font.height < 0) return -font.height;
    QFont probe = qfont(font, 100, 1.0, device);
    const QFontMetricsF fm(probe, &device);
    const double cell = fm.ascent() + fm.descent();
    return cell > 0 ? font.height * 100.0 / cell : font.height;
}

}  // namespace

PagePainter::PagePainter(TextMetrics* metrics) : metrics_(metrics) {}

const QImage& PagePainter::picture(const Picture& source) {
    auto found = pictures_.find(source.id());
    if (found != pictures_.end()) return found->second;
    if (pictures_.size() >= kMaxCachedPictures) pictures_.clear();
    return pictures_[source.id()] = to_qimage(source);
}

void PagePainter::paint(QPainter& painter, const GraphicSurface& page,
                        const Macros* collection_macros, const QRectF& target) {
    if (page.width <= 0 || page.height <= 0 || target.isEmpty()) return;
    TextMetrics& metrics = metrics_ ? *metrics_ : TextMetrics::instance();
    const Mapping map{target, target.width() / page.width, target.height() / page.height};
    QPaintDevice& device = *painter.device();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Nearest-pixel scaling keeps barcode bars sharp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);

    std::optional<QRectF> clip;
    const auto apply_clip = [&] { painter.setClipRect(clip ? clip->intersected(target) : target); };
    apply_clip();

    for (const GraphicObject& o : page.objects()) {
        switch (o.kind) {
            case ObjectKind::SetClipRect:
            case ObjectKind::ResetClipRect:
                // A reset object carries the clip it restores; an empty one
                // means no clip at all.
                if (o.bounds.empty()) {
                    clip.reset();
                } else {
                    clip = map.rect(o.bounds);
                }
                apply_clip();
                break;
            case ObjectKind::FillRect:
                if (o.brush.style != 2) painter.fillRect(map.pixels(o.bounds), qbrush(o.brush));
                break;
            case ObjectKind::Rectangle:
                if (o.brush.style != 2) {
                    painter.fillRect(map.pixels(o.bounds), qbrush(o.brush));
                } else if (o.pen.style != 6) {
                    painter.setPen(map.pen(o.pen));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(map.rect(o.bounds));
                }
                break;
            case ObjectKind::Pixel:
                painter.fillRect(map.pixels(o.bounds), qcolor(o.pixel_color));
                break;
            case ObjectKind::Line:
                painter.setPen(map.pen(o.pen));
                painter.drawLine(map.point(o.from), map.point(o.to));
                break;
            case ObjectKind::Ellipse:
                painter.setPen(map.pen(o.pen));
                painter.setBrush(qbrush(o.brush));
                painter.drawEllipse(map.rect(o.bounds));
                break;
            case ObjectKind::Arc: {
                // Counter-clockwise from the radial through `from` to the one
                // through `to`, on the ellipse inscribed in the bounds.
                const QRectF r = map.rect(o.bounds);
                const QPointF c = r.center();
                const auto angle = [&](const Point& p) {
                    const QPointF d = map.point(p) - c;
                    return std::atan2(-d.y(), d.x()) * 180.0 / std::numbers::pi;
                };
                const double start = angle(o.from);
                double span = angle(o.to) - start;
                if (span <= 0) span += 360.0;
                painter.setPen(map.pen(o.pen));
                painter.drawArc(r, static_cast<int>(std::lround(start * 16)),
                                static_cast<int>(std::lround(span * 16)));
                break;
            }
            case ObjectKind::Polygon:
            case ObjectKind::Polyline: {
                QPolygonF polygon;
                for (const Point& p : o.points) polygon << map.point(p);
                painter.setPen(map.pen(o.pen));
                if (o.kind == ObjectKind::Polygon) {
                    painter.setBrush(qbrush(o.brush));
                    painter.drawPolygon(polygon);
                } else {
                    painter.drawPolyline(polygon);
                }
                break;
            }
            case ObjectKind::Image: {
                const QImage& image = picture(o.picture);
                if (!image.isNull() && !o.bounds.empty())
                    painter.drawImage(map.rect(o.bounds), image);
                break;
            }
            case ObjectKind::Text: {
                const Font font = font_of(page, o.font);
                const std::string text = page.substitute_macros(o.text, collection_macros);
                const TextPlace place = canvas_text_place(o, text, font, metrics);

                QFont qf = qfont(font, em_pixels(font, device) * map.sy, map.sx / map.sy, device);
                const QFontMetricsF fm(qf, &device);
                const QString shown = QString::fromStdString(cp1252_to_utf8(text));
                // Spread the glyphs to the measured width: alignment and
                // clipping were decided with it, so the text must end where
                // the measurement says.
                const double natural = fm.horizontalAdvance(shown);
                if (!shown.isEmpty() && natural > 0) {
                    const double wanted = metrics.text_width(font, text) * map.sx;
                    qf.setLetterSpacing(QFont::AbsoluteSpacing, (wanted - natural) / shown.size());
                }
                painter.save();
                if (!(o.text_flags & tfNoClip)) {
                    painter.setClipRect(map.rect(place.clip), Qt::IntersectClip);
                }
                painter.setFont(qf);
                painter.setPen(qcolor(o.font.color));
                painter.drawText(QPointF(map.x(place.x), map.y(place.top) + fm.ascent()), shown);
                painter.restore();
                break;
            }
        }
    }
    painter.restore();
}

}  // namespace tarvek::report
