#include "documents/service_order/os_mec_2.h"

#include "documents/service_order/os_mec_1.h"

namespace tarvek {

using namespace report;
using namespace os_font;

namespace {

void rename(std::vector<ControlDesign>& designs, const std::string& from, std::string to) {
    find_design(designs, from).name = std::move(to);
}

}  // namespace

// Layout 1 with these differences; everything else is identical.
std::vector<ControlDesign> TfrmOS_Mec_2::Design() {
    std::vector<ControlDesign> d = TfrmOS_Mec_1::Design();

    ControlDesign& title = find_design(d, "RLLabel2");
    title.text = "ORÇAMENTO";
    title.left = 304;
    title.width = 87;

    // Header: the phones 40 further left, the quote's validity at the right.
    find_design(d, "edtf1Emp").left = 420;
    find_design(d, "edtF2emp").left = 516;
    insert_after(d, "edtF2emp",
                 {
                     label("RLLabel8", 592, 51, 53, 14, "Validade:").font(k8pt, "Arial", fsBold),
                     dbtext("RLDBText40", 649, 51, 68, 14, "DATA_VENC")
                         .from("dtsOs")
                         .font(k8pt, "Arial", fsBold),
                 });

    rename(d, "edtvlr", "edtVlr");
    rename(d, "edttot", "edtTot");

    // Summary: the quote's standard text instead of instalments and signatures.
    find_design(d, "RLBand3").height = 275;
    rename(d, "edtTotal", "edttotal");
    find_design(d, "RLDBMemo2").top = 53;
    for (const char* gone : {"stringParcelas", "RLLabel42", "RLMemo1", "lblCidadeUf", "RLLabel43"})
        remove_designs(d, {gone});
    insert_after(d, "RLDBMemo2",
                 {
                     memo("memoOs_mec_orc", 6, 80, 705, 147)
                         .font(k8pt)
                         .fixed_size()
                         .expands_site()
                         .borders(kTop),
                 });
    find_design(d, "memoOs_mec").top = 222;
    return d;
}

TfrmOS_Mec_2::TfrmOS_Mec_2(TdtmEmail& dtm) : TfrmOSItensLayout("frmOS_Mec_2", dtm) {
    setup_report(ModeloOrcamento, &dtsItensOs);
    build_layout(ModeloOrcamento, Design(), {&dtsItensOs, &dtsOs, &dtscliente});
}

}  // namespace tarvek
