// Private to the report engine's page code: every field a stored page keeps,
// named once. The page codec writes and reads what these tables list, in
// their order; GraphicObject::offset and scale move the fields of the kinds
// that use them; the dump shows those fields, in table order. The format's
// version is a hash of the tables, so a field added, renamed, retyped or
// moved gives pages a new version by itself.
//
// Every object also has a fixed head that is not in the table: its kind,
// bounds and group id.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "report/metafile.h"

namespace tarvek::report {

// A set of object kinds, a bit each.
using KindSet = std::uint32_t;

constexpr KindSet kind_bit(ObjectKind kind) {
    return KindSet{1} << static_cast<unsigned>(kind);
}

constexpr KindSet kinds_of(std::initializer_list<ObjectKind> kinds) {
    KindSet set = 0;
    for (const ObjectKind kind : kinds) set |= kind_bit(kind);
    return set;
}

// How an object field is written.
enum class Coding : std::uint8_t {
    // When it differs from a new object's.
    Changed,
    // The same, but a value equal to the one last written is only flagged:
    // texts in a row share their font, rules their pen.
    Remembered,
};

template <typename Pointer>
struct MemberPointer;
template <typename Owner_, typename Type_>
struct MemberPointer<Type_ Owner_::*> {
    using Owner = Owner_;
    using Type = Type_;
};

template <auto Member, Coding coding_ = Coding::Changed>
struct Field {
    using Owner = typename MemberPointer<decltype(Member)>::Owner;
    using Type = typename MemberPointer<decltype(Member)>::Type;
    static constexpr Coding coding = coding_;

    std::string_view name;
    // Before the value on the object's dump line; null where the value
    // speaks for itself.
    const char* label = nullptr;
    // The kinds that use the field: their dump lines show it, and offset and
    // scale move it. The other kinds keep a new object's value.
    KindSet kinds = 0;

    static Type& of(Owner& owner) { return owner.*Member; }
    static const Type& of(const Owner& owner) { return owner.*Member; }
};

template <typename Fields, typename Visit, std::size_t... I>
constexpr void visit_fields(const Fields& fields, Visit& visit, std::index_sequence<I...>) {
    (visit(std::get<I>(fields), std::integral_constant<std::size_t, I>{}), ...);
}

// Calls visit(field, index) for each field of a table, in order; the index
// is a std::integral_constant, usable where a constant is needed.
template <typename Fields, typename Visit>
constexpr void for_each_field(const Fields& fields, Visit&& visit) {
    visit_fields(fields, visit, std::make_index_sequence<std::tuple_size_v<Fields>>{});
}

struct PageFormat {
    // The surface, before its objects. The generator is not kept.
    static constexpr auto page_fields = std::tuple{
        Field<&GraphicSurface::width>{"width"},
        Field<&GraphicSurface::height>{"height"},
        Field<&GraphicSurface::margins>{"margins"},
        Field<&GraphicSurface::page_index>{"page_index"},
        Field<&GraphicSurface::macros>{"macros"},
        Field<&GraphicSurface::brush>{"brush"},
        Field<&GraphicSurface::pen>{"pen"},
        Field<&GraphicSurface::font>{"font"},
        Field<&GraphicSurface::fonts_>{"fonts"},
        Field<&GraphicSurface::clip_>{"clip"},
        Field<&GraphicSurface::clip_stack_>{"clip_stack"},
        Field<&GraphicSurface::opened_>{"opened"},
        Field<&GraphicSurface::modified_>{"modified"},
    };

    // The kinds that use a field.
    static constexpr KindSet kTexts = kinds_of({ObjectKind::Text});
    static constexpr KindSet kImages = kinds_of({ObjectKind::Image});
    static constexpr KindSet kPixels = kinds_of({ObjectKind::Pixel});
    static constexpr KindSet kLines = kinds_of({ObjectKind::Line, ObjectKind::Arc});
    static constexpr KindSet kPolygons = kinds_of({ObjectKind::Polygon, ObjectKind::Polyline});
    static constexpr KindSet kOutlined =
        kinds_of({ObjectKind::Rectangle, ObjectKind::Ellipse}) | kLines | kPolygons;
    static constexpr KindSet kFilled =
        kOutlined | kinds_of({ObjectKind::Text, ObjectKind::FillRect});
    static constexpr KindSet kNoKind = 0;

