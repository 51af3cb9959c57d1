#include "report/barcode.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "report/engine_texts.h"
#include "report/report.h"
#include "report/text_metrics.h"

namespace tarvek::report {

namespace {

const TRLBarcodeTypeInfo kTypeInfo[] = {
    {"2OF5 Interleaved", true},
    {"2OF5 Industrial", true},
    {"2OF5 Matrix", true},
    {"Code 39", false},
    {"Code 39 Extended", false},
    {"Code 128A", false},
    {"Code 128B", false},
    {"Code 128C", true},
    {"Code 93", false},
    {"Code 93 Extended", false},
    {"MSI", true},
    {"PostNet", true},
    {"CodaBar", false},
    {"EAN8", true},
    {"EAN13", true},
    {"UPC A", true},
    {"UPC E0", true},
    {"UPC E1", true},
    {"UPC Supp2", true},
    {"UPC Supp5", true},
    {"EAN 128A", false},
    {"EAN 128B", false},
    {"EAN 128C", true},
};

// Wide elements of each digit in the two-of-five symbologies, 1 = wide.
const char* const kTwoOfFive[10] = {"00110", "10001", "01001", "11000", "00101",
                                    "10100", "01100", "00011", "10010", "01010"};

bool is_blank_or_control(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimmed(std::string_view text) {
    std::size_t from = 0, to = text.size();
    while (from < to && is_blank_or_control(text[from])) ++from;
    while (to > from && is_blank_or_control(text[to - 1])) --to;
    return std::string(text.substr(from, to - from));
}

int digit(char c) {
    return c - '0';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Weights 3 and 1 alternating from the rightmost digit, which weighs 3.
char modulo10_digit(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (!is_digit(*it)) continue;
        sum += digit(*it) * weight;
        weight = weight == 3 ? 1 : 3;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// A module count 1-4 as an element of the same kind.
char element_of_modules(int modules, bool bar) {
    return static_cast<char>((bar ? '5' : '0') + modules - 1);
}

// Widths in modules alternating bar, space, ... from a bar.
void append_module_widths(std::string& out, std::string_view widths) {
    bool bar = true;
    for (char w : widths) {
        out += element_of_modules(w - '0', bar);
        bar = !bar;
    }
}

// Module bits (1 dark, 0 light); each run becomes one element.
void append_module_bits(std::string& out, std::string_view bits) {
    std::size_t i = 0;
    while (i < bits.size()) {
        std::size_t j = i;
        while (j < bits.size() && bits[j] == bits[i]) ++j;
        out += element_of_modules(static_cast<int>(j - i), bits[i] == '1');
        i = j;
    }
}

// Narrow/wide letters alternating bar, space, ... from a bar.
void append_narrow_wide(std::string& out, std::string_view letters) {
    bool bar = true;
    for (char l : letters) {
        out += l == 'w' ? (bar ? '6' : '1') : (bar ? '5' : '0');
        bar = !bar;
    }
}

struct Encoded {
    std::string elements;
    bool invalid = false;
};

// --- two of five -----------------------------------------------------------

Encoded interleaved_2of5(const std::string& s) {
    Encoded e;
    e.elements = "5050";
    const std::size_t pairs = s.size() / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        const char* bars = kTwoOfFive[digit(s[2 * i])];
        const char* spaces = kTwoOfFive[digit(s[2 * i + 1])];
        for (int j = 0; j < 5; ++j) {
            e.elements += bars[j] == '1' ? '6' : '5';
            e.elements += spaces[j] == '1' ? '1' : '0';
        }
    }
    e.elements += "605";
    return e;
}

Encoded industrial_2of5(const std::string& s) {
    Encoded e;
    e.elements = "606050";
    for (char c : s) {
        for (int j = 0; j < 5; ++j) e.elements += kTwoOfFive[digit(c)][j] == '1' ? "60" : "50";
    }
    e.elements += "605060";
    return e;
}

Encoded matrix_2of5(const std::string& s) {
    Encoded e;
    e.elements = "705050";
    for (char c : s) {
        for (int j = 0; j < 5; ++j) {
            const bool wide = kTwoOfFive[digit(c)][j] == '1';
            if (j % 2 == 0) {
                e.elements += wide ? '6' : '5';
            } else {
                e.elements += wide ? '1' : '0';
            }
        }
        e.elements += '0';
    }
    e.elements += "70505";
    return e;
}

// --- Code 39 ---------------------------------------------------------------

constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Bars and spaces of each character of kCode39Chars, then of "*".
const char* const kCode39[44] = {
    "nnnwwnwnn", "wnnwnnnnw", "nnwwnnnnw", "wnwwnnnnn", "nnnwwnnnw", "wnnwwnnnn", "nnwwwnnnn",
    "nnnwnnwnw", "wnnwnnwnn", "nnwwnnwnn", "wnnnnwnnw", "nnwnnwnnw", "wnwnnwnnn", "nnnnwwnnw",
    "wnnnwwnnn", "nnwnwwnnn", "nnnnnwwnw", "wnnnnwwnn", "nnwnnwwnn", "nnnnwwwnn", "wnnnnnnww",
    "nnwnnnnww", "wnwnnnnwn", "nnnnwnnww", "wnnnwnnwn", "nnwnwnnwn", "nnnnnnwww", "wnnnnnwwn",
    "nnwnnnwwn", "nnnnwnwwn", "wwnnnnnnw", "nwwnnnnnw", "wwwnnnnnn", "nwnnwnnnw", "wwnnwnnnn",
    "nwwnwnnnn", "nwnnnnwnw", "wwnnnnwnn", "nwwnnnwnn", "nwnwnwnnn", "nwnwnnnwn", "nwnnnwnwn",
    "nnnwnwnwn", "nwnnwnwnn"};

Encoded code39(const std::string& s, bool check_sum) {
    Encoded e;
    const auto put = [&](std::size_t index) {
        append_narrow_wide(e.elements, kCode39[index]);
        e.elements += '0';
    };
    put(43);
    int sum = 0;
    for (char c : s) {
        const std::size_t index = c == '*' ? std::string_view::npos : kCode39Chars.find(c);
        if (index == std::string_view::npos) {
            e.invalid = true;
            continue;
        }
        sum += static_cast<int>(index);
        put(index);
    }
    if (check_sum) put(static_cast<std::size_t>(sum % 43));
    append_narrow_wide(e.elements, kCode39[43]);
    return e;
}

// The full-ASCII sequence of a character 0-127; `shift` names the four shift
// characters ("$%/+" in Code 39). Empty above 127.
std::string full_ascii(unsigned char c, const char shift[4]) {
    const char dollar = shift[0], percent = shift[1], slash = shift[2], plus = shift[3];
    const auto seq = [](char a, char b) { return std::string{a, b}; };
    if (c == 0) return seq(percent, 'U');
    if (c <= 26) return seq(dollar, static_cast<char>('A' + c - 1));
    if (c <= 31) return seq(percent, static_cast<char>('A' + c - 27));
    if (c == ' ' || c == '-' || c == '.' || is_digit(static_cast<char>(c)) ||
        (c >= 'A' && c <= 'Z'))
        return std::string(1, static_cast<char>(c));
    if (c >= '!' && c <= ',') return seq(slash, static_cast<char>('A' + c - '!'));
    if (c == '/') return seq(slash, 'O');
    if (c == ':') return seq(slash, 'Z');
    if (c >= ';' && c <= '?') return seq(percent, static_cast<char>('F' + c - ';'));
    if (c == '@') return seq(percent, 'V');
    if (c >= '[' && c <= '_') return seq(percent, static_cast<char>('K' + c - '['));
    if (c == '`') return seq(percent, 'W');
    if (c >= 'a' && c <= 'z') return seq(plus, static_cast<char>('A' + c - 'a'));
    if (c >= '{' && c <= 127) return seq(percent, static_cast<char>('P' + c - '{'));
    return {};
}

Encoded code39_extended(const std::string& s, bool check_sum) {
    const char shift[4] = {'$', '%', '/', '+'};
    std::string expanded;
    bool invalid = false;
    for (char c : s) {
        const std::string seq = full_ascii(static_cast<unsigned char>(c), shift);
        if (seq.empty()) invalid = true;
        expanded += seq;
    }
    Encoded e = code39(expanded, check_sum);
    e.invalid = e.invalid || invalid;
    return e;
}

// --- Code 93 ---------------------------------------------------------------

// Values 0-42 are the characters of kCode39Chars; 43-46 the shift characters
// ($) (%) (/) (+); the last entry is the start and stop character.
const char* const kCode93[48] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211", "111141"};

// Stand-ins for the shift characters while a text is expanded.
constexpr char kShift93[4] = {'\x01', '\x02', '\x03', '\x04'};

int code93_value(char c) {
    for (int k = 0; k < 4; ++k) {
        if (c == kShift93[k]) return 43 + k;
    }
    const std::size_t index = kCode39Chars.find(c);
    return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

int code93_check(const std::vector<int>& values, int max_weight) {
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum += *it * weight;
        weight = weight == max_weight ? 1 : weight + 1;
    }
    return sum % 47;
}

Encoded code93_values(std::vector<int> values, bool invalid) {
    Encoded e;
    e.invalid = invalid;
    values.push_back(code93_check(values, 20));
    values.push_back(code93_check(values, 15));
    append_module_widths(e.elements, kCode93[47]);
    for (int v : values) append_module_widths(e.elements, kCode93[v]);
    append_module_widths(e.elements, kCode93[47]);
    e.elements += element_of_modules(1, true);  // termination bar
    return e;
}

Encoded code93(const std::string& s) {
    std::vector<int> values;
    bool invalid = false;
    for (char c : s) {
        const int v = code93_value(c);
        if (v < 0 || v >= 43) {
            invalid = true;
            continue;
        }
        values.push_back(v);
    }
    return code93_values(std::move(values), invalid);
}

Encoded code93_extended(const std::string& s) {
    std::vector<int> values;
    bool invalid = false;
    for (char c : s) {
        const std::string seq = full_ascii(static_cast<unsigned char>(c), kShift93);
        if (seq.empty()) invalid = true;
        for (char k : seq) values.push_back(code93_value(k));
    }
    return code93_values(std::move(values), invalid);
}

// --- Code 128 --------------------------------------------------------------

// Symbol values 0-105, then the stop pattern.
const char* const kCode128[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kCodeB = 100;
constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStop = 106;

// `set` is 'A', 'B' or 'C'; `fnc1` puts FNC1 after the start code.
Encoded code128(const std::string& s, char set, bool fnc1) {
    Encoded e;
    std::vector<int> values{kStartA + (set - 'A')};
    if (fnc1) values.push_back(kFnc1);
    if (set == 'C') {
        std::size_t i = 0;
        for (; i + 1 < s.size(); i += 2) values.push_back(digit(s[i]) * 10 + digit(s[i + 1]));
        // A last odd digit goes in code set B rather than being lost.
        if (i < s.size()) {
            values.push_back(kCodeB);
            values.push_back(s[i] - 32);
        }
    } else {
        for (char ch : s) {
            const int c = static_cast<unsigned char>(ch);
            if (set == 'A' && c < 96) {
                values.push_back(c < 32 ? c + 64 : c - 32);
            } else if (set == 'B' && c >= 32 && c < 128) {
                values.push_back(c - 32);
            } else {
                e.invalid = true;
            }
        }
    }
    int sum = values[0];
    for (std::size_t k = 1; k < values.size(); ++k) sum += static_cast<int>(k) * values[k];
    values.push_back(sum % 103);
    values.push_back(kStop);
    for (int v : values) append_module_widths(e.elements, kCode128[v]);
    return e;
}

// --- MSI, PostNet, Codabar ---------------------------------------------------

// The MSI check digit: every other digit from the rightmost doubled, the
// digits of the results summed.
char msi_check_digit(std::string_view digits) {
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int d = digit(*it);
        if (doubled) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
        doubled = !doubled;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

Encoded msi(const std::string& s) {
    Encoded e;
    e.elements = "60";
    const std::string digits = s + msi_check_digit(s);
    for (char c : digits) {
        for (int bit = 3; bit >= 0; --bit) e.elements += ((digit(c) >> bit) & 1) ? "60" : "51";
    }
    e.elements += "515";
    return e;
}

// Full (1) and short (0) bars of each digit.
const char* const kPostNet[10] = {"11000", "00011", "00101", "00110", "01001",
                                  "01010", "01100", "10001", "10010", "10100"};

Encoded postnet(const std::string& s) {
    Encoded e;
    e.elements = "51";
    for (char c : s) {
        for (int j = 0; j < 5; ++j) {
            e.elements += kPostNet[digit(c)][j] == '1' ? '5' : 'A';
            e.elements += '1';
        }
    }
    e.elements += '5';
    return e;
}

constexpr std::string_view kCodabarChars = "0123456789-$:/.+ABCD";

// Bars and spaces of each character of kCodabarChars, 1 = wide.
const char* const kCodabar[20] = {"0000011", "0000110", "0001001", "1100000", "0010010",
                                  "1000010", "0100001", "0100100", "0110000", "1001000",
                                  "0001100", "0011000", "1000101", "1010001", "1010100",
                                  "0010101", "0011010", "0101001", "0001011", "0001110"};

void append_codabar(std::string& out, std::size_t index) {
    bool bar = true;
    for (const char* w = kCodabar[index]; *w; ++w) {
        out += *w == '1' ? (bar ? '6' : '1') : (bar ? '5' : '0');
        bar = !bar;
    }
}

Encoded codabar(const std::string& s) {
    Encoded e;
    const std::size_t start = kCodabarChars.find('A'), stop = kCodabarChars.find('B');
    append_codabar(e.elements, start);
    e.elements += '0';
    for (char c : s) {
        const std::size_t index = kCodabarChars.find(c);
        // Start and stop letters cannot stand inside the data.
        if (index == std::string_view::npos || index >= start) {
            e.invalid = true;
            continue;
        }
        append_codabar(e.elements, index);
        e.elements += '0';
    }
    append_codabar(e.elements, stop);
    return e;
}

// --- EAN and UPC -----------------------------------------------------------

// Left-hand odd (L) codes; even codes (G) are the right-hand (R) codes
// reversed, and R codes are L codes inverted.
const char* const kEanL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                               "0110001", "0101111", "0111011", "0110111", "0001011"};

std::string ean_r(int d) {
    std::string bits = kEanL[d];
    for (char& b : bits) b = b == '1' ? '0' : '1';
    return bits;
}

std::string ean_g(int d) {
    std::string bits = ean_r(d);
    std::reverse(bits.begin(), bits.end());
    return bits;
}

// Digit parities (L odd, G even) of the first six digits of an EAN-13 by
// its leading digit.
const char* const kEan13Parity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                      "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

// UPC-E parities (O odd, E even) by check digit, number system 0; number
// system 1 inverts them.
const char* const kUpcEParity[10] = {"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                     "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};

// Supplement parities: by value mod 4 for two digits, by the check value
// for five.
const char* const kSupp2Parity[4] = {"LL", "LG", "GL", "GG"};
const char* const kSupp5Parity[10] = {"GGLLL", "GLGLL", "GLLGL", "GLLLG", "LGGLL",
                                      "LLGGL", "LLLGG", "LGLGL", "LGLLG", "LLGLG"};

// The digits of a fixed-size symbol: left-padded with "0" to `size`, the
// check digit appended when `add_check`. Empty when the text is too long.
std::string fixed_digits(const std::string& s, std::size_t size, bool add_check) {
    const std::size_t data = add_check ? size - 1 : size;
    if (s.size() > data) return {};
    std::string digits = std::string(data - s.size(), '0') + s;
    if (add_check) digits += modulo10_digit(digits);
    return digits;
}

Encoded ean13(const std::string& s, bool add_check) {
    Encoded e;
    const std::string d = fixed_digits(s, 13, add_check);
    if (d.empty()) {
        e.invalid = true;
        return e;
    }
    std::string bits = "101";
    const char* parity = kEan13Parity[digit(d[0])];
    for (int i = 1; i <= 6; ++i)
        bits += parity[i - 1] == 'L' ? kEanL[digit(d[i])] : ean_g(digit(d[i]));
    bits += "01010";
    for (int i = 7; i <= 12; ++i) bits += ean_r(digit(d[i]));
    bits += "101";
    append_module_bits(e.elements, bits);
    return e;
}

// EAN-8 and UPC-A: all left digits odd, all right digits R codes.
Encoded ean_plain(const std::string& s, std::size_t size, bool add_check) {
    Encoded e;
    const std::string d = fixed_digits(s, size, add_check);
    if (d.empty()) {
        e.invalid = true;
        return e;
    }
    std::string bits = "101";
    for (std::size_t i = 0; i < size / 2; ++i) bits += kEanL[digit(d[i])];
    bits += "01010";
    for (std::size_t i = size / 2; i < size; ++i) bits += ean_r(digit(d[i]));
    bits += "101";
    append_module_bits(e.elements, bits);
    return e;
}

// The UPC-A digits (without check digit) that six UPC-E digits stand for.
std::string upce_expanded(char number_system, const std::string& d) {
    const std::string ns(1, number_system);
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            return ns + d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
        case '3':
            return ns + d.substr(0, 3) + "00000" + d.substr(3, 2);
        case '4':
            return ns + d.substr(0, 4) + "00000" + d[4];
        default:
            return ns + d.substr(0, 5) + "0000" + d[5];
    }
}

// Six digits, or seven whose last is the check digit when `add_check` is off.
Encoded upc_e(const std::string& s, char number_system, bool add_check) {
    Encoded e;
    const std::size_t size = add_check ? 6 : 7;
    if (s.size() > size) {
        e.invalid = true;
        return e;
    }
    const std::string d = std::string(size - s.size(), '0') + s;
    const char check = add_check ? modulo10_digit(upce_expanded(number_system, d)) : d[6];
    const char* parity = kUpcEParity[digit(check)];
    std::string bits = "101";
    for (int i = 0; i < 6; ++i) {
        const bool even = (parity[i] == 'E') == (number_system == '0');
        bits += even ? ean_g(digit(d[static_cast<std::size_t>(i)]))
                     : kEanL[digit(d[static_cast<std::size_t>(i)])];
    }
    bits += "010101";
    append_module_bits(e.elements, bits);
    return e;
}

Encoded supplement(const std::string& s, std::size_t size) {
    Encoded e;
    if (s.size() > size) {
        e.invalid = true;
        return e;
    }
    const std::string d = std::string(size - s.size(), '0') + s;
    const char* parity = nullptr;
    if (size == 2) {
        parity = kSupp2Parity[(digit(d[0]) * 10 + digit(d[1])) % 4];
    } else {
        const int check =
            (3 * (digit(d[0]) + digit(d[2]) + digit(d[4])) + 9 * (digit(d[1]) + digit(d[3]))) % 10;
        parity = kSupp5Parity[check];
    }
    std::string bits = "1011";
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) bits += "01";
        bits += parity[i] == 'L' ? kEanL[digit(d[i])] : ean_g(digit(d[i]));
    }
    append_module_bits(e.elements, bits);
    return e;
}

// --- pixels ----------------------------------------------------------------

// An RGB bitmap being drawn; everything is clipped to it.
struct Canvas {
    int width;
    int height;
    std::vector<std::uint8_t> rgb;

