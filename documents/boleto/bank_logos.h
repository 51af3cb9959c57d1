// The banks' logo pictures printed on the boletos. They are drawn here, from
// simple shapes in each bank's colours, so the program ships no logo files.
#pragma once

#include "report/picture.h"

namespace tarvek {

// A red emblem: a white ring over two sweeping bars, for Bradesco layouts.
report::Picture bradesco_logo();

}  // namespace tarvek
