#include "report/metafile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>
#include <random>
#include <system_error>
#include <unordered_map>

#include "base/errors.h"
#include "report/text_metrics.h"

namespace tarvek::report {

// ---------------------------------------------------------------------------
// Objects and codes

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

int scaled(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

Point scaled(Point p, double sx, double sy) {
    return {scaled(p.x, sx), scaled(p.y, sy)};
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
    bounds = {scaled(bounds.left, sx), scaled(bounds.top, sy), scaled(bounds.right, sx),
              scaled(bounds.bottom, sy)};
    if (kind == ObjectKind::Text) {
        origin = scaled(origin, sx, sy);
        font.size = scaled(font.size, sy);
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

// ---------------------------------------------------------------------------
// Macros

std::string macro_value(const Macros& macros, const std::string& name, bool* found) {
    for (const auto& [key, value] : macros) {
        if (key == name) {
            if (found) *found = true;
            return value;
        }
    }
    if (found) *found = false;
    return {};
}

void set_macro(Macros& macros, const std::string& name, const std::string& value) {
    for (auto& [key, existing] : macros) {
        if (key == name) {
            existing = value;
            return;
        }
    }
    macros.emplace_back(name, value);
}

std::string GraphicSurface::substitute_macros(const std::string& text,
                                              const Macros* collection_macros) const {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        const std::size_t close = open == std::string::npos ? open : text.find('}', open + 1);
        if (close == std::string::npos) break;
        out.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        bool found = false;
        std::string value = macro_value(macros, name, &found);
        if (!found && collection_macros) value = macro_value(*collection_macros, name, &found);
        out += found ? value : text.substr(open, close - open + 1);
        pos = close + 1;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

// ---------------------------------------------------------------------------
// Surface

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

void GraphicSurface::text_out(const Rect& r, int x, int y, const std::string& text, int alignment,
                              int layout, unsigned flags) {
    std::string stored = alignment == 4 ? justified(text, x, r.right) : text;
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
        const int dx = destination.left - scaled(source_rect.left, sx);
        const int dy = destination.top - scaled(source_rect.top, sy);
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

// ---------------------------------------------------------------------------
// Serialisation. Numbers take 7 bits a byte (signed ones zigzag-coded). An
// object writes only the fields that differ from a new object's, its
// coordinates relative to what came before, and a font, brush or pen equal
// to the last one written as a flag: a page of texts and rules takes a few
// bytes an object. Pictures go to the store, or else follow in the bytes,
// each row as a copy of the one above, runs of one colour, or raw pixels.

namespace {

constexpr std::string_view kPageMagic = "TVKPAGE2";

class Writer {
  public:
    void u8(std::uint8_t v) {
        room(1);
        out_[size_++] = static_cast<char>(v);
    }
    void uvar(std::uint64_t v) {
        room(10);
        while (v >= 0x80) {
            out_[size_++] = static_cast<char>(v | 0x80);
            v >>= 7;
        }
        out_[size_++] = static_cast<char>(v);
    }
    void svar(std::int64_t v) {
        uvar((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
    }
    void boolean(bool v) { u8(v ? 1 : 0); }
    void str(std::string_view s) {
        uvar(s.size());
        raw(s);
    }
    void raw(std::string_view s) {
        room(s.size());
        std::memcpy(out_.data() + size_, s.data(), s.size());
        size_ += s.size();
    }
    void raw(const std::uint8_t* data, std::size_t size) {
        raw(std::string_view(reinterpret_cast<const char*>(data), size));
    }
    void rect(const Rect& r) {
        svar(r.left);
        svar(r.top);
        svar(r.right);
        svar(r.bottom);
    }
    void color(MetaColor c) {
        u8(c.red);
        u8(c.green);
        u8(c.blue);
    }
    void brush(const MetaBrush& b) {
        color(b.color);
        svar(b.style);
    }
    void pen(const MetaPen& p) {
        color(p.color);
        svar(p.mode);
        svar(p.style);
        svar(p.width);
    }
    void meta_font(const MetaFont& f) {
        svar(f.pixels_per_inch);
        u8(f.charset);
        color(f.color);
        svar(f.height);
        svar(f.name_index);
        svar(f.pitch);
        svar(f.size);
        uvar(f.style);
    }
    void font(const Font& f) {
        str(f.name);
        svar(f.height);
        uvar(f.style);
        uvar(f.color);
        u8(f.charset);
        svar(f.pitch);
    }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {out_.data(), size_}; }
    void clear() { size_ = 0; }
    std::string take() {
        out_.resize(size_);
        size_ = 0;
        return std::move(out_);
    }

  private:
    // The string grows ahead of what is written, by doubling.
    void room(std::size_t n) {
        if (out_.size() - size_ < n) out_.resize(std::max(2 * out_.size(), size_ + n + 256));
    }

    std::string out_;
    std::size_t size_ = 0;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t u8() {
        need(1);
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint64_t uvar() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = u8();
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        fail("a number is too long");
    }
    std::int64_t svar() {
        const std::uint64_t u = uvar();
        return static_cast<std::int64_t>(u >> 1) ^ -static_cast<std::int64_t>(u & 1);
    }
    int i32() { return in_range(svar()); }
    int in_range(std::int64_t v) const {
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
            fail("a number is out of range");
        }
        return static_cast<int>(v);
    }
    unsigned u32() {
        const std::uint64_t v = uvar();
        if (v > std::numeric_limits<unsigned>::max()) fail("a number is out of range");
        return static_cast<unsigned>(v);
    }
    bool boolean() {
        const std::uint8_t v = u8();
        if (v > 1) fail("a flag is neither 0 nor 1");
        return v == 1;
    }
    // A list length; each element takes at least `min_size` bytes, which
    // rejects lengths the data cannot hold before anything is allocated.
    std::size_t count(std::size_t min_size) {
        const std::uint64_t n = uvar();
        if (n > (bytes_.size() - pos_) / min_size) fail("a list is longer than the data");
        return static_cast<std::size_t>(n);
    }
    std::string_view bytes(std::size_t n) {
        need(n);
        const std::string_view out = bytes_.substr(pos_, n);
        pos_ += n;
        return out;
    }
    std::string str() { return std::string(bytes(count(1))); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    void expect(std::string_view magic) {
        need(magic.size());
        if (bytes_.substr(pos_, magic.size()) != magic) fail("not a stored page");
        pos_ += magic.size();
    }
    Rect rect() {
        Rect r;
        r.left = i32();
        r.top = i32();
        r.right = i32();
        r.bottom = i32();
        return r;
    }
    MetaColor color() {
        MetaColor c;
        c.red = u8();
        c.green = u8();
        c.blue = u8();
        return c;
    }
    MetaBrush brush() {
        MetaBrush b;
        b.color = color();
        b.style = i32();
        return b;
    }
    MetaPen pen() {
        MetaPen p;
        p.color = color();
        p.mode = i32();
        p.style = i32();
        p.width = i32();
        return p;
    }
    MetaFont meta_font() {
        MetaFont f;
        f.pixels_per_inch = i32();
        f.charset = u8();
        f.color = color();
        f.height = i32();
        f.name_index = i32();
        f.pitch = i32();
        f.size = i32();
        f.style = u32();
        return f;
    }
    Font font() {
        Font f;
        f.name = str();
        f.height = i32();
        f.style = u32();
        f.color = u32();
        f.charset = u8();
        f.pitch = i32();
        return f;
    }
    void finish() const {
        if (pos_ != bytes_.size()) fail("unexpected bytes after the page");
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw Error("Damaged page data at byte " + std::to_string(pos_) + ": " + what);
    }

  private:
    void need(std::size_t n) const {
        if (n > bytes_.size() - pos_) fail("the data ends early");
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// --- pictures

enum PictureCode : std::uint8_t { kNoPicture = 0, kBitmap = 1, kIcon = 2 };
enum RowCode : std::uint8_t { kRowAsAbove = 0, kRowRuns = 1, kRowRaw = 2 };

void write_pixel_rows(Writer& w, const Picture& picture) {
    const auto width = static_cast<std::size_t>(picture.width());
    const std::size_t stride = width * 3;
    const std::uint8_t* rows = picture.rgb().data();
    Writer runs;
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = rows + static_cast<std::size_t>(y) * stride;
        if (y > 0 && std::memcmp(row, row - stride, stride) == 0) {
            w.u8(kRowAsAbove);
            continue;
        }
        runs.clear();
        for (std::size_t x = 0; x < width && runs.size() < stride;) {
            const std::uint8_t* pixel = row + x * 3;
            std::size_t n = 1;
            while (x + n < width && pixel[n * 3] == pixel[0] && pixel[n * 3 + 1] == pixel[1] &&
                   pixel[n * 3 + 2] == pixel[2]) {
                ++n;
            }
            runs.uvar(n);
            runs.raw(pixel, 3);
            x += n;
        }
        if (runs.size() < stride) {
            w.u8(kRowRuns);
            w.raw(runs.view());
        } else {
            w.u8(kRowRaw);
            w.raw(row, stride);
        }
    }
}

void write_picture(Writer& w, const Picture& picture) {
    switch (picture.kind()) {
        case Picture::Kind::None:
            w.u8(kNoPicture);
            return;
        case Picture::Kind::Icon:
            w.u8(kIcon);
            w.str(picture.icon_bytes());
            return;
        case Picture::Kind::Bitmap:
            w.u8(kBitmap);
            w.uvar(static_cast<std::uint64_t>(picture.width()));
            w.uvar(static_cast<std::uint64_t>(picture.height()));
            write_pixel_rows(w, picture);
            return;
    }
}

Picture read_picture(Reader& r) {
    switch (r.u8()) {
        case kNoPicture:
            return {};
        case kIcon:
            return Picture::from_file_data(r.str(), "a stored page");
        case kBitmap:
            break;
        default:
            r.fail("unknown picture kind");
    }
    const std::uint64_t width = r.uvar();
    const std::uint64_t height = r.uvar();
    if (width == 0 || height == 0 || width > Picture::kMaxPixels ||
        height > Picture::kMaxPixels / width) {
        r.fail("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels");
    }
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    // Every row takes a byte at least: a short record cannot claim a tall picture.
    if (height > r.remaining()) r.fail("a picture is taller than the data");
    std::vector<std::uint8_t> rgb(stride * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = rgb.data() + y * stride;
        switch (r.u8()) {
            case kRowAsAbove:
                if (y == 0) r.fail("the first row of a picture repeats nothing");
                std::memcpy(row, row - stride, stride);
                break;
            case kRowRuns:
                for (std::size_t x = 0; x < width;) {
                    const std::uint64_t n = r.uvar();
                    if (n == 0 || n > width - x) r.fail("a run of pixels leaves its row");
                    const std::string_view pixel = r.bytes(3);
                    for (std::uint64_t i = 0; i < n; ++i, ++x) {
                        std::memcpy(row + x * 3, pixel.data(), 3);
                    }
                }
                break;
            case kRowRaw:
                std::memcpy(row, r.bytes(stride).data(), stride);
                break;
            default:
                r.fail("unknown picture row kind");
        }
    }
    return Picture::from_rgb(static_cast<int>(width), static_cast<int>(height), std::move(rgb));
}

// --- objects

enum ObjectField : std::uint32_t {
    kGeneratorField = 1u << 0,
    kTextField = 1u << 1,
    kOriginField = 1u << 2,
    kAlignmentField = 1u << 3,  // alignment and layout
    kTextFlagsField = 1u << 4,
    kFontField = 1u << 5,
    kFontAgain = 1u << 6,  // the font last written
    kBrushField = 1u << 7,
    kBrushAgain = 1u << 8,
    kPenField = 1u << 9,
    kPenAgain = 1u << 10,
    kPictureField = 1u << 11,
    kParityField = 1u << 12,
    kEndsField = 1u << 13,  // from and to
    kPixelColorField = 1u << 14,
    kPointsField = 1u << 15,
};
constexpr std::uint32_t kAllFields = (1u << 16) - 1;

// What the objects before the current one left: coordinates and the state
// last written are told relative to it.
struct ObjectContext {
    Rect bounds;
    std::int64_t group_id = 0;
    MetaFont font;
    MetaBrush brush;
    MetaPen pen;
};

const GraphicObject& new_object() {
    static const GraphicObject object;
    return object;
}

void write_object(Writer& w, const GraphicObject& o, ObjectContext& c,
                  GraphicSurface::PictureStore* pictures) {
    const GraphicObject& fresh = new_object();
    std::uint32_t fields = 0;
    if (o.generator_id != fresh.generator_id) fields |= kGeneratorField;
    if (!o.text.empty()) fields |= kTextField;
    if (o.origin != fresh.origin) fields |= kOriginField;
    if (o.alignment != fresh.alignment || o.layout != fresh.layout) fields |= kAlignmentField;
    if (o.text_flags != fresh.text_flags) fields |= kTextFlagsField;
    if (o.font != fresh.font) fields |= o.font == c.font ? kFontAgain : kFontField;
    if (o.brush != fresh.brush) fields |= o.brush == c.brush ? kBrushAgain : kBrushField;
    if (o.pen != fresh.pen) fields |= o.pen == c.pen ? kPenAgain : kPenField;
    if (!o.picture.empty()) fields |= kPictureField;
    if (o.parity) fields |= kParityField;
    if (o.from != fresh.from || o.to != fresh.to) fields |= kEndsField;
    if (o.pixel_color != fresh.pixel_color) fields |= kPixelColorField;
    if (!o.points.empty()) fields |= kPointsField;

    const Rect& b = o.bounds;
    w.u8(static_cast<std::uint8_t>(o.kind));
    w.uvar(fields);
    w.svar(std::int64_t{b.left} - c.bounds.left);
    w.svar(std::int64_t{b.top} - c.bounds.top);
    w.svar(std::int64_t{b.right} - b.left);
    w.svar(std::int64_t{b.bottom} - b.top);
    w.svar(o.group_id - c.group_id);
    c.bounds = b;
    c.group_id = o.group_id;
    const auto relative = [&](Point p) {
        w.svar(std::int64_t{p.x} - b.left);
        w.svar(std::int64_t{p.y} - b.top);
    };
    if (fields & kGeneratorField) w.svar(o.generator_id);
    if (fields & kTextField) w.str(o.text);
    if (fields & kOriginField) relative(o.origin);
    if (fields & kAlignmentField) {
        w.svar(o.alignment);
        w.svar(o.layout);
    }
    if (fields & kTextFlagsField) w.uvar(o.text_flags);
    if (fields & kFontField) {
        w.meta_font(o.font);
        c.font = o.font;
    }
    if (fields & kBrushField) {
        w.brush(o.brush);
        c.brush = o.brush;
    }
    if (fields & kPenField) {
        w.pen(o.pen);
        c.pen = o.pen;
    }
    if (fields & kPictureField) {
        if (pictures) {
            w.uvar(pictures->number_of(o.picture));
        } else {
            write_picture(w, o.picture);
        }
    }
    if (fields & kEndsField) {
        relative(o.from);
        relative(o.to);
    }
    if (fields & kPixelColorField) w.color(o.pixel_color);
    if (fields & kPointsField) {
        w.uvar(o.points.size());
        for (Point p : o.points) relative(p);
    }
}

void read_object(Reader& r, GraphicObject& o, ObjectContext& c,
                 GraphicSurface::PictureStore* pictures) {
    const std::uint8_t kind = r.u8();
    if (kind > static_cast<std::uint8_t>(ObjectKind::Polyline)) {
        r.fail("unknown object kind " + std::to_string(kind));
    }
    o.kind = static_cast<ObjectKind>(kind);
    const std::uint64_t fields = r.uvar();
    if (fields & ~std::uint64_t{kAllFields}) r.fail("unknown object fields");
    Rect& b = o.bounds;
    b.left = r.in_range(c.bounds.left + r.svar());
    b.top = r.in_range(c.bounds.top + r.svar());
    b.right = r.in_range(b.left + r.svar());
    b.bottom = r.in_range(b.top + r.svar());
    o.group_id = r.in_range(c.group_id + r.svar());
    c.bounds = b;
    c.group_id = o.group_id;
    const auto relative = [&] {
        Point p;
        p.x = r.in_range(b.left + r.svar());
        p.y = r.in_range(b.top + r.svar());
        return p;
    };
    if (fields & kGeneratorField) o.generator_id = r.i32();
    if (fields & kTextField) o.text = r.str();
    if (fields & kOriginField) o.origin = relative();
    if (fields & kAlignmentField) {
        o.alignment = r.i32();
        o.layout = r.i32();
    }
    if (fields & kTextFlagsField) o.text_flags = r.u32();
    if (fields & kFontField) c.font = r.meta_font();
    if (fields & (kFontField | kFontAgain)) o.font = c.font;
    if (fields & kBrushField) c.brush = r.brush();
    if (fields & (kBrushField | kBrushAgain)) o.brush = c.brush;
    if (fields & kPenField) c.pen = r.pen();
    if (fields & (kPenField | kPenAgain)) o.pen = c.pen;
    if (fields & kPictureField) {
        if (pictures) {
            const std::uint64_t number = r.uvar();
            if (number > std::numeric_limits<std::uint32_t>::max()) r.fail("no such picture");
            o.picture = pictures->picture(static_cast<std::uint32_t>(number));
        } else {
            o.picture = read_picture(r);
        }
    }
    o.parity = (fields & kParityField) != 0;
    if (fields & kEndsField) {
        o.from = relative();
        o.to = relative();
    }
    if (fields & kPixelColorField) o.pixel_color = r.color();
    if (fields & kPointsField) {
        o.points.resize(r.count(2));
        for (Point& p : o.points) p = relative();
    }
}

constexpr std::size_t kMinObjectSize = 7;  // kind, fields, bounds, group id

}  // namespace

std::string GraphicSurface::serialize(PictureStore* pictures) const {
    Writer w;
    w.raw(kPageMagic);
    w.boolean(pictures != nullptr);
    w.svar(width);
    w.svar(height);
    w.rect(margins);
    w.svar(page_index);
    w.uvar(macros.size());
    for (const auto& [name, value] : macros) {
        w.str(name);
        w.str(value);
    }
    w.brush(brush);
    w.pen(pen);
    w.font(font);
    w.uvar(fonts_.size());
    for (const std::string& name : fonts_) w.str(name);
    w.rect(clip_);
    w.uvar(clip_stack_.size());
    for (const Rect& r : clip_stack_) w.rect(r);
    w.boolean(opened_);
    w.boolean(modified_);
    w.uvar(objects_.size());
    ObjectContext context;
    for (const GraphicObject& object : objects_) write_object(w, object, context, pictures);
    return w.take();
}

std::unique_ptr<GraphicSurface> GraphicSurface::deserialize(std::string_view bytes,
                                                            PictureStore* pictures) {
    Reader r(bytes);
    r.expect(kPageMagic);
    if (r.boolean() != (pictures != nullptr)) {
        r.fail(pictures ? "the page holds its pictures itself"
                        : "the page's pictures are kept elsewhere");
    }
    auto surface = std::make_unique<GraphicSurface>();
    surface->width = r.i32();
    surface->height = r.i32();
    surface->margins = r.rect();
    surface->page_index = r.i32();
    surface->macros.resize(r.count(2));
    for (auto& [name, value] : surface->macros) {
        name = r.str();
        value = r.str();
    }
    surface->brush = r.brush();
    surface->pen = r.pen();
    surface->font = r.font();
    surface->fonts_.resize(r.count(1));
    for (std::string& name : surface->fonts_) name = r.str();
    surface->clip_ = r.rect();
    surface->clip_stack_.resize(r.count(4));
    for (Rect& rect : surface->clip_stack_) rect = r.rect();
    surface->opened_ = r.boolean();
    surface->modified_ = r.boolean();
    surface->objects_.resize(r.count(kMinObjectSize));
    ObjectContext context;
    for (GraphicObject& object : surface->objects_) read_object(r, object, context, pictures);
    r.finish();
    return surface;
}

// ---------------------------------------------------------------------------
// Page collection

namespace {

std::string errno_text(int error) {
    return std::generic_category().message(error);
}

// The swap file, in the temporary folder (TMPDIR), readable by its owner
// only and without a name: it is created unnamed, or unlinked the moment it
// is created where the file system cannot do that, so that it goes with the
// process however the process ends.
class SwapFile {
  public:
    SwapFile() {
        std::filesystem::path folder;
        try {
            folder = std::filesystem::temp_directory_path();
        } catch (const std::filesystem::filesystem_error& e) {
            throw Error(std::string("Cannot find the temporary folder for the page swap file: ") +
                        e.what());
        }
        path_ = folder / "(page swap file)";
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0) return;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            throw Error("Cannot create the page swap file in " + folder.string() + ": " +
                        errno_text(errno));
        }
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::uint64_t number = (static_cast<std::uint64_t>(random()) << 32) ^ random();
            char name[64];
            std::snprintf(name, sizeof name, "tarvek-pages-%016llx.swp",
                          static_cast<unsigned long long>(number));
            const std::filesystem::path candidate = folder / name;
            fd_ = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
            if (fd_ >= 0) {
                ::unlink(candidate.c_str());
                return;
            }
            if (errno != EEXIST) {
                throw Error("Cannot create the page swap file " + candidate.string() + ": " +
                            errno_text(errno));
            }
        }
        throw Error("Cannot create the page swap file in " + folder.string() +
                    ": every name tried already exists");
    }
    ~SwapFile() { ::close(fd_); }
    // Bytes appended so far, those still in the buffer included.
    std::uint64_t size() const { return end_; }
    SwapFile(const SwapFile&) = delete;
    SwapFile& operator=(const SwapFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Appends the bytes at the end of the file and returns their offset.
    // They are written in blocks: a page and its pictures take one write
    // among many.
    std::uint64_t append(std::string_view bytes) {
        const std::uint64_t offset = end_;
        if (pending_.size() + bytes.size() > kBlock) flush();
        if (bytes.size() >= kBlock) {
            write_at(end_, bytes);
        } else {
            pending_.append(bytes);
        }
        end_ += bytes.size();
        return offset;
    }

    std::string read(std::uint64_t offset, std::uint64_t length) const {
        // Whole records only: each lies in the buffer or in the file.
        const std::uint64_t pending_start = end_ - pending_.size();
        if (offset >= pending_start) {
            if (offset + length > end_) {
                throw Error("Cannot read the page swap file " + path_.string() + ": it ends early");
            }
            return pending_.substr(offset - pending_start, length);
        }
        std::string bytes(length, '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                throw Error("Cannot read the page swap file " + path_.string() + ": " +
                            errno_text(errno));
            }
            if (n == 0)
                throw Error("Cannot read the page swap file " + path_.string() + ": it ends early");
            done += static_cast<std::size_t>(n);
        }
        return bytes;
    }

  private:
    static constexpr std::size_t kBlock = 1 << 18;

    void flush() {
        write_at(end_ - pending_.size(), pending_);
        pending_.clear();
    }

    void write_at(std::uint64_t offset, std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                       static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                throw Error("Cannot write the page swap file " + path_.string() + ": " +
                            errno_text(n < 0 ? errno : ENOSPC));
            }
            done += static_cast<std::size_t>(n);
        }
    }

    int fd_ = -1;
    std::filesystem::path path_;
    std::uint64_t end_ = 0;
    std::string pending_;  // the last bytes appended, not written yet
};

}  // namespace

struct GraphicStorage::Impl : GraphicSurface::PictureStore {
    // Where a page or a picture lies in the swap file.
    struct Record {
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
    };
    struct Resident {
        int index = 0;
        // Shared with whoever took the page as it was added (a filter writing
        // on another thread): it may outlive its time in memory here.
        std::shared_ptr<GraphicSurface> page;
        bool changed = false;  // handed out for changing: written again when it goes
    };
    struct StoredPicture {
        Record record;
        WeakPicture live;  // the pixels while someone still shows them
    };

    // Deques: a long collection's tables never need room for twice their
    // entries, nor a copy of them while growing.
    std::deque<Record> pages;
    std::deque<Resident> in_memory;  // oldest first
    std::deque<StoredPicture> pictures;
    // Picture ids of the pictures stored, while their pixels live: a picture
    // shown again is found here and not written again.
    std::unordered_map<std::uint64_t, std::uint32_t> picture_numbers;
    std::size_t numbers_after_sweep = 0;
    std::unique_ptr<SwapFile> swap;
    std::uint64_t bytes_read = 0;
    AddedPageListener listener;

    SwapFile& swap_file() {
        if (!swap) swap = std::make_unique<SwapFile>();
        return *swap;
    }

    Record store(const std::string& bytes) {
        return Record{swap_file().append(bytes), bytes.size()};
    }

    std::string read(const Record& record) {
        bytes_read += record.length;
        return swap->read(record.offset, record.length);
    }

    std::uint32_t number_of(const Picture& picture) override {
        if (const auto found = picture_numbers.find(picture.id()); found != picture_numbers.end())
            return found->second;
        if (pictures.size() >= std::numeric_limits<std::uint32_t>::max()) {
            throw Error("Too many pictures for one page collection");
        }
        Writer w;
        write_picture(w, picture);
        const auto number = static_cast<std::uint32_t>(pictures.size());
        pictures.push_back(StoredPicture{store(w.take()), WeakPicture(picture)});
        remember(picture, number);
        return number;
    }

    Picture picture(std::uint32_t number) override {
        if (number >= pictures.size()) {
            throw Error("Damaged page data: picture " + std::to_string(number) +
                        " was never stored");
        }
        StoredPicture& stored = pictures[number];
        Picture live = stored.live.lock();
        if (!live.empty()) return live;
        const std::string bytes = read(stored.record);
        Reader r(bytes);
        Picture picture = read_picture(r);
        r.finish();
        stored.live = WeakPicture(picture);
        remember(picture, number);
        return picture;
    }

    // The ids of pictures whose pixels are gone can never come again: they
    // are dropped whenever the table doubled since the last look, and with
    // them the pictures' last remains (a weak reference keeps its block).
    void remember(const Picture& picture, std::uint32_t number) {
        picture_numbers[picture.id()] = number;
        if (picture_numbers.size() < 2 * numbers_after_sweep + 64) return;
        std::erase_if(picture_numbers, [&](const auto& entry) {
            WeakPicture& live = pictures[entry.second].live;
            if (!live.expired()) return false;
            live = WeakPicture();
            return true;
        });
        numbers_after_sweep = picture_numbers.size();
    }

    void write_page(int index, const GraphicSurface& page) {
        pages[static_cast<std::size_t>(index)] = store(page.serialize(this));
    }

    void evict_oldest() {
        Resident& oldest = in_memory.front();
        if (oldest.changed) write_page(oldest.index, *oldest.page);
        in_memory.pop_front();
    }

    Resident& resident(int index) {
        for (Resident& r : in_memory) {
            if (r.index == index) return r;
        }
        std::shared_ptr<GraphicSurface> loaded;
        try {
            loaded =
                GraphicSurface::deserialize(read(pages[static_cast<std::size_t>(index)]), this);
        } catch (const Error& e) {
            throw Error("Cannot read page " + std::to_string(index) + " back from " +
                        swap->path().string() + ": " + e.what());
        }
        while (in_memory.size() >= static_cast<std::size_t>(kPagesInMemory)) evict_oldest();
        return in_memory.emplace_back(Resident{index, std::move(loaded), false});
    }
};

GraphicStorage::GraphicStorage() : impl_(std::make_unique<Impl>()) {}
GraphicStorage::~GraphicStorage() = default;

void GraphicStorage::clear() {
    const std::lock_guard lock(mutex_);
    AddedPageListener listener = std::move(impl_->listener);
    impl_ = std::make_unique<Impl>();
    impl_->listener = std::move(listener);
    macros.clear();
}

void GraphicStorage::add(std::unique_ptr<GraphicSurface> page) {
    if (!page) throw Error("Cannot add a missing page to the page collection");
    std::shared_ptr<const GraphicSurface> added;
    AddedPageListener listener;
    {
        const std::lock_guard lock(mutex_);
        Impl& impl = *impl_;
        const int index = static_cast<int>(impl.pages.size());
        page->page_index = index;
        impl.pages.emplace_back();
        try {
            impl.write_page(index, *page);
        } catch (...) {
            impl.pages.pop_back();
            throw;
        }
        std::shared_ptr<GraphicSurface> shared = std::move(page);
        if (impl.listener) {
            added = shared;
            listener = impl.listener;
        }
        impl.in_memory.push_back(Impl::Resident{index, std::move(shared), false});
        while (impl.in_memory.size() > static_cast<std::size_t>(kPagesInMemory)) {
            impl.evict_oldest();
        }
    }
    // Outside the lock: the listener may wait for a reader of this collection.
    if (listener) listener(std::move(added));
}

void GraphicStorage::set_added_page_listener(AddedPageListener listener) {
    const std::lock_guard lock(mutex_);
    impl_->listener = std::move(listener);
}

const GraphicSurface* GraphicStorage::page(int index) {
    const std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(impl_->pages.size())) return nullptr;
    return impl_->resident(index).page.get();
}

GraphicSurface* GraphicStorage::page_for_change(int index) {
    const std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(impl_->pages.size())) return nullptr;
    Impl::Resident& resident = impl_->resident(index);
    resident.changed = true;
    return resident.page.get();
}

