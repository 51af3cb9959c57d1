#include "base/string_helpers.h"

namespace tarvek {

namespace {

char lower_char(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string ascii_upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = ascii_upper_char(c);
    return result;
}

std::string ascii_lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lower_char(c);
    return result;
}

bool ascii_iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_upper_char(a[i]) != ascii_upper_char(b[i])) return false;
    }
    return true;
}

std::string Replica_Texto(std::string_view text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

std::string Texto_Depois(std::string_view text, std::string_view delimiter) {
    if (delimiter.size() != 1) return {};
    const auto pos = text.find(delimiter[0]);
    if (pos == std::string_view::npos) return {};
    return std::string(text.substr(pos + 1));
}

std::string Texto_Antes(std::string_view text, std::string_view delimiter) {
    if (delimiter.size() != 1) return std::string(text);
    return std::string(text.substr(0, text.find(delimiter[0])));
}

std::string Separa_Texto(std::string_view text, std::string_view delimiter, std::string_view mode) {
    const std::string folded = ascii_lower(mode);
    if (folded == "inicio") return Texto_Antes(text, delimiter);
    if (folded == "resto") return Texto_Depois(text, delimiter);
    return {};
}

std::string Troca_Texto(std::string_view text, std::string_view searched,
                        std::string_view replacement) {
    const std::string upper_text = ascii_upper(text);
    const std::string upper_searched = ascii_upper(searched);
    const std::size_t m = upper_searched.size();
    std::string result;
    result.reserve(upper_text.size());
    std::size_t p = 0;
    while (p < upper_text.size()) {
        if (m > 0 && upper_text.compare(p, m, upper_searched) == 0) {
            result += replacement;
            p += m;
        } else {
            result += upper_text[p];
            ++p;
        }
    }
    return result;
}

std::string Somente_Digitos(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c >= '0' && c <= '9') result += c;
    }
    return result;
}

bool Verifica_Sim(std::string_view text) {
    return ascii_upper(text) == "SIM";
}

bool Contem_Texto(std::string_view searched, std::string_view text) {
    if (text.empty()) return false;
    return ascii_upper(text).find(ascii_upper(searched)) != std::string::npos;
}

std::string sql_quoted(std::string_view text) {
    std::string result = "'";
    for (char c : text) {
        result += c;
        if (c == '\'') result += '\'';
    }
    result += '\'';
    return result;
}

std::string instruction_value(std::string_view instruction, std::string_view key) {
    std::string_view rest = instruction;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view segment = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (Contem_Texto(key, segment)) return Texto_Depois(segment, "=");
    }
    return {};
}

std::vector<std::string> parameter_values(std::string_view parametros, std::size_t count) {
    std::vector<std::string> values;
    values.reserve(count);
    std::string_view rest = parametros;
    while (values.size() < count) {
        const std::size_t end = rest.find('^');
        values.push_back(Texto_Depois(rest.substr(0, end), "="));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return values;
}

}  // namespace tarvek
