#include "documents/boleto/boleto_sicoob.h"

#include <algorithm>

#include "documents/boleto/bank_logos.h"
#include "documents/boleto/boleto_bradesco.h"
#include "report/text_metrics.h"

namespace tarvek {

using namespace report;

namespace {

std::vector<ControlDesign> sicoob_design() {
    std::vector<ControlDesign> d = TfrmBoletoBradesco::Design();

    // Bradesco's lower-grid legend RLLabel7 has no counterpart here (RLLabel68
    // takes its role); its name goes to the upper grid's "Uso do banco".
    remove_designs(d, {"RLLabel7"});

    // The informative box: both memos a little shorter, and the compact
    // receipt, hidden until the job shows it.
    change_design(d, "height",
                  memo("memoInformativo", 8, 5, 697, 130).font(11).fixed_size().expands_site());
    change_design(
        d, "top",
        dbmemo("edtObscliente", 9, 139, 696, 10, "OBSCLIENTE").font(9).fixed_size().expands_site());
    add_designs(d, "RLPanel9",
                {
                    memo("memoComp1", 10, 4, 150, 77,
                         {"Nosso numero:", "Beneficiário:", "Pagador:", "Agencia / Conta:",
                          "Valor:", "Vencimento:"})
                        .font(13)
                        .right()
                        .fixed_size()
                        .expands_site()
                        .invisible(),
                    TfrmBoletoSicoob::memoComp2Design(),
                    TfrmBoletoSicoob::memoComp3Design(),
                });

    // The grids: short instruction headings and a "Uso do banco" caption.
    change_design(d, "width, content", label("RLLabel41", 10, 143, 47, 12, "Instruções").font(9));
    add_designs(d, "RLPanel19", {label("RLLabel7", 10, 111, 61, 12, "Uso do banco").font(9)});
    add_designs(d, "RLPanel17",
                {
                    label("RLLabel68", 10, 147, 47, 12, "Instruções").font(9),
                    label("RLLabel8", 10, 115, 61, 12, "Uso do banco").font(9),
                });
    return d;
}

}  // namespace

TfrmBoletoSicoob::TfrmBoletoSicoob(TdtmEmail& dtm)
    : TfrmBoletoLayout("frmBoletoSicoob", dtm, BoletoBank::of(typeid(TfrmBoletoSicoob))) {
    build_layout(Boleto, sicoob_design(), &dtsboleto);
    const Picture logo = sicoob_logo();
    Component<TRLImage>("RLImage2").SetPicture(logo);
    Component<TRLImage>("RLImage3").SetPicture(logo);
    Component<TRLBand>("RLBand2").BeforePrint = [this](TRLCustomControl& sender, bool& print_it) {
        RLBand2BeforePrint(sender, print_it);
    };
    InstallPix("RLBand2", TfrmBoletoBradesco::PixChanges());
}

ControlDesign TfrmBoletoSicoob::memoComp2Design() {
    // The design lines are placeholders: the band handler replaces them
    // before every band while the memo shows.
    return memo("memoComp2", 162, 4, 350, 61,
                {"2",
                 "sd vjksd vjk jk asdfjkfasdjk d fasdg jhasdfg asdg f asdgjhfasdjhfasd fdf sdgfsdg "
                 "fasd"})
        .font(13)
        .fixed_size()
        .expands_site()
        .invisible();
}

ControlDesign TfrmBoletoSicoob::memoComp3Design() {
    return memo("memoComp3", 514, 4, 191, 133,
                {"Recebi este boleto em:   ", "", "______/______/____________", "", "", "",
                 "______________________________", "              Assinatura"})
        .font(11)
        .fixed_size()
        .expands_site()
        .invisible();
}

void TfrmBoletoSicoob::RLBand2BeforePrint(TRLCustomControl& /*Sender*/, bool& /*PrintIt*/) {
    if (!Component<TRLMemo>("memoComp1").Visible()) return;
    Component<TRLMemo>("memoComp2")
        .SetLines({
            FieldText("NOSSONUMEROSTR"),
            FieldText("NOMEBENEFICIARIO").substr(0, 50),
            FieldText("NOMESACADO").substr(0, 50),
            FieldText("AGENCIACEDENTE"),
            "R$ " + FieldText("VALORBOLETO"),
            FieldText("DATAVENCIMENTO"),
        });
    KeepCompactRowsTogether(*this);
}

void TfrmBoletoSicoob::KeepCompactRowsTogether(TfrmBoletoLayout& form) {
    auto& captions = form.Component<TRLMemo>("memoComp1");
    auto& data = form.Component<TRLMemo>("memoComp2");
    if (!captions.Visible() || !form.Component<TRLCustomControl>("qrPix").Visible()) return;
    TextMetrics& metrics = TextMetrics::instance();
    const std::vector<std::string>& lines = data.Lines();
    const auto rows_hold = [&](const Font& font) {
        std::size_t drawn = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t wrapped =
                std::max<std::size_t>(1, WrapText(lines[i], data.Width(), font).size());
            if (wrapped > 1 && i + 1 < lines.size()) return false;
            drawn += wrapped;
        }
        return static_cast<long long>(drawn) * metrics.line_height(font) <= data.Height();
    };
    Font font = data.GetFont();
    constexpr int kSmallest = 8;
    while (!rows_hold(font) && -font.height > kSmallest) font.height += 1;
    if (font.height == data.GetFont().height) return;
    data.SetFont(font);
    Font caption_font = captions.GetFont();
    caption_font.height = font.height;
    captions.SetFont(caption_font);
}

}  // namespace tarvek
