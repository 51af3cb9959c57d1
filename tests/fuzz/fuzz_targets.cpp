#include "tests/fuzz/fuzz_targets.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "base/errors.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "documents/boleto/boleto_codes.h"
#include "report/controls.h"
#include "report/metafile.h"
#include "report/pdf_filter.h"
#include "report/picture.h"
#include "tests/sample_pages.h"

namespace tarvek::fuzz {

namespace {

void check(bool holds, const std::string& what) {
    if (!holds) throw FuzzFailure(what);
}

bool is_pdf_number(const std::string& text) {
    if (text.empty() || text.size() > 12) return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    bool digits = false, dot = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !dot) {
            dot = true;
        } else {
            return false;
        }
    }
    return digits && text.back() != '.';
}

// A picture whose rows are one colour, runs of colours, a copy of the row
// above and pixels that do not repeat: every way a row is stored.
report::Picture rows_of_every_kind() {
    std::vector<std::uint8_t> rgb;
    const auto pixel = [&](int r, int g, int b) {
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                               static_cast<std::uint8_t>(b)});
    };
    for (int x = 0; x < 6; ++x) pixel(255, 255, 255);
    for (int x = 0; x < 6; ++x) x < 3 ? pixel(0, 0, 0) : pixel(200, 30, 30);
    for (int x = 0; x < 6; ++x) x < 3 ? pixel(0, 0, 0) : pixel(200, 30, 30);
    for (int x = 0; x < 6; ++x) pixel(40 * x, 255 - 40 * x, 7 * x);
    return report::Picture::from_rgb(6, 4, std::move(rgb));
}

// The store of the page target: a logo and a stamp, numbered 0 and 1, and
// nothing else.
class TwoPictures : public report::GraphicSurface::PictureStore {
  public:
    TwoPictures()
        : pictures_{rows_of_every_kind(),
                    report::Picture::from_rgb(2, 1, {10, 20, 30, 40, 50, 60})} {}

    std::uint32_t number_of(const report::Picture& picture) override {
        for (std::uint32_t i = 0; i < pictures_.size(); ++i) {
            if (pictures_[i].id() == picture.id()) return i;
        }
        throw FuzzFailure("a picture the store never gave");
    }
    report::Picture picture(std::uint32_t number) override {
        if (number >= pictures_.size()) {
            throw Error("no picture " + std::to_string(number) + " in the store");
        }
        return pictures_[number];
    }

  private:
    std::array<report::Picture, 2> pictures_;
};

void check_page(std::string_view input, report::GraphicSurface::PictureStore* pictures) {
    using report::GraphicSurface;
    std::unique_ptr<GraphicSurface> page;
    try {
        page = GraphicSurface::deserialize(input, pictures);
    } catch (const Error&) {
        return;  // refused with a message: what bad bytes must give
    }
    const std::string bytes = page->serialize(pictures);
    std::unique_ptr<GraphicSurface> again;
    try {
        again = GraphicSurface::deserialize(bytes, pictures);
    } catch (const Error& e) {
        throw FuzzFailure(std::string("a page that does not read back: ") + e.what());
    }
    check(again->serialize(pictures) == bytes, "a page that writes other bytes once read back");
    check(report::dump_surface(*again) == report::dump_surface(*page),
          "a page that reads back as another");
    check(page->clone()->serialize(pictures) == bytes, "a copy that writes other bytes");
}

// The page of every kind, with group ids set rather than drawn: those count
// every drawing of the process.
std::unique_ptr<report::GraphicSurface> every_kind(const report::Picture& logo,
                                                   const report::Picture& stamp) {
    auto page = test::page_of_every_kind(logo, stamp);
    int group = 40;
    for (report::GraphicObject& object : page->objects()) object.group_id = group++;
    return page;
}

// A page of a document as most are: rules and many texts in two fonts.
std::unique_ptr<report::GraphicSurface> texts_and_rules() {
    using namespace report;
    auto page = std::make_unique<GraphicSurface>();
    page->width = 794;
    page->height = 1123;
    page->macros = {{"PageNo", "1"}};
    page->pen.width = 1;
    for (int row = 0; row < 12; ++row) {
        const int top = 100 + 20 * row;
        page->font.name = row % 3 == 0 ? "Arial" : "Times New Roman";
        page->font.height = row % 3 == 0 ? -11 : -13;
        page->brush.style = 2;
        page->text_out({38, top, 400, top + 18}, 40, top, "Linha " + std::to_string(row),
                       TextAlignment::Left, TextLayout::Top, tfNoClip | tfNeverBreak);
        page->text_out({400, top, 756, top + 18}, 700, top, "1.234,5" + std::to_string(row),
                       TextAlignment::Right, TextLayout::Bottom, tfNeverBreak);
        page->brush = {{0, 0, 0}, 1};
        page->fill_rect({38, top + 18, 756, top + 19});
    }
    for (GraphicObject& object : page->objects()) object.group_id = 7;
    return page;
}

}  // namespace

void page(std::string_view input) {
    check_page(input, nullptr);
    TwoPictures pictures;
    check_page(input, &pictures);
}

