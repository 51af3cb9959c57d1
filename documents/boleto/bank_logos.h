// The banks' logo pictures printed on the boletos. They are drawn here, from
// simple shapes and block letters in each bank's colours, so the program
// ships no logo files. Each is drawn at twice the size of the box it is
// stretched into (for a sharper print), except the booklet's, which prints at
// its own size.
#pragma once

#include "report/picture.h"

namespace tarvek {

// A red emblem: a white ring over two sweeping bars (105 × 28 boxes).
report::Picture bradesco_logo();
// Navy block letters on an orange plate (105 × 28).
report::Picture itau_logo();
// White letters and a ring on blue (105 × 28).
report::Picture banrisul_logo();
// White letters beside a green emblem on dark teal (105 × 28).
report::Picture sicoob_logo();
// The second logo of the Cresol layout: an orange sun and white letters on
// green (91 × 28).
report::Picture cresol_logo();
// White letters beside a four-leaf emblem on green (95 × 25 and 95 × 28).
report::Picture sicredi_logo();
// The same, 91 × 24 pixels, for the booklet's unstretched logo places.
report::Picture sicredi_booklet_logo();

}  // namespace tarvek
