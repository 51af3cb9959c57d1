// Graphic objects: their codes, how they move and scale, and the drawing
// counter that groups them.
#include <atomic>

#include "report/metafile.h"

namespace tarvek::report {

MetaColor MetaColor::from(Color c) {
    const Color rgb = resolve_color(c);
    return {red_of(rgb), green_of(rgb), blue_of(rgb)};
}

const char* object_class_name(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Text:
            return "TRLTextObject";
        case ObjectKind::Rectangle:
            return "TRLRectangleObject";
        case ObjectKind::FillRect:
            return "TRLFillRectObject";
        case ObjectKind::Image:
            return "TRLImageObject";
        case ObjectKind::SetClipRect:
            return "TRLSetClipRectObject";
        case ObjectKind::ResetClipRect:
            return "TRLResetClipRectObject";
        case ObjectKind::Line:
            return "TRLLineObject";
        case ObjectKind::Pixel:
            return "TRLPixelObject";
        case ObjectKind::Ellipse:
            return "TRLEllipseObject";
        case ObjectKind::Arc:
            return "TRLArcObject";
        case ObjectKind::Polygon:
            return "TRLPolygonObject";
        case ObjectKind::Polyline:
            return "TRLPolylineObject";
    }
    return "TRLGraphicObject";
}

namespace {

bool has_end_points(ObjectKind kind) {
    return kind == ObjectKind::Line || kind == ObjectKind::Arc;
}

Point scaled(Point p, double sx, double sy) {
    return {scale_coordinate(p.x, sx), scale_coordinate(p.y, sy)};
}

}  // namespace

void GraphicObject::offset(int dx, int dy) {
    bounds = bounds.moved(dx, dy);
    if (kind == ObjectKind::Text) origin = {origin.x + dx, origin.y + dy};
    if (has_end_points(kind)) {
        from = {from.x + dx, from.y + dy};
        to = {to.x + dx, to.y + dy};
    }
    for (Point& p : points) p = {p.x + dx, p.y + dy};
}

void GraphicObject::scale(double sx, double sy) {
    bounds = {scale_coordinate(bounds.left, sx), scale_coordinate(bounds.top, sy),
              scale_coordinate(bounds.right, sx), scale_coordinate(bounds.bottom, sy)};
    if (kind == ObjectKind::Text) {
        origin = scaled(origin, sx, sy);
        font.size = scale_coordinate(font.size, sy);
    }
    if (has_end_points(kind)) {
        from = scaled(from, sx, sy);
        to = scaled(to, sx, sy);
    }
    for (Point& p : points) p = scaled(p, sx, sy);
}

namespace {
// On a cache line of its own: controls draw on one thread while another
// writes pages.
alignas(64) std::atomic<int> group_counter{0};
}  // namespace

int next_group_id() {
    return ++group_counter;
}
int current_group_id() {
    return group_counter.load();
}

}  // namespace tarvek::report
