#include "documents/boleto/boleto_cresol.h"

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_bradesco.h"
#include "documents/boleto/boleto_sicoob.h"

namespace tarvek {

using namespace report;

namespace {

std::vector<ControlDesign> cresol_design() {
    std::vector<ControlDesign> d = TfrmBoletoBradesco::Design();

    // Components that differ from Bradesco, with what differs.
    change_design(d, "left, top, width",
                  memo("memoInformativo", 10, 4, 695, 135).font(11).fixed_size().expands_site());
    change_design(d, "left, top, width, height, font",
                  label("RLLabel15", 618, 205, 94, 14, "Recibo do pagador").font(11));
    change_design(d, "left, width, height, font, other",
                  dbtext("RLDBText2", 254, 205, 358, 15, "LINHADIGITAVEL").font(12).fixed_size());
    change_design(d, "left, top, width, height, font, borders, other",
                  dbtext("RLDBText18", 195, 202, 54, 20, "NROBANCOX")
                      .font(16)
                      .borders(kLeft | kRight)
                      .fixed_size());
    change_design(d, "width, borders, other",
                  dbtext("RLDBText68", 119, 608, 74, 27, "NROBANCOX")
                      .font(24)
                      .borders(kLeft | kRight)
                      .fixed_size());

    // Bradesco's logo places RLImage2 and RLImage3 give way to img1 and img3
    // (same places, img1 narrower), with img2 beside img1.
    remove_designs(d, {"RLImage2", "RLImage3"});

    // Components added.
    add_designs(d, "RLPanel9",
                {
                    memo("memoComp1", 10, 4, 150, 61,
                         {"Nosso numero:", "Beneficiário:", "Pagador:", "Agencia / Conta:",
                          "Valor:", "Beneficiário final:"})
                        .font(13)
                        .right()
                        .fixed_size()
                        .expands_site()
                        .invisible(),
                    TfrmBoletoSicoob::memoComp2Design(),
                    TfrmBoletoSicoob::memoComp3Design(),
                });
    add_designs(d, "RLPanel21", {dbtext("RLDBText8", 96, 51, 83, 14, "NOMECEDENTE2").font(11)});
    add_designs(d, "RLPanel40", {dbtext("RLDBText9", 96, 51, 83, 14, "NOMECEDENTE2").font(11)});
    add_designs(d, "RLBand2",
                {
                    image("img1", 5, 200, 91, 28).stretched(),
                    image("img2", 102, 200, 91, 28).stretched(),
                    image("img3", 5, 606, 105, 28).stretched(),
                });
    return d;
}

}  // namespace

TfrmBoletoCresol::TfrmBoletoCresol(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoCresol", dtm, BoletoBank::of(typeid(TfrmBoletoCresol))) {
    build_layout(Boleto, cresol_design(), &dtsboleto);
    const Picture bradesco = bradesco_logo();
    Component<TRLImage>("img1").SetPicture(bradesco);
    Component<TRLImage>("img2").SetPicture(cresol_logo());
    Component<TRLImage>("img3").SetPicture(bradesco);
    Component<TRLBand>("RLBand2").BeforePrint = [this](TRLCustomControl& sender, bool& print_it) {
        RLBand2BeforePrint(sender, print_it);
    };
    InstallPix("RLBand2", TfrmBoletoBradesco::PixChanges(10));
}

void TfrmBoletoCresol::RLBand2BeforePrint(TRLCustomControl& /*Sender*/, bool& /*PrintIt*/) {
    if (!Component<TRLMemo>("memoComp1").Visible()) return;
    Component<TRLMemo>("memoComp2")
        .SetLines({
            FieldText("NOSSONUMEROSTR"),
            FieldText("NOMEBENEFICIARIO").substr(0, 50),
            FieldText("NOMESACADO").substr(0, 50),
            FieldText("AGENCIACEDENTE"),
            "R$ " + FieldText("VALORBOLETO") +
                "          Vencimento: " + FieldText("DATAVENCIMENTO"),
            FieldText("NOMECEDENTE2"),
        });
    TfrmBoletoSicoob::KeepCompactRowsTogether(*this);
}

}  // namespace tarvek
