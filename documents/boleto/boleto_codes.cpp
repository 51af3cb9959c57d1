#include "documents/boleto/boleto_codes.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <variant>

#include "base/cp1252.h"
#include "base/string_helpers.h"

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

constexpr std::size_t kPixMaxLength = 512;

bool is_two_digits(std::string_view text) {
    return text.size() == 2 && is_digit(text[0]) && is_digit(text[1]);
}

// One tag-length-value field of an EMV payload.
struct TlvField {
    std::string_view tag;
    std::string_view value;
    std::size_t start = 0;  // where the field's tag starts
};

// The fields of `text`; false when one does not parse or runs past the end.
bool parse_tlv(std::string_view text, std::vector<TlvField>& fields) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (at + 4 > text.size() || !is_two_digits(text.substr(at, 2)) ||
            !is_two_digits(text.substr(at + 2, 2))) {
            return false;
        }
        const std::size_t length =
            static_cast<std::size_t>(std::stoi(std::string(text.substr(at + 2, 2))));
        if (at + 4 + length > text.size()) return false;
        fields.push_back({text.substr(at, 2), text.substr(at + 4, length), at});
        at += 4 + length;
    }
    return true;
}

// Cents of an EMV amount ("150.50", "7", "0.5"); none when it is not one.
std::optional<std::int64_t> amount_cents(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if (whole.empty() || fraction.size() > 2) return std::nullopt;
    std::int64_t cents = 0;
    for (const char c : whole) {
        if (!is_digit(c)) return std::nullopt;
        cents = cents * 10 + digit(c);
    }
    cents *= 100;
    std::int64_t scale = 10;
    for (const char c : fraction) {
        if (!is_digit(c)) return std::nullopt;
        cents += digit(c) * scale;
        scale /= 10;
    }
    return cents;
}

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

}  // namespace

std::optional<std::int64_t> money_cents(const Field& field) {
    if (field.is_null()) return std::nullopt;
    if (const auto* decimal = std::get_if<Decimal>(&field.value())) {
        std::int64_t units = decimal->units;
        int scale = decimal->scale;
        for (; scale < 2; ++scale) units *= 10;
        if (scale == 2) return units;
        return std::llround(decimal->to_double() * 100);
    }
    return std::llround(field.as_float() * 100);
}

unsigned pix_crc16(std::string_view bytes) {
    unsigned crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned>(static_cast<unsigned char>(c)) << 8;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
            crc &= 0xFFFF;
        }
    }
    return crc;
}

std::vector<std::string> pix_payload_faults(std::string_view payload,
                                            std::optional<std::int64_t> value_cents) {
    const std::string what = w("Pix copia e cola");
    if (payload.size() > kPixMaxLength) {
        return {what + w(" com " + std::to_string(payload.size()) + " caracteres, máximo " +
                         std::to_string(kPixMaxLength))};
    }
    for (const char c : payload) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 ||
            u == 0x9D) {
            return {what + w(" com o byte " + std::to_string(u) + ", que não é um caractere")};
        }
    }
    std::vector<TlvField> fields;
    if (!parse_tlv(payload, fields) || fields.empty()) {
        return {what + w(": campos EMV malformados (identificador, tamanho e valor)")};
    }
    std::vector<std::string> faults;
    if (payload.substr(0, 6) != "000201") {
        faults.push_back(what + w(" começa com \"") + std::string(payload.substr(0, 6)) +
                         w("\", esperado \"000201\""));
    }
    bool pix_domain = false;
    for (const TlvField& field : fields) {
        const int tag = std::stoi(std::string(field.tag));
        if (tag < 26 || tag > 51) continue;
        std::vector<TlvField> inner;
        if (!parse_tlv(field.value, inner)) continue;
        for (const TlvField& sub : inner) {
            if (sub.tag == "00" && ascii_iequals(sub.value, "br.gov.bcb.pix")) pix_domain = true;
        }
    }
    if (!pix_domain) faults.push_back(what + w(" sem o domínio br.gov.bcb.pix"));

    const TlvField& last = fields.back();
    if (last.tag != "63" || last.value.size() != 4) {
        faults.push_back(what + w(" sem o campo do CRC (6304) no fim"));
    } else {
        const std::string expected = hex4(pix_crc16(payload.substr(0, last.start + 4)));
        if (std::string(last.value) != expected) {
            faults.push_back(what + w(" com CRC ") + std::string(last.value) + w(", esperado ") +
                             expected);
        }
    }
    for (const TlvField& field : fields) {
        if (field.tag != "54") continue;
        const std::optional<std::int64_t> amount = amount_cents(field.value);
        const std::int64_t expected = value_cents.value_or(0);
        if (!amount) {
            faults.push_back(what + w(" com o valor \"") + std::string(field.value) +
                             w("\", que não é um valor"));
        } else if (*amount != expected) {
            faults.push_back(what + w(" com o valor " + cents_text(*amount) + ", esperado " +
                                      cents_text(expected)));
        }
    }
    return faults;
}

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
    if (!codes.pix.empty()) {
        for (std::string& fault : pix_payload_faults(codes.pix, codes.value_cents))
            faults.push_back(std::move(fault));
    }
    if (!barcode.fault.empty()) return faults;

    const int factor = std::stoi(b.substr(5, 4));
    if (factor != 0) {
        const std::string found = w("fator de vencimento do código de barras ") + b.substr(5, 4);
        if (!codes.due) {
            faults.push_back(found + w(", esperado 0000 (boleto sem vencimento)"));
        } else if (const std::optional<int> expected = due_date_factor(*codes.due); !expected) {
            faults.push_back(found +
                             w(", mas o vencimento " + format_date("dd/mm/yyyy", *codes.due) +
                               " é anterior a 07/10/1997"));
        } else if (*expected != factor) {
            faults.push_back(found + w(", esperado " + factor_text(*expected) + " (vencimento " +
                                       format_date("dd/mm/yyyy", *codes.due) + ")"));
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