    Canvas(int w, int h, Color background)
        : width(w), height(h), rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) {
        fill({0, 0, w, h}, background);
    }

    void fill(Rect r, Color color) {
        r = r.intersection({0, 0, width, height});
        if (r.empty()) return;
        const Color c = resolve_color(color);
        const auto at = [&](int y) {
            return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(r.left)) *
                        3];
        };
        // The first row pixel by pixel, the others as copies of it.
        std::uint8_t* first = at(r.top);
        std::uint8_t* p = first;
        for (int x = r.left; x < r.right; ++x) {
            *p++ = red_of(c);
            *p++ = green_of(c);
            *p++ = blue_of(c);
        }
        const auto row_bytes = static_cast<std::size_t>(r.width()) * 3;
        for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(at(y), first, row_bytes);
    }

    // A line of the given width with round ends.
    void line(Point from, Point to, int pen_width, Color color) {
        const double half = pen_width / 2.0;
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double length2 = dx * dx + dy * dy;
        const int reach = pen_width / 2 + 1;
        const Rect box{std::min(from.x, to.x) - reach, std::min(from.y, to.y) - reach,
                       std::max(from.x, to.x) + reach + 1, std::max(from.y, to.y) + reach + 1};
        const Rect area = box.intersection({0, 0, width, height});
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                // Distance between pixel centres: the pixel's and the segment's.
                const double px = x - from.x, py = y - from.y;
                double t = length2 > 0 ? (px * dx + py * dy) / length2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = px - t * dx, ey = py - t * dy;
                if (ex * ex + ey * ey <= half * half) fill({x, y, x + 1, y + 1}, color);
            }
        }
    }

    // Turned a quarter turn: counter-clockwise when `left`, else clockwise.
    Canvas turned(bool left) const {
        Canvas out(height, width, clWhite);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int nx = left ? y : height - 1 - y;
                const int ny = left ? width - 1 - x : x;
                const std::size_t from =
                    (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)) *
                    3;
                const std::size_t to =
                    (static_cast<std::size_t>(ny) * static_cast<std::size_t>(out.width) +
                     static_cast<std::size_t>(nx)) *
                    3;
                std::copy_n(&rgb[from], 3, &out.rgb[to]);
            }
        }
        return out;
    }
};

