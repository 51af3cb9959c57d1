// The service-order query builder: reads the order number, segment and
// document kind from an instruction's parameter string and returns the
// order's SQL with them for the service-order job.
#pragma once

#include <string>

#include "documents/service_order/service_order_options.h"

namespace tarvek {

class TdtmEmail;

struct ServiceOrderQuery {
    std::string sql;
    ServiceOrderOptions options;
};

// The parameter string's values by position: number, segment, kind. Raises
// an error naming the instruction when the number is not made of digits (it
// becomes part of the SQL and of the file name); the SQL is opened once on
// the main database's general query, so that a statement the database
// rejects fails here.
ServiceOrderQuery build_service_order_query(TdtmEmail& dtm, const std::string& idInstrucao,
                                            const std::string& parametros);

}  // namespace tarvek
