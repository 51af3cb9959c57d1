// The one layout of every conditional-sale document (conditional delivery,
// quote, return, sales order): the report "Modelo1" on a half A4 sheet
// (210 × 148 mm, 9 mm top and bottom margins, borders all round), its
// package query on the main database, customer query on the receivables
// database, in-memory item table and PDF filter.
//
// Bands: a title band with logo, company header, package number and date,
// customer block and a silver column-heading bar (first page only); one
// detail band per item-table row; a page footer with carrier, observations,
// item count, discount, freight, total, declaration lines, message and
// commission on every page. The job fills the captions.
//
// A layout form exists for one job and owns all of its components; it
// borrows the data module's connections. The report's pages are shared with
// a preview window that may outlive the form.
#pragma once

#include <string>

#include "data/firebird/query.h"
#include "data/memory_table.h"
#include "documents/layout_component.h"
#include "report/controls.h"
#include "report/pdf_filter.h"
#include "report/report.h"

namespace tarvek {

class TdtmEmail;

class TfrmCondicinal_Mod_1 {
  public:
    explicit TfrmCondicinal_Mod_1(TdtmEmail& dtm);
    ~TfrmCondicinal_Mod_1();
    TfrmCondicinal_Mod_1(const TfrmCondicinal_Mod_1&) = delete;
    TfrmCondicinal_Mod_1& operator=(const TfrmCondicinal_Mod_1&) = delete;

    static constexpr const char* kName = "frmCondicinal_Mod_1";
    static constexpr const char* kCaption = "Impressao";

    report::TRLReport Modelo1{"Modelo1"};
    Query qryCondicional;
    Query qryCliente;
    MemoryTable tblItens{"tblItens"};
    report::TDataSource dtsCondicinal{"dtsCondicinal", &qryCondicional};
    report::TDataSource dtscliente{"dtscliente", &qryCliente};
    report::TDataSource dtsItenscond{"dtsItenscond", &tblItens};
    report::TRLPDFFilter RLPDFFilter1;

    // A control of the report by name; raises an error naming it when the
    // layout has none.
    template <typename T>
    T& Component(const std::string& component_name) {
        return layout_component<T>(Modelo1, kName, component_name);
    }
};

}  // namespace tarvek
