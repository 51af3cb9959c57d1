#include "report/metafile.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/errors.h"
#include "report/page_format.h"
#include "report/picture.h"
#include "tests/sample_pages.h"
#include "tests/test_tools.h"

namespace tarvek::report {
namespace {

namespace fs = std::filesystem;

using ScratchDir = test::TempDir;

// Points TMPDIR elsewhere for the life of the object.
class TmpdirOverride {
  public:
    explicit TmpdirOverride(const fs::path& dir) {
        if (const char* old = getenv("TMPDIR")) old_ = old;
        setenv("TMPDIR", dir.c_str(), 1);
    }
    ~TmpdirOverride() {
        if (old_) {
            setenv("TMPDIR", old_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    TmpdirOverride(const TmpdirOverride&) = delete;
    TmpdirOverride& operator=(const TmpdirOverride&) = delete;

  private:
    std::optional<std::string> old_;
};

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Pixel (x, y) is (10x, 10y, 7): every pixel tells where it came from.
Picture gradient(int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<std::uint8_t>(10 * x));
            rgb.push_back(static_cast<std::uint8_t>(10 * y));
            rgb.push_back(7);
        }
    }
    return Picture::from_rgb(width, height, rgb);
}

std::vector<std::uint8_t> gradient_pixels(int x0, int y0, int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int y = y0; y < y0 + height; ++y) {
        for (int x = x0; x < x0 + width; ++x) {
            rgb.insert(rgb.end(),
                       {static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(10 * y), 7});
        }
    }
    return rgb;
}

void put_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An icon file with one entry of the given declared size holding `payload`.
std::string icon_file(int width, int height, const std::string& payload) {
    std::string out;
    put_le(out, 0, 2);
    put_le(out, 1, 2);
    put_le(out, 1, 2);
    out += static_cast<char>(width);
    out += static_cast<char>(height);
    put_le(out, 0, 2);  // palette size, reserved
    put_le(out, 1, 2);  // planes
    put_le(out, 32, 2);
    put_le(out, static_cast<std::uint32_t>(payload.size()), 4);
    put_le(out, 6 + 16, 4);
    return out + payload;
}

std::string png_bytes(int width, int height, const std::vector<std::uint8_t>& rgba) {
    std::string out;
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(size));
    };
    stbi_write_png_to_func(append, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

// A 2×2 24-bit icon bitmap: red, green on top; blue and a pixel the mask
// makes transparent below.
std::string icon_bitmap_2x2() {
    std::string dib;
    put_le(dib, 40, 4);
    put_le(dib, 2, 4);
    put_le(dib, 4, 4);  // colour rows and mask rows
    put_le(dib, 1, 2);
    put_le(dib, 24, 2);
    for (int i = 0; i < 6; ++i) put_le(dib, 0, 4);
    // Colour rows, bottom first, BGR, padded to 4 bytes.
    dib += std::string(
        "\xFF\x00\x00"
        "\x00\x00\x00"
        "\x00\x00",
        8);
    dib += std::string(
        "\x00\x00\xFF"
        "\x00\xFF\x00"
        "\x00\x00",
        8);
    // Mask rows, bottom first, padded to 4 bytes.
    dib += std::string("\x40\x00\x00\x00", 4);
    dib += std::string("\x00\x00\x00\x00", 4);
    return dib;
}

Rect text_rect() {
    return {0, 2, 50, 15};
}

// ---------------------------------------------------------------------------

TEST(MetafileDrawing, TextTakesTheCurrentFontAndBrush) {
    struct Case {
        int pitch;
        int expected_pitch;
    };
    for (const Case c : {Case{0, 1}, Case{1, 3}, Case{2, 2}}) {
        GraphicSurface surface;
        surface.font.name = "Times New Roman";
        surface.font.height = -16;
        surface.font.style = fsBold | fsItalic;
        surface.font.color = clWindowText;
        surface.font.pitch = c.pitch;
        surface.brush.style = 2;
        next_group_id();
        surface.text_out(text_rect(), 3, 4, "x", TextAlignment::Right, TextLayout::Center, 4);

        ASSERT_EQ(surface.objects().size(), 1u);
        const GraphicObject& text = surface.objects()[0];
        EXPECT_EQ(text.kind, ObjectKind::Text);
        EXPECT_EQ(text.bounds, text_rect());
        EXPECT_EQ(text.origin, (Point{3, 4}));
        EXPECT_EQ(text.alignment, TextAlignment::Right);
        EXPECT_EQ(text.layout, TextLayout::Center);
        EXPECT_EQ(text.text_flags, 4u);
        EXPECT_EQ(text.group_id, current_group_id());
        EXPECT_EQ(text.brush.style, 2);
        EXPECT_EQ(text.font.pixels_per_inch, 96);
        EXPECT_EQ(text.font.pitch, c.expected_pitch);
        EXPECT_EQ(text.font.size, 12);
        EXPECT_EQ(text.font.height, -16);
        EXPECT_EQ(text.font.style, fsBold | fsItalic);
        EXPECT_EQ(text.font.color, (MetaColor{0, 0, 0}));
        EXPECT_EQ(surface.fonts(), std::vector<std::string>{"Times New Roman"});
        EXPECT_TRUE(surface.opened());
        EXPECT_TRUE(surface.modified());
    }
}

TEST(MetafileCopy, SurfaceMovesObjectsAndKeepsTheirFields) {
    GraphicSurface source;
    source.font.name = "Times New Roman";
    source.text_out(text_rect(), 5, 7, "Total", TextAlignment::Left, TextLayout::Top, 5);
    source.macros.emplace_back("PageNo", "3");

    GraphicSurface page;
    page.text_out(text_rect(), 0, 0, "first", TextAlignment::Left, TextLayout::Top,
                  5);  // puts Arial first in its font list
    page.copy_surface(100, 200, source);

    ASSERT_EQ(page.objects().size(), 2u);
    const GraphicObject& original = source.objects()[0];
    const GraphicObject& copy = page.objects()[1];
    EXPECT_EQ(copy.origin, (Point{105, 207}));
    EXPECT_EQ(copy.bounds, (Rect{100, 202, 150, 215}));
    EXPECT_EQ(copy.text, "Total");
    EXPECT_EQ(copy.text_flags, original.text_flags);
    EXPECT_EQ(copy.group_id, original.group_id);
    EXPECT_EQ(page.fonts()[static_cast<std::size_t>(copy.font.name_index)], "Times New Roman");
    MetaFont font_without_name = copy.font;
    font_without_name.name_index = original.font.name_index;
    EXPECT_EQ(font_without_name, original.font);
    EXPECT_EQ(page.macros, source.macros);
}

TEST(MetafileCopy, EachTextKeepsItsFontAcrossFontLists) {
    GraphicSurface source;
    const std::vector<std::string> fonts = {"Arial", "Times New Roman", "Arial", "Courier New",
                                            "Times New Roman"};
    for (const std::string& name : fonts) {
        source.font.name = name;
        source.text_out(text_rect(), 0, 0, name, TextAlignment::Left, TextLayout::Top, 5);
    }
    const auto font_of = [](const GraphicSurface& surface, const GraphicObject& text) {
        return surface.fonts()[static_cast<std::size_t>(text.font.name_index)];
    };

    GraphicSurface page;
    page.font.name = "Courier New";
    page.text_out(text_rect(), 0, 0, "first", TextAlignment::Left, TextLayout::Top, 5);
    page.copy_surface(0, 0, source);
    ASSERT_EQ(page.objects().size(), 1 + fonts.size());
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        EXPECT_EQ(font_of(page, page.objects()[i + 1]), fonts[i]) << i;
    }
    EXPECT_EQ(page.fonts(), (std::vector<std::string>{"Courier New", "Arial", "Times New Roman"}));

    // A surface copied onto itself: the copies name the fonts of their originals.
    page.copy_surface(0, 100, page);
    ASSERT_EQ(page.objects().size(), 2 * (1 + fonts.size()));
    for (std::size_t i = 0; i < 1 + fonts.size(); ++i) {
        EXPECT_EQ(font_of(page, page.objects()[i + 1 + fonts.size()]),
                  font_of(page, page.objects()[i]))
            << i;
    }
    EXPECT_EQ(page.fonts().size(), 3u);
}