std::uint32_t GraphicStorage::picture_number(const Picture& picture) {
    if (picture.empty()) throw Error("No picture has a number in the page collection");
    const std::lock_guard lock(mutex_);
    return impl_->number_of(picture);
}

int GraphicStorage::page_count() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(impl_->pages.size());
}

int GraphicStorage::pages_in_memory() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(impl_->in_memory.size());
}

std::uint64_t GraphicStorage::swap_size() const {
    const std::lock_guard lock(mutex_);
    return impl_->swap ? impl_->swap->size() : 0;
}

std::uint64_t GraphicStorage::swap_read() const {
    const std::lock_guard lock(mutex_);
    return impl_->bytes_read;
}

namespace {

int paper_pixels(const Macros& macros, bool along_width) {
    const bool landscape = macro_value(macros, "Orientation") == "2";
    const char* name = along_width != landscape ? "PaperWidth" : "PaperHeight";
    bool found = false;
    std::string text = macro_value(macros, name, &found);
    if (!found || text.empty()) return 0;
    // Written with the program's own decimal point, but a comma is read too.
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    double mm = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mm);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw Error(std::string("Page macro ") + name + " is not a number: '" + text + "'");
    }
    return mm_to_pixels(mm);
}

}  // namespace

int GraphicStorage::page_width() const {
    return paper_pixels(macros, true);
}
int GraphicStorage::page_height() const {
    return paper_pixels(macros, false);
}

