// Service-order layout 1, "ORDEM DE SERVIÇO": the title band (logo, company
// and order header, customer and vehicle), one item band per row of the item
// table, and the summary band with payment, totals and signature lines.
// Layouts 2 and 3 are told as differences from its design.
#pragma once

#include <vector>

#include "documents/service_order/os_layout.h"
#include "report/layout.h"

namespace tarvek {

class TfrmOS_Mec_1 : public TfrmOSItensLayout {
  public:
    explicit TfrmOS_Mec_1(TdtmEmail& dtm);

    report::TRLReport ModeloOS{"ModeloOS"};
    report::TRLReport& Report() override { return ModeloOS; }

    // The bands of layout 1; data controls name their sources dtsOs (the
    // order), dtscliente (the customer) and dtsItensOs (the item table).
    static std::vector<report::ControlDesign> Design();
};

}  // namespace tarvek
