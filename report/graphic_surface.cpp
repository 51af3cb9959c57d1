// The drawing side of a surface: its state and the operations that append
// objects.
#include <cmath>

#include "report/metafile.h"
#include "report/text_metrics.h"

namespace tarvek::report {

int GraphicSurface::font_index(const std::string& name) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i] == name) return static_cast<int>(i);
    }
    fonts_.push_back(name);
    return static_cast<int>(fonts_.size() - 1);
}

void GraphicSurface::clear() {
    objects_.clear();
    fonts_.clear();
    macros.clear();
    clip_ = {};
    clip_stack_.clear();
    modified_ = false;
}

GraphicObject& GraphicSurface::append(ObjectKind kind, const Rect& bounds) {
    open();
    modified_ = true;
    GraphicObject& object = objects_.emplace_back();
    object.kind = kind;
    object.bounds = bounds;
    object.group_id = current_group_id();
    return object;
}

MetaFont GraphicSurface::meta_font() {
    MetaFont meta;
    meta.pixels_per_inch = 96;
    meta.charset = font.charset;
    meta.color = MetaColor::from(font.color);
    meta.height = font.height;
    meta.name_index = font_index(font.name);
    meta.pitch = font.pitch == 1 ? 3 : font.pitch == 2 ? 2 : 1;
    meta.size = font.size();
    meta.style = font.style;
    return meta;
}

void GraphicSurface::fill_rect(const Rect& r) {
    append(ObjectKind::FillRect, r).brush = brush;
}

void GraphicSurface::rectangle(int left, int top, int right, int bottom) {
    GraphicObject& object = append(ObjectKind::Rectangle, {left, top, right, bottom});
    object.pen = pen;
    object.brush = brush;
}

std::string GraphicSurface::justified(const std::string& text, int x, int right) {
    // Words and the blank runs between them; blanks before the first and after
    // the last word are no gaps and stay as they are.
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return text;
    const std::size_t last = text.find_last_not_of(' ');
    std::vector<std::string> words, gaps;
    for (std::size_t pos = first; pos <= last;) {
        const std::size_t word_end = std::min(text.find(' ', pos), last + 1);
        words.push_back(text.substr(pos, word_end - pos));
        if (word_end > last) break;
        const std::size_t next = text.find_first_not_of(' ', word_end);
        gaps.push_back(text.substr(word_end, next - word_end));
        pos = next;
    }
    if (gaps.empty()) return text;

    const auto join = [&] {
        std::string out = text.substr(0, first);
        for (std::size_t i = 0; i < words.size(); ++i) {
            out += words[i];
            if (i < gaps.size()) out += gaps[i];
        }
        return out + text.substr(last + 1);
    };
    TextMetrics& metrics = TextMetrics::instance();
    const int blank = metrics.text_width(font, " ");
    if (blank <= 0) return text;
    const double limit = right - blank / 2.0;
    std::string result = text;
    // Spread the added blanks over the gaps from left to right, round robin.
    for (std::size_t i = 0;; i = (i + 1) % gaps.size()) {
        gaps[i] += ' ';
        std::string candidate = join();
        if (x + metrics.text_width(font, candidate) > limit) break;
        result = std::move(candidate);
    }
    return result;
}

void GraphicSurface::text_out(const Rect& r, int x, int y, const std::string& text,
                              TextAlignment alignment, TextLayout layout, unsigned flags) {
    std::string stored = alignment == TextAlignment::Justify ? justified(text, x, r.right) : text;
    const MetaFont meta = meta_font();
    GraphicObject& object = append(ObjectKind::Text, r);
    object.text = std::move(stored);
    object.origin = {x, y};
    object.alignment = alignment;
    object.layout = layout;
    object.text_flags = flags;
    object.brush = brush;
    object.font = meta;
}

void GraphicSurface::stretch_picture(const Rect& r, const Picture& picture) {
    append(ObjectKind::Image, r).picture = picture;
}

void GraphicSurface::draw_picture(int x, int y, const Picture& bitmap, bool parity) {
    GraphicObject& object =
        append(ObjectKind::Image, {x, y, x + bitmap.width(), y + bitmap.height()});
    object.picture = bitmap;
    object.parity = parity;
}

void GraphicSurface::scale_picture(const Rect& r, const Picture& picture, bool center) {
    if (picture.empty() || picture.width() <= 0 || picture.height() <= 0) return;
    const long long rw = r.width(), rh = r.height();
    const long long pw = picture.width(), ph = picture.height();
    int w = 0, h = 0;
    if (rw * ph <= rh * pw) {  // the width is what limits
        w = static_cast<int>(rw);
        h = static_cast<int>(std::llround(static_cast<double>(rw) * ph / pw));
    } else {
        h = static_cast<int>(rh);
        w = static_cast<int>(std::llround(static_cast<double>(rh) * pw / ph));
    }
    int left = r.left, top = r.top;
    if (center) {
        left += (r.width() - w) / 2;
        top += (r.height() - h) / 2;
    }
    stretch_picture({left, top, left + w, top + h}, picture);
}

void GraphicSurface::clip_picture(const Rect& r, const Picture& picture, bool center) {
    if (picture.empty()) return;
    int left = r.left, top = r.top;
    if (center) {
        left += (r.width() - picture.width()) / 2;
        top += (r.height() - picture.height()) / 2;
    }
    const Rect placed{left, top, left + picture.width(), top + picture.height()};
    const Rect visible = placed.intersection(r);
    if (visible.empty()) return;
    stretch_picture(visible, picture.crop(visible.left - placed.left, visible.top - placed.top,
                                          visible.width(), visible.height()));
}

void GraphicSurface::set_clip_rect(const Rect& r) {
    clip_stack_.push_back(clip_);
    clip_ = r;
    append(ObjectKind::SetClipRect, r);
}

void GraphicSurface::reset_clip_rect() {
    if (clip_stack_.empty()) {
        clip_ = {};
    } else {
        clip_ = clip_stack_.back();
        clip_stack_.pop_back();
    }
    append(ObjectKind::ResetClipRect, clip_);
}

std::unique_ptr<GraphicSurface> GraphicSurface::clone() const {
    auto copy = std::make_unique<GraphicSurface>();
    copy->width = width;
    copy->height = height;
    copy->margins = margins;
    copy->page_index = page_index;
    copy->macros = macros;
    copy->brush = brush;
    copy->pen = pen;
    copy->font = font;
    copy->objects_ = objects_;
    copy->fonts_ = fonts_;
    copy->clip_ = clip_;
    copy->clip_stack_ = clip_stack_;
    copy->opened_ = opened_;
    copy->modified_ = modified_;
    return copy;
}

}  // namespace tarvek::report
