#include "report/text_metrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_GASP_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvek::report {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

using UniqueLibrary = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using UniqueFace = std::unique_ptr<FT_FaceRec_, FaceDeleter>;
using UniqueConfig = std::unique_ptr<FcConfig, ConfigDeleter>;
using UniquePattern = std::unique_ptr<FcPattern, PatternDeleter>;
using UniqueFontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

std::string ascii_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string describe(const std::string& name, unsigned style) {
    std::string out = "font \"" + name + "\"";
    if (style & fsBold) out += " bold";
    if (style & fsItalic) out += " italic";
    return out;
}

std::string freetype_error(FT_Error error) {
    std::string out = "FreeType error " + std::to_string(error);
    if (const char* text = FT_Error_String(error)) out += std::string(" (") + text + ")";
    return out;
}

char32_t decode_utf8(const std::string& s) {
    const auto byte = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(s[i]));
    };
    if (s.size() == 1) return byte(0);
    if (s.size() == 2) return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
}

// Unicode code point of every Windows-1252 byte; the five unassigned bytes
// keep their C1 code point and so find no glyph. Derived from the one
// conversion table the program has.
const std::array<char32_t, 256>& code_points() {
    static const std::array<char32_t, 256> table = [] {
        std::array<char32_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = decode_utf8(cp1252_to_utf8(std::string(1, static_cast<char>(b))));
        return t;
    }();
    return table;
}

// a × b / c rounded to nearest, halves away from zero.
long scale_round(long a, long b, long c) {
    return std::lround(static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c));
}

// a × b / c rounded up, for non-negative operands.
long scale_ceil(long a, long b, long c) {
    return (a * b + c - 1) / c;
}

// 26.6 fixed point to whole pixels, halves up.
long round_26_6(FT_Pos value) {
    return (value + 32) >> 6;
}

// The names the layouts use, and the Liberation families that stand for them.
struct FamilyRequest {
    std::string family;
    bool exact;  // only this family will do: a substitute would change every width
};

FamilyRequest family_for(const std::string& name) {
    const std::string lower = ascii_lower(name);
    if (lower == "arial" || lower == "liberation sans") return {"Liberation Sans", true};
    if (lower == "times new roman" || lower == "liberation serif")
        return {"Liberation Serif", true};
    return {name, false};
}

class FreeTypeTextMetrics final : public TextMetrics {
  public:
    // Matches among `fonts` when given, else among the configuration's fonts.
    FreeTypeTextMetrics(UniqueConfig config, UniqueFontSet fonts)
        : config_(std::move(config)), fonts_(std::move(fonts)) {
        FT_Library library = nullptr;
        if (const FT_Error error = FT_Init_FreeType(&library)) {
            throw Error("Cannot start FreeType: " + freetype_error(error));
        }
        library_.reset(library);
        // The classic interpreter's advances are the ones the layouts were
        // designed with; the newer default rounds some glyphs differently.
        FT_UInt version = TT_INTERPRETER_VERSION_35;
        if (const FT_Error error =
                FT_Property_Set(library_.get(), "truetype", "interpreter-version", &version)) {
            throw Error("FreeType lacks the classic TrueType interpreter: " +
                        freetype_error(error));
        }
    }

    int text_width(const Font& font, std::string_view text) override {
        const SizeTable& table = table_for(font);
        int width = 0;
        for (char c : text) width += table.advance[static_cast<unsigned char>(c)];
        return width;
    }

    int line_height(const Font& font) override {
        const SizeTable& table = table_for(font);
        return table.ascent + table.descent;
    }

    const OutlineMetrics& outline(const std::string& name, unsigned style) override {
        const std::lock_guard lock(mutex_);
        FaceEntry& entry = face_for(name, style);
        if (!entry.outline) entry.outline = compute_outline(entry, name, style);
        return *entry.outline;
    }

