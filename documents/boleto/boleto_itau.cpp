#include "documents/boleto/boleto_itau.h"

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_bradesco.h"

namespace tarvek {

using namespace report;

namespace {

constexpr const char* kInstrucoes =
    "Instruções de responsabilidade do beneficiário. Qualquer dúvida sobre este boleto, "
    "contate o beneficiário.";

std::vector<ControlDesign> itau_design() {
    std::vector<ControlDesign> d = TfrmBoletoBradesco::Design();

    // Components that differ from Bradesco, with what differs.
    change_design(d, "left", dbtext("RLDBText2", 206, 205, 361, 16, "LINHADIGITAVEL").font(13));
    change_design(d, "width, content", label("RLLabel41", 10, 143, 444, 12, kInstrucoes).font(9));
    change_design(d, "content", label("RLLabel14", 8, 52, 80, 12, "Sacador / Avalista").font(9));
    change_design(d, "width, borders, other",
                  dbtext("RLDBText18", 119, 200, 70, 27, "NROBANCOX")
                      .font(24)
                      .borders(kLeft | kRight)
                      .fixed_size());
    change_design(d, "left", dbtext("RLDBText40", 214, 613, 107, 16, "LINHADIGITAVEL").font(13));
    change_design(d, "width, content", label("RLLabel7", 10, 151, 444, 12, kInstrucoes).font(9));
    change_design(d, "content", label("RLLabel70", 8, 52, 80, 12, "Sacador / Avalista").font(9));
    change_design(d, "width, borders, other",
                  dbtext("RLDBText68", 119, 608, 70, 27, "NROBANCOX")
                      .font(24)
                      .borders(kLeft | kRight)
                      .fixed_size());

    // Components added.
    add_designs(d, "RLPanel21",
                {
                    dbtext("RLDBText8", 93, 51, 84, 14, "NOMESACADOR").font(11),
                    dbtext("RLDBText9", 417, 51, 99, 14, "CPFCNPJSACADOR").font(11),
                });
    add_designs(d, "RLPanel40",
                {
                    dbtext("RLDBText10", 93, 51, 84, 14, "NOMESACADOR").font(11),
                    dbtext("RLDBText17", 418, 51, 99, 14, "CPFCNPJSACADOR").font(11),
                });

    // Components that Bradesco has and Itaú does not: both "Código de Baixa".
    remove_designs(d, {"RLLabel27", "RLLabel71"});
    return d;
}

}  // namespace

TfrmBoletoItau::TfrmBoletoItau(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoItau", dtm, BoletoBank::of(typeid(TfrmBoletoItau))) {
    build_layout(Boleto, itau_design(), &dtsboleto);
    const Picture logo = itau_logo();
    Component<TRLImage>("RLImage2").SetPicture(logo);
    Component<TRLImage>("RLImage3").SetPicture(logo);
    InstallPix("RLBand2", TfrmBoletoBradesco::PixChanges());
}

}  // namespace tarvek
