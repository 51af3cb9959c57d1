// Pages for the tests of the page store and of its codec.
#pragma once

#include <memory>

#include "report/metafile.h"

namespace tarvek::test {

// A page with one object of every kind and state unlike a new surface's
// everywhere: `bitmap` drawn, `other` and an empty picture stretched. The
// objects drawn take the current group id, the others 77.
inline std::unique_ptr<report::GraphicSurface> page_of_every_kind(const report::Picture& bitmap,
                                                                  const report::Picture& other) {
    using namespace report;
    auto surface = std::make_unique<GraphicSurface>();
    surface->width = 794;
    surface->height = 1123;
    surface->margins = {38, 38, 756, 1085};
    surface->page_index = 4;
    surface->macros = {{"PageNo", "5"},
                       {"Title",
                        "Or\xE7"
                        "amento"}};
    next_group_id();
    surface->brush = {{192, 192, 192}, 1};
    surface->fill_rect({0, 0, 10, 10});
    surface->pen = {{1, 2, 3}, 15, 3, 2};
    surface->rectangle(1, 2, 3, 4);
    surface->font.name = "Times New Roman";
    surface->font.style = fsUnderline;
    surface->brush.style = 2;
    surface->text_out({5, 6, 70, 20}, 7, 6, "Endere\xE7o \"A\"\\B", TextAlignment::Center,
                      TextLayout::Bottom, 4);
    surface->draw_picture(10, 20, bitmap, true);
    surface->stretch_picture({0, 0, 5, 5}, other);
    surface->stretch_picture({0, 0, 5, 5}, Picture());
    surface->set_clip_rect({1, 1, 9, 9});
    surface->reset_clip_rect();
    surface->set_clip_rect({2, 2, 8, 8});  // left open: the clip stack is saved too

    for (const ObjectKind kind : {ObjectKind::Line, ObjectKind::Pixel, ObjectKind::Ellipse,
                                  ObjectKind::Arc, ObjectKind::Polygon, ObjectKind::Polyline}) {
        GraphicObject object;
        object.kind = kind;
        object.bounds = {1, 2, 30, 40};
        object.group_id = 77;
        object.pen = {{9, 8, 7}, 6, 2, 3};
        object.brush = {{4, 5, 6}, 5};
        object.pixel_color = {10, 20, 30};
        if (kind == ObjectKind::Line || kind == ObjectKind::Arc) {
            object.from = {1, 2};
            object.to = {30, 40};
        }
        if (kind == ObjectKind::Polygon || kind == ObjectKind::Polyline) {
            object.points = {{1, 2}, {30, 2}, {15, 40}};
        }
        surface->objects().push_back(object);
    }
    return surface;
}

}  // namespace tarvek::test
