// What the service-order query builder read from the instruction's parameter
// string, for the service-order job.
#pragma once

#include <string>

namespace tarvek {

struct ServiceOrderOptions {
    // "0" followed by the order number as written: the SQL stays valid when
    // the number is missing, and the PDF's name carries it (01234).
    std::string numero_os;
    std::string segmento_os;  // only "MECANICA" produces a document
    // The document kind; "..._EXPEDICAO" is the dispatch variant of a kind.
    std::string tipo_os;
};

}  // namespace tarvek