// --- formulas --------------------------------------------------------------

struct FormulaValue {
    std::string text;
    bool is_number = false;
    double number = 0;
};

std::string number_text(double value) {
    // Independent of the C locale, which a user interface may have changed.
    char buffer[64];
    const bool whole = std::abs(value) < 1e15 && value == std::floor(value);
    const auto end =
        whole
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0).ptr
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15)
                  .ptr;
    return std::string(buffer, end);
}

bool numeric_field(const Field& f) {
    return f.type() == FieldType::Integer || f.type() == FieldType::Decimal ||
           f.type() == FieldType::Float;
}

}  // namespace

const TRLBarcodeTypeInfo& BarcodeTypeInfo(TRLBarcodeType type) {
    return kTypeInfo[static_cast<std::size_t>(type)];
}

int TRLBarcodePattern::ElementWidth(char element) const {
    switch (element) {
        case '1':
        case '6':
        case 'B':
            return widths.wide;
        case '2':
        case '7':
        case 'C':
            return widths.wide_and_half;
        case '3':
        case '8':
        case 'D':
            return widths.double_wide;
        default:
            return widths.narrow;
    }
}

int TRLBarcodePattern::TotalWidth() const {
    long long total = 0;
    for (char c : elements) total += ElementWidth(c);
    return static_cast<int>(std::min<long long>(total, std::numeric_limits<int>::max()));
}

