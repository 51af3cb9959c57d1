#include "tests/fuzz/fuzz_targets.h"

#include <cmath>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "report/pdf_filter.h"
#include "report/picture.h"

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

}  // namespace

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

Target target_named(std::string_view name) {
    if (name == "instruction") return instruction;
    if (name == "parameter_string") return parameter_string;
    if (name == "display_format") return display_format;
    if (name == "picture") return picture;
    if (name == "pdf_text") return pdf_text;
    return nullptr;
}

}  // namespace tarvek::fuzz
