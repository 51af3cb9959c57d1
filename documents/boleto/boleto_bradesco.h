// The Bradesco boleto layout: one A4 page per boleto.
#pragma once

#include "documents/boleto/boleto_layout.h"

namespace tarvek {

class TfrmBoletoBradesco : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoBradesco(TdtmEmail& dtm);
    static BoletoColumnWidths Columns();
};

}  // namespace tarvek
