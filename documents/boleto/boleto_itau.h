// The Itaú boleto layout: the Bradesco layout with the guarantor ("Sacador /
// Avalista") on the third line of both payer boxes.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoItau : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoItau(TdtmEmail& dtm);
};

}  // namespace tarvek
