#include "documents/boleto/boleto_banks.h"

#include "base/errors.h"
#include "documents/boleto/boleto_banrisul.h"
#include "documents/boleto/boleto_bradesco.h"
#include "documents/boleto/boleto_cresol.h"
#include "documents/boleto/boleto_itau.h"
#include "documents/boleto/boleto_sicoob.h"
#include "documents/boleto/boleto_sicredi.h"
#include "documents/boleto/boleto_sicredi_carne.h"

namespace tarvek {

namespace {

using enum BoletoAdjustment;
using enum BoletoObservation;
using enum BoletoVariant;

// The nosso número of the banks that print it as portfolio / 11 digits - check digit.
constexpr const char* kNossoNumero11 =
    " || substring( b.nossonumero from 1 for 11 ) || ' - ' || "
    "substring( b.nossonumero from 12 for 1 ) \"nossoNumeroStr\" ,";

std::vector<BoletoBank> make_banks() {
    std::vector<BoletoBank> banks;

    banks.push_back({
        .number = 41,
        .file_prefix = "Banrisul_",
        .layouts = {boleto_layout<TfrmBoletoBanrisul>("041",
                                                      {InformativeTextAndObservationSwitch})},
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("ban_nome")}},
                {"End_1_Beneficiario", 80, {from_setting("ban_dados1")}},
                {"End_2_Beneficiario", 80, {fixed("")}},
                {"AgenciaCedente", 25, {from_setting("ban_Ag_cc_Impressao")}},
                {"LocalPagto", 100, {from_setting("ban_localPgto")}},
                {"NroBancoX", 5, {fixed("041-8")}},
                {"CnpjBeneficiario", 20, {from_setting("ban_cnpj")}},
                {"Aceite", 5, {from_setting("ban_AT")}},
                {"Carteira", 3, {from_setting("ban_tipoCart")}},
                {"Agencia", 4, {from_setting("ban_AG")}},
                {"Cedente", 8, {from_setting("ban_CC")}},
            },
        .nosso_numero = {.expression = "substring( b.nossonumero from 1 for 10 ) nossoNumeroStr ,",
                         .field_width = 48},
        .observation = BySetting,
        .observation_setting = "ban_printObsCliente",
        .columns_after =
            {
                {"nomeSacador", 80, {fixed(" ")}},
                {"CPFCNPJSacador", 30, {fixed(" ")}},
            },
    });

    banks.push_back({
        .number = 748,
        .file_prefix = "Sicredi_",
        .layouts = {boleto_layout<TfrmBoletoSicredi>("748-B", {ReceiptBandSwitch, InformativeText}),
                    boleto_layout<TfrmBoletoSicredi_Carne>("748-C", {})},
        .layout_setting = "sc_Mod_imp",
        .receipt_setting = "sc_Comprovante",
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("sc_nome")}},
                {"AgenciaCedente",
                 30,
                 {from_setting("sc_Ag"), fixed("."), from_setting("sc_po"), fixed("."),
                  from_setting("sc_cc")}},
                {"LocalPagto", 100, {from_setting("sc_localPgto")}},
                {"NroBancoX", 5, {fixed("748-X")}},
                {"CnpjBeneficiario", 20, {from_setting("sc_cnpj")}},
                {"Aceite", 5, {from_setting("sc_AT")}},
            },
        .nosso_numero = {.expression = "substring( b.nossonumero from 1 for 2 ) || '/' || "
                                       "substring( b.nossonumero from 3 for 6 ) || '-' || "
                                       "substring( b.nossonumero from 9 for 2 )  nossoNumeroStr ,",
                         .field_width = 62},
    });

    banks.push_back({
        .number = 756,
        .file_prefix = "Sicoob_",
        .layouts = {boleto_layout<TfrmBoletoSicoob>("756", {CompactReceiptOrInformativeText})},
        .receipt_setting = "sicb_Comprovante",
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("sicb_nome")}},
                {"End_1_Beneficiario", 80, {from_setting("sicb_endereco_ced")}},
                {"End_2_Beneficiario", 80, {from_setting("sicb_cidade_uf_cep")}},
                {"AgenciaCedente",
                 18,
                 {from_setting("sicb_Ag"), fixed(" / "), from_setting("sicb_cd_beneficiario")}},
                {"LocalPagto", 100, {from_setting("sicb_localPgto")}},
                {"NroBancoX", 5, {fixed("756")}},
                {"CnpjBeneficiario", 20, {from_setting("sicb_cnpj")}},
                {"Aceite", 5, {from_setting("sicb_AT")}},
                {"Carteira", 3, {from_setting("sicb_tipo_crt")}},
            },
        .nosso_numero = {.expression = "b.chaveboleto || '-' || "
                                       "substring( b.nossonumero from 10 for 1 )  nossoNumeroStr ,",
                         .field_width = 32},
        .observation = BySetting,
        .observation_setting = "sicb_printObsCliente",
    });

    banks.push_back({
        .number = 341,
        .file_prefix = "Itau_",
        .layouts = {boleto_layout<TfrmBoletoItau>("341", {InformativeTextAndObservationSwitch})},
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("it_nome")}},
                {"End_1_Beneficiario", 80, {from_setting("it_endereco1")}},
                {"End_2_Beneficiario", 80, {from_setting("it_endereco2")}},
                // The layout has always declared the field two characters
                // wider than the cast; the value is the same either way.
                {.alias = "AgenciaCedente",
                 .width = 18,
                 .value = {from_setting("it_Ag"), fixed("/"), from_setting("it_cc"), fixed("-"),
                           from_setting("it_Ag_dv")},
                 .field_width = 20},
                {"LocalPagto", 100, {from_setting("it_localPgto")}},
                {"NroBancoX", 5, {fixed("341-7")}},
                {"CnpjBeneficiario", 20, {from_setting("it_CNPJ")}},
                {"Aceite", 5, {from_setting("it_AT")}},
                {"Carteira", 3, {from_setting("it_tipo_crt_SR")}},
            },
        .nosso_numero = {.prefix = {from_setting("it_tipo_crt_SR"), fixed("/")},
                         .prefix_length = 4,
                         .expression = " || substring( b.nossonumero from 1 for 8 ) || '-' || "
                                       "substring( b.nossonumero from 9 for 1 ) "
                                       "\"nossoNumeroStr\" ,",
                         .field_width = 48},
        .observation = Blank,
        .columns_after =
            {
                {.alias = "nomeSacador",
                 .width = 80,
                 .value = {from_setting("it_SacAval")},
                 .only_with = "it_SacAval"},
                {.alias = "CPFCNPJSacador",
                 .width = 30,
                 .value = {fixed("CNPJ / CPF: "), from_setting("it_Sac_cnpj")},
                 .only_with = "it_SacAval"},
            },
    });

    banks.push_back({
        .number = 237,
        .file_prefix = "Bradesco_",
        .layouts = {boleto_layout<TfrmBoletoBradesco>("237",
                                                      {InformativeTextAndObservationSwitch})},
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("brd_nome")}},
                {"End_1_Beneficiario", 80, {from_setting("brd_endereco_ced")}},
                {"End_2_Beneficiario", 80, {from_setting("brd_cidade_uf_cep")}},
                {"AgenciaCedente",
                 20,
                 {from_setting("brd_Ag"), fixed("-"), from_setting("brd_Ag_dv"), fixed(" / "),
                  from_setting("brd_cc"), fixed("-"), from_setting("brd_cc_dv")}},
                {"LocalPagto", 100, {from_setting("brd_localPgto")}},
                {"NroBancoX", 5, {fixed("237-2")}},
                {"CnpjBeneficiario", 20, {from_setting("brd_cnpj")}},
                {"Aceite", 5, {from_setting("brd_AT")}},
                {"Carteira", 3, {from_setting("brd_tipo_crt_SR")}},
            },
        .nosso_numero = {.prefix = {from_setting("brd_tipo_crt_SR"), fixed(" / ")},
                         .prefix_length = 5,
                         .expression = kNossoNumero11,
                         .field_width = 48},
        .observation = BySetting,
        .observation_setting = "brd_printObsCliente",
    });

    // The cooperative prints either under its own bank code ("CRESOL") or
    // through its partner bank ("BRADESCO").
    banks.push_back({
        .number = 2372,
        .file_prefix = "Cresol_",
        .layouts = {boleto_layout<TfrmBoletoCresol>("2372",
                                                    {CompactReceiptOrInformativeText, LogoSwap})},
        .variants = {.setting = "crs_layout", .first = "CRESOL", .second = "BRADESCO"},
        .receipt_setting = "crs_Comprovante",
        .columns =
            {
                {"nomeBeneficiario", 80, {from_setting("crs_nome")}},
                {"End_1_Beneficiario", 80, {from_setting("crs_endereco_ced")}},
                {"nomeCedente2", 150, {from_setting("crs_sac_aval_cnpj")}},
                {"End_2_Beneficiario", 80, {from_setting("crs_cidade_uf_cep")}},
                {"AgenciaCedente",
                 20,
                 {from_setting("crs_Ag"), fixed("-", Second), from_setting("crs_Ag_dv", Second),
                  fixed(" / "), from_setting("crs_cc"), fixed("-"), from_setting("crs_cc_dv")}},
                {"LocalPagto", 100, {from_setting("crs_localPgto")}},
                {"NroBancoX", 5, {fixed("133", First), fixed("237-2", Second)}},
                {"CnpjBeneficiario", 20, {from_setting("crs_cnpj")}},
                {"Aceite", 5, {from_setting("crs_AT")}},
                {"Carteira", 3, {fixed("09")}},
            },
        .nosso_numero = {.prefix = {fixed("09 / ")},
                         .expression = kNossoNumero11,
                         .field_width = 48},
        .observation = BySetting,
        .observation_setting = "crs_printObsCliente",
    });

    return banks;
}

}  // namespace

const std::vector<BoletoBank>& boleto_banks() {
    static const std::vector<BoletoBank> banks = make_banks();
    return banks;
}

const BoletoBank* BoletoBank::find(int number) {
    for (const BoletoBank& bank : boleto_banks()) {
        if (bank.number == number) return &bank;
    }
    return nullptr;
}

const BoletoBank& BoletoBank::of(const std::type_info& layout) {
    for (const BoletoBank& bank : boleto_banks()) {
        for (const BoletoLayoutEntry& entry : bank.layouts) {
            if (*entry.type == layout) return bank;
        }
    }
    throw Error(std::string("No bank prints in the boleto layout ") + layout.name());
}

}  // namespace tarvek