// --- barcode ---------------------------------------------------------------

TRLCustomBarcode::TRLCustomBarcode(std::string name) : TRLCustomControl(std::move(name)) {
    auto_size_ = true;
    bounds_ = {0, 0, 200, 34};
}

void TRLCustomBarcode::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    ContentChanged();
}

void TRLCustomBarcode::SetBarcodeType(TRLBarcodeType type) {
    type_ = type;
    ContentChanged();
}

void TRLCustomBarcode::SetModule(int module) {
    if (module < 1 || module > 49) return;
    module_ = module;
    ContentChanged();
}

void TRLCustomBarcode::SetRatio(double ratio) {
    if (!std::isfinite(ratio) || ratio <= 0) return;
    ratio_ = ratio;
    ContentChanged();
}

void TRLCustomBarcode::SetOrientation(TRLBarcodeOrientation orientation) {
    orientation_ = orientation;
    ContentChanged();
}

void TRLCustomBarcode::SetCheckSum(bool check_sum) {
    check_sum_ = check_sum;
    ContentChanged();
}

void TRLCustomBarcode::SetCheckSumMethod(TRLBarcodeCheckSumMethod method) {
    check_sum_method_ = method;
    ContentChanged();
}

void TRLCustomBarcode::SetMargins(const TRLMargins& margins) {
    margins_ = margins;
    ContentChanged();
}

