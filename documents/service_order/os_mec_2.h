// Service-order layout 2, "ORÇAMENTO": layout 1 with the quote's title, its
// validity date, and the quote's standard text in place of the instalments
// and signature lines.
#pragma once

#include <vector>

#include "documents/service_order/os_layout.h"
#include "report/layout.h"

namespace tarvek {

class TfrmOS_Mec_2 : public TfrmOSItensLayout {
  public:
    explicit TfrmOS_Mec_2(TdtmEmail& dtm);

    report::TRLReport ModeloOrcamento{"ModeloOrcamento"};
    report::TRLReport& Report() override { return ModeloOrcamento; }

    static std::vector<report::ControlDesign> Design();
};

}  // namespace tarvek
