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
#include <random>
#include <system_error>

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
std::atomic<int> group_counter{0};
}

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

GraphicObject& GraphicSurface::append_copy(GraphicObject object, const GraphicSurface& source) {
    if (object.kind == ObjectKind::Text) {
        const auto index = static_cast<std::size_t>(object.font.name_index);
        if (index < source.fonts_.size()) object.font.name_index = font_index(source.fonts_[index]);
    }
    open();
    modified_ = true;
    return objects_.emplace_back(std::move(object));
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
    std::string data = picture.tagged_data();
    append(ObjectKind::Image, r).data = std::move(data);
}

void GraphicSurface::draw_picture(int x, int y, const Picture& bitmap, bool parity) {
    std::string data = bitmap.tagged_data();
    GraphicObject& object =
        append(ObjectKind::Image, {x, y, x + bitmap.width(), y + bitmap.height()});
    object.data = std::move(data);
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

void GraphicSurface::copy_surface(int x, int y, const GraphicSurface& source) {
    // Counts first: the source may be this very surface.
    const std::size_t object_count = source.objects_.size();
    const std::size_t macro_count = source.macros.size();
    for (std::size_t i = 0; i < object_count; ++i) {
        GraphicObject copy = source.objects_[i];
        copy.offset(x, y);
        append_copy(std::move(copy), source);
    }
    for (std::size_t i = 0; i < macro_count; ++i) macros.push_back(source.macros[i]);
}

void GraphicSurface::copy_rect(const Rect& destination, const GraphicSurface& source,
                               const Rect& source_rect) {
    set_clip_rect(destination);
    if (!source_rect.empty()) {
        const double sx = static_cast<double>(destination.width()) / source_rect.width();
        const double sy = static_cast<double>(destination.height()) / source_rect.height();
        const int dx = destination.left - scaled(source_rect.left, sx);
        const int dy = destination.top - scaled(source_rect.top, sy);
        const std::size_t object_count = source.objects_.size();
        for (std::size_t i = 0; i < object_count; ++i) {
            if (!source.objects_[i].bounds.intersects(source_rect)) continue;
            GraphicObject copy = source.objects_[i];
            copy.scale(sx, sy);
            copy.offset(dx, dy);
            append_copy(std::move(copy), source);
        }
    }
    reset_clip_rect();
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
// Serialisation: little-endian fixed-width integers, strings and lists
// prefixed with their 32-bit length.

namespace {

constexpr std::string_view kPageMagic = "TVKPAGE1";

class Writer {
  public:
    void u8(std::uint8_t v) { out_ += static_cast<char>(v); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void i32(int v) { u32(static_cast<std::uint32_t>(v)); }
    void boolean(bool v) { u8(v ? 1 : 0); }
    void count(std::size_t n) {
        if (n > 0xFFFFFFFFu) throw Error("A page part is too large to store: " + std::to_string(n));
        u32(static_cast<std::uint32_t>(n));
    }
    void str(const std::string& s) {
        count(s.size());
        out_ += s;
    }
    void raw(std::string_view s) { out_ += s; }
    void rect(const Rect& r) {
        i32(r.left);
        i32(r.top);
        i32(r.right);
        i32(r.bottom);
    }
    void point(Point p) {
        i32(p.x);
        i32(p.y);
    }
    void color(MetaColor c) {
        u8(c.red);
        u8(c.green);
        u8(c.blue);
    }
    void brush(const MetaBrush& b) {
        color(b.color);
        i32(b.style);
    }
    void pen(const MetaPen& p) {
        color(p.color);
        i32(p.mode);
        i32(p.style);
        i32(p.width);
    }
    void meta_font(const MetaFont& f) {
        i32(f.pixels_per_inch);
        u8(f.charset);
        color(f.color);
        i32(f.height);
        i32(f.name_index);
        i32(f.pitch);
        i32(f.size);
        u32(f.style);
    }
    void font(const Font& f) {
        str(f.name);
        i32(f.height);
        u32(f.style);
        u32(f.color);
        u8(f.charset);
        i32(f.pitch);
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    std::uint8_t u8() {
        need(1);
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(u8()) << (8 * i);
        return v;
    }
    int i32() { return static_cast<int>(u32()); }
    bool boolean() {
        const std::uint8_t v = u8();
        if (v > 1) fail("a flag is neither 0 nor 1");
        return v == 1;
    }
    // A list length; each element takes at least `min_size` bytes, which
    // rejects lengths the data cannot hold before anything is allocated.
    std::size_t count(std::size_t min_size) {
        const std::size_t n = u32();
        if (n * min_size > bytes_.size() - pos_) fail("a list is longer than the data");
        return n;
    }
    std::string str() {
        const std::size_t n = count(1);
        std::string s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    void expect(std::string_view magic) {
        need(magic.size());
        if (std::string_view(bytes_).substr(pos_, magic.size()) != magic) {
            fail("not a stored page");
        }
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
    Point point() {
        Point p;
        p.x = i32();
        p.y = i32();
        return p;
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

    const std::string& bytes_;
    std::size_t pos_ = 0;
};

constexpr std::size_t kRectSize = 16;
constexpr std::size_t kMinObjectSize = 100;  // well below what write_object emits

void write_object(Writer& w, const GraphicObject& o) {
    w.u8(static_cast<std::uint8_t>(o.kind));
    w.rect(o.bounds);
    w.i32(o.group_id);
    w.i32(o.generator_id);
    w.str(o.text);
    w.point(o.origin);
    w.i32(o.alignment);
    w.i32(o.layout);
    w.u32(o.text_flags);
    w.meta_font(o.font);
    w.brush(o.brush);
    w.pen(o.pen);
    w.str(o.data);
    w.boolean(o.parity);
    w.point(o.from);
    w.point(o.to);
    w.color(o.pixel_color);
    w.count(o.points.size());
    for (Point p : o.points) w.point(p);
}

GraphicObject read_object(Reader& r) {
    GraphicObject o;
    const std::uint8_t kind = r.u8();
    if (kind > static_cast<std::uint8_t>(ObjectKind::Polyline)) {
        r.fail("unknown object kind " + std::to_string(kind));
    }
    o.kind = static_cast<ObjectKind>(kind);
    o.bounds = r.rect();
    o.group_id = r.i32();
    o.generator_id = r.i32();
    o.text = r.str();
    o.origin = r.point();
    o.alignment = r.i32();
    o.layout = r.i32();
    o.text_flags = r.u32();
    o.font = r.meta_font();
    o.brush = r.brush();
    o.pen = r.pen();
    o.data = r.str();
    o.parity = r.boolean();
    o.from = r.point();
    o.to = r.point();
    o.pixel_color = r.color();
    o.points.resize(r.count(8));
    for (Point& p : o.points) p = r.point();
    return o;
}

}  // namespace

std::string GraphicSurface::serialize() const {
    Writer w;
    w.raw(kPageMagic);
    w.i32(width);
    w.i32(height);
    w.rect(margins);
    w.i32(page_index);
    w.count(macros.size());
    for (const auto& [name, value] : macros) {
        w.str(name);
        w.str(value);
    }
    w.brush(brush);
    w.pen(pen);
    w.font(font);
    w.count(fonts_.size());
    for (const std::string& name : fonts_) w.str(name);
    w.rect(clip_);
    w.count(clip_stack_.size());
    for (const Rect& r : clip_stack_) w.rect(r);
    w.boolean(opened_);
    w.boolean(modified_);
    w.count(objects_.size());
    for (const GraphicObject& object : objects_) write_object(w, object);
    return w.take();
}

std::unique_ptr<GraphicSurface> GraphicSurface::deserialize(const std::string& bytes) {
    Reader r(bytes);
    r.expect(kPageMagic);
    auto surface = std::make_unique<GraphicSurface>();
    surface->width = r.i32();
    surface->height = r.i32();
    surface->margins = r.rect();
    surface->page_index = r.i32();
    surface->macros.resize(r.count(8));
    for (auto& [name, value] : surface->macros) {
        name = r.str();
        value = r.str();
    }
    surface->brush = r.brush();
    surface->pen = r.pen();
    surface->font = r.font();
    surface->fonts_.resize(r.count(4));
    for (std::string& name : surface->fonts_) name = r.str();
    surface->clip_ = r.rect();
    surface->clip_stack_.resize(r.count(kRectSize));
    for (Rect& rect : surface->clip_stack_) rect = r.rect();
    surface->opened_ = r.boolean();
    surface->modified_ = r.boolean();
    surface->objects_.resize(r.count(kMinObjectSize));
    for (GraphicObject& object : surface->objects_) object = read_object(r);
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
    std::uint64_t size() const { return end_; }
    SwapFile(const SwapFile&) = delete;
    SwapFile& operator=(const SwapFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Appends the bytes at the end of the file and returns their offset.
    std::uint64_t append(const std::string& bytes) {
        const std::uint64_t offset = end_;
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
        end_ += bytes.size();
        return offset;
    }

    std::string read(std::uint64_t offset, std::uint64_t length) const {
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
    int fd_ = -1;
    std::filesystem::path path_;
    std::uint64_t end_ = 0;
};

struct PageRecord {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    std::unique_ptr<GraphicSurface> page;  // null while only on disk
    bool handed_out = false;               // may have been changed through page()
};

}  // namespace

struct GraphicStorage::Impl {
    std::vector<PageRecord> pages;
    std::deque<int> in_memory;  // oldest first
    std::unique_ptr<SwapFile> swap;

    void store(PageRecord& record, const std::string& bytes) {
        record.offset = swap->append(bytes);
        record.length = bytes.size();
    }

    void evict_oldest() {
        const int index = in_memory.front();
        PageRecord& record = pages[static_cast<std::size_t>(index)];
        if (record.handed_out) {
            const std::string bytes = record.page->serialize();
            if (bytes.size() != record.length ||
                bytes != swap->read(record.offset, record.length)) {
                store(record, bytes);
            }
        }
        record.page.reset();
        record.handed_out = false;
        in_memory.pop_front();
    }
};

GraphicStorage::GraphicStorage() : impl_(std::make_unique<Impl>()) {}
GraphicStorage::~GraphicStorage() = default;

void GraphicStorage::clear() {
    impl_->pages.clear();
    impl_->in_memory.clear();
    impl_->swap.reset();
    macros.clear();
}

void GraphicStorage::add(std::unique_ptr<GraphicSurface> page) {
    if (!page) throw Error("Cannot add a missing page to the page collection");
    Impl& impl = *impl_;
    page->page_index = static_cast<int>(impl.pages.size());
    const std::string bytes = page->serialize();
    if (!impl.swap) impl.swap = std::make_unique<SwapFile>();
    PageRecord record;
    impl.store(record, bytes);
    record.page = std::move(page);
    impl.pages.push_back(std::move(record));
    impl.in_memory.push_back(static_cast<int>(impl.pages.size() - 1));
    while (impl.in_memory.size() > static_cast<std::size_t>(kPagesInMemory)) impl.evict_oldest();
}

GraphicSurface* GraphicStorage::page(int index) {
    Impl& impl = *impl_;
    if (index < 0 || index >= page_count()) return nullptr;
    PageRecord& record = impl.pages[static_cast<std::size_t>(index)];
    if (!record.page) {
        std::unique_ptr<GraphicSurface> loaded;
        try {
            loaded = GraphicSurface::deserialize(impl.swap->read(record.offset, record.length));
        } catch (const Error& e) {
            throw Error("Cannot read page " + std::to_string(index) + " back from " +
                        impl.swap->path().string() + ": " + e.what());
        }
        while (impl.in_memory.size() >= static_cast<std::size_t>(kPagesInMemory)) {
            impl.evict_oldest();
        }
        record.page = std::move(loaded);
        impl.in_memory.push_back(index);
    }
    record.handed_out = true;
    return record.page.get();
}

int GraphicStorage::page_count() const {
    return static_cast<int>(impl_->pages.size());
}

int GraphicStorage::pages_in_memory() const {
    return static_cast<int>(impl_->in_memory.size());
}

std::uint64_t GraphicStorage::swap_size() const {
    return impl_->swap ? impl_->swap->size() : 0;
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
            line += " " + image_text(o.data) + " parity " + (o.parity ? "1" : "0");
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
