// The checks a boleto's codes must pass before it goes to a customer: the
// barcode and the digitable line the ERP computed, against each other, the
// boleto's due date and value, and the bank the layout prints.
//
// Codes are read as digits: blanks, dots, hyphens and other punctuation are
// separators and ignored; a letter or any other character is a fault. Fault
// texts are Windows-1252 Portuguese, one phrase each, naming what was found
// and what was expected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/format.h"
#include "data/dataset.h"

namespace tarvek {

// The modulo-11 check digit of the barcode's 43 other digits: weights 2 to 9
// from the right, 11 minus the remainder; 0, 10 and 11 are written as 1.
int barcode_check_digit(std::string_view digits43);

// The modulo-10 check digit of a field of the digitable line: weights 2 and
// 1 from the right, the digits of each product summed, 10 minus the
// remainder; 10 is written as 0.
int line_field_check_digit(std::string_view digits);

// The due-date factor of a date: days since 7 October 1997, restarting at
// 1000 on 22 February 2025 (1000 + (days - 1000) mod 9000); none before the
// base date.
std::optional<int> due_date_factor(const Date& due);

// The cents of a money column: exact for NUMERIC columns, rounded
// otherwise; none when null.
std::optional<std::int64_t> money_cents(const Field& field);

// The CRC-16/CCITT-FALSE of `bytes` (polynomial 0x1021, initial 0xFFFF).
unsigned pix_crc16(std::string_view bytes);

// Every fault of a Pix "copia e cola" payload (the EMV BR Code): at most 512
// characters, all of them printable Windows-1252; tag-length-value fields
// from end to end; the format indicator "000201" first; a merchant account
// field (tags 26 to 51) holding the domain "br.gov.bcb.pix"; the CRC field
// "6304" last, its four upper-case hexadecimal digits the CRC of everything
// before them; an amount (tag 54), when present, equal to `value_cents`.
std::vector<std::string> pix_payload_faults(std::string_view payload,
                                            std::optional<std::int64_t> value_cents);

// What the checks read of a boleto row.
struct BoletoCodes {
    std::optional<std::string> barcode;       // CODBARRAS
    std::optional<std::string> line;          // LINHADIGITAVEL
    std::optional<Date> due;                  // DATAVENCIMENTO
    std::optional<std::int64_t> value_cents;  // VALORBOLETO
    std::string bank_code;                    // the bank box's first three digits
    std::string pix;                          // PIXCOPIAECOLA; empty when none
};

// Every fault of a boleto's codes, empty when it passes: the barcode's and
// the line's own, the Pix payload's, then the factor's, the value's and the
// bank's. A barcode that cannot be read (missing, a wrong length, a foreign
// character) is one fault and the checks that need it are skipped.
std::vector<std::string> boleto_code_faults(const BoletoCodes& codes);

// The message refusing a document: a line per failing boleto, at most
// twenty, then how many more. `failures` holds each boleto's description
// ("Boleto 4521 (nosso número 09/00000007381-7)") and its faults.
struct BoletoFailure {
    std::string boleto;
    std::vector<std::string> faults;
};
std::string boleto_code_message(const std::vector<BoletoFailure>& failures);

}  // namespace tarvek
