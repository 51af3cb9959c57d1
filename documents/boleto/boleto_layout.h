// What every boleto layout form holds: the report "Boleto", the query
// "qryBoleto" on the receivables database with its declared fields, the data
// source "dtsboleto" and the PDF filter "RLPDFFilter1". A bank's layout
// declares its band on top of this.
//
// A layout form exists for one job; it owns all of its components. The
// report's pages are shared with a preview window that may outlive the form.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/firebird/dtm_email.h"
#include "data/firebird/query.h"
#include "documents/layout_component.h"
#include "report/controls.h"
#include "report/pdf_filter.h"
#include "report/report.h"

namespace tarvek {

// The per-layout widths of the constant columns the query builder puts in
// front of b.* (0: the layout does not declare that field).
struct BoletoColumnWidths {
    int nome_beneficiario = 80;
    int end_beneficiario = 0;  // END_1_ and END_2_BENEFICIARIO
    int agencia_cedente = 0;
    int carteira = 0;
    int agencia = 0;
    int cedente = 0;
    int sacador = 0;  // NOMESACADOR 80 and CPFCNPJSACADOR 30 when set
    int nome_cedente2 = 0;
    int nosso_numero_str = 48;
    bool obs_cliente = true;
    bool valor_pago_formatted = false;  // the Sicredi layouts format VALORPAGO too
};

class TfrmBoletoLayout {
  public:
    TfrmBoletoLayout(std::string form_name, TdtmEmail& dtm, const BoletoColumnWidths& widths);
    virtual ~TfrmBoletoLayout();
    TfrmBoletoLayout(const TfrmBoletoLayout&) = delete;
    TfrmBoletoLayout& operator=(const TfrmBoletoLayout&) = delete;

    const std::string& Name() const { return name_; }

    report::TRLReport Boleto{"Boleto"};
    Query qryBoleto;
    report::TDataSource dtsboleto{"dtsboleto", &qryBoleto};
    report::TRLPDFFilter RLPDFFilter1;

    // A component of the layout by name; raises an error naming it when the
    // layout has none.
    template <typename T>
    T& Component(const std::string& component_name) {
        return layout_component<T>(Boleto, name_, component_name);
    }
    bool Has(const std::string& component_name) { return Boleto.Find(component_name) != nullptr; }

  protected:
    // The plain text of a field of the current boleto (numbers in their
    // shortest form, dates in the short date format), not its display text.
    std::string FieldText(const std::string& field_name) {
        return qryBoleto.field_by_name(field_name).as_string();
    }

  private:
    std::string name_;
};

}  // namespace tarvek