TEST(MetafileCopy, RectScalesAndMovesBetweenClipObjects) {
    struct Case {
        const char* name;
        Rect destination;
        Rect source_rect;
        Rect bounds;
        Point origin;
        int font_size;
        Point line_from, line_to;
    };
    // The source holds a 10pt text at (10,10)-(30,20) with origin (12,11), a
    // line from (10,10) to (40,10) and a fill far away at (500,500).
    const Case cases[] = {
        {"double",
         {200, 100, 400, 200},
         {0, 0, 100, 50},
         {220, 120, 260, 140},
         {224, 122},
         20,
         {220, 120},
         {280, 120}},
        {"equal sizes move",
         {300, 400, 400, 450},
         {10, 10, 110, 60},
         {300, 400, 320, 410},
         {302, 401},
         10,
         {300, 400},
         {330, 400}},
        // 11 × 1.5 = 16.5 and 3 × 1.5 = 4.5 both round away from zero.
        {"one and a half",
         {0, 0, 150, 150},
         {3, 0, 103, 100},
         {10, 15, 40, 30},
         {13, 17},
         15,
         {10, 15},
         {55, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicSurface source;
        source.text_out({10, 10, 30, 20}, 12, 11, "t", TextAlignment::Left, TextLayout::Top, 5);
        GraphicObject line;
        line.kind = ObjectKind::Line;
        line.bounds = {10, 10, 40, 11};
        line.from = {10, 10};
        line.to = {40, 10};
        source.objects().push_back(line);
        source.fill_rect({500, 500, 510, 510});

        GraphicSurface page;
        page.set_clip_rect({0, 0, 1000, 1000});
        page.copy_rect(c.destination, source, c.source_rect);

        ASSERT_EQ(page.objects().size(), 5u);
        EXPECT_EQ(page.objects()[1].kind, ObjectKind::SetClipRect);
        EXPECT_EQ(page.objects()[1].bounds, c.destination);
        const GraphicObject& text = page.objects()[2];
        EXPECT_EQ(text.kind, ObjectKind::Text);
        EXPECT_EQ(text.bounds, c.bounds);
        EXPECT_EQ(text.origin, c.origin);
        EXPECT_EQ(text.font.size, c.font_size);
        const GraphicObject& copied_line = page.objects()[3];
        EXPECT_EQ(copied_line.kind, ObjectKind::Line);
        EXPECT_EQ(copied_line.from, c.line_from);
        EXPECT_EQ(copied_line.to, c.line_to);
        EXPECT_EQ(page.objects()[4].kind, ObjectKind::ResetClipRect);
        EXPECT_EQ(page.objects()[4].bounds, (Rect{0, 0, 1000, 1000}));
        EXPECT_EQ(page.clip_rect(), (Rect{0, 0, 1000, 1000}));
    }
}

TEST(MetafileClip, ResetRestoresThePreviousClip) {
    GraphicSurface surface;
    const Rect outer{0, 0, 100, 100}, inner{10, 10, 20, 20};
    surface.set_clip_rect(outer);
    surface.set_clip_rect(inner);
    EXPECT_EQ(surface.clip_rect(), inner);
    surface.reset_clip_rect();
    EXPECT_EQ(surface.clip_rect(), outer);
    surface.reset_clip_rect();
    EXPECT_EQ(surface.clip_rect(), Rect{});
    surface.reset_clip_rect();  // more resets than sets: still no clip
    EXPECT_EQ(surface.clip_rect(), Rect{});

    const std::vector<std::pair<ObjectKind, Rect>> expected = {{ObjectKind::SetClipRect, outer},
                                                               {ObjectKind::SetClipRect, inner},
                                                               {ObjectKind::ResetClipRect, outer},
                                                               {ObjectKind::ResetClipRect, Rect{}},
                                                               {ObjectKind::ResetClipRect, Rect{}}};
    ASSERT_EQ(surface.objects().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(surface.objects()[i].kind, expected[i].first) << i;
        EXPECT_EQ(surface.objects()[i].bounds, expected[i].second) << i;
    }
}

TEST(MetafileMacros, SubstitutesPageThenCollectionValues) {
    GraphicSurface page;
    page.macros = {{"PageNo", "2"}, {"Title", "Page title"}};
    const Macros collection = {{"Title", "Document"}, {"LastPageNumber", "9"}};
    struct Case {
        const char* text;
        const Macros* collection;
        const char* expected;
    };
    const Case cases[] = {
        {"P\xE1gina {PageNo}", &collection, "P\xE1gina 2"},
        {"{Title}", &collection, "Page title"},
        {"{PageNo} de {LastPageNumber}", &collection, "2 de 9"},
        {"{LastPageNumber}", nullptr, "{LastPageNumber}"},
        {"{Unknown} {PageNo}", &collection, "{Unknown} 2"},
        {"{pageno}", &collection, "{pageno}"},
        {"{PageNo}{PageNo}", &collection, "22"},
        {"{PageNo} {unclosed", &collection, "2 {unclosed"},
        {"a}b{}c", &collection, "a}b{}c"},
        {"", &collection, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(page.substitute_macros(c.text, c.collection), c.expected) << c.text;
    }
}

TEST(MetafileCutRow, LowersToTheTopOfUnbreakableTexts) {
    GraphicSurface surface;
    surface.text_out({0, 10, 50, 30}, 0, 10, "a", TextAlignment::Left, TextLayout::Top, 4);
    surface.text_out({0, 25, 50, 50}, 0, 25, "b", TextAlignment::Left, TextLayout::Top, 5);
    surface.text_out({0, 55, 50, 70}, 0, 55, "breakable", TextAlignment::Left, TextLayout::Top, 1);
    surface.fill_rect({0, 0, 50, 100});
    struct Case {
        int row;
        std::optional<int> expected;
    };
    const Case cases[] = {{40, 10}, {30, 10}, {26, 10},         {60, 60},
                          {50, 50}, {5, 5},   {0, std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(surface.find_cut_row(c.row), c.expected) << c.row;

    GraphicSurface from_top;
    from_top.text_out({0, 0, 50, 20}, 0, 0, "a", TextAlignment::Left, TextLayout::Top, 5);
    EXPECT_EQ(from_top.find_cut_row(10), std::nullopt);
}

TEST(MetafilePictures, ClipPictureAppendsNothingWhenNothingIsVisible) {
    const Picture picture = gradient(4, 3);
    for (const Rect r : {Rect{10, 10, 10, 30}, Rect{10, 10, 5, 30}, Rect{10, 10, 30, 10}}) {
        for (const bool center : {false, true}) {
            GraphicSurface surface;
            surface.clip_picture(r, picture, center);
            EXPECT_TRUE(surface.objects().empty());
        }
    }
}

TEST(MetafilePictures, ClipPictureKeepsTheVisiblePart) {
    struct Case {
        const char* name;
        Rect r;
        bool center;
        Rect bounds;
        int crop_x, crop_y, crop_w, crop_h;
    };
    const Case cases[] = {
        {"top-left, cut right and below",
         {100, 50, 102, 52},
         false,
         {100, 50, 102, 52},
         0,
         0,
         2,
         2},
        // Placed at (99,50)-(103,53): one column hangs out on each side.
        {"centred, cut on both sides", {100, 50, 102, 52}, true, {100, 50, 102, 52}, 1, 0, 2, 2},
        {"room to spare", {0, 0, 10, 10}, false, {0, 0, 4, 3}, 0, 0, 4, 3},
        {"centred with room", {0, 0, 10, 10}, true, {3, 3, 7, 6}, 0, 0, 4, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicSurface surface;
        surface.clip_picture(c.r, gradient(4, 3), c.center);
        ASSERT_EQ(surface.objects().size(), 1u);
        const GraphicObject& image = surface.objects()[0];
        EXPECT_EQ(image.kind, ObjectKind::Image);
        EXPECT_EQ(image.bounds, c.bounds);
        const Picture shown = Picture::from_tagged_data(image.picture.tagged_data());
        EXPECT_EQ(shown.width(), c.crop_w);
        EXPECT_EQ(shown.height(), c.crop_h);
        EXPECT_EQ(shown.rgb(), gradient_pixels(c.crop_x, c.crop_y, c.crop_w, c.crop_h));
    }
}

TEST(MetafilePictures, ScalePictureKeepsTheAspectRatio) {
    struct Case {
        int picture_w, picture_h;
        Rect r;
        bool center;
        Rect expected;
    };
    const Case cases[] = {
        {40, 20, {0, 0, 100, 100}, false, {0, 0, 100, 50}},
        {40, 20, {0, 0, 100, 100}, true, {0, 25, 100, 75}},
        {20, 40, {10, 10, 110, 60}, true, {47, 10, 72, 60}},
        {20, 40, {10, 10, 110, 60}, false, {10, 10, 35, 60}},
        {3, 2, {0, 0, 10, 10}, false, {0, 0, 10, 7}},  // 6.67 rounds to 7
    };
    for (const Case& c : cases) {
        GraphicSurface surface;
        const Picture picture = gradient(c.picture_w, c.picture_h);
        surface.scale_picture(c.r, picture, c.center);
        ASSERT_EQ(surface.objects().size(), 1u);
        EXPECT_EQ(surface.objects()[0].bounds, c.expected);
        EXPECT_TRUE(surface.objects()[0].picture.same_as(picture));  // the very pixels
    }
}

// ---------------------------------------------------------------------------

TEST(PictureLoad, JpegBecomesABitmapImageObjectOfItsPixelSize) {
    ScratchDir dir;
    const fs::path path = dir.file("logo.jpg");
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < 12 * 8; ++i) rgb.insert(rgb.end(), {200, 40, 40});
    ASSERT_NE(stbi_write_jpg(path.c_str(), 12, 8, 3, rgb.data(), 90), 0);

    const Picture jpeg = Picture::from_file(path.string());
    EXPECT_EQ(jpeg.kind(), Picture::Kind::Bitmap);

    GraphicSurface surface;
    surface.draw_picture(30, 40, jpeg, false);
    const GraphicObject& image = surface.objects().at(0);
    EXPECT_EQ(image.bounds, (Rect{30, 40, 42, 48}));
    EXPECT_EQ(image.picture.tagged_data().substr(0, 5), "BMPBM");
    const Picture stored = Picture::from_tagged_data(image.picture.tagged_data());
    ASSERT_EQ(stored.width(), 12);
    ASSERT_EQ(stored.height(), 8);
    for (std::size_t i = 0; i < stored.rgb().size(); ++i) {
        EXPECT_NEAR(stored.rgb()[i], rgb[i], 8) << i;
    }
}

TEST(PictureLoad, TaggedDataRoundTrips) {
    const Picture bitmap = gradient(3, 2);  // odd width: rows are padded in the file
    const Picture restored = Picture::from_tagged_data(bitmap.tagged_data());
    EXPECT_EQ(restored.kind(), Picture::Kind::Bitmap);
    EXPECT_EQ(restored.width(), 3);
    EXPECT_EQ(restored.height(), 2);
    EXPECT_EQ(restored.rgb(), bitmap.rgb());

    const std::string icon_bytes = icon_file(3, 5, "not an image");
    const Picture icon = Picture::from_file_data(icon_bytes, "icon.ico");
    EXPECT_EQ(icon.tagged_data(), "ICO" + icon_bytes);
    const Picture icon_again = Picture::from_tagged_data(icon.tagged_data());
    EXPECT_EQ(icon_again.kind(), Picture::Kind::Icon);
    EXPECT_EQ(icon_again.tagged_data(), icon.tagged_data());

    EXPECT_EQ(Picture().tagged_data(), "NIL");
    EXPECT_TRUE(Picture::from_tagged_data("NIL").empty());
    EXPECT_TRUE(Picture::from_tagged_data("WMF\x01\x02").empty());
    EXPECT_TRUE(Picture::from_tagged_data("").empty());
    EXPECT_THROW(Picture::from_tagged_data(std::string("BMPBM\x10\x00", 7)), Error);
    EXPECT_THROW(Picture::from_tagged_data("ICOjunk"), Error);
}

TEST(PictureLoad, IconsKeepTheirBytesAndDrawWhatStbCanRead) {
    const std::string png = png_bytes(2, 1, {255, 0, 0, 255, /* transparent: */ 0, 0, 0, 0});
    struct Case {
        const char* name;
        std::string file;
        int width, height;
        std::vector<std::uint8_t> rgb;
    };
    const std::vector<Case> cases = {
        {"PNG entry", icon_file(2, 1, png), 2, 1, {255, 0, 0, 255, 255, 255}},
        {"bitmap entry with mask",
         icon_file(2, 2, icon_bitmap_2x2()),
         2,
         2,
         {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}},
        {"undecodable entry", icon_file(3, 2, "garbage"), 3, 2, std::vector<std::uint8_t>(18, 255)},
        {"declared size differs from the PNG", icon_file(4, 4, png), 4, 4,
         std::vector<std::uint8_t>(48, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture icon = Picture::from_file_data(c.file, "logo.ico");
        EXPECT_EQ(icon.kind(), Picture::Kind::Icon);
        EXPECT_EQ(icon.width(), c.width);
        EXPECT_EQ(icon.height(), c.height);
        EXPECT_EQ(icon.rgb(), c.rgb);
        EXPECT_EQ(icon.tagged_data(), "ICO" + c.file);
    }
}

TEST(PictureLoad, UnreadableInputNamesItsSource) {
    ScratchDir dir;
    const fs::path text = dir.file("notes.txt");
    write_file(text, "this is not a picture");
    const fs::path broken_png = dir.file("broken.png");
    write_file(broken_png, std::string("\x89PNG\r\n\x1A\n", 8) + "truncated");
    const fs::path missing = dir.file("missing.bmp");

    for (const fs::path& path : {text, broken_png, missing}) {
        try {
            Picture::from_file(path.string());
            ADD_FAILURE() << "no error for " << path;
        } catch (const Error& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("Cannot read picture " + path.string() + ": ", 0), 0u)
                << message;
        }
    }
    EXPECT_THROW(Picture::from_file_data(std::string("\x00\x00\x01\x00\x00\x00", 6), "empty.ico"),
                 Error);
    EXPECT_THROW(Picture::from_rgb(2, 2, std::vector<std::uint8_t>(11)), Error);
}

// Small files that declare huge pictures: refused from their header, before
// any pixel is decoded.
TEST(PictureLoad, PictureBeyondThePixelBudgetIsRefused) {
    const auto le32 = [](std::uint32_t v) {
        std::string b;
        for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
        return b;
    };
    const auto be32 = [](std::uint32_t v) {
        std::string b;
        for (int i = 3; i >= 0; --i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
        return b;
    };
    // A bitmap of 3,000,000 x 16 pixels in 246 bytes.
    std::string bmp = "BM" + le32(246) + le32(0) + le32(54) + le32(40) + le32(3'000'000) +
                      le32(16) + std::string("\x01\x00\x18\x00", 4) + le32(0) + le32(0) +
                      le32(2835) + le32(2835) + le32(0) + le32(0);
    bmp.resize(246, '\0');
    // A PNG whose header says 10,000 x 10,000.
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + be32(13) + "IHDR" + be32(10'000) +
                            be32(10'000) + std::string("\x08\x02\x00\x00\x00", 5) + be32(0) +
                            std::string(64, '\0');
    // Within the budget, but taller than a PDF picture may be: 78 bytes.
    std::string tall = "BM" + le32(78) + le32(0) + le32(54) + le32(40) + le32(3) +
                       le32(10'158'141) + std::string("\x01\x00\x18\x00", 4) + le32(0) + le32(0) +
                       le32(2835) + le32(2835) + le32(0) + le32(0);
    tall.resize(78, '\0');
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"bomba.bmp", bmp, "3000000 x 16 pixels, more than the 40000000"},
        {"bomba.png", png, "10000 x 10000 pixels, more than the 40000000"},
        {"alta.bmp", tall, "3 x 10158141 pixels; a side of a picture may have at most 65500"},
    };
    for (const auto& c : cases) {
        try {
            Picture::from_file_data(c.bytes, c.name);
            ADD_FAILURE() << c.name << " was decoded";
        } catch (const Error& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(std::string("Cannot read picture ") + c.name, 0), 0u)
                << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
    }
}

// A bitmap whose header gives a negative height stores its top row first.
TEST(PictureLoad, TopDownBitmapComesOutTheRightWayUp) {
    const auto le32 = [](std::int32_t v) {
        std::string b;
        for (int i = 0; i < 4; ++i)
            b += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        return b;
    };
    // 1 x 2 pixels: red, then blue; rows padded to 4 bytes.
    std::string bmp = "BM" + le32(62) + le32(0) + le32(54) + le32(40) + le32(1) + le32(-2) +
                      std::string("\x01\x00\x18\x00", 4) + le32(0) + le32(8) + le32(2835) +
                      le32(2835) + le32(0) + le32(0);
    bmp += std::string("\x00\x00\xFF\x00", 4);  // red, as blue-green-red
    bmp += std::string("\xFF\x00\x00\x00", 4);  // blue
    const Picture picture = Picture::from_file_data(bmp, "topo.bmp");
    EXPECT_EQ(picture.width(), 1);
    EXPECT_EQ(picture.height(), 2);
    EXPECT_EQ(picture.rgb(), (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 255}));
}

TEST(PictureLoad, CropFillsWhatLiesOutsideWithWhite) {
    const Picture cropped = gradient(2, 2).crop(1, -1, 2, 2);
    EXPECT_EQ(cropped.rgb(), (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 255,  //
                                                        10, 0, 7, 255, 255, 255}));
    EXPECT_TRUE(gradient(2, 2).crop(0, 0, 0, 2).empty());
}

// ---------------------------------------------------------------------------

std::unique_ptr<GraphicSurface> every_kind() {
    return test::page_of_every_kind(gradient(3, 2),
                                    Picture::from_file_data(icon_file(2, 2, "x"), "i.ico"));
}

TEST(MetafileSerialize, RoundTripsEveryObjectKind) {
    const auto original = every_kind();
    const std::string bytes = original->serialize();
    const auto restored = GraphicSurface::deserialize(bytes);

    EXPECT_EQ(restored->serialize(), bytes);
    EXPECT_EQ(dump_surface(*restored), dump_surface(*original));
    ASSERT_EQ(restored->objects().size(), original->objects().size());
    for (std::size_t i = 0; i < original->objects().size(); ++i) {
        const GraphicObject& a = original->objects()[i];
        const GraphicObject& b = restored->objects()[i];
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_EQ(b.bounds, a.bounds);
        EXPECT_EQ(b.group_id, a.group_id);
        EXPECT_EQ(b.text, a.text);
        EXPECT_EQ(b.font, a.font);
        EXPECT_EQ(b.pen, a.pen);
        EXPECT_EQ(b.brush, a.brush);
        EXPECT_EQ(b.picture.tagged_data(), a.picture.tagged_data());
        EXPECT_EQ(b.parity, a.parity);
        EXPECT_EQ(b.points, a.points);
        EXPECT_EQ(b.from, a.from);
        EXPECT_EQ(b.pixel_color, a.pixel_color);
    }
    EXPECT_EQ(restored->width, 794);
    EXPECT_EQ(restored->margins, original->margins);
    EXPECT_EQ(restored->page_index, 4);
    EXPECT_EQ(restored->macros, original->macros);
    EXPECT_EQ(restored->fonts(), original->fonts());
    EXPECT_EQ(restored->font, original->font);
    EXPECT_EQ(restored->pen, original->pen);
    EXPECT_EQ(restored->clip_rect(), (Rect{2, 2, 8, 8}));
    restored->reset_clip_rect();
    EXPECT_EQ(restored->clip_rect(), Rect{});
    EXPECT_TRUE(restored->modified());

    EXPECT_EQ(original->clone()->serialize(), bytes);
}

TEST(MetafileSerialize, DamagedDataRaisesAnError) {
    const std::string bytes = every_kind()->serialize();
    for (const std::string& damaged :
         {bytes.substr(0, bytes.size() - 1), bytes.substr(0, 20),
          std::string("XXXXXXXX") + bytes.substr(8), bytes + "x", std::string()}) {
        EXPECT_THROW(GraphicSurface::deserialize(damaged), Error) << damaged.size();
    }
}

// Numbers pictures in the order they are shown, and knows no others.
class CountingStore : public GraphicSurface::PictureStore {
  public:
    std::uint32_t number_of(const Picture& picture) override {
        pictures_.push_back(picture);
        return static_cast<std::uint32_t>(pictures_.size() - 1);
    }
    Picture picture(std::uint32_t number) override {
        if (number >= pictures_.size()) throw Error("no picture " + std::to_string(number));
        return pictures_[number];
    }

  private:
    std::vector<Picture> pictures_;
};

TEST(MetafileSerialize, DamagedDataErrorNamesTheByteAndTheReason) {
    const std::string bytes = every_kind()->serialize();
    std::string other_version = bytes;
    other_version[10] = other_version[10] == '0' ? '1' : '0';
    // Two fills, the second told 2^63 - 1 right of the first's 100: past
    // every number, however the difference were added.
    std::string past_the_numbers = GraphicSurface().serialize();
    past_the_numbers.back() = '\x02';
    past_the_numbers += std::string("\x02\x00\xC8\x01\x00\x00\x00\x00", 8);
    const std::size_t second_left = past_the_numbers.size() + 2;
    past_the_numbers +=
        std::string("\x02\x00\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01\x00\x00\x00\x00", 16);
    CountingStore store;
    struct Case {
        const char* label;
        std::string bytes;
        GraphicSurface::PictureStore* pictures;
        std::size_t offset;
        const char* reason;
    };
    const Case cases[] = {
        {"nothing", "", nullptr, 0, "not a stored page"},
        {"another file", "%PDF-1.4\n" + bytes, nullptr, 0, "not a stored page"},
        {"another version", other_version, nullptr, 0, "a page of another version of the format"},
        {"pictures kept elsewhere", bytes, &store, 16, "the page holds its pictures itself"},
        {"a byte too many", bytes + "x", nullptr, bytes.size(), "unexpected bytes after the page"},
        {"a difference past the numbers", past_the_numbers, nullptr, second_left + 10,
         "a number is out of range"},
        {"a flag of 2", bytes.substr(0, 15) + '\x02', nullptr, 16, "a flag is neither 0 nor 1"},
    };
    for (const Case& c : cases) {
        try {
            GraphicSurface::deserialize(c.bytes, c.pictures);
            ADD_FAILURE() << c.label << ": no error";
        } catch (const PageDataError& e) {
            EXPECT_EQ(e.offset(), c.offset) << c.label;
            EXPECT_EQ(e.reason(), c.reason) << c.label;
            EXPECT_EQ(std::string(e.what()),
                      "Damaged page data at byte " + std::to_string(c.offset) + ": " + c.reason)
                << c.label;
        }
    }
}

// Any change to a field's name, type, coding or place among the fields gives
// pages another version; what only the dump reads does not.
TEST(MetafileSerialize, FormatVersionFollowsTheFieldTables) {
    using Text = Field<&GraphicObject::text>;
    using Origin = Field<&GraphicObject::origin>;
    constexpr auto pages = PageFormat::page_fields;
    const std::uint32_t base = page_format_version(pages, std::tuple{Text{"text"}, Origin{"o"}});
    const std::pair<const char*, std::uint32_t> changes[] = {
        {"a field renamed", page_format_version(pages, std::tuple{Text{"words"}, Origin{"o"}})},
        {"a field of another type",
         page_format_version(pages,
                             std::tuple{Field<&GraphicObject::generator_id>{"text"}, Origin{"o"}})},
        {"a remembered field",
         page_format_version(
             pages,
             std::tuple{Field<&GraphicObject::text, Coding::Remembered>{"text"}, Origin{"o"}})},
        {"two fields swapped", page_format_version(pages, std::tuple{Origin{"o"}, Text{"text"}})},
        {"a field added",
         page_format_version(pages, std::tuple{Text{"text"}, Origin{"o"},
                                               Field<&GraphicObject::points>{"points"}})},
        {"a page field added",
         page_format_version(std::tuple_cat(pages, std::tuple{Field<&GraphicSurface::width>{"w"}}),
                             std::tuple{Text{"text"}, Origin{"o"}})},
    };
    std::set<std::uint32_t> seen{base};
    for (const auto& [label, version] : changes) {
        EXPECT_TRUE(seen.insert(version).second) << label;
    }
    EXPECT_EQ(page_format_version(
                  pages, std::tuple{Text{"text", "words", PageFormat::kImages}, Origin{"o"}}),
              base);

    char version[9];
    std::snprintf(version, sizeof version, "%08x",
                  page_format_version(PageFormat::page_fields, PageFormat::object_fields));
    EXPECT_EQ(GraphicSurface().serialize().substr(0, 15), std::string("TVKPAGE") + version);
}

TEST(MetafileDump, IsOneReadableLinePerObject) {
    GraphicSurface surface;
    surface.brush = {{192, 192, 192}, 1};
    surface.fill_rect({38, 190, 700, 215});
    surface.pen.width = 1;
    surface.brush = {{0, 0, 0}, 1};
    surface.rectangle(38, 190, 39, 215);
    surface.font.height = -9;
    surface.brush.style = 2;
    surface.text_out({38, 200, 123, 213}, 40, 200, "Local de pagamento \xE0 vista",
                     TextAlignment::Left, TextLayout::Top, 5);
    surface.set_clip_rect({0, 0, 50, 50});
    surface.draw_picture(5, 6, Picture::from_rgb(2, 1, {255, 0, 0, 0, 0, 255}), false);
    surface.reset_clip_rect();
    surface.stretch_picture({1, 2, 3, 4}, Picture());

    // 2×1 pixels in 24 bits: 54 bytes of headers and one row padded to 8.
    EXPECT_EQ(dump_surface(surface),
              "TRLFillRectObject (38,190)-(700,215) brush solid #C0C0C0\n"
              "TRLRectangleObject (38,190)-(39,215) pen solid copy w1 #000000 brush solid "
              "#000000\n"
              "TRLTextObject (38,200)-(123,213) origin (40,200) align 1 layout 1 flags 5 brush "
              "clear #000000 font \"Arial\" 7pt h-9 #000000 style 0 text \"Local de pagamento "
              "\\xE0 vista\"\n"
              "TRLSetClipRectObject (0,0)-(50,50)\n"
              "TRLImageObject (5,6)-(7,7) BMP 2x1 bytes 65 sum A7B787C9 parity 0\n"
              "TRLResetClipRectObject (0,0)-(0,0)\n"
              "TRLImageObject (1,2)-(3,4) NIL parity 0\n");
}

// ---------------------------------------------------------------------------

std::unique_ptr<GraphicSurface> numbered_page(int n) {
    auto page = std::make_unique<GraphicSurface>();
    page->width = 794;
    page->height = 1123;
    page->macros = {{"PageNo", std::to_string(n + 1)}};
    page->text_out({10, 10 + n, 100, 30 + n}, 12, 10 + n, "P\xE1gina " + std::to_string(n + 1),
                   TextAlignment::Left, TextLayout::Top, 5);
    page->draw_picture(0, 0, gradient(n + 1, 2), false);
    return page;
}

TEST(PageStorage, OutOfRangeIndexesGiveNoPage) {
    GraphicStorage storage;
    EXPECT_EQ(storage.page(0), nullptr);
    storage.add(numbered_page(0));
    EXPECT_EQ(storage.page(-1), nullptr);
    EXPECT_EQ(storage.page(storage.page_count()), nullptr);
    ASSERT_NE(storage.page(0), nullptr);
    EXPECT_EQ(storage.page(0)->page_index, 0);
}

TEST(PageStorage, PagesLeaveMemoryAndComeBackIntact) {
    GraphicStorage storage;
    std::vector<std::string> dumps;
    for (int i = 0; i < 7; ++i) {
        auto page = numbered_page(i);
        dumps.push_back(dump_surface(*page));
        storage.add(std::move(page));
        EXPECT_LE(storage.pages_in_memory(), GraphicStorage::kPagesInMemory);
    }
    EXPECT_EQ(storage.page_count(), 7);
    EXPECT_EQ(storage.pages_in_memory(), 5);

    for (const int index : {6, 0, 3, 1, 5, 2, 4, 0}) {
        const GraphicSurface* page = storage.page(index);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->page_index, index);
        EXPECT_EQ(page->macros, (Macros{{"PageNo", std::to_string(index + 1)}}));
        EXPECT_EQ(dump_surface(*page), dumps[static_cast<std::size_t>(index)]) << index;
        EXPECT_LE(storage.pages_in_memory(), GraphicStorage::kPagesInMemory);
    }
}

// A document of 2,000 pages, each with its own picture and one logo shared
// by all: every page comes back from the swap file as it was drawn, pixels
// included, and the logo is stored once. Each page is written once; reading
// them all back reads each once.
TEST(PageStorage, TwoThousandPagesReadBackAsDrawn) {
    constexpr int kPages = 2000;
    const Picture logo = gradient(40, 12);
    const auto draw = [&logo](int n, bool with_logo) {
        auto page = numbered_page(n % 500);
        page->macros = {{"PageNo", std::to_string(n + 1)}};
        page->text_out({300, 40, 500, 60}, 300, 40, "folha " + std::to_string(n),
                       TextAlignment::Left, TextLayout::Top, 5);
        if (with_logo) page->draw_picture(400, 400, logo, false);
        return page;
    };
    struct Drawn {
        std::string dump;
        std::vector<std::vector<std::uint8_t>> pixels;  // of each image, in order
    };
    const auto drawn_of = [](const GraphicSurface& page) {
        Drawn d{dump_surface(page), {}};
        for (const GraphicObject& o : page.objects()) {
            if (o.kind == ObjectKind::Image) d.pixels.push_back(o.picture.rgb());
        }
        return d;
    };

    GraphicStorage storage;
    std::vector<Drawn> drawn;
    GraphicStorage without_logo;
    for (int n = 0; n < kPages; ++n) {
        auto page = draw(n, true);
        drawn.push_back(drawn_of(*page));
        storage.add(std::move(page));
        without_logo.add(draw(n, false));
    }
    ASSERT_EQ(storage.page_count(), kPages);
    const std::uint64_t written = storage.swap_size();
    // The logo's 40 x 12 pixels are stored once; each page only refers to them.
    EXPECT_LT(written - without_logo.swap_size(),
              static_cast<std::uint64_t>(kPages) * 40 * 12 * 3 / 10);

    const std::uint64_t read_before = storage.swap_read();
    for (int n = 0; n < kPages; ++n) {
        const GraphicSurface* page = storage.page(n);
        ASSERT_NE(page, nullptr);
        const Drawn back = drawn_of(*page);
        ASSERT_EQ(back.dump, drawn[static_cast<std::size_t>(n)].dump) << "page " << n;
        ASSERT_EQ(back.pixels, drawn[static_cast<std::size_t>(n)].pixels) << "page " << n;
    }
    EXPECT_EQ(storage.swap_size(), written);  // nothing written again
    EXPECT_LE(storage.swap_read() - read_before, written);
}

TEST(PageStorage, ChangedPageIsWrittenBackBeforeItLeavesMemory) {
    GraphicStorage storage;
    for (int i = 0; i < 7; ++i) storage.add(numbered_page(i));
    const std::string original = dump_surface(*storage.page(0));  // pages 0, 3-6 in memory now

    // Reading pages without changing them adds nothing to the swap file.
    const std::uint64_t size = storage.swap_size();
    for (int i = 0; i < 7; ++i) storage.page(i);
    EXPECT_EQ(storage.swap_size(), size);

    storage.page_for_change(0)->fill_rect({1, 2, 3, 4});
    const std::string changed = dump_surface(*storage.page(0));
    ASSERT_NE(changed, original);
    for (int i = 1; i < 7; ++i) storage.page(i);  // page 0 leaves memory
    EXPECT_EQ(dump_surface(*storage.page(0)), changed);
}

// The open files of this process that lie in `folder` (a file without a
// name shows its folder and "(deleted)" or a "#" name).
std::vector<std::string> open_files_in(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error && target.string().rfind(folder.string() + "/", 0) == 0) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

TEST(PageStorage, SwapFileIsPrivateAndHasNoName) {
    ScratchDir dir;
    TmpdirOverride tmpdir(dir.path());
    {
        GraphicStorage storage;
        EXPECT_EQ(storage.swap_size(), 0u);
        EXPECT_TRUE(open_files_in(dir.path()).empty());
        for (int i = 0; i < 8; ++i) storage.add(numbered_page(i));
        EXPECT_GT(storage.swap_size(), 0u);
        // Nothing to see in the folder, however the process would end now.
        EXPECT_TRUE(fs::is_empty(dir.path()));
        const auto open = open_files_in(dir.path());
        ASSERT_EQ(open.size(), 1u);
        struct stat info {};
        ASSERT_EQ(stat(open[0].c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_EQ(dump_surface(*storage.page(0)), dump_surface(*numbered_page(0)));

        storage.macros = {{"Title", "x"}};
        storage.clear();
        EXPECT_TRUE(open_files_in(dir.path()).empty());
        EXPECT_EQ(storage.swap_size(), 0u);
        EXPECT_EQ(storage.page_count(), 0);
        EXPECT_TRUE(storage.macros.empty());
        storage.add(numbered_page(0));
        EXPECT_EQ(open_files_in(dir.path()).size(), 1u);
    }
    EXPECT_TRUE(open_files_in(dir.path()).empty());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(PageStorage, SwapFileGoesWhenAnErrorUnwindsTheCollection) {
    ScratchDir dir;
    TmpdirOverride tmpdir(dir.path());
    EXPECT_THROW(
        {
            GraphicStorage storage;
            storage.add(numbered_page(0));
            ASSERT_EQ(open_files_in(dir.path()).size(), 1u);
            storage.add(nullptr);
        },
        Error);
    EXPECT_TRUE(open_files_in(dir.path()).empty());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(PageStorage, PageSizeFollowsPaperMacros) {
    struct Case {
        const char* orientation;  // nullptr: no such macro
        const char* width;
        const char* height;
        int expected_width, expected_height;
    };
    const Case cases[] = {
        {"1", "210.0000", "297.0000", 794, 1123},     {"2", "210.0000", "297.0000", 1123, 794},
        {nullptr, "210.0000", "297.0000", 794, 1123}, {"1", "148,0000", "210.0000", 559, 794},
        {"1", nullptr, "297.0000", 0, 1123},
    };
    for (const Case& c : cases) {
        GraphicStorage storage;
        if (c.orientation) set_macro(storage.macros, "Orientation", c.orientation);
        if (c.width) set_macro(storage.macros, "PaperWidth", c.width);
        set_macro(storage.macros, "PaperHeight", c.height);
        EXPECT_EQ(storage.page_width(), c.expected_width) << c.width;
        EXPECT_EQ(storage.page_height(), c.expected_height) << c.height;
    }
    GraphicStorage broken;
    set_macro(broken.macros, "PaperWidth", "wide");
    try {
        broken.page_width();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("PaperWidth"), std::string::npos) << e.what();
    }
}

TEST(PageStorage, DumpListsMacrosPagesAndObjects) {
    GraphicStorage storage;
    storage.macros = {{"Title", "Boleto"}};
    auto page = std::make_unique<GraphicSurface>();
    page->width = 794;
    page->height = 1123;
    page->macros = {{"PageNo", "1"}};
    page->fill_rect({0, 0, 1, 1});
    storage.add(std::move(page));
    EXPECT_EQ(dump_storage(storage),
              "collection macros Title=\"Boleto\"\n"
              "page 0 794x1123 macros PageNo=\"1\"\n"
              "  TRLFillRectObject (0,0)-(1,1) brush solid #FFFFFF\n");
}

}  // namespace
}  // namespace tarvek::report
