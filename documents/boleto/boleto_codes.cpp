#include "documents/boleto/boleto_codes.h"

#include <chrono>
#include <cstdio>

#include "base/cp1252.h"

namespace tarvek {

namespace {

constexpr std::size_t kBarcodeDigits = 44;
constexpr std::size_t kLineDigits = 47;
constexpr std::size_t kMessageLines = 20;

std::string w(const std::string& utf8) {
    return utf8_to_cp1252(utf8);
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks and ASCII punctuation separate groups of digits.
bool is_separator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u == ' ' || u == '\t' || (u >= 0x21 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) ||
           (u >= 0x5B && u <= 0x60) || (u >= 0x7B && u <= 0x7E);
}

// The digits of a code, or the fault that keeps it from being read.
struct ReadCode {
    std::string digits;
    std::string fault;
};

ReadCode read_code(const std::optional<std::string>& text, const char* what, std::size_t length) {
    ReadCode code;
    if (!text || text->find_first_not_of(" \t") == std::string::npos) {
        code.fault = w(std::string("sem ") + what);
        return code;
    }
    for (const char c : *text) {
        if (is_digit(c)) {
            code.digits += c;
        } else if (!is_separator(c)) {
            code.fault = w(std::string(what) + " com o caractere \"") + c + "\"";
            return code;
        }
    }
    if (code.digits.size() != length) {
        code.fault = w(std::string(what) + " com " + std::to_string(code.digits.size()) +
                       " dígitos, esperado " + std::to_string(length));
    }
    return code;
}

std::string two_digits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string date_text(const Date& d) {
    return two_digits(d.day) + "/" + two_digits(d.month) + "/" + std::to_string(d.year);
}

std::string factor_text(int factor) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", factor);
    return text;
}

std::string cents_text(std::int64_t cents) {
    const std::string sign = cents < 0 ? "-" : "";
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    return sign + std::to_string(magnitude / 100) + "," +
           two_digits(static_cast<int>(magnitude % 100));
}

int digit(char c) {
    return c - '0';
}

}  // namespace

int barcode_check_digit(std::string_view digits43) {
    int sum = 0;
    int weight = 2;
    for (auto it = digits43.rbegin(); it != digits43.rend(); ++it) {
        sum += digit(*it) * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    const int result = 11 - sum % 11;
    return result == 0 || result == 10 || result == 11 ? 1 : result;
}

int line_field_check_digit(std::string_view digits) {
    int sum = 0;
    int weight = 2;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const int product = digit(*it) * weight;
        sum += product / 10 + product % 10;
        weight = weight == 2 ? 1 : 2;
    }
    return (10 - sum % 10) % 10;
}

std::optional<int> due_date_factor(const Date& due) {
    using namespace std::chrono;
    const sys_days base{year{1997} / October / 7};
    const sys_days day{year{due.year} / month{static_cast<unsigned>(due.month)} /
                       std::chrono::day{static_cast<unsigned>(due.day)}};
    const auto days = (day - base).count();
    if (days < 0) return std::nullopt;
    if (days < 1000) return static_cast<int>(days);
    return static_cast<int>(1000 + (days - 1000) % 9000);
}

std::vector<std::string> boleto_code_faults(const BoletoCodes& codes) {
    std::vector<std::string> faults;
    const ReadCode barcode = read_code(codes.barcode, "código de barras", kBarcodeDigits);
    const ReadCode line = read_code(codes.line, "linha digitável", kLineDigits);
    const std::string& b = barcode.digits;
    const std::string& l = line.digits;

    if (!barcode.fault.empty()) {
        faults.push_back(barcode.fault);
    } else {
        if (b[3] != '9') {
            faults.push_back(w("código da moeda no código de barras ") + b[3] + w(", esperado 9"));
        }
        const int expected = barcode_check_digit(b.substr(0, 4) + b.substr(5));
        if (digit(b[4]) != expected) {
            faults.push_back(w("dígito verificador geral do código de barras ") + b[4] +
                             w(", esperado ") + std::to_string(expected));
        }
    }

    if (!line.fault.empty()) {
        faults.push_back(line.fault);
    } else {
        // Three fields with their own check digit, then the barcode's check
        // digit and the factor and value.
        const struct { std::size_t start, length; } fields[] = {{0, 9}, {10, 10}, {21, 10}};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string data = l.substr(fields[k].start, fields[k].length);
            const char found = l[fields[k].start + fields[k].length];
            const int expected = line_field_check_digit(data);
            if (digit(found) != expected) {
                faults.push_back(w("dígito verificador do campo " + std::to_string(k + 1) +
                                   " da linha digitável ") +
                                 found + w(", esperado ") + std::to_string(expected));
            }
        }
        if (barcode.fault.empty()) {
            // The barcode's digits in the line's order: bank and currency
            // with the free field's first five, its next ten, its last ten,
            // the check digit, the factor and value.
            const std::string free = b.substr(19);
            const std::string expected[] = {b.substr(0, 4) + free.substr(0, 5), free.substr(5, 10),
                                            free.substr(15, 10), b.substr(4, 1), b.substr(5, 14)};
            const std::string found[] = {l.substr(0, 9), l.substr(10, 10), l.substr(21, 10),
                                         l.substr(32, 1), l.substr(33, 14)};
            for (std::size_t k = 0; k < 5; ++k) {
                if (found[k] != expected[k]) {
                    faults.push_back(w("campo " + std::to_string(k + 1) + " da linha digitável " +
                                       found[k] + ", esperado " + expected[k] +
                                       " pelo código de barras"));
                }
            }
        }
    }
    if (!barcode.fault.empty()) return faults;

    const int factor = std::stoi(b.substr(5, 4));
    if (factor != 0) {
        const std::string found = w("fator de vencimento do código de barras ") + b.substr(5, 4);
        if (!codes.due) {
            faults.push_back(found + w(", esperado 0000 (boleto sem vencimento)"));
        } else if (const std::optional<int> expected = due_date_factor(*codes.due); !expected) {
            faults.push_back(found + w(", mas o vencimento " + date_text(*codes.due) +
                                       " é anterior a 07/10/1997"));
        } else if (*expected != factor) {
            faults.push_back(found + w(", esperado " + factor_text(*expected) + " (vencimento " +
                                       date_text(*codes.due) + ")"));
        }
    }

    const std::int64_t value = std::stoll(b.substr(9, 10));
    if (value != 0) {
        const std::int64_t expected = codes.value_cents.value_or(0);
        if (value != expected) {
            faults.push_back(w("valor do código de barras " + cents_text(value) + ", esperado " +
                               cents_text(expected)));
        }
    }

    if (b.substr(0, 3) != codes.bank_code) {
        faults.push_back(
            w("banco do código de barras " + b.substr(0, 3) + ", esperado " + codes.bank_code));
    }
    return faults;
}

std::string boleto_code_message(const std::vector<BoletoFailure>& failures) {
    std::string message =
        w("Boletos com códigos que nenhum banco aceita; nenhum documento foi gerado:");
    for (std::size_t i = 0; i < failures.size() && i < kMessageLines; ++i) {
        message += "\n" + failures[i].boleto + ": ";
        for (std::size_t k = 0; k < failures[i].faults.size(); ++k) {
            if (k > 0) message += "; ";
            message += failures[i].faults[k];
        }
    }
    if (failures.size() > kMessageLines) {
        const std::size_t more = failures.size() - kMessageLines;
        message += "\n" + w("e mais " + std::to_string(more) +
                            (more == 1 ? " boleto com códigos inválidos"
                                       : " boletos com códigos inválidos"));
    }
    return message;
}

}  // namespace tarvek
