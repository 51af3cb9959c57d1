#include "documents/boleto/boleto_sicredi_carne.h"

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_pix.h"
#include "documents/boleto/boleto_sicredi.h"
#include "report/layout.h"

namespace tarvek {

using namespace report;

namespace {

// A boleto with a payload has the Pix block in its stub, where the stub's
// blank rows 2 to 6 (to be filled by hand) are: the slip has no other room
// outside the bank's part.
constexpr PixPlace kPixPlace{.qr_left = 94,
                             .qr_top = 99,
                             .qr_side = 97,
                             .text_left = 4,
                             .text_top = 99,
                             .text_width = 88,
                             .text_height = 97,
                             .title_font = 10,
                             .caption_font = 8,
                             .payload_font = 7,
                             .smallest_font = 4};

// One boleto of the booklet, 344 pixels high, so three fill a page: header
// row, field grid, payer box and the bottom row with the barcode. The rule
// RLPanel1 at 192 parts the payer's stub from the bank's part. Fonts are
// pixel heights of Arial.
std::vector<ControlDesign> carne_design() {
    std::vector<ControlDesign> d = {
        band("RLBand2", 38, 38, 718, 344)
            .contains({
                panel("RLPanel41", 0, 4, 716, 1).borders(kTop),
                image("RLImage1", 8, 6, 91, 24),
                image("RLImage3", 200, 6, 91, 24),
                dbtext("RLDBText1", 107, 7, 58, 18, "NROBANCOX").font(16).borders(kLeft),
                dbtext("RLDBText68", 299, 7, 51, 18, "NROBANCOX").font(16).borders(kLeft),
                dbtext("RLDBText40", 358, 9, 98, 15, "LINHADIGITAVEL").font(12),
                panel("RLPanel17", 2, 30, 716, 197)
                    .borders(kLeft | kTop | kRight)
                    .contains({
                        panel("RLPanel1", 192, 1, 1, 195).borders(kLeft),
                        panel("RLPanel35", 564, 1, 1, 197).borders(kLeft),
                        panel("RLPanel5", 87, 2, 1, 23).borders(kLeft),
                        label("RLLabel6", 7, 3, 66, 12, "Parcela / Plano").font(9),
                        label("RLLabel1", 103, 3, 52, 12, "Vencimento").font(9),
                        label("RLLabel46", 197, 4, 87, 12, "Local de pagamento").font(9),
                        dbtext("RLDBText41", 293, 4, 64, 12, "LOCALPAGTO").font(9),
                        label("RLLabel49", 572, 4, 52, 12, "Vencimento").font(9),
                        dbtext("RLDBText44", 630, 4, 80, 12, "DATAVENCIMENTO").font(9),
                        dbtext("RLDBText2", 103, 14, 80, 12, "DATAVENCIMENTO").font(9),
                        panel("RLPanel18", 0, 27, 716, 1).borders(kTop),
                        label("RLLabel2", 4, 28, 103, 10, "Agência / Codigo Beneficiario").font(8),
                        label("RLLabel47", 197, 28, 42, 10, "Beneficiário").font(8),
                        label("RLLabel57", 477, 28, 25, 10, "CNPJ:").font(8),
                        label("RLLabel48", 572, 28, 103, 10, "Agência / Codigo Beneficiario")
                            .font(8),
                        dbtext("RLDBText3", 62, 38, 75, 10, "AGENCIACEDENTE").font(8),
                        dbtext("RLDBText42", 197, 38, 81, 10, "NOMEBENEFICIARIO").font(8),
                        dbtext("RLDBText47", 477, 38, 78, 10, "CNPJBENEFICIARIO").font(8),
                        dbtext("RLDBText43", 630, 38, 75, 10, "AGENCIACEDENTE").font(8),
                        panel("RLPanel28", -1, 49, 716, 1).borders(kTop),
                        panel("RLPanel4", 87, 50, 1, 23).borders(kLeft),
                        label("RLLabel58", 197, 50, 66, 10, "Data do documento").font(8),
                        panel("RLPanel36", 279, 50, 1, 47).borders(kLeft),
                        label("RLLabel59", 291, 50, 77, 10, "Número do documento").font(8),
                        panel("RLPanel37", 371, 50, 1, 47).borders(kLeft),
                        label("RLLabel60", 378, 50, 47, 10, "Espécie Doc.").font(8),
                        panel("RLPanel39", 427, 50, 1, 23).borders(kLeft),
                        label("RLLabel61", 434, 50, 23, 10, "Aceite").font(8),
                        panel("RLPanel38", 472, 50, 1, 47).borders(kLeft),
                        label("RLLabel62", 477, 50, 81, 10, "Data de processamento").font(8),
                        label("RLLabel52", 572, 50, 51, 10, "Nosso número").font(8),
                        label("RLLabel3", 4, 51, 29, 10, "Especie").font(8),
                        label("RLLabel5", 103, 51, 65, 10, "Quantidade Moeda").font(8),
                        dbtext("RLDBText50", 291, 60, 21, 12, "NRO_PAR").font(8).fixed_size(),
                        dbtext("RLDBText51", 197, 61, 58, 10, "DATAEMISSAO").font(8),
                        dbtext("RLDBText52", 318, 61, 36, 10, "NRO_TIT").font(8),
                        label("RLLabel67", 396, 61, 10, 10, "DI").font(8),
                        dbtext("RLDBText49", 434, 61, 30, 10, "ACEITE").font(8),
                        dbtext("RLDBText48", 477, 61, 58, 10, "DATAEMISSAO").font(8),
                        dbtext("RLDBText46", 630, 61, 82, 10, "NOSSONUMEROSTR").font(8),
                        label("RLLabel4", 4, 62, 22, 10, "REAL").font(8),
                        panel("RLPanel29", -1, 73, 716, 1).borders(kTop),
                        label("RLLabel7", 197, 74, 66, 12, "Parcela / Plano").font(9),
                        label("RLLabel63", 306, 75, 29, 10, "Especie").font(8),
                        label("RLLabel64", 378, 75, 40, 10, "Quantidade").font(8),
                        label("RLLabel65", 477, 75, 32, 10, "Valor R$").font(8),
                        label("RLLabel8", 4, 77, 87, 10, "1 (=) Valor do documento").font(8),
                        label("RLLabel51", 572, 77, 68, 10, "Valor do documento").font(8),
                        dbtext("RLDBText4", 103, 86, 59, 10, "VALORBOLETO").font(8).right(),
                        label("RLLabel66", 307, 86, 22, 10, "REAL").font(8),
                        dbtext("RLDBText45", 651, 86, 59, 10, "VALORBOLETO").font(8).right(),
                        panel("RLPanel30", -1, 97, 716, 1).borders(kTop),
                        label("RLLabel68", 202, 100, 37, 10, "Instruções").font(8),
                        dbtext("RLDBText58", 242, 100, 76, 10, "DESMONSTRATIVO").font(8),
                        label("RLLabel10", 4, 104, 94, 10, "2 (-) Desconto / Abatimento").font(8),
                        label("RLLabel53", 572, 104, 77, 10, "Desconto / Abatimento").font(8),
                        dbtext("RLDBText59", 242, 114, 77, 10, "INSTRUCOESCAIXA").font(8),
                        panel("RLPanel6", 0, 119, 192, 1).borders(kTop),
                        panel("RLPanel31", 566, 119, 147, 1).borders(kTop),
                        label("RLLabel11", 4, 124, 76, 10, "3 (-) Outras deduções").font(8),
                        label("RLLabel54", 572, 124, 59, 10, "Outras deduções").font(8),
                        dbtext("RLDBText53", 242, 126, 39, 10, "LIN_ADC1").font(8),
                        panel("RLPanel7", 0, 139, 192, 1).borders(kTop),
                        panel("RLPanel32", 564, 139, 149, 1).borders(kTop),
                        dbtext("RLDBText54", 242, 140, 39, 10, "LIN_ADC2").font(8),
                        label("RLLabel9", 4, 142, 64, 10, "4 (+) Mora / Multa").font(8),
                        label("RLLabel50", 572, 142, 45, 10, "Mora / Multa").font(8),
                        dbtext("RLDBText55", 242, 154, 39, 10, "LIN_ADC3").font(8),
                        panel("RLPanel8", 0, 157, 192, 1).borders(kTop),
                        panel("RLPanel33", 566, 157, 147, 1).borders(kTop),
                        label("RLLabel12", 4, 161, 85, 10, "5 (+) Outros acréscimos").font(8),
                        label("RLLabel55", 572, 161, 66, 10, "Outros acréscimos").font(8),
                        dbtext("RLDBText56", 242, 168, 39, 10, "LIN_ADC4").font(8),
                        panel("RLPanel9", 0, 176, 192, 1).borders(kTop),
                        panel("RLPanel34", 566, 176, 147, 1).borders(kTop),
                        label("RLLabel13", 4, 179, 68, 10, "6 (=) Valor cobrado").font(8),
                        dbtext("RLDBText57", 242, 182, 39, 10, "LIN_ADC5").font(8),
                        label("RLLabel56", 572, 182, 49, 10, "Valor cobrado").font(8),
                    }),
                panel("RLPanel40", 2, 227, 716, 68)
                    .borders(kAll)
                    .contains({
                        panel("RLPanel2", 192, 0, 1, 67).borders(kLeft),
                        label("RLLabel14", 4, 2, 51, 10, "Nosso número").font(8),
                        label("RLLabel69", 200, 4, 31, 10, "Pagador").font(8),
                        dbtext("RLDBText61", 243, 4, 36, 10, "COD_CLI").font(8),
                        dbtext("RLDBText62", 287, 4, 59, 10, "NOMESACADO").font(8),
                        label("RLLabel72", 559, 4, 47, 10, "CNPJ / CPF:").font(8),
                        dbtext("RLDBText60", 624, 4, 72, 10, "CNPJCPFSACADO").font(8),
                        dbtext("RLDBText5", 62, 14, 82, 10, "NOSSONUMEROSTR").font(8),
                        dbtext("RLDBText63", 243, 19, 80, 10, "ENDERECOSACADO").font(8),
                        label("RLLabel73", 589, 19, 25, 10, "Bairro:").font(8),
                        dbtext("RLDBText65", 624, 19, 65, 10, "BAIRROSACADO").font(8),
                        panel("RLPanel10", 0, 31, 192, 1).borders(kTop),
                        dbtext("RLDBText64", 243, 35, 65, 10, "CIDADESACADO").font(8),
                        label("RLLabel75", 469, 35, 15, 10, "UF:").font(8),
                        dbtext("RLDBText66", 491, 35, 67, 10, "ESTADOSACADO").font(8),
                        label("RLLabel74", 594, 35, 20, 10, "CEP:").font(8),
                        dbtext("RLDBText67", 624, 35, 51, 10, "CEPSACADO").font(8),
                        label("RLLabel15", 4, 36, 77, 10, "Número do documento").font(8),
                        dbtext("RLDBText6", 27, 48, 21, 12, "NRO_PAR").font(8).fixed_size(),
                        dbtext("RLDBText7", 54, 49, 36, 10, "NRO_TIT").font(8),
                        label("RLLabel70", 200, 52, 63, 10, "Pagador / Avalista").font(8),
                        label("RLLabel71", 624, 52, 57, 10, "Código de Baixa").font(8),
                    }),
                panel("RLPanel3", 194, 295, 1, 53).borders(kLeft),
                label("RLLabel16", 6, 298, 31, 10, "Pagador").font(8),
                barcode("RLDBBarcode1", 200, 298, 90, 41, "CODBARRAS")
                    .ratio(3.0),  // margins 1.0 mm: the default
                label("RLLabel76", 625, 300, 82, 10, "Autenticação Mecanica ").font(8),
                dbtext("RLDBText8", 6, 311, 59, 10, "NOMESACADO").font(8),
                label("RLLabel45", 625, 319, 79, 10, "Ficha de compensação").font(8),
                label("RLLabel17", 97, 324, 67, 10, "Recibo do Pagador").font(8),

            }),
    };
    // The Pix block, hidden until a boleto carries a payload.
    add_designs(d, "RLPanel17", pix_designs(kPixPlace));
    return d;
}

}  // namespace

TfrmBoletoSicredi_Carne::TfrmBoletoSicredi_Carne(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoSicredi_Carne", dtm,
                       BoletoBank::of(typeid(TfrmBoletoSicredi_Carne)),
                       PaidValueFormat::TwoDecimals) {
    build_layout(Boleto, carne_design(), &dtsboleto);
    // Not stretched: the picture sits at its own size in the box's corner.
    const Picture logo = sicredi_booklet_logo();
    Component<TRLImage>("RLImage1").SetPicture(logo);
    Component<TRLImage>("RLImage3").SetPicture(logo);
    std::vector<PixChange> blank_rows;
    for (const char* row : {"RLLabel10", "RLLabel11", "RLLabel9", "RLLabel12", "RLLabel13",
                            "RLPanel6", "RLPanel7", "RLPanel8", "RLPanel9"})
        blank_rows.push_back({.control = row, .visible = false});
    InstallPix("RLBand2", show_pix_at(kPixPlace, std::move(blank_rows)));
}

}  // namespace tarvek
