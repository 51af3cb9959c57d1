// What every boleto layout form holds: the report "Boleto", the query
// "qryBoleto" on the receivables database with its declared fields, the data
// source "dtsboleto" and the PDF filter "RLPDFFilter1". A bank's layout
// declares its band on top of this.
//
// A layout form exists for one job; it owns all of its components. The
// report's pages are shared with a preview window that may outlive the form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/firebird/dtm_email.h"
#include "data/firebird/query.h"
#include "documents/boleto/boleto_banks.h"
#include "documents/boleto/boleto_pix.h"
#include "documents/layout_component.h"
#include "report/controls.h"
#include "report/pdf_filter.h"
#include "report/report.h"

namespace tarvek {

// How the layout shows VALORPAGO: plainly, or with two decimals as VALORBOLETO.
enum class PaidValueFormat : std::uint8_t { Plain, TwoDecimals };

class TfrmBoletoLayout {
  public:
    // Declares the boletos fields and the constant columns of `bank`'s
    // select list, with the widths its row gives the layouts.
    TfrmBoletoLayout(std::string form_name, TdtmEmail& dtm, const BoletoBank& bank,
                     PaidValueFormat paid_value = PaidValueFormat::Plain);
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

    // The changes that show the Pix block, in place of the layout's own;
    // the compact receipt makes room its own way.
    void SetPixChanges(const std::vector<PixChange>& changes) { pix_.SetChanges(changes); }

  protected:
    // Shows the Pix block with `changes` on boletos that carry a payload:
    // `band`, which holds the block, switches it before it prints, before
    // any handler the layout gave it.
    void InstallPix(const std::string& band, const std::vector<PixChange>& changes);

    // The plain text of a field of the current boleto (numbers in their
    // shortest form, dates in the short date format), not its display text.
    std::string FieldText(const std::string& field_name) {
        return qryBoleto.field_by_name(field_name).as_string();
    }

  private:
    std::string name_;
    PixSwitch pix_{Boleto, qryBoleto};
};

}  // namespace tarvek
