#include "documents/boleto/boleto_banrisul.h"

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_bradesco.h"

namespace tarvek {

using namespace report;

namespace {

std::vector<ControlDesign> banrisul_design() {
    std::vector<ControlDesign> d = TfrmBoletoBradesco::Design();

    // Components that differ from Bradesco, with what differs.
    change_design(d, "left, top, width, height, font",
                  dbtext("RLDBText2", 284, 210, 86, 14, "LINHADIGITAVEL").font(11));
    change_design(d, "left", label("RLLabel36", 114, 111, 36, 12, "Especie").font(9));
    change_design(d, "left", label("RLLabel39", 114, 127, 15, 12, "R$").font(9));
    change_design(d, "left, width, content",
                  label("RLLabel40", 236, 91, 36, 12, "8050.76").font(9));
    change_design(d, "width, content", label("RLLabel41", 10, 143, 53, 12, "Instruções: ").font(9));
    change_design(d, "left, top", dbtext("RLDBText25", 67, 169, 3, 14, "LIN_ADC1").font(11));
    change_design(d, "left, top", dbtext("RLDBText26", 67, 183, 3, 14, "LIN_ADC2").font(11));
    change_design(d, "left, top", dbtext("RLDBText27", 67, 197, 3, 14, "LIN_ADC3").font(11));
    change_design(d, "left, top", dbtext("RLDBText28", 67, 211, 3, 14, "LIN_ADC4").font(11));
    change_design(d, "left, top", dbtext("RLDBText29", 67, 225, 3, 14, "LIN_ADC5").font(11));
    change_design(d, "left, top", dbtext("RLDBText30", 67, 143, 3, 14, "DESMONSTRATIVO").font(11));
    change_design(d, "left, top", dbtext("RLDBText31", 67, 157, 3, 14, "INSTRUCOESCAIXA").font(11));
    change_design(d, "content", label("RLLabel14", 8, 52, 80, 12, "Sacador / Avalista").font(9));
    change_design(d, "left, top, width, height, font, borders, other",
                  dbtext("RLDBText18", 214, 207, 64, 20, "NROBANCOX")
                      .font(16)
                      .borders(kLeft | kRight)
                      .centered()
                      .fixed_size());
    change_design(d, "left, top",
                  dbtext("RLDBText40", 285, 617, 107, 16, "LINHADIGITAVEL").font(13));
    change_design(d, "left, width, content",
                  label("RLLabel67", 236, 95, 36, 12, "8050.76").font(9));
    change_design(d, "left, top", dbtext("RLDBText53", 59, 176, 52, 14, "LIN_ADC1").font(11));
    change_design(d, "left, top", dbtext("RLDBText54", 59, 190, 52, 14, "LIN_ADC2").font(11));
    change_design(d, "left, top", dbtext("RLDBText55", 59, 204, 52, 14, "LIN_ADC3").font(11));
    change_design(d, "left, top", dbtext("RLDBText56", 59, 218, 52, 14, "LIN_ADC4").font(11));
    change_design(d, "left, top", dbtext("RLDBText57", 59, 232, 52, 14, "LIN_ADC5").font(11));
    change_design(d, "left, top", dbtext("RLDBText58", 59, 150, 98, 14, "DESMONSTRATIVO").font(11));
    change_design(d, "left, top",
                  dbtext("RLDBText59", 59, 164, 99, 14, "INSTRUCOESCAIXA").font(11));
    change_design(d, "width, content", label("RLLabel7", 10, 151, 47, 12, "Instruções").font(9));
    change_design(d, "content", label("RLLabel70", 8, 52, 80, 12, "Sacador / Avalista").font(9));
    change_design(d, "left, top, width, height, font, borders, other",
                  dbtext("RLDBText68", 214, 615, 64, 20, "NROBANCOX")
                      .font(16)
                      .borders(kLeft | kRight)
                      .centered()
                      .fixed_size());
    // RLImage2 and RLImage3 differ only in the kind of their picture (JPEG);
    // the engine keeps every picture as a bitmap of its pixel size, so the
    // drawn logo serves as it is.
    change_design(d, "left", label("RLLabel5", 115, 770, 15, 12, "R$").font(9));
    change_design(d, "left", label("RLLabel6", 115, 754, 36, 12, "Especie").font(9));

    // Components added.
    add_designs(d, "RLPanel19",
                {
                    dbtext("RLDBText69", 303, 247, 42, 14, "VALORBOLETO").font(11).right(),
                    dbtext("RLDBText70", 146, 247, 103, 14, "NOSSONUMEROSTR").font(11),
                    dbtext("RLDBText71", 71, 248, 48, 14, "CEDENTE").font(11),
                    dbtext("RLDBText72", 15, 248, 49, 14, "AGENCIA").font(11),
                    label("RLLabel12", 432, 12, 50, 12, "BDL   CCB").font(9),
                });
    add_designs(d, "RLPanel21",
                {
                    dbtext("RLDBText8", 93, 51, 84, 14, "NOMESACADOR").font(11),
                    dbtext("RLDBText9", 417, 51, 99, 14, "CPFCNPJSACADOR").font(11),
                });
    add_designs(d, "RLPanel17",
                {
                    dbtext("RLDBText73", 15, 250, 49, 14, "AGENCIA").font(11),
                    dbtext("RLDBText74", 71, 250, 48, 14, "CEDENTE").font(11),
                    dbtext("RLDBText75", 146, 249, 103, 14, "NOSSONUMEROSTR").font(11),
                    dbtext("RLDBText76", 303, 249, 42, 14, "VALORBOLETO").font(11).right(),
                    label("RLLabel13", 432, 12, 50, 12, "BDL   CCB").font(9),
                });
    add_designs(d, "RLPanel40",
                {
                    dbtext("RLDBText10", 93, 51, 84, 14, "NOMESACADOR").font(11),
                    dbtext("RLDBText17", 418, 51, 99, 14, "CPFCNPJSACADOR").font(11),
                });
    add_designs(d, "RLBand2",
                {
                    label("RLLabel8", 114, 203, 78, 10, "BANCO DO ESTADO").font(8),
                    label("RLLabel9", 114, 218, 97, 10, "DO RIO GRANDE DO SUL").font(8),
                });
    // Placed on the report itself, in page coordinates: drawn on every page
    // beneath the band, beside the lower logo.
    d.push_back(label("RLLabel10", 149, 647, 78, 10, "BANCO DO ESTADO").font(8));
    d.push_back(label("RLLabel11", 149, 662, 97, 10, "DO RIO GRANDE DO SUL").font(8));

    // Components that Bradesco has and Banrisul does not: the portfolio of
    // both parts and both "Código de Baixa".
    remove_designs(d, {"RLLabel3", "RLDBText1", "RLLabel27", "RLLabel71", "RLLabel4", "RLDBText3"});
    return d;
}

}  // namespace

TfrmBoletoBanrisul::TfrmBoletoBanrisul(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoBanrisul", dtm, BoletoBank::of(typeid(TfrmBoletoBanrisul))) {
    build_layout(Boleto, banrisul_design(), &dtsboleto);
    const Picture logo = banrisul_logo();
    Component<TRLImage>("RLImage2").SetPicture(logo);
    Component<TRLImage>("RLImage3").SetPicture(logo);
    InstallPix("RLBand2", TfrmBoletoBradesco::PixChanges());
}

}  // namespace tarvek