TRLBarcodePattern TRLCustomBarcode::BuildPattern(const std::string& text) {
    TRLBarcodePattern pattern;
    switch (type_) {
        case bcCode2OF5Matrix:
            ratio_ = std::clamp(ratio_, 2.25, 3.0);
            break;
        case bcCode2OF5Interleaved:
        case bcCode2OF5Industry:
        case bcCode39:
        case bcCode39Extended:
        case bcCodaBar:
        case bcEAN8:
        case bcEAN13:
        case bcUPC_A:
        case bcUPC_E0:
        case bcUPC_E1:
        case bcUPC_Supp2:
        case bcUPC_Supp5:
            ratio_ = std::clamp(ratio_, 2.0, 3.0);
            break;
        default:
            break;
    }
    // Widths beyond any printable size are held where sums cannot overflow.
    const double wide = std::min(std::nearbyint(module_ * ratio_), 1e6);
    pattern.widths.narrow = module_;
    pattern.widths.wide = static_cast<int>(wide);
    pattern.widths.wide_and_half = pattern.widths.wide * 3 / 2;
    pattern.widths.double_wide = pattern.widths.wide * 2;

    std::string s = text;
    if (BarcodeTypeInfo(type_).DigitsOnly) {
        s = trimmed(s);
        for (char& c : s) {
            if (!is_digit(c)) {
                c = '0';
                pattern.invalid = true;
            }
        }
    }
    const bool add_check = check_sum_ && check_sum_method_ == cmModule10;
    Encoded e;
    switch (type_) {
        case bcCode2OF5Interleaved:
            e = interleaved_2of5(s);
            break;
        case bcCode2OF5Industry:
            e = industrial_2of5(s);
            break;
        case bcCode2OF5Matrix:
            e = matrix_2of5(s);
            break;
        case bcCode39:
            e = code39(s, check_sum_);
            break;
        case bcCode39Extended:
            e = code39_extended(s, check_sum_);
            break;
        case bcCode128A:
        case bcCode128B:
        case bcCode128C:
            e = code128(s, static_cast<char>('A' + (type_ - bcCode128A)), false);
            break;
        case bcCode93:
            e = code93(s);
            break;
        case bcCode93Extended:
            e = code93_extended(s);
            break;
        case bcMSI:
            e = msi(s);
            break;
        case bcPostNet:
            e = postnet(s);
            break;
        case bcCodaBar:
            e = codabar(s);
            break;
        case bcEAN8:
            e = ean_plain(s, 8, add_check);
            break;
        case bcEAN13:
            e = ean13(s, add_check);
            break;
        case bcUPC_A:
            e = ean_plain(s, 12, add_check);
            break;
        case bcUPC_E0:
        case bcUPC_E1:
            e = upc_e(s, type_ == bcUPC_E0 ? '0' : '1', add_check);
            break;
        case bcUPC_Supp2:
            e = supplement(s, 2);
            break;
        case bcUPC_Supp5:
            e = supplement(s, 5);
            break;
        case bcEAN128A:
        case bcEAN128B:
        case bcEAN128C:
            if (add_check) s += modulo10_digit(s);
            e = code128(s, static_cast<char>('A' + (type_ - bcEAN128A)), true);
            break;
    }
    pattern.elements = std::move(e.elements);
    pattern.invalid = pattern.invalid || e.invalid;
    return pattern;
}

