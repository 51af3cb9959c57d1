// The Cresol boleto layout: the Bradesco layout with the compact receipt of
// the Sicoob layout, the final beneficiary on the guarantor line, and three
// logo places for the two variants (boleto_banks.cpp): "BRADESCO", through
// the partner bank, with the Bradesco logo and a second logo beside it, and
// "CRESOL", under the cooperative's own code, with the second logo in every
// place, which the job's logo swap arranges.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoCresol : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoCresol(TdtmEmail& dtm);

    void RLBand2BeforePrint(report::TRLCustomControl& Sender, bool& PrintIt);
};

}  // namespace tarvek
