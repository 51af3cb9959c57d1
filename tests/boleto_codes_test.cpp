#include "documents/boleto/boleto_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/cp1252.h"

namespace tarvek {
namespace {

// Check digits the ERP computed for the sample boletos 1, 2, 3 and 18.
TEST(BoletoCodes, BarcodeCheckDigitOfTheSampleBoletos) {
    const struct {
        const char* barcode;
    } cases[] = {
        {"23799965600000350001234092400000000100123450"},
        {"23796968200001500001234092400000000200123450"},
        {"23792972200000089901234092400000000300123450"},
        {"13391992600000150503169092400000001800012340"},
    };
    for (const auto& c : cases) {
        const std::string b = c.barcode;
        EXPECT_EQ(barcode_check_digit(b.substr(0, 4) + b.substr(5)), b[4] - '0') << b;
    }
}

TEST(BoletoCodes, LineFieldCheckDigitOfTheSampleBoletos) {
    const struct {
        const char* field;
        int check_digit;
    } cases[] = {
        {"237912340", 5},  {"9240000000", 3}, {"0100123450", 7},
        {"0200123450", 5}, {"133931690", 1},  {"1800012340", 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(line_field_check_digit(c.field), c.check_digit) << c.field;
}

TEST(BoletoCodes, DueDateFactorRestartsOnTheTwentySecondOfFebruary2025) {
    const struct {
        Date due;
        std::optional<int> factor;
    } cases[] = {
        {{1997, 10, 6}, std::nullopt}, {{1997, 10, 7}, 0},    {{2000, 7, 3}, 1000},
        {{2024, 3, 15}, 9656},         {{2025, 2, 21}, 9999}, {{2025, 2, 22}, 1000},
        {{2025, 2, 23}, 1001},         {{2025, 3, 1}, 1007},  {{2049, 10, 13}, 9999},
        {{2049, 10, 14}, 1000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(due_date_factor(c.due), c.factor)
            << c.due.year << "-" << c.due.month << "-" << c.due.day;
    }
}

// A barcode and its line made from their parts, the check digits computed
// by the functions tested above.
struct Parts {
    std::string bank = "237";
    char currency = '9';
    std::string factor = "9656";
    std::string value = "0000035000";
    std::string free = "1234092400000000100123450";
};

std::string barcode_of(const Parts& p) {
    const std::string rest = p.bank + p.currency + p.factor + p.value + p.free;
    return rest.substr(0, 4) + std::to_string(barcode_check_digit(rest)) + rest.substr(4);
}

std::string line_of(const std::string& barcode) {
    const std::string free = barcode.substr(19);
    std::string line;
    for (const std::string& field :
         {barcode.substr(0, 4) + free.substr(0, 5), free.substr(5, 10), free.substr(15, 10)}) {
        line += field + std::to_string(line_field_check_digit(field)) + " ";
    }
    return line + barcode.substr(4, 1) + " " + barcode.substr(5, 14);
}

struct FaultCase {
    const char* label;
    BoletoCodes codes;
    std::vector<std::string> faults;  // UTF-8
};

std::vector<FaultCase> fault_cases() {
    const BoletoCodes good{
        .barcode = "23799965600000350001234092400000000100123450",
        .line = "23791.23405 92400.000003 01001.234507 9 96560000035000",
        .due = Date{2024, 3, 15},
        .value_cents = 35000,
        .bank_code = "237",
    };
    const auto with = [&good](auto&& change) {
        BoletoCodes codes = good;
        change(codes);
        return codes;
    };
    const auto made = [&good](const Parts& parts, auto&& change) {
        BoletoCodes codes = good;
        codes.barcode = barcode_of(parts);
        codes.line = line_of(*codes.barcode);
        change(codes);
        return codes;
    };
    const auto nothing = [](BoletoCodes&) {};
    Parts restart;
    restart.factor = "1000";
    Parts before_restart;
    before_restart.factor = "9999";
    Parts no_restart;  // 1 March 2025 as days since 1997 cut to four digits
    no_restart.factor = "0007";
    Parts no_due_date;
    no_due_date.factor = "0000";
    Parts no_value;
    no_value.value = "0000000000";
    Parts other_value;
    other_value.value = "0000035001";
    Parts other_currency;
    other_currency.currency = '8';
    Parts other_free = Parts{};
    other_free.free = "1234092400000000900123450";
    return {
        {"valid", good, {}},
        {"line without separators",
         with([](BoletoCodes& c) { c.line = "23791234059240000000301001234507996560000035000"; }),
         {}},
        {"line with other separators",
         with([](BoletoCodes& c) {
             c.line = "23791-23405/92400-000003/01001-234507/9/96560000035000";
         }),
         {}},
        {"factor at the restart",
         made(restart,
              [](BoletoCodes& c) {
                  c.due = Date{2025, 2, 22};
              }),
         {}},
        {"factor the day before the restart",
         made(before_restart,
              [](BoletoCodes& c) {
                  c.due = Date{2025, 2, 21};
              }),
         {}},
        {"factor computed without the restart",
         made(no_restart,
              [](BoletoCodes& c) {
                  c.due = Date{2025, 3, 1};
              }),
         {"fator de vencimento do código de barras 0007, esperado 1007 (vencimento 01/03/2025)"}},
        {"factor of another day",
         with([](BoletoCodes& c) {
             c.due = Date{2024, 3, 16};
         }),
         {"fator de vencimento do código de barras 9656, esperado 9657 (vencimento 16/03/2024)"}},
        {"factor 0000 without a due date",
         made(no_due_date, [](BoletoCodes& c) { c.due.reset(); }),
         {}},
        {"a factor but no due date",
         with([](BoletoCodes& c) { c.due.reset(); }),
         {"fator de vencimento do código de barras 9656, esperado 0000 (boleto sem vencimento)"}},
        {"value 0, filled in at payment", made(no_value, nothing), {}},
        {"value of another amount",
         made(other_value, nothing),
         {"valor do código de barras 350,01, esperado 350,00"}},
        {"another bank",
         with([](BoletoCodes& c) { c.bank_code = "748"; }),
         {"banco do código de barras 237, esperado 748"}},
        {"currency other than real",
         made(other_currency, nothing),
         {"código da moeda no código de barras 8, esperado 9"}},
        {"general check digit",
         with([](BoletoCodes& c) { (*c.barcode)[4] = '8'; }),
         {"dígito verificador geral do código de barras 8, esperado 9",
          "campo 4 da linha digitável 9, esperado 8 pelo código de barras"}},
        {"check digit of a line field",
         with([](BoletoCodes& c) { (*c.line)[23] = '4'; }),
         {"dígito verificador do campo 2 da linha digitável 4, esperado 3"}},
        {"line of another barcode",
         with([&](BoletoCodes& c) { c.line = line_of(barcode_of(other_free)); }),
         {"campo 3 da linha digitável 0900123450, esperado 0100123450 pelo código de barras",
          "campo 4 da linha digitável 4, esperado 9 pelo código de barras"}},
        {"barcode null", with([](BoletoCodes& c) { c.barcode.reset(); }), {"sem código de barras"}},
        {"barcode blank", with([](BoletoCodes& c) { c.barcode = "  "; }), {"sem código de barras"}},
        {"barcode short",
         with([](BoletoCodes& c) { c.barcode->pop_back(); }),
         {"código de barras com 43 dígitos, esperado 44"}},
        {"letter in the barcode",
         with([](BoletoCodes& c) { (*c.barcode)[10] = 'O'; }),
         {"código de barras com o caractere \"O\""}},
        {"line null", with([](BoletoCodes& c) { c.line.reset(); }), {"sem linha digitável"}},
        {"line short",
         with([](BoletoCodes& c) { c.line->pop_back(); }),
         {"linha digitável com 46 dígitos, esperado 47"}},
    };
}

TEST(BoletoCodes, FaultsOfEachRule) {
    for (const FaultCase& c : fault_cases()) {
        std::vector<std::string> expected;
        for (const std::string& fault : c.faults) expected.push_back(utf8_to_cp1252(fault));
        EXPECT_EQ(boleto_code_faults(c.codes), expected) << c.label;
    }
}

// The Central Bank's example payload (static, no amount), and the same with
// an amount of 1500.00; the CRCs were computed apart from this program.
const std::string kPixExample =
    "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-4266554400005204000053039865802BR"
    "5913Fulano de Tal6008BRASILIA62070503***63041D3D";
const std::string kPixWithAmount =
    "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-426655440000520400005303986"
    "54071500.005802BR5913Fulano de Tal6008BRASILIA62070503***63048A7A";

TEST(BoletoCodes, PixCrcOfTheCentralBanksExample) {
    EXPECT_EQ(pix_crc16(kPixExample.substr(0, kPixExample.size() - 4)), 0x1D3Du);
}

TEST(BoletoCodes, PixPayloadFaults) {
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    // A payload of `size` characters: the example with fields of tag 80
    // (up to 99 characters each) before its CRC, the CRC computed again.
    const auto sized = [](std::size_t size) {
        std::string body = kPixExample.substr(0, kPixExample.size() - 8);
        std::size_t need = size - body.size() - 8;
        while (need > 0) {
            std::size_t n = std::min<std::size_t>(99, need - 4);
            if (need - (n + 4) > 0 && need - (n + 4) < 4) n -= 4;
            char head[8];
            std::snprintf(head, sizeof head, "80%02zu", n);
            body += head + std::string(n, 'X');
            need -= n + 4;
        }
        body += "6304";
        char crc[8];
        std::snprintf(crc, sizeof crc, "%04X", pix_crc16(body));
        return body + crc;
    };
    const struct {
        const char* label;
        std::string payload;
        std::optional<std::int64_t> value;
        std::vector<std::string> faults;  // UTF-8
    } cases[] = {
        {"valid, no amount", kPixExample, 35000, {}},
        {"valid, amount equal to the boleto's", kPixWithAmount, 150000, {}},
        {"amount other than the boleto's",
         kPixWithAmount,
         149999,
         {"Pix copia e cola com o valor 1500,00, esperado 1499,99"}},
        {"CRC wrong",
         replaced(kPixExample, "63041D3D", "63041D3E"),
         0,
         {"Pix copia e cola com CRC 1D3E, esperado 1D3D"}},
        {"CRC in lower case",
         replaced(kPixExample, "63041D3D", "63041d3d"),
         0,
         {"Pix copia e cola com CRC 1d3d, esperado 1D3D"}},
        {"no CRC field",
         kPixExample.substr(0, kPixExample.size() - 8),
         0,
         {"Pix copia e cola sem o campo do CRC (6304) no fim"}},
        {"a field longer than what follows",
         kPixExample.substr(0, kPixExample.size() - 2),
         0,
         {"Pix copia e cola: campos EMV malformados (identificador, tamanho e valor)"}},
        {"no Pix domain",
         replaced(kPixWithAmount, "br.gov.bcb.pix", "br.gov.bcb.xyz"),
         150000,
         {"Pix copia e cola sem o domínio br.gov.bcb.pix",
          "Pix copia e cola com CRC 8A7A, esperado 631A"}},
        {"other format indicator",
         replaced(kPixExample, "000201", "000202"),
         0,
         {"Pix copia e cola começa com \"000202\", esperado \"000201\"",
          "Pix copia e cola com CRC 1D3D, esperado BAA3"}},
        {"512 characters", sized(512), 0, {}},
        {"513 characters", sized(513), 0, {"Pix copia e cola com 513 caracteres, máximo 512"}},
        {"a byte outside Windows-1252",
         replaced(kPixExample, "Fulano", "Ful\x81no"),
         0,
         {"Pix copia e cola com o byte 129, que não é um caractere"}},
        {"a control character",
         replaced(kPixExample, "Fulano", "Ful\nno"),
         0,
         {"Pix copia e cola com o byte 10, que não é um caractere"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& fault : c.faults) expected.push_back(utf8_to_cp1252(fault));
        EXPECT_EQ(pix_payload_faults(c.payload, c.value), expected) << c.label;
    }
    EXPECT_EQ(sized(512).size(), 512u);
    EXPECT_EQ(sized(513).size(), 513u);
}

TEST(BoletoCodes, MessageNamesTwentyBoletosThenCountsTheRest) {
    std::vector<BoletoFailure> failures;
    for (int i = 1; i <= 23; ++i) failures.push_back({"Boleto " + std::to_string(i), {"a", "b"}});
    const std::string message = boleto_code_message(failures);
    EXPECT_EQ(message.rfind(utf8_to_cp1252("Boletos com códigos que nenhum banco aceita"), 0), 0u);
    EXPECT_NE(message.find("\nBoleto 1: a; b\n"), std::string::npos);
    EXPECT_NE(message.find("\nBoleto 20: a; b\n"), std::string::npos);
    EXPECT_EQ(message.find("Boleto 21"), std::string::npos);
    EXPECT_NE(message.find(utf8_to_cp1252("\ne mais 3 boletos com códigos inválidos")),
              std::string::npos);
    EXPECT_EQ(boleto_code_message({failures[0]}).find("e mais"), std::string::npos);
}

}  // namespace
}  // namespace tarvek
