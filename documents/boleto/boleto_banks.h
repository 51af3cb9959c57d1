// The banks whose boletos this program prints, one row each: how the query
// builder turns a portfolio's settings into the select list, which layout
// prints the boletos and what the job changes on it. The builder, the
// layouts' field declarations and the job all read their bank's row; no
// other place knows a bank by its number.
//
// The rows are static data and live for the whole process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace tarvek {

class TdtmEmail;
class TfrmBoletoLayout;

// Some banks print in one of two variants, chosen by a setting: the first
// when the setting is exactly the first variant's name, the second
// otherwise. A piece of a value or an adjustment may belong to one of them.
enum class BoletoVariant : std::uint8_t { Both, First, Second };

struct BoletoVariants {
    const char* setting = nullptr;  // none: the bank has no variants
    const char* first = nullptr;
    const char* second = nullptr;
};

// One piece of a constant column's value: a portfolio setting, read by its
// key, or a fixed text.
struct BoletoValuePiece {
    enum class Source : std::uint8_t { Setting, Text };
    Source source = Source::Text;
    const char* text = "";
    BoletoVariant variant = BoletoVariant::Both;
};

constexpr BoletoValuePiece from_setting(const char* key, BoletoVariant v = BoletoVariant::Both) {
    return {BoletoValuePiece::Source::Setting, key, v};
}
constexpr BoletoValuePiece fixed(const char* text, BoletoVariant v = BoletoVariant::Both) {
    return {BoletoValuePiece::Source::Text, text, v};
}

// A column of constant text put in front of b.*: cast to char(width) and
// named `alias` in the SQL; the layouts declare it as a fixed-length field of
// the alias in upper case.
struct BoletoColumn {
    const char* alias;
    int width;
    std::vector<BoletoValuePiece> value;  // joined in order
    // When set, the value is one blank unless this setting holds a value.
    const char* only_with = nullptr;
    // The layout's field width where it is not the cast's (0: the same).
    int field_width = 0;

    int declared_width() const { return field_width ? field_width : width; }
};

// The nosso número column: an SQL expression over b.nossonumero, after a
// literal made of the first `prefix_length` characters of the prefix pieces
// (all of them when 0; no literal when there are no pieces).
struct BoletoNossoNumero {
    std::vector<BoletoValuePiece> prefix;
    std::size_t prefix_length = 0;
    const char* expression;  // ends with the alias and its separator
    int field_width;         // the layouts' NOSSONUMEROSTR, a plain text field
};

// The customer's observation column ObsCliente (a blob).
enum class BoletoObservation : std::uint8_t {
    None,       // no column: the layout has no observation box
    Blank,      // always two blanks
    BySetting,  // the customer's Obs_cli when the setting says "SIM" (any case)
};

// What the job changes on a fresh layout before its query opens, in order.
enum class BoletoAdjustment : std::uint8_t {
    // bandComprovante shows when the receipt option is on.
    ReceiptBandSwitch,
    // memoInformativo takes the instruction's informative text.
    InformativeText,
    // The informative text; then, when the observation is printed, the
    // customer's observation takes the informative box.
    InformativeTextAndObservationSwitch,
    // When the receipt option is on, the compact receipt; otherwise the
    // informative text and the observation switch.
    CompactReceiptOrInformativeText,
    // In the first variant the second logo takes every logo place.
    LogoSwap,
};

using BoletoLayoutFactory = std::unique_ptr<TfrmBoletoLayout> (*)(TdtmEmail&);

// A layout a bank's boletos print in.
struct BoletoLayoutEntry {
    const char* code;  // the layout code, also part of the PDF's name
    const std::type_info* type;
    BoletoLayoutFactory create;
    std::vector<BoletoAdjustment> adjustments;
};

template <typename Layout>
BoletoLayoutEntry boleto_layout(const char* code, std::vector<BoletoAdjustment> adjustments) {
    return {code, &typeid(Layout),
            [](TdtmEmail& dtm) -> std::unique_ptr<TfrmBoletoLayout> {
                return std::make_unique<Layout>(dtm);
            },
            std::move(adjustments)};
}

struct BoletoBank {
    int number;               // boletos.Nro_Banco
    const char* file_prefix;  // the PDF is file_prefix + layout code + ".pdf"
    // One layout, or two: the second when `layout_setting`, read as a number,
    // is not zero.
    std::vector<BoletoLayoutEntry> layouts;
    const char* layout_setting = nullptr;
    BoletoVariants variants;
    // The receipt option: on when this setting is exactly "SIM".
    const char* receipt_setting = nullptr;
    // The select list, in order: `columns`, the nosso número, the
    // observation, `columns_after`.
    std::vector<BoletoColumn> columns;
    BoletoNossoNumero nosso_numero;
    BoletoObservation observation = BoletoObservation::None;
    const char* observation_setting = nullptr;
    std::vector<BoletoColumn> columns_after;

    // The bank of a number; null for a bank without a layout.
    static const BoletoBank* find(int number);
    // The bank one of whose layouts is of this class; raises an error when
    // none is (a layout class missing from the table).
    static const BoletoBank& of(const std::type_info& layout);
};

const std::vector<BoletoBank>& boleto_banks();

}  // namespace tarvek