std::vector<std::pair<std::string, std::string>> page_seeds() {
    TwoPictures pictures;
    const report::Picture logo = pictures.picture(0);
    const report::Picture stamp = pictures.picture(1);
    return {
        {"seed-empty", report::GraphicSurface().serialize()},
        {"seed-every-kind", every_kind(logo, stamp)->serialize()},
        {"seed-every-kind-stored-pictures", every_kind(logo, stamp)->serialize(&pictures)},
        {"seed-texts-and-rules", texts_and_rules()->serialize()},
    };
}

void instruction(std::string_view input) {
    for (const char* key : {"Tarvek=", "Receber=", "idInstrucao=", "operacao="}) {
        const std::string value = instruction_value(input, key);
        // A value lies inside one segment, after an "=".
        check(value.find(';') == std::string::npos, "a value spans segments");
        check(value.empty() || input.find("=" + value) != std::string_view::npos,
              "a value that is not in the text");
    }
    check(Troca_Texto(input, "operacao=", "").size() <= input.size(),
          "removing a key lengthened the text");
}

void parameter_string(std::string_view input) {
    const std::vector<std::string> values = parameter_values(input, 3);
    check(values.size() == 3, "not the values asked for");
    for (const std::string& value : values) {
        check(value.find('^') == std::string::npos, "a value spans segments");
        check(value.empty() || input.find("=" + value) != std::string_view::npos,
              "a value that is not in the text");
    }
}

void display_format(std::string_view input) {
    const FormatSettings pt =
        FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8");
    for (const Decimal value :
         {Decimal{0, 2}, Decimal{-150075, 2}, Decimal{123456789012345678, 2}}) {
        const std::string text = format_float(input, value, pt);
        // Every pattern character gives at most a digit and a group
        // separator; the value may add its own digits.
        check(text.size() <= 2 * input.size() + 64, "a format that grows without bound");
    }
    for (const double value : {-0.005, 1e300, -1e-300}) format_float(input, value, pt);
}

void picture(std::string_view input) {
    try {
        const report::Picture p = report::Picture::from_file_data(std::string(input), "fuzz");
        if (p.empty()) return;
        check(p.width() > 0 && p.height() > 0, "a picture without size");
        check(static_cast<std::uint64_t>(p.width()) * p.height() <= report::Picture::kMaxPixels,
              "a picture beyond the pixel budget");
        check(p.rgb().size() == static_cast<std::size_t>(p.width()) * p.height() * 3,
              "pixels that do not fill the picture");
        // What an image object stores reads back as the same picture.
        const report::Picture again = report::Picture::from_tagged_data(p.tagged_data());
        check(again.width() == p.width() && again.height() == p.height(),
              "a picture that does not survive its own image data");
    } catch (const Error&) {
        // Refused with a message: what bad bytes must give.
    }
}

void pdf_text(std::string_view input) {
    const std::string escaped = report::pdf_escape(input);
    // Inside a literal string only escaped parentheses and backslashes, and
    // no control bytes, may appear.
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const auto byte = static_cast<unsigned char>(escaped[i]);
        check(byte >= 32 && byte != 127, "a control byte in an escaped string");
        if (escaped[i] == '\\') {
            check(i + 1 < escaped.size(), "an escape at the end");
            ++i;
        } else {
            check(escaped[i] != '(' && escaped[i] != ')', "an unescaped parenthesis");
        }
    }
    // Every 8 bytes spell a double, printed as a PDF number.
    for (std::size_t at = 0; at + sizeof(double) <= input.size(); at += sizeof(double)) {
        double value = 0;
        std::memcpy(&value, input.data() + at, sizeof value);
        const std::string text = report::pdf_number(value);
        check(is_pdf_number(text), "not a PDF number: \"" + text + "\"");
    }
}

void pix_payload(std::string_view input) {
    for (const std::optional<std::int64_t> amount :
         {std::optional<std::int64_t>(), std::optional<std::int64_t>(35000)}) {
        if (!pix_payload_faults(input, amount).empty()) continue;
        // An accepted payload ends with the CRC of all before it.
        check(input.size() >= 8 && input.substr(input.size() - 8, 4) == "6304",
              "accepted without the CRC field last");
        char crc[5];
        std::snprintf(crc, sizeof crc, "%04X", pix_crc16(input.substr(0, input.size() - 4)));
        check(input.substr(input.size() - 4) == crc, "accepted with a wrong CRC");
    }
    // Lines broken at any character give the text back, whatever the width.
    std::string text(input.substr(0, 600));
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    report::Font font;
    font.name = "Arial";
    font.height = -7;
    for (const int width : {1, 30, 155}) {
        std::string joined;
        for (const std::string& line :
             report::WrapText(text, width, font, report::TextAlignment::Left, nullptr,
                              report::WrapAt::AnyCharacter)) {
            check(!line.empty(), "an empty line");
            joined += line;
        }
        check(joined == text, "lines that do not join back into the text");
    }
}

Target target_named(std::string_view name) {
    if (name == "instruction") return instruction;
    if (name == "parameter_string") return parameter_string;
    if (name == "display_format") return display_format;
    if (name == "picture") return picture;
    if (name == "pdf_text") return pdf_text;
    if (name == "page") return page;
    if (name == "pix_payload") return pix_payload;
    return nullptr;
}

}  // namespace tarvek::fuzz
