// Text helpers shared by job control, the query builders and the jobs.
//
// All texts are Windows-1252 byte strings. Case folding touches the ASCII
// letters only: "sim" equals "SIM", but an accented letter such as "é" never
// equals "É". None of these functions throws for any input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// ASCII-only case mapping; every other byte is returned unchanged.
constexpr char ascii_upper_char(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string ascii_upper(std::string_view text);
std::string ascii_lower(std::string_view text);
bool ascii_iequals(std::string_view a, std::string_view b);

// `text` repeated `count` times; empty for a count of zero or less.
std::string Replica_Texto(std::string_view text, int count);

// What follows the first `delimiter`; empty when it does not occur. Only a
// delimiter of exactly one character can ever match.
std::string Texto_Depois(std::string_view text, std::string_view delimiter);

// What precedes the first `delimiter`; the whole text when it does not occur.
std::string Texto_Antes(std::string_view text, std::string_view delimiter);

// Mode "inicio" is Texto_Antes, "resto" is Texto_Depois (mode compared
// case-insensitively); any other mode gives the empty text.
std::string Separa_Texto(std::string_view text, std::string_view delimiter, std::string_view mode);

// Case-insensitive replace-all. The result is the upper-cased input with every
// non-overlapping match, taken left to right, replaced by `replacement` as it
// stands. An empty `searched` matches nothing.
std::string Troca_Texto(std::string_view text, std::string_view searched,
                        std::string_view replacement);

// The digits 0-9 of `text`, in order.
std::string Somente_Digitos(std::string_view text);

// True exactly for "SIM" in any ASCII case; no trimming.
bool Verifica_Sim(std::string_view text);

// Case-insensitive substring test; note the order: what is searched for
// first. An empty `text` never contains anything, not even the empty text.
bool Contem_Texto(std::string_view searched, std::string_view text);

// Standard SQL string literal: single quotes around, inner quotes doubled.
std::string sql_quoted(std::string_view text);

// The value of one key ("Tarvek=", "operacao=", ...) of an instruction
// string: the first ";"-segment that contains the key, without regard to
// ASCII case, decides; its value is what follows the segment's first "=".
// Empty when no segment holds the key. One pass over the text.
std::string instruction_value(std::string_view instruction, std::string_view key);

// The first `count` values of a parameter string
// ("cod_ord=1234^segmento=MECANICA^tipo=ORDEM_SERVICO"): its "^"-segments in
// order, each giving what follows its first "=" (empty without one); the
// names are not looked at. Missing segments give empty values.
std::vector<std::string> parameter_values(std::string_view parametros, std::size_t count);

}  // namespace tarvek
