#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/format.h"

namespace tarvek {
namespace {

FormatSettings brazil() {
    return FormatSettings::for_locale("pt_BR.UTF-8", "pt_BR.UTF-8", "pt_BR.UTF-8");
}
FormatSettings usa() {
    return FormatSettings::for_locale("en_US.UTF-8", "en_US.UTF-8", "en_US.UTF-8");
}

TEST(FormatSettings, FollowTheLocale) {
    const FormatSettings pt = brazil();
    EXPECT_EQ(pt.decimal_separator, ',');
    EXPECT_EQ(pt.thousand_separator, '.');
    EXPECT_EQ(pt.short_date_format, "dd/mm/yyyy");
    EXPECT_TRUE(pt.portuguese);

    const FormatSettings en = usa();
    EXPECT_EQ(en.decimal_separator, '.');
    EXPECT_EQ(en.thousand_separator, ',');
    EXPECT_EQ(en.short_date_format, "mm/dd/yyyy");
    EXPECT_FALSE(en.portuguese);

    // Without regional settings the documents' own Brazilian settings hold;
    // an explicit locale wins.
    for (const char* name : {"", "C", "C.UTF-8", "C.utf8", "POSIX"}) {
        const FormatSettings none = FormatSettings::for_locale(name, name, name);
        EXPECT_EQ(none.decimal_separator, ',') << "'" << name << "'";
        EXPECT_EQ(none.thousand_separator, '.') << "'" << name << "'";
        EXPECT_EQ(none.short_date_format, "dd/mm/yyyy") << "'" << name << "'";
        EXPECT_TRUE(none.portuguese) << "'" << name << "'";
    }
    const FormatSettings mixed = FormatSettings::for_locale("C", "en_US.UTF-8", "C");
    EXPECT_EQ(mixed.decimal_separator, ',');
    EXPECT_EQ(mixed.short_date_format, "mm/dd/yyyy");

    // A Portuguese locale the system never generated still formats the Brazilian way.
    const FormatSettings missing =
        FormatSettings::for_locale("pt_XX.nonexistent", "pt_XX.nonexistent", "pt");
    EXPECT_EQ(missing.decimal_separator, ',');
    EXPECT_EQ(missing.short_date_format, "dd/mm/yyyy");
    EXPECT_TRUE(missing.portuguese);
}

struct PatternCase {
    const char* pattern;
    Decimal value;
    const char* brazil;
    const char* usa;
};

TEST(FormatFloat, PatternsOfTheLayouts) {
    const PatternCase cases[] = {
        {"#0.00", {150000, 2}, "1500,00", "1500.00"},
        {"#0.00", {5, 1}, "0,50", "0.50"},
        {"#0.00", {0, 2}, "0,00", "0.00"},
        {"#,##0.00", {123450, 2}, "1.234,50", "1,234.50"},
        {"#,##0.00", {123456789012, 2}, "1.234.567.890,12", "1,234,567,890.12"},
        {"#,##0.00", {-2550, 2}, "-25,50", "-25.50"},
        {"#,##0.00", {99, 2}, "0,99", "0.99"},
        {"#0.000", {12345, 3}, "12,345", "12.345"},
        {"#0.00", {12345, 3}, "12,35", "12.35"},  // half away from zero
        {"#0.00", {-12345, 3}, "-12,35", "-12.35"},
        {"#0.00", {-1, 3}, "0,00", "0.00"},  // no sign for a value that rounds to zero
        {"0000", {42, 0}, "0042", "0042"},
        {"#.##", {50, 2}, ",5", ".5"},
        {"#0.00;(#0.00)", {-150, 2}, "(1,50)", "(1.50)"},
        {"#0.00;(#0.00);zero", {0, 2}, "zero", "zero"},
        {"R$ #,##0.00", {100000, 2}, "R$ 1.000,00", "R$ 1,000.00"},
        {"", {150000, 2}, "1500", "1500"},  // no pattern: the plain form
        {"", {1250, 2}, "12,5", "12.5"},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(format_float(c.pattern, c.value, brazil()), c.brazil)
            << c.pattern << " " << c.value.units;
        EXPECT_EQ(format_float(c.pattern, c.value, usa()), c.usa)
            << c.pattern << " " << c.value.units;
    }
}

TEST(FormatFloat, DoublesUseFifteenSignificantDigits) {
    EXPECT_EQ(format_float("#0.00", 0.1 + 0.2, brazil()), "0,30");
    EXPECT_EQ(format_float("#0.00", 2.675, brazil()), "2,68");  // 2.67499999... in binary
    EXPECT_EQ(float_to_str(0.1 + 0.2, brazil()), "0,3");
    EXPECT_EQ(float_to_str(1500.0, brazil()), "1500");
    EXPECT_EQ(float_to_str(-12.5, usa()), "-12.5");
}

TEST(FormatDate, ShortDateOfTheLocale) {
    const Date d{2024, 3, 7};
    EXPECT_EQ(date_to_str(d, brazil()), "07/03/2024");
    EXPECT_EQ(date_to_str(d, usa()), "03/07/2024");
    EXPECT_EQ(format_date("d/m/yy", d), "7/3/24");
    EXPECT_EQ(datetime_to_str({d, {0, 0, 0, 0}}, brazil()), "07/03/2024");
    EXPECT_EQ(datetime_to_str({d, {14, 5, 9, 0}}, brazil()), "07/03/2024 14:05:09");
}

TEST(StrToInt, AcceptsWholeNumbersOnly) {
    EXPECT_EQ(str_to_int("0"), 0);
    EXPECT_EQ(str_to_int("01"), 1);
    EXPECT_EQ(str_to_int("000"), 0);
    EXPECT_EQ(str_to_int("-12"), -12);
    EXPECT_EQ(str_to_int("$1F"), 31);
    EXPECT_EQ(str_to_int("2147483647"), 2147483647);
    EXPECT_EQ(str_to_int("-2147483648"), -2147483647 - 1);
    for (const char* bad :
         {"", "0x", "0a", "01 ", "0 1", "1.5", "2147483648", "99999999999999999999"}) {
        try {
            str_to_int(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace tarvek