    std::string font_file(const std::string& name, unsigned style) override {
        const std::lock_guard lock(mutex_);
        return face_for(name, style).path;
    }

    void draw_text(const Font& font, std::string_view text, int x, int y, Color color,
                   std::vector<std::uint8_t>& rgb, int width, int height) override {
        if (width <= 0 || height <= 0 ||
            rgb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
            throw Error("Cannot draw text into a picture buffer of the wrong size");
        }
        // Glyphs are rendered in the face itself: one thread at a time.
        const std::lock_guard lock(mutex_);
        FaceEntry& entry = face_for(font.name, font.style);
        const int ppem = pixel_em(entry, font);
        const SizeTable& table = size_table(entry, ppem, font);
        FT_Face face = entry.face.get();
        // Another size may have been measured since; glyphs must come at this one.
        if (const FT_Error error = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem))) {
            throw Error("Cannot size " + describe(font.name, font.style) + " at " +
                        std::to_string(ppem) + " pixels: " + freetype_error(error));
        }
        const Color c = resolve_color(color);
        const int ink[3] = {red_of(c), green_of(c), blue_of(c)};
        const auto blend = [&](int px, int py, int coverage) {
            if (px < 0 || py < 0 || px >= width || py >= height || coverage <= 0) return;
            const std::size_t at = (static_cast<std::size_t>(py) * static_cast<std::size_t>(width) +
                                    static_cast<std::size_t>(px)) *
                                   3;
            for (int k = 0; k < 3; ++k) {
                const int old = rgb[at + static_cast<std::size_t>(k)];
                rgb[at + static_cast<std::size_t>(k)] =
                    static_cast<std::uint8_t>(old + ((ink[k] - old) * coverage + 127) / 255);
            }
        };

        const int baseline = y + table.ascent;
        int pen = x;
        for (char ch : text) {
            const int byte = static_cast<unsigned char>(ch);
            const FT_UInt glyph = glyph_of(entry, byte);
            if (const FT_Error error = FT_Load_Glyph(face, glyph, FT_LOAD_RENDER)) {
                throw Error("Cannot draw glyph " + std::to_string(glyph) + " of " +
                            describe(font.name, font.style) + ": " + freetype_error(error));
            }
            const FT_GlyphSlot slot = face->glyph;
            const FT_Bitmap& bitmap = slot->bitmap;
            const int left = pen + slot->bitmap_left;
            const int top = baseline - slot->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const unsigned char* line =
                    bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
                for (unsigned col = 0; col < bitmap.width; ++col) {
                    int coverage = 0;
                    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                        coverage = (line[col / 8] & (0x80 >> (col % 8))) ? 255 : 0;
                    } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                        coverage = line[col] * 255 / std::max(1, bitmap.num_grays - 1);
                    }
                    blend(left + static_cast<int>(col), top + static_cast<int>(row), coverage);
                }
            }
            pen += table.advance[static_cast<std::size_t>(byte)];
        }

        const long units = face->units_per_EM;
        const auto stroke = [&](long position, long thickness) {
            // `position` is the stroke's top in font units above the baseline.
            const int top = baseline - static_cast<int>(scale_round(position, ppem, units));
            const int rows = std::max(1, static_cast<int>(scale_round(thickness, ppem, units)));
            for (int py = top; py < top + rows; ++py) {
                for (int px = x; px < pen; ++px) blend(px, py, 255);
            }
        };
        if (font.style & fsUnderline) {
            // FreeType gives the centre of the underline.
            stroke(face->underline_position + face->underline_thickness / 2,
                   face->underline_thickness);
        }
        if (font.style & fsStrikeOut) {
            const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            const long size =
                os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : face->underline_thickness;
            const long position =
                os2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : units / 4;
            stroke(position, size);
        }
    }

  private:
    struct SizeTable {
        std::array<int, 256> advance{};
        int ascent = 0;
        int descent = 0;
    };

    struct FaceEntry {
        std::string path;
        UniqueFace face;
        bool symbol = false;  // glyphs are found at 0xF000 + byte
        long win_ascent = 0;
        long win_descent = 0;
        std::map<int, SizeTable> sizes;  // by pixel em size
        std::unique_ptr<OutlineMetrics> outline;
    };

    // The fonts a thread measured last, found by their exact name without
    // the lookups (and the lock) a new one needs: a page measures a handful
    // of fonts, often. Size tables never change or move once made.
    struct RecentFont {
        std::string name;
        unsigned style = 0;
        int height = 0;
        const SizeTable* table = nullptr;
    };
    struct RecentFonts {
        std::uint64_t service = 0;  // the serial of the service they belong to
        std::vector<RecentFont> fonts;
    };
    static constexpr std::size_t kRecentFonts = 16;

    const SizeTable& table_for(const Font& font) {
        thread_local RecentFonts recent;
        if (recent.service != serial_) {
            recent.service = serial_;
            recent.fonts.clear();
        }
        const unsigned style = font.style & (fsBold | fsItalic);
        for (const RecentFont& known : recent.fonts) {
            if (known.height == font.height && known.style == style && known.name == font.name)
                return *known.table;
        }
        const std::lock_guard lock(mutex_);
        FaceEntry& entry = face_for(font.name, font.style);
        const SizeTable& table = size_table(entry, pixel_em(entry, font), font);
        if (recent.fonts.size() >= kRecentFonts) recent.fonts.clear();
        recent.fonts.push_back(RecentFont{font.name, style, font.height, &table});
        return table;
    }

    FaceEntry& face_for(const std::string& name, unsigned style) {
        auto key = std::make_pair(ascii_lower(name), style & (fsBold | fsItalic));
        if (auto it = by_request_.find(key); it != by_request_.end()) return *it->second;

        const auto [file, index] = match_file(name, style);
        const std::string file_key = file + "#" + std::to_string(index);
        auto it = by_file_.find(file_key);
        if (it == by_file_.end()) {
            it = by_file_.emplace(file_key, open_face(file, index, name, style)).first;
        }
        by_request_.emplace(std::move(key), it->second.get());
        return *it->second;
    }

    std::pair<std::string, int> match_file(const std::string& name, unsigned style) {
        const FamilyRequest request = family_for(name);
        UniquePattern pattern(FcPatternCreate());
        if (!pattern) throw Error("Out of memory looking up " + describe(name, style));
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(request.family.c_str()));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT,
                            (style & fsBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern.get(), FC_SLANT,
                            (style & fsItalic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
        FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());

        FcResult result = FcResultNoMatch;
        FcFontSet* sets[] = {fonts_.get()};
        UniquePattern match(fonts_ ? FcFontSetMatch(config_.get(), sets, 1, pattern.get(), &result)
                                   : FcFontMatch(config_.get(), pattern.get(), &result));
        FcChar8* file = nullptr;
        if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
            throw Error("No font file found for " + describe(name, style));
        }
        int index = 0;
        FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);

        if (request.exact) {
            bool family_found = false;
            FcChar8* family = nullptr;
            std::string best;
            for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &family) == FcResultMatch;
                 ++i) {
                const std::string found(reinterpret_cast<const char*>(family));
                if (i == 0) best = found;
                if (ascii_lower(found) == ascii_lower(request.family)) family_found = true;
            }
            int weight = FC_WEIGHT_REGULAR;
            int slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
            const bool style_found = ((style & fsBold) != 0) == (weight >= FC_WEIGHT_DEMIBOLD) &&
                                     ((style & fsItalic) != 0) == (slant != FC_SLANT_ROMAN);
            if (!family_found || !style_found) {
                throw Error("Cannot measure " + describe(name, style) + ": it needs " +
                            request.family + ((style & fsBold) ? " Bold" : "") +
                            ((style & fsItalic) ? " Italic" : "") +
                            ", which is not installed (best match: " + best + ", " +
                            reinterpret_cast<const char*>(file) + ")");
            }
        }
        return {reinterpret_cast<const char*>(file), index};
    }

    std::unique_ptr<FaceEntry> open_face(const std::string& file, int index,
                                         const std::string& name, unsigned style) {
        FT_Face raw = nullptr;
        if (const FT_Error error = FT_New_Face(library_.get(), file.c_str(), index, &raw)) {
            throw Error("Cannot read font file \"" + file + "\" for " + describe(name, style) +
                        ": " + freetype_error(error));
        }
        auto entry = std::make_unique<FaceEntry>();
        entry->path = file;
        entry->face.reset(raw);
        if (!FT_IS_SCALABLE(raw)) {
            throw Error("Font file \"" + file + "\" for " + describe(name, style) +
                        " has no outlines");
        }
        if (FT_Select_Charmap(raw, FT_ENCODING_UNICODE) != 0) {
            entry->symbol = FT_Select_Charmap(raw, FT_ENCODING_MS_SYMBOL) == 0;
        }
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(raw, FT_SFNT_OS2));
            os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            entry->win_ascent = os2->usWinAscent;
            entry->win_descent = os2->usWinDescent;
        } else {
            entry->win_ascent = raw->ascender;
            entry->win_descent = -raw->descender;
        }
        if (entry->win_ascent + entry->win_descent <= 0) {
            throw Error("Font file \"" + file + "\" for " + describe(name, style) +
                        " has no vertical metrics");
        }
        return entry;
    }

    FT_UInt glyph_of(const FaceEntry& entry, int byte) const {
        const FT_ULong code = entry.symbol ? 0xF000u + static_cast<FT_ULong>(byte)
                                           : static_cast<FT_ULong>(code_points()[byte]);
        return FT_Get_Char_Index(entry.face.get(), code);
    }

    static int pixel_em(const FaceEntry& entry, const Font& font) {
        if (font.height < 0) return -font.height;
        if (font.height == 0)
            throw Error("Cannot measure " + describe(font.name, font.style) + " of height 0");
        const long em = scale_round(font.height, entry.face->units_per_EM,
                                    entry.win_ascent + entry.win_descent);
        return static_cast<int>(std::max(1L, em));
    }

    const SizeTable& size_table(FaceEntry& entry, int ppem, const Font& font) {
        if (auto it = entry.sizes.find(ppem); it != entry.sizes.end()) return it->second;

        FT_Face face = entry.face.get();
        if (const FT_Error error = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem))) {
            throw Error("Cannot size " + describe(font.name, font.style) + " at " +
                        std::to_string(ppem) + " pixels: " + freetype_error(error));
        }
        // Sizes the font asks not to grid-fit (its gasp table) are not
        // hinted, so their accents and descenders stay where the outline puts
        // them; hinting them would push the tops of small accented capitals
        // a pixel up and make the lines taller than designed.
        const FT_Int gasp = FT_Get_Gasp(face, static_cast<FT_UInt>(ppem));
        const bool grid_fitted = gasp == FT_GASP_NO_TABLE || (gasp & FT_GASP_DO_GRIDFIT) != 0;
        SizeTable table;
        FT_Pos top = 0;
        FT_Pos bottom = 0;
        for (int byte = 0; byte < 256; ++byte) {
            const FT_UInt glyph = glyph_of(entry, byte);
            if (const FT_Error error = FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT)) {
                throw Error("Cannot load glyph " + std::to_string(glyph) + " of " +
                            describe(font.name, font.style) + " from \"" + entry.path +
                            "\": " + freetype_error(error));
            }
            // Advances stay hinted at every size: they are the designed widths.
            table.advance[byte] = static_cast<int>(round_26_6(face->glyph->advance.x));
            if (byte < 0x20 || glyph == 0) continue;
            if (!grid_fitted) {
                if (const FT_Error error = FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING)) {
                    throw Error("Cannot load glyph " + std::to_string(glyph) + " of " +
                                describe(font.name, font.style) + " from \"" + entry.path +
                                "\": " + freetype_error(error));
                }
            }
            if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
                FT_BBox box;
                FT_Outline_Get_CBox(&face->glyph->outline, &box);
                top = std::max(top, box.yMax);
                bottom = std::min(bottom, box.yMin);
            }
        }
        const long units = face->units_per_EM;
        if (grid_fitted) {
            // The scaled Windows ascent and descent alone come out a pixel
            // short at small sizes, where hinting pushes accents and
            // descenders outward; the glyph extents alone fall short at large
            // sizes. Rounding the descent up matches the designed heights of
            // bold text as well.
            table.ascent = static_cast<int>(
                std::max(round_26_6(top), scale_round(entry.win_ascent, ppem, units)));
            table.descent = static_cast<int>(
                std::max(round_26_6(-bottom), scale_ceil(entry.win_descent, ppem, units)));
        } else {
            // Unhinted extents cover parts of pixel rows: every row touched counts.
            const FT_Pos scaled_ascent = scale_ceil(entry.win_ascent, ppem * 64L, units);
            const FT_Pos scaled_descent = scale_ceil(entry.win_descent, ppem * 64L, units);
            table.ascent = static_cast<int>((std::max(top, scaled_ascent) + 63) >> 6);
            table.descent = static_cast<int>((std::max(-bottom, scaled_descent) + 63) >> 6);
        }
        return entry.sizes.emplace(ppem, table).first->second;
    }

    std::unique_ptr<OutlineMetrics> compute_outline(FaceEntry& entry, const std::string& name,
                                                    unsigned style) {
        FT_Face face = entry.face.get();
        const long units = face->units_per_EM;
        const auto thousandths = [units](long value) {
            return static_cast<int>(scale_round(value, 1000, units));
        };
        const auto load_unscaled = [&](FT_UInt glyph) {
            if (const FT_Error error = FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE)) {
                throw Error("Cannot load glyph " + std::to_string(glyph) + " of " +
                            describe(name, style) + " from \"" + entry.path +
                            "\": " + freetype_error(error));
            }
            return face->glyph;
        };
        const auto glyph_top = [&](char c) -> long {
            FT_GlyphSlot slot = load_unscaled(glyph_of(entry, static_cast<unsigned char>(c)));
            if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return 0;
            FT_BBox box;
            FT_Outline_Get_CBox(&slot->outline, &box);
            return box.yMax;
        };

        auto m = std::make_unique<OutlineMetrics>();
        if (const char* ps = FT_Get_Postscript_Name(face)) m->postscript_name = ps;
        int first = -1;
        int last = -1;
        for (int byte = 0; byte < 256; ++byte) {
            const FT_UInt glyph = glyph_of(entry, byte);
            m->widths[byte] = thousandths(load_unscaled(glyph)->advance.x);
            if (byte >= 0x20 && glyph != 0) {
                if (first < 0) first = byte;
                last = byte;
            }
        }
        if (first >= 0) {
            m->first_char = first;
            m->last_char = last;
        }
        m->missing_width = thousandths(load_unscaled(0)->advance.x);
        m->ascent = thousandths(entry.win_ascent);
        m->descent = -thousandths(entry.win_descent);
        m->internal_leading = thousandths(entry.win_ascent + entry.win_descent - units);
        m->bbox_left = thousandths(face->bbox.xMin);
        m->bbox_bottom = thousandths(face->bbox.yMin);
        m->bbox_right = thousandths(face->bbox.xMax);
        m->bbox_top = thousandths(face->bbox.yMax);
        m->max_width = thousandths(face->max_advance_width);

        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const bool os2_heights = os2 && os2->version >= 2 && os2->sCapHeight > 0;
        m->cap_height = thousandths(os2_heights ? os2->sCapHeight : glyph_top('H'));
        m->x_height =
            thousandths(os2_heights && os2->sxHeight > 0 ? os2->sxHeight : glyph_top('x'));
        m->avg_width = os2 ? thousandths(os2->xAvgCharWidth) : m->widths['x'];
        const int weight =
            os2 ? os2->usWeightClass : ((face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400);
        // No stem width is stored in TrueType fonts; interpolate between the
        // usual 80 of a regular and 140 of a bold face.
        m->stem_v = std::max(20, 80 + (weight - 400) / 5);

        if (const auto* post =
                static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
            m->italic_angle = static_cast<int>(std::lround(post->italicAngle / 65536.0));
        }

        bool serif = false;
        if (os2 && os2->panose[0] == 2) {
            serif = os2->panose[1] >= 2 && os2->panose[1] <= 10;  // the serif styles
        } else if (face->family_name) {
            const std::string family = ascii_lower(face->family_name);
            serif = family.find("serif") != std::string::npos &&
                    family.find("sans") == std::string::npos;
        }
        m->flags = entry.symbol ? 4 : 32;
        if (FT_IS_FIXED_WIDTH(face)) m->flags |= 1;
        if (serif) m->flags |= 2;
        if ((face->style_flags & FT_STYLE_FLAG_ITALIC) || m->italic_angle != 0) m->flags |= 64;
        return m;
    }

    // Faces go before the library that made them: members are destroyed in
    // reverse order.
    UniqueConfig config_;
    UniqueFontSet fonts_;
    UniqueLibrary library_;
    std::map<std::string, std::unique_ptr<FaceEntry>> by_file_;  // by "path#index"
    std::map<std::pair<std::string, unsigned>, FaceEntry*> by_request_;
    // Guards the faces and every table above; measuring a font known to the
    // thread takes no lock.
    std::mutex mutex_;
    const std::uint64_t serial_ = next_serial();

    static std::uint64_t next_serial() {
        static std::atomic<std::uint64_t> last{0};
        return ++last;
    }
};

}  // namespace

