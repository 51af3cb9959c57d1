#include "documents/service_order/os_mec_3.h"

#include "documents/service_order/os_mec_1.h"

namespace tarvek {

using namespace report;
using namespace os_font;

namespace {

void read_from(ControlDesign& design, const std::string& from, const std::string& to) {
    if (design.source == from) design.source = to;
    for (ControlDesign& child : design.children) read_from(child, from, to);
}

}  // namespace

// Layout 1's title band with these differences; its item and summary bands
// do not exist.
std::vector<ControlDesign> TfrmOS_Mec_3::Design() {
    std::vector<ControlDesign> layout1 = TfrmOS_Mec_1::Design();
    ControlDesign band = find_design(layout1, "bandTitle");
    band.band_type = btDetail;
    band.height = 1018;
    band.border_sides = 0;
    read_from(band, "dtsOs", "dtsOs_");

    std::vector<ControlDesign> d{band};
    ControlDesign& title = find_design(d, "RLLabel2");
    title.text = "Autorização para mecânico";
    title.width = 162;
    find_design(d, "band3").border_sides = kTop | kBottom;

    // Signatures, technician's at the left, customer's at the right, then the
    // requested services in full.
    const std::string line(38, '_');
    std::vector<ControlDesign>& panels = find_design(d, "bandTitle").children;
    panels.insert(panels.end(),
                  {
                      memo("RLMemo2", 27, 427, 270, 31, {line, "Assinatuta Técnico"})
                          .font(k8pt)
                          .fixed_size()
                          .expands_site(),
                      memo("RLMemo1", 399, 427, 242, 31,
                           {line, "Assinatura do cliente" + std::string(18, ' ')})
                          .font(k8pt)
                          .fixed_size()
                          .expands_site(),
                      label("RLLabel8", 28, 462, 183, 16, "Serviços a serem efetuados:")
                          .font(k10pt, "Arial", fsBold),
                      // Sized by its text, so that a long text grows the band instead of
                      // losing its last lines at the memo's design height.
                      dbmemo("RLDBMemo2", 27, 484, 667, 520, "DES_SER")
                          .from("dtsOs_")
                          .font(k9pt)
                          .expands_site(),
                  });
    return d;
}

TfrmOS_Mec_3::TfrmOS_Mec_3(TdtmEmail& dtm) : TfrmOSLayout("frmOS_Mec_3", dtm) {
    qryOS.set_sql_lines({"Select * from ordem_servico", "where cod_ord=0", ""});
    setup_report(ModeloOS, &dtsOs_);
    build_layout(ModeloOS, Design(), {&dtsOs_, &dtscliente});
}

}  // namespace tarvek
