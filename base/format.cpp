#include "base/format.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <optional>
#include <vector>

#include "base/errors.h"

namespace tarvek {

namespace {

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string locale_for(const char* category) {
    std::string name = env_or_empty("LC_ALL");
    if (name.empty()) name = env_or_empty(category);
    if (name.empty()) name = env_or_empty("LANG");
    return name;
}

bool is_portuguese(std::string_view locale) {
    return locale.substr(0, 2) == "pt";
}

// Every document here is Brazilian: a locale without regional settings (none,
// C or POSIX, the default of many servers and containers) means Brazilian
// Portuguese; a named locale is taken as it stands.
std::string_view with_regional_settings(std::string_view locale) {
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    if (base.empty() || base == "C" || base == "POSIX") return "pt_BR.UTF-8";
    return locale;
}

// A separator as one Windows-1252 byte; no-break spaces of any width become
// the Windows-1252 no-break space.
std::optional<char> single_byte_separator(std::string_view utf8) {
    if (utf8.size() == 1) return utf8[0];
    if (utf8 == "\xC2\xA0" || utf8 == "\xE2\x80\xAF") return '\xA0';
    return std::nullopt;
}

// strftime date pattern to the d/m/y token form.
std::string date_pattern_from_strftime(std::string_view fmt) {
    std::string out;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%' || i + 1 == fmt.size()) {
            out += fmt[i];
            continue;
        }
        switch (fmt[++i]) {
            case 'd':
                out += "dd";
                break;
            case 'e':
                out += "d";
                break;
            case 'm':
                out += "mm";
                break;
            case 'Y':
                out += "yyyy";
                break;
            case 'y':
                out += "yy";
                break;
            case 'D':
                out += "mm/dd/yy";
                break;
            case 'F':
                out += "yyyy-mm-dd";
                break;
            default:
                break;  // names of days and months have no place here
        }
    }
    return out;
}

struct DigitString {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exponent = 0;    // value = digits × 10^exponent
};

DigitString digits_of(const Decimal& value) {
    DigitString d;
    d.negative = value.units < 0;
    const std::uint64_t magnitude = d.negative ? static_cast<std::uint64_t>(-(value.units + 1)) + 1u
                                               : static_cast<std::uint64_t>(value.units);
    if (magnitude != 0) d.digits = std::to_string(magnitude);
    d.exponent = -value.scale;
    return d;
}

// Fifteen significant digits, as much as a double carries reliably; this keeps
// 0.1 + 0.2 printing as 0.3.
DigitString digits_of(double value) {
    DigitString d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    *end = '\0';
    // buffer: D.DDDDDDDDDDDDDDe[+-]XX
    std::string mantissa;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.') mantissa += *p;
    }
    const int exp10 = std::atoi(p + 1);
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    d.digits = mantissa;
    d.exponent = exp10 - static_cast<int>(mantissa.size()) + 1;
    return d;
}

// Splits |value| into integer digits and `decimals` fraction digits, rounding
// half away from zero.
void split_rounded(const DigitString& d, int decimals, std::string& int_part,
                   std::string& frac_part) {
    std::string digits = d.digits;
    int exponent = d.exponent;
    if (digits.empty()) {
        int_part.clear();
        frac_part.assign(static_cast<std::size_t>(decimals), '0');
        return;
    }
    // Align so that the last digit has weight 10^-decimals.
    if (-exponent < decimals) {
        digits.append(static_cast<std::size_t>(decimals) + static_cast<std::size_t>(exponent), '0');
        exponent = -decimals;
    } else if (-exponent > decimals) {
        const int drop = -exponent - decimals;
        if (drop > static_cast<int>(digits.size())) {
            digits.clear();
        } else {
            const bool round_up = digits[digits.size() - static_cast<std::size_t>(drop)] >= '5';
            digits.resize(digits.size() - static_cast<std::size_t>(drop));
            if (round_up) {
                int i = static_cast<int>(digits.size()) - 1;
                for (; i >= 0; --i) {
                    if (digits[static_cast<std::size_t>(i)] == '9') {
                        digits[static_cast<std::size_t>(i)] = '0';
                    } else {
                        ++digits[static_cast<std::size_t>(i)];
                        break;
                    }
                }
                if (i < 0) digits.insert(digits.begin(), '1');
            }
        }
        exponent = -decimals;
    }
    if (static_cast<int>(digits.size()) < decimals) {
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
    }
    frac_part = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    int_part = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    const auto first = int_part.find_first_not_of('0');
    int_part = first == std::string::npos ? std::string() : int_part.substr(first);
}

std::vector<std::string> split_sections(std::string_view pattern) {
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char c : pattern) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

struct SectionShape {
    int int_placeholders = 0;
    int min_int_digits = 0;
    int max_decimals = 0;
    int min_decimals = 0;
    bool thousands = false;
};