Picture TRLCustomBarcode::RenderBitmap(const std::string& text, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    const Color background = GetColor();
    Canvas canvas(width, height, background);
    Rect bars{0, 0, width, height};

    TextMetrics& metrics = TextMetrics::instance();
    const report::Font& font = GetFont();
    if (show_text_ != boNone) {
        const int blank_height = metrics.line_height(font);
        if (show_text_ == boType || show_text_ == boBoth) bars.top += blank_height;
        if (show_text_ == boCode || show_text_ == boBoth)
            bars.bottom -= type_ == bcPostNet ? blank_height : blank_height / 2;
    }

    const TRLBarcodePattern pattern = BuildPattern(text);
    const int pattern_width = pattern.TotalWidth();
    bars.right = bars.left + pattern_width;
    int shift = 0;
    if (alignment_ == taRightJustify) shift = width - pattern_width;
    if (alignment_ == taCenter) shift = (width - pattern_width) / 2;
    bars = bars.moved(shift, 0);

    const bool draw_bars =
        (!pattern.invalid || invalid_code_ != icEmptyRect) && !trimmed(text).empty();
    if (draw_bars) {
        // Bars span the bars' height, short ones only its lower part: the
        // rows are of two kinds, each painted once and copied.
        const int short_top = bars.bottom - ((bars.bottom - bars.top) * 2) / 5;
        const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
        std::vector<std::uint8_t> upper(
            canvas.rgb.begin(), canvas.rgb.begin() + static_cast<std::ptrdiff_t>(row_bytes));
        std::vector<std::uint8_t> lower = upper;
        const Color ink = resolve_color(bar_color_);
        const auto paint = [&](std::vector<std::uint8_t>& row, int from, int to) {
            for (int px = std::max(from, 0); px < std::min(to, width); ++px) {
                std::uint8_t* p = &row[static_cast<std::size_t>(px) * 3];
                p[0] = red_of(ink);
                p[1] = green_of(ink);
                p[2] = blue_of(ink);
            }
        };
        int x = bars.left;
        for (char element : pattern.elements) {
            const int w = pattern.ElementWidth(element);
            const bool space = element >= '0' && element <= '3';
            const bool short_bar = element >= 'A' && element <= 'D';
            // A space leaves the background as it is.
            if (!space) {
                paint(lower, x, x + w);
                if (!short_bar) paint(upper, x, x + w);
            }
            x += w;
        }
        for (int y = std::max(bars.top, 0); y < std::min(bars.bottom, height); ++y) {
            const std::vector<std::uint8_t>& row = y < short_top ? upper : lower;
            std::memcpy(&canvas.rgb[static_cast<std::size_t>(y) * row_bytes], row.data(),
                        row_bytes);
        }
        if (pattern.invalid && invalid_code_ == icCrossOut) {
            const Color red = 0x0000FF;
            canvas.line({bars.left + 4, bars.top + 4}, {bars.right - 5, bars.bottom - 5}, 4, red);
            canvas.line({bars.right - 5, bars.top + 4}, {bars.left + 4, bars.bottom - 5}, 4, red);
        }
    }

    if (show_text_ != boNone) {
        const int h = metrics.line_height(font);
        const auto caption = [&](const std::string& s, int top) {
            const int w = metrics.text_width(font, s);
            const int x = (bars.left + bars.right - w) / 2;
            canvas.fill({x, top, x + w, top + h}, background);
            metrics.draw_text(font, s, x, top, font.color, canvas.rgb, width, height);
        };
        if (show_text_ == boType || show_text_ == boBoth) caption(BarcodeTypeInfo(type_).Name, 0);
        if (show_text_ == boCode || show_text_ == boBoth) caption(text, height - h);
    }
    return Picture::from_rgb(width, height, std::move(canvas.rgb));
}

