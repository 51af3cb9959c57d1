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

    // The Pix block at the right end of the informative box; the informative
    // text and the customer's observation end left of it.
    static constexpr PixPlace kInformativeBoxPix{.qr_left = 565,
                                                 .qr_top = 5,
                                                 .qr_side = 147,
                                                 .text_left = 405,
                                                 .text_top = 5,
                                                 .text_width = 155,
                                                 .text_height = 147};
    static constexpr int kTextsEndBesidePix = 397;
    // What shows the block, the informative memo starting at
    // `informative_left`.
    static std::vector<PixChange> PixChanges(int informative_left = 8);
};

}  // namespace tarvek