void TextMetrics::draw_text(const Font& font, std::string_view, int, int, Color,
                            std::vector<std::uint8_t>&, int, int) {
    throw Error("This text service cannot draw " + describe(font.name, font.style));
}

TextMetrics& TextMetrics::instance() {
    // Function-local statics are initialised once even under concurrent calls.
    static FreeTypeTextMetrics service(
        [] {
            UniqueConfig config(FcInitLoadConfigAndFonts());
            if (!config) throw Error("Cannot load the fontconfig configuration");
            return config;
        }(),
        nullptr);
    return service;
}

std::unique_ptr<TextMetrics> TextMetrics::create_with_font_dirs(
    const std::vector<std::string>& font_dirs) {
    UniqueConfig config(FcConfigCreate());
    UniqueFontSet fonts(FcFontSetCreate());
    if (!config || !fonts) throw Error("Out of memory setting up the font directories");
    for (const std::string& dir : font_dirs) {
        // Each file is read directly: a fontconfig cache written for a
        // private directory would outlive it. Sorted, so that ties between
        // equal fonts always go the same way.
        std::vector<std::string> files;
        try {
            for (const auto& item : std::filesystem::directory_iterator(dir)) {
                if (item.is_regular_file()) files.push_back(item.path().string());
            }
        } catch (const std::filesystem::filesystem_error& e) {
            throw Error("Cannot read the font directory \"" + dir + "\": " + e.code().message());
        }
        std::sort(files.begin(), files.end());
        for (const std::string& file : files) {
            // Files that are not fonts add nothing.
            FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(file.c_str()), -1, nullptr, nullptr,
                               fonts.get());
        }
    }
    return std::make_unique<FreeTypeTextMetrics>(std::move(config), std::move(fonts));
}

}  // namespace tarvek::report
