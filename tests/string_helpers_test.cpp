#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/string_helpers.h"
#include "tests/test_tools.h"

namespace tarvek {
namespace {

// Windows-1252 text from a readable UTF-8 literal.
std::string w(const char* utf8) {
    return utf8_to_cp1252(utf8);
}

struct SplitCase {
    const char* text;
    const char* delimiter;
    const char* mode;
    const char* expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << "'" << c.text << "' at '" << c.delimiter << "' " << c.mode;
}

class SeparaTexto : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SeparaTexto, SplitsAtTheFirstDelimiter) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(Separa_Texto(c.text, c.delimiter, c.mode), c.expected)
        << "text '" << c.text << "' delimiter '" << c.delimiter << "' mode " << c.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeparaTexto,
    ::testing::Values(SplitCase{"a;b;c", ";", "resto", "b;c"},
                      SplitCase{"a;b;c", ";", "inicio", "a"}, SplitCase{"abc", ";", "resto", ""},
                      SplitCase{"abc", ";", "inicio", "abc"}, SplitCase{"abc;", ";", "resto", ""},
                      SplitCase{";abc", ";", "inicio", ""}, SplitCase{"a=b=c", "=", "resto", "b=c"},
                      // a delimiter of other than one character never matches
                      SplitCase{"a;;b", ";;", "resto", ""},
                      SplitCase{"a;;b", ";;", "inicio", "a;;b"}, SplitCase{"a;b", "", "resto", ""},
                      SplitCase{"a;b", "", "inicio", "a;b"},
                      // modes fold ASCII case; unknown modes give nothing
                      SplitCase{"a;b", ";", "INICIO", "a"}, SplitCase{"a;b", ";", "Resto", "b"},
                      SplitCase{"a;b", ";", "meio", ""}, SplitCase{"", ";", "inicio", ""}),
    [](const ::testing::TestParamInfo<SplitCase>& param_info) {
        // The text, the delimiter and the mode, with the case number: texts
        // that differ only in punctuation would otherwise share a name.
        return test::test_name(std::string(param_info.param.text) + "_at_" +
                               param_info.param.delimiter + "_" + param_info.param.mode) +
               "_" + std::to_string(param_info.index);
    });

TEST(TextoHelpers, DirectCallsMatchTheModes) {
    EXPECT_EQ(Texto_Depois("a;b;c", ";"), "b;c");
    EXPECT_EQ(Texto_Antes("a;b;c", ";"), "a");
}

struct ReplaceCase {
    std::string text, searched, replacement, expected;
};

TEST(TrocaTexto, ReplacesCaseInsensitivelyAndUpperCasesTheRest) {
    const ReplaceCase cases[] = {
        {"Select * from Boletos where x", "select * FROM boletos", "Q", "Q WHERE X"},
        {"aaa", "aa", "b", "bA"},      // matches do not overlap
        {"x a x", "X", "x", "x A x"},  // replacements keep their case and are not searched again
        {"select * from boletos where a=1 union select * from boletos", "Select * from Boletos",
         "S", "S WHERE A=1 UNION S"},
        {w("ação é"), "x", "y", w("AçãO é")},  // accented letters are not upper-cased
        {"abc", "", "z", "ABC"},               // an empty search matches nothing and ends
        {"", "a", "b", ""},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(Troca_Texto(c.text, c.searched, c.replacement), c.expected)
            << "text '" << c.text << "'";
    }
}

TEST(ContemTexto, FoldsAsciiOnly) {
    struct Case {
        std::string searched, text;
        bool expected;
    };
    const Case cases[] = {
        {"email", "OS_EMAIL", true},
        {"", "", false},  // an empty text contains nothing, not even the empty text
        {"", "x", true},
        {"x", "", false},
        {w("Pré-Visualização"), w("Pré-visualização"), true},
        {w("PRÉ"), w("pré"), false},
        {w("Pré-Visualização"), w("PRé-VISUALIZAÇÃO"), false},
        {"abc", "ab", false},  // a match cannot run past the end
        {"ab", "xxab", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Contem_Texto(c.searched, c.text), c.expected)
            << "'" << cp1252_to_utf8(c.searched) << "' in '" << cp1252_to_utf8(c.text) << "'";
    }
}

TEST(VerificaSim, OnlySimInAnyAsciiCase) {
    EXPECT_TRUE(Verifica_Sim("SIM"));
    EXPECT_TRUE(Verifica_Sim("sIm"));
    EXPECT_FALSE(Verifica_Sim("SIM "));
    EXPECT_FALSE(Verifica_Sim(" SIM"));
    EXPECT_FALSE(Verifica_Sim("S"));
    EXPECT_FALSE(Verifica_Sim(""));
    EXPECT_FALSE(Verifica_Sim("SIMS"));
}

TEST(SomenteDigitos, KeepsDigitsInOrder) {
    EXPECT_EQ(Somente_Digitos("4.5-6/a"), "456");
    EXPECT_EQ(Somente_Digitos(""), "");
    EXPECT_EQ(Somente_Digitos("abc"), "");
    EXPECT_EQ(Somente_Digitos(w("²3")), "3");  // superscripts are not digits
}

TEST(ReplicaTexto, RepeatsOrGivesEmpty) {
    EXPECT_EQ(Replica_Texto("_", 30), std::string(30, '_'));
    EXPECT_EQ(Replica_Texto("-", 0), "");
    EXPECT_EQ(Replica_Texto("-", -5), "");
    EXPECT_EQ(Replica_Texto("ab", 3), "ababab");
}

TEST(SqlQuoted, DoublesInnerQuotes) {
    EXPECT_EQ(sql_quoted("D'Avila"), "'D''Avila'");
    EXPECT_EQ(sql_quoted(""), "''");
    EXPECT_EQ(sql_quoted("''"), "''''''");
}

TEST(Cp1252, RoundTripsEveryAssignedByte) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(one)), one) << "byte " << b;
    }
    EXPECT_EQ(cp1252_to_utf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(utf8_to_cp1252("\xE4\xB8\xAD"), "?");     // not representable
}

}  // namespace
}  // namespace tarvek
