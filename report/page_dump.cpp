// Readable dumps of pages, for golden tests.
#include <cstdio>
#include <type_traits>

#include "report/metafile.h"
#include "report/page_format.h"

namespace tarvek::report {

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

// Each value as an object line shows it, after a blank.
void show(std::string& line, int value, const GraphicSurface&) {
    line += ' ' + std::to_string(value);
}
void show(std::string& line, unsigned value, const GraphicSurface&) {
    line += ' ' + std::to_string(value);
}
template <typename Code>
requires std::is_enum_v<Code>
void show(std::string& line, Code code, const GraphicSurface&) {
    line += ' ' + std::to_string(static_cast<int>(code));
}
void show(std::string& line, bool value, const GraphicSurface&) {
    line += value ? " 1" : " 0";
}
void show(std::string& line, const std::string& text, const GraphicSurface&) {
    line += ' ' + quoted(text);
}
void show(std::string& line, Point p, const GraphicSurface&) {
    line += ' ' + point_text(p);
}
void show(std::string& line, const std::vector<Point>& points, const GraphicSurface& surface) {
    for (const Point p : points) show(line, p, surface);
}
void show(std::string& line, MetaColor color, const GraphicSurface&) {
    line += ' ' + color_text(color);
}
void show(std::string& line, const MetaBrush& b, const GraphicSurface&) {
    line += ' ' +
            code_name(b.style, {"solid", "clear", "horizontal", "vertical", "fdiagonal",
                                "bdiagonal", "cross", "diagcross"}) +
            ' ' + color_text(b.color);
}
void show(std::string& line, const MetaPen& p, const GraphicSurface&) {
    line += ' ' +
            code_name(p.style,
                      {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear", "insideframe"}) +
            ' ' +
            code_name(p.mode, {"black", "white", "nop", "not", "copy", "notcopy", "mergepennot",
                               "maskpennot", "mergenotpen", "masknotpen", "merge", "notmerge",
                               "mask", "notmask", "xor", "notxor"}) +
            " w" + std::to_string(p.width) + ' ' + color_text(p.color);
}
void show(std::string& line, const MetaFont& f, const GraphicSurface& surface) {
    line += ' ' + font_name(surface, f.name_index) + ' ' + std::to_string(f.size) + "pt h" +
            std::to_string(f.height) + ' ' + color_text(f.color) + " style " +
            std::to_string(f.style);
}
void show(std::string& line, const Picture& picture, const GraphicSurface&) {
    line += ' ' + image_text(picture.tagged_data());
}

// The class and bounds, then the fields the object's kind uses, labelled.
std::string object_line(const GraphicSurface& surface, const GraphicObject& o) {
    std::string line = std::string(object_class_name(o.kind)) + " " + rect_text(o.bounds);
    const KindSet mine = kind_bit(o.kind);
    for_each_field(PageFormat::object_fields, [&](const auto& field, auto) {
        if (!(field.kinds & mine)) return;
        if (field.label) {
            line += ' ';
            line += field.label;
        }
        show(line, field.of(o), surface);
    });
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