SectionShape shape_of(std::string_view section) {
    SectionShape shape;
    bool after_point = false;
    bool seen_zero = false;
    char quote = 0;
    for (char c : section) {
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        switch (c) {
            case '"':
            case '\'':
                quote = c;
                break;
            case '.':
                after_point = true;
                break;
            case ',':
                if (!after_point) shape.thousands = true;
                break;
            case '0':
            case '#':
                if (after_point) {
                    ++shape.max_decimals;
                    if (c == '0') shape.min_decimals = shape.max_decimals;
                } else {
                    ++shape.int_placeholders;
                    if (c == '0') seen_zero = true;
                    if (seen_zero) ++shape.min_int_digits;
                }
                break;
            default:
                break;
        }
    }
    return shape;
}

std::string render_section(std::string_view section, const SectionShape& shape,
                           const std::string& int_digits_in, std::string frac_digits,
                           const FormatSettings& fs) {
    std::string int_digits = int_digits_in;
    if (static_cast<int>(int_digits.size()) < shape.min_int_digits) {
        int_digits.insert(0, static_cast<std::size_t>(shape.min_int_digits) - int_digits.size(),
                          '0');
    }
    while (static_cast<int>(frac_digits.size()) > shape.min_decimals && !frac_digits.empty() &&
           frac_digits.back() == '0') {
        frac_digits.pop_back();
    }

    const int len = static_cast<int>(int_digits.size());
    std::string out;
    auto emit_int_digit = [&](int index) {
        out += int_digits[static_cast<std::size_t>(index)];
        const int weight = len - 1 - index;
        if (shape.thousands && weight > 0 && weight % 3 == 0) out += fs.thousand_separator;
    };

    int placeholder = 0;
    std::size_t frac_index = 0;
    bool after_point = false;
    char quote = 0;
    for (char c : section) {
        if (quote) {
            if (c == quote) {
                quote = 0;
            } else {
                out += c;
            }
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '.') {
            if (!after_point && !frac_digits.empty()) out += fs.decimal_separator;
            after_point = true;
        } else if (c == ',') {
            // grouping is a property of the whole section, handled per digit
        } else if (c == '0' || c == '#') {
            if (after_point) {
                if (frac_index < frac_digits.size()) out += frac_digits[frac_index++];
            } else {
                const int first_index = len - shape.int_placeholders + placeholder;
                if (placeholder == 0) {
                    for (int i = 0; i < first_index; ++i) emit_int_digit(i);
                }
                if (first_index >= 0) emit_int_digit(first_index);
                ++placeholder;
            }
        } else {
            out += c;
        }
    }
    // A pattern without integer placeholders still shows the integer digits.
    if (shape.int_placeholders == 0 && !int_digits.empty() && int_digits != "0") {
        std::string prefix;
        for (int i = 0; i < len; ++i) prefix += int_digits[static_cast<std::size_t>(i)];
        out.insert(0, prefix);
    }
    return out;
}

std::string format_digits(std::string_view pattern, const DigitString& value,
                          const FormatSettings& fs, const std::string& plain) {
    if (pattern.empty()) return plain;
    const std::vector<std::string> sections = split_sections(pattern);
    std::size_t chosen = 0;
    bool sign_in_section = false;
    if (value.negative && sections.size() > 1 && !sections[1].empty()) {
        chosen = 1;
        sign_in_section = true;
    }
    SectionShape shape = shape_of(sections[chosen]);
    std::string int_digits, frac_digits;
    split_rounded(value, shape.max_decimals, int_digits, frac_digits);
    const bool rounds_to_zero =
        int_digits.empty() && frac_digits.find_first_not_of('0') == std::string::npos;
    if (rounds_to_zero && sections.size() > 2 && !sections[2].empty()) {
        shape = shape_of(sections[2]);
        split_rounded(value, shape.max_decimals, int_digits, frac_digits);
        return render_section(sections[2], shape, int_digits, frac_digits, fs);
    }
    std::string text = render_section(sections[chosen], shape, int_digits, frac_digits, fs);
    if (value.negative && !sign_in_section && !rounds_to_zero) text.insert(0, "-");
    return text;
}

void append_number(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

std::mutex settings_mutex;
std::optional<FormatSettings> current_settings;

}  // namespace

double Decimal::to_double() const {
    return static_cast<double>(units) / std::pow(10.0, scale);
}

