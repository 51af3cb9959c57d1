// Pages as bytes, for the swap file. An object writes only the fields that
// differ from a new object's, its coordinates relative to what came before,
// and a font, brush or pen equal to the last one written as a flag: a page of
// texts and rules takes a few bytes an object. Pictures go to the store, or
// else follow in the bytes, each row as a copy of the one above, runs of one
// colour, or raw pixels.
#include "report/page_codec.h"

#include <cstring>
#include <limits>

#include "report/byte_codec.h"

namespace tarvek::report {

namespace {

constexpr std::string_view kPageMagic = "TVKPAGE2";

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

}  // namespace tarvek::report
