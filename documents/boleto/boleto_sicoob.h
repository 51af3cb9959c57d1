// The Sicoob boleto layout: the Bradesco layout with a compact receipt in the
// informative box. When the job switches the receipt on (memoComp1 to
// memoComp3 visible), the band handler fills memoComp2 with each boleto's
// summary before the band prints.
#pragma once

#include "documents/boleto/boleto_layout.h"
#include "report/layout.h"

namespace tarvek {

class TfrmBoletoSicoob : public TfrmBoletoLayout {
  public:
    explicit TfrmBoletoSicoob(TdtmEmail& dtm);
    // The compact receipt's data memo (memoComp2) and signature block
    // (memoComp3), hidden as designed; the Cresol layout has the same.
    static report::ControlDesign memoComp2Design();
    static report::ControlDesign memoComp3Design();

    void RLBand2BeforePrint(report::TRLCustomControl& Sender, bool& PrintIt);

    // Beside the Pix block the compact receipt's data column is narrow: where
    // a data line other than the last would wrap (and stand beside another
    // line's caption), the captions and the data take a smaller font
    // together, down to 8 pixels. Without the block nothing changes.
    static void KeepCompactRowsTogether(TfrmBoletoLayout& form);
};

}  // namespace tarvek
