#include "documents/boleto/boleto_bradesco.h"

#include "documents/boleto/bank_logos.h"

namespace tarvek {

using namespace report;

// Row by row: informative box, payer's receipt, cut line and the bank's part
// with the barcode. Fonts are pixel heights of Arial.
std::vector<ControlDesign> TfrmBoletoBradesco::Design() {
    std::vector<ControlDesign> d = {
        band("RLBand2", 38, 38, 718, 1038)
            .contains({
                label("RLLabel2", 280, 11, 92, 16, "INFORMATIVO").font(13),
                panel("RLPanel9", 0, 32, 717, 157)
                    .borders(kAll)
                    .contains({
                        memo("memoInformativo", 8, 5, 697, 135)
                            .font(11)
                            .fixed_size()
                            .expands_site(),
                        dbmemo("edtObscliente", 9, 140, 696, 10, "OBSCLIENTE")
                            .font(9)
                            .fixed_size()
                            .expands_site(),
                    }),
                image("RLImage2", 5, 200, 105, 28).stretched(),
                dbtext("RLDBText18", 119, 200, 42, 27, "NROBANCOX").font(24).borders(kLeft),
                dbtext("RLDBText2", 190, 205, 361, 16, "LINHADIGITAVEL").font(13),
                label("RLLabel15", 600, 211, 112, 16, "Recibo do pagador").font(13),
                panel("RLPanel19", 1, 231, 716, 263)
                    .borders(kLeft | kTop | kRight)
                    .contains({
                        panel("RLPanel20", 494, 1, 1, 262).borders(kLeft),
                        label("RLLabel25", 8, 3, 87, 12, "Local de pagamento").font(9),
                        label("RLLabel16", 512, 3, 52, 12, "Vencimento").font(9),
                        dbtext("RLDBText15", 8, 14, 357, 14, "LOCALPAGTO").font(11),
                        dbtext("RLDBText11", 624, 14, 73, 14, "DATAVENCIMENTO").font(11).right(),
                        panel("RLPanel10", 0, 30, 716, 1).borders(kTop),
                        label("RLLabel26", 8, 33, 52, 12, "Beneficiário").font(9),
                        label("RLLabel30", 376, 33, 31, 12, "CNPJ:").font(9),
                        label("RLLabel17", 512, 41, 126, 12, "Agência / Codigo Beneficiario")
                            .font(9),
                        dbtext("RLDBText16", 8, 47, 285, 14, "NOMEBENEFICIARIO").font(11),
                        dbtext("RLDBText19", 376, 47, 106, 14, "CNPJBENEFICIARIO").font(11),
                        dbtext("RLDBText12", 566, 55, 131, 14, "AGENCIACEDENTE").font(11).right(),
                        dbtext("RLDBText4", 8, 63, 105, 12, "END_1_BENEFICIARIO").font(9),
                        dbtext("RLDBText5", 297, 63, 105, 12, "END_2_BENEFICIARIO").font(9),
                        panel("RLPanel11", 0, 77, 716, 1).borders(kTop),
                        panel("RLPanel12", 102, 77, 1, 64).borders(kLeft),
                        panel("RLPanel13", 219, 77, 1, 64).borders(kLeft),
                        panel("RLPanel15", 291, 77, 1, 32).borders(kLeft),
                        panel("RLPanel14", 358, 77, 1, 64).borders(kLeft),
                        label("RLLabel31", 8, 79, 85, 12, "Data do documento").font(9),
                        label("RLLabel32", 114, 79, 98, 12, "Número do documento").font(9),
                        label("RLLabel33", 226, 79, 59, 12, "Espécie Doc.").font(9),
                        label("RLLabel34", 298, 79, 29, 12, "Aceite").font(9),
                        label("RLLabel35", 376, 79, 103, 12, "Data de processamento").font(9),
                        label("RLLabel18", 512, 81, 64, 12, "Nosso número").font(9),
                        dbtext("RLDBText13", 630, 85, 67, 14, "NOSSONUMEROSTR").font(11).right(),
                        dbtext("RLDBText23", 8, 90, 57, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText22", 114, 90, 21, 14, "NRO_PAR").font(11).fixed_size(),
                        dbtext("RLDBText24", 141, 90, 51, 14, "NRO_TIT").font(11),
                        dbtext("RLDBText21", 299, 90, 26, 14, "ACEITE").font(11),
                        dbtext("RLDBText20", 376, 90, 57, 14, "DATAEMISSAO").font(11),
                        label("RLLabel40", 244, 91, 17, 12, "DM").font(9),
                        panel("RLPanel23", 0, 108, 716, 1).borders(kTop),
                        label("RLLabel3", 114, 111, 36, 12, "Carteira").font(9),
                        label("RLLabel36", 170, 111, 36, 12, "Especie").font(9),
                        label("RLLabel37", 226, 111, 50, 12, "Quantidade").font(9),
                        label("RLLabel38", 376, 111, 39, 12, "Valor R$").font(9),
                        label("RLLabel19", 512, 113, 86, 12, "Valor do documento").font(9),
                        dbtext("RLDBText14", 655, 117, 42, 14, "VALORBOLETO").font(11).right(),
                        dbtext("RLDBText1", 123, 124, 22, 14, "CARTEIRA").font(11).fixed_size(),
                        label("RLLabel39", 170, 127, 15, 12, "R$").font(9),
                        panel("RLPanel24", 0, 140, 716, 1).borders(kTop),
                        label("RLLabel41", 10, 143, 437, 12,
                              "Instruções       ( Todas as informações deste bloqueto são de "
                              "exclusiva responsabilidade do cendente )")
                            .font(9),
                        label("RLLabel20", 512, 147, 99, 12, "Desconto / Abatimento").font(9),
                        dbtext("RLDBText30", 35, 157, 3, 14, "DESMONSTRATIVO").font(11),
                        panel("RLPanel16", 496, 165, 220, 1).borders(kTop),
                        dbtext("RLDBText31", 35, 171, 3, 14, "INSTRUCOESCAIXA").font(11),
                        label("RLLabel21", 512, 172, 74, 12, "Outras deduções").font(9),
                        dbtext("RLDBText25", 35, 183, 3, 14, "LIN_ADC1").font(11),
                        panel("RLPanel25", 495, 189, 220, 1).borders(kTop),
                        label("RLLabel22", 512, 196, 54, 12, "Mora / Multa").font(9),
                        dbtext("RLDBText26", 35, 197, 3, 14, "LIN_ADC2").font(11),
                        dbtext("RLDBText27", 35, 211, 3, 14, "LIN_ADC3").font(11),
                        panel("RLPanel26", 495, 213, 220, 1).borders(kTop),
                        label("RLLabel23", 512, 219, 82, 12, "Outros acréscimos").font(9),
                        dbtext("RLDBText28", 35, 225, 3, 14, "LIN_ADC4").font(11),
                        panel("RLPanel27", 495, 237, 220, 1).borders(kTop),
                        dbtext("RLDBText29", 35, 239, 3, 14, "LIN_ADC5").font(11),
                        label("RLLabel24", 512, 243, 60, 12, "Valor cobrado").font(9),
                    }),
                panel("RLPanel21", 1, 494, 716, 68)
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
                label("RLLabel29", 504, 566, 213, 12,
                      "------------------ Autenticação Mecanica ------------------")
                    .font(9),
                panel("RLPanel1", 0, 600, 716, 1).borders(kTop),
                image("RLImage3", 5, 606, 105, 28).stretched(),
                dbtext("RLDBText68", 119, 608, 42, 27, "NROBANCOX").font(24).borders(kLeft),
                dbtext("RLDBText40", 198, 613, 107, 16, "LINHADIGITAVEL").font(13),
                panel("RLPanel17", 2, 639, 716, 266)
                    .borders(kLeft | kTop | kRight)
                    .contains({
                        panel("RLPanel35", 494, -1, 1, 267).borders(kLeft),
                        label("RLLabel46", 8, 3, 87, 12, "Local de pagamento").font(9),
                        label("RLLabel49", 512, 3, 52, 12, "Vencimento").font(9),
                        dbtext("RLDBText41", 8, 14, 74, 14, "LOCALPAGTO").font(11),
                        dbtext("RLDBText44", 600, 14, 97, 14, "DATAVENCIMENTO").font(11).right(),
                        panel("RLPanel18", 0, 30, 716, 1).borders(kTop),
                        label("RLLabel47", 8, 33, 52, 12, "Beneficiário").font(9),
                        label("RLLabel57", 376, 33, 31, 12, "CNPJ:").font(9),
                        label("RLLabel48", 512, 41, 126, 12, "Agência / Codigo Beneficiario")
                            .font(9),
                        dbtext("RLDBText42", 8, 47, 100, 14, "NOMEBENEFICIARIO").font(11),
                        dbtext("RLDBText47", 376, 47, 96, 14, "CNPJBENEFICIARIO").font(11),
                        dbtext("RLDBText43", 603, 55, 94, 14, "AGENCIACEDENTE").font(11).right(),
                        panel("RLPanel28", 0, 79, 716, 1).borders(kTop),
                        panel("RLPanel36", 102, 81, 1, 64).borders(kLeft),
                        panel("RLPanel37", 219, 81, 1, 64).borders(kLeft),
                        panel("RLPanel39", 291, 81, 1, 32).borders(kLeft),
                        panel("RLPanel38", 358, 81, 1, 64).borders(kLeft),
                        label("RLLabel58", 8, 83, 85, 12, "Data do documento").font(9),
                        label("RLLabel59", 114, 83, 98, 12, "Número do documento").font(9),
                        label("RLLabel60", 226, 83, 59, 12, "Espécie Doc.").font(9),
                        label("RLLabel61", 298, 83, 29, 12, "Aceite").font(9),
                        label("RLLabel62", 376, 83, 103, 12, "Data de processamento").font(9),
                        label("RLLabel52", 512, 85, 64, 12, "Nosso número").font(9),
                        dbtext("RLDBText51", 8, 94, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText50", 114, 94, 21, 14, "NRO_PAR").font(11).fixed_size(),
                        dbtext("RLDBText52", 141, 94, 45, 14, "NRO_TIT").font(11),
                        dbtext("RLDBText49", 299, 94, 38, 14, "ACEITE").font(11),
                        dbtext("RLDBText48", 376, 94, 78, 14, "DATAEMISSAO").font(11),
                        dbtext("RLDBText46", 594, 94, 103, 14, "NOSSONUMEROSTR").font(11).right(),
                        label("RLLabel67", 244, 95, 17, 12, "DM").font(9),
                        panel("RLPanel29", 0, 112, 716, 1).borders(kTop),
                        label("RLLabel64", 226, 115, 50, 12, "Quantidade").font(9),
                        label("RLLabel65", 376, 115, 39, 12, "Valor R$").font(9),
                        label("RLLabel51", 512, 117, 86, 12, "Valor do documento").font(9),
                        dbtext("RLDBText45", 616, 126, 81, 14, "VALORBOLETO").font(11).right(),
                        panel("RLPanel30", 0, 144, 716, 1).borders(kTop),
                        label("RLLabel7", 10, 151, 437, 12,
                              "Instruções       ( Todas as informações deste bloqueto são de "
                              "exclusiva responsabilidade do cendente )")
                            .font(9),
                        label("RLLabel53", 512, 151, 99, 12, "Desconto / Abatimento").font(9),
                        dbtext("RLDBText58", 35, 167, 98, 14, "DESMONSTRATIVO").font(11),
                        panel("RLPanel31", 496, 169, 220, 1).borders(kTop),
                        label("RLLabel54", 512, 176, 74, 12, "Outras deduções").font(9),
                        dbtext("RLDBText59", 35, 181, 99, 14, "INSTRUCOESCAIXA").font(11),
                        dbtext("RLDBText53", 35, 193, 52, 14, "LIN_ADC1").font(11),
                        panel("RLPanel32", 495, 193, 220, 1).borders(kTop),
                        label("RLLabel50", 512, 200, 54, 12, "Mora / Multa").font(9),
                        dbtext("RLDBText54", 35, 207, 52, 14, "LIN_ADC2").font(11),
                        panel("RLPanel33", 495, 217, 220, 1).borders(kTop),
                        dbtext("RLDBText55", 35, 221, 52, 14, "LIN_ADC3").font(11),
                        label("RLLabel55", 512, 223, 82, 12, "Outros acréscimos").font(9),
                        dbtext("RLDBText56", 35, 235, 52, 14, "LIN_ADC4").font(11),
                        panel("RLPanel34", 495, 241, 220, 1).borders(kTop),
                        label("RLLabel56", 512, 247, 60, 12, "Valor cobrado").font(9),
                        dbtext("RLDBText57", 35, 249, 52, 14, "LIN_ADC5").font(11),
                    }),
                dbtext("RLDBText6", 10, 702, 105, 12, "END_1_BENEFICIARIO").font(9),
                dbtext("RLDBText7", 298, 702, 105, 12, "END_2_BENEFICIARIO").font(9),
                label("RLLabel4", 114, 754, 36, 12, "Carteira").font(9),
                label("RLLabel6", 170, 754, 36, 12, "Especie").font(9),
                dbtext("RLDBText3", 123, 767, 22, 14, "CARTEIRA").font(11).fixed_size(),
                label("RLLabel5", 170, 770, 15, 12, "R$").font(9),
                panel("RLPanel40", 2, 905, 716, 68)
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
                barcode("RLDBBarcode1", 16, 975, 90, 47, "CODBARRAS")
                    .ratio(3.0),  // margins 1.0 mm: the default
                label("RLLabel76", 505, 977, 213, 12,
                      "------------------ Autenticação Mecanica ------------------")
                    .font(9),
                label("RLLabel45", 519, 996, 176, 19, "Ficha de compensação").font(17),
            })};
    // The Pix block, hidden until a boleto carries a payload.
    add_designs(d, "RLPanel9", pix_designs(kInformativeBoxPix));
    return d;
}

std::vector<PixChange> TfrmBoletoBradesco::PixChanges(int informative_left) {
    return show_pix_at(
        kInformativeBoxPix,
        {
            {.control = "memoInformativo", .width = kTextsEndBesidePix - informative_left},
            {.control = "edtObscliente", .width = kTextsEndBesidePix - 9},
        });
}

TfrmBoletoBradesco::TfrmBoletoBradesco(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoBradesco", dtm, BoletoBank::of(typeid(TfrmBoletoBradesco))) {
    build_layout(Boleto, Design(), &dtsboleto);
    const Picture logo = bradesco_logo();
    Component<TRLImage>("RLImage2").SetPicture(logo);
    Component<TRLImage>("RLImage3").SetPicture(logo);
    InstallPix("RLBand2", PixChanges());
}

}  // namespace tarvek