void TRLCustomBarcode::CalcSize(int& width, int& height) {
    if (!auto_size_) {
        TRLCustomControl::CalcSize(width, height);
        return;
    }
    long long w = static_cast<long long>(BuildPattern(caption_).TotalWidth()) + 1;
    w += mm_to_pixels(margins_.LeftMargin) + mm_to_pixels(margins_.RightMargin);
    if (borders_.Width() > 0) {
        if (borders_.IsDrawn(0)) w += borders_.Width() + 1;
        if (borders_.IsDrawn(2)) w += borders_.Width() + 1;
    }
    const int natural = static_cast<int>(std::min<long long>(w, std::numeric_limits<int>::max()));
    if (orientation_ == boLeftToRight) {
        width = natural;
        height = Height();
    } else {
        width = Width();
        height = natural;
    }
}

bool TRLCustomBarcode::CanPrint() {
    bool print_it = visible_;
    if (print_it && BeforePrint) BeforePrint(*this, print_it);
    if (print_it) SetCaption(MakeText());
    return print_it;
}

void TRLCustomBarcode::InternalPrint(GraphicSurface& surface) {
    TRLCustomControl::InternalPrint(surface);
    Rect r = PrintClientRect();
    r.left += mm_to_pixels(margins_.LeftMargin);
    r.top += mm_to_pixels(margins_.TopMargin);
    r.right -= mm_to_pixels(margins_.RightMargin);
    r.bottom -= mm_to_pixels(margins_.BottomMargin);
    const bool vertical = orientation_ != boLeftToRight;
    const int a = vertical ? r.height() : r.width();
    const int b = vertical ? r.width() : r.height();
    if (a <= 0 || b <= 0) return;

    Picture bitmap = RenderBitmap(caption_, a, b);
    if (vertical) {
        Canvas flat(bitmap.width(), bitmap.height(), clWhite);
        flat.rgb = bitmap.rgb();
        Canvas turned = flat.turned(orientation_ == boBottomToTop);
        bitmap = Picture::from_rgb(turned.width, turned.height, std::move(turned.rgb));
    }

    int x = r.left;
    if (alignment_ == taRightJustify) x = r.right - bitmap.width();
    if (alignment_ == taCenter) x = (r.left + r.right - bitmap.width()) / 2;
    int y = r.top;
    if (layout_ == tlCenter) y = (r.top + r.bottom - bitmap.height()) / 2;
    if (layout_ == tlBottom) y = r.bottom - bitmap.height();
    surface.draw_picture(x, y, bitmap, false);
}

