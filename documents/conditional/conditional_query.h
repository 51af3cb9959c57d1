// The conditional query builder: reads the package number, document kind and
// price printing from an instruction's parameter string and returns the
// package's SQL with them for the conditional job; and the lookup of a
// product grade's barcode that the item table uses.
#pragma once

#include <string>

#include "documents/conditional/conditional_options.h"

namespace tarvek {

class TdtmEmail;

struct ConditionalQuery {
    std::string sql;
    ConditionalOptions options;
};

// The parameter string's values by position: package number, document kind,
// price printing. Raises an error naming the instruction when the number is
// not made of digits (it becomes part of the SQL and of the file name); the
// SQL is opened once on the main database's general query, so that a
// statement the database rejects fails here, before any layout exists.
ConditionalQuery build_conditional_query(TdtmEmail& dtm, const std::string& idInstrucao,
                                         const std::string& parametros);

// The barcode of a product's grade (its size or colour variant), found by
// its id when that is greater than 0, else by its name; empty when
// `habilitado` is false or no grade matches. A non-numeric id_grade raises
// ConvertError.
std::string load_CB_Grade(TdtmEmail& dtm, const std::string& cod_mer, const std::string& nome_gra,
                          const std::string& id_grade, bool habilitado);

}  // namespace tarvek
