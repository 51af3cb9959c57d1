// Number and date formatting in the user's locale.
//
// Display formats use the pattern language of the ERP's reports: "0" a digit
// that always prints, "#" a digit that prints when significant, "." the
// decimal separator, "," thousands grouping, ";" separating the positive,
// negative and zero sections, quoted text printed as it stands. Separators and
// the short date format come from the user's locale (LC_ALL, LC_NUMERIC /
// LC_TIME, LANG), with Brazilian values for Portuguese even where the system
// has not generated that locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

struct FormatSettings {
    char thousand_separator = ',';
    char decimal_separator = '.';
    std::string short_date_format = "mm/dd/yyyy";  // tokens d dd m mm yy yyyy
    std::string long_time_format = "hh:nn:ss";     // tokens h hh n nn s ss
    bool portuguese = false;                       // language of the engine texts

    // Settings of a locale name such as "pt_BR.UTF-8". A locale without
    // regional settings (empty, "C", "C.UTF-8", "POSIX") gives the Brazilian
    // ones, the language of every document here.
    static FormatSettings for_locale(std::string_view numeric_locale, std::string_view time_locale,
                                     std::string_view messages_locale);
    static FormatSettings from_environment();

    // The process-wide settings, read from the environment on first use.
    static const FormatSettings& current();
    // Replaces the process-wide settings (tests switch locales with it).
    static void set_current(const FormatSettings& settings);
};

// An exact decimal: units × 10^-scale (NUMERIC columns arrive like this).
struct Decimal {
    std::int64_t units = 0;
    int scale = 0;
    double to_double() const;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const Date&, const Date&) = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int fraction = 0;  // ten-thousandths of a second
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Formats with a display pattern; an empty pattern gives the plain form.
std::string format_float(std::string_view pattern, double value, const FormatSettings& fs);
std::string format_float(std::string_view pattern, const Decimal& value, const FormatSettings& fs);

// The plain (shortest) decimal form: 1500 for 1500.00, 12,5 for 12.50.
std::string float_to_str(double value, const FormatSettings& fs);
std::string decimal_to_str(const Decimal& value, const FormatSettings& fs);

std::string format_date(std::string_view pattern, const Date& date);
std::string format_time(std::string_view pattern, const TimeOfDay& time);
std::string date_to_str(const Date& date, const FormatSettings& fs);
std::string time_to_str(const TimeOfDay& time, const FormatSettings& fs);
// Date and time; the time is left out at midnight.
std::string datetime_to_str(const DateTime& value, const FormatSettings& fs);

// 32-bit whole number from text: leading blanks, an optional sign, decimal
// digits, or "$" and hex
// digits. Anything else, or a value out of range, raises ConvertError "'text' is not a valid
// integer value".
int str_to_int(std::string_view text);

}  // namespace tarvek
