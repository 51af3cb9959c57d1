// What the three service-order layout forms hold: the order query "qryOS"
// (main database) and the customer query "qryCliente" (receivables) with
// their declared fields, the customer's data source "dtscliente" and the PDF
// filter "RLPDFFilter1". Each layout adds its report, the order's data
// source and, for layouts 1 and 2, the item table.
//
// A layout form exists for one job and owns all of its components. The
// report's pages are shared with a preview window that may outlive the form.
#pragma once

#include <cstdint>
#include <string>

#include "data/firebird/dtm_email.h"
#include "data/firebird/query.h"
#include "data/memory_table.h"
#include "documents/layout_component.h"
#include "report/controls.h"
#include "report/pdf_filter.h"
#include "report/report.h"

namespace tarvek {

// Font heights in report pixels of the point sizes the layouts use.
namespace os_font {
constexpr int k7pt = 9;
constexpr int k8pt = 11;
constexpr int k9pt = 12;
constexpr int k10pt = 13;
}  // namespace os_font

// The three service-order layouts.
enum class OsLayoutKind : std::uint8_t {
    Order,          // layout 1: the order, its items and the summary
    Quote,          // layout 2: layout 1 as a quote
    Authorisation,  // layout 3: the mechanic's authorisation, no items
};

class TfrmOSLayout {
  public:
    virtual ~TfrmOSLayout();
    TfrmOSLayout(const TfrmOSLayout&) = delete;
    TfrmOSLayout& operator=(const TfrmOSLayout&) = delete;

    static constexpr const char* kCaption = "Ordem de servico";

    const std::string& Name() const { return name_; }

    Query qryOS;
    Query qryCliente;
    report::TDataSource dtscliente{"dtscliente", &qryCliente};
    report::TRLPDFFilter RLPDFFilter1;

    // ModeloOS or ModeloOrcamento.
    virtual report::TRLReport& Report() = 0;
    // tblItens of layouts 1 and 2; null for layout 3.
    virtual MemoryTable* Itens() { return nullptr; }

    // A component of the layout by name; raises an error naming it when the
    // layout has none.
    template <typename T>
    T& Component(const std::string& component_name) {
        return layout_component<T>(Report(), name_, component_name);
    }
    bool Has(const std::string& component_name) { return Report().Find(component_name) != nullptr; }

  protected:
    TfrmOSLayout(std::string form_name, TdtmEmail& dtm);
    // The settings all three reports share: A4, borders on all sides, Arial
    // 10, title and preview caption "Boleto", read from `source`, saved
    // through RLPDFFilter1.
    void setup_report(report::TRLReport& report, report::TDataSource* source);

  private:
    std::string name_;
};

// Layouts 1 and 2: the report walks the item table.
class TfrmOSItensLayout : public TfrmOSLayout {
  public:
    MemoryTable tblItens{"tblItens"};
    report::TDataSource dtsItensOs{"dtsItensOs", &tblItens};
    report::TDataSource dtsOs{"dtsOs", &qryOS};

    MemoryTable* Itens() override { return &tblItens; }

  protected:
    TfrmOSItensLayout(std::string form_name, TdtmEmail& dtm);
};

}  // namespace tarvek
