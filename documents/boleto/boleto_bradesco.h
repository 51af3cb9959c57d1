// The Bradesco boleto layout: one A4 page per boleto. Its design is the one
// the Itaú, Banrisul, Sicoob and Cresol layouts are told as differences from.
#pragma once

#include <vector>

#include "documents/boleto/boleto_layout.h"
#include "report/layout.h"

namespace tarvek {

class TfrmBoletoBradesco : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoBradesco(TdtmEmail& dtm);
    // The band RLBand2 with the informative box, the payer's receipt and the
    // bank's part.
    static std::vector<report::ControlDesign> Design();
};

}  // namespace tarvek
