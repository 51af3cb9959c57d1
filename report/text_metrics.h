// The text measurement service: widths and line heights of texts in report
// pixels (96 per inch), and the outline metrics the PDF writer needs.
//
// Arial and Times New Roman are measured with their metric-compatible
// Liberation fonts (Sans and Serif), which must be installed; the Liberation
// names are accepted as well, and any other name gets fontconfig's best match.
// Bold and italic choose the font file; underline and strike-out change
// nothing. Files are found through fontconfig and read with FreeType.
//
// Widths are the sum of the glyphs' hinted advance widths at the font's pixel
// em size, hinted by the classic TrueType interpreter, whose advances
// reproduce the designed widths of auto-sized captions. Texts are
// Windows-1252; a byte without a glyph measures as the font's missing glyph.
//
// Pixel em size: a negative Font::height is the em height in pixels; a
// positive one is the cell height (ascent + descent), converted to the em by
// units-per-em / (ascent + descent) of the font's Windows metrics, rounded.
//
// Line height = ascent + descent at the pixel em size. Ascent is the larger
// of the hinted top of the tallest Windows-1252 glyph and the scaled Windows
// ascent, both rounded; descent the larger of the hinted depth of the deepest
// glyph, rounded, and the scaled Windows descent, rounded up. At the sizes
// the font's gasp table leaves without grid-fitting (Liberation Sans up to
// 8 pixels), the glyphs' extents are unhinted and both maxima are rounded up.
//
// Every result is cached and stable for the life of the service. A service
// may be used from several threads at once (pages are prepared on one while
// the document is written on another). Failures raise tarvek::Error with a
// message naming the font.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/graphics.h"

namespace tarvek::report {

// Metrics of a font's outline in units of 1/1000 em, for PDF font entries.
struct OutlineMetrics {
    std::string postscript_name;    // PostScript name of the font file used
    std::array<int, 256> widths{};  // unhinted advance width of each Windows-1252 byte
    int first_char = 32;            // first and last byte that have a glyph,
    int last_char = 255;            // among the printable ones (32-255)
    int ascent = 0;                 // Windows ascent
    int descent = 0;                // Windows descent, negative
    int cap_height = 0;
    int x_height = 0;
    int internal_leading = 0;  // ascent - descent - 1000
    int italic_angle = 0;      // degrees, negative when leaning right
    int stem_v = 0;            // estimated from the weight class
    int flags = 0;             // PDF font descriptor flags
    int bbox_left = 0, bbox_bottom = 0, bbox_right = 0, bbox_top = 0;
    int missing_width = 0;  // advance of the missing glyph
    int max_width = 0;
    int avg_width = 0;
};

class TextMetrics {
  public:
    // The process-wide service, on the system's fontconfig configuration.
    // Creation raises an error when FreeType or fontconfig cannot start.
    static TextMetrics& instance();

    // A separate service that sees only the fonts directly in `font_dirs`
    // (not in their subdirectories), ignoring the system configuration: for
    // programs that ship their own fonts. Raises an error naming the
    // directory when one cannot be read.
    static std::unique_ptr<TextMetrics> create_with_font_dirs(
        const std::vector<std::string>& font_dirs);

    virtual ~TextMetrics() = default;

    // Width in pixels of `text` in `font` (name, pixel height, style).
    virtual int text_width(const Font& font, std::string_view text) = 0;
    // Line height in pixels (ascent + descent) of `font`, whatever the text.
    virtual int line_height(const Font& font) = 0;
    // Outline metrics of the font file that stands for `name` with `style`
    // (bold/italic bits only). The reference stays valid for the life of the
    // service.
    virtual const OutlineMetrics& outline(const std::string& name, unsigned style) = 0;
    // The font file used for a name and style (for diagnostics and embedding).
    virtual std::string font_file(const std::string& name, unsigned style) = 0;
    // Draws `text` in `font` with its cell's top-left corner at (x, y) into
    // `rgb`, rows of width × height RGB pixels, top row first: hinted,
    // anti-aliased glyphs blended over what is there, advancing as
    // text_width measures; underline and strike-out drawn as lines. The
    // colour is 0x00BBGGRR; pixels outside the buffer are left alone. A
    // service that only measures raises an error.
    virtual void draw_text(const Font& font, std::string_view text, int x, int y, Color color,
                           std::vector<std::uint8_t>& rgb, int width, int height);
};

}  // namespace tarvek::report
