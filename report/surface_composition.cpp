// Composition: surfaces copied or moved onto others, whole or a rectangle at
// a time, and where a surface may be cut.
#include "base/errors.h"
#include "report/metafile.h"

namespace tarvek::report {

GraphicObject& GraphicSurface::adopt_font(GraphicObject& object, const GraphicSurface& source,
                                          std::vector<int>& ours) {
    if (object.kind == ObjectKind::Text) {
        const auto index = static_cast<std::size_t>(object.font.name_index);
        if (index < source.fonts_.size()) {
            // A surface names few fonts but holds many texts: each name is
            // looked up once per copy.
            if (ours.empty()) ours.assign(source.fonts_.size(), -1);
            int& mapped = ours[index];
            if (mapped < 0) mapped = font_index(source.fonts_[index]);
            object.font.name_index = mapped;
        }
    }
    return object;
}

namespace {

// Objects are copied from a const source and moved from a non-const one.
const GraphicObject& take(const GraphicObject& object) {
    return object;
}
GraphicObject&& take(GraphicObject& object) {
    return std::move(object);
}

}  // namespace

template <typename Objects>
void GraphicSurface::copy_objects(int x, int y, Objects& objects, const GraphicSurface& source) {
    // Counts first: the source may be this very surface. With the room
    // reserved, each object is built in its place (objects are large).
    const std::size_t object_count = objects.size();
    objects_.reserve(objects_.size() + object_count);
    if (object_count > 0) {
        open();
        modified_ = true;
    }
    std::vector<int> fonts;
    for (std::size_t i = 0; i < object_count; ++i) {
        adopt_font(objects_.emplace_back(take(objects[i])), source, fonts).offset(x, y);
    }
}

template <typename Objects>
void GraphicSurface::copy_objects(const Rect& destination, Objects& objects,
                                  const GraphicSurface& source, const Rect& source_rect) {
    set_clip_rect(destination);
    if (!source_rect.empty()) {
        const double sx = static_cast<double>(destination.width()) / source_rect.width();
        const double sy = static_cast<double>(destination.height()) / source_rect.height();
        const bool same_size = sx == 1.0 && sy == 1.0;
        const int dx = destination.left - scale_coordinate(source_rect.left, sx);
        const int dy = destination.top - scale_coordinate(source_rect.top, sy);
        const std::size_t object_count = objects.size();
        objects_.reserve(objects_.size() + object_count);
        std::vector<int> fonts;
        for (std::size_t i = 0; i < object_count; ++i) {
            if (!objects[i].bounds.intersects(source_rect)) continue;
            GraphicObject& object =
                adopt_font(objects_.emplace_back(take(objects[i])), source, fonts);
            if (!same_size) object.scale(sx, sy);
            object.offset(dx, dy);
        }
    }
    reset_clip_rect();
}

void GraphicSurface::copy_surface(int x, int y, const GraphicSurface& source) {
    const std::size_t macro_count = source.macros.size();
    copy_objects(x, y, source.objects_, source);
    for (std::size_t i = 0; i < macro_count; ++i) macros.push_back(source.macros[i]);
}

void GraphicSurface::copy_rect(const Rect& destination, const GraphicSurface& source,
                               const Rect& source_rect) {
    copy_objects(destination, source.objects_, source, source_rect);
}

void GraphicSurface::move_surface(int x, int y, GraphicSurface& source) {
    if (&source == this) throw Error("Cannot move a surface's objects onto itself");
    if (objects_.empty() && fonts_.empty()) {
        // Nothing here yet: the objects are taken whole, and with them the
        // fonts they refer to, in the order they were first used.
        objects_.swap(source.objects_);
        // The source is usually a working surface that fills up again
        // with as many objects: room for them saves growing it step by step.
        source.objects_.reserve(objects_.size());
        fonts_ = source.fonts_;
        if (x != 0 || y != 0) {
            for (GraphicObject& object : objects_) object.offset(x, y);
        }
        if (!objects_.empty()) {
            open();
            modified_ = true;
        }
    } else {
        copy_objects(x, y, source.objects_, source);
    }
    source.objects_.clear();
    for (auto& macro : source.macros) macros.push_back(std::move(macro));
    source.macros.clear();
}

void GraphicSurface::move_rect(const Rect& destination, GraphicSurface& source,
                               const Rect& source_rect) {
    if (&source == this) throw Error("Cannot move a surface's objects onto itself");
    copy_objects(destination, source.objects_, source, source_rect);
    source.objects_.clear();
}

std::optional<int> GraphicSurface::find_cut_row(int row) const {
    for (bool lowered = true; lowered;) {
        lowered = false;
        for (const GraphicObject& object : objects_) {
            if (object.kind == ObjectKind::Text && (object.text_flags & tfNeverBreak) &&
                object.bounds.top < row && row < object.bounds.bottom) {
                row = object.bounds.top;
                lowered = true;
            }
        }
    }
    if (row > 0) return row;
    return std::nullopt;
}

}  // namespace tarvek::report
