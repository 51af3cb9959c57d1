// The Sicredi boleto layout: a delivery receipt band ("Comprovante de
// entrega", shown or hidden by the job per portfolio) above a full-page
// boleto with a shorter informative box. One boleto per page.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoSicredi : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoSicredi(TdtmEmail& dtm);
};

}  // namespace tarvek
