// Service-order layout 3, "Autorização para mecânico": the title band of
// layout 1 as the one detail band, printed once for the order, with the
// signature lines and the full requested-services text below the panels.
#pragma once

#include <vector>

#include "documents/service_order/os_layout.h"
#include "report/layout.h"

namespace tarvek {

class TfrmOS_Mec_3 : public TfrmOSLayout {
  public:
    explicit TfrmOS_Mec_3(TdtmEmail& dtm);

    report::TDataSource dtsOs_{"dtsOs_", &qryOS};
    report::TRLReport ModeloOS{"ModeloOS"};
    report::TRLReport& Report() override { return ModeloOS; }

    static std::vector<report::ControlDesign> Design();
};

}  // namespace tarvek
