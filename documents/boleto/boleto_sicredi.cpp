#include "documents/boleto/boleto_sicredi.h"

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_pix.h"
#include "report/layout.h"

namespace tarvek {

using namespace report;

namespace {

// The informative box is too low for a QR code of 22 mm with whole modules:
// with a payload the box ends at 597 and the QR code stands at the band's
// right end, beside the heading and the box; the captions and the payload
// take the box's right end, the informative text ends left of them.
constexpr PixPlace kPixPlace{.qr_left = 601,
                             .qr_top = 0,
                             .qr_side = 116,
                             .text_left = 400,
                             .text_top = 23,
                             .text_width = 192,
                             .text_height = 90};

// Two detail bands printed in this order for each boleto: the delivery
// receipt, then the informative box, the payer's receipt and the bank's part.
// Fonts are pixel heights of Arial.
std::vector<ControlDesign> sicredi_design() {
    std::vector<ControlDesign> d = {
        band("bandComprovante", 38, 38, 718, 137)
            .borders(kAll)
            .contains({
                image("RLImage1", 5, 2, 95, 25).stretched(),
                dbtext("RLDBText17", 112, 4, 57, 24, "NROBANCOX").font(24).borders(kLeft),
                label("RLLabel3", 280, 4, 144, 16, "Comprovante de entrega").font(13),
                panel("RLPanel1", 0, 29, 499, 22)
                    .borders(kTop | kBottom)
                    .contains({
                        dbtext("RLDBText9", 72, 3, 100, 14, "NOMEBENEFICIARIO").font(11),
                        label("RLLabel4", 8, 4, 52, 12, "Beneficiário").font(9),
                    }),
                panel("RLPanel2", 498, 29, 220, 22)
                    .borders(kLeft | kTop)
                    .contains({
                        dbtext("RLDBText5", 87, 3, 97, 14, "DATAVENCIMENTO").font(11),
                        label("RLLabel6", 8, 4, 52, 12, "Vencimento").font(9),
                    }),
                panel("RLPanel8", 498, 50, 220, 32)
                    .borders(kLeft | kTop)
                    .contains({
                        label("RLLabel7", 8, 4, 126, 12, "Agência / Codigo Beneficiario").font(9),
                        dbtext("RLDBText10", 86, 13, 94, 14, "AGENCIACEDENTE").font(11),
                    }),
                dbtext("RLDBText69", 51, 56, 38, 14, "COD_CLI").font(11),
                dbtext("RLDBText1", 95, 56, 77, 14, "NOMESACADO").font(11),
                label("RLLabel13", 8, 57, 37, 12, "Pagador").font(9),
                panel("RLPanel7", 0, 81, 235, 32)
                    .borders(kTop | kBottom)
                    .contains({
                        panel("RLPanel22", 102, 0, 1, 32).borders(kLeft),
                        label("RLLabel5", 8, 4, 85, 12, "Data do documento").font(9),
                        label("RLLabel10", 112, 4, 98, 12, "Número do documento").font(9),
                        dbtext("RLDBText3", 8, 17, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText8", 112, 17, 18, 14, "NRO_PAR").font(11).fixed_size(),
                        dbtext("RLDBText4", 136, 17, 45, 14, "NRO_TIT").font(11),
                    }),
                panel("RLPanel6", 234, 81, 133, 54)
                    .borders(kLeft | kTop)
                    .contains({
                        label("RLLabel11", 8, 4, 47, 12, "Assinatura").font(9),
                    }),
                panel("RLPanel5", 366, 81, 133, 54)
                    .borders(kLeft | kTop)
                    .contains({
                        label("RLLabel12", 8, 4, 90, 12, "Data de recebimento").font(9),
                    }),
                panel("RLPanel3", 498, 81, 220, 24)
                    .borders(kLeft | kTop)
                    .contains({
                        dbtext("RLDBText6", 86, 6, 103, 14, "NOSSONUMEROSTR").font(11),
                        label("RLLabel8", 8, 7, 64, 12, "Nosso número").font(9),
                    }),
                panel("RLPanel4", 498, 104, 220, 31)
                    .borders(kLeft | kTop)
                    .contains({
                        dbtext("RLDBText7", 128, 5, 81, 14, "VALORBOLETO").font(11).right(),
                        label("RLLabel9", 8, 6, 86, 12, "Valor do documento").font(9),
                    }),
                memo("RLMemo1", 8, 117, 223, 14,
                     {"Recebi (emos) o bloqueto  de cobrança com as ",
                      "caracteristicas descritas neste comprovante de entrega"})
                    .font(7)
                    .expands_site(),

            }),
        band("RLBand2", 38, 175, 718, 904)
            .contains({
                label("RLLabel2", 280, 3, 92, 16, "INFORMATIVO").font(13),
                panel("RLPanel9", 0, 20, 717, 96)
                    .borders(kAll)
                    .contains({
                        memo("memoInformativo", 8, 5, 697, 88).font(11).fixed_size().expands_site(),
                    }),
                image("RLImage2", 13, 119, 95, 28).stretched(),
                dbtext("RLDBText18", 111, 120, 42, 27, "NROBANCOX").font(24).borders(kLeft),
                dbtext("RLDBText2", 190, 125, 107, 16, "LINHADIGITAVEL").font(13),
                label("RLLabel15", 600, 131, 112, 16, "Recibo do pagador").font(13),
                panel("RLPanel19", 1, 151, 716, 250)
                    .borders(kLeft | kTop | kRight)
                    .contains({
                        panel("RLPanel20", 494, 0, 1, 250).borders(kLeft),
                        label("RLLabel25", 8, 3, 87, 12, "Local de pagamento").font(9),
                        label("RLLabel16", 512, 3, 52, 12, "Vencimento").font(9),
                        dbtext("RLDBText15", 8, 14, 74, 14, "LOCALPAGTO").font(11),
                        dbtext("RLDBText11", 576, 14, 97, 14, "DATAVENCIMENTO").font(11),
                        panel("RLPanel10", 0, 30, 716, 1).borders(kTop),
                        label("RLLabel26", 8, 33, 52, 12, "Beneficiário").font(9),
                        label("RLLabel30", 376, 33, 31, 12, "CNPJ:").font(9),
                        label("RLLabel17", 512, 33, 126, 12, "Agência / Codigo Beneficiario")
                            .font(9),
                        dbtext("RLDBText16", 9, 47, 100, 14, "NOMEBENEFICIARIO").font(11),
                        dbtext("RLDBText19", 376, 47, 96, 14, "CNPJBENEFICIARIO").font(11),
                        dbtext("RLDBText12", 576, 47, 94, 14, "AGENCIACEDENTE").font(11),
                        panel("RLPanel11", -1, 63, 716, 1).borders(kTop),
                        panel("RLPanel12", 102, 64, 1, 64).borders(kLeft),
                        panel("RLPanel13", 219, 64, 1, 64).borders(kLeft),
                        panel("RLPanel15", 291, 64, 1, 32).borders(kLeft),
                        panel("RLPanel14", 358, 64, 1, 64).borders(kLeft),
                        label("RLLabel31", 10, 66, 85, 12, "Data do documento").font(9),
                        label("RLLabel32", 114, 66, 98, 12, "Número do documento").font(9),
                        label("RLLabel33", 226, 66, 59, 12, "Espécie Doc.").font(9),
                        label("RLLabel34", 298, 66, 29, 12, "Aceite").font(9),
                        label("RLLabel35", 376, 66, 103, 12, "Data de processamento").font(9),
                        label("RLLabel18", 512, 68, 64, 12, "Nosso número").font(9),
                        dbtext("RLDBText23", 11, 77, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText22", 114, 77, 21, 14, "NRO_PAR").font(11).fixed_size(),
                        dbtext("RLDBText24", 141, 77, 45, 14, "NRO_TIT").font(11),
                        dbtext("RLDBText21", 299, 77, 38, 14, "ACEITE").font(11),
                        dbtext("RLDBText20", 376, 77, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText13", 576, 77, 103, 14, "NOSSONUMEROSTR").font(11),
                        label("RLLabel40", 244, 78, 13, 12, "DI").font(9),
                        panel("RLPanel23", -1, 95, 716, 1).borders(kTop),
                        label("RLLabel36", 114, 98, 36, 12, "Especie").font(9),
                        label("RLLabel37", 226, 98, 50, 12, "Quantidade").font(9),
                        label("RLLabel38", 376, 98, 39, 12, "Valor R$").font(9),
                        label("RLLabel19", 512, 100, 86, 12, "Valor do documento").font(9),
                        dbtext("RLDBText14", 616, 109, 81, 14, "VALORBOLETO").font(11).right(),
                        label("RLLabel39", 114, 114, 27, 12, "REAL").font(9),
                        panel("RLPanel24", -1, 127, 716, 1).borders(kTop),
                        label("RLLabel41", 10, 130, 47, 12, "Instruções").font(9),
                        label("RLLabel20", 512, 134, 99, 12, "Desconto / Abatimento").font(9),
                        dbtext("RLDBText30", 35, 144, 98, 14, "DESMONSTRATIVO").font(11),
                        panel("RLPanel16", 496, 152, 220, 1).borders(kTop),
                        dbtext("RLDBText31", 35, 158, 99, 14, "INSTRUCOESCAIXA").font(11),
                        label("RLLabel21", 512, 159, 74, 12, "Outras deduções").font(9),
                        dbtext("RLDBText25", 35, 170, 52, 14, "LIN_ADC1").font(11),
                        panel("RLPanel25", 495, 176, 220, 1).borders(kTop),
                        label("RLLabel22", 512, 183, 54, 12, "Mora / Multa").font(9),
                        dbtext("RLDBText26", 35, 184, 52, 14, "LIN_ADC2").font(11),
                        dbtext("RLDBText27", 35, 198, 52, 14, "LIN_ADC3").font(11),
                        panel("RLPanel26", 495, 200, 220, 1).borders(kTop),
                        label("RLLabel23", 512, 206, 82, 12, "Outros acréscimos").font(9),
                        dbtext("RLDBText28", 35, 212, 52, 14, "LIN_ADC4").font(11),
                        panel("RLPanel27", 495, 224, 220, 1).borders(kTop),
                        dbtext("RLDBText29", 35, 226, 52, 14, "LIN_ADC5").font(11),
                        label("RLLabel24", 512, 230, 60, 12, "Valor cobrado").font(9),
                    }),
                panel("RLPanel21", 1, 401, 716, 68)
                    .borders(kAll)
                    .contains({
                        dbtext("RLDBText33", 51, 3, 38, 14, "COD_CLI").font(11),
                        dbtext("RLDBText34", 95, 3, 77, 14, "NOMESACADO").font(11),
                        dbtext("RLDBText32", 482, 3, 92, 14, "CNPJCPFSACADO").font(11),
                        label("RLLabel1", 8, 4, 37, 12, "Pagador").font(9),
                        label("RLLabel28", 416, 4, 59, 12, "CNPJ / CPF:").font(9),
                        dbtext("RLDBText35", 51, 19, 102, 14, "ENDERECOSACADO").font(11),
                        dbtext("RLDBText37", 481, 19, 87, 14, "BAIRROSACADO").font(11),
                        label("RLLabel42", 446, 20, 30, 12, "Bairro:").font(9),
                        dbtext("RLDBText36", 51, 35, 85, 14, "CIDADESACADO").font(11),
                        dbtext("RLDBText38", 369, 35, 30, 14, "ESTADOSACADO").font(11),
                        dbtext("RLDBText39", 481, 35, 67, 14, "CEPSACADO").font(11),
                        label("RLLabel44", 347, 36, 19, 12, "UF:").font(9),
                        label("RLLabel43", 451, 36, 25, 12, "CEP:").font(9),
                        label("RLLabel14", 8, 52, 80, 12, "Pagador / Avalista").font(9),
                        label("RLLabel27", 584, 52, 71, 12, "Código de Baixa").font(9),
                    }),
                label("RLLabel29", 504, 473, 213, 12,
                      "------------------ Autenticação Mecanica ------------------")
                    .font(9),
                panel("RLPanel41", 0, 492, 716, 1).borders(kTop),
                image("RLImage3", 13, 495, 95, 28).stretched(),
                dbtext("RLDBText68", 119, 496, 42, 27, "NROBANCOX").font(24).borders(kLeft),
                dbtext("RLDBText40", 198, 501, 107, 16, "LINHADIGITAVEL").font(13),
                panel("RLPanel17", 2, 527, 716, 250)
                    .borders(kLeft | kTop | kRight)
                    .contains({
                        panel("RLPanel35", 494, 0, 1, 250).borders(kLeft),
                        label("RLLabel46", 8, 3, 87, 12, "Local de pagamento").font(9),
                        label("RLLabel49", 512, 3, 52, 12, "Vencimento").font(9),
                        dbtext("RLDBText41", 8, 14, 74, 14, "LOCALPAGTO").font(11),
                        dbtext("RLDBText44", 576, 14, 97, 14, "DATAVENCIMENTO").font(11),
                        panel("RLPanel18", 0, 30, 716, 1).borders(kTop),
                        label("RLLabel47", 8, 33, 52, 12, "Beneficiário").font(9),
                        label("RLLabel57", 376, 33, 31, 12, "CNPJ:").font(9),
                        label("RLLabel48", 512, 33, 126, 12, "Agência / Codigo Beneficiario")
                            .font(9),
                        dbtext("RLDBText42", 9, 47, 100, 14, "NOMEBENEFICIARIO").font(11),
                        dbtext("RLDBText47", 376, 47, 96, 14, "CNPJBENEFICIARIO").font(11),
                        dbtext("RLDBText43", 576, 47, 94, 14, "AGENCIACEDENTE").font(11),
                        panel("RLPanel28", -1, 63, 716, 1).borders(kTop),
                        panel("RLPanel36", 102, 64, 1, 64).borders(kLeft),
                        panel("RLPanel37", 219, 64, 1, 64).borders(kLeft),
                        panel("RLPanel39", 291, 64, 1, 32).borders(kLeft),
                        panel("RLPanel38", 358, 64, 1, 64).borders(kLeft),
                        label("RLLabel58", 10, 66, 85, 12, "Data do documento").font(9),
                        label("RLLabel59", 114, 66, 98, 12, "Número do documento").font(9),
                        label("RLLabel60", 226, 66, 59, 12, "Espécie Doc.").font(9),
                        label("RLLabel61", 298, 66, 29, 12, "Aceite").font(9),
                        label("RLLabel62", 376, 66, 103, 12, "Data de processamento").font(9),
                        label("RLLabel52", 512, 68, 64, 12, "Nosso número").font(9),
                        dbtext("RLDBText51", 11, 77, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText50", 114, 77, 21, 14, "NRO_PAR").font(11).fixed_size(),
                        dbtext("RLDBText52", 141, 77, 45, 14, "NRO_TIT").font(11),
                        dbtext("RLDBText49", 299, 77, 38, 14, "ACEITE").font(11),
                        dbtext("RLDBText48", 376, 77, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText46", 576, 77, 103, 14, "NOSSONUMEROSTR").font(11),
                        label("RLLabel67", 244, 78, 13, 12, "DI").font(9),
                        panel("RLPanel29", -1, 95, 716, 1).borders(kTop),
                        label("RLLabel63", 114, 98, 36, 12, "Especie").font(9),
                        label("RLLabel64", 226, 98, 50, 12, "Quantidade").font(9),
                        label("RLLabel65", 376, 98, 39, 12, "Valor R$").font(9),
                        label("RLLabel51", 512, 100, 86, 12, "Valor do documento").font(9),
                        dbtext("RLDBText45", 616, 109, 81, 14, "VALORBOLETO").font(11).right(),
                        label("RLLabel66", 114, 114, 27, 12, "REAL").font(9),
                        panel("RLPanel30", -1, 127, 716, 1).borders(kTop),
                        label("RLLabel68", 10, 130, 47, 12, "Instruções").font(9),
                        label("RLLabel53", 512, 134, 99, 12, "Desconto / Abatimento").font(9),
                        dbtext("RLDBText58", 35, 150, 98, 14, "DESMONSTRATIVO").font(11),
                        panel("RLPanel31", 496, 152, 220, 1).borders(kTop),
                        label("RLLabel54", 512, 159, 74, 12, "Outras deduções").font(9),
                        dbtext("RLDBText59", 35, 164, 99, 14, "INSTRUCOESCAIXA").font(11),
                        dbtext("RLDBText53", 35, 176, 52, 14, "LIN_ADC1").font(11),
                        panel("RLPanel32", 495, 176, 220, 1).borders(kTop),
                        label("RLLabel50", 512, 183, 54, 12, "Mora / Multa").font(9),
                        dbtext("RLDBText54", 35, 190, 52, 14, "LIN_ADC2").font(11),
                        panel("RLPanel33", 495, 200, 220, 1).borders(kTop),
                        dbtext("RLDBText55", 35, 204, 52, 14, "LIN_ADC3").font(11),
                        label("RLLabel55", 512, 206, 82, 12, "Outros acréscimos").font(9),
                        dbtext("RLDBText56", 35, 218, 52, 14, "LIN_ADC4").font(11),
                        panel("RLPanel34", 495, 224, 220, 1).borders(kTop),
                        label("RLLabel56", 512, 230, 60, 12, "Valor cobrado").font(9),
                        dbtext("RLDBText57", 35, 232, 52, 14, "LIN_ADC5").font(11),
                    }),
                panel("RLPanel40", 2, 777, 716, 68)
                    .borders(kAll)
                    .contains({
                        dbtext("RLDBText61", 51, 3, 38, 14, "COD_CLI").font(11),
                        dbtext("RLDBText62", 95, 3, 77, 14, "NOMESACADO").font(11),
                        dbtext("RLDBText60", 483, 3, 92, 14, "CNPJCPFSACADO").font(11),
                        label("RLLabel69", 8, 4, 37, 12, "Pagador").font(9),
                        label("RLLabel72", 418, 4, 59, 12, "CNPJ / CPF:").font(9),
                        dbtext("RLDBText63", 51, 19, 102, 14, "ENDERECOSACADO").font(11),
                        dbtext("RLDBText65", 483, 19, 87, 14, "BAIRROSACADO").font(11),
                        label("RLLabel73", 448, 20, 30, 12, "Bairro:").font(9),
                        dbtext("RLDBText64", 51, 35, 85, 14, "CIDADESACADO").font(11),
                        dbtext("RLDBText66", 371, 35, 30, 14, "ESTADOSACADO").font(11),
                        dbtext("RLDBText67", 483, 35, 67, 14, "CEPSACADO").font(11),
                        label("RLLabel75", 349, 36, 19, 12, "UF:").font(9),
                        label("RLLabel74", 453, 36, 25, 12, "CEP:").font(9),
                        label("RLLabel70", 8, 52, 80, 12, "Pagador / Avalista").font(9),
                        label("RLLabel71", 584, 52, 71, 12, "Código de Baixa").font(9),
                    }),
                barcode("RLDBBarcode1", 16, 847, 90, 47, "CODBARRAS")
                    .ratio(3.0),  // margins 1.0 mm: the default
                label("RLLabel76", 505, 849, 213, 12,
                      "------------------ Autenticação Mecanica ------------------")
                    .font(9),
                label("RLLabel45", 519, 868, 176, 19, "Ficha de compensação").font(17),

            }),
    };
    // The Pix block, hidden until a boleto carries a payload.
    add_designs(d, "RLBand2", pix_designs(kPixPlace));
    return d;
}

}  // namespace

TfrmBoletoSicredi::TfrmBoletoSicredi(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoSicredi", dtm, BoletoBank::of(typeid(TfrmBoletoSicredi)),
                       PaidValueFormat::TwoDecimals) {
    build_layout(Boleto, sicredi_design(), &dtsboleto);
    // The three logo places hold the same picture.
    const Picture logo = sicredi_logo();
    for (const char* place : {"RLImage1", "RLImage2", "RLImage3"})
        Component<TRLImage>(place).SetPicture(logo);
    InstallPix("RLBand2", show_pix_at(kPixPlace, {
                                                     {.control = "RLPanel9", .width = 597},
                                                     {.control = "memoInformativo", .width = 384},
                                                 }));
}

}  // namespace tarvek
