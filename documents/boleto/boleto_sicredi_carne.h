// The Sicredi booklet layout: three compact boletos per A4 page, each with
// the payer's stub on the left and the bank's part on the right. It has no
// informative box, no observation and no delivery receipt.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoSicredi_Carne : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoSicredi_Carne(TdtmEmail& dtm);
};

}  // namespace tarvek