// ---------------------------------------------------------------------------
// Dumps

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out;
}

std::string quoted(const std::string& text) {
    return '"' + escaped(text) + '"';
}

std::string point_text(Point p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string rect_text(const Rect& r) {
    return point_text({r.left, r.top}) + "-" + point_text({r.right, r.bottom});
}

std::string color_text(MetaColor c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red, c.green, c.blue);
    return text;
}

std::string code_name(int code, std::initializer_list<const char*> names) {
    if (code >= 1 && static_cast<std::size_t>(code) <= names.size()) return names.begin()[code - 1];
    return "code" + std::to_string(code);
}

std::string brush_text(const MetaBrush& b) {
    return "brush " +
           code_name(b.style, {"solid", "clear", "horizontal", "vertical", "fdiagonal", "bdiagonal",
                               "cross", "diagcross"}) +
           " " + color_text(b.color);
}

std::string pen_text(const MetaPen& p) {
    return "pen " +
           code_name(p.style,
                     {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear", "insideframe"}) +
           " " +
           code_name(p.mode, {"black", "white", "nop", "not", "copy", "notcopy", "mergepennot",
                              "maskpennot", "mergenotpen", "masknotpen", "merge", "notmerge",
                              "mask", "notmask", "xor", "notxor"}) +
           " w" + std::to_string(p.width) + " " + color_text(p.color);
}

// FNV-1a: enough to see in a diff that image data changed.
std::uint32_t checksum(const std::string& data) {
    std::uint32_t hash = 2166136261u;
    for (const char c : data) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::string image_text(const std::string& data) {
    if (data == "NIL") return "NIL";
    const std::string tag = data.substr(0, 3);
    std::string out;
    if (tag == "BMP" && data.size() >= 3 + 26) {
        const auto w = static_cast<std::int32_t>(le32(data, 3 + 18));
        const auto h = static_cast<std::int32_t>(le32(data, 3 + 22));
        out = "BMP " + std::to_string(w) + "x" + std::to_string(h < 0 ? -h : h);
    } else if (tag == "ICO" && data.size() >= 3 + 8) {
        const int w = static_cast<unsigned char>(data[3 + 6]);
        const int h = static_cast<unsigned char>(data[3 + 7]);
        out = "ICO " + std::to_string(w ? w : 256) + "x" + std::to_string(h ? h : 256);
    } else {
        out = "data " + quoted(tag);
    }
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08X", checksum(data));
    return out + " bytes " + std::to_string(data.size()) + " sum " + sum;
}

std::string font_name(const GraphicSurface& surface, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < surface.fonts().size()) {
        return quoted(surface.fonts()[static_cast<std::size_t>(index)]);
    }
    return "#" + std::to_string(index);
}

std::string object_line(const GraphicSurface& surface, const GraphicObject& o) {
    std::string line = std::string(object_class_name(o.kind)) + " " + rect_text(o.bounds);
    switch (o.kind) {
        case ObjectKind::Text:
            line += " origin " + point_text(o.origin) + " align " + std::to_string(o.alignment) +
                    " layout " + std::to_string(o.layout) + " flags " +
                    std::to_string(o.text_flags) + " " + brush_text(o.brush) + " font " +
                    font_name(surface, o.font.name_index) + " " + std::to_string(o.font.size) +
                    "pt h" + std::to_string(o.font.height) + " " + color_text(o.font.color) +
                    " style " + std::to_string(o.font.style) + " text " + quoted(o.text);
            break;
        case ObjectKind::Rectangle:
        case ObjectKind::Ellipse:
            line += " " + pen_text(o.pen) + " " + brush_text(o.brush);
            break;
        case ObjectKind::FillRect:
            line += " " + brush_text(o.brush);
            break;
        case ObjectKind::Image:
            line += " " + image_text(o.picture.tagged_data()) + " parity " + (o.parity ? "1" : "0");
            break;
        case ObjectKind::SetClipRect:
        case ObjectKind::ResetClipRect:
            break;
        case ObjectKind::Line:
        case ObjectKind::Arc:
            line += " from " + point_text(o.from) + " to " + point_text(o.to) + " " +
                    pen_text(o.pen) + " " + brush_text(o.brush);
            break;
        case ObjectKind::Pixel:
            line += " color " + color_text(o.pixel_color);
            break;
        case ObjectKind::Polygon:
        case ObjectKind::Polyline:
            line += " " + pen_text(o.pen) + " " + brush_text(o.brush) + " points";
            for (Point p : o.points) line += " " + point_text(p);
            break;
    }
    return line;
}

std::string macros_text(const Macros& macros) {
    std::string out = "macros";
    for (const auto& [name, value] : macros) out += " " + escaped(name) + "=" + quoted(value);
    return out;
}

void dump_objects(std::string& out, const GraphicSurface& surface, const char* indent) {
    for (const GraphicObject& object : surface.objects()) {
        out += indent + object_line(surface, object) + "\n";
    }
}

}  // namespace

std::string dump_surface(const GraphicSurface& surface) {
    std::string out;
    dump_objects(out, surface, "");
    return out;
}

std::string dump_storage(GraphicStorage& storage) {
    std::string out = "collection " + macros_text(storage.macros) + "\n";
    for (int i = 0; i < storage.page_count(); ++i) {
        const GraphicSurface& page = *storage.page(i);
        out += "page " + std::to_string(i) + " " + std::to_string(page.width) + "x" +
               std::to_string(page.height) + " " + macros_text(page.macros) + "\n";
        dump_objects(out, page, "  ");
    }
    return out;
}

}  // namespace tarvek::report