// --- data barcode ----------------------------------------------------------

void TRLCustomDBBarcode::SetDataSource(TDataSource* source) {
    data_source_ = source;
    ContentChanged();
}

void TRLCustomDBBarcode::SetDataField(std::string field) {
    data_field_ = std::move(field);
    if (!data_field_.empty()) data_formula_.clear();
    ContentChanged();
}

void TRLCustomDBBarcode::SetDataFormula(std::string formula) {
    data_formula_ = std::move(formula);
    if (!data_formula_.empty()) data_field_.clear();
    ContentChanged();
}

std::string TRLCustomDBBarcode::MakeText() {
    const TRLCustomReport* report = Report();
    if (!report || !report->Preparing() || !data_source_ || !data_source_->DataSet) return {};
    Dataset& dataset = *data_source_->DataSet;
    if (!dataset.active()) return {};
    // Plain data texts print nothing for an unknown field; a barcode that
    // silently encodes nothing would pass for a valid document.
    if (!data_field_.empty() && !dataset.find_field(data_field_)) {
        throw DatabaseError(EngineTexts::current().not_found + ": " + Name() + ".DataField \"" +
                            data_field_ + "\"");
    }
    if (dataset.eof()) return {};
    if (!data_field_.empty()) return field_text(*this, data_source_, data_field_, {});
    if (!data_formula_.empty()) return EvaluateFormula(dataset);
    return {};
}

std::string TRLCustomDBBarcode::EvaluateFormula(Dataset& dataset) const {
    const std::string& f = data_formula_;
    const auto fail = [&](const std::string& why) -> Error {
        return Error(Name() + ".DataFormula \"" + f + "\": " + why);
    };
    std::size_t p = 0;
    const auto skip_blanks = [&] {
        while (p < f.size() && (f[p] == ' ' || f[p] == '\t')) ++p;
    };
    const auto term = [&]() -> FormulaValue {
        skip_blanks();
        if (p >= f.size()) throw fail("a value is missing");
        const char c = f[p];
        if (c == '\'' || c == '"') {
            const std::size_t close = f.find(c, p + 1);
            if (close == std::string::npos) throw fail("a text is not closed");
            FormulaValue v{f.substr(p + 1, close - p - 1)};
            p = close + 1;
            return v;
        }
        if (is_digit(c) || c == '.') {
            const std::size_t start = p;
            while (p < f.size() && (is_digit(f[p]) || f[p] == '.')) ++p;
            FormulaValue v{f.substr(start, p - start), true};
            const auto [end, error] =
                std::from_chars(v.text.data(), v.text.data() + v.text.size(), v.number);
            if (error != std::errc() || end != v.text.data() + v.text.size()) {
                throw fail("\"" + v.text + "\" is not a number");
            }
            return v;
        }
        const std::size_t start = p;
        while (p < f.size() &&
               (std::isalnum(static_cast<unsigned char>(f[p])) || f[p] == '_' || f[p] == '.'))
            ++p;
        if (p == start) throw fail(std::string("unexpected \"") + c + "\"");
        const std::string name = f.substr(start, p - start);
        const Field* field = dataset.find_field(name);
        if (!field)
            throw DatabaseError(EngineTexts::current().not_found + ": " + Name() +
                                ".DataFormula \"" + name + "\"");
        FormulaValue v{field->display_text()};
        if (numeric_field(*field) && !field->is_null()) {
            v.is_number = true;
            v.number = field->as_float();
        }
        return v;
    };

    FormulaValue value = term();
    for (;;) {
        skip_blanks();
        if (p >= f.size()) break;
        if (f[p] != '+') throw fail(std::string("unexpected \"") + f[p] + "\"");
        ++p;
        const FormulaValue next = term();
        if (value.is_number && next.is_number) {
            value.number += next.number;
            value.text = number_text(value.number);
        } else {
            value.text += next.text;
            value.is_number = false;
        }
    }
    return value.text;
}

}  // namespace tarvek::report