FormatSettings FormatSettings::for_locale(std::string_view numeric_locale,
                                          std::string_view time_locale,
                                          std::string_view messages_locale) {
    numeric_locale = with_regional_settings(numeric_locale);
    time_locale = with_regional_settings(time_locale);
    messages_locale = with_regional_settings(messages_locale);
    FormatSettings fs;
    fs.portuguese = is_portuguese(messages_locale);

    auto apply_portuguese_numbers = [&] {
        fs.thousand_separator = '.';
        fs.decimal_separator = ',';
    };
    const std::string numeric(numeric_locale);
    if (locale_t loc =
            numeric.empty() ? nullptr : newlocale(LC_NUMERIC_MASK, numeric.c_str(), nullptr)) {
        const auto thousands = single_byte_separator(nl_langinfo_l(THOUSEP, loc));
        const auto decimal = single_byte_separator(nl_langinfo_l(RADIXCHAR, loc));
        if (decimal) fs.decimal_separator = *decimal;
        if (thousands && *thousands != fs.decimal_separator) fs.thousand_separator = *thousands;
        freelocale(loc);
    } else if (is_portuguese(numeric_locale)) {
        apply_portuguese_numbers();
    }

    const std::string time(time_locale);
    if (locale_t loc = time.empty() ? nullptr : newlocale(LC_TIME_MASK, time.c_str(), nullptr)) {
        const std::string pattern = date_pattern_from_strftime(nl_langinfo_l(D_FMT, loc));
        // The POSIX locale's two-digit year is no format for documents.
        if (!pattern.empty() && pattern.find("yyyy") != std::string::npos)
            fs.short_date_format = pattern;
        freelocale(loc);
    } else if (is_portuguese(time_locale)) {
        fs.short_date_format = "dd/mm/yyyy";
    }
    return fs;
}

FormatSettings FormatSettings::from_environment() {
    return for_locale(locale_for("LC_NUMERIC"), locale_for("LC_TIME"), locale_for("LC_MESSAGES"));
}

const FormatSettings& FormatSettings::current() {
    std::lock_guard lock(settings_mutex);
    if (!current_settings) current_settings = from_environment();
    return *current_settings;
}

void FormatSettings::set_current(const FormatSettings& settings) {
    std::lock_guard lock(settings_mutex);
    current_settings = settings;
}

std::string float_to_str(double value, const FormatSettings& fs) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text(buffer, end);
    const auto e = text.find('e');
    std::string exponent;
    if (e != std::string::npos) {
        // 1e+20 prints as 1E20, 1e-07 as 1E-7
        const int exp10 = std::atoi(text.c_str() + e + 1);
        exponent = "E" + std::to_string(exp10);
        text.resize(e);
    }
    for (char& c : text) {
        if (c == '.') c = fs.decimal_separator;
    }
    return text + exponent;
}

std::string decimal_to_str(const Decimal& value, const FormatSettings& fs) {
    const DigitString d = digits_of(value);
    std::string int_part, frac_part;
    split_rounded(d, value.scale > 0 ? value.scale : 0, int_part, frac_part);
    while (!frac_part.empty() && frac_part.back() == '0') frac_part.pop_back();
    std::string text = d.negative && !(int_part.empty() && frac_part.empty()) ? "-" : "";
    text += int_part.empty() ? "0" : int_part;
    if (!frac_part.empty()) text += fs.decimal_separator + frac_part;
    return text;
}

std::string format_float(std::string_view pattern, double value, const FormatSettings& fs) {
    return format_digits(pattern, digits_of(value), fs, float_to_str(value, fs));
}

std::string format_float(std::string_view pattern, const Decimal& value, const FormatSettings& fs) {
    return format_digits(pattern, digits_of(value), fs, decimal_to_str(value, fs));
}

std::string format_date(std::string_view pattern, const Date& date) {
    std::string out;
    std::size_t i = 0;
    auto run_of = [&](char c) {
        std::size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
        return n;
    };
    while (i < pattern.size()) {
        const char c = static_cast<char>(pattern[i] | 0x20);
        if (c == 'd' || c == 'm' || c == 'y') {
            const std::size_t n = run_of(c);
            if (c == 'd') append_number(out, date.day, n >= 2 ? 2 : 1);
            if (c == 'm') append_number(out, date.month, n >= 2 ? 2 : 1);
            if (c == 'y') {
                if (n <= 2) {
                    append_number(out, date.year % 100, 2);
                } else {
                    append_number(out, date.year, 4);
                }
            }
            i += n;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

std::string format_time(std::string_view pattern, const TimeOfDay& time) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = static_cast<char>(pattern[i] | 0x20);
        if (c == 'h' || c == 'n' || c == 's') {
            std::size_t n = 0;
            while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
            const int value = c == 'h' ? time.hour : c == 'n' ? time.minute : time.second;
            append_number(out, value, n >= 2 ? 2 : 1);
            i += n;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

std::string date_to_str(const Date& date, const FormatSettings& fs) {
    return format_date(fs.short_date_format, date);
}

std::string time_to_str(const TimeOfDay& time, const FormatSettings& fs) {
    return format_time(fs.long_time_format, time);
}

std::string datetime_to_str(const DateTime& value, const FormatSettings& fs) {
    std::string text = date_to_str(value.date, fs);
    if (value.time != TimeOfDay{}) text += " " + time_to_str(value.time, fs);
    return text;
}

int str_to_int(std::string_view text) {
    auto fail = [&]() -> int {
        throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
    };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return fail();
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
            digit = (c | 0x20) - 'a' + 10;
        } else {
            return fail();
        }
        value = value * base + digit;
        if (value > static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1) return fail();
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return fail();
    return static_cast<int>(value);
}

}  // namespace tarvek
