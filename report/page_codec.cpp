// Pages as bytes, for the swap file: what the field tables of page_format.h
// list, in their order. An object writes only the fields that differ from a
// new object's, its coordinates relative to what came before, and a font,
// brush or pen equal to the last one written as a flag: a page of texts and
// rules takes a few bytes an object. Pictures go to the store, or else follow
// in the bytes, each row as a copy of the one above, runs of one colour, or
// raw pixels.
#include "report/page_codec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "report/page_format.h"

namespace tarvek::report {

PageDataError::PageDataError(std::size_t offset, const std::string& reason)
    : Error("Damaged page data at byte " + std::to_string(offset) + ": " + reason),
      offset_(offset),
      reason_(reason) {}

namespace {

// --- bytes: numbers take 7 bits a byte (signed ones zigzag-coded). A Reader
// raises a PageDataError at the byte where its bytes stop making sense.

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
    int i32() {
        const std::int64_t v = svar();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
            fail("a number is out of range");
        }
        return static_cast<int>(v);
    }
    // A number told as its difference from `base`.
    int from(int base) {
        const std::int64_t difference = svar();
        if (difference < std::numeric_limits<int>::min() - std::int64_t{base} ||
            difference > std::numeric_limits<int>::max() - std::int64_t{base}) {
            fail("a number is out of range");
        }
        return base + static_cast<int>(difference);
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
    void finish() const {
        if (pos_ != bytes_.size()) fail("unexpected bytes after the page");
    }
    [[noreturn]] void fail(const std::string& reason) const { throw PageDataError(pos_, reason); }

  private:
    void need(std::size_t n) const {
        if (n > bytes_.size() - pos_) fail("the data ends early");
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// --- values

void put(Writer& w, bool v) {
    w.boolean(v);
}
void get(Reader& r, bool& v) {
    v = r.boolean();
}
void put(Writer& w, std::uint8_t v) {
    w.u8(v);
}
void get(Reader& r, std::uint8_t& v) {
    v = r.u8();
}
void put(Writer& w, int v) {
    w.svar(v);
}
void get(Reader& r, int& v) {
    v = r.i32();
}
void put(Writer& w, unsigned v) {
    w.uvar(v);
}
void get(Reader& r, unsigned& v) {
    v = r.u32();
}
// A code is written as the number it stands for, and read back only when its
// type can hold it.
template <typename Code>
requires std::is_enum_v<Code>
void put(Writer& w, Code v) {
    w.svar(static_cast<std::underlying_type_t<Code>>(v));
}
template <typename Code>
requires std::is_enum_v<Code>
void get(Reader& r, Code& v) {
    using Number = std::underlying_type_t<Code>;
    const std::int64_t number = r.svar();
    if (number < std::numeric_limits<Number>::min() ||
        number > std::numeric_limits<Number>::max()) {
        r.fail("a code is out of range");
    }
    v = static_cast<Code>(number);
}
void put(Writer& w, const std::string& v) {
    w.str(v);
}
void get(Reader& r, std::string& v) {
    v = r.str();
}

// Structures are written member by member; get() reads them back in the
// same order. Declared first: members may be structures themselves.
void put(Writer& w, const MetaColor& v);
void get(Reader& r, MetaColor& v);
template <typename T, typename... Members>
void put_members(Writer& w, const T& value, Members... members) {
    (put(w, value.*members), ...);
}
template <typename T, typename... Members>
void get_members(Reader& r, T& value, Members... members) {
    (get(r, value.*members), ...);
}

void put(Writer& w, const Rect& v) {
    put_members(w, v, &Rect::left, &Rect::top, &Rect::right, &Rect::bottom);
}
void get(Reader& r, Rect& v) {
    get_members(r, v, &Rect::left, &Rect::top, &Rect::right, &Rect::bottom);
}
void put(Writer& w, const MetaColor& v) {
    put_members(w, v, &MetaColor::red, &MetaColor::green, &MetaColor::blue);
}
void get(Reader& r, MetaColor& v) {
    get_members(r, v, &MetaColor::red, &MetaColor::green, &MetaColor::blue);
}
void put(Writer& w, const MetaBrush& v) {
    put_members(w, v, &MetaBrush::color, &MetaBrush::style);
}
void get(Reader& r, MetaBrush& v) {
    get_members(r, v, &MetaBrush::color, &MetaBrush::style);
}
void put(Writer& w, const MetaPen& v) {
    put_members(w, v, &MetaPen::color, &MetaPen::mode, &MetaPen::style, &MetaPen::width);
}
void get(Reader& r, MetaPen& v) {
    get_members(r, v, &MetaPen::color, &MetaPen::mode, &MetaPen::style, &MetaPen::width);
}

constexpr auto kMetaFontMembers =
    std::tuple{&MetaFont::pixels_per_inch, &MetaFont::charset, &MetaFont::color, &MetaFont::height,
               &MetaFont::name_index,      &MetaFont::pitch,   &MetaFont::size,  &MetaFont::style};
void put(Writer& w, const MetaFont& v) {
    std::apply([&](auto... members) { put_members(w, v, members...); }, kMetaFontMembers);
}
void get(Reader& r, MetaFont& v) {
    std::apply([&](auto... members) { get_members(r, v, members...); }, kMetaFontMembers);
}

constexpr auto kFontMembers = std::tuple{&Font::name,  &Font::height,  &Font::style,
                                         &Font::color, &Font::charset, &Font::pitch};
void put(Writer& w, const Font& v) {
    std::apply([&](auto... members) { put_members(w, v, members...); }, kFontMembers);
}
void get(Reader& r, Font& v) {
    std::apply([&](auto... members) { get_members(r, v, members...); }, kFontMembers);
}

// The fewest bytes a value takes: a list longer than the data can hold is
// refused before anything is allocated.
template <typename T>
constexpr std::size_t min_size = 1;
template <>
constexpr std::size_t min_size<Rect> = 4;
template <typename A, typename B>
constexpr std::size_t min_size<std::pair<A, B>> = min_size<A> + min_size<B>;

template <typename A, typename B>
void put(Writer& w, const std::pair<A, B>& v) {
    put(w, v.first);
    put(w, v.second);
}
template <typename A, typename B>
void get(Reader& r, std::pair<A, B>& v) {
    get(r, v.first);
    get(r, v.second);
}
template <typename T>
void put(Writer& w, const std::vector<T>& v) {
    w.uvar(v.size());
    for (const T& element : v) put(w, element);
}
template <typename T>
void get(Reader& r, std::vector<T>& v) {
    v.resize(r.count(min_size<T>));
    for (T& element : v) get(r, element);
}

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

// What an object's fields are written against: its bounds, where its points
// are told from, and the page's picture store, if any.
struct ObjectFrame {
    const Rect& bounds;
    GraphicSurface::PictureStore* pictures;
};

// An object field's value is written as any value of its type, but for
// points, told from the object's top-left corner, pictures, and flags, which
// the field's presence bit tells alone.
template <typename T>
void put_field(Writer& w, const T& v, const ObjectFrame&) {
    put(w, v);
}
template <typename T>
void get_field(Reader& r, T& v, const ObjectFrame&) {
    get(r, v);
}
void put_field(Writer& w, Point p, const ObjectFrame& frame) {
    w.svar(std::int64_t{p.x} - frame.bounds.left);
    w.svar(std::int64_t{p.y} - frame.bounds.top);
}
void get_field(Reader& r, Point& p, const ObjectFrame& frame) {
    p.x = r.from(frame.bounds.left);
    p.y = r.from(frame.bounds.top);
}
void put_field(Writer& w, const std::vector<Point>& points, const ObjectFrame& frame) {
    w.uvar(points.size());
    for (const Point p : points) put_field(w, p, frame);
}
void get_field(Reader& r, std::vector<Point>& points, const ObjectFrame& frame) {
    points.resize(r.count(2));
    for (Point& p : points) get_field(r, p, frame);
}
void put_field(Writer& w, const Picture& picture, const ObjectFrame& frame) {
    if (frame.pictures) {
        w.uvar(frame.pictures->number_of(picture));
    } else {
        write_picture(w, picture);
    }
}
void get_field(Reader& r, Picture& picture, const ObjectFrame& frame) {
    if (frame.pictures) {
        const std::uint64_t number = r.uvar();
        if (number > std::numeric_limits<std::uint32_t>::max()) r.fail("no such picture");
        picture = frame.pictures->picture(static_cast<std::uint32_t>(number));
    } else {
        picture = read_picture(r);
    }
}
void put_field(Writer&, bool, const ObjectFrame&) {}
// Objects are read into new ones: a flag that is there is not a new object's.
void get_field(Reader&, bool& v, const ObjectFrame&) {
    v = !v;
}

// Whether an object's value is a new object's; a new object shows no picture.
template <typename T>
bool is_new(const T& value, const T& new_value) {
    return value == new_value;
}
bool is_new(const Picture& picture, const Picture&) {
    return picture.empty();
}

constexpr auto kObjectFields = PageFormat::object_fields;
using ObjectFields = std::remove_const_t<decltype(kObjectFields)>;

// Each object field's presence bit, and after the last field's the count of
// bits; a remembered field has the next bit as well, for "the value last
// written".
constexpr auto kFieldBits = [] {
    std::array<unsigned, std::tuple_size_v<ObjectFields> + 1> bits{};
    for_each_field(kObjectFields, [&](const auto& field, auto index) {
        const bool remembered = std::remove_cvref_t<decltype(field)>::coding == Coding::Remembered;
        bits[index + 1] = bits[index] + (remembered ? 2 : 1);
    });
    return bits;
}();
static_assert(kFieldBits.back() < 64, "the presence bits of an object fit in a number");
constexpr std::uint64_t kAllFields = (std::uint64_t{1} << kFieldBits.back()) - 1;

const GraphicObject& new_object() {
    static const GraphicObject object;
    return object;
}

// `last` holds what the objects before this one left: the bounds and group
// id its own are told from, and the value last written of each remembered
// field.
void write_object(Writer& w, const GraphicObject& o, GraphicObject& last,
                  GraphicSurface::PictureStore* pictures) {
    const GraphicObject& fresh = new_object();
    std::uint64_t present = 0;
    for_each_field(kObjectFields, [&](const auto& field, auto index) {
        using F = std::remove_cvref_t<decltype(field)>;
        const auto& value = F::of(o);
        if (is_new(value, F::of(fresh))) return;
        constexpr std::uint64_t bit = std::uint64_t{1} << kFieldBits[index];
        if constexpr (F::coding == Coding::Remembered) {
            present |= value == F::of(last) ? bit << 1 : bit;
        } else {
            present |= bit;
        }
    });

    const Rect& b = o.bounds;
    w.u8(static_cast<std::uint8_t>(o.kind));
    w.uvar(present);
    w.svar(std::int64_t{b.left} - last.bounds.left);
    w.svar(std::int64_t{b.top} - last.bounds.top);
    w.svar(std::int64_t{b.right} - b.left);
    w.svar(std::int64_t{b.bottom} - b.top);
    w.svar(std::int64_t{o.group_id} - last.group_id);
    last.bounds = b;
    last.group_id = o.group_id;

    const ObjectFrame frame{b, pictures};
    for_each_field(kObjectFields, [&](const auto& field, auto index) {
        using F = std::remove_cvref_t<decltype(field)>;
        if (!(present & std::uint64_t{1} << kFieldBits[index])) return;
        put_field(w, F::of(o), frame);
        if constexpr (F::coding == Coding::Remembered) F::of(last) = F::of(o);
    });
}

void read_object(Reader& r, GraphicObject& o, GraphicObject& last,
                 GraphicSurface::PictureStore* pictures) {
    const std::uint8_t kind = r.u8();
    if (kind > static_cast<std::uint8_t>(ObjectKind::Polyline)) {
        r.fail("unknown object kind " + std::to_string(kind));
    }
    o.kind = static_cast<ObjectKind>(kind);
    const std::uint64_t present = r.uvar();
    if (present & ~kAllFields) r.fail("unknown object fields");
    Rect& b = o.bounds;
    b.left = r.from(last.bounds.left);
    b.top = r.from(last.bounds.top);
    b.right = r.from(b.left);
    b.bottom = r.from(b.top);
    o.group_id = r.from(last.group_id);
    last.bounds = b;
    last.group_id = o.group_id;

    const ObjectFrame frame{b, pictures};
    for_each_field(kObjectFields, [&](const auto& field, auto index) {
        using F = std::remove_cvref_t<decltype(field)>;
        constexpr std::uint64_t bit = std::uint64_t{1} << kFieldBits[index];
        if constexpr (F::coding == Coding::Remembered) {
            if (present & bit) get_field(r, F::of(last), frame);
            if (present & (bit | bit << 1)) F::of(o) = F::of(last);
        } else {
            if (present & bit) get_field(r, F::of(o), frame);
        }
    });
}

constexpr std::size_t kMinObjectSize = 7;  // kind, fields, bounds, group id

}  // namespace

std::string encode_picture(const Picture& picture) {
    Writer w;
    write_picture(w, picture);
    return w.take();
}

Picture decode_picture(std::string_view bytes) {
    Reader r(bytes);
    Picture picture = read_picture(r);
    r.finish();
    return picture;
}

std::string GraphicSurface::serialize(PictureStore* pictures) const {
    Writer w;
    w.raw(kPageMagic);
    w.boolean(pictures != nullptr);
    for_each_field(PageFormat::page_fields,
                   [&](const auto& field, auto) { put(w, field.of(*this)); });
    w.uvar(objects_.size());
    GraphicObject last;
    for (const GraphicObject& object : objects_) write_object(w, object, last, pictures);
    return w.take();
}

std::unique_ptr<GraphicSurface> GraphicSurface::deserialize(std::string_view bytes,
                                                            PictureStore* pictures) {
    if (!bytes.starts_with(kPageMagic)) {
        throw PageDataError(0, bytes.starts_with(kPagePrefix)
                                   ? "a page of another version of the format"
                                   : "not a stored page");
    }
    Reader r(bytes);
    r.bytes(kPageMagic.size());
    if (r.boolean() != (pictures != nullptr)) {
        r.fail(pictures ? "the page holds its pictures itself"
                        : "the page's pictures are kept elsewhere");
    }
    auto surface = std::make_unique<GraphicSurface>();
    for_each_field(PageFormat::page_fields,
                   [&](const auto& field, auto) { get(r, field.of(*surface)); });
    surface->objects_.resize(r.count(kMinObjectSize));
    GraphicObject last;
    for (GraphicObject& object : surface->objects_) read_object(r, object, last, pictures);
    r.finish();
    return surface;
}

}  // namespace tarvek::report