    // A graphic object after its head, in the order of its dump line.
    static constexpr auto object_fields = std::tuple{
        // {name, dump label, the kinds that use it}
        Field<&GraphicObject::origin>{"origin", "origin", kTexts},
        Field<&GraphicObject::alignment>{"alignment", "align", kTexts},
        Field<&GraphicObject::layout>{"layout", "layout", kTexts},
        Field<&GraphicObject::text_flags>{"text_flags", "flags", kTexts},
        Field<&GraphicObject::from>{"from", "from", kLines},
        Field<&GraphicObject::to>{"to", "to", kLines},
        Field<&GraphicObject::pen, Coding::Remembered>{"pen", "pen", kOutlined},
        Field<&GraphicObject::brush, Coding::Remembered>{"brush", "brush", kFilled},
        Field<&GraphicObject::font, Coding::Remembered>{"font", "font", kTexts},
        Field<&GraphicObject::text>{"text", "text", kTexts},
        Field<&GraphicObject::picture>{"picture", nullptr, kImages},
        Field<&GraphicObject::parity>{"parity", "parity", kImages},
        Field<&GraphicObject::pixel_color>{"pixel_color", "color", kPixels},
        Field<&GraphicObject::points>{"points", "points", kPolygons},
        Field<&GraphicObject::generator_id>{"generator_id", nullptr, kNoKind},
    };
};

// The name of each type a stored field has, for the format's version: a type
// written differently must be named differently. A field of a type not named
// here does not compile.
struct StoredTypeName {
    template <typename T>
    using Type = std::type_identity<T>;
    static constexpr std::string_view of(Type<bool>) { return "bool"; }
    static constexpr std::string_view of(Type<int>) { return "int"; }
    static constexpr std::string_view of(Type<unsigned>) { return "unsigned"; }
    static constexpr std::string_view of(Type<std::string>) { return "string"; }
    static constexpr std::string_view of(Type<TextAlignment>) { return "alignment code"; }
    static constexpr std::string_view of(Type<TextLayout>) { return "layout code"; }
    static constexpr std::string_view of(Type<Point>) { return "point"; }
    static constexpr std::string_view of(Type<Rect>) { return "rect"; }
    static constexpr std::string_view of(Type<MetaColor>) { return "rgb"; }
    static constexpr std::string_view of(Type<MetaBrush>) { return "brush"; }
    static constexpr std::string_view of(Type<MetaPen>) { return "pen"; }
    static constexpr std::string_view of(Type<MetaFont>) { return "meta font"; }
    static constexpr std::string_view of(Type<Font>) { return "font"; }
    static constexpr std::string_view of(Type<Picture>) { return "picture"; }
};

namespace page_format_detail {

// FNV-1a over the text and a separator.
constexpr std::uint32_t hash(std::uint32_t h, std::string_view text) {
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return (h ^ 0xFFu) * 16777619u;
}

template <typename T>
struct IsVector : std::false_type {};
template <typename T>
struct IsVector<std::vector<T>> : std::true_type {};
template <typename T>
struct IsPair : std::false_type {};
template <typename A, typename B>
struct IsPair<std::pair<A, B>> : std::true_type {};

template <typename T>
constexpr std::uint32_t hash_type(std::uint32_t h) {
    if constexpr (IsVector<T>::value) {
        return hash_type<typename T::value_type>(hash(h, "list of"));
    } else if constexpr (IsPair<T>::value) {
        return hash_type<typename T::second_type>(
            hash_type<typename T::first_type>(hash(h, "pair of")));
    } else {
        return hash(h, StoredTypeName::of(std::type_identity<T>{}));
    }
}

template <typename Fields>
constexpr std::uint32_t hash_fields(std::uint32_t h, const Fields& fields) {
    for_each_field(fields, [&](const auto& field, auto) {
        using F = std::remove_cvref_t<decltype(field)>;
        h = hash(h, field.name);
        h = hash_type<typename F::Type>(h);
        h = hash(h, F::coding == Coding::Remembered ? "remembered" : "changed");
    });
    return hash(h, "end");
}

}  // namespace page_format_detail

// The version of pages written with these tables.
template <typename PageFields, typename ObjectFields>
constexpr std::uint32_t page_format_version(const PageFields& page_fields,
                                            const ObjectFields& object_fields) {
    using namespace page_format_detail;
    return hash_fields(hash_fields(2166136261u, page_fields), object_fields);
}

inline constexpr std::uint32_t kPageFormatVersion =
    page_format_version(PageFormat::page_fields, PageFormat::object_fields);

// What every stored page starts with: "TVKPAGE" and the version in hex.
inline constexpr std::string_view kPagePrefix = "TVKPAGE";
inline constexpr auto kPageMagicBytes = [] {
    std::array<char, kPagePrefix.size() + 8> magic{};
    for (std::size_t i = 0; i < kPagePrefix.size(); ++i) magic[i] = kPagePrefix[i];
    for (std::size_t i = 0; i < 8; ++i) {
        const unsigned digit = (kPageFormatVersion >> (28 - 4 * i)) & 0xF;
        magic[kPagePrefix.size() + i] = "0123456789abcdef"[digit];
    }
    return magic;
}();
inline constexpr std::string_view kPageMagic{kPageMagicBytes.data(), kPageMagicBytes.size()};

}  // namespace tarvek::report
