// The Banrisul boleto layout: the Bradesco layout with the bank's name beside
// each logo, the guarantor line, and agency, beneficiary code, nosso número
// and value repeated at the foot of both instruction areas.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoBanrisul : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoBanrisul(TdtmEmail& dtm);
};

}  // namespace tarvek
