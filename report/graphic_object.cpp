// Graphic objects: their codes, how they move and scale, and the drawing
// counter that groups them.
#include <atomic>
#include <string>
#include <type_traits>
#include <vector>

#include "report/metafile.h"
#include "report/page_format.h"

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

// Values with nothing to move or scale. A field of any other type needs its
// move_by and scale_by below, or offset and scale do not compile.
template <typename T>
concept Unplaced = std::is_arithmetic_v<T> || std::is_enum_v<T> || std::is_same_v<T, std::string> ||
    std::is_same_v<T, MetaColor> || std::is_same_v<T, MetaBrush> || std::is_same_v<T, MetaPen> ||
    std::is_same_v<T, Picture>;

void move_by(Point& p, int dx, int dy) {
    p = {p.x + dx, p.y + dy};
}
void move_by(std::vector<Point>& points, int dx, int dy) {
    for (Point& p : points) move_by(p, dx, dy);
}
void move_by(MetaFont&, int, int) {}
void scale_by(Point& p, double sx, double sy) {
    p = {scale_coordinate(p.x, sx), scale_coordinate(p.y, sy)};
}
void scale_by(std::vector<Point>& points, double sx, double sy) {
    for (Point& p : points) scale_by(p, sx, sy);
}
void scale_by(MetaFont& font, double, double sy) {
    font.size = scale_coordinate(font.size, sy);
}

}  // namespace

void GraphicObject::offset(int dx, int dy) {
    bounds = bounds.moved(dx, dy);
    const KindSet mine = kind_bit(kind);
    for_each_field(PageFormat::object_fields, [&](const auto& field, auto) {
        using Type = typename std::remove_cvref_t<decltype(field)>::Type;
        if constexpr (!Unplaced<Type>) {
            if (field.kinds & mine) move_by(field.of(*this), dx, dy);
        }
    });
}

void GraphicObject::scale(double sx, double sy) {
    bounds = {scale_coordinate(bounds.left, sx), scale_coordinate(bounds.top, sy),
              scale_coordinate(bounds.right, sx), scale_coordinate(bounds.bottom, sy)};
    const KindSet mine = kind_bit(kind);
    for_each_field(PageFormat::object_fields, [&](const auto& field, auto) {
        using Type = typename std::remove_cvref_t<decltype(field)>::Type;
        if constexpr (!Unplaced<Type>) {
            if (field.kinds & mine) scale_by(field.of(*this), sx, sy);
        }
    });
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
